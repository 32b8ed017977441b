#pragma once

#include "rounding.h"

namespace camvista
{

// Window geometry in the program's layout tables is given in twips: 1440 per inch,
// 15 per pixel at the usual screen density.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kTwipsPerCentimetre = 566.929133858;

inline int twipsToPixels(double twips)
{
    return roundHalfEvenInt(twips / kTwipsPerPixel);
}

inline constexpr int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace camvista
