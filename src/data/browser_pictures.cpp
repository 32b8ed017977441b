// Pictures of the shot browser: its four button icons, the preview's "no shot yet" picture and
// the magnifier pointer over the preview.
#include "data/browser_pictures.h"

#include "data/handheld_art.h"
#include "data/pixel_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace camvista::data
{

using namespace art;

namespace
{

// ---- Button icons --------------------------------------------------------------------------

constexpr int kIconSize = 24;

// The toolbar icons' palette, so the browser's buttons look like one family with them.
constexpr QRgb kOut = qRgb(36, 38, 52);
constexpr QRgb kPaper = qRgb(250, 246, 236);
constexpr QRgb kPaperShade = qRgb(216, 208, 190);
constexpr QRgb kSteelShade = qRgb(146, 142, 140);
constexpr QRgb kSky = qRgb(110, 180, 236);
constexpr QRgb kSkyLight = qRgb(176, 216, 246);
constexpr QRgb kSkyDeep = qRgb(60, 112, 200);
constexpr QRgb kRed = qRgb(222, 74, 74);
constexpr QRgb kRedDark = qRgb(160, 40, 52);
constexpr QRgb kOrange = qRgb(242, 140, 48);
constexpr QRgb kGrass = qRgb(96, 184, 76);
constexpr QRgb kGrassDark = qRgb(52, 132, 64);
constexpr QRgb kGold = qRgb(232, 180, 48);
constexpr QRgb kGoldLight = qRgb(250, 226, 120);
constexpr QRgb kGoldDark = qRgb(170, 112, 28);
constexpr QRgb kSkin = qRgb(250, 206, 168);
constexpr QRgb kHair = qRgb(110, 64, 40);

constexpr std::array<QRgb, 4> kGreens = {qRgb(15, 56, 15), qRgb(48, 98, 48), qRgb(139, 172, 15),
                                         qRgb(176, 204, 40)};

// A landscape small enough to stay clear on a print a dozen pixels wide: sun, two hills, field.
void tinyLandscape(Canvas &c, int x, int y, int w, int h)
{
    c.fill(x, y, w, h, kGreens[2]);
    c.fill(x, y, w, 2, kGreens[3]);
    c.disc(x + w - 4, y + 2, 1, kGreens[3]);
    c.put(x + w - 4, y + 2, kPaper);
    for (int i = 0; i < w; ++i) {
        const int left = std::abs(i - w / 3), right = std::abs(i - w * 3 / 4);
        const int top = std::min(h / 3 + left, h / 2 + right);
        c.fill(x + i, y + top, 1, h - top, kGreens[1]);
    }
    c.fill(x, y + h - 2, w, 2, kGreens[0]);
}

// A print with a wide lower margin, like an instant photo.
void instantPhoto(Canvas &c, int x, int y, int w, int h)
{
    c.fill(x, y, w, h, kOut);
    c.fill(x + 1, y + 1, w - 2, h - 2, kPaper);
    c.fill(x + 1, y + h - 2, w - 2, 1, kPaperShade);
    c.fill(x + 2, y + 2, w - 4, h - 7, kOut);
    tinyLandscape(c, x + 3, y + 3, w - 6, h - 9);
}

void deleteShot(Canvas &c)
{
    instantPhoto(c, 1, 1, 18, 18);
    // Red "remove" badge over the lower right corner.
    const int bx = 17, by = 17;
    c.disc(bx, by, 6, kOut);
    c.disc(bx, by, 5, kRedDark);
    c.disc(bx - 1, by - 1, 4, kRed);
    for (int i = -2; i <= 2; ++i) {
        c.fill(bx + i - 1, by + i - 1, 2, 2, kPaper);
        c.fill(bx - i - 1, by + i - 1, 2, 2, kPaper);
    }
}

void openFolder(Canvas &c)
{
    // Back of the folder with its tab.
    c.roundFill(1, 3, 8, 4, 1, 1, 0, 0, kOut);
    c.fill(2, 4, 6, 2, kGold);
    c.fill(1, 5, 20, 16, kOut);
    c.fill(2, 6, 18, 14, kGoldDark);
    c.fill(2, 6, 6, 1, kGold);
    // A shot sticking out of it.
    c.fill(6, 1, 13, 12, kOut);
    c.fill(7, 2, 11, 10, kPaper);
    tinyLandscape(c, 8, 3, 9, 7);
    // The front flap, leaning open towards the viewer.
    const auto flap = [](int x, int y) {
        if (y < 11 || y > 20)
            return false;
        const int shift = (20 - y) / 3;
        return x >= 1 + shift && x <= 19 + shift;
    };
    shapeWithOutline(c, flap, kGold, kGoldDark, kOut);
    c.fill(5, 11, 17, 1, kGoldLight);
}

void messengerAvatar(Canvas &c)
{
    // Speech bubble with its tail at the lower left.
    const auto bubble = [](int x, int y) {
        const bool body =
            x >= 2 && x <= 21 && y >= 2 && y <= 16 && !((x == 2 || x == 21) && (y == 2 || y == 16));
        const bool tail = y >= 17 && y <= 20 && x >= 4 && x <= 4 + (20 - y);
        return body || tail;
    };
    shapeWithOutline(c, bubble, kSky, kSkyDeep, kOut);
    c.fill(3, 2, 18, 1, kSkyLight);
    c.fill(2, 3, 1, 13, kSkyLight);
    // The portrait: a friend's face on a sunny ground.
    const int px = 6, py = 3;
    c.fill(px, py, 12, 12, kOut);
    c.fill(px + 1, py + 1, 10, 10, kGoldLight);
    c.setClip(px + 1, py + 1, 10, 10);
    c.ellipse(px + 6, py + 12, 5, 3, kOut);
    c.ellipse(px + 6, py + 12, 4, 2, kOrange);
    c.disc(px + 6, py + 6, 3, kOut);
    c.disc(px + 6, py + 6, 2, kSkin);
    c.fill(px + 4, py + 3, 5, 2, kHair);
    c.put(px + 4, py + 5, kHair);
    c.put(px + 8, py + 5, kHair);
    c.put(px + 5, py + 6, kOut);
    c.put(px + 7, py + 6, kOut);
    c.clearClip();
    // "Online" light.
    c.disc(19, 13, 2, kOut);
    c.disc(19, 13, 1, kGrass);
}

void refreshList(Canvas &c)
{
    // The list: a sheet of rows, each a tiny shot and its name.
    c.fill(1, 1, 16, 21, kOut);
    c.fill(2, 2, 14, 19, kPaper);
    c.fill(2, 20, 14, 1, kPaperShade);
    for (int row = 0; row < 4; ++row) {
        const int y = 3 + row * 4;
        c.fill(3, y, 3, 3, row % 2 ? kSkyDeep : kGrassDark);
        c.fill(7, y + 1, row % 2 ? 6 : 8, 1, kSteelShade);
    }
    // A round arrow: a ring open at its upper right, the head pointing clockwise into the gap.
    const auto arrow = [](int x, int y) {
        const double px = x + 0.5 - 15, py = y + 0.5 - 15;
        const double d = std::hypot(px, py);
        const bool ring = d >= 4.2 && d <= 6.7 && !(px >= 0 && py < 0);
        const bool head = px >= -0.5 && std::abs(py + 5.45) <= 3.7 - px;
        return ring || head;
    };
    shapeWithOutline(c, arrow, kGrass, kGrassDark, kOut);
}

QImage drawIcon(BrowserIcon which)
{
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    Canvas c(image);
    switch (which) {
    case BrowserIcon::DeleteShot:
        deleteShot(c);
        break;
    case BrowserIcon::OpenFolder:
        openFolder(c);
        break;
    case BrowserIcon::MessengerAvatar:
        messengerAvatar(c);
        break;
    case BrowserIcon::RefreshList:
        refreshList(c);
        break;
    }
    castShadow(image, qPremultiply(qRgba(20, 20, 40, 72)));
    return image;
}

// ---- Preview placeholder -------------------------------------------------------------------

constexpr int kShotWidth = 160;
constexpr int kShotHeight = 144;

// The frame: a dark album page with stitching, and photo corners holding the empty picture.
void albumFrame(Canvas &c)
{
    c.fill(0, 0, kShotWidth, kShotHeight, kBlack);
    c.fill(1, 1, kShotWidth - 2, kShotHeight - 2, kDark);
    c.fill(1, 1, kShotWidth - 2, 1, kLight);
    c.fill(1, 1, 1, kShotHeight - 2, kLight);
    const std::string_view note = "NO SHOT YET";
    const int noteX = (kShotWidth - textWidth(note)) / 2;
    for (int x = 5; x < kShotWidth - 6; x += 4) {
        c.fill(x, 5, 2, 1, kLight);
        if (x + 1 < noteX - 4 || x > noteX + textWidth(note) + 2)
            c.fill(x, kShotHeight - 6, 2, 1, kLight);
    }
    for (int y = 9; y < kShotHeight - 8; y += 4) {
        c.fill(5, y, 1, 2, kLight);
        c.fill(kShotWidth - 6, y, 1, 2, kLight);
    }
    c.text(noteX + 1, kShotHeight - 11, note, kBlack);
    c.text(noteX, kShotHeight - 12, note, kWhite);
    c.frame(15, 15, 130, 114, kBlack);
}

void photoCorners(Canvas &c)
{
    const int x0 = 12, y0 = 12, x1 = 147, y1 = 131;
    for (int i = 0; i < 11; ++i) {
        const int len = 11 - i;
        // Each corner is a triangle with a white fold line along its long edge.
        c.fill(x0, y0 + i, len, 1, kBlack);
        c.fill(x1 - len + 1, y0 + i, len, 1, kBlack);
        c.fill(x0, y1 - i, len, 1, kBlack);
        c.fill(x1 - len + 1, y1 - i, len, 1, kBlack);
        c.put(x0 + len - 1, y0 + i, kLight);
        c.put(x1 - len + 1, y0 + i, kLight);
        c.put(x0 + len - 1, y1 - i, kLight);
        c.put(x1 - len + 1, y1 - i, kLight);
    }
}

struct Scene {
    Canvas &c;
    int ox;
    int oy;
    void put(int x, int y, QRgb v) { c.put(ox + x, oy + y, v); }
    void fill(int x, int y, int w, int h, QRgb v) { c.fill(ox + x, oy + y, w, h, v); }
    void disc(int x, int y, int r, QRgb v) { c.disc(ox + x, oy + y, r, v); }
    void ellipse(int x, int y, int rx, int ry, QRgb v) { c.ellipse(ox + x, oy + y, rx, ry, v); }
    void line(int x0, int y0, int x1, int y1, QRgb v)
    {
        c.line(ox + x0, oy + y0, ox + x1, oy + y1, v);
    }
    void thickLine(int x0, int y0, int x1, int y1, QRgb v)
    {
        line(x0, y0, x1, y1, v);
        line(x0 + 1, y0, x1 + 1, y1, v);
    }
};

void backdrop(Scene &s)
{
    // Soft light from above, a floor with a black rim.
    for (int y = 0; y < 112; ++y)
        s.c.dither(s.ox, s.oy + y, 128, 1, kLight, kWhite, std::min(16, 4 + y * 16 / 70));
    for (int x = 0; x < 128; ++x) {
        const int dx = x - 64;
        const int top = 90 + dx * dx / 400;
        s.put(x, top, kBlack);
        s.c.dither(s.ox + x, s.oy + top + 1, 1, 111 - top, kWhite, kLight, 8);
    }
}

void pointingMascot(Scene &s)
{
    const int bw = 30, x = 16, y = 38;
    const int bh = handheldBodyHeight(bw);
    // Shadow and legs.
    s.ellipse(x + bw / 2, y + bh + 9, bw / 2 + 2, 2, kDark);
    for (const int lx : {x + 7, x + bw - 10}) {
        s.fill(lx, y + bh, 3, 7, kBlack);
        s.ellipse(lx + (lx < x + bw / 2 ? 0 : 3), y + bh + 8, 4, 2, kBlack);
        s.put(lx + (lx < x + bw / 2 ? -1 : 3), y + bh + 7, kDark);
    }
    // Left hand on the hip, behind the body.
    s.thickLine(x, y + 26, x - 6, y + 31, kBlack);
    s.thickLine(x - 6, y + 31, x - 1, y + 37, kBlack);
    const HandheldParts p = drawHandheld(s.c, s.ox + x, s.oy + y, bw, greyHandheld());
    drawScreenFace(s.c, p.screen, kBlack, kLight, false);
    s.disc(x - 1, y + 38, 3, kBlack);
    s.disc(x - 1, y + 38, 2, kWhite);
    // Right arm held out towards the arrow, finger first.
    s.thickLine(x + bw, y + 24, x + bw + 8, y + 20, kBlack);
    s.thickLine(x + bw + 8, y + 20, x + bw + 14, y + 22, kBlack);
    s.disc(x + bw + 16, y + 22, 3, kBlack);
    s.disc(x + bw + 16, y + 22, 2, kWhite);
    s.fill(x + bw + 19, y + 21, 5, 3, kBlack);
    s.fill(x + bw + 19, y + 22, 4, 1, kWhite);
}

void speechBubble(Scene &s, int x, int y, std::string_view text, QPoint tail)
{
    const int w = textWidth(text) + 10;
    s.c.roundFill(s.ox + x - 1, s.oy + y - 1, w + 2, 17, 3, kBlack);
    s.c.roundFill(s.ox + x, s.oy + y, w, 15, 2, kWhite);
    s.fill(x + 1, y + 13, w - 2, 1, kLight);
    // The tail leans down towards the speaker.
    const int bx = x + 6;
    s.fill(bx, y + 13, 5, 2, kWhite);
    s.line(bx - 1, y + 15, tail.x(), tail.y(), kBlack);
    s.line(bx + 5, y + 15, tail.x(), tail.y(), kBlack);
    for (int i = 0; i < 4; ++i)
        s.line(bx + i, y + 15, tail.x() + (i > 1 ? 1 : 0), tail.y() - 1, kWhite);
    s.c.text(s.ox + x + 5, s.oy + y + 4, text, kBlack);
}

// A fat arrow bouncing on the spot, pointing down to the list under the preview.
void downArrow(Scene &s, int cx, int top)
{
    const auto inside = [=](int px, int py) {
        const int x = px - s.ox - cx, y = py - s.oy - top;
        const bool stem = y >= 0 && y < 12 && std::abs(x) <= 4;
        const bool headPart = y >= 12 && y <= 22 && std::abs(x) <= 22 - y;
        return stem || headPart;
    };
    // Its shadow on the floor, left behind by the bounce.
    s.ellipse(cx, top + 34, 9, 1, kDark);
    shapeWithOutline(s.c, inside, kWhite, kLight, kBlack);
    // Motion marks above it.
    s.fill(cx - 2, top - 4, 5, 1, kDark);
    s.fill(cx - 1, top - 7, 3, 1, kDark);
}

void twinkle(Scene &s, int x, int y)
{
    s.fill(x - 2, y, 5, 1, kBlack);
    s.fill(x, y - 2, 1, 5, kBlack);
    s.put(x, y, kWhite);
    for (const int d : {-3, 3}) {
        s.put(x + d, y, kDark);
        s.put(x, y + d, kDark);
    }
}

void placeholderScene(Canvas &c)
{
    c.setClip(16, 16, 128, 112);
    Scene s{c, 16, 16};
    backdrop(s);
    pointingMascot(s);
    speechBubble(s, 44, 8, "PICK A SHOT!", QPoint(40, 30));
    downArrow(s, 96, 58);
    twinkle(s, 118, 34);
    twinkle(s, 72, 36);
    twinkle(s, 10, 14);
    c.clearClip();
}

} // namespace

QImage browserIcon(BrowserIcon which)
{
    return drawIcon(which);
}

QImage previewPlaceholder()
{
    QImage image(kShotWidth, kShotHeight, QImage::Format_RGB32);
    Canvas c(image);
    albumFrame(c);
    placeholderScene(c);
    photoCorners(c);
    return image;
}

QImage previewCursor()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    Canvas c(image);
    constexpr QRgb kInk = 0xff000000, kBright = 0xffffffff;
    // Handle first, so the rim of the lens sits over its end.
    const auto handle = [](int x, int y) {
        const int along = x + y, across = x - y;
        return along >= 42 && std::abs(across) <= 3 && along + std::abs(across) <= 59;
    };
    shapeWithOutline(c, handle, kBright, kBright, kInk);
    // The lens is centred on the hot spot, (16, 16).
    const int cx = 16, cy = 16;
    c.disc(cx, cy, 10, kInk);
    c.disc(cx, cy, 9, kBright);
    c.disc(cx, cy, 7, kInk);
    // See-through glass with a glint.
    c.disc(cx, cy, 6, 0u);
    c.put(cx - 4, cy - 2, kBright);
    c.put(cx - 4, cy - 3, kBright);
    c.put(cx - 3, cy - 4, kBright);
    c.put(cx - 2, cy - 4, kBright);
    return image;
}

} // namespace camvista::data
