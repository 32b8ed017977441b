#pragma once

#include <QRgb>

namespace camvista
{

// Colours as the program's tables and controls give them: one 24-bit number,
// red + 256 x green + 65536 x blue. -1 stands for "no colour" (a read outside a picture).
using ColourValue = qint32;
inline constexpr ColourValue kNoColour = -1;

inline constexpr ColourValue colourValue(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

inline constexpr ColourValue colourValue(QRgb rgb)
{
    return colourValue(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// The opaque QRgb of a colour value; `value` must not be kNoColour.
inline constexpr QRgb toRgb(ColourValue value)
{
    return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace camvista
