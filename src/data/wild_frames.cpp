#include "data/wild_frames.h"

#include "data/wild_frame_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace camvista::data
{

namespace art::wild
{

void meetThePicture(Canvas &top, Canvas &bottom)
{
    top.fill(0, kTopH - kEdge, kW, kEdge, kBlack);
    top.fill(14, kTopH - 2, kW - 28, 1, kDark);
    bottom.fill(0, 0, kW, kEdge, kBlack);
    bottom.fill(14, 1, kW - 28, 1, kDark);
}

void titlePlate(Canvas &c, int cx, int y, std::string_view text, int scale)
{
    const int w = textWidth(text, scale) + 8 * scale;
    const int h = kTextHeight * scale + 6 * scale;
    const int x = cx - w / 2;
    c.roundFill(x - 1, y - 1, w + 2, h + 2, 3, kBlack);
    c.roundFill(x, y, w, h, 2, kDark);
    c.fill(x + 2, y + 1, w - 4, 1, kLight);
    c.outlinedText(x + 4 * scale, y + 3 * scale, text, kWhite, kBlack, scale);
}

void ditherAll(Canvas &c, QRgb a, QRgb b, int level)
{
    c.dither(0, 0, c.width(), c.height(), a, b, level);
}

void cloud(Canvas &c, int x, int y, int size)
{
    const int r = size / 3;
    const std::array<std::array<int, 3>, 4> puffs = {
        {{0, r / 2, r}, {r, 0, r + 1}, {2 * r, r / 3, r}, {3 * r - 1, r / 2 + 1, r - 1}}};
    for (const auto &[dx, dy, rr] : puffs)
        c.disc(x + dx, y + dy + 1, rr, kDark);
    for (const auto &[dx, dy, rr] : puffs)
        c.disc(x + dx, y + dy, rr - 1, kWhite);
}

void cameraKid(Canvas &c, int x, int y, int scale, bool wave)
{
    const Rows body = {
        "....####..........", "...#xxxx#.........", ".################.", "#oooooooooooooo++#",
        "#oo#.#ooooo###o+x#", "#oo#.#oooo#+++#+x#", "#ooooooooo#+#+#+x#", "#oo#ooo#oo#+++#+x#",
        "#ooo###ooooo###+x#", "#oooooooooooooo+x#", "#+++++++++++++++x#", ".################.",
        "...#x#......#x#...", "...#x#......#x#...", "..####.....####...",
    };
    for (int row = 0; row < int(body.size()); ++row) {
        const std::string_view r = *(body.begin() + row);
        for (int col = 0; col < int(r.size()); ++col) {
            const char k = r[col];
            const QRgb colour = k == '#' ? kBlack : k == 'x' ? kDark : k == '+' ? kLight : kWhite;
            if (k != '.')
                c.fill(x + col * scale, y + row * scale, scale, scale, colour);
        }
    }
    if (wave) {
        // An arm up at the right, waving.
        c.fill(x + 17 * scale, y + 5 * scale, 2 * scale, scale, kBlack);
        c.fill(x + 18 * scale, y + 2 * scale, scale, 3 * scale, kBlack);
        c.fill(x + 17 * scale, y + scale, 3 * scale, scale, kBlack);
    }
}

void coin(Canvas &c, int cx, int cy, int r)
{
    c.disc(cx, cy, r, kBlack);
    c.disc(cx, cy, r - 1, kLight);
    c.disc(cx + 1, cy + 1, r - 2, kDark);
    c.disc(cx, cy, r - 2, kLight);
    c.fill(cx, cy - r + 2, 1, 2 * r - 3, kDark);
    c.put(cx - r / 2, cy - r / 2, kWhite);
}

namespace
{

void grassLine(Canvas &c, int y, QRgb blade, unsigned seed)
{
    for (int x = 0; x < c.width(); ++x) {
        const int h = 1 + int(noise(x, 0, seed) % 4);
        c.fill(x, y - h, 1, h, blade);
    }
}

} // namespace

int drawCamboy(Canvas &top, Canvas &bottom)
{
    // Top: a dotted sky, the title between two camera kids, sparkles.
    ditherAll(top, kWhite, kLight, 3);
    for (int x = 0; x < kW; x += 8)
        top.fill(x, 0, 4, 2, kDark);
    top.fill(0, 2, kW, 1, kBlack);
    cameraKid(top, 4, 9, 1, false);
    cameraKid(top, 138, 9, 1, true);
    titlePlate(top, 80, 10, "CAMVISTA");
    for (const auto &[sx, sy] :
         std::initializer_list<std::pair<int, int>>{{30, 8}, {128, 29}, {38, 30}, {122, 7}})
        frames::sparkle(top, sx, sy, 2, kDark);

    // Bottom: a film strip, then a meadow where a big camera kid says cheese.
    bottom.fill(0, kEdge, kW, 14, kBlack);
    for (int x = 3; x < kW; x += 10) {
        bottom.fill(x, kEdge + 2, 5, 3, kWhite);
        bottom.fill(x, kEdge + 9, 5, 3, kWhite);
    }
    bottom.fill(0, 17, kW, 55, kWhite);
    for (int y = 17; y < 40; ++y)
        bottom.dither(0, y, kW, 1, kWhite, kLight, (y - 17) / 2);
    cloud(bottom, 96, 22, 18);
    bottom.fill(0, 52, kW, 20, kLight);
    bottom.dither(0, 60, kW, 12, kLight, kDark, 6);
    grassLine(bottom, 53, kDark, 3);
    cameraKid(bottom, 14, 19, 2, true);
    // Speech bubble.
    bottom.roundFill(58, 24, 44, 15, 3, kBlack);
    bottom.roundFill(59, 25, 42, 13, 2, kWhite);
    for (int i = 0; i < 4; ++i)
        bottom.fill(58 - i, 34 + i, 2, 1, kBlack);
    bottom.text(62, 28, "SMILE!", kBlack);
    // Flowers in the grass.
    for (int x = 70; x < kW; x += 13) {
        const int y = 56 + int(noise(x, 1, 9) % 8);
        bottom.fill(x, y, 1, 4, kDark);
        bottom.disc(x, y - 1, 1, kWhite);
        bottom.put(x, y - 1, kBlack);
    }
    bottom.fill(0, kBottomH - 1, kW, 1, kBlack);
    meetThePicture(top, bottom);
    return 9;
}

int drawMarluig(Canvas &top, Canvas &bottom)
{
    // Sunny hills: sky, sun and clouds above; rolling hills, a fence and a path below.
    for (int y = 0; y < kTopH; ++y)
        top.dither(0, y, kW, 1, kWhite, kLight, std::max(0, 12 - y / 3));
    top.disc(140, 12, 9, kBlack);
    top.disc(140, 12, 8, kLight);
    top.disc(140, 12, 6, kWhite);
    for (int a = 0; a < 12; ++a) {
        const double t = a * 3.14159265 / 6;
        const int x0 = 140 + int(std::lround(11 * std::cos(t)));
        const int y0 = 12 + int(std::lround(11 * std::sin(t)));
        const int x1 = 140 + int(std::lround(14 * std::cos(t)));
        const int y1 = 12 + int(std::lround(14 * std::sin(t)));
        top.line(x0, y0, x1, y1, kDark);
    }
    cloud(top, 8, 6, 21);
    cloud(top, 58, 16, 15);
    cloud(top, 96, 4, 12);
    for (const auto &[bx, by] :
         std::initializer_list<std::pair<int, int>>{{40, 8}, {48, 5}, {110, 22}})
        top.sprite(bx, by, {"#...#", ".#.#."}, {{'#', kBlack}});
    titlePlate(top, 80, 22, "SUNNY DAY");

    bottom.fill(0, 0, kW, kBottomH, kWhite);
    const auto hill = [](int x, double base, double amp, double period, double phase) {
        return int(base - amp * std::sin(x / period + phase));
    };
    for (int x = 0; x < kW; ++x) {
        const int back = hill(x, 26, 8, 17, 0.4);
        const int front = hill(x, 44, 6, 23, 2.0);
        bottom.fill(x, back, 1, kBottomH - back, kLight);
        bottom.put(x, back, kDark);
        bottom.fill(x, front, 1, kBottomH - front, kDark);
        bottom.put(x, front, kBlack);
        if (noise(x, 2, 5) % 5 == 0)
            bottom.put(x, front + 2 + int(noise(x, 3, 5) % 20), kLight);
    }
    // A winding path of light stones.
    for (int y = 46; y < kBottomH; ++y) {
        const int cx = 80 + int(10 * std::sin(y / 6.0));
        const int half = (y - 40) / 3;
        bottom.fill(cx - half, y, 2 * half, 1, kLight);
        if (y % 3 == 0)
            bottom.put(cx - half + int(noise(y, 4, 1) % std::max(1, 2 * half)), y, kWhite);
    }
    // A fence along the back hill.
    for (int x = 6; x < kW; x += 9) {
        const int y = hill(x, 26, 8, 17, 0.4) - 6;
        bottom.fill(x, y, 2, 8, kBlack);
        bottom.put(x, y - 1, kDark);
    }
    for (int x = 6; x < kW - 9; ++x) {
        const int y = hill(x, 26, 8, 17, 0.4) - 3;
        bottom.put(x, y, kBlack);
    }
    for (int x = 10; x < kW; x += 17) {
        const int y = hill(x, 44, 6, 23, 2.0) + 6;
        bottom.disc(x, y, 1, kWhite);
        bottom.put(x, y, kBlack);
    }
    meetThePicture(top, bottom);
    return 21;
}

int drawMyosh(Canvas &top, Canvas &bottom)
{
    // Egg hunt: a polka pattern of spotted eggs above, a nest and a hatching chick below.
    const auto egg = [](Canvas &c, int cx, int cy, QRgb shell, QRgb spots) {
        c.ellipse(cx, cy, 5, 6, kBlack);
        c.ellipse(cx, cy, 4, 5, shell);
        c.put(cx - 2, cy - 3, kWhite);
        c.disc(cx + 1, cy + 1, 1, spots);
        c.put(cx - 2, cy + 2, spots);
        c.put(cx + 2, cy - 2, spots);
    };
    ditherAll(top, kLight, kWhite, 8);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 12; ++col) {
            const int cx = 7 + col * 14 + (row % 2) * 7;
            const int cy = 5 + row * 10;
            if (cy > 30)
                continue;
            egg(top, cx, cy, row % 2 ? kWhite : kLight, kDark);
        }
    titlePlate(top, 80, 12, "EGG HUNT");

    bottom.fill(0, 0, kW, kBottomH, kWhite);
    for (int y = 0; y < kBottomH; ++y)
        bottom.dither(0, y, kW, 1, kWhite, kLight, std::min(16, y / 4));
    // The nest: woven strands.
    bottom.ellipse(80, 56, 46, 13, kBlack);
    bottom.ellipse(80, 55, 45, 12, kDark);
    for (int i = 0; i < 60; ++i) {
        const int x0 = 38 + int(noise(i, 0, 7) % 84);
        const int y0 = 48 + int(noise(i, 1, 7) % 16);
        bottom.line(x0, y0, x0 + 6 + int(noise(i, 2, 7) % 6), y0 + int(noise(i, 3, 7) % 3) - 1,
                    i % 3 ? kBlack : kLight);
    }
    egg(bottom, 62, 40, kWhite, kDark);
    egg(bottom, 98, 40, kLight, kBlack);
    // The chick in its broken shell.
    bottom.disc(80, 30, 9, kBlack);
    bottom.disc(80, 30, 8, kWhite);
    bottom.fill(76, 28, 2, 2, kBlack);
    bottom.fill(83, 28, 2, 2, kBlack);
    bottom.sprite(78, 32, {"####", ".##."}, {{'#', kDark}});
    bottom.ellipse(80, 42, 10, 6, kBlack);
    bottom.ellipse(80, 42, 9, 5, kLight);
    for (int x = 71; x <= 89; x += 3)
        bottom.sprite(x, 36, {".#.", "#.#"}, {{'#', kBlack}});
    bottom.fill(71, 38, 19, 1, kLight);
    grassLine(bottom, kBottomH, kDark, 11);
    bottom.outlinedText(6, 60, "FOUND!", kWhite, kBlack);
    meetThePicture(top, bottom);
    return 11;
}

int drawYosh(Canvas &top, Canvas &bottom)
{
    // Jungle: vines and leaves hanging from above, big leaves and a little round dinosaur below.
    const auto leaf = [](Canvas &c, int cx, int cy, int rx, int ry, bool light) {
        c.ellipse(cx, cy, rx + 1, ry + 1, kBlack);
        c.ellipse(cx, cy, rx, ry, light ? kLight : kDark);
        c.line(cx - rx + 1, cy, cx + rx - 1, cy, light ? kDark : kBlack);
    };
    ditherAll(top, kWhite, kLight, 4);
    for (int x = 0; x < kW; ++x) {
        const int h = 6 + int(4 * std::sin(x / 7.0)) + int(noise(x, 0, 4) % 3);
        top.fill(x, 0, 1, h, kDark);
        top.put(x, h, kBlack);
    }
    for (int v = 0; v < 9; ++v) {
        const int x = 8 + v * 18;
        const int len = 12 + int(noise(v, 1, 4) % 16);
        for (int y = 6; y < 6 + len; ++y)
            top.put(x + int(2 * std::sin(y / 3.0)), y, kBlack);
        leaf(top, x + 3, 6 + len, 4, 2, v % 2 == 0);
        leaf(top, x - 3, 6 + len / 2, 3, 2, v % 2 == 1);
    }
    titlePlate(top, 80, 14, "JUNGLE");

    bottom.fill(0, 0, kW, kBottomH, kLight);
    for (int y = 0; y < 30; ++y)
        bottom.dither(0, y, kW, 1, kWhite, kLight, y / 2);
    // Ferns at the back.
    for (int f = 0; f < 8; ++f) {
        const int bx = 10 + f * 20;
        for (int k = 0; k < 14; ++k) {
            const int y = 60 - k * 3;
            bottom.line(bx, 64, bx + (k % 2 ? 5 : -5) + int(noise(f, k, 2) % 3) - 1, y,
                        k % 3 ? kDark : kBlack);
        }
    }
    // The dinosaur: round body, big eye, spikes on its back, a smile.
    const int dx = 104;
    const int dy = 38;
    bottom.disc(dx, dy + 10, 15, kBlack);
    bottom.disc(dx, dy + 10, 14, kWhite);
    bottom.disc(dx + 13, dy + 2, 9, kBlack);
    bottom.disc(dx + 13, dy + 2, 8, kWhite);
    bottom.disc(dx + 15, dy, 3, kBlack);
    bottom.put(dx + 16, dy - 1, kWhite);
    bottom.line(dx + 10, dy + 6, dx + 19, dy + 6, kBlack);
    for (int s = 0; s < 5; ++s) {
        const int sx = dx - 12 + s * 5;
        const int sy = dy - 1 + std::abs(s - 2) * 2;
        bottom.sprite(sx, sy, {"..#..", ".#x#.", "#xxx#"}, {{'#', kBlack}, {'x', kDark}});
    }
    bottom.ellipse(dx - 3, dy + 16, 6, 3, kLight);
    // Big leaves in front.
    leaf(bottom, 20, 62, 16, 6, false);
    leaf(bottom, 52, 66, 14, 5, true);
    leaf(bottom, 140, 64, 16, 6, false);
    bottom.fill(0, kBottomH - 2, kW, 2, kBlack);
    meetThePicture(top, bottom);
    return 13;
}

int drawRed(Canvas &top, Canvas &bottom)
{
    // Volcano: ash clouds and embers above; the mountain, lava and smoke below.
    top.fill(0, 0, kW, kTopH, kDark);
    for (int y = 0; y < kTopH; ++y)
        top.dither(0, y, kW, 1, kBlack, kDark, 6 + y / 3);
    for (int i = 0; i < 7; ++i) {
        const int cx = 10 + i * 24;
        const int cy = 6 + int(noise(i, 0, 8) % 8);
        for (int k = 0; k < 4; ++k)
            top.disc(cx + k * 5 - 6, cy + (k % 2) * 2, 5, kDark);
        for (int k = 0; k < 4; ++k)
            top.disc(cx + k * 5 - 7, cy + (k % 2) * 2 - 1, 3, kLight);
    }
    for (int i = 0; i < 40; ++i)
        top.put(int(noise(i, 1, 3) % kW), 14 + int(noise(i, 2, 3) % 22), i % 4 ? kLight : kWhite);
    titlePlate(top, 80, 15, "HOT SHOT!");

    bottom.fill(0, 0, kW, kBottomH, kDark);
    for (int y = 0; y < kBottomH; ++y)
        bottom.dither(0, y, kW, 1, kDark, kLight, std::max(0, 8 - y / 4));
    // The mountain.
    for (int x = 0; x < kW; ++x) {
        const int d = std::abs(x - 80);
        const int peak = d < 12 ? 22 : 22 + (d - 12) * 3 / 4 + int(noise(x, 0, 6) % 2);
        bottom.fill(x, peak, 1, kBottomH - peak, kBlack);
        if (d >= 12)
            bottom.put(x, peak, kDark);
    }
    // Lava flowing down from the crater.
    for (int y = 22; y < kBottomH; ++y) {
        for (const int side : {-1, 1}) {
            const int x = 80 + side * (4 + (y - 22) / 2) + int(2 * std::sin(y / 3.0 + side));
            bottom.fill(x - 1, y, 3, 1, kWhite);
            if (y % 2 == 0)
                bottom.put(x + 2, y, kLight);
        }
    }
    bottom.fill(68, 20, 25, 3, kWhite);
    bottom.fill(70, 19, 21, 1, kLight);
    // Smoke rising, embers flying.
    for (int k = 0; k < 5; ++k)
        bottom.disc(80 + (k % 2 ? 4 : -4), 15 - k * 3, 4 + k, k % 2 ? kLight : kDark);
    for (int i = 0; i < 18; ++i)
        bottom.put(60 + int(noise(i, 3, 2) % 40), 4 + int(noise(i, 4, 2) % 16), kWhite);
    // Rocks in front.
    for (int x = 4; x < kW; x += 22) {
        bottom.ellipse(x, 66, 7, 4, kDark);
        bottom.fill(x - 4, 64, 3, 1, kLight);
    }
    meetThePicture(top, bottom);
    return 14;
}

} // namespace art::wild

namespace
{

using namespace art;
using namespace art::wild;

QImage blank(int height)
{
    QImage image(kWildWidth, height, QImage::Format_RGB32);
    image.fill(kBlack);
    return image;
}

} // namespace

QList<WildFrame> wildFrames()
{
    using Draw = int (*)(Canvas &, Canvas &);
    const std::pair<const char *, Draw> table[] = {
        {"camboy", &drawCamboy},   {"marluig", &drawMarluig}, {"myosh", &drawMyosh},
        {"yosh", &drawYosh},       {"red", &drawRed},         {"mkart", &drawMkart},
        {"clef", &drawClef},       {"zelda", &drawZelda},     {"wario", &drawWario},
        {"tortank", &drawTortank},
    };
    QList<WildFrame> frames;
    for (const auto &[name, draw] : table) {
        WildFrame f;
        f.name = QString::fromLatin1(name);
        f.top = blank(kWildTopHeight);
        f.bottom = blank(kWildBottomHeight);
        Canvas top(f.top);
        Canvas bottom(f.bottom);
        const int stripRow = draw(top, bottom);
        f.thumbnail = f.top.copy(0, stripRow, kWildWidth, kWildStripHeight);
        // A dark rule above and below, so the strips stand apart in their list.
        Canvas strip(f.thumbnail);
        strip.fill(0, 0, kWildWidth, 1, kBlack);
        strip.fill(0, kWildStripHeight - 1, kWildWidth, 1, kBlack);
        frames.append(f);
    }
    return frames;
}

QImage defaultWildTop()
{
    QImage image = blank(kWildTopHeight);
    Canvas c(image);
    ditherAll(c, kBlack, kDark, 4);
    for (int x = 0; x < kW; x += 6)
        frames::fourPointStar(c, x + int(noise(x, 0, 1) % 4), 3 + int(noise(x, 1, 1) % 30),
                              x % 12 ? kDark : kLight, kWhite);
    c.frame(1, 1, kW - 2, kTopH - 2, kLight);
    c.frame(3, 3, kW - 6, kTopH - 6, kDark);
    titlePlate(c, 80, 6, "WILD WILD");
    c.outlinedText(80 - textWidth("FRAMES!") / 2, 24, "FRAMES!", kWhite, kBlack);
    c.fill(0, kTopH - kEdge, kW, kEdge, kBlack);
    c.fill(14, kTopH - 2, kW - 28, 1, kDark);
    return image;
}

QImage defaultWildBottom()
{
    QImage image = blank(kWildBottomHeight);
    Canvas c(image);
    ditherAll(c, kBlack, kDark, 4);
    c.frame(1, 1, kW - 2, kBottomH - 2, kLight);
    c.frame(3, 3, kW - 6, kBottomH - 6, kDark);
    c.fill(0, 0, kW, kEdge, kBlack);
    c.fill(14, 1, kW - 28, 1, kDark);
    cameraKid(c, 12, 22, 2, true);
    c.roundFill(60, 14, 90, 44, 4, kBlack);
    c.roundFill(61, 15, 88, 42, 3, kLight);
    c.text(66, 19, "Pick a frame", kBlack);
    c.text(66, 30, "from the list", kBlack);
    c.text(66, 41, "below!", kBlack);
    for (int x = 8; x < kW - 8; x += 12)
        frames::sparkle(c, x, 64, 1, kDark);
    return image;
}

QImage defaultWildPicture()
{
    QImage image(kWildPictureWidth, kWildPictureHeight, QImage::Format_RGB32);
    image.fill(kWhite);
    Canvas c(image);
    // A quiet landscape to be replaced by the user's shot: sky, mountains, a lake.
    for (int y = 0; y < 56; ++y)
        c.dither(0, y, 128, 1, kWhite, kLight, y / 4);
    cloud(c, 10, 10, 18);
    cloud(c, 80, 18, 14);
    for (int x = 0; x < 128; ++x) {
        const int far = 50 - int(18 * std::fabs(std::sin(x / 21.0 + 0.8)));
        const int near = 64 - int(12 * std::fabs(std::sin(x / 15.0 + 2.1)));
        c.fill(x, far, 1, 70 - far, kDark);
        if (far < 40)
            c.fill(x, far, 1, 3, kWhite);
        c.fill(x, near, 1, 70 - near, kBlack);
    }
    c.fill(0, 70, 128, 42, kLight);
    for (int y = 72; y < 112; y += 4)
        for (int x = int(noise(y, 0, 2) % 8); x < 128; x += 11)
            c.fill(x, y, 4, 1, kWhite);
    c.roundFill(16, 82, 96, 22, 3, kBlack);
    c.roundFill(17, 83, 94, 20, 2, kWhite);
    frames::centredText(c, 64, 85, "Double-click", kBlack);
    frames::centredText(c, 64, 94, "a shot", kBlack);
    return image;
}

} // namespace camvista::data
