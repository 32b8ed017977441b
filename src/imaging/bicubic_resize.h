#pragma once

#include <QImage>

namespace camvista
{

// Resamples the picture to width x height with a Catmull-Rom bicubic filter, edges clamped.
// The result is premultiplied ARGB32; null when a size is not positive or memory runs out.
QImage resizeBicubic(const QImage &image, int width, int height);

} // namespace camvista
