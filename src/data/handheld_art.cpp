#include "data/handheld_art.h"

#include <algorithm>

namespace camvista::data::art
{

namespace
{

int scaled(int bodyWidth, int num, int den)
{
    return (bodyWidth * num + den / 2) / den;
}

int lensRadius(int bw)
{
    return std::max(2, scaled(bw, 2, 9));
}

} // namespace

HandheldLook greyHandheld()
{
    return {kBlack, kLight, kWhite, kDark,  kDark, kWhite,
            kBlack, kWhite, kBlack, kWhite, kDark, kBlack};
}

HandheldLook colourHandheld()
{
    return {qRgb(28, 30, 40),  qRgb(196, 192, 186), qRgb(228, 225, 218), qRgb(150, 145, 142),
            qRgb(84, 86, 104), qRgb(155, 188, 15),  qRgb(232, 64, 64),   qRgb(236, 234, 228),
            qRgb(32, 40, 64),  qRgb(200, 230, 255), qRgb(164, 36, 84),   qRgb(112, 22, 56)};
}

int handheldBodyHeight(int bodyWidth)
{
    return scaled(bodyWidth, 3, 2);
}

int handheldLensRise(int bodyWidth)
{
    const int lr = lensRadius(bodyWidth);
    return 2 * lr - lr / 3 + 1;
}

HandheldParts drawHandheld(Canvas &c, int x, int y, int bw, const HandheldLook &look)
{
    const int bh = handheldBodyHeight(bw);
    const int r = std::max(1, bw / 12);
    const int br = std::max(2, bw / 4);

    // Camera ball first, so the body overlaps its lower edge like a mount.
    const int lr = lensRadius(bw);
    const QPoint lens(x + bw / 2, y - lr + lr / 3);
    c.disc(lens.x(), lens.y(), lr + 1, look.outline);
    c.disc(lens.x(), lens.y(), lr, look.lensBody);
    const int glass = std::max(1, lr * 11 / 20);
    c.disc(lens.x(), lens.y(), glass + (lr >= 5 ? 1 : 0), look.outline);
    c.disc(lens.x(), lens.y(), glass, look.lensGlass);
    const int glint = std::max(0, glass / 3);
    c.fill(lens.x() - glass / 2 - glint / 2, lens.y() - glass / 2 - glint / 2, glint + 1, glint + 1,
           look.lensGlint);

    // Body with a light top-left edge and a shaded bottom-right edge.
    c.roundFill(x - 1, y - 1, bw + 2, bh + 2, r + 1, r + 1, r + 1, br + 1, look.outline);
    c.roundFill(x, y, bw, bh, r, r, r, br, look.bodyShade);
    c.roundFill(x, y, bw - 1, bh - 1, r, r, r, br, look.bodyLight);
    c.roundFill(x + 1, y + 1, bw - 2, bh - 2, r, r, r, br, look.body);

    // Bezel and glass, 10:9 like a camera shot with its frame.
    const int side = std::max(2, scaled(bw, 1, 10));
    const int bx = x + side, bwid = bw - 2 * side;
    const int by = y + std::max(2, scaled(bw, 1, 9));
    const int m = std::max(2, scaled(bw, 1, 7));
    const int mt = std::max(1, scaled(bw, 1, 12));
    const int sw = bwid - 2 * m;
    const int sh = (sw * 9 + 5) / 10;
    const int bhgt = sh + 2 * mt + std::max(1, bw / 16);
    c.roundFill(bx, by, bwid, bhgt, 1, 1, 1, std::max(2, bw / 7), look.bezel);
    const QRect screen(bx + m, by + mt, sw, sh);
    c.fill(screen.x(), screen.y(), sw, sh, look.screen);
    if (m >= 3)
        c.fill(bx + (m - 1) / 2, screen.y() + sh / 3, std::max(1, m / 3), std::max(1, m / 3),
               look.led);

    // Controls below the bezel.
    const int top = by + bhgt;
    const int rest = y + bh - top;
    const int cy = top + rest * 2 / 5;
    const int u = std::max(1, scaled(bw, 1, 12));
    const int dx = x + scaled(bw, 1, 4);
    c.fill(dx - u - u / 2 - (u & 1) / 2 - 1, cy - u / 2 - 1, 3 * u + 2, u + 2, look.outline);
    c.fill(dx - u / 2 - 1, cy - u - u / 2 - 1, u + 2, 3 * u + 2, look.outline);
    c.fill(dx - u - u / 2 - (u & 1) / 2, cy - u / 2, 3 * u, u, look.bezel);
    c.fill(dx - u / 2, cy - u - u / 2, u, 3 * u, look.bezel);

    const int rb = std::max(1, scaled(bw, 1, 13));
    const int ax = x + scaled(bw, 4, 5), ay = cy - rb / 2 - 1;
    const int bx2 = ax - 2 * rb - std::max(1, rb / 2) - 2, by2 = ay + rb + 1;
    if (rb == 1) {
        // Too small for round buttons: two clear blocks.
        c.fill(ax - 1, ay - 1, 2, 2, look.buttons);
        c.fill(ax - 4, ay + 1, 2, 2, look.buttons);
    } else {
        for (const QPoint p : {QPoint(ax, ay), QPoint(bx2, by2)}) {
            c.disc(p.x(), p.y(), rb + 1, look.outline);
            c.disc(p.x(), p.y(), rb, look.buttonShade);
            c.disc(p.x() - 1, p.y() - 1, rb - 1, look.buttons);
        }
    }

    if (bw >= 20) {
        const int py = y + bh - std::max(3, scaled(bw, 1, 7));
        const int pw = std::max(2, u + u / 2);
        c.fill(x + scaled(bw, 3, 8) - pw / 2, py, pw, std::max(1, u / 2), look.bezel);
        c.fill(x + scaled(bw, 11, 20) - pw / 2, py, pw, std::max(1, u / 2), look.bezel);
        // Speaker slots in the rounded corner.
        const int gx = x + bw - br - scaled(bw, 1, 12), gy = y + bh - br - 1;
        const int len = std::max(2, bw / 9);
        for (int i = 0; i < 3; ++i)
            c.line(gx + i * 2 * std::max(1, bw / 24), gy, gx + i * 2 * std::max(1, bw / 24) - len,
                   gy + len, look.bodyShade);
    }

    return {QRect(x, y, bw, bh), screen, lens};
}

void drawScreenFace(Canvas &c, const QRect &s, QRgb ink, QRgb cheek, bool wink)
{
    const int cx = s.x() + s.width() / 2;
    if (s.width() < 10) {
        // Two dots and a grin for tiny screens.
        const int ey = s.y() + 1;
        c.put(cx - 2, ey, ink);
        c.put(cx + 1, ey, ink);
        c.fill(cx - 2, s.bottom() - 1, 4, 1, ink);
        return;
    }
    const int ey = s.y() + s.height() * 2 / 5;
    const int gap = std::max(3, s.width() / 5);
    const int eh = std::max(2, s.height() / 6);
    // Left eye, or a closed one for the wink.
    if (wink) {
        c.fill(cx - gap - 1, ey + eh / 2, 3, 1, ink);
        c.put(cx - gap - 2, ey + eh / 2 - 1, ink);
        c.put(cx - gap + 2, ey + eh / 2 - 1, ink);
    } else {
        c.fill(cx - gap - 1, ey, 2, eh, ink);
    }
    c.fill(cx + gap, ey, 2, eh, ink);
    const int my = ey + eh + std::max(1, s.height() / 8);
    const int mw = std::max(2, s.width() / 6);
    c.fill(cx - mw + 1, my + 1, 2 * mw - 1, 1, ink);
    c.put(cx - mw, my, ink);
    c.put(cx + mw, my, ink);
    if (s.width() >= 18) {
        c.fill(cx - gap - 4, my - 1, 2, 1, cheek);
        c.fill(cx + gap + 3, my - 1, 2, 1, cheek);
    }
}

} // namespace camvista::data::art
