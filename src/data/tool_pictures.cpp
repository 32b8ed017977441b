#include "tool_pictures.h"

#include "pixel_art.h"

namespace camvista::data
{

using namespace art;

namespace
{

constexpr int kShotWidth = 160;
constexpr int kShotHeight = 144;

// A fat arrow pointing right, its tip at (x, cy).
void rightArrow(Canvas &c, int x, int cy, int length)
{
    const auto inside = [=](int px, int py) {
        const int along = x - px, across = py - cy;
        const bool head = along >= 0 && along <= 10 && std::abs(across) <= along;
        const bool stem = along > 10 && along <= length && std::abs(across) <= 3;
        return head || stem;
    };
    shapeWithOutline(c, inside, kWhite, kLight, kBlack);
}

// Little shots in a grid, some filled with a hill and a sun, as a mosaic would hold them.
void miniTile(Canvas &c, int x, int y, int w, int h, bool filled)
{
    c.fill(x, y, w, h, kBlack);
    c.fill(x + 1, y + 1, w - 2, h - 2, filled ? kWhite : kLight);
    if (!filled)
        return;
    c.fill(x + 2, y + 2, w - 4, h - 4, kLight);
    // The hill stays inside the little picture; the picture's own clip comes back after.
    c.setClip(x + 2, y + 2, w - 4, h - 4);
    c.ellipse(x + w / 2, y + h - 2, w / 2 - 1, h / 3, kDark);
    c.disc(x + w - 6, y + 5, 2, kWhite);
    c.setClip(16, 16, 128, 112);
}

// The empty square the travelling tile is headed for: a dashed outline.
void emptySquare(Canvas &c, int x, int y, int w, int h)
{
    c.fill(x, y, w, h, kWhite);
    for (int i = 0; i < w; i += 2) {
        c.put(x + i, y, kBlack);
        c.put(x + i, y + h - 1, kBlack);
    }
    for (int i = 0; i < h; i += 2) {
        c.put(x, y + i, kBlack);
        c.put(x + w - 1, y + i, kBlack);
    }
}

} // namespace

QImage toolPreviewPlaceholder()
{
    QImage image(kShotWidth, kShotHeight, QImage::Format_RGB32);
    Canvas c(image);
    // The camera's frame: a dark border with a dotted inner edge.
    c.fill(0, 0, kShotWidth, kShotHeight, kDark);
    c.dither(4, 4, kShotWidth - 8, kShotHeight - 8, kDark, kBlack, 4);
    c.frame(15, 15, 130, 114, kBlack);
    for (int x = 18; x < 144; x += 4) {
        c.put(x, 12, kLight);
        c.put(x, 131, kLight);
    }
    // The picture: a sheet of tiles, one of them travelling along the arrow to its square.
    c.setClip(16, 16, 128, 112);
    c.fill(16, 16, 128, 112, kWhite);
    c.dither(16, 96, 128, 32, kWhite, kLight, 6);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            miniTile(c, 86 + col * 18, 24 + row * 16, 17, 15, (row + col) % 2 == 0);
    emptySquare(c, 86 + 2 * 18, 24 + 16, 17, 15);
    miniTile(c, 26, 52, 17, 15, true);
    rightArrow(c, 118, 76, 62);
    c.outlinedText(24, 92, "PICK A SHOT,", kBlack, kWhite);
    c.outlinedText(24, 104, "DRAG IT ON!", kBlack, kWhite);
    c.clearClip();
    return image;
}

QImage wallpaperButtonPicture(ToolKind kind)
{
    QImage image(96, 96, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    Canvas c(image);
    constexpr QRgb kCase = 0xffd8d0c0, kCaseShade = 0xff988f80, kSky = 0xff7fb0e8,
                   kGrass = 0xff58a048, kSun = 0xfff8d040;
    // The monitor: case, screen, neck and foot.
    c.roundFill(6, 8, 84, 64, 5, kBlack);
    c.roundFill(7, 9, 82, 62, 4, kCase);
    c.fill(8, 68, 80, 2, kCaseShade);
    c.fill(13, 14, 70, 50, kBlack);
    c.fill(40, 72, 16, 8, kBlack);
    c.fill(41, 72, 14, 7, kCaseShade);
    c.roundFill(26, 80, 44, 8, 3, kBlack);
    c.roundFill(27, 81, 42, 6, 2, kCase);
    c.disc(80, 67, 1, kGrass);

    // The desktop on it.
    c.setClip(14, 15, 68, 48);
    if (kind == ToolKind::Mosaic) {
        static constexpr QRgb tiles[] = {0xffffc0c0, 0xffffc0ff, 0xffffe0c0, 0xffffffc0,
                                         0xffc0ffc0, 0xffc0ffff, 0xffff8080, 0xff80ffff};
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 5; ++col) {
                const int x = 14 + col * 14, y = 15 + row * 12;
                c.fill(x, y, 14, 12, tiles[(row * 5 + col) % 8]);
                c.frame(x, y, 14, 12, kDark);
                if ((row + col) % 3 == 0) {
                    c.ellipse(x + 7, y + 11, 6, 4, kGrass);
                    c.disc(x + 10, y + 4, 1, kSun);
                }
            }
    } else {
        c.fill(14, 15, 68, 48, kSky);
        c.disc(66, 25, 5, kSun);
        c.ellipse(30, 62, 26, 14, kGrass);
        c.ellipse(64, 64, 24, 10, 0xff408838);
        // Mountains across the whole width: one long view.
        for (int x = 14; x < 82; ++x) {
            const int peak = 38 + std::abs((x % 22) - 11);
            c.fill(x, peak, 1, 50 - peak, kDark);
        }
        // A seam shows the shots it was joined from.
        for (int y = 15; y < 63; y += 2)
            c.put(48, y, kWhite);
    }
    c.clearClip();
    // A glint on the glass.
    c.line(16, 17, 24, 17, kWhite);
    c.line(16, 17, 16, 23, kWhite);
    castShadow(image, 0x60000000);
    return image;
}

} // namespace camvista::data
