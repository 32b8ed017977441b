#pragma once

#include <QRgb>

namespace camvista
{

// The four greys of a camera shot, as opaque 32-bit pixels. Matching a shade is exact in all
// 24 colour bits: (127,128,128) is not dark grey.
inline constexpr QRgb kWhite = 0xFFFFFFFFu;     // (255,255,255)
inline constexpr QRgb kLightGrey = 0xFFC0C0C0u; // (192,192,192)
inline constexpr QRgb kDarkGrey = 0xFF808080u;  // (128,128,128)
inline constexpr QRgb kBlack = 0xFF000000u;     // (0,0,0)

} // namespace camvista
