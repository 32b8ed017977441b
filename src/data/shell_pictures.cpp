#include "data/shell_pictures.h"

#include "data/handheld_art.h"
#include "data/mini_shots.h"
#include "data/pixel_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

// The build passes the project's version; the fallback keeps a bare compile of this file working.
#ifndef CAMVISTA_VERSION_TEXT
#define CAMVISTA_VERSION_TEXT "7.0.3"
#endif

namespace camvista::data
{

using namespace art;

namespace
{

// The splash's greens: four steps of the classic handheld screen plus two darker ones for depth.
constexpr QRgb kInk = qRgb(8, 24, 32);
constexpr QRgb kNight = qRgb(18, 44, 44);
constexpr QRgb kDeep = qRgb(28, 64, 58);
constexpr QRgb kMoss = qRgb(52, 104, 86);
constexpr QRgb kLeaf = qRgb(136, 192, 112);
constexpr QRgb kMint = qRgb(224, 248, 208);

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

void splashBackdrop(Canvas &c, QPoint burst)
{
    constexpr double kPi = 3.14159265358979323846;
    for (int y = 0; y < c.height(); ++y) {
        const int level = y * 17 / c.height();
        for (int x = 0; x < c.width(); ++x) {
            const double dx = x - burst.x(), dy = y - burst.y();
            const double angle = std::atan2(dy, dx);
            const bool ray = static_cast<int>(std::floor((angle + kPi) * 8 / kPi)) % 2 == 0;
            const double dist = std::sqrt(dx * dx + dy * dy);
            // Rays fade out with distance through the dither pattern.
            const int fade = static_cast<int>(16 - dist / 5);
            const int bayer = kBayer[y & 3][x & 3];
            QRgb base = bayer < level ? kDeep : kNight;
            if (ray && bayer < fade)
                base = base == kDeep ? kMoss : kDeep;
            c.put(x, y, base);
        }
    }
}

void sparkle(Canvas &c, int x, int y, QRgb colour, bool big)
{
    c.put(x, y, colour);
    c.put(x - 1, y, colour);
    c.put(x + 1, y, colour);
    c.put(x, y - 1, colour);
    c.put(x, y + 1, colour);
    if (big) {
        c.put(x - 2, y, colour);
        c.put(x + 2, y, colour);
        c.put(x, y - 2, colour);
        c.put(x, y + 2, colour);
    }
}

} // namespace

QImage splashPicture()
{
    // Drawn at half size and doubled, so the whole picture shares one chunky pixel grid.
    QImage small(167, 125, QImage::Format_RGB32);
    Canvas c(small);
    const int bw = 44;
    const int hx = 16, hy = 24;
    splashBackdrop(c, QPoint(hx + bw / 2, hy + 30));

    // Soft shadow under the handheld.
    c.ellipse(hx + bw / 2 + 2, hy + handheldBodyHeight(bw) + 3, bw / 2 + 4, 3, kInk);
    const HandheldParts parts = drawHandheld(c, hx, hy, bw, colourHandheld());
    c.fill(parts.screen.x(), parts.screen.y(), parts.screen.width(), parts.screen.height(),
           qRgb(155, 188, 15));
    drawScreenFace(c, parts.screen, qRgb(15, 56, 15), qRgb(139, 172, 15), false);

    // Title, two-tone like a cartridge label, with a drop shadow.
    const std::string_view title = "Camvista";
    const int ts = 2;
    const int tx = 166 - 9 - textWidth(title, ts), ty = 34;
    c.text(tx + 2, ty + 2, title, kInk, ts);
    c.outlinedText(tx, ty, title, kMint, kInk, ts);
    c.recolour(tx, ty + 8, textWidth(title, ts), 8, kMint, kLeaf);

    // Rule and version under the title.
    const int ruleY = ty + 20;
    c.fill(tx, ruleY, textWidth(title, ts), 1, kLeaf);
    c.fill(tx + 1, ruleY + 1, textWidth(title, ts), 1, kInk);
    const std::string version = std::string("v.") + CAMVISTA_VERSION_TEXT;
    const int vx = tx + textWidth(title, ts) - textWidth(version);
    c.text(vx + 1, ruleY + 5, version, kInk);
    c.text(vx, ruleY + 4, version, kMint);
    // The four tones of a shot, as little chips.
    const std::array<QRgb, 4> chips = {kInk, kMoss, kLeaf, kMint};
    for (int i = 0; i < 4; ++i) {
        c.fill(tx + i * 8, ruleY + 4, 7, 7, kInk);
        c.fill(tx + i * 8 + 1, ruleY + 5, 5, 5, chips[static_cast<std::size_t>(i)]);
    }

    sparkle(c, tx - 6, ty - 6, kMint, true);
    sparkle(c, tx + 70, ty - 9, kLeaf, false);
    sparkle(c, 150, 80, kLeaf, false);
    sparkle(c, 8, 12, kLeaf, false);

    // A film strip of little shots along the bottom.
    const int sy = 98;
    c.fill(0, sy, 167, 24, kInk);
    for (int x = 2; x < 167; x += 6) {
        c.fill(x, sy + 2, 3, 2, kMoss);
        c.fill(x, sy + 20, 3, 2, kMoss);
    }
    const std::array<QRgb, 4> greens = {kInk, kMoss, kLeaf, kMint};
    for (int i = 0; i < 7; ++i) {
        const int fx = 3 + i * 23;
        drawMiniShot(c, fx, sy + 5, static_cast<MiniShot>(i), greens);
    }
    return enlarged(small, 2);
}

namespace
{

// The tile behind the handheld: the splash's greens, lit from the top.
void iconTile(Canvas &c, int size)
{
    const int r = std::max(2, size / 6);
    constexpr QRgb kMark = 0x01000000; // never a real colour of the picture
    c.roundFill(0, 0, size, size, r, kInk);
    c.roundFill(1, 1, size - 2, size - 2, r - 1, kMark);
    for (int y = 1; y < size - 1; ++y)
        for (int x = 1; x < size - 1; ++x)
            if (c.at(x, y) == kMark)
                c.put(x, y, kBayer[y & 3][x & 3] < y * 17 / size ? kDeep : kMoss);
    c.fill(r, 1, size - 2 * r, 1, kLeaf);
}

QImage tinyIcon()
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    Canvas c(image);
    const HandheldLook l = colourHandheld();
    c.sprite(0, 0,
             {
                 "......KKKK......", //
                 ".....KWXLWK.....", //
                 ".....KWLLWK.....", //
                 "..KKKKKKKKKKKK..", //
                 "..KHHHHHHHHHHK..", //
                 "..KHZZZZZZZZSK..", //
                 "..KHZGGGGGGZSK..", //
                 "..KHZGgGGgGZSK..", //
                 "..KHZGGGGGGZSK..", //
                 "..KHZGggggGZSK..", //
                 "..KHZZZZZZZZSK..", //
                 "..KHBBBBBBBBSK..", //
                 "..KHBZBBBBBRSK..", //
                 "..KHZZZBBBRBSK..", //
                 "..KSSZSSSSSSK...", //
                 "...KKKKKKKKKK...", //
             },
             {{'K', l.outline},
              {'W', l.lensBody},
              {'L', l.lensGlass},
              {'X', l.lensGlint},
              {'H', l.bodyLight},
              {'B', l.body},
              {'S', l.bodyShade},
              {'Z', l.bezel},
              {'G', l.screen},
              {'g', qRgb(15, 56, 15)},
              {'R', l.buttons}});
    return image;
}

// The handheld on its tile, for sizes from 32 up.
QImage tiledIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    Canvas c(image);
    iconTile(c, size);
    const int bw = size * 7 / 16;
    const int rise = handheldLensRise(bw);
    const int total = rise + handheldBodyHeight(bw) + 1;
    const int x = (size - bw) / 2;
    const int y = (size - total) / 2 + rise;
    c.ellipse(size / 2 + 1, y + handheldBodyHeight(bw) + 1, bw / 2 + 1, std::max(1, size / 32),
              kInk);
    const HandheldParts parts = drawHandheld(c, x, y, bw, colourHandheld());
    drawScreenFace(c, parts.screen, qRgb(15, 56, 15), qRgb(139, 172, 15), false);
    return image;
}

} // namespace

QImage applicationIcon(int size)
{
    if (size <= 0)
        return {};
    if (size == 16)
        return tinyIcon();
    if (size == 32 || size == 48)
        return tiledIcon(size);
    // Large sizes keep the chunky pixels of the 64 design; odd sizes are scaled from it.
    const QImage base = tiledIcon(64);
    if (size % 64 == 0)
        return enlarged(base, size / 64);
    return base.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace camvista::data
