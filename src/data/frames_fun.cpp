// Playful frames: hearts, racing, circuits, music, candy, comics, a party.
#include "data/frame_art.h"

#include <algorithm>
#include <cmath>

namespace camvista::data::art::frames
{

namespace
{

constexpr double kPi = 3.14159265358979;

// A jagged starburst with its outline and a drop shadow, text in the middle.
void burst(Canvas &c, int cx, int cy, int rx, int ry, std::string_view text, unsigned seed)
{
    const auto inside = [&](int x, int y, int grow) {
        const double dx = x - cx, dy = (y - cy) * double(rx) / ry;
        const double a = std::atan2(dy, dx);
        const int spike = int(std::floor((a + kPi) / (2 * kPi) * 14));
        const double t = std::fmod((a + kPi) / (2 * kPi) * 14, 1.0);
        const double jag = (noise(spike, 0, seed) % 3) * 0.12 + 0.7;
        const double r = rx * (jag + (1 - jag) * (1 - std::abs(2 * t - 1)));
        return std::sqrt(dx * dx + dy * dy) <= r + grow;
    };
    for (int y = cy - ry - 3; y <= cy + ry + 3; ++y)
        for (int x = cx - rx - 3; x <= cx + rx + 3; ++x)
            if (inside(x - 2, y - 2, 1))
                c.put(x, y, kDark);
    for (int y = cy - ry - 3; y <= cy + ry + 3; ++y)
        for (int x = cx - rx - 3; x <= cx + rx + 3; ++x) {
            if (inside(x, y, 0))
                c.put(x, y, kWhite);
            else if (inside(x, y, 1))
                c.put(x, y, kBlack);
        }
    centredText(c, cx + 1, cy - 3, text, kBlack);
}

void pennant(Canvas &c, int x, int y, int w, QRgb fill)
{
    for (int row = 0; row < w; ++row) {
        const int half = (w - row) / 2;
        const int left = x + w / 2 - half;
        c.fill(left, y + row, 2 * half + 1 - (w % 2 ? 0 : 1), 1, kBlack);
        if (half > 0)
            c.fill(left + 1, y + row, 2 * half - 1 - (w % 2 ? 0 : 1), 1, row == 0 ? kBlack : fill);
    }
}

void balloon(Canvas &c, int cx, int cy, QRgb fill, QRgb shade)
{
    c.ellipse(cx, cy, 5, 6, kBlack);
    c.ellipse(cx, cy, 4, 5, fill);
    for (int dy = 1; dy <= 5; ++dy)
        for (int dx = 0; dx <= 4; ++dx)
            if (dx + dy >= 6 && dx * dx * 25 + dy * dy * 16 <= 400)
                c.put(cx + dx, cy + dy, shade);
    c.fill(cx - 2, cy - 3, 1, 2, kWhite);
    c.put(cx - 1, cy - 4, kWhite);
    c.fill(cx - 1, cy + 6, 3, 1, kBlack);
    for (int i = 0; i < 6; ++i)
        c.put(cx + ((i / 2) % 2 ? 1 : 0), cy + 7 + i, kBlack);
}

} // namespace

void drawHearts(Canvas &c)
{
    fillBorder(c, [](int, int) { return kLight; });
    for (int y = -2; y < kH; y += 8)
        for (int x = (y / 8) % 2 ? 2 : -2; x < kW; x += 8)
            smallHeart(c, x, y + 2, kWhite);
    ringAt(c, 0, kBlack);
    windowRing(c, 1, kBlack);
    windowRing(c, 2, kWhite);
    for (const QPoint p :
         {QPoint(3, 3), QPoint(kW - 12, 3), QPoint(3, kH - 12), QPoint(kW - 12, kH - 12)})
        heart(c, p.x(), p.y(), kDark, kBlack, kWhite);
    // A ribbon banner across the bottom.
    const std::string_view word = "LOVE";
    const int w = textWidth(word) + 12;
    const int x = 80 - w / 2;
    c.fill(x - 8, 133, 10, 8, kBlack);
    c.fill(x - 7, 134, 8, 6, kDark);
    c.put(x - 7, 137, kBlack);
    c.fill(x + w - 2, 133, 10, 8, kBlack);
    c.fill(x + w - 1, 134, 8, 6, kDark);
    c.put(x + w + 6, 137, kBlack);
    c.fill(x, 130, w, 11, kBlack);
    c.fill(x + 1, 131, w - 2, 9, kWhite);
    c.fill(x + 1, 139, w - 2, 1, kLight);
    centredText(c, 80, 132, word, kBlack);
    smallHeart(c, x + 2, 134, kDark);
    smallHeart(c, x + w - 7, 134, kDark);
    // Two hearts together at the top.
    heart(c, 71, 4, kWhite, kBlack, kLight);
    heart(c, 80, 5, kDark, kBlack, kWhite);
}

void drawRaceFlags(Canvas &c)
{
    // Chequered bands above and below, striped kerbs at the sides.
    fillBorder(c, [](int x, int y) {
        if (y < kB || y >= kBottom)
            return ((x / 4) + (y / 4)) % 2 ? kBlack : kWhite;
        const int stripe = ((y - kB) / 8) % 2;
        const int edge = x < kB ? x : kW - 1 - x;
        if (edge < 2)
            return kBlack;
        if (edge > 13)
            return kDark;
        return stripe ? kBlack : kWhite;
    });
    // The finish banner.
    const std::string_view word = "FINISH";
    const int w = textWidth(word) + 10;
    const int x = 80 - w / 2;
    c.fill(x, kBottom + 2, w, 12, kBlack);
    c.fill(x + 1, kBottom + 3, w - 2, 10, kDark);
    c.fill(x + 1, kBottom + 3, w - 2, 1, kLight);
    c.outlinedText(x + 5, kBottom + 5, word, kWhite, kBlack);
    // A little racing car along the top.
    const Rows car = {
        "......####..........", ".....#+oo+#.........", "..####++++#######...",
        ".#ooooooooooooooxx#.", "#oo#o#ooooo#o#oxxx#.", "#o###oxxxxo###oxxx##",
        ".#x#x###########x#x#", "..###.........###...",
    };
    c.fill(70, 3, 22, 10, kWhite);
    shadeSprite(c, 71, 4, car);
    windowRing(c, 1, kDark);
}

void drawCircuitBoard(Canvas &c)
{
    fillBorder(c, [](int x, int y) { return (noise(x, y, 91) % 11 == 0) ? kBlack : kDark; });
    // Traces: straight runs with 45 degree bends, ending in round pads.
    const auto pad = [&c](int x, int y) {
        c.disc(x, y, 1, kWhite);
        c.put(x, y, kBlack);
    };
    const auto trace = [&c](int x0, int y0, int x1, int y1) { c.line(x0, y0, x1, y1, kLight); };
    for (int i = 0; i < 6; ++i) {
        const int x = 20 + i * 22;
        const int y = 3 + (i % 3) * 3;
        trace(x, y, x + 10, y);
        trace(x + 10, y, x + 14, y + 4);
        trace(x + 14, y + 4, x + 20, y + 4);
        pad(x, y);
        pad(x + 20, y + 4);
    }
    for (int i = 0; i < 5; ++i) {
        const int y = 22 + i * 21;
        const int x = 3 + (i % 2) * 5;
        trace(x, y, x, y + 8);
        trace(x, y + 8, x + 4, y + 12);
        trace(kW - 1 - x, y + 4, kW - 1 - x, y + 12);
        trace(kW - 1 - x, y + 12, kW - 5 - x, y + 16);
        pad(x, y);
        pad(x + 4, y + 12);
        pad(kW - 1 - x, y + 4);
        pad(kW - 5 - x, y + 16);
    }
    for (int i = 0; i < 7; ++i) {
        const int x = 14 + i * 20;
        trace(x, kH - 4, x + 8, kH - 4);
        trace(x + 8, kH - 4, x + 12, kH - 8);
        pad(x, kH - 4);
        pad(x + 12, kH - 8);
    }
    // Chips with their legs, in the corners and the middle of the bottom.
    const auto chip = [&c](int x, int y, int w, int h) {
        for (int i = x + 2; i < x + w - 1; i += 2) {
            c.fill(i, y - 2, 1, 2, kWhite);
            c.fill(i, y + h, 1, 2, kWhite);
        }
        c.fill(x, y, w, h, kBlack);
        c.fill(x + 1, y + 1, w - 2, 1, kDark);
        c.put(x + 2, y + h - 3, kLight);
    };
    chip(2, 3, 12, 10);
    chip(kW - 14, 3, 12, 10);
    chip(2, kH - 13, 12, 10);
    chip(kW - 14, kH - 13, 12, 10);
    chip(56, kBottom + 3, 48, 10);
    centredText(c, 80, kBottom + 4, "CAM-1", kLight);
    // Resistors on the sides.
    for (const QPoint p : {QPoint(9, 58), QPoint(kW - 12, 80)}) {
        c.fill(p.x(), p.y(), 4, 9, kBlack);
        c.fill(p.x() + 1, p.y() + 1, 2, 7, kLight);
        c.fill(p.x() + 1, p.y() + 2, 2, 1, kBlack);
        c.fill(p.x() + 1, p.y() + 5, 2, 1, kDark);
    }
    windowRing(c, 1, kBlack);
    windowRing(c, 2, kLight);
}

void drawMusic(Canvas &c)
{
    fillBorder(c, [](int, int) { return kWhite; });
    // A staff along the top and the bottom.
    for (const int top : {2, kBottom + 3}) {
        for (int i = 0; i < 5; ++i)
            c.fill(2, top + i * 2, kW - 4, 1, kDark);
        c.fill(2, top, 1, 9, kBlack);
        c.fill(kW - 3, top, 1, 9, kBlack);
        c.fill(kW - 5, top, 1, 9, kBlack);
    }
    // A treble clef at the start of the top staff.
    const Rows clef = {
        "...#.", "..#.#", "..#.#", "..##.", "..#..", ".##..", "#.#..",
        "#.###", "#.#.#", ".###.", "..#..", "#.#..", ".#...",
    };
    shadeSprite(c, 4, 1, clef);
    const int kinds[] = {0, 1, 2, 0, 1, 0, 2, 1, 0};
    for (int i = 0; i < 9; ++i) {
        const int x = 18 + i * 14;
        const int lift = int(noise(i, 0, 93) % 4);
        note(c, x, 1 + lift, kinds[i], kBlack);
        note(c, x + 3, kBottom + 1 + int(noise(i, 1, 93) % 4), kinds[(i + 4) % 9], kBlack);
    }
    // Piano keys down both sides, black keys towards the outside.
    for (const bool left : {true, false}) {
        const int x0 = left ? 0 : kRight;
        c.fill(x0, kB, kB, kBottom - kB, kWhite);
        for (int k = 0; k * 4 < kBottom - kB; ++k) {
            const int y = kB + k * 4;
            c.fill(x0, y + 3, kB, 1, kLight);
            const int inOctave = k % 7;
            if (inOctave != 2 && inOctave != 6) {
                const int kx = left ? x0 : x0 + kB - 9;
                c.fill(kx, y + 2, 9, 3, kBlack);
                c.put(left ? kx + 7 : kx + 1, y + 2, kDark);
            }
        }
        c.fill(left ? kB - 1 : kRight, kB, 1, kBottom - kB, kDark);
        c.fill(left ? 0 : kW - 1, kB, 1, kBottom - kB, kBlack);
    }
    windowRing(c, 1, kBlack);
}

void drawCandyStripes(Canvas &c)
{
    fillBorder(c, [](int x, int y) {
        const int d[4] = {y, x, kW - 1 - x, kH - 1 - y};
        const int v = *std::min_element(d, d + 4);
        if (v == 0 || v == 15)
            return kBlack;
        const bool stripe = ((x + y) % 12) < 5;
        const bool edge = ((x + y) % 12) == 5 || ((x + y) % 12) == 11;
        // The band is a round stick: paler along the top, deeper at the rims.
        if (v == 3 || v == 4)
            return stripe ? kLight : kWhite;
        if (v == 1 || v == 14)
            return stripe ? kBlack : kLight;
        if (edge)
            return stripe ? kBlack : kLight;
        return stripe ? kDark : kWhite;
    });
    // Peppermint swirls in the corners.
    for (const QPoint p :
         {QPoint(8, 8), QPoint(kW - 9, 8), QPoint(8, kH - 9), QPoint(kW - 9, kH - 9)}) {
        c.disc(p.x(), p.y(), 8, kBlack);
        for (int dy = -7; dy <= 7; ++dy)
            for (int dx = -7; dx <= 7; ++dx) {
                if (dx * dx + dy * dy > 7 * 7 + 7)
                    continue;
                const double a = std::atan2(dy, dx) + std::sqrt(dx * dx + dy * dy) * 0.35;
                const int sector = int(std::floor((a + 4 * kPi) / (kPi / 4))) % 2;
                c.put(p.x() + dx, p.y() + dy, sector ? kDark : kWhite);
            }
        c.disc(p.x(), p.y(), 1, kWhite);
        c.fill(p.x() - 4, p.y() - 5, 2, 1, kWhite);
        c.put(p.x() - 5, p.y() - 4, kWhite);
    }
    // Wrapped sweets in the middle of each band.
    const Rows sweet = {
        "#.........#", "##.#####.##", "#+##ooo##+#", "#x#o+++o#x#",
        "#+##+++##+#", "##.#####.##", "#.........#",
    };
    (void)sweet;
    windowRing(c, 1, kBlack);
}

void drawComicBursts(Canvas &c)
{
    // Printed dots on white, speed lines out from the picture.
    fillBorder(c, [](int x, int y) {
        if ((y % 4 == 0 && x % 4 == 0) || (y % 4 == 2 && x % 4 == 2))
            return kLight;
        return kWhite;
    });
    for (int i = 0; i < 40; ++i) {
        const double a = i * 2 * kPi / 40;
        const double ca = std::cos(a), sa = std::sin(a);
        for (int r = 72; r < 110; ++r) {
            const int x = 80 + int(std::lround(r * ca * 1.05));
            const int y = 72 + int(std::lround(r * sa * 0.95));
            if (inBorder(x, y) && r % 9 < 6)
                c.put(x, y, kDark);
        }
    }
    ringAt(c, 0, kBlack);
    burst(c, 22, 9, 20, 8, "POW!", 1);
    burst(c, kW - 22, 8, 19, 8, "ZAP!", 2);
    burst(c, 24, kH - 8, 21, 8, "BAM!", 3);
    burst(c, kW - 24, kH - 9, 21, 8, "WOW!", 4);
    // A speech balloon in the middle of the top.
    c.roundFill(60, 2, 40, 12, 4, kBlack);
    c.roundFill(61, 3, 38, 10, 3, kWhite);
    centredText(c, 80, 4, "HA HA", kBlack);
    windowRing(c, 1, kBlack);
    windowRing(c, 2, kBlack);
}

void drawBirthdayParty(Canvas &c)
{
    fillBorder(c, [](int, int) { return kWhite; });
    // Confetti.
    for (int i = 0; i < 120; ++i) {
        const int x = int(noise(i, 1, 95) % kW), y = int(noise(i, 2, 95) % kH);
        const QRgb colour = noise(i, 3, 95) % 2 ? kDark : kLight;
        if (noise(i, 4, 95) % 2)
            c.fill(x, y, 2, 1, colour);
        else
            c.fill(x, y, 1, 2, colour);
    }
    // Bunting along the top, hanging from a string in shallow loops.
    for (int x = 0; x < kW; ++x) {
        const int y = 2 + int(std::lround(2 * std::sin((x % 40) * kPi / 40)));
        c.put(x, y, kBlack);
    }
    for (int i = 0; i < 16; ++i) {
        const int x = 2 + i * 10;
        const int y = 3 + int(std::lround(2 * std::sin(((x + 3) % 40) * kPi / 40)));
        const QRgb fills[3] = {kDark, kLight, kBlack};
        pennant(c, x, y, 7, fills[i % 3]);
    }
    // Balloons in the upper corners, their strings trailing down the sides.
    balloon(c, 7, 22, kDark, kBlack);
    balloon(c, kW - 8, 26, kLight, kDark);
    balloon(c, 8, 60, kLight, kDark);
    balloon(c, kW - 8, 70, kDark, kBlack);
    // The greeting along the bottom.
    c.outlinedText(80 - textWidth("HAPPY BIRTHDAY!") / 2, kBottom + 5, "HAPPY BIRTHDAY!", kWhite,
                   kBlack);
    // A cake on the left, a present on the right.
    const Rows cake = {
        "..o.o.o..", "..#.#.#..", ".#######.", "#ooooooo#",
        "#x+x+x+x#", "#ooooooo#", "#+++++++#", "#########",
    };
    shadeSprite(c, 4, kBottom + 6, cake);
    const Rows present = {
        "..##.##..", "...#o#...", "#########", "#+++#+++#",
        "#########", "#+++#+++#", "#x++#++x#", "#########",
    };
    shadeSprite(c, kW - 13, kBottom + 6, present);
    windowRing(c, 1, kBlack);
}

} // namespace camvista::data::art::frames
