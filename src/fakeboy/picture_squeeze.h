#pragma once

#include <QImage>
#include <QSize>

namespace camvista
{

// True when fitting a picture of `from` into `to` makes it smaller along either side.
inline bool shrinks(const QSize &from, const QSize &to)
{
    return from.width() > to.width() || from.height() > to.height();
}

// Resamples the picture to exactly `size`, whatever its proportions, so that a photograph keeps
// its shapes instead of breaking up into noise: an area average first brings a big picture
// down to between two and four times the size (cheap, and every source pixel counts), then a
// Catmull-Rom bicubic filter gives the final pixels. Up to a quarter of an output pixel of
// source may be left out at each edge by the averaging. The result is premultiplied ARGB32;
// null for an empty picture or size, or when memory runs out.
QImage squeezePicture(const QImage &picture, const QSize &size);

// The area average alone: every factorX x factorY block of pixels becomes one pixel, rounded.
// Columns and rows that make no whole block are left out, as many on each side. Premultiplied
// ARGB32; null when a factor is not positive or larger than the picture.
QImage averageBlocks(const QImage &picture, int factorX, int factorY);

} // namespace camvista
