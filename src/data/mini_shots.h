#pragma once

#include "data/pixel_art.h"

#include <array>

// Tiny 20 x 14 four-tone snapshots, used where a picture stands for "a shot" (film strips,
// icons, the about frame).
namespace camvista::data::art
{

enum class MiniShot { Sunset, Smile, Tree, House, Cat, Heart, Night };

inline constexpr int kMiniShotWidth = 20;
inline constexpr int kMiniShotHeight = 14;

// tones runs from the darkest to the lightest of four colours.
void drawMiniShot(Canvas &c, int x, int y, MiniShot shot, const std::array<QRgb, 4> &tones);

} // namespace camvista::data::art
