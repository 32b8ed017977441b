// Frames of the outdoors: flowers, night sky, the sea, sun and clouds, snow, forest, space.
#include "data/frame_art.h"

#include <algorithm>
#include <cmath>

namespace camvista::data::art::frames
{

namespace
{

constexpr double kPi = 3.14159265358979;

// A round flower of `petals` petals, white on black, with a dark heart.
void flower(Canvas &c, int cx, int cy, double radius, int petals)
{
    const int r = int(radius) + 1;
    const auto petal = [=](int x, int y) {
        const double dx = x - cx, dy = y - cy;
        const double d = std::sqrt(dx * dx + dy * dy);
        const double lobe = std::abs(std::cos(petals * std::atan2(dy, dx) / 2 + 0.3));
        return d <= radius * (0.62 + 0.38 * lobe);
    };
    blob(c, cx - r, cy - r, 2 * r + 1, 2 * r + 1, petal, kBlack, kWhite, kLight);
    // Creases between the petals.
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x) {
            const double dx = x - cx, dy = y - cy;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double lobe = std::abs(std::cos(petals * std::atan2(dy, dx) / 2 + 0.3));
            if (petal(x, y) && lobe < 0.22 && d > radius * 0.3)
                c.put(x, y, kLight);
        }
    const int heart = radius > 4 ? 2 : 1;
    c.disc(cx, cy, heart, kBlack);
    if (heart > 1)
        c.disc(cx, cy, heart - 1, kDark);
    else
        c.put(cx, cy, kDark);
}

// A leaf 7 x 6 growing up and to the right from its stalk at the lower left.
void leaf(Canvas &c, int x, int y, Turn turn)
{
    const Rows rows = {"....###", "..##x+#", ".#xx+x#", ".#x+xx#", "#x+x##.", "#.##..."};
    shadeSprite(c, x, y, rows, turn);
}

void snowflake(Canvas &c, int cx, int cy, int size)
{
    if (size >= 3) {
        shadeSprite(c, cx - 3, cy - 3,
                    {"o..o..o", ".o.o.o.", "..ooo..", "ooo+ooo", "..ooo..", ".o.o.o.", "o..o..o"});
    } else if (size == 2) {
        shadeSprite(c, cx - 2, cy - 2, {"o.o.o", ".o+o.", "o+o+o", ".o+o.", "o.o.o"});
    } else {
        shadeSprite(c, cx - 1, cy - 1, {".+.", "+o+", ".+."});
    }
}

// A fluffy cloud: puffs of different sizes on a flat bottom, lit from above.
void cloud(Canvas &c, int x, int y, int w, int h, unsigned seed)
{
    struct Puff {
        int cx, cy, r;
    };
    Puff puffs[8];
    int count = 0;
    for (int px = x + h / 2; px < x + w - h / 3 && count < 8; px += h * 2 / 3 + 1, ++count) {
        const int r = h / 2 - 1 + int(noise(px, y, seed) % 3) - (count == 0 ? 1 : 0);
        puffs[count] = {px, y + h - r - 1, r};
    }
    const auto inside = [&](int px, int py) {
        if (py >= y + h - 3 && py < y + h && px >= x + 1 && px < x + w - 1)
            return true;
        for (int i = 0; i < count; ++i) {
            const int dx = px - puffs[i].cx, dy = py - puffs[i].cy;
            if (dx * dx + dy * dy <= puffs[i].r * puffs[i].r + puffs[i].r && py < y + h)
                return true;
        }
        return false;
    };
    blob(c, x - 2, y - 2, w + 4, h + 4, inside, kDark, kWhite, kLight);
    for (int px = x; px < x + w; ++px)
        if (inside(px, y + h - 2) && inside(px, y + h - 1))
            c.put(px, y + h - 2, kLight);
}

// A conifer in tiers, each tier flaring out below the one above; lit from the left.
void pine(Canvas &c, int cx, int top, int foot, int maxHalf, QRgb body, QRgb light)
{
    const int trunk = std::max(2, (foot - top) / 10);
    const int crown = foot - trunk - top;
    const int tier = std::max(4, std::min(8, crown / 4));
    const auto inside = [=](int x, int y) {
        const int d = y - top;
        if (d < 0 || d >= crown)
            return false;
        const int r = d % tier;
        const double envelope = 1.0 + (maxHalf - 1.0) * d / std::max(1, crown - 1);
        const int half = int(std::lround(envelope * (0.5 + 0.5 * r / (tier - 1.0))));
        return std::abs(x - cx) <= half;
    };
    c.fill(cx - 1, foot - trunk, 3, trunk, kBlack);
    c.put(cx, foot - trunk, kDark);
    blob(c, cx - maxHalf - 1, top - 1, 2 * maxHalf + 3, crown + 2, inside, kBlack, body, kBlack);
    for (int y = top + 1; y < top + crown - 1; ++y)
        for (int x = cx - maxHalf; x <= cx; ++x)
            if (inside(x, y)) {
                if (inside(x, y + 1))
                    c.put(x, y, light);
                break;
            }
}

} // namespace

void drawFlowerVines(Canvas &c)
{
    fillBorder(c, [](int x, int y) { return (x % 4 == 0 && y % 4 == 0) ? kWhite : kLight; });
    ringAt(c, 0, kBlack);
    ringAt(c, 1, kWhite);
    // A stem winding along each side, flowers on its bends and leaves between them.
    constexpr int period = 32;
    const auto offset = [](int s) { return int(std::lround(3 * std::sin(2 * kPi * s / period))); };
    for (int s = 0; s < kW; ++s) {
        c.put(s, 8 + offset(s), kBlack);
        c.put(s, 9 + offset(s), kDark);
        c.put(s, kH - 9 - offset(s), kBlack);
        c.put(s, kH - 8 - offset(s), kDark);
    }
    for (int s = 0; s < kH; ++s) {
        c.put(8 + offset(s), s, kBlack);
        c.put(9 + offset(s), s, kDark);
        c.put(kW - 9 - offset(s), s, kBlack);
        c.put(kW - 8 - offset(s), s, kDark);
    }
    for (int s = period; s < kW - period / 2; s += period / 2) {
        const bool up = (s / (period / 2)) % 2 == 0;
        leaf(c, s, up ? 2 : 9, up ? Turn::None : Turn::FlipY);
        leaf(c, s, up ? kH - 8 : kH - 15, up ? Turn::FlipY : Turn::None);
    }
    for (int s = period; s < kH - period / 2; s += period / 2) {
        const bool out = (s / (period / 2)) % 2 == 0;
        leaf(c, out ? 2 : 8, s, out ? Turn::FlipXY : Turn::FlipY);
        leaf(c, out ? kW - 9 : kW - 15, s, out ? Turn::FlipY : Turn::FlipXY);
    }
    for (int s = period / 4 + period / 2; s < kW - 12; s += period / 2) {
        flower(c, s, 8 + offset(s), 3.7, 5);
        flower(c, s, kH - 9 - offset(s), 3.7, 5);
    }
    for (int s = period / 4 + period / 2; s < kH - 12; s += period / 2) {
        flower(c, 8 + offset(s), s, 3.7, 5);
        flower(c, kW - 9 - offset(s), s, 3.7, 5);
    }
    for (const QPoint p :
         {QPoint(8, 8), QPoint(kW - 9, 8), QPoint(8, kH - 9), QPoint(kW - 9, kH - 9)})
        flower(c, p.x(), p.y(), 6.8, 6);
    windowRing(c, 1, kBlack);
}

void drawStarryNight(Canvas &c)
{
    // Deep sky, with the glow of the town along the horizon.
    fillBorder(c, [](int x, int y) {
        if (y >= kBottom)
            return kDark;
        if (y >= kBottom - 8)
            return ((x + y) % 2 == 0 || (y >= kBottom - 4 && x % 2 == 0)) ? kDark : kBlack;
        if (y >= kBottom - 16)
            return (x % 4 == 0 && y % 2 == 0) ? kDark : kBlack;
        return kBlack;
    });
    for (int i = 0; i < 80; ++i) {
        const int x = int(noise(i, 1, 21) % kW), y = int(noise(i, 2, 21) % 110);
        if (inBorder(x, y))
            c.put(x, y, noise(i, 3, 21) % 3 ? kLight : kWhite);
    }
    for (const QPoint p : {QPoint(28, 8), QPoint(7, 38), QPoint(152, 56), QPoint(100, 6),
                           QPoint(8, 76), QPoint(70, 10)})
        fourPointStar(c, p.x(), p.y(), kLight, kWhite);
    sparkle(c, 150, 30, 1, kWhite);
    // A crescent moon in the upper right.
    const auto moon = [](int x, int y) {
        const int ax = x - 142, ay = y - 9, bx = x - 138, by = y - 6;
        return ax * ax + ay * ay <= 56 && bx * bx + by * by > 36;
    };
    blob(c, 130, 0, 24, 18, moon, kDark, kWhite, kLight);
    // A shooting star.
    for (int i = 0; i < 16; ++i)
        c.put(40 + i, 2 + i / 4, i < 6 ? kDark : i < 12 ? kLight : kWhite);
    sparkle(c, 56, 6, 1, kWhite);
    // A sleeping town along the bottom: houses, a tower, a few windows still lit.
    const int ground = kH - 3;
    c.fill(0, ground, kW, 3, kBlack);
    int x = -4;
    for (int n = 0; x < kW; ++n) {
        const unsigned pick = noise(n, 0, 31);
        if (n % 5 == 3) {
            // A church tower with a spire.
            const int w = 7, top = kBottom + 3;
            c.fill(x, top, w, ground - top, kBlack);
            for (int i = 0; i < 4; ++i)
                c.fill(x + 3 - i / 2, top - 4 + i, 1 + (i / 2) * 2, 1, kBlack);
            c.fill(x + 3, top - 7, 1, 3, kBlack);
            c.fill(x + 2, top + 3, 3, 3, kLight);
            c.put(x + 3, top + 3, kWhite);
            x += w + 2;
            continue;
        }
        const int w = 11 + 2 * int(pick % 3);
        const int half = w / 2;
        const int wallTop = ground - 5 - int(pick / 3 % 3);
        c.fill(x, wallTop, w, ground - wallTop, kBlack);
        for (int i = 0; i <= half; ++i)
            c.fill(x + half - i, wallTop - half + i, 2 * i + 1, 1, kBlack);
        c.fill(x + 1, wallTop - 1, w - 2, 1, kBlack);
        if (pick % 2 == 0)
            c.fill(x + w - 4, wallTop - half, 2, 4, kBlack);
        for (int k = 0; k < 2; ++k)
            if (noise(n, 2 + k, 31) % 3 != 0) {
                const int wx = x + 2 + k * (w - 6);
                c.fill(wx, wallTop + 1, 2, 2, kLight);
                c.put(wx, wallTop + 1, kWhite);
            }
        x += w + 1 + int(noise(n, 4, 31) % 3);
    }
    windowRing(c, 1, kDark);
}

void drawSeaside(Canvas &c)
{
    // Rows of little waves: a white crest, its foam below, dark water between.
    fillBorder(c, [](int x, int y) {
        const int band = y / 5;
        const double phase = band * 2.1;
        const int crest = band * 5 + 1 + int(std::lround(1.2 * std::sin(x * 2 * kPi / 12 + phase)));
        if (y == crest)
            return kWhite;
        if (y == crest + 1)
            return kLight;
        return kDark;
    });
    // A sailing boat out on the water.
    const Rows boat = {
        "......#.......", "......##......", ".....#o##.....", "....#oo#o#....",
        "...#ooo#oo#...", "..#oooo#ooo#..", ".#ooooo#oooo#.", "#######x######",
        "#oooooooooooo#", ".#xxxxxxxxxx#.", "..##########..",
    };
    shadeSprite(c, 73, 2, boat);
    // The beach: a line of foam, then sand with shells, a starfish and a crab.
    fillBorder(c, [&c](int x, int y) {
        if (y < kBottom)
            return c.at(x, y);
        return (x * 5 + y * 7) % 23 == 0 ? kDark : kLight;
    });
    for (int x = 0; x < kW; ++x) {
        const int top = kBottom + 1 + int(std::lround(1.5 * std::sin(x / 5.0)));
        c.fill(x, kBottom, 1, top - kBottom, kDark);
        c.fill(x, top - 1, 1, 2, kWhite);
        c.put(x, top + 1, kDark);
    }
    const Rows star = {
        ".....#.....", "....#o#....", "....#o#....", "...#o+o#...", "####o+o####", "#oo++x++oo#",
        ".##o+x+o##.", "..#o+++o#..", "..#o#.#o#..", ".#o#...#o#.", ".##.....##.",
    };
    const Rows shell = {
        "...#####...", ".##o+o+o##.", "#o+o+o+o+o#", "#o+o+o+o+o#", "#o+o+o+o+o#",
        ".#o+o+o+o#.", "..#o+o+o#..", "...##x##...", "..#xx#xx#..", "..#######..",
    };
    const Rows crab = {
        ".##.....##.", "#o#.....#o#", "#o#.#.#.#o#", ".##.#.#.##.", "..#######..",
        ".#x+xxx+x#.", "#x#xxxxx#x#", "..#######..", ".#.#...#.#.",
    };
    shadeSprite(c, 3, kBottom + 4, star);
    shadeSprite(c, 44, kBottom + 5, shell);
    shadeSprite(c, 100, kBottom + 6, crab);
    shadeSprite(c, kW - 14, kBottom + 4, star);
    windowRing(c, 1, kBlack);
}

void drawSunnySky(Canvas &c)
{
    fillBorder(c, [](int, int) { return kLight; });
    // Birds far away.
    for (const QPoint p : {QPoint(62, 6), QPoint(70, 9), QPoint(152, 60), QPoint(120, 5)}) {
        c.put(p.x() - 2, p.y(), kDark);
        c.put(p.x() - 1, p.y() + 1, kDark);
        c.put(p.x(), p.y(), kDark);
        c.put(p.x() + 1, p.y() + 1, kDark);
        c.put(p.x() + 2, p.y(), kDark);
    }
    // A bank of clouds along the bottom and up the sides, a few more drifting above.
    for (int i = 0; i < 7; ++i)
        cloud(c, -8 + i * 26, kBottom + 3 + int(noise(i, 0, 52) % 3), 30, 12, 1);
    for (int i = 0; i < 3; ++i) {
        cloud(c, -10, 34 + i * 32, 24, 11, 2);
        cloud(c, kRight - 2, 22 + i * 34, 24, 11, 3);
    }
    cloud(c, 84, 2, 30, 11, 4);
    cloud(c, 124, 5, 20, 9, 5);
    // The sun in the upper left, smiling, with a ring of rays.
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6 + kPi / 12;
        const double ca = std::cos(a), sa = std::sin(a);
        const double reach = i % 2 ? 14.5 : 17;
        for (double r = 11.5; r <= reach; r += 0.5)
            for (const double w : {-0.6, 0.0, 0.6}) {
                const double t = (reach - r) / (reach - 11.5); // thinner towards the tip
                c.put(11 + int(std::lround(r * ca - w * t * sa)),
                      11 + int(std::lround(r * sa + w * t * ca)), kDark);
            }
    }
    c.disc(11, 11, 10, kBlack);
    c.disc(11, 11, 9, kLight);
    c.disc(10, 10, 8, kWhite);
    shadeSprite(c, 5, 7,
                {"..#.....#..", ".###...###.", ".###...###.", "..#.....#..", "...........",
                 "++.......++", "#.........#", ".#.......#.", "..#######..", "...#xxx#...",
                 "....###...."});
    c.put(6, 8, kWhite);
    c.put(14, 8, kWhite);
    windowRing(c, 1, kDark);
}

void drawSnowfall(Canvas &c)
{
    fillBorder(c, [](int, int) { return kDark; });
    for (int i = 0; i < 90; ++i) {
        const int x = int(noise(i, 1, 61) % kW), y = int(noise(i, 2, 61) % kH);
        if (inBorder(x, y))
            c.put(x, y, noise(i, 3, 61) % 2 ? kLight : kWhite);
    }
    // Flakes of three sizes drifting down both sides and across the top.
    int k = 0;
    for (int y = 22; y < 112; y += 15, ++k) {
        snowflake(c, 7 + (k % 2) * 2, y, 1 + (k % 3));
        snowflake(c, kW - 8 - (k % 2) * 2, y + 7, 1 + ((k + 1) % 3));
    }
    for (int x = 30; x < kW - 20; x += 22, ++k)
        snowflake(c, x, 11, 1 + (k % 3));
    // Snow lies on top, icicles hang from it.
    for (int x = 0; x < kW; ++x) {
        const int depth = 4 + int(std::lround(1.3 * std::sin(x / 6.0) + std::sin(x / 2.3) * 0.6));
        c.fill(x, 0, 1, depth, kWhite);
        c.put(x, depth, kLight);
        if (noise(x, 0, 62) % 5 == 0) {
            const int len = 3 + int(noise(x, 1, 62) % 5);
            c.fill(x, depth, 1, len, kLight);
            c.put(x, depth, kWhite);
        }
    }
    // Drifts along the bottom.
    for (int x = 0; x < kW; ++x) {
        const int top =
            kBottom + 5 + int(std::lround(3 * std::sin(x / 11.0) + 1.5 * std::sin(x / 4.0 + 1)));
        c.fill(x, top, 1, kH - top, kWhite);
        c.fill(x, top + 4, 1, 1, kLight);
        c.put(x, top - 1, kLight);
    }
    // A snowman keeps watch in the lower left corner.
    struct Ball {
        int cx, cy, r;
    };
    const Ball balls[3] = {{8, 136, 6}, {8, 125, 5}, {8, 116, 4}};
    const auto inside = [&](int x, int y) {
        for (const Ball &b : balls) {
            const int dx = x - b.cx, dy = y - b.cy;
            if (dx * dx + dy * dy <= b.r * b.r + b.r)
                return true;
        }
        return false;
    };
    c.line(3, 124, 0, 119, kBlack);
    c.line(13, 124, 15, 120, kBlack);
    blob(c, 0, 108, 16, 36, inside, kBlack, kWhite, kLight);
    for (const Ball &b : balls)
        for (int dy = 1; dy <= b.r; ++dy)
            for (int dx = 1; dx <= b.r; ++dx)
                if (dx + dy > b.r && dx * dx + dy * dy < b.r * b.r)
                    c.put(b.cx + dx, b.cy + dy, kLight);
    c.fill(4, 110, 9, 1, kBlack);
    c.fill(5, 105, 7, 5, kBlack);
    c.fill(6, 106, 5, 1, kDark);
    c.put(6, 115, kBlack);
    c.put(10, 115, kBlack);
    c.fill(8, 117, 3, 1, kDark);
    c.fill(3, 120, 11, 2, kDark);
    c.fill(4, 122, 2, 4, kDark);
    c.put(8, 125, kBlack);
    c.put(8, 128, kBlack);
    c.put(8, 134, kBlack);
    windowRing(c, 1, kBlack);
}

void drawPineForest(Canvas &c)
{
    fillBorder(c, [](int, int y) { return y < 6 ? kWhite : kLight; });
    // Mountains far off above the picture, a line of distant firs before them.
    for (int x = 0; x < kW; ++x) {
        const double h = 6 + 3.5 * std::sin(x / 9.0) + 2.5 * std::sin(x / 4.1 + 1.3);
        const int peak = 14 - int(std::lround(h));
        c.fill(x, peak, 1, kB - peak, kWhite);
        c.put(x, peak, kDark);
        if (peak + 3 < kB)
            c.fill(x, peak + 3, 1, kB - peak - 3, kLight);
    }
    for (int x = 2; x < kW; x += 5) {
        const int h = 3 + int(noise(x, 0, 71) % 3);
        for (int i = 0; i < h; ++i)
            c.fill(x - i / 2, kB - h + i, 1 + (i / 2) * 2, 1, kDark);
    }
    // A tall fir up each side, its tip in the sky above.
    pine(c, 8, 3, kH - 4, 7, kDark, kLight);
    pine(c, kW - 9, 9, kH - 4, 7, kDark, kLight);
    // The forest floor: young firs, toadstools and grass.
    const Rows fir = {
        "....#....", "...#+#...", "..#+xx#..", ".#+xxxx#.", "..#####..", "..#+xx#..", ".#+xxxx#.",
        "#+xxxxxx#", ".#######.", ".#+xxxx#.", "#+xxxxxx#", "#########", "...#x#...", "...#x#...",
    };
    const Rows smallFir = {
        "....#....", "...#+#...", "..#+xx#..", ".#+xxxx#.", "..#####..",
        ".#+xxxx#.", "#+xxxxxx#", "#########", "...#x#...", "...#x#...",
    };
    for (int i = 0; i < 9; ++i) {
        const int x = 20 + i * 14 + int(noise(i, 0, 73) % 4);
        if (noise(i, 1, 73) % 3 == 0)
            shadeSprite(c, x, kH - 12, smallFir);
        else
            shadeSprite(c, x, kH - 16, fir);
    }
    c.fill(0, kH - 3, kW, 3, kDark);
    c.fill(0, kH - 4, kW, 1, kBlack);
    for (int x = 1; x < kW; x += 3 + int(noise(x, 2, 74) % 3)) {
        c.put(x, kH - 5, kBlack);
        c.put(x + 1, kH - 6, kDark);
    }
    const Rows toadstool = {".###.", "#o#o#", "#####", ".#o#.", ".#o#."};
    shadeSprite(c, 44, kH - 8, toadstool);
    shadeSprite(c, 101, kH - 8, toadstool);
    shadeSprite(c, 130, kH - 7, {".###", "#o#o", "####", ".#o#"});
    windowRing(c, 1, kBlack);
}

void drawOuterSpace(Canvas &c)
{
    fillBorder(c, [](int, int) { return kBlack; });
    for (int i = 0; i < 120; ++i) {
        const int x = int(noise(i, 1, 81) % kW), y = int(noise(i, 2, 81) % kH);
        const unsigned kind = noise(i, 3, 81) % 4;
        if (inBorder(x, y))
            c.put(x, y, kind == 0 ? kWhite : kind == 1 ? kLight : kDark);
    }
    for (const QPoint p : {QPoint(50, 4), QPoint(150, 48), QPoint(6, 112), QPoint(118, 11)})
        fourPointStar(c, p.x(), p.y(), kDark, kWhite);
    // The curve of a big cratered world along the bottom.
    const auto ground = [](int x) { return kBottom + 5 + (x - 80) * (x - 80) / 640; };
    for (int x = 0; x < kW; ++x) {
        const int top = ground(x);
        c.fill(x, top, 1, kH - top, kLight);
        c.put(x, top, kWhite);
        c.put(x, top - 1, kDark);
        if (top + 1 < kH)
            c.fill(x, kH - 2, 1, 2, kDark);
    }
    for (const QPoint p :
         {QPoint(30, 140), QPoint(58, 136), QPoint(92, 138), QPoint(124, 137), QPoint(78, 142)}) {
        if (p.y() <= ground(p.x()) + 1)
            continue;
        c.ellipse(p.x(), p.y(), 3, 1, kDark);
        c.fill(p.x() - 2, p.y() - 1, 4, 1, kBlack);
        c.fill(p.x() - 1, p.y() + 1, 4, 1, kWhite);
    }
    // A ringed planet in the top left, banded and shaded.
    for (int dy = -9; dy <= 9; ++dy)
        for (int dx = -9; dx <= 9; ++dx) {
            if (dx * dx + dy * dy > 9 * 9 + 9)
                continue;
            const int shade = dx + dy; // light from the upper left
            QRgb colour = shade < -5 ? kWhite : shade < 5 ? kLight : kDark;
            if ((dy + 20) % 5 == 0)
                colour = colour == kWhite ? kLight : colour == kLight ? kDark : kBlack;
            c.put(12 + dx, 11 + dy, colour);
        }
    for (int dx = -17; dx <= 17; ++dx) {
        const double e = 1.0 - double(dx * dx) / 289.0;
        const int dy = int(std::lround(4 * std::sqrt(std::max(0.0, e))));
        const int y = 11 + dx / 4;
        c.put(12 + dx, y + dy, kWhite);
        c.put(12 + dx, y + dy + 1, kDark);
        if (std::abs(dx) > 8)
            c.put(12 + dx, y - dy, kLight);
    }
    // A small moon in the top right.
    c.disc(kW - 10, 8, 5, kDark);
    c.disc(kW - 11, 7, 4, kLight);
    c.put(kW - 12, 6, kWhite);
    c.put(kW - 9, 9, kDark);
    // A flying saucer along the top.
    const Rows saucer = {
        ".......###.......", "......#oo+#......",  ".....#o+xxx#.....",  "..#############..",
        ".#+o+o+o+o+o+o+#.", "#xxxxxxxxxxxxxxxx#", ".################.", "...+....+....+....",
    };
    shadeSprite(c, 72, 3, saucer);
    // A rocket climbing the left side, an astronaut floating on the right.
    const Rows rocket = {
        "....#....", "...#o#...", "...#o#...", "..#ooo#..", "..#o#o#..", "..##x##..",
        "..#o#o#..", "..#ooo#..", "..#oo+#..", ".##oo+##.", "#o#oo+#o#", "#o#oo+#o#",
        "###oo+###", "..#####..", "...#+#...", "..#+o+#..", "...#o#...", "....+....",
    };
    shadeSprite(c, 3, 48, rocket);
    const Rows astronaut = {
        "...#####...", "..#ooooo#..", ".#oo###oo#.", ".#o#+xx#o#.", ".#o#xxx#o#.",
        ".#oo###oo#.", "..#ooooo#..", ".##+ooo+##.", "#o#ooooo#o#", "#+#oo+oo#+#",
        ".##ooooo##.", "..#oo#oo#..", "..#+#.#+#..", "..###.###..",
    };
    shadeSprite(c, kW - 13, 74, astronaut);
    windowRing(c, 1, kDark);
}

} // namespace camvista::data::art::frames
