// The frames that ship in the custom folder, as examples of frames of one's own.
#include "data/frame_art.h"

#include <algorithm>
#include <cmath>

namespace camvista::data::art::frames
{

namespace
{

constexpr double kPi = 3.14159265358979;

void pumpkin(Canvas &c, int x, int y)
{
    const Rows rows = {
        ".......##......", "......#x#......", "...####x####...", "..#++o+#+o++#..",
        ".#+o+#+o+#+o+#.", "#+o+###+###+o+#", "#+o++#+o+#++o+#", "#+o+++###+++o+#",
        "#+o#########o+#", "#+o+#+###+#+o+#", ".#+o++++++++o#.", "..##+++++++##..",
        "....#######....",
    };
    shadeSprite(c, x, y, rows);
}

void bat(Canvas &c, int x, int y)
{
    const Rows rows = {
        "#....#.#....#", "##...###...##", "###.#####.###", "#############",
        ".####o#o####.", "..#.#####.#..", "......#......",
    };
    shadeSprite(c, x, y, rows);
}

// A striped fish, 15 x 9, centred on (cx, cy) and swimming to the right or the left.
// A striped fish, 13 x 9, centred on (cx, cy) and swimming to the right or the left.
void fish(Canvas &c, int cx, int cy, bool right, QRgb body)
{
    const Rows rows = {
        ".....####....", "#...#bbbb#...", "##.#bbsbbb#..", "#b#bbbsbb#b#.", "#bbbbbsbbbbb#",
        "#b#bbbsbbbb#.", "##.#bbsbbb#..", "#...#bbbb#...", ".....####....",
    };
    const QRgb stripe = body == kDark ? kWhite : kDark;
    int row = 0;
    for (std::string_view r : rows) {
        for (int col = 0; col < int(r.size()); ++col) {
            const char k = r[std::size_t(col)];
            const int x = cx + (right ? col - 6 : 6 - col);
            const int y = cy - 4 + row;
            if (k == '#')
                c.put(x, y, kBlack);
            else if (k == 'b')
                c.put(x, y, row >= 6 && body == kLight ? kLight : body);
            else if (k == 's')
                c.put(x, y, stripe);
        }
        ++row;
    }
    c.put(cx + (right ? 3 : -3), cy - 1, kBlack);
}

} // namespace

void drawPocketConsole(Canvas &c)
{
    // The glass around a handheld's screen: dark with a lighter rim, two lines and a lamp.
    fillBorder(c, [](int, int) { return kDark; });
    c.roundFill(0, 0, kW, kH, 7, kLight);
    c.roundFill(1, 1, kW - 2, kH - 2, 6, kDark);
    windowRing(c, 1, kBlack);
    windowRing(c, 2, kBlack);
    // Stripes along the top with a title between them.
    const std::string_view title = "POCKET CAMERA";
    const int tw = textWidth(title);
    const int tx = 80 - tw / 2;
    c.fill(8, 5, tx - 12, 1, kBlack);
    c.fill(8, 8, tx - 12, 1, kBlack);
    c.fill(tx + tw + 4, 5, kW - 12 - (tx + tw), 1, kBlack);
    c.fill(tx + tw + 4, 8, kW - 12 - (tx + tw), 1, kBlack);
    c.text(tx, 4, title, kLight);
    // The power lamp on the left.
    c.disc(7, 56, 2, kBlack);
    c.disc(7, 56, 1, kWhite);
    c.fill(3, 62, 9, 1, kLight);
    c.text(2, 64, "ON", kLight);
    // A name on the bottom edge.
    c.text(10, kBottom + 5, "CAMVISTA", kLight);
    for (int i = 0; i < 4; ++i)
        c.fill(kW - 40 + i * 7, kBottom + 6, 5, 5, i % 2 ? kLight : kBlack);
}

void drawPostcard(Canvas &c)
{
    // Airmail stripes around the card.
    fillBorder(c, [](int x, int y) {
        const int d[4] = {y, x, kW - 1 - x, kH - 1 - y};
        const int v = *std::min_element(d, d + 4);
        if (v > 4)
            return kWhite;
        if (v == 4)
            return kLight;
        const int phase = (x + (y < kB || y >= kBottom ? y : -y) + 160) % 16;
        return phase < 5 ? kDark : phase < 8 ? kWhite : phase < 13 ? kBlack : kWhite;
    });
    windowRing(c, 1, kDark);
    // A stamp with a perforated edge in the upper right, cancelled by a round postmark.
    const int sx = kRight, sy = 1, sw = 15, sh = 20;
    c.fill(sx, sy, sw, sh, kWhite);
    for (int i = 0; i < sw; i += 2) {
        c.put(sx + i, sy, kLight);
        c.put(sx + i, sy + sh - 1, kLight);
    }
    for (int i = 0; i < sh; i += 2) {
        c.put(sx, sy + i, kLight);
        c.put(sx + sw - 1, sy + i, kLight);
    }
    c.fill(sx + 2, sy + 2, sw - 4, sh - 4, kLight);
    c.disc(sx + 9, sy + 6, 2, kWhite);
    for (int i = 0; i < sw - 4; ++i) {
        const int h = 6 - std::abs(i - 4);
        c.fill(sx + 2 + i, sy + sh - 2 - std::max(h, 2), 1, std::max(h, 2), kDark);
    }
    c.frame(sx + 2, sy + 2, sw - 4, sh - 4, kBlack);
    for (int x = 98; x < 121; ++x)
        for (const int y : {7, 10, 13}) {
            const int wave = int(std::lround(std::sin(x / 2.0)));
            c.put(x, y + wave, kDark);
        }
    c.ring(128, 10, 5, kDark);
    c.ring(128, 10, 3, kDark);
    c.fill(126, 10, 5, 1, kDark);
    // Greetings on the bottom, an address line on the left.
    c.outlinedText(20, kBottom + 4, "Greetings from", kBlack, kWhite);
    c.fill(102, kBottom + 11, 34, 1, kDark);
    c.text(104, kBottom + 3, "Camvista", kDark);
}

void drawHalloween(Canvas &c)
{
    fillBorder(c, [](int, int) { return kDark; });
    // A cobweb in the top left corner.
    for (int i = 0; i < 5; ++i) {
        const double a = i * kPi / 8;
        c.line(0, 0, int(std::lround(24 * std::cos(a))), int(std::lround(24 * std::sin(a))),
               kLight);
    }
    for (const int r : {6, 11, 16, 21})
        for (int i = 0; i < 4; ++i) {
            const double a0 = i * kPi / 8, a1 = (i + 1) * kPi / 8, mid = (a0 + a1) / 2;
            const QPoint p(int(std::lround(r * std::cos(a0))), int(std::lround(r * std::sin(a0))));
            const QPoint m(int(std::lround((r - 1.5) * std::cos(mid))),
                           int(std::lround((r - 1.5) * std::sin(mid))));
            const QPoint q(int(std::lround(r * std::cos(a1))), int(std::lround(r * std::sin(a1))));
            c.line(p.x(), p.y(), m.x(), m.y(), kLight);
            c.line(m.x(), m.y(), q.x(), q.y(), kLight);
        }
    // A spider let down on its thread in the other corner.
    c.fill(kW - 8, 0, 1, 30, kLight);
    shadeSprite(c, kW - 12, 30,
                {"#.#...#.#", ".#.###.#.", "..#####..", "##.#o#o#.##", "..#####..", ".#.###.#.",
                 "#.#...#.#"});
    // A full moon with bats across it.
    c.disc(96, 7, 7, kLight);
    c.disc(95, 6, 6, kWhite);
    c.disc(98, 9, 1, kLight);
    c.put(93, 4, kLight);
    bat(c, 89, 3);
    bat(c, 56, 5);
    bat(c, 122, 2);
    bat(c, 34, 6);
    // Ghosts drifting up the sides.
    const Rows ghost = {
        "...####...", "..#oooo#..", ".#oooooo#.", ".#o#oo#o#.", ".#oooooo#.", "#ooo##ooo#",
        "#oooooooo#", "#oooooooo#", "#o+oooo+o#", "#++o++o++#", ".#.#..#.#.",
    };
    shadeSprite(c, 3, 46, ghost);
    shadeSprite(c, kW - 13, 76, ghost, Turn::FlipX);
    // A graveyard along the bottom: black earth, stones, pumpkins, and a greeting.
    for (int x = 0; x < kW; ++x) {
        const int top = kH - 5 + int(std::lround(std::sin(x / 7.0)));
        c.fill(x, top, 1, kH - top, kBlack);
        if (x % 3 == 0)
            c.put(x, top - 1, kBlack);
    }
    const Rows stone = {
        "..#####..", ".#+++++#.", "#++++o++#", "#+++ooo+#", "#++++o++#",
        "#++++o++#", "#+++++++#", "#+x+++x+#", "#########",
    };
    shadeSprite(c, 36, kBottom + 5, stone);
    shadeSprite(c, 116, kBottom + 6, stone);
    pumpkin(c, 1, kBottom + 2);
    pumpkin(c, kW - 16, kBottom + 2);
    c.outlinedText(80 - textWidth("BOO!") / 2, kBottom + 4, "BOO!", kWhite, kBlack);
    windowRing(c, 1, kBlack);
}

void drawAquarium(Canvas &c)
{
    fillBorder(c, [](int x, int y) {
        // Light through the water: brighter near the top.
        const int level = std::clamp(y / 9, 0, 16);
        static constexpr int bayer[4][4] = {
            {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
        return bayer[y & 3][x & 3] < level ? kLight : kWhite;
    });
    // Ripples at the surface.
    for (int x = 0; x < kW; ++x) {
        const int y = 2 + int(std::lround(std::sin(x / 3.0)));
        c.put(x, y, kDark);
        c.fill(x, 0, 1, y, kLight);
    }
    // Weed swaying up the sides.
    for (const int base : {4, 11, kW - 6, kW - 12}) {
        const int top = 30 + (base % 5) * 9;
        for (int y = kH - 6; y > top; --y) {
            const int x = base + int(std::lround(2 * std::sin(y / 6.0 + base)));
            c.fill(x - 1, y, 3, 1, kDark);
            c.put(x - 1, y, kBlack);
            c.put(x + 1, y, kBlack);
            if (y % 7 == 0)
                c.fill(x + 2, y - 1, 2, 1, kBlack);
        }
    }
    // Bubbles rising.
    for (const QPoint p : {QPoint(8, 22), QPoint(9, 16), QPoint(7, 11), QPoint(kW - 8, 40),
                           QPoint(kW - 9, 33), QPoint(kW - 8, 27), QPoint(52, 4), QPoint(118, 6)}) {
        c.ring(p.x(), p.y(), 1, kDark);
        c.put(p.x(), p.y(), kWhite);
    }
    c.ring(kW - 9, 19, 2, kDark);
    c.put(kW - 10, 18, kWhite);
    // Pebbles on the floor.
    c.fill(0, kH - 6, kW, 6, kDark);
    for (int row = 0; row < 3; ++row)
        for (int x = (row % 2) * 3 - 2; x < kW; x += 6) {
            const int y = kH - 6 + row * 2;
            const QRgb colour = noise(x, row, 101) % 3 == 0 ? kWhite : kLight;
            c.fill(x + 1, y, 3, 1, colour);
            c.fill(x, y + 1, 5, 1, colour);
            c.fill(x + 1, y + 2, 3, 1, kBlack);
        }
    // Fish.
    fish(c, 36, 8, true, kDark);
    fish(c, 114, 9, false, kLight);
    fish(c, 56, kBottom + 5, false, kLight);
    fish(c, kW - 8, 104, false, kDark);
    fish(c, 8, 74, true, kLight);
    // A treasure chest on the floor.
    const Rows chest = {
        "..#########..", ".#xxxxxxxxx#.", "#x+x+x+x+x+x#", "#############",
        "#x+x#ooo#x+x#", "#xxx#o#o#xxx#", "#x+x##o##x+x#", "#############",
    };
    shadeSprite(c, 110, kH - 12, chest);
    windowRing(c, 1, kBlack);
}

void drawCitySkyline(Canvas &c)
{
    fillBorder(
        c, [](int x, int y) { return y < 40 && (x + y) % 5 == 0 && y % 3 == 0 ? kWhite : kLight; });
    // Windows in rows, most of them lit by the afternoon sun.
    const auto windows = [&c](int x, int y, int w, int h, unsigned seed) {
        for (int wy = y + 2; wy < y + h - 1; wy += 3)
            for (int wx = x + 2; wx < x + w - 2; wx += 3)
                c.fill(wx, wy, 2, 2, noise(wx, wy, seed) % 4 ? kLight : kWhite);
    };
    const auto tower = [&](int x, int top, int w, QRgb wall, unsigned seed) {
        c.fill(x, top, w, kH - top, kBlack);
        c.fill(x + 1, top + 1, w - 2, kH - top, wall);
        windows(x + 1, top + 1, w - 2, kH - top - 1, seed);
    };
    // Skyscrapers up both sides: one with a mast, one stepped at the top.
    tower(0, 34, 15, kDark, 1);
    c.fill(7, 20, 1, 14, kBlack);
    c.fill(5, 30, 5, 4, kBlack);
    c.put(7, 19, kWhite);
    tower(kRight + 1, 56, 15, kDark, 2);
    tower(kRight + 3, 50, 11, kDark, 3);
    tower(kRight + 5, 45, 7, kDark, 4);
    c.fill(kRight + 8, 38, 1, 7, kBlack);
    // A row of lower buildings along the bottom, in front of a far row.
    int x = 0;
    for (int n = 0; x < kW; ++n) {
        const int w = 10 + int(noise(n, 0, 113) % 10);
        const int top = kBottom + 1 + int(noise(n, 1, 113) % 6);
        c.fill(x, top - 3, w, 4, kDark);
        x += w;
    }
    x = -4;
    for (int n = 0; x < kW; ++n) {
        const int w = 9 + int(noise(n, 2, 113) % 9);
        const int top = kBottom + 4 + int(noise(n, 3, 113) % 5);
        tower(x, top, w, n % 2 ? kBlack : kDark, 10 + unsigned(n));
        x += w + 1;
    }
    // A little plane towing a banner with the town's name.
    const Rows plane = {
        "#............", "##.....#.....", "#o#...#o#...#", "#oo########o#",
        "#############", "..#xxxxxxx#.#", "....##.......",
    };
    shadeSprite(c, 110, 3, plane);
    c.line(97, 7, 110, 7, kBlack);
    const std::string_view name = "CAMVISTA";
    const int bw = textWidth(name) + 8;
    const int bx = 97 - bw;
    c.fill(bx, 2, bw, 11, kBlack);
    c.fill(bx + 1, 3, bw - 2, 9, kWhite);
    c.fill(bx + 1, 11, bw - 2, 1, kLight);
    for (int y = 2; y < 13; y += 2)
        c.put(bx, y, kLight);
    c.text(bx + 4, 4, name, kBlack);
    // Birds.
    for (const QPoint p : {QPoint(30, 6), QPoint(38, 9), QPoint(130, 8)}) {
        c.put(p.x() - 2, p.y(), kDark);
        c.put(p.x() - 1, p.y() + 1, kDark);
        c.put(p.x(), p.y(), kDark);
        c.put(p.x() + 1, p.y() + 1, kDark);
        c.put(p.x() + 2, p.y(), kDark);
    }
    windowRing(c, 1, kBlack);
}

} // namespace camvista::data::art::frames
