// The converter window's artwork: a colour photograph going in on the left, the four shades
// coming out on the right, a bezel for the result in the middle; and a sample shot of a
// lighthouse on its rock, strictly in the four shades.
#include "data/converter_pictures.h"

#include "data/frame_art.h"
#include "data/pixel_art.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace camvista::data
{

using namespace art;

namespace
{

constexpr int kBgW = 318;
constexpr int kBgH = 225;
// Where the result shot lies over the artwork.
constexpr QRect kShotWindow(80, 40, 160, 144);

// A warm evening sky, top to bottom, in bands blended by an ordered dither.
void eveningSky(Canvas &c)
{
    const QRgb bands[] = {qRgb(38, 24, 70), qRgb(92, 40, 110), qRgb(176, 64, 108),
                          qRgb(236, 120, 84), qRgb(250, 196, 110)};
    const int bandH = kBgH / 4;
    for (int y = 0; y < kBgH; ++y) {
        const int band = std::min(3, y / bandH);
        const int level = (y - band * bandH) * 16 / bandH;
        c.dither(0, y, kBgW, 1, bands[band], bands[band + 1], level);
    }
    // Stars in the dark top.
    for (int i = 0; i < 40; ++i) {
        const unsigned n = frames::noise(i, 7, 3);
        const int x = int(n % kBgW);
        const int y = int((n >> 12) % 50);
        c.put(x, y, (n & 0x100) ? qRgb(255, 255, 220) : qRgb(180, 170, 230));
    }
}

// A far range of hills along the bottom, in two shades of violet.
void hills(Canvas &c)
{
    for (int x = 0; x < kBgW; ++x) {
        const int far = 168 + int(std::lround(10 * std::sin(x * 0.031) + 5 * std::sin(x * 0.11)));
        const int near =
            190 + int(std::lround(7 * std::sin(x * 0.047 + 1.3) + 3 * std::sin(x * 0.19)));
        c.fill(x, far, 1, kBgH - far, qRgb(84, 46, 104));
        c.fill(x, near, 1, kBgH - near, qRgb(48, 28, 66));
    }
}

// Small pines along the foot of the hills, darkest at the front.
void pineRow(Canvas &c)
{
    for (int x = 2; x < kBgW; x += 9) {
        if (x > kShotWindow.x() - 12 && x < kShotWindow.right() + 12)
            continue;
        const int h = 10 + int(frames::noise(x, 1) % 9);
        const int base = kBgH - 2;
        for (int j = 0; j < h; ++j) {
            const int half = (j * 4) / h + ((h - j) % 3 == 0 ? 1 : 0);
            c.fill(x - half, base - h + j, 2 * half + 1, 1, qRgb(26, 16, 38));
        }
        c.fill(x, base, 1, 2, qRgb(26, 16, 38));
    }
}

// A little colour photograph, tilted by a step, on the left: a sunflower under a blue sky.
void colourPhoto(Canvas &c, int x, int y)
{
    c.fill(x + 2, y + 2, 56, 62, qRgb(30, 16, 40)); // shadow
    c.fill(x, y, 56, 62, qRgb(250, 248, 240));
    c.frame(x, y, 56, 62, qRgb(120, 110, 100));
    const int px = x + 4, py = y + 4, pw = 48, ph = 44;
    for (int j = 0; j < ph; ++j)
        c.fill(px, py + j, pw, 1, mix(qRgb(70, 150, 235), qRgb(180, 225, 255), j * 256 / ph));
    c.disc(px + 38, py + 9, 5, qRgb(255, 236, 120));
    c.ellipse(px + 12, py + 10, 8, 3, qRgb(255, 255, 255));
    c.fill(px, py + 34, pw, 10, qRgb(70, 160, 60));
    for (int i = 0; i < pw; i += 3)
        c.put(px + i, py + 33 + (i % 2), qRgb(40, 120, 40));
    c.fill(px + 19, py + 20, 2, 16, qRgb(40, 120, 40));
    c.ellipse(px + 16, py + 28, 4, 2, qRgb(60, 150, 50));
    c.ellipse(px + 24, py + 26, 4, 2, qRgb(60, 150, 50));
    for (int a = 0; a < 12; ++a) {
        const double t = a * 3.14159265 / 6;
        c.disc(px + 20 + int(std::lround(6 * std::cos(t))),
               py + 16 + int(std::lround(6 * std::sin(t))), 2, qRgb(255, 200, 30));
    }
    c.disc(px + 20, py + 16, 4, qRgb(120, 70, 20));
    c.disc(px + 19, py + 15, 1, qRgb(170, 110, 40));
    c.text(x + 6, y + 51, "photo", qRgb(90, 80, 120));
}

// A fat arrow pointing right.
void arrow(Canvas &c, int x, int y, QRgb fill, QRgb outline)
{
    const auto inside = [x, y](int px, int py) {
        const int dx = px - x, dy = py - y;
        if (dx >= 0 && dx < 10 && dy >= 3 && dy < 9)
            return true;
        return dx >= 10 && dx < 17 && std::abs(dy - 6) <= 16 - dx;
    };
    shapeWithOutline(c, x - 1, y - 5, 20, 22, inside, fill, outline, outline);
}

// The bezel the result shot sits in: a dark rounded plate with a small title and a light.
void bezel(Canvas &c)
{
    const QRect w = kShotWindow;
    c.roundFill(w.x() - 9, w.y() - 9, w.width() + 18, w.height() + 22, 6, qRgb(20, 16, 28));
    c.roundFill(w.x() - 8, w.y() - 8, w.width() + 16, w.height() + 20, 5, qRgb(72, 70, 92));
    c.fill(w.x() - 8, w.y() - 8, w.width() + 16, 1, qRgb(120, 118, 146));
    c.fill(w.x() - 2, w.y() - 2, w.width() + 4, w.height() + 4, qRgb(20, 16, 28));
    c.disc(w.x() - 4, w.y() + 30, 2, qRgb(240, 40, 60));
    c.put(w.x() - 5, w.y() + 29, qRgb(255, 160, 170));
    const std::string_view label = "VODUDERO";
    c.text(w.x() + w.width() / 2 - textWidth(label) / 2, w.bottom() + 4, label,
           qRgb(200, 196, 230));
}

// The four shades the converter gives, as chips on the right, lightest on top.
void shadeChips(Canvas &c, int x, int y)
{
    const QRgb shades[] = {kWhite, kLight, kDark, kBlack};
    c.fill(x - 2, y - 2, 30, 4 * 16 + 2, qRgb(20, 16, 28));
    for (int i = 0; i < 4; ++i) {
        c.fill(x, y + i * 16, 26, 14, shades[i]);
        c.fill(x, y + i * 16 + 13, 26, 1, mix(shades[i], kBlack, 80));
    }
    c.outlinedText(x - 4, y + 70, "4 greys", qRgb(255, 240, 200), qRgb(48, 28, 66));
}

} // namespace

QImage converterBackground()
{
    QImage image(kBgW, kBgH, QImage::Format_RGB32);
    Canvas c(image);
    eveningSky(c);
    hills(c);
    c.outlinedText(10, 8, "DuduRed Idarer", qRgb(255, 226, 120), qRgb(38, 24, 70), 2);
    // "photo -> shot" with a drawn arrow: the pixel font has no arrow of its own.
    const QRgb ink = qRgb(255, 255, 255), edge = qRgb(38, 24, 70);
    c.outlinedText(196, 14, "photo", ink, edge);
    const int ax = 196 + textWidth("photo") + 4;
    c.fill(ax - 1, 17, 11, 3, edge);
    c.fill(ax, 18, 9, 1, ink);
    for (int i = 0; i < 3; ++i) {
        c.fill(ax + 6 + i, 15 + i, 1, 1, ink);
        c.fill(ax + 6 + i, 21 - i, 1, 1, ink);
    }
    c.outlinedText(ax + 13, 14, "shot", ink, edge);
    colourPhoto(c, 8, 52);
    arrow(c, 50, 124, qRgb(255, 226, 120), qRgb(38, 24, 70));
    pineRow(c);
    bezel(c);
    shadeChips(c, 276, 52);
    arrow(c, 250, 122, qRgb(255, 226, 120), qRgb(38, 24, 70));
    return image;
}

QImage converterSampleShot()
{
    QImage image(160, 144, QImage::Format_RGB32);
    image.fill(kWhite);
    Canvas c(image);

    // A plain camera border: white with a dotted black edge round the picture.
    c.fill(0, 0, 160, 144, kWhite);
    c.frame(13, 13, 134, 118, kBlack);
    for (int x = 2; x < 158; x += 4) {
        c.put(x, 4, kDark);
        c.put(x, 139, kDark);
    }
    for (int y = 6; y < 140; y += 4) {
        c.put(4, y, kDark);
        c.put(155, y, kDark);
    }
    c.text(16, 133, "SAMPLE", kBlack);
    c.text(104, 133, "128x112", kDark);

    c.setClip(16, 16, 128, 112);
    const int ox = 16, oy = 16;
    // Sky: light grey fading to white at the horizon, a dark moon with a glint.
    for (int y = 0; y < 70; ++y)
        c.dither(ox, oy + y, 128, 1, kLight, kWhite, y * 16 / 70);
    c.disc(ox + 104, oy + 18, 9, kWhite);
    c.disc(ox + 104, oy + 18, 8, kLight);
    c.disc(ox + 107, oy + 16, 7, kWhite);
    // Sea: dark with light wave crests.
    c.fill(ox, oy + 70, 128, 42, kDark);
    for (int y = 72; y < 112; y += 5)
        for (int x = (y * 7) % 11; x < 128; x += 11) {
            c.put(ox + x, oy + y, kLight);
            c.put(ox + x + 1, oy + y - 1, kLight);
            c.put(ox + x + 2, oy + y, kLight);
        }
    // The rock.
    const auto rock = [](int x, int y) {
        const int dx = x - 44;
        return y >= 84 - (30 * 30 - dx * dx) / 60 && y < 112 && std::abs(dx) < 30 && y >= 66;
    };
    for (int y = 60; y < 112; ++y)
        for (int x = 10; x < 80; ++x)
            if (rock(x, y))
                c.put(ox + x, oy + y,
                      ((x + y) % 5 == 0 || frames::noise(x, y) % 7 == 0) ? kDark : kBlack);
    // The lighthouse: a tapering white tower with two dark bands, a lamp room and light beams.
    for (int y = 24; y < 70; ++y) {
        const int half = 5 + (y - 24) / 9;
        const bool band = (y >= 36 && y < 42) || (y >= 52 && y < 58);
        c.fill(ox + 44 - half, oy + y, 2 * half, 1, band ? kBlack : kWhite);
        c.put(ox + 44 - half - 1, oy + y, kBlack);
        c.put(ox + 44 + half, oy + y, kBlack);
        c.put(ox + 44 + half - 1, oy + y, band ? kBlack : kLight);
    }
    c.fill(ox + 37, oy + 23, 15, 2, kBlack);
    c.fill(ox + 39, oy + 14, 11, 9, kBlack);
    c.fill(ox + 41, oy + 16, 7, 5, kWhite);
    c.fill(ox + 43, oy + 10, 3, 4, kBlack);
    c.put(ox + 44, oy + 9, kBlack);
    c.fill(ox + 43, oy + 62, 3, 7, kBlack); // the door
    for (int i = 0; i < 40; ++i) {
        c.dither(ox + 50 + i, oy + 16 - i / 5, 1, 1 + i / 3, kLight, kWhite, 8);
        c.dither(ox + 38 - i, oy + 16 - i / 5, 1, 1 + i / 3, kLight, kWhite, 8);
    }
    // Two gulls.
    for (const auto &g : {QPoint(80, 40), QPoint(94, 48)}) {
        c.line(ox + g.x() - 4, oy + g.y() - 2, ox + g.x(), oy + g.y(), kBlack);
        c.line(ox + g.x(), oy + g.y(), ox + g.x() + 4, oy + g.y() - 2, kBlack);
    }
    c.clearClip();
    return image;
}

} // namespace camvista::data
