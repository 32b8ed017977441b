#pragma once

#include "data/pixel_art.h"

#include <string_view>

// Drawing helpers shared by the frame pictures. Every frame is drawn on the whole 160 x 144
// canvas; the see-through centre is cut out afterwards, so a motif may spill over the window
// edge without care. Light falls from the top left.
namespace camvista::data::art::frames
{

inline constexpr int kW = 160;
inline constexpr int kH = 144;
inline constexpr int kB = 16;           // border width on every side
inline constexpr int kRight = kW - kB;  // first column of the right band (144)
inline constexpr int kBottom = kH - kB; // first row of the bottom band (128)

// A repeatable pseudo-random number for (x, y): texture without a random generator.
inline unsigned noise(int x, int y, unsigned seed = 0)
{
    unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

inline bool inBorder(int x, int y)
{
    return x < kB || y < kB || x >= kRight || y >= kBottom;
}

// Sprite maps of the frames use one key per shade; any other character is left alone.
//   '#' black   'x' dark grey   '+' light grey   'o' white
void shadeSprite(Canvas &c, int x, int y, Rows rows, int scale = 1);

// Mirrored and turned copies of a sprite: corner ornaments are drawn once for the top left.
enum class Turn { None, FlipX, FlipY, FlipXY };
void shadeSprite(Canvas &c, int x, int y, Rows rows, Turn turn);

// The same ornament in all four corners, each mirrored to face the window.
void cornerSprites(Canvas &c, int inset, Rows rows);

// Fills the four bands with pattern(x, y).
template <typename Pattern> void fillBorder(Canvas &c, Pattern pattern)
{
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (inBorder(x, y))
                c.put(x, y, pattern(x, y));
}

// Paints the shape inside(x, y) found within `area`: `fill` inside, `shade` on the lowest pixel
// of each column of it, and an `outline` ring around it (diagonal neighbours count).
template <typename Inside>
void blob(Canvas &c, int ax, int ay, int aw, int ah, Inside inside, QRgb outline, QRgb fill,
          QRgb shade)
{
    shapeWithOutline(c, ax, ay, aw, ah, inside, fill, shade, outline);
}

// A rectangle ring `inset` pixels in from the picture's outer edge.
void ringAt(Canvas &c, int inset, QRgb colour);
// A ring `gap` pixels out from the window: gap 1 is the row right next to the picture.
void windowRing(Canvas &c, int gap, QRgb colour);
// A bevelled window edge: `light` on the bottom and right sides (they face the light), `shade`
// on the top and left sides, as if the picture sat sunk into the frame.
void sunkWindow(Canvas &c, int gap, QRgb shade, QRgb light);
// A raised rim `inset` in from the outer edge: light on top and left, shade on bottom and right.
void raisedRing(Canvas &c, int inset, QRgb light, QRgb shade);

// Text centred on column cx; returns its left edge.
int centredText(Canvas &c, int cx, int y, std::string_view s, QRgb colour);

// Small shapes used by several frames.
void sparkle(Canvas &c, int cx, int cy, int arm, QRgb colour); // a plus with arms `arm` long
void fourPointStar(Canvas &c, int cx, int cy, QRgb tip, QRgb core);
void heart(Canvas &c, int x, int y, QRgb fill, QRgb outline, QRgb glint); // 9 x 9
void smallHeart(Canvas &c, int x, int y, QRgb colour);                    // 5 x 4
void note(Canvas &c, int x, int y, int kind, QRgb colour); // 0 quarter, 1 eighth, 2 pair

// The 21 default frames, in file order, and the custom ones.
void drawFilmStrip(Canvas &c);
void drawInstantPhoto(Canvas &c);
void drawWoodenFrame(Canvas &c);
void drawBrickWall(Canvas &c);
void drawFlowerVines(Canvas &c);
void drawStarryNight(Canvas &c);
void drawHearts(Canvas &c);
void drawSeaside(Canvas &c);
void drawRaceFlags(Canvas &c);
void drawCircuitBoard(Canvas &c);
void drawMusic(Canvas &c);
void drawSunnySky(Canvas &c);
void drawSnowfall(Canvas &c);
void drawCandyStripes(Canvas &c);
void drawComicBursts(Canvas &c);
void drawOuterSpace(Canvas &c);
void drawPineForest(Canvas &c);
void drawMosaicTiles(Canvas &c);
void drawRopeAndAnchors(Canvas &c);
void drawRetroTelevision(Canvas &c);
void drawBirthdayParty(Canvas &c);

void drawPocketConsole(Canvas &c);
void drawPostcard(Canvas &c);
void drawHalloween(Canvas &c);
void drawAquarium(Canvas &c);
void drawCitySkyline(Canvas &c);

} // namespace camvista::data::art::frames
