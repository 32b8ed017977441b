#pragma once

#include "data/frame_art.h"

// Drawing helpers of the wild frames. A top piece is 160 x 40, a bottom piece 160 x 72; between
// them the tool shows the shot's 128 x 112 picture with black columns either side, so each
// piece meets the picture with a black band of its own.
namespace camvista::data::art::wild
{

inline constexpr int kW = 160;
inline constexpr int kTopH = 40;
inline constexpr int kBottomH = 72;
inline constexpr int kEdge = 3; // rows of black where a piece meets the picture

using frames::noise;
using frames::shadeSprite;

// The black band along the side that meets the picture, with a light rim line in it.
void meetThePicture(Canvas &top, Canvas &bottom);
// A title on a rounded plate: dark plate, light rim, white outlined letters.
void titlePlate(Canvas &c, int cx, int y, std::string_view text, int scale = 1);
// Soft ground of two shades (level 0 to 16 of the Bayer dither).
void ditherAll(Canvas &c, QRgb a, QRgb b, int level);
// A cloud of overlapping discs with a dark underside.
void cloud(Canvas &c, int x, int y, int size);
// The camera kid: a boxy camera with eyes, feet and a lens; about 18 x 16 times scale.
void cameraKid(Canvas &c, int x, int y, int scale, bool wave);
// A coin: light disc with a dark rim and a shine, radius r.
void coin(Canvas &c, int cx, int cy, int r);

// Each frame draws its two pieces; the thumbnail is the 16 rows of the top piece from the
// returned row.
int drawCamboy(Canvas &top, Canvas &bottom);
int drawMarluig(Canvas &top, Canvas &bottom);
int drawMyosh(Canvas &top, Canvas &bottom);
int drawYosh(Canvas &top, Canvas &bottom);
int drawRed(Canvas &top, Canvas &bottom);
int drawMkart(Canvas &top, Canvas &bottom);
int drawClef(Canvas &top, Canvas &bottom);
int drawZelda(Canvas &top, Canvas &bottom);
int drawWario(Canvas &top, Canvas &bottom);
int drawTortank(Canvas &top, Canvas &bottom);

} // namespace camvista::data::art::wild
