// Frames of the outdoors: flowers, night sky, the sea, sun and clouds, snow, forest, space.
#include "data/frame_art.h"

#include <algorithm>
#include <cmath>

namespace camvista::data::art::frames
{

namespace
{

constexpr double kPi = 3.14159265358979;

// A point on a loop around the picture, t from 0 to 1, `inset` in from the outer edge.
QPointF aroundBorder(double t, double inset)
{
    const double w = kW - 1 - 2 * inset, h = kH - 1 - 2 * inset;
    double s = t * 2 * (w + h);
    if (s < w)
        return {inset + s, inset};
    s -= w;
    if (s < h)
        return {kW - 1 - inset, inset + s};
    s -= h;
    if (s < w)
        return {kW - 1 - inset - s, kH - 1 - inset};
    s -= w;
    return {inset, kH - 1 - inset - s};
}

void flower(Canvas &c, int cx, int cy, bool big)
{
    if (big) {
        const Rows rows = {
            "...###...", "..#ooo#..", ".##ooo##.", "#oo#o#oo#", "#ooo#ooo#",
            "#o#x#x#o#", ".##xxx##.", "#o#x#x#o#", "#ooo#ooo#", "#oo#o#oo#",
            ".##ooo##.", "..#ooo#..", "...###...",
        };
        (void)rows;
        // Five round petals around a dark heart.
        for (int i = 0; i < 5; ++i) {
            const double a = -kPi / 2 + i * 2 * kPi / 5;
            const int px = cx + int(std::lround(4 * std::cos(a)));
            const int py = cy + int(std::lround(4 * std::sin(a)));
            c.disc(px, py, 3, kBlack);
        }
        for (int i = 0; i < 5; ++i) {
            const double a = -kPi / 2 + i * 2 * kPi / 5;
            const int px = cx + int(std::lround(4 * std::cos(a)));
            const int py = cy + int(std::lround(4 * std::sin(a)));
            c.disc(px, py, 2, kWhite);
            c.put(px + 1, py + 1, kLight);
        }
        c.disc(cx, cy, 2, kBlack);
        c.disc(cx, cy, 1, kDark);
        c.put(cx - 1, cy - 1, kLight);
        return;
    }
    shadeSprite(c, cx - 2, cy - 2, {".#o#.", "#o+o#", "o+x+o", "#o+o#", ".#o#."});
}

void leaf(Canvas &c, int x, int y, bool pointsRight)
{
    const Rows rows = {".##..", "#xx#.", "#x+x#", ".#xx#", "..##."};
    shadeSprite(c, x, y, rows, pointsRight ? Turn::None : Turn::FlipX);
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

void cloud(Canvas &c, int x, int y, int w, QRgb outline, QRgb fill, QRgb shade)
{
    // Puffs along the top, a flat base.
    const int h = 7;
    const auto puffs = [&](int grow, QRgb colour) {
        for (int px = x + 3; px <= x + w - 4; px += 5) {
            const int r = 3 + int(noise(px, y, 9) % 2);
            c.disc(px, y + h - r - 1, r + grow, colour);
        }
        c.fill(x - grow, y + 2 - grow, w + 2 * grow, h - 2 + 2 * grow, colour);
    };
    (void)puffs;
    for (int px = x + 4; px <= x + w - 5; px += 5) {
        const int r = 3 + int(noise(px, y, 9) % 2);
        c.disc(px, y + h - r - 2, r + 1, outline);
    }
    c.roundFill(x, y + 2, w, h, 3, outline);
    for (int px = x + 4; px <= x + w - 5; px += 5) {
        const int r = 3 + int(noise(px, y, 9) % 2);
        c.disc(px, y + h - r - 2, r, fill);
    }
    c.roundFill(x + 1, y + 3, w - 2, h - 2, 2, fill);
    c.fill(x + 2, y + h, w - 4, 1, shade);
}

void pine(Canvas &c, int cx, int baseY, int height, QRgb body, QRgb edge)
{
    // Tiers of needles, widest at the bottom, on a short trunk.
    c.fill(cx, baseY - 2, 1, 3, kBlack);
    const int top = baseY - height;
    for (int y = top; y < baseY - 1; ++y) {
        const int d = y - top;
        const int tier = d % 4;
        const int half = d / 3 + tier / 2;
        c.fill(cx - half, y, 2 * half + 1, 1, body);
        c.put(cx - half, y, edge);
        c.put(cx + half, y, edge);
    }
}

} // namespace

void drawFlowerVines(Canvas &c)
{
    fillBorder(
        c, [](int x, int y) { return (x + y) % 4 == 0 && (x * 3 + y) % 8 == 0 ? kLight : kWhite; });
    ringAt(c, 0, kDark);
    // A twining stem around the picture, with leaves on alternate sides.
    QPoint last(-1, -1);
    const int steps = 2400;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const QPointF base = aroundBorder(t, 8);
        const double wobble = 3 * std::sin(t * 2 * kPi * 24);
        QPointF p = base;
        if (std::abs(base.y() - 8) < 0.01 || std::abs(base.y() - (kH - 9)) < 0.01)
            p.ry() += wobble;
        else
            p.rx() += wobble;
        const QPoint q(int(std::lround(p.x())), int(std::lround(p.y())));
        if (q != last)
            c.put(q.x(), q.y(), kBlack);
        last = q;
    }
    for (int i = 0; i < 48; ++i) {
        const double t = (i + 0.5) / 48;
        const QPointF base = aroundBorder(t, 8);
        const bool across = std::abs(base.y() - 8) < 0.01 || std::abs(base.y() - (kH - 9)) < 0.01;
        const int side = i % 2 ? 1 : -1;
        const int lx = int(base.x()) + (across ? 0 : side * 4) - 2;
        const int ly = int(base.y()) + (across ? side * 4 : 0) - 2;
        leaf(c, lx, ly, side > 0);
    }
    for (int i = 0; i < 16; ++i) {
        const QPointF p = aroundBorder((i + 0.25) / 16, 8);
        flower(c, int(p.x()), int(p.y()), false);
    }
    for (const QPoint p :
         {QPoint(8, 8), QPoint(kW - 9, 8), QPoint(8, kH - 9), QPoint(kW - 9, kH - 9)})
        flower(c, p.x(), p.y(), true);
    windowRing(c, 1, kBlack);
}

void drawStarryNight(Canvas &c)
{
    // Deep sky, a little lighter towards the horizon.
    fillBorder(c, [](int x, int y) {
        const int level = std::clamp((y - 60) / 5, 0, 16);
        static constexpr int bayer[4][4] = {
            {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
        return bayer[y & 3][x & 3] < level ? kDark : kBlack;
    });
    for (int i = 0; i < 90; ++i) {
        const int x = int(noise(i, 1, 21) % kW), y = int(noise(i, 2, 21) % kH);
        if (inBorder(x, y) && y < 132)
            c.put(x, y, noise(i, 3, 21) % 3 ? kLight : kWhite);
    }
    for (const QPoint p : {QPoint(30, 7), QPoint(6, 40), QPoint(152, 70), QPoint(104, 5),
                           QPoint(8, 100), QPoint(150, 110)})
        fourPointStar(c, p.x(), p.y(), kLight, kWhite);
    // A crescent moon in the upper right.
    c.disc(140, 8, 6, kWhite);
    c.disc(141, 7, 4, kWhite);
    c.disc(137, 6, 5, kBlack);
    c.put(143, 10, kLight);
    c.put(141, 12, kLight);
    // A shooting star.
    for (int i = 0; i < 14; ++i)
        c.put(46 + i, 3 + i / 3, i < 5 ? kDark : i < 10 ? kLight : kWhite);
    sparkle(c, 60, 7, 1, kWhite);
    // Sleeping town along the bottom: roofs and chimneys, a few windows still lit.
    int x = 0;
    int n = 0;
    while (x < kW) {
        const int w = 12 + int(noise(n, 0, 31) % 10);
        const int roof = kBottom + 2 + int(noise(n, 1, 31) % 5);
        c.fill(x, roof + 3, w, kH - roof, kBlack);
        for (int i = 0; i < 4; ++i)
            c.fill(x + i, roof + 3 - i, w - 2 * i, 1, kBlack);
        if (n % 2 == 0)
            c.fill(x + w - 5, roof - 2, 2, 4, kBlack);
        if (noise(n, 2, 31) % 3 != 0) {
            c.fill(x + 3, roof + 6, 2, 2, kLight);
            c.put(x + 3, roof + 6, kWhite);
        }
        if (w > 16 && noise(n, 3, 31) % 2 == 0)
            c.fill(x + w - 6, roof + 8, 2, 2, kLight);
        x += w;
        ++n;
    }
    windowRing(c, 1, kDark);
}

void drawSeaside(Canvas &c)
{
    // Rows of wave scales, each lower row laid over the one above it.
    fillBorder(c, [](int, int) { return kDark; });
    c.setClip(0, 0, kW, kBottom);
    for (int row = -1; row * 4 < kBottom + 8; ++row) {
        const int cy = row * 4;
        for (int cx = (row % 2) ? 4 : 0; cx < kW + 8; cx += 8) {
            c.disc(cx, cy, 4, kBlack);
            c.disc(cx, cy, 3, kWhite);
            c.disc(cx, cy, 2, kDark);
            c.disc(cx, cy, 1, kLight);
        }
    }
    c.clearClip();
    // The beach: foam, then sand with shells.
    fillBorder(c, [&c](int x, int y) {
        if (y < kBottom)
            return c.at(x, y);
        return (noise(x, y, 41) % 9 == 0) ? kDark : kLight;
    });
    for (int x = 0; x < kW; ++x) {
        const int top = kBottom + int(std::lround(1.5 * std::sin(x / 5.0)));
        c.fill(x, top - 1, 1, 2, kWhite);
        c.put(x, top + 1, kDark);
    }
    const Rows star = {"...#...", "..#o#..", "###+###", "#o+x+o#", ".#o+o#.", "#o#.#o#", "##...##"};
    const Rows shell = {"..#####..", ".#o#o#o#.", "#o#o#o#o#", "#+#+#+#+#",
                        ".#+#+#+#.", "..#x#x#..", "...###..."};
    const Rows snail = {"..####.", ".#oo+x#", "#o#x#+#", "#o#ox#.", "#+x##..", ".####.."};
    shadeSprite(c, 6, 134, star);
    shadeSprite(c, 40, 134, shell);
    shadeSprite(c, 100, 135, snail);
    shadeSprite(c, 146, 134, star);
    windowRing(c, 1, kBlack);
}

void drawSunnySky(Canvas &c)
{
    fillBorder(c, [](int x, int y) {
        // Paler towards the sun in the upper left.
        const int d = (x + y) / 10;
        return d < 5 && (noise(x, y, 51) % 5) < unsigned(5 - d) ? kWhite : kLight;
    });
    // Birds far away.
    for (const QPoint p : {QPoint(60, 5), QPoint(70, 8), QPoint(150, 50), QPoint(110, 4)}) {
        c.put(p.x() - 2, p.y(), kDark);
        c.put(p.x() - 1, p.y() + 1, kDark);
        c.put(p.x(), p.y(), kDark);
        c.put(p.x() + 1, p.y() + 1, kDark);
        c.put(p.x() + 2, p.y(), kDark);
    }
    // A bank of clouds along the bottom and up the sides.
    for (int x = -6; x < kW; x += 22)
        cloud(c, x, kBottom + 4 + int(noise(x, 0, 52) % 3), 26, kDark, kWhite, kLight);
    for (int y = 40; y < kBottom; y += 28) {
        cloud(c, -4, y, 18, kDark, kWhite, kLight);
        cloud(c, kRight - 2, y + 14, 20, kDark, kWhite, kLight);
    }
    cloud(c, 88, 3, 30, kDark, kWhite, kLight);
    // The sun with rays in the upper left.
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4 + kPi / 8;
        const int x0 = 11 + int(std::lround(11 * std::cos(a)));
        const int y0 = 11 + int(std::lround(11 * std::sin(a)));
        const int x1 = 11 + int(std::lround(15 * std::cos(a)));
        const int y1 = 11 + int(std::lround(15 * std::sin(a)));
        c.line(x0, y0, x1, y1, kDark);
    }
    c.disc(11, 11, 9, kBlack);
    c.disc(11, 11, 8, kWhite);
    c.disc(12, 12, 7, kLight);
    c.disc(11, 11, 6, kWhite);
    c.fill(8, 9, 1, 2, kBlack);
    c.fill(14, 9, 1, 2, kBlack);
    c.put(8, 14, kBlack);
    c.fill(9, 15, 5, 1, kBlack);
    c.put(14, 14, kBlack);
    windowRing(c, 1, kDark);
}

void drawSnowfall(Canvas &c)
{
    fillBorder(c, [](int, int) { return kDark; });
    for (int i = 0; i < 70; ++i) {
        const int x = int(noise(i, 1, 61) % kW), y = int(noise(i, 2, 61) % kH);
        if (inBorder(x, y))
            c.put(x, y, noise(i, 3, 61) % 2 ? kLight : kWhite);
    }
    const QPoint flakes[] = {QPoint(8, 30),   QPoint(7, 62),   QPoint(9, 96),  QPoint(151, 24),
                             QPoint(152, 58), QPoint(150, 92), QPoint(40, 20), QPoint(120, 20)};
    int k = 0;
    for (const QPoint p : flakes)
        snowflake(c, p.x(), p.y(), 1 + (k++ % 3));
    // Snow lies on top, icicles hang from it.
    for (int x = 0; x < kW; ++x) {
        const int depth = 4 + int(std::lround(1.3 * std::sin(x / 6.0) + std::sin(x / 2.3) * 0.6));
        c.fill(x, 0, 1, depth, kWhite);
        c.put(x, depth, kLight);
        if (noise(x, 0, 62) % 5 == 0) {
            const int len = 3 + int(noise(x, 1, 62) % 8);
            c.fill(x, depth, 1, len, kLight);
            c.put(x, depth, kWhite);
        }
    }
    // Drifts along the bottom and a snowman in the corner.
    for (int x = 0; x < kW; ++x) {
        const int top =
            kBottom + 5 + int(std::lround(3 * std::sin(x / 11.0) + 1.5 * std::sin(x / 4.0 + 1)));
        c.fill(x, top, 1, kH - top, kWhite);
        c.fill(x, top + 4, 1, 1, kLight);
        c.put(x, top - 1, kLight);
    }
    const Rows snowman = {
        "....###....", "...#ooo#...", "..#o#o#o#..", "..#ooxoo#..", "...#ooo#...", ".x#o###o#x.",
        "x.#ooooo#.x", "..#oo#oo#..", ".#ooooooo#.", ".#ooo#ooo#.", ".#o+ooo+o#.", "..#+++++#..",
    };
    shadeSprite(c, 145, kBottom + 3, snowman);
    snowflake(c, 80, 137, 2);
    windowRing(c, 1, kBlack);
}

void drawPineForest(Canvas &c)
{
    fillBorder(c, [](int, int) { return kLight; });
    // Trunks of tall trees down the sides.
    for (const int tx : {4, kW - 8}) {
        c.fill(tx, 0, 4, kH, kDark);
        c.fill(tx, 0, 1, kH, kBlack);
        c.fill(tx + 3, 0, 1, kH, kBlack);
        for (int y = 3; y < kH; y += 7)
            c.fill(tx + 1, y, 1 + int(noise(tx, y, 71) % 2), 2, kBlack);
    }
    // Boughs reaching in from both sides.
    for (int y = 6; y < kBottom; y += 14) {
        for (int i = 0; i < 12; ++i) {
            c.fill(0, y + i / 2, 16 - i, 1, kBlack);
            c.fill(kRight + i, y + 7 + i / 2, 16 - i, 1, kBlack);
        }
        for (int i = 0; i < 10; i += 2) {
            c.put(15 - i, y + i / 2 + 1, kDark);
            c.put(kRight + 1 + i, y + 8 + i / 2, kDark);
        }
    }
    // Needles hanging along the top.
    for (int x = 0; x < kW; ++x) {
        const int depth = 6 + int(noise(x / 3, 0, 72) % 5) + ((x / 3) % 2) * 3;
        c.fill(x, 0, 1, depth, kBlack);
        if (x % 3 == 1)
            c.put(x, depth - 2, kDark);
    }
    // A row of young pines on the forest floor, mushrooms between them.
    c.fill(0, kH - 4, kW, 4, kDark);
    c.dither(0, kH - 2, kW, 2, kDark, kBlack, 8);
    for (int i = 0; i < 14; ++i) {
        const int cx = 6 + i * 11 + int(noise(i, 0, 73) % 4);
        pine(c, cx, kH - 4, 8 + int(noise(i, 1, 73) % 6), kBlack, kDark);
    }
    const Rows mushroom = {".###.", "#o#o#", "#####", "..o..", ".#o#."};
    shadeSprite(c, 30, kH - 9, mushroom);
    shadeSprite(c, 118, kH - 9, mushroom);
    windowRing(c, 1, kBlack);
}

void drawOuterSpace(Canvas &c)
{
    fillBorder(c, [](int, int) { return kBlack; });
    for (int i = 0; i < 110; ++i) {
        const int x = int(noise(i, 1, 81) % kW), y = int(noise(i, 2, 81) % kH);
        if (inBorder(x, y))
            c.put(x, y,
                  noise(i, 3, 81) % 4 == 0   ? kWhite
                  : noise(i, 3, 81) % 4 == 1 ? kLight
                                             : kDark);
    }
    sparkle(c, 60, 8, 2, kLight);
    c.put(60, 8, kWhite);
    sparkle(c, 150, 96, 1, kWhite);
    // A ringed planet in the top left, banded and shaded.
    for (int dy = -8; dy <= 8; ++dy)
        for (int dx = -8; dx <= 8; ++dx) {
            if (dx * dx + dy * dy > 8 * 8 + 8)
                continue;
            const int shade = dx + dy; // light from the upper left
            QRgb colour = shade < -4 ? kWhite : shade < 4 ? kLight : kDark;
            if ((dy + 20) % 5 == 0)
                colour = colour == kWhite ? kLight : colour == kLight ? kDark : kBlack;
            c.put(12 + dx, 10 + dy, colour);
        }
    for (int dx = -15; dx <= 15; ++dx) {
        const double e = 1.0 - double(dx * dx) / 225.0;
        const int dy = int(std::lround(3.5 * std::sqrt(std::max(0.0, e))));
        const int y = 10 + dx / 4;
        c.put(12 + dx, y + dy, kWhite);
        c.put(12 + dx, y + dy + 1, kDark);
        if (dx > -13 && dx < 13 && (dx < -7 || dx > 7))
            c.put(12 + dx, y - dy, kLight);
    }
    // A cratered moon low on the right.
    c.disc(148, 131, 8, kBlack);
    c.disc(148, 131, 7, kDark);
    c.disc(147, 130, 6, kLight);
    c.disc(146, 129, 4, kWhite);
    c.disc(149, 133, 1, kDark);
    c.disc(144, 128, 1, kLight);
    c.put(151, 128, kDark);
    // A rocket climbing the left side.
    const Rows rocket = {
        "...#...", "..#o#..", "..#o#..", ".#ooo#.", ".#o#o#.", ".#o#o#.", ".#ooo#.",
        ".#o+o#.", "##o+o##", "#x###x#", "#x.x.x#", "...+...", "..+o+..", "...+...",
    };
    shadeSprite(c, 4, 56, rocket);
    // A flying saucer along the bottom.
    const Rows saucer = {
        ".....###.....", "....#oo+#....", "..#########..", ".#+o+o+o+o+#.",
        "#xxxxxxxxxxx#", ".###########.", "...+..+..+...",
    };
    shadeSprite(c, 70, 132, saucer);
    windowRing(c, 1, kDark);
}

} // namespace camvista::data::art::frames
