// The pocket console drawn behind the shot editor. The editor's working picture sits on its
// screen, so the screen glass is laid out round that widget's place, (80, 64) and 160 x 144.
#include "data/editor_pictures.h"

#include "data/pixel_art.h"

#include <QPoint>
#include <QRect>

#include <string_view>

namespace camvista::data
{

using namespace art;

namespace
{

constexpr int kWidth = 319;
constexpr int kHeight = 480;

// Where the editor puts its working picture.
constexpr QRect kPicture(80, 64, 160, 144);

struct BodyColours {
    QRgb outline;
    QRgb shade;
    QRgb base;
    QRgb light;
    QRgb shine;
};

BodyColours bodyColours(ConsoleColour colour)
{
    switch (colour) {
    case ConsoleColour::Green:
        return {qRgb(14, 46, 24), qRgb(50, 116, 56), qRgb(90, 166, 74), qRgb(134, 202, 106),
                qRgb(190, 232, 156)};
    case ConsoleColour::Blue:
        break;
    }
    return {qRgb(16, 24, 60), qRgb(42, 74, 152), qRgb(74, 114, 206), qRgb(114, 154, 234),
            qRgb(168, 198, 248)};
}

// Parts every version shares.
constexpr QRgb kBezel = qRgb(60, 64, 80);
constexpr QRgb kBezelLight = qRgb(88, 92, 112);
constexpr QRgb kBezelEdge = qRgb(30, 32, 42);
constexpr QRgb kGlass = qRgb(26, 34, 30);
constexpr QRgb kGlassShine = qRgb(44, 56, 50);
constexpr QRgb kCaption = qRgb(178, 182, 196);
constexpr QRgb kLed = qRgb(240, 64, 64);
constexpr QRgb kLedGlow = qRgb(255, 170, 160);
constexpr QRgb kRubber = qRgb(44, 46, 58);
constexpr QRgb kRubberLight = qRgb(86, 90, 108);
constexpr QRgb kRubberShade = qRgb(24, 26, 34);
constexpr QRgb kButton = qRgb(176, 42, 96);
constexpr QRgb kButtonLight = qRgb(222, 96, 150);
constexpr QRgb kButtonShade = qRgb(112, 20, 58);
constexpr QRgb kButtonGlint = qRgb(246, 170, 204);
constexpr QRgb kPill = qRgb(120, 122, 138);
constexpr QRgb kPillLight = qRgb(170, 172, 186);
constexpr QRgb kLensGlass = qRgb(40, 56, 96);
constexpr QRgb kLensDeep = qRgb(18, 24, 48);
constexpr QRgb kLensGlint = qRgb(200, 230, 255);

// Radii of the body's corners: small on top, a broad sweep at the lower right.
constexpr int kTopRadius = 18;
constexpr int kLowLeftRadius = 24;
constexpr int kLowRightRadius = 64;

void bodyShell(Canvas &c, const BodyColours &b)
{
    const auto shape = [&c](int inset, int w, int h, QRgb colour) {
        c.roundFill(inset, inset, w, h, kTopRadius - inset, kTopRadius - inset,
                    kLowLeftRadius - inset, kLowRightRadius - inset, colour);
    };
    shape(0, kWidth, kHeight, b.outline);
    shape(1, kWidth - 2, kHeight - 2, b.shade);
    shape(1, kWidth - 5, kHeight - 5, b.light);
    shape(3, kWidth - 7, kHeight - 8, b.base);
    c.fill(kTopRadius, 1, kWidth - 2 * kTopRadius, 1, b.shine);
}

// Text pressed into the plastic: dark letters with a lit lower edge.
void engraved(Canvas &c, int x, int y, std::string_view text, const BodyColours &b, int scale = 1)
{
    c.text(x, y + scale, text, b.light, scale);
    c.text(x, y, text, b.shade, scale);
}

void powerSwitch(Canvas &c, const BodyColours &b)
{
    const int x = 30, y = 10;
    c.roundFill(x, y, 46, 8, 2, b.outline);
    c.fill(x + 1, y + 1, 44, 6, kRubberShade);
    c.fill(x + 1, y + 7, 44, 1, b.light);
    // Knob pushed to "on".
    c.fill(x + 30, y + 1, 14, 6, kPill);
    c.fill(x + 30, y + 1, 14, 1, kPillLight);
    for (int i = 0; i < 3; ++i)
        c.fill(x + 33 + i * 3, y + 3, 1, 3, kRubber);
    engraved(c, x, y + 12, "OFF", b);
    engraved(c, x + 46 - textWidth("ON"), y + 12, "ON", b);
}

void screenBezel(Canvas &c, const BodyColours &b)
{
    const int x = 24, y = 38, w = kWidth - 2 * x + 1, h = 196;
    c.roundFill(x - 1, y - 1, w + 2, h + 2, 9, 9, 9, 37, b.outline);
    c.roundFill(x, y, w, h, 8, 8, 8, 36, kBezelEdge);
    c.roundFill(x, y, w - 1, h - 1, 8, 8, 8, 36, kBezelLight);
    c.roundFill(x + 1, y + 1, w - 2, h - 2, 7, 7, 7, 35, kBezel);

    // The glass, a little larger than the picture that covers it.
    const QRect glass = kPicture.adjusted(-4, -4, 4, 4);
    c.fill(glass.x() - 1, glass.y() - 1, glass.width() + 2, glass.height() + 2, kBezelEdge);
    c.fill(glass.x(), glass.y(), glass.width(), glass.height(), kGlass);
    c.fill(glass.x(), glass.bottom() + 2, glass.width() + 2, 1, kBezelLight);
    c.fill(glass.right() + 2, glass.y(), 1, glass.height() + 2, kBezelLight);
    // Faint reflections across the glass, for when no picture covers it.
    for (int i = 0; i < 36; ++i) {
        c.dither(kPicture.x() + 16 + i, kPicture.y() + 6 + i, 18, 1, kGlass, kGlassShine, 8);
        c.dither(kPicture.x() + 40 + i, kPicture.y() + 6 + i, 5, 1, kGlass, kGlassShine, 8);
    }

    // Power light in the left margin.
    const int ledX = (x + kPicture.x()) / 2, ledY = kPicture.y() + 40;
    c.disc(ledX, ledY, 4, kBezelEdge);
    c.disc(ledX, ledY, 3, kLed);
    c.put(ledX - 1, ledY - 1, kLedGlow);
    c.text(ledX - textWidth("POWER") / 2, ledY + 9, "POWER", kCaption);

    // Caption line under the screen, between two stripes.
    const std::string_view caption = "FOUR SHADE POCKET SCREEN";
    const int tw = textWidth(caption);
    const int tx = kPicture.center().x() + 1 - tw / 2, ty = glass.bottom() + 8;
    c.text(tx, ty, caption, kCaption);
    for (const int sx : {x + 12, tx + tw + 6}) {
        const int len = tx - 6 - (x + 12);
        c.fill(sx, ty + 2, len, 1, kButtonLight);
        c.fill(sx, ty + 4, len, 1, b.light);
    }
}

// Pixel-font text leaning forward: each row moves right by one pixel for every four rows above
// the baseline.
void slantedText(Canvas &c, int x, int y, std::string_view text, QRgb colour, int scale)
{
    const int h = 8 * scale;
    QImage scratch(textWidth(text, scale) + 2, h, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    Canvas s(scratch);
    s.text(0, 0, text, colour, scale);
    s.text(1, 0, text, colour, scale); // one pixel bolder
    for (int row = 0; row < h; ++row) {
        const int shift = (kTextHeight * scale - 1 - row) / 4;
        for (int col = 0; col < scratch.width(); ++col)
            if (s.at(col, row) != 0u)
                c.put(x + col + shift, y + row, colour);
    }
}

// Just below the bezel (its outline ends at row 235), so that the descenders of "pocket" end
// well above the step panels' top at row 256.
constexpr QPoint kLogo(28, 237);
constexpr std::string_view kLogoWord = "CAMVISTA";
constexpr std::string_view kLogoSmall = "pocket";

int logoSmallX()
{
    return kLogo.x() + textWidth(kLogoWord, 2) + 8;
}

void logo(Canvas &c, const BodyColours &b)
{
    const int x = kLogo.x(), y = kLogo.y();
    slantedText(c, x, y + 1, kLogoWord, b.light, 2);
    slantedText(c, x, y, kLogoWord, b.outline, 2);
    c.text(logoSmallX(), y + 7 + 1, kLogoSmall, b.light);
    c.text(logoSmallX(), y + 7, kLogoSmall, b.outline);
}

// A little camera eye in the top corner, the same ball lens the mascot wears.
void cameraLens(Canvas &c, const BodyColours &b)
{
    const int cx = 272, cy = 19;
    c.disc(cx + 1, cy + 1, 13, b.shade);
    c.disc(cx, cy, 13, b.outline);
    c.disc(cx, cy, 12, kPill);
    c.disc(cx - 1, cy - 1, 11, kPillLight);
    c.disc(cx, cy, 10, kPill);
    c.disc(cx, cy, 7, kRubberShade);
    c.disc(cx, cy, 6, kLensGlass);
    c.disc(cx + 1, cy + 1, 3, kLensDeep);
    c.fill(cx - 4, cy - 4, 3, 2, kLensGlint);
    c.put(cx - 4, cy - 2, kLensGlint);
    c.put(cx + 3, cy + 4, kLensGlass);
}

void directionPad(Canvas &c, const BodyColours &b)
{
    const int cx = 78, cy = 334, arm = 27, half = 9;
    // A shallow dish round the pad.
    c.disc(cx, cy, 36, b.light);
    c.disc(cx - 1, cy - 1, 35, b.shade);
    c.disc(cx, cy, 34, b.base);
    // The cross.
    const auto cross = [&](int grow, int dx, int dy, QRgb colour) {
        c.fill(cx - arm - grow + dx, cy - half - grow + dy, 2 * (arm + grow) + 1,
               2 * (half + grow) + 1, colour);
        c.fill(cx - half - grow + dx, cy - arm - grow + dy, 2 * (half + grow) + 1,
               2 * (arm + grow) + 1, colour);
    };
    cross(2, 1, 2, b.shade); // its shadow on the body
    cross(1, 0, 0, b.outline);
    cross(0, 0, 0, kRubberShade);
    cross(0, -1, -1, kRubberLight);
    c.fill(cx - arm, cy - half + 1, 2 * arm, 2 * half - 1, kRubber);
    c.fill(cx - half + 1, cy - arm, 2 * half - 1, 2 * arm, kRubber);
    // Arrows moulded into the arms, and a dimple in the middle.
    for (int i = 0; i < 4; ++i) {
        c.fill(cx - i, cy - arm + 5 + i, 2 * i + 1, 1, kRubberShade);
        c.fill(cx - i, cy + arm - 5 - i, 2 * i + 1, 1, kRubberShade);
        c.fill(cx - arm + 5 + i, cy - i, 1, 2 * i + 1, kRubberShade);
        c.fill(cx + arm - 5 - i, cy - i, 1, 2 * i + 1, kRubberShade);
    }
    c.disc(cx, cy, 5, kRubberShade);
    c.disc(cx, cy, 4, kRubber);
    c.disc(cx + 1, cy + 1, 3, kRubberShade);
    c.disc(cx, cy, 3, kRubber);
}

void actionButtons(Canvas &c, const BodyColours &b)
{
    const QPoint a(262, 314), bb(214, 340);
    // A slanted pill-shaped dish under both buttons, lit from the lower right like the pad's.
    const auto dish = [&](int radius, int offset, QRgb colour) {
        for (int t = 0; t <= 16; ++t)
            c.disc(bb.x() + (a.x() - bb.x()) * t / 16 + offset,
                   bb.y() + (a.y() - bb.y()) * t / 16 + offset, radius, colour);
    };
    dish(23, 0, b.light);
    dish(22, -1, b.shade);
    dish(21, 0, b.base);
    for (const QPoint p : {a, bb}) {
        c.disc(p.x() + 1, p.y() + 2, 16, b.shade);
        c.disc(p.x(), p.y(), 16, b.outline);
        c.disc(p.x(), p.y(), 15, kButtonShade);
        c.disc(p.x() - 1, p.y() - 1, 14, kButton);
        c.disc(p.x() - 5, p.y() - 6, 4, kButtonLight);
        c.disc(p.x() - 6, p.y() - 7, 2, kButtonGlint);
    }
    engraved(c, a.x() + 12, a.y() + 22, "A", b);
    engraved(c, bb.x() - 2, bb.y() + 26, "B", b);
}

void smallButtons(Canvas &c, const BodyColours &b)
{
    const int y = 408;
    for (const int cx : {132, 186}) {
        c.roundFill(cx - 16, y - 1, 32, 11, 5, b.shade);
        c.roundFill(cx - 15, y, 31, 10, 4, b.light);
        c.roundFill(cx - 15, y, 30, 9, 4, b.outline);
        c.roundFill(cx - 14, y + 1, 28, 7, 3, kPill);
        c.fill(cx - 11, y + 2, 22, 1, kPillLight);
    }
    engraved(c, 132 - textWidth("SELECT") / 2, y + 16, "SELECT", b);
    engraved(c, 186 - textWidth("START") / 2, y + 16, "START", b);
}

void speakerGrille(Canvas &c, const BodyColours &b)
{
    // Six slanted slots with rounded ends in the broad corner, shorter where the corner bends.
    for (int i = 0; i < 6; ++i) {
        const int x0 = 246 + i * 9, y0 = 410;
        const int len = 34 - (i > 3 ? (i - 3) * 9 : 0);
        for (int k = 0; k < 3; ++k)
            c.line(x0 + k, y0 + (k == 0 ? 1 : 0), x0 + k - len + (k == 2 ? 1 : 0), y0 + len,
                   k == 2 ? b.light : b.outline);
        c.line(x0 - 1, y0 + 1, x0 - len, y0 + len, b.shade);
    }
}

} // namespace

QImage consoleBody(ConsoleColour colour)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kBlack);
    Canvas c(image);
    const BodyColours b = bodyColours(colour);
    bodyShell(c, b);
    powerSwitch(c, b);
    screenBezel(c, b);
    logo(c, b);
    cameraLens(c, b);
    directionPad(c, b);
    actionButtons(c, b);
    smallButtons(c, b);
    speakerGrille(c, b);
    return image;
}

QRect consoleLogoBounds()
{
    // The slant moves the word's top rows right by up to a quarter of its height; "pocket"
    // hangs a descender row below its baseline, and both carry a shadow one row down.
    const int right = logoSmallX() + textWidth(kLogoSmall) + 1;
    const int bottom = kLogo.y() + 7 + 8 + 1;
    return QRect(QPoint(kLogo.x(), kLogo.y()), QPoint(right, bottom));
}

} // namespace camvista::data
