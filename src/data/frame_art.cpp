#include "data/frame_art.h"

namespace camvista::data::art::frames
{

namespace
{

QRgb shadeFor(char key, bool &known)
{
    known = true;
    switch (key) {
    case '#':
        return kBlack;
    case 'x':
        return kDark;
    case '+':
        return kLight;
    case 'o':
        return kWhite;
    default:
        known = false;
        return 0;
    }
}

} // namespace

void shadeSprite(Canvas &c, int x, int y, Rows rows, int scale)
{
    c.sprite(x, y, rows, {{'#', kBlack}, {'x', kDark}, {'+', kLight}, {'o', kWhite}}, scale);
}

void shadeSprite(Canvas &c, int x, int y, Rows rows, Turn turn)
{
    const int h = int(rows.size());
    int w = 0;
    for (std::string_view r : rows)
        w = std::max(w, int(r.size()));
    const bool flipX = turn == Turn::FlipX || turn == Turn::FlipXY;
    const bool flipY = turn == Turn::FlipY || turn == Turn::FlipXY;
    int row = 0;
    for (std::string_view r : rows) {
        for (int col = 0; col < int(r.size()); ++col) {
            bool known = false;
            const QRgb colour = shadeFor(r[std::size_t(col)], known);
            if (!known)
                continue;
            c.put(x + (flipX ? w - 1 - col : col), y + (flipY ? h - 1 - row : row), colour);
        }
        ++row;
    }
}

void cornerSprites(Canvas &c, int inset, Rows rows)
{
    const int h = int(rows.size());
    int w = 0;
    for (std::string_view r : rows)
        w = std::max(w, int(r.size()));
    shadeSprite(c, inset, inset, rows, Turn::None);
    shadeSprite(c, kW - inset - w, inset, rows, Turn::FlipX);
    shadeSprite(c, inset, kH - inset - h, rows, Turn::FlipY);
    shadeSprite(c, kW - inset - w, kH - inset - h, rows, Turn::FlipXY);
}

void ringAt(Canvas &c, int inset, QRgb colour)
{
    c.frame(inset, inset, kW - 2 * inset, kH - 2 * inset, colour);
}

void windowRing(Canvas &c, int gap, QRgb colour)
{
    c.frame(kB - gap, kB - gap, kW - 2 * (kB - gap), kH - 2 * (kB - gap), colour);
}

void sunkWindow(Canvas &c, int gap, QRgb shade, QRgb light)
{
    const int x0 = kB - gap, y0 = kB - gap;
    const int x1 = kRight + gap - 1, y1 = kBottom + gap - 1;
    c.fill(x0, y0, x1 - x0 + 1, 1, shade);
    c.fill(x0, y0, 1, y1 - y0 + 1, shade);
    c.fill(x0 + 1, y1, x1 - x0, 1, light);
    c.fill(x1, y0 + 1, 1, y1 - y0, light);
}

void raisedRing(Canvas &c, int inset, QRgb light, QRgb shade)
{
    const int x0 = inset, y0 = inset;
    const int x1 = kW - 1 - inset, y1 = kH - 1 - inset;
    c.fill(x0, y0, x1 - x0 + 1, 1, light);
    c.fill(x0, y0, 1, y1 - y0 + 1, light);
    c.fill(x0 + 1, y1, x1 - x0, 1, shade);
    c.fill(x1, y0 + 1, 1, y1 - y0, shade);
}

int centredText(Canvas &c, int cx, int y, std::string_view s, QRgb colour)
{
    const int x = cx - textWidth(s) / 2;
    c.text(x, y, s, colour);
    return x;
}

void sparkle(Canvas &c, int cx, int cy, int arm, QRgb colour)
{
    c.fill(cx - arm, cy, 2 * arm + 1, 1, colour);
    c.fill(cx, cy - arm, 1, 2 * arm + 1, colour);
}

void fourPointStar(Canvas &c, int cx, int cy, QRgb tip, QRgb core)
{
    sparkle(c, cx, cy, 2, tip);
    c.fill(cx - 1, cy - 1, 3, 3, tip);
    c.put(cx, cy, core);
}

void heart(Canvas &c, int x, int y, QRgb fill, QRgb outline, QRgb glint)
{
    // 9 x 9 with its outline; g is a glint on the upper left lobe.
    const Rows shape = {
        ".##...##.", "#ff#.#ff#", "#gfff#ff#", "#fffffff#", "#fffffff#",
        ".#fffff#.", "..#fff#..", "...#f#...", "....#....",
    };
    c.sprite(x, y, shape, {{'#', outline}, {'f', fill}, {'g', glint}});
}

void smallHeart(Canvas &c, int x, int y, QRgb colour)
{
    c.sprite(x, y, {"##.##", "#####", ".###.", "..#.."}, {{'#', colour}});
}

void note(Canvas &c, int x, int y, int kind, QRgb colour)
{
    // x, y is the top of the stem; the head hangs at the bottom left.
    switch (kind) {
    case 0:
        c.sprite(x, y, {"..#", "..#", "..#", "..#", "..#", ".##", "###", "##."}, {{'#', colour}});
        break;
    case 1:
        c.sprite(x, y, {"..##.", "..#.#", "..#..#", "..#..", "..#..", ".##..", "###..", "##..."},
                 {{'#', colour}});
        break;
    default:
        c.sprite(x, y,
                 {"..#######", "..#######", "..#....#", "..#....#", "..#....#", ".##...##",
                  "###..###", "##...##."},
                 {{'#', colour}});
        break;
    }
}

} // namespace camvista::data::art::frames
