#pragma once

#include <QByteArray>
#include <QImage>

namespace camvista::exporting
{

// The picture with an exact colour table: 8-bit indexed, every pixel its own colour (alpha is
// dropped). A null picture when it has more than `maxColours` colours (at most 256).
QImage exactlyIndexed(const QImage &picture, int maxColours = 256);

// Encodes a PNG in memory: an 8-bit indexed picture of at most 4 colours as an indexed PNG of
// 2 bits a pixel, of up to 256 as an 8-bit indexed PNG; any other picture as 24-bit RGB.
// Empty when there was no memory.
QByteArray encodePng(const QImage &picture);

} // namespace camvista::exporting
