// The eight toolbar icons: flat pixel art with a dark outline, a shared palette and one soft
// drop shadow, so they read as one set at 48 px.
#include "data/shell_pictures.h"

#include "data/handheld_art.h"
#include "data/mini_shots.h"
#include "data/pixel_art.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace camvista::data
{

using namespace art;

namespace
{

constexpr int kSize = 48;

constexpr QRgb kOut = qRgb(36, 38, 52);
constexpr QRgb kPaper = qRgb(250, 246, 236);
constexpr QRgb kPaperShade = qRgb(216, 208, 190);
constexpr QRgb kSteel = qRgb(196, 192, 186);
constexpr QRgb kSteelLight = qRgb(230, 227, 220);
constexpr QRgb kSteelShade = qRgb(146, 142, 140);
constexpr QRgb kSky = qRgb(110, 180, 236);
constexpr QRgb kSkyDeep = qRgb(60, 112, 200);
constexpr QRgb kSun = qRgb(250, 208, 72);
constexpr QRgb kOrange = qRgb(242, 140, 48);
constexpr QRgb kOrangeDark = qRgb(196, 92, 28);
constexpr QRgb kRed = qRgb(222, 74, 74);
constexpr QRgb kGrass = qRgb(96, 184, 76);
constexpr QRgb kGrassDark = qRgb(52, 132, 64);
constexpr QRgb kGold = qRgb(232, 180, 48);
constexpr QRgb kGoldLight = qRgb(250, 226, 120);
constexpr QRgb kGoldDark = qRgb(170, 112, 28);
constexpr QRgb kPurple = qRgb(140, 92, 200);
constexpr QRgb kPurpleLight = qRgb(184, 146, 236);

constexpr std::array<QRgb, 4> kGreens = {qRgb(15, 56, 15), qRgb(48, 98, 48), qRgb(139, 172, 15),
                                         qRgb(176, 204, 40)};
constexpr std::array<QRgb, 4> kGreys = {kBlack, kDark, kLight, kWhite};
constexpr std::array<QRgb, 4> kSepia = {qRgb(62, 38, 28), qRgb(136, 92, 60), qRgb(208, 168, 120),
                                        qRgb(248, 228, 196)};
constexpr std::array<QRgb, 4> kBlues = {qRgb(24, 30, 80), qRgb(60, 90, 170), qRgb(120, 170, 230),
                                        qRgb(220, 238, 255)};
constexpr std::array<QRgb, 4> kRoses = {qRgb(70, 20, 50), qRgb(170, 60, 100), qRgb(236, 140, 160),
                                        qRgb(255, 226, 230)};

QImage blankIcon()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Copies part of a small picture onto the canvas.
void blit(Canvas &c, const QImage &src, int sx, int sy, int w, int h, int dx, int dy)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.put(dx + x, dy + y, src.pixel(sx + x, sy + y));
}

QImage miniShot(MiniShot shot, const std::array<QRgb, 4> &tones)
{
    QImage image(kMiniShotWidth, kMiniShotHeight, QImage::Format_ARGB32_Premultiplied);
    Canvas c(image);
    drawMiniShot(c, 0, 0, shot, tones);
    return image;
}

// A printed photo: outline, white margin, picture.
void print(Canvas &c, int x, int y, int w, int h, int margin)
{
    c.fill(x, y, w, h, kOut);
    c.fill(x + 1, y + 1, w - 2, h - 2, kPaper);
    c.fill(x + 1, y + h - 2, w - 2, 1, kPaperShade);
    c.fill(x + 1 + margin, y + 1 + margin, w - 2 - 2 * margin, h - 2 - 2 * margin, kOut);
}

// A shape ringed with the icons' outline colour.
template <typename Inside> void outlinedShape(Canvas &c, Inside inside, QRgb fill, QRgb shade)
{
    shapeWithOutline(c, inside, fill, shade, kOut);
}

// An arrow that runs right from x0 at height y, turns down at column xc and ends in a head
// whose tip is at yTip.
void bentArrow(Canvas &c, int x0, int y, int xc, int yTip, QRgb fill, QRgb shade)
{
    outlinedShape(
        c,
        [=](int px, int py) {
            const bool across = py >= y - 2 && py <= y + 2 && px >= x0 && px <= xc + 2;
            const bool down = px >= xc - 2 && px <= xc + 2 && py >= y - 2 && py <= yTip - 6;
            const bool head = py > yTip - 7 && py <= yTip && std::abs(px - xc) <= yTip - py;
            return across || down || head;
        },
        fill, shade);
}

// A small landscape: sky, sun, hill and a house, in colour or in the camera's shades.
void landscape(Canvas &c, int x, int y, int w, int h, bool grey)
{
    c.setClip(x, y, w, h);
    const int horizon = y + h * 3 / 5;
    if (grey) {
        for (int yy = y; yy < horizon; ++yy)
            c.dither(x, yy, w, 1, kLight, kWhite, (yy - y) * 16 / (horizon - y));
        c.disc(x + w - 6, y + 4, 3, kWhite);
        c.ring(x + w - 6, y + 4, 3, kDark);
        c.ellipse(x + w / 3, y + h + 2, w * 2 / 3, h / 2, kDark);
        c.dither(x, y + h - 3, w, 3, kDark, kBlack, 6);
        c.fill(x + 4, horizon - 4, 6, 5, kWhite);
        c.frame(x + 4, horizon - 4, 6, 5, kBlack);
        for (int i = 0; i < 4; ++i)
            c.fill(x + 3 + i, horizon - 5 - i, 8 - 2 * i, 1, kBlack);
    } else {
        c.fill(x, y, w, horizon - y, kSky);
        c.fill(x, y, w, 2, kSkyDeep);
        c.disc(x + w - 6, y + 4, 3, kSun);
        c.ellipse(x + w / 3, y + h + 2, w * 2 / 3, h / 2, kGrass);
        c.fill(x, y + h - 3, w, 3, kGrassDark);
        c.fill(x + 4, horizon - 4, 6, 5, kPaper);
        c.frame(x + 4, horizon - 4, 6, 5, kOut);
        for (int i = 0; i < 4; ++i)
            c.fill(x + 3 + i, horizon - 5 - i, 8 - 2 * i, 1, kRed);
    }
    c.clearClip();
}

void mosaik(Canvas &c)
{
    const int tw = 13, th = 11;
    c.fill(2, 6, 3 * tw + 4, 3 * th + 4, kOut);
    struct Tile {
        MiniShot shot;
        const std::array<QRgb, 4> *tones;
    };
    const Tile tiles[9] = {
        {MiniShot::Smile, &kGreens}, {MiniShot::Sunset, &kSepia}, {MiniShot::Heart, &kRoses},
        {MiniShot::Tree, &kBlues},   {MiniShot::Cat, &kGreys},    {MiniShot::House, &kGreens},
        {MiniShot::Night, &kBlues},  {MiniShot::Smile, &kRoses},  {MiniShot::Tree, &kSepia}};
    for (int i = 0; i < 9; ++i) {
        const QImage shot = miniShot(tiles[i].shot, *tiles[i].tones);
        blit(c, shot, 4, 2, tw, th, 3 + (i % 3) * (tw + 1), 7 + (i / 3) * (th + 1));
    }
}

void panorama(Canvas &c)
{
    const int x = 1, y = 9, w = 46, h = 24;
    c.fill(x, y, w, h, kOut);
    const int ix = x + 1, iy = y + 1, iw = w - 2, ih = h - 2;
    c.setClip(ix, iy, iw, ih);
    for (int yy = iy; yy < iy + 12; ++yy)
        c.fill(ix, yy, iw, 1, mix(kSkyDeep, kSky, (yy - iy) * 256 / 12));
    c.fill(ix, iy + 12, iw, ih - 12, kSky);
    c.disc(ix + 37, iy + 5, 3, kSun);
    for (int i = 0; i < iw; ++i) {
        const double t = i * 0.33;
        const int top =
            iy + 9 + static_cast<int>(std::lround(3 * std::sin(t) + 2 * std::sin(t * 2.3)));
        c.fill(ix + i, top, 1, iy + 16 - top, kPurple);
        c.put(ix + i, top, kPurpleLight);
    }
    c.fill(ix, iy + 16, iw, ih - 16, kGrassDark);
    c.fill(ix, iy + 16, iw, 2, kGrass);
    c.clearClip();
    // Seams where the shots were joined.
    for (const int sx : {ix + iw / 3, ix + 2 * iw / 3})
        for (int yy = iy; yy < iy + ih; yy += 2)
            c.put(sx, yy, kPaper);
    // Double arrow: the picture grows sideways.
    outlinedShape(
        c,
        [](int px, int py) {
            const int d = std::abs(py - 40);
            return (d <= 1 && px >= 8 && px <= 39) || (px >= 3 && px <= 8 && d <= px - 3) ||
                   (px >= 39 && px <= 44 && d <= 44 - px);
        },
        kOrange, kOrangeDark);
}

void wildFrames(Canvas &c)
{
    const int x = 9, y = 1, w = 30, h = 45;
    c.roundFill(x, y, w, h, 3, kOut);
    c.roundFill(x + 1, y + 1, w - 2, h - 2, 2, kGoldDark);
    c.roundFill(x + 1, y + 1, w - 3, h - 3, 2, kGoldLight);
    c.roundFill(x + 2, y + 2, w - 4, h - 4, 2, kGold);
    // Beads along the frame.
    for (int yy = y + 7; yy < y + h - 6; yy += 4) {
        c.put(x + 3, yy, kGoldDark);
        c.put(x + w - 4, yy, kGoldDark);
    }
    for (int xx = x + 8; xx < x + w - 7; xx += 4) {
        c.put(xx, y + 3, kGoldDark);
        c.put(xx, y + h - 4, kGoldDark);
    }
    // Corner rosettes and a crest on top.
    for (const QPoint p : {QPoint(x + 3, y + 3), QPoint(x + w - 4, y + 3), QPoint(x + 3, y + h - 4),
                           QPoint(x + w - 4, y + h - 4)}) {
        c.disc(p.x(), p.y(), 3, kOut);
        c.disc(p.x(), p.y(), 2, kGoldLight);
        c.put(p.x(), p.y(), kGoldDark);
    }
    // Crests in the middle of each side.
    for (const QPoint p : {QPoint(x + w / 2, y + 2), QPoint(x + w / 2, y + h - 3),
                           QPoint(x + 2, y + h / 2), QPoint(x + w - 3, y + h / 2)}) {
        c.fill(p.x() - 3, p.y() - 1, 7, 3, kOut);
        c.fill(p.x() - 1, p.y() - 3, 3, 7, kOut);
        c.fill(p.x() - 2, p.y(), 5, 1, kGoldLight);
        c.fill(p.x(), p.y() - 2, 1, 5, kGoldLight);
        c.put(p.x(), p.y(), kRed);
    }
    // The tall picture inside.
    const int px = x + 6, py = y + 6, pw = w - 12, ph = h - 12;
    c.fill(px - 1, py - 1, pw + 2, ph + 2, kOut);
    c.setClip(px, py, pw, ph);
    for (int yy = py; yy < py + ph; ++yy)
        c.fill(px, yy, pw, 1, mix(kGreens[1], kGreens[3], (yy - py) * 256 / ph));
    c.disc(px + pw - 6, py + 6, 3, kGreens[3]);
    c.disc(px + pw - 8, py + 5, 2, kGreens[1]);
    c.put(px + 3, py + 4, kGreens[3]);
    c.put(px + 7, py + 9, kGreens[3]);
    c.ellipse(px + pw / 2, py + ph + 4, pw, 8, kGreens[0]);
    // A tall fir, tier by tier.
    const int cx = px + pw / 2;
    for (int tier = 0; tier < 4; ++tier) {
        const int top = py + 10 + tier * 5;
        for (int i = 0; i < 7; ++i)
            c.fill(cx - (i + tier) / 2 - 1, top + i, 2 * ((i + tier) / 2) + 3, 1, kGreens[0]);
    }
    c.fill(cx - 1, py + ph - 6, 3, 3, kGreens[0]);
    c.clearClip();
}

void converter(Canvas &c)
{
    print(c, 1, 2, 24, 20, 1);
    landscape(c, 3, 4, 20, 16, false);
    print(c, 22, 25, 24, 20, 1);
    landscape(c, 24, 27, 20, 16, true);
    // Colour in, four shades out.
    bentArrow(c, 26, 10, 36, 24, kOrange, kOrangeDark);
}

void userId(Canvas &c)
{
    const int x = 1, y = 8, w = 46, h = 33;
    c.roundFill(x, y, w, h, 3, kOut);
    c.roundFill(x + 1, y + 1, w - 2, h - 2, 2, kPaper);
    c.fill(x + 2, y + h - 2, w - 4, 1, kPaperShade);
    c.roundFill(x + 1, y + 1, w - 2, 9, 2, 2, 0, 0, kSkyDeep);
    c.fill(x + 1, y + 9, w - 2, 1, kOut);
    c.text(x + 4, y + 2, "ID", kPaper);
    c.fill(x + 16, y + 4, 24, 2, kSky);
    // Lanyard slot.
    c.fill(20, 5, 8, 5, kOut);
    c.fill(21, 6, 6, 2, kSteel);
    // Portrait with a person's bust.
    const int px = x + 4, py = y + 13;
    c.fill(px, py, 14, 16, kOut);
    c.fill(px + 1, py + 1, 12, 14, kSky);
    c.setClip(px + 1, py + 1, 12, 14);
    c.ellipse(px + 7, py + 16, 6, 5, kOut);
    c.ellipse(px + 7, py + 16, 5, 4, kOrange);
    c.disc(px + 7, py + 7, 4, kOut);
    c.disc(px + 7, py + 7, 3, qRgb(250, 206, 168));
    c.fill(px + 4, py + 3, 7, 2, qRgb(110, 64, 40));
    c.put(px + 4, py + 5, qRgb(110, 64, 40));
    c.put(px + 10, py + 5, qRgb(110, 64, 40));
    c.clearClip();
    // Lines of text and a number.
    c.fill(x + 21, y + 14, 20, 2, kSteelShade);
    c.fill(x + 21, y + 19, 15, 2, kSteel);
    c.fill(x + 21, y + 24, 20, 3, kOut);
    for (int i = 0; i < 5; ++i)
        c.fill(x + 22 + i * 4, y + 25, 2, 1, kSun);
}

void saveDump(Canvas &c)
{
    // Game cartridge: corner cut, grip ridges, a picture label and gold contacts.
    const int x = 2, y = 2, w = 25, h = 32;
    c.roundFill(x, y, w, h, 1, 1, 1, 1, kOut);
    c.fill(x + 1, y + 1, w - 2, h - 2, kSteel);
    c.fill(x + 1, y + 1, 1, h - 2, kSteelLight);
    c.fill(x + 1, y + 1, w - 2, 1, kSteelLight);
    c.fill(x + w - 2, y + 2, 1, h - 3, kSteelShade);
    for (int i = 0; i < 5; ++i) {
        c.fill(x + w - 5 + i, y + i, 5 - i, 1, 0u); // the cut corner shows the ground
        c.put(x + w - 6 + i, y + i, kOut);
    }
    for (int i = 0; i < 3; ++i)
        c.fill(x + 4, y + 3 + i * 2, 13, 1, kSteelShade);
    c.fill(x + 3, y + 10, w - 6, 16, kOut);
    blit(c, miniShot(MiniShot::Smile, kGreens), 1, 0, w - 8, 14, x + 4, y + 11);
    c.fill(x + 3, y + h - 4, w - 6, 3, kOut);
    for (int px = x + 4; px < x + w - 3; px += 2)
        c.fill(px, y + h - 4, 1, 2, kGold);
    // Pictures coming out of it.
    print(c, 27, 29, 20, 17, 1);
    blit(c, miniShot(MiniShot::Tree, kGreens), 2, 0, 16, 13, 29, 31);
    print(c, 22, 33, 20, 14, 1);
    blit(c, miniShot(MiniShot::Sunset, kGreens), 2, 1, 16, 10, 24, 35);
    bentArrow(c, 29, 12, 40, 28, kGrass, kGrassDark);
}

void cameraLink(Canvas &c)
{
    // Computer monitor showing a received shot.
    c.roundFill(22, 4, 25, 21, 2, kOut);
    c.roundFill(23, 5, 23, 19, 1, kSteel);
    c.fill(23, 22, 23, 2, kSteelShade);
    c.fill(25, 6, 19, 15, kOut);
    blit(c, miniShot(MiniShot::Smile, kGreens), 1, 0, 18, 14, 26, 7);
    c.fill(31, 25, 7, 3, kOut);
    c.fill(32, 25, 5, 2, kSteelShade);
    c.fill(27, 27, 15, 3, kOut);
    c.fill(28, 28, 13, 1, kSteel);
    // The handheld, linked by a cable.
    const int bw = 15;
    drawHandheld(c, 3, 18 + handheldLensRise(bw) - 4, bw, colourHandheld());
    // Cable: a gentle curve from the handheld's side to the monitor's foot.
    const auto curve = [](double t) {
        const double x0 = 18, y0 = 34, x3 = 30, y3 = 29;
        const double x1 = 24, y1 = 46, x2 = 26, y2 = 40;
        const double u = 1 - t;
        return QPoint(static_cast<int>(u * u * u * x0 + 3 * u * u * t * x1 + 3 * u * t * t * x2 +
                                       t * t * t * x3),
                      static_cast<int>(u * u * u * y0 + 3 * u * u * t * y1 + 3 * u * t * t * y2 +
                                       t * t * t * y3));
    };
    for (int i = 0; i <= 40; ++i) {
        const QPoint p = curve(i / 40.0);
        c.disc(p.x(), p.y(), 2, kOut);
    }
    for (int i = 0; i <= 40; ++i) {
        const QPoint p = curve(i / 40.0);
        c.disc(p.x(), p.y(), 1, kPurple);
    }
    c.fill(17, 31, 3, 5, kOut);
    c.fill(18, 32, 1, 3, kPurpleLight);
    // Data dots travelling along it.
    for (const double t : {0.3, 0.6}) {
        const QPoint p = curve(t);
        c.put(p.x(), p.y(), kSun);
    }
}

void community(Canvas &c)
{
    const int gx = 24, gy = 19, r = 16;
    c.disc(gx, gy, r + 1, kOut);
    c.disc(gx, gy, r, kSkyDeep);
    c.setClip(0, 0, kSize, kSize);
    // Continents.
    for (const QPoint p : {QPoint(-8, -7), QPoint(-4, -9), QPoint(-10, -1), QPoint(-5, 2),
                           QPoint(7, -5), QPoint(10, 1), QPoint(6, 6), QPoint(2, 11)}) {
        const int rr = (p.x() < 0) ? 4 : 3;
        for (int dy = -rr; dy <= rr; ++dy)
            for (int dx = -rr; dx <= rr; ++dx) {
                const int qx = p.x() + dx, qy = p.y() + dy;
                if (dx * dx + dy * dy <= rr * rr && qx * qx + qy * qy < r * r)
                    c.put(gx + qx, gy + qy, kGrass);
            }
    }
    // Meridians and a parallel in a lighter blue.
    for (int dy = -r; dy <= r; ++dy) {
        const int half = static_cast<int>(std::sqrt(static_cast<double>(r * r - dy * dy)));
        const int m = half / 2;
        for (const int mx : {-m, m})
            if (c.at(gx + mx, gy + dy) != kOut)
                c.put(gx + mx, gy + dy, mix(c.at(gx + mx, gy + dy), kPaper, 90));
    }
    for (int dx = -r + 1; dx < r; ++dx) {
        c.put(gx + dx, gy, mix(c.at(gx + dx, gy), kPaper, 90));
        if (std::abs(dx) < r - 2) {
            c.put(gx + dx, gy - 8, mix(c.at(gx + dx, gy - 8), kPaper, 60));
            c.put(gx + dx, gy + 8, mix(c.at(gx + dx, gy + 8), kPaper, 60));
        }
    }
    c.put(gx - 8, gy - 10, kPaper);
    c.put(gx - 9, gy - 9, kPaper);
    c.put(gx - 10, gy - 8, kPaper);
    // Three friends in front of it.
    struct Person {
        int x, y;
        QRgb shirt;
    };
    for (const Person &p : {Person{9, 36, kRed}, Person{39, 36, kGrass}, Person{24, 38, kOrange}}) {
        c.ellipse(p.x, p.y + 10, 8, 6, kOut);
        c.ellipse(p.x, p.y + 10, 7, 5, p.shirt);
        c.disc(p.x, p.y, 5, kOut);
        c.disc(p.x, p.y, 4, qRgb(250, 206, 168));
        c.fill(p.x - 3, p.y - 4, 7, 2, qRgb(110, 64, 40));
        c.put(p.x - 2, p.y, kOut);
        c.put(p.x + 2, p.y, kOut);
    }
    c.clearClip();
}

} // namespace

QImage toolbarIcon(ToolbarIcon which)
{
    QImage image = blankIcon();
    Canvas c(image);
    switch (which) {
    case ToolbarIcon::Mosaik:
        mosaik(c);
        break;
    case ToolbarIcon::Panorama:
        panorama(c);
        break;
    case ToolbarIcon::WildFrames:
        wildFrames(c);
        break;
    case ToolbarIcon::Converter:
        converter(c);
        break;
    case ToolbarIcon::UserId:
        userId(c);
        break;
    case ToolbarIcon::SaveDump:
        saveDump(c);
        break;
    case ToolbarIcon::CameraLink:
        cameraLink(c);
        break;
    case ToolbarIcon::Community:
        community(c);
        break;
    }
    // One soft shadow, down and to the right, under everything drawn.
    castShadow(image, qPremultiply(qRgba(20, 20, 40, 72)));
    return image;
}

} // namespace camvista::data
