// Frames after real materials: film, paper, wood, brick, tiles, rope, a television cabinet.
#include "data/frame_art.h"

#include <algorithm>
#include <cmath>

namespace camvista::data::art::frames
{

namespace
{

// The end of the neighbouring shot on the film, four pixels of it.
void filmNeighbour(Canvas &c, int x)
{
    for (int y = kB; y < kBottom; ++y)
        for (int i = 0; i < 4; ++i) {
            const int level = y < 70 ? (y - kB) / 4 : 16 - (y - 70) / 4;
            c.put(x + i, y,
                  (noise(x + i, y, 3) % 16) < unsigned(std::clamp(level, 0, 16)) ? kDark : kLight);
        }
    c.fill(x, 90, 4, 38, kDark);
    c.dither(x, 96, 4, 32, kDark, kBlack, 7);
}

} // namespace

void drawFilmStrip(Canvas &c)
{
    c.fill(0, 0, kW, kH, kBlack);
    // Sprocket holes: the light table shines through them.
    for (int x = 3; x < kW; x += 10)
        for (const int y : {2, kH - 6}) {
            c.fill(x, y, 6, 4, kWhite);
            for (const int dx : {0, 5})
                for (const int dy : {0, 3})
                    c.put(x + dx, y + dy, kDark);
        }
    filmNeighbour(c, 0);
    filmNeighbour(c, kW - 4);
    // Edge print: make and speed along the top, frame numbers and the date stamp below.
    c.text(20, 7, "CAMVISTA 400", kLight);
    const Rows arrow = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};
    c.sprite(112, 7, arrow, {{'#', kLight}});
    c.text(118, 7, "12", kLight);
    c.sprite(20, 130, arrow, {{'#', kLight}});
    c.text(26, 130, "12A", kLight);
    const std::string_view date = "'98 10 24";
    const int dateX = kRight - textWidth(date);
    c.text(dateX + 1, 131, date, kDark);
    c.text(dateX, 130, date, kWhite);
}

void drawInstantPhoto(Canvas &c)
{
    c.fill(0, 0, kW, kH, kWhite);
    // The card lies on a light table: its edge, and a shadow to the lower right.
    ringAt(c, 0, kLight);
    c.fill(1, kH - 1, kW - 1, 1, kDark);
    c.fill(kW - 1, 1, 1, kH - 1, kDark);
    // The print sits a little below the paper surface.
    windowRing(c, 1, kBlack);
    c.fill(kB - 2, kB - 2, kW - 2 * kB + 3, 1, kLight);
    c.fill(kB - 2, kB - 2, 1, kH - 2 * kB + 3, kLight);
    // A strip of tape holds it to the page.
    for (int y = 0; y < 11; ++y) {
        const int left = 64 + (y % 2), right = 96 - ((y + 1) % 2);
        c.fill(left, y, right - left, 1, kLight);
        c.put(left, y, kDark);
        c.put(right - 1, y, kDark);
        for (int x = left + 2; x < right - 2; ++x)
            if (noise(x, y, 6) % 6 == 0)
                c.put(x, y, kWhite);
    }
    c.fill(64, 11, 32, 1, kDark);
    // A caption written on the bottom edge.
    const int end = c.text(24, 131, "summer '98", kBlack) + 24;
    heart(c, end + 3, 130, kDark, kBlack, kLight);
    sparkle(c, end + 18, 133, 2, kDark);
    sparkle(c, end + 25, 138, 1, kDark);
    // A date stamped in the corner, as the lab printed it.
    const std::string_view date = "AUG 98";
    c.text(kRight - textWidth(date), 132, date, kLight);
}

void drawWoodenFrame(Canvas &c)
{
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (!inBorder(x, y))
                continue;
            const int d[4] = {y, x, kW - 1 - x, kH - 1 - y}; // top, left, right, bottom
            int side = 0;
            for (int i = 1; i < 4; ++i)
                if (d[i] < d[side])
                    side = i;
            const int v = d[side];
            const int u = side == 0 || side == 3 ? x : y;
            const bool lit = side < 2;
            int ties = 0;
            for (const int di : d)
                ties += di == v ? 1 : 0;
            QRgb colour = kDark;
            if (v == 0 || v == 3 || v == 15) {
                colour = kBlack;
            } else if (v == 1) {
                colour = lit ? kWhite : kLight;
            } else if (v == 2) {
                colour = lit ? kLight : kDark;
            } else if (v == 12) {
                colour = kBlack;
            } else if (v == 13 || v == 14) {
                // The inner slope faces away from the light on the top and left boards.
                colour = lit ? (v == 13 ? kDark : kBlack) : (v == 13 ? kWhite : kLight);
            } else {
                // The flat of the board: grain running along it.
                const double wave =
                    1.4 * std::sin(u / 13.0 + side * 1.9) + 0.7 * std::sin(u / 5.1 + side * 0.7);
                const int row = v + int(std::lround(wave)) + 40;
                if (row % 4 == 0)
                    colour = (noise(u / 14, row, unsigned(side)) % 5) != 0 ? kBlack : kDark;
                else if (row % 4 == 2 && (noise(u / 9, row, unsigned(side) + 7) % 3) == 0)
                    colour = kLight;
            }
            if (ties > 1 && v > 0)
                colour = v < 12 ? kBlack : colour; // the mitre joint
            c.put(x, y, colour);
        }
    // Knots in the wood.
    for (const QPoint p : {QPoint(38, 8), QPoint(117, 135), QPoint(8, 84), QPoint(151, 40)}) {
        const bool across = p.y() < kB || p.y() >= kBottom;
        c.ellipse(p.x(), p.y(), across ? 3 : 1, across ? 1 : 3, kBlack);
        c.ellipse(p.x(), p.y(), across ? 2 : 0, across ? 0 : 2, kDark);
        c.put(p.x(), p.y(), kLight);
    }
    // A brass name plate on the bottom board.
    const QRect plate(62, 130, 36, 11);
    c.fill(plate.x(), plate.y(), plate.width(), plate.height(), kBlack);
    c.fill(plate.x() + 1, plate.y() + 1, plate.width() - 2, plate.height() - 2, kLight);
    c.fill(plate.x() + 1, plate.y() + 1, plate.width() - 2, 1, kWhite);
    c.fill(plate.x() + 1, plate.y() + 1, 1, plate.height() - 2, kWhite);
    c.fill(plate.x() + 2, plate.bottom() - 1, plate.width() - 3, 1, kDark);
    c.fill(plate.right() - 1, plate.y() + 2, 1, plate.height() - 3, kDark);
    c.put(plate.x() + 3, plate.y() + 5, kDark);
    c.put(plate.right() - 3, plate.y() + 5, kDark);
    centredText(c, 80, plate.y() + 2, "1998", kBlack);
}

void drawBrickWall(Canvas &c)
{
    fillBorder(c, [](int, int) { return kLight; });
    // Courses of bricks, 11 x 4 with a pixel of mortar, every other course shifted.
    for (int course = 0; course * 5 < kH; ++course) {
        const int y = course * 5;
        for (int x = (course % 2) ? -6 : 0; x < kW; x += 12) {
            const unsigned n = noise(x, course, 11);
            const QRgb body = n % 7 == 0 ? kBlack : kDark;
            c.fill(x, y, 11, 4, body);
            c.fill(x, y + 3, 11, 1, kBlack);
            c.fill(x + 10, y, 1, 4, kBlack);
            if (body == kDark) {
                c.fill(x, y, 10, 1, n % 3 == 0 ? kLight : kDark);
                for (int i = 0; i < 3; ++i)
                    c.put(x + 1 + int(noise(x, y, unsigned(i)) % 9),
                          y + 1 + int(noise(y, x, unsigned(i)) % 2), kBlack);
            }
        }
    }
    // A stone window surround: lintel with a keystone, quoins at the sides, a sill below.
    const auto stone = [&c](int x, int y, int w, int h) {
        c.fill(x, y, w, h, kBlack);
        c.fill(x + 1, y + 1, w - 2, h - 2, kLight);
        c.fill(x + 1, y + 1, w - 2, 1, kWhite);
        c.fill(x + 1, y + 1, 1, h - 2, kWhite);
        c.fill(x + 2, y + h - 2, w - 3, 1, kDark);
        c.fill(x + w - 2, y + 2, 1, h - 3, kDark);
    };
    for (int y = kB; y < kBottom; y += 8) {
        const bool wide = (y / 8) % 2 == 0;
        stone(kB - (wide ? 10 : 6), y, wide ? 10 : 6, 8);
        stone(kRight, y, wide ? 10 : 6, 8);
    }
    stone(kB - 10, 8, kW - 2 * kB + 20, 8);
    stone(72, 5, 16, 11);
    // The sill sticks out: a white top, a grey front, a shadow on the bricks below.
    c.fill(kB - 12, kBottom, kW - 2 * kB + 24, 7, kBlack);
    c.fill(kB - 11, kBottom + 1, kW - 2 * kB + 22, 2, kWhite);
    c.fill(kB - 11, kBottom + 3, kW - 2 * kB + 22, 3, kLight);
    c.dither(kB - 11, kBottom + 7, kW - 2 * kB + 22, 2, kDark, kBlack, 8);
}

void drawMosaicTiles(Canvas &c)
{
    // Two glazed tiles, 7 x 7 with a line of grout, alternating like a chessboard.
    const Rows light = {"#ooooo#", "o#o+o#o", "oo#x#oo", "o+xox+o",
                        "oo#x#oo", "o#o+o#o", "#ooooo#"};
    const Rows dark = {"xxx+xxx", "xx+o+xx", "x+o#o+x", "+o###o+", "x+o#o+x", "xx+o+xx", "xxx+xxx"};
    fillBorder(c, [](int, int) { return kLight; });
    for (int ty = 0; ty < kH; ty += 8)
        for (int tx = 0; tx < kW; tx += 8)
            if (inBorder(tx, ty))
                shadeSprite(c, tx, ty, ((tx + ty) / 8) % 2 ? dark : light);
    // Rosettes in the corners, over four tiles each.
    for (const QPoint p :
         {QPoint(0, 0), QPoint(kRight, 0), QPoint(0, kBottom), QPoint(kRight, kBottom)}) {
        c.fill(p.x(), p.y(), 16, 16, kBlack);
        c.disc(p.x() + 8, p.y() + 8, 6, kWhite);
        c.ring(p.x() + 8, p.y() + 8, 6, kDark);
        for (int i = 0; i < 8; ++i) {
            const double a = i * 3.14159265 / 4;
            c.line(p.x() + 8, p.y() + 8, p.x() + 8 + int(std::lround(5 * std::cos(a))),
                   p.y() + 8 + int(std::lround(5 * std::sin(a))), i % 2 ? kLight : kDark);
        }
        c.disc(p.x() + 8, p.y() + 8, 1, kBlack);
        c.frame(p.x(), p.y(), 16, 16, kBlack);
    }
    ringAt(c, 0, kBlack);
    windowRing(c, 1, kBlack);
}

void drawRopeAndAnchors(Canvas &c)
{
    // Sailor stripes behind a twisted rope.
    fillBorder(c, [](int, int y) { return (y % 4) < 2 ? kWhite : kLight; });
    const int r0 = 5, r1 = 10; // the rope's band, in from the outer edge
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int d[4] = {y, x, kW - 1 - x, kH - 1 - y};
            const int v = *std::min_element(d, d + 4);
            if (v < r0 || v > r1)
                continue;
            const bool across = d[0] == v || d[3] == v;
            const int u = across ? x : y;
            const int depth = v - r0; // 0 .. 5
            const bool inner = (d[0] == v || d[1] == v) ? depth > 3 : depth < 2;
            QRgb colour;
            if (depth == 0 || depth == 5) {
                colour = kBlack;
            } else {
                switch ((u + depth) % 4) {
                case 0:
                    colour = kBlack;
                    break;
                case 1:
                    colour = inner ? kDark : kLight;
                    break;
                case 2:
                    colour = inner ? kLight : kWhite;
                    break;
                default:
                    colour = kLight;
                    break;
                }
            }
            c.put(x, y, colour);
        }
    // Life rings in the corners: white with four dark bands, the stripes showing through.
    for (const QPoint p :
         {QPoint(8, 8), QPoint(kW - 9, 8), QPoint(8, kH - 9), QPoint(kW - 9, kH - 9)}) {
        c.disc(p.x(), p.y(), 7, kBlack);
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const int r2 = dx * dx + dy * dy;
                const int x = p.x() + dx, y = p.y() + dy;
                if (r2 <= 2 * 2 + 2) {
                    c.put(x, y, (y % 4) < 2 ? kWhite : kLight);
                    continue;
                }
                if (r2 > 6 * 6 + 6 || r2 <= 3 * 3 + 3)
                    continue;
                const bool band = std::abs(std::abs(dx) - std::abs(dy)) <= 2;
                const bool shaded = dx + dy >= 4;
                c.put(x, y, band ? (shaded ? kBlack : kDark) : (shaded ? kLight : kWhite));
            }
        c.ring(p.x(), p.y(), 3, kBlack);
    }
    // A ship's wheel at the top, an anchor at the bottom.
    for (int i = 0; i < 8; ++i) {
        const double a = i * 3.14159265 / 4;
        const int ex = 80 + int(std::lround(7 * std::cos(a)));
        const int ey = 8 + int(std::lround(7 * std::sin(a)));
        c.line(80, 8, ex, ey, kBlack);
        c.put(ex, ey, kBlack);
    }
    c.ring(80, 8, 5, kBlack);
    c.ring(80, 8, 4, kDark);
    for (int i = 0; i < 8; ++i) {
        const double a = i * 3.14159265 / 4;
        c.put(80 + int(std::lround(4 * std::cos(a))), 8 + int(std::lround(4 * std::sin(a))),
              kBlack);
    }
    c.disc(80, 8, 2, kBlack);
    c.disc(80, 8, 1, kLight);
    c.put(79, 7, kWhite);
    c.disc(80, kBottom + 8, 7, kBlack);
    c.disc(80, kBottom + 8, 6, kDark);
    c.fill(76, kBottom + 3, 2, 1, kLight);
    c.put(75, kBottom + 4, kLight);
    const Rows anchor = {
        "....ooo....", "....o.o....", "....ooo....", "..ooooooo..", ".....o.....", ".....o.....",
        "o....o....o", "oo...o...oo", ".oo..o..oo.", "..ooooooo..", "....ooo....",
    };
    shadeSprite(c, 75, kBottom + 3, anchor);
    windowRing(c, 1, kBlack);
}

void drawRetroTelevision(Canvas &c)
{
    c.fill(0, 0, kW, kH, kWhite);
    // Rabbit-ear antennas above the cabinet.
    c.line(77, 4, 61, 0, kBlack);
    c.line(78, 4, 62, 0, kDark);
    c.line(83, 4, 99, 0, kBlack);
    c.line(82, 4, 98, 0, kDark);
    c.fill(60, 0, 2, 2, kBlack);
    c.fill(99, 0, 2, 2, kBlack);
    c.roundFill(73, 3, 15, 6, 3, 3, 0, 0, kBlack);
    c.roundFill(74, 4, 13, 4, 2, 2, 0, 0, kDark);
    c.fill(76, 5, 3, 1, kLight);
    // The cabinet: rounded plastic, lit from the top left.
    c.roundFill(0, 7, kW, kH - 7, 6, kBlack);
    c.roundFill(1, 8, kW - 2, kH - 9, 5, kLight);
    c.roundFill(2, 9, kW - 4, kH - 11, 4, kWhite);
    c.roundFill(3, 10, kW - 5, kH - 12, 4, kDark);
    c.roundFill(3, 10, kW - 6, kH - 13, 4, kLight);
    // The screen's dark bezel with a glint on its upper left.
    c.roundFill(kB - 7, kB - 6, kW - 2 * kB + 14, kH - 2 * kB + 12, 4, kBlack);
    c.roundFill(kB - 5, kB - 4, kW - 2 * kB + 10, kH - 2 * kB + 8, 3, kDark);
    c.fill(kB - 3, kB - 2, kW - 2 * kB + 6, kH - 2 * kB + 4, kBlack);
    c.fill(kB - 2, kB - 3, 20, 1, kLight);
    c.fill(kB - 4, kB - 1, 1, 12, kLight);
    // The control strip: speaker slots, name badge, two knobs and a light.
    for (int y = 131; y < 141; y += 2)
        c.fill(12, y, 30, 1, kBlack);
    c.fill(58, 132, 44, 9, kBlack);
    c.fill(59, 133, 42, 7, kDark);
    centredText(c, 80, 133, "CAMVISION", kWhite);
    for (const int kx : {120, 136}) {
        c.disc(kx, 136, 4, kBlack);
        c.disc(kx, 136, 3, kLight);
        c.fill(kx - 2, 135, 2, 1, kWhite);
        c.put(kx + 2, 137, kDark);
        c.fill(kx, 133, 1, 3, kBlack);
    }
    c.disc(148, 136, 1, kBlack);
    c.put(148, 136, kWhite);
}

} // namespace camvista::data::art::frames
