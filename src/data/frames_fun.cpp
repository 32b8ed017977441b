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
// An oval with spikes all round, longest at the sides, and a drop shadow; text in the middle.
void burst(Canvas &c, int cx, int cy, int rx, int ry, std::string_view text, unsigned seed)
{
    constexpr int spikes = 12;
    struct Tri {
        double ax, ay, bx, by, tx, ty;
    };
    Tri tris[spikes];
    for (int k = 0; k < spikes; ++k) {
        const double a = (k + 0.5 + 0.3 * (noise(k, 0, seed) % 3) / 2.0) * 2 * kPi / spikes;
        const double half = kPi / spikes * 0.8;
        const double reach = 1.0 + 5.0 * std::abs(std::cos(a)) + (noise(k, 1, seed) % 2);
        const auto edge = [&](double t, double grow) {
            return QPointF(cx + (rx + grow) * std::cos(t), cy + (ry + grow * 0.5) * std::sin(t));
        };
        const QPointF p = edge(a - half, -1), q = edge(a + half, -1), tip = edge(a, reach);
        tris[k] = {p.x(), p.y(), q.x(), q.y(), tip.x(), tip.y()};
    }
    const auto inTri = [](const Tri &t, double x, double y) {
        const auto side = [](double x1, double y1, double x2, double y2, double px, double py) {
            return (x2 - x1) * (py - y1) - (y2 - y1) * (px - x1);
        };
        const double d1 = side(t.ax, t.ay, t.bx, t.by, x, y);
        const double d2 = side(t.bx, t.by, t.tx, t.ty, x, y);
        const double d3 = side(t.tx, t.ty, t.ax, t.ay, x, y);
        return (d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0);
    };
    const auto inside = [&](int x, int y) {
        const double dx = double(x - cx) / rx, dy = double(y - cy) / ry;
        if (dx * dx + dy * dy <= 1.0)
            return true;
        for (const Tri &t : tris)
            if (inTri(t, x, y))
                return true;
        return false;
    };
    const int mx = rx + 8, my = ry + 5;
    for (int y = cy - my; y <= cy + my; ++y)
        for (int x = cx - mx; x <= cx + mx; ++x)
            if (inside(x - 1, y - 1) && !inside(x, y))
                c.put(x, y, kDark);
    blob(c, cx - mx, cy - my, 2 * mx + 1, 2 * my + 1, inside, kBlack, kWhite, kWhite);
    centredText(c, cx + 1, cy - 3, text, kBlack);
}

// A heart centred on (cx, cy), `size` pixels from the middle to a lobe's side, with a glint.
void bigHeart(Canvas &c, int cx, int cy, double size, QRgb fill)
{
    const auto inside = [=](int x, int y) {
        const double u = (x - cx) / size, v = 0.1 - (y - cy) / size;
        const double a = u * u + v * v - 1;
        return a * a * a - u * u * v * v * v <= 0;
    };
    const int r = int(size * 1.4) + 1;
    blob(c, cx - r, cy - r, 2 * r + 1, 2 * r + 1, inside, kBlack, fill,
         fill == kDark ? kBlack : kLight);
    const int gx = cx - int(size * 0.6), gy = cy - int(size * 0.6);
    const QRgb glint = fill == kWhite ? kLight : kWhite;
    c.fill(gx, gy, 2, 1, glint);
    c.put(gx - 1, gy + 1, glint);
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
         {QPoint(8, 8), QPoint(kW - 9, 8), QPoint(8, kH - 9), QPoint(kW - 9, kH - 9)})
        bigHeart(c, p.x(), p.y(), 6.5, kDark);
    // Two hearts with an arrow through them at the top.
    c.fill(56, 8, 48, 1, kBlack);
    c.fill(56, 9, 46, 1, kDark);
    shadeSprite(c, 52, 5, {"#.#..", ".#.#.", "..#.#", "..#.#", ".#.#.", "#.#.."});
    bigHeart(c, 74, 8, 5.5, kWhite);
    bigHeart(c, 86, 8, 5.5, kDark);
    c.fill(80, 8, 1, 1, kBlack);
    shadeSprite(c, 103, 5, {"#...", "##..", "#o#.", "#oo#", "###.", "##.."});
    // A ribbon banner across the bottom, its ends folded behind.
    const std::string_view word = "LOVE";
    const int w = textWidth(word) + 22;
    const int x = 80 - w / 2;
    const Rows end = {
        "##########", "#xxxxxxxx#", ".#xxxxxxx#", "..#xxxxxx#",
        ".#xxxxxxx#", "#xxxxxxxx#", "##########",
    };
    shadeSprite(c, x - 8, kBottom + 6, end);
    shadeSprite(c, x + w - 2, kBottom + 6, end, Turn::FlipX);
    c.fill(x, kBottom + 2, w, 11, kBlack);
    c.fill(x + 1, kBottom + 3, w - 2, 9, kWhite);
    c.fill(x + 1, kBottom + 11, w - 2, 1, kLight);
    centredText(c, 80, kBottom + 4, word, kBlack);
    smallHeart(c, x + 3, kBottom + 5, kDark);
    smallHeart(c, x + w - 8, kBottom + 5, kDark);
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
    // The winner's cup at the top.
    c.fill(60, 1, 40, 14, kBlack);
    c.fill(61, 2, 38, 12, kDark);
    c.fill(61, 2, 38, 1, kLight);
    const Rows cup = {
        ".#########.",  "##ooooo+x##",  "#.#oooo+x#.#", ".##ooo++x##.", "..#oo++xx#..",
        "...##+x##...", ".....#x#....", "....#+xx#...", "...#######..",
    };
    shadeSprite(c, 63, 4, cup);
    c.outlinedText(78, 4, "1ST", kWhite, kBlack);
    windowRing(c, 1, kDark);
}

void drawCircuitBoard(Canvas &c)
{
    fillBorder(c, [](int x, int y) { return (x % 4 == 0 && y % 4 == 0) ? kBlack : kDark; });
    const auto pad = [&c](int x, int y) {
        c.fill(x - 1, y - 1, 3, 3, kWhite);
        c.put(x, y, kBlack);
    };
    // Buses of three traces with 45 degree bends, along every side.
    const auto bus = [&c](std::initializer_list<QPoint> path, QPoint step) {
        for (int k = 0; k < 3; ++k) {
            const QPoint *prev = nullptr;
            for (const QPoint &p : path) {
                if (prev != nullptr)
                    c.line(prev->x() + k * step.x(), prev->y() + k * step.y(), p.x() + k * step.x(),
                           p.y() + k * step.y(), kLight);
                prev = &p;
            }
        }
    };
    bus({QPoint(16, 3), QPoint(44, 3), QPoint(48, 7), QPoint(74, 7)}, QPoint(0, 3));
    bus({QPoint(86, 7), QPoint(108, 7), QPoint(112, 3), QPoint(144, 3)}, QPoint(0, 3));
    bus({QPoint(3, 16), QPoint(3, 50), QPoint(7, 54), QPoint(7, 80)}, QPoint(3, 0));
    bus({QPoint(kW - 10, 16), QPoint(kW - 10, 66), QPoint(kW - 6, 70), QPoint(kW - 6, 118)},
        QPoint(-3, 0));
    bus({QPoint(16, kH - 4), QPoint(30, kH - 4), QPoint(36, kH - 10), QPoint(50, kH - 10)},
        QPoint(0, -3));
    bus({QPoint(110, kH - 10), QPoint(124, kH - 10), QPoint(130, kH - 4), QPoint(144, kH - 4)},
        QPoint(0, -3));
    for (int k = 0; k < 3; ++k) {
        pad(74, 7 + 3 * k);
        pad(86, 7 + 3 * k);
        pad(7 + 3 * k, 80);
        pad(kW - 6 - 3 * k, 118);
    }
    pad(7, 100);
    pad(12, 110);
    c.line(7, 100, 7, 127, kLight);
    c.line(12, 110, 12, 127, kLight);
    pad(kW - 8, 40);
    c.line(kW - 8, 40, kW - 8, 16, kLight);
    // Chips with their legs, in the corners and the middle of the bottom.
    const auto chip = [&c](int x, int y, int w, int h) {
        for (int i = x + 2; i < x + w - 1; i += 2) {
            c.fill(i, y - 1, 1, 1, kWhite);
            c.fill(i, y + h, 1, 1, kWhite);
        }
        c.fill(x, y, w, h, kBlack);
        c.fill(x + 1, y + 1, w - 2, 1, kDark);
        c.put(x + 2, y + h - 3, kLight);
    };
    chip(2, 2, 13, 12);
    chip(kW - 15, 2, 13, 12);
    chip(2, kH - 14, 13, 12);
    chip(kW - 15, kH - 14, 13, 12);
    chip(56, kBottom + 3, 48, 11);
    centredText(c, 80, kBottom + 5, "CAM-1", kLight);
    // A resistor and a capacitor on the sides.
    c.fill(kW - 10, 84, 4, 9, kBlack);
    c.fill(kW - 9, 85, 2, 7, kLight);
    c.fill(kW - 9, 86, 2, 1, kBlack);
    c.fill(kW - 9, 89, 2, 1, kDark);
    c.disc(8, 30, 3, kBlack);
    c.disc(8, 30, 2, kLight);
    c.put(7, 29, kWhite);
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
    windowRing(c, 1, kBlack);
}

void drawComicBursts(Canvas &c)
{
    // Printed dots on white, denser towards the outside.
    fillBorder(c, [](int x, int y) {
        const int d = std::min({x, y, kW - 1 - x, kH - 1 - y});
        const bool dot = (y % 3 == 0 && x % 3 == 0) || (d < 5 && (y % 3 == 1 && x % 3 == 1));
        return dot ? kLight : kWhite;
    });
    ringAt(c, 0, kBlack);
    ringAt(c, 1, kBlack);
    burst(c, 25, 8, 16, 6, "POW!", 1);
    burst(c, kW - 26, 8, 16, 6, "ZAP!", 2);
    burst(c, 26, kH - 9, 17, 6, "BAM!", 3);
    burst(c, kW - 27, kH - 9, 17, 6, "WOW!", 4);
    // Impact stars down the sides.
    for (int i = 0; i < 4; ++i) {
        const int y = 30 + i * 26;
        fourPointStar(c, 8 + (i % 2) * 2, y, kBlack, kWhite);
        fourPointStar(c, kW - 9 - (i % 2) * 2, y + 13, kBlack, kWhite);
    }
    // A speech balloon in the middle of the top, a thought cloud at the bottom.
    c.roundFill(60, 2, 40, 11, 4, kBlack);
    c.roundFill(61, 3, 38, 9, 3, kWhite);
    c.fill(64, 13, 1, 1, kDark);
    c.fill(62, 12, 36, 1, kLight);
    centredText(c, 80, 4, "HA HA", kBlack);
    c.roundFill(64, kBottom + 3, 32, 11, 5, kBlack);
    c.roundFill(65, kBottom + 4, 30, 9, 4, kWhite);
    centredText(c, 80, kBottom + 5, "...", kBlack);
    c.disc(60, kBottom + 5, 1, kBlack);
    c.put(60, kBottom + 5, kWhite);
    windowRing(c, 1, kBlack);
    windowRing(c, 2, kBlack);
}

void drawBirthdayParty(Canvas &c)
{
    fillBorder(c, [](int, int) { return kWhite; });
    // Confetti and curly streamers.
    for (int i = 0; i < 140; ++i) {
        const int x = int(noise(i, 1, 95) % kW), y = int(noise(i, 2, 95) % kH);
        const QRgb colour = noise(i, 3, 95) % 3 == 0   ? kDark
                            : noise(i, 3, 95) % 3 == 1 ? kLight
                                                       : kBlack;
        if (noise(i, 4, 95) % 2)
            c.fill(x, y, 2, 1, colour);
        else
            c.fill(x, y, 1, 2, colour);
    }
    for (const QPoint p : {QPoint(4, 90), QPoint(kW - 11, 100), QPoint(kW - 12, 46)})
        for (int i = 0; i < 14; ++i)
            c.put(p.x() + int(std::lround(2.5 * std::sin(i * 0.9))) + 3, p.y() + i, kDark);
    // Bunting along the top, hanging from a string in shallow loops.
    const auto sag = [](int x) { return 1 + int(std::lround(3 * std::sin((x % 40) * kPi / 40))); };
    for (int x = 0; x < kW; ++x)
        c.put(x, sag(x), kBlack);
    const QRgb fills[3] = {kDark, kWhite, kLight};
    for (int i = 0; i < 16; ++i) {
        const int x = 1 + i * 10;
        pennant(c, x, sag(x + 3) + 1, 7, fills[i % 3]);
    }
    // Balloons up the sides.
    balloon(c, 7, 24, kDark, kBlack);
    balloon(c, kW - 8, 28, kLight, kDark);
    balloon(c, 8, 62, kLight, kDark);
    balloon(c, kW - 8, 72, kDark, kBlack);
    // The greeting along the bottom, between a cake and a present.
    c.fill(36, kBottom + 3, 88, 11, kWhite);
    const int tx = 80 - textWidth("HAPPY BIRTHDAY!") / 2;
    c.text(tx + 1, kBottom + 5, "HAPPY BIRTHDAY!", kLight);
    c.text(tx, kBottom + 4, "HAPPY BIRTHDAY!", kBlack);
    const Rows cake = {
        "....o..o..o....", "....#..#..#....", "....#..#..#....", ".#############.",
        "#ooooooooooooo#", "#o+o+o+o+o+o+o#", "#+x+x+x+x+x+x+#", "#xxxxxxxxxxxxx#",
        "#ooooooooooooo#", "#xxxxxxxxxxxxx#", "###############",
    };
    shadeSprite(c, 6, kBottom + 4, cake);
    const Rows present = {
        "...##...##...", "..#oo#.#oo#..", "...##o#o##...", "#############", "#ooooo#+oooo#",
        "#############", ".#ooo+#+ooo#.", ".#ooo+#+ooo#.", ".#+++x#x+++#.", ".###########.",
    };
    shadeSprite(c, kW - 20, kBottom + 5, present);
    windowRing(c, 1, kBlack);
}

} // namespace camvista::data::art::frames
