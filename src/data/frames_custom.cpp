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
        "......##......", ".....#x#......", "...########...", "..#++#oo#++#..",
        ".#+o#+oo+#o+#.", "#+o#+##o##+o+#", "#+o#+#+o#+#o+#", "#+o#+oooo+#o+#",
        "#+o#+#o#o+#o+#", ".#+#+o#o++#+#.", "..#x#+++x#x#..", "...########...",
    };
    shadeSprite(c, x, y, rows);
}

void bat(Canvas &c, int x, int y)
{
    const Rows rows = {
        "#....#.#....#",  "##...###...##", "###.#####.###", "#############",
        ".#####o#o####.", "..#.#####.#..", "......#......",
    };
    shadeSprite(c, x, y, rows);
}

void fish(Canvas &c, int x, int y, bool right, QRgb body)
{
    const Rows rows = {
        "....###....", "..##bbb#..#", ".#obbbbb##.", "#o#bbbbbb#.",
        ".#bbbbbb##.", "..##bbb#..#", "....###....",
    };
    // Draw with the body colour by hand: the map keys one shade each.
    int row = 0;
    for (std::string_view r : rows) {
        for (int col = 0; col < int(r.size()); ++col) {
            const char k = r[std::size_t(col)];
            const int px = right ? x + col : x + int(r.size()) - 1 - col;
            if (k == '#')
                c.put(px, y + row, kBlack);
            else if (k == 'b')
                c.put(px, y + row, body);
            else if (k == 'o')
                c.put(px, y + row, kWhite);
        }
        ++row;
    }
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
    // A stamp with a perforated edge in the upper right, and a round postmark over it.
    const int sx = 126, sy = 2, sw = 28, sh = 20;
    c.fill(sx, sy, sw, sh, kWhite);
    for (int i = 0; i < sw; i += 2) {
        c.put(sx + i, sy, kLight);
        c.put(sx + i, sy + sh - 1, kLight);
    }
    for (int i = 0; i < sh; i += 2) {
        c.put(sx, sy + i, kLight);
        c.put(sx + sw - 1, sy + i, kLight);
    }
    c.fill(sx + 3, sy + 3, sw - 6, sh - 6, kDark);
    c.fill(sx + 3, sy + 11, sw - 6, 6, kBlack);
    c.disc(sx + 18, sy + 7, 2, kWhite);
    for (int i = 0; i < 8; ++i)
        c.fill(sx + 4 + i, sy + 11 - i / 2, 1, 1 + i / 2, kLight);
    c.ring(112, 9, 7, kBlack);
    c.ring(112, 9, 5, kBlack);
    for (int x = 100; x < 140; ++x) {
        const int wave = int(std::lround(1.2 * std::sin(x / 2.0)));
        if (x < 105 || x > 119)
            c.put(x, 6 + wave, kBlack), c.put(x, 12 + wave, kBlack);
    }
    // Greetings on the bottom, an address line on the left.
    c.outlinedText(20, kBottom + 4, "Greetings from", kBlack, kWhite);
    c.fill(102, kBottom + 11, 34, 1, kDark);
    c.text(104, kBottom + 3, "Camvista", kDark);
}

void drawHalloween(Canvas &c)
{
    fillBorder(c, [](int x, int y) {
        const int level = std::clamp((kH - y) / 9, 0, 16);
        static constexpr int bayer[4][4] = {
            {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
        return bayer[y & 3][x & 3] < level ? kBlack : kDark;
    });
    // A cobweb in the top left corner.
    for (int i = 0; i < 5; ++i) {
        const double a = i * kPi / 8;
        c.line(0, 0, int(std::lround(22 * std::cos(a))), int(std::lround(22 * std::sin(a))),
               kLight);
    }
    for (const int r : {6, 11, 16, 21})
        for (int i = 0; i < 4; ++i) {
            const double a0 = i * kPi / 8, a1 = (i + 1) * kPi / 8;
            c.line(int(std::lround(r * std::cos(a0))), int(std::lround(r * std::sin(a0))),
                   int(std::lround((r - 1) * std::cos((a0 + a1) / 2))),
                   int(std::lround((r - 1) * std::sin((a0 + a1) / 2))), kLight);
            c.line(int(std::lround((r - 1) * std::cos((a0 + a1) / 2))),
                   int(std::lround((r - 1) * std::sin((a0 + a1) / 2))),
                   int(std::lround(r * std::cos(a1))), int(std::lround(r * std::sin(a1))), kLight);
        }
    // A spider on its thread.
    c.fill(150, 0, 1, 40, kLight);
    shadeSprite(c, 147, 40, {"#.#.#", ".###.", "##o##", ".###.", "#.#.#"});
    // Bats along the top, a full moon behind them.
    c.disc(96, 7, 6, kLight);
    c.disc(95, 6, 5, kWhite);
    c.put(97, 9, kLight);
    bat(c, 60, 4);
    bat(c, 110, 3);
    bat(c, 32, 5);
    // Pumpkins along the bottom, a sign between them.
    pumpkin(c, 1, kBottom + 3);
    pumpkin(c, kW - 15, kBottom + 3);
    c.outlinedText(80 - textWidth("BOO!") / 2, kBottom + 5, "BOO!", kWhite, kBlack);
    // Ghosts drifting up the sides.
    const Rows ghost = {
        "..####..", ".#oooo#.", "#oo#o#o#", "#oooooo#", "#oo##oo#",
        "#oooooo#", "#o+oo+o#", "#+#o#+##", ".#.#.#..",
    };
    shadeSprite(c, 4, 70, ghost);
    shadeSprite(c, kW - 12, 90, ghost, Turn::FlipX);
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
    for (int x = 0; x < kW; ++x)
        c.put(x, 2 + int(std::lround(std::sin(x / 3.0))), kDark);
    // Gravel on the floor and weeds swaying up the sides.
    for (int y = kBottom + 8; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            c.put(x, y, noise(x, y, 101) % 3 == 0 ? kBlack : noise(x, y, 102) % 2 ? kDark : kLight);
    for (const int base : {3, 10, kW - 5, kW - 12}) {
        for (int y = kH - 6; y > 24 + (base % 7) * 4; --y) {
            const int x = base + int(std::lround(2 * std::sin(y / 6.0 + base)));
            c.fill(x, y, 2, 1, kDark);
            c.put(x - 1, y, kBlack);
            if (y % 6 == 0)
                c.fill(x + 2, y, 2, 1, kDark);
        }
    }
    // Fish and bubbles.
    fish(c, 30, 5, true, kLight);
    fish(c, 110, 7, false, kDark);
    fish(c, 50, kBottom + 1, false, kDark);
    fish(c, 120, kBottom + 1, true, kLight);
    for (const QPoint p :
         {QPoint(44, 10), QPoint(46, 6), QPoint(104, 12), QPoint(8, 20), QPoint(150, 30)}) {
        c.ring(p.x(), p.y(), 1, kDark);
        c.put(p.x(), p.y(), kWhite);
    }
    // A treasure chest in a corner.
    const Rows chest = {
        ".##########.", "#xxxxxxxxxx#", "############", "#x+x#oo#x+x#",
        "#xxx#o##xxx#", "#x+xx##xx+x#", "############",
    };
    shadeSprite(c, 84, kBottom + 6, chest);
    windowRing(c, 1, kBlack);
}

void drawCitySkyline(Canvas &c)
{
    fillBorder(c, [](int, int) { return kLight; });
    // Tall buildings up both sides, rows of windows, some lit.
    for (const bool left : {true, false}) {
        int y = 6;
        int n = 0;
        while (y < kH) {
            const int h = 20 + int(noise(n, left ? 0 : 1, 111) % 16);
            const int x0 = left ? 0 : kRight;
            const QRgb wall = n % 2 ? kDark : kBlack;
            c.fill(x0, y, kB, h, wall);
            c.fill(left ? kB - 1 : kRight, y, 1, h, kBlack);
            for (int wy = y + 3; wy < y + h - 2; wy += 4)
                for (int wx = x0 + 2; wx < x0 + kB - 2; wx += 4)
                    c.fill(wx, wy, 2, 2, noise(wx, wy, 112) % 3 ? kLight : kWhite);
            y += h + 1;
            ++n;
        }
    }
    // Rooftops, a water tower and an aeroplane on top.
    c.fill(0, 0, kB, 6, kLight);
    c.fill(kRight, 0, kB, 6, kLight);
    shadeSprite(c, 3, 0, {".####.", "#xxxx#", "#xxxx#", ".#..#.", ".#..#.", "######"});
    c.fill(kW - 8, 0, 1, 6, kBlack);
    c.put(kW - 8, 0, kWhite);
    const Rows plane = {
        "..........#.....",  "#.........##....",  "##..#########o#.",
        "#################", "..........##.....", "..........#......",
    };
    shadeSprite(c, 70, 5, plane);
    for (int x = 40; x < 68; x += 3)
        c.put(x, 8, kWhite);
    // The street: kerb, road markings and two cars.
    c.fill(0, kBottom + 1, kW, 2, kWhite);
    c.fill(0, kBottom + 3, kW, 13, kDark);
    for (int x = 4; x < kW; x += 12)
        c.fill(x, kBottom + 9, 6, 1, kWhite);
    const Rows car = {
        "...######...", "..#o#oo#o#..", "############",
        "#+++++++++o#", "#x##xxxx##x#", "..##....##..",
    };
    shadeSprite(c, 30, kBottom + 4, car);
    shadeSprite(c, 110, kBottom + 8, car, Turn::FlipX);
    windowRing(c, 1, kBlack);
}

} // namespace camvista::data::art::frames
