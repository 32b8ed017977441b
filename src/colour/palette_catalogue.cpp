#include "palette_catalogue.h"

#include "shades.h"

#include <algorithm>
#include <initializer_list>

namespace camvista
{

namespace
{

constexpr ColourPass W(int r, int g, int b)
{
    return {kWhite, qRgb(r, g, b)};
}
constexpr ColourPass L(int r, int g, int b)
{
    return {kLightGrey, qRgb(r, g, b)};
}
constexpr ColourPass D(int r, int g, int b)
{
    return {kDarkGrey, qRgb(r, g, b)};
}
constexpr ColourPass B(int r, int g, int b)
{
    return {kBlack, qRgb(r, g, b)};
}

constexpr int kLongStrip = 115;
constexpr int kZeldaStrip = 87;
constexpr int kColourStrip = 36;

// Button boxes in the frame, in twips.
constexpr int kLeftColumn = 120;
constexpr int kRightColumn = 3120;
constexpr TwipsBox leftButton(int top)
{
    return {kLeftColumn, top, 2895, 375};
}
constexpr TwipsBox rightButton(int top)
{
    return {kRightColumn, top, 2295, 375};
}
constexpr TwipsBox colourButton(int column, int top)
{
    return {120 + 960 * column, top, 975, 495};
}

constexpr PaletteModule P1 = PaletteModule::Palettes;
constexpr PaletteModule P2 = PaletteModule::PalettesSpec2;

constexpr NamedPalette entry(QStringView control, QStringView caption,
                             std::initializer_list<ColourPass> passes, int stripWidth,
                             PaletteModule module, TwipsBox geometry)
{
    // The Game Boy Color buttons are the small ones, and only they carry the short strip.
    NamedPalette palette{control, caption, {}, 0, stripWidth, module, stripWidth == kColourStrip,
                         geometry};
    for (const ColourPass &pass : passes)
        palette.passList[static_cast<size_t>(palette.passCount++)] = pass;
    return palette;
}

// Pass order matters only where a target could be a later source; none here is, but the order
// is kept as each palette was made.
constexpr std::array<NamedPalette, 28> kPalettes{
    entry(u"Command1", u"Game Boy Mono",
          {W(155, 188, 15), D(48, 98, 48), L(139, 172, 15), B(15, 56, 15)}, kLongStrip, P1,
          leftButton(240)),
    entry(u"Command2", u"Game Boy Pocket",
          {W(196, 207, 161), D(77, 83, 60), L(139, 149, 109), B(31, 31, 31)}, kLongStrip, P1,
          leftButton(600)),
    entry(u"Command12", u"GBA-SP", {W(240, 240, 240), D(0, 144, 168), L(192, 216, 168)}, kLongStrip,
          P1, leftButton(960)),

    entry(u"Label3", u"Red", {D(172, 38, 36), L(236, 138, 140)}, kColourStrip, P1,
          colourButton(0, 1560)),
    entry(u"Label2", u"Brown", {D(132, 66, 4), L(236, 154, 84)}, kColourStrip, P1,
          colourButton(1, 1560)),
    entry(u"Label4", u"DarkBrown", {D(148, 122, 76), L(196, 174, 148), B(76, 42, 4)}, kColourStrip,
          P1, colourButton(2, 1560)),
    entry(u"Label5", u"Pastel Mix", {D(156, 146, 244), L(236, 138, 140)}, kColourStrip, P1,
          colourButton(0, 2040)),
    entry(u"Label6", u"Orange", {D(252, 50, 4), L(244, 254, 4)}, kColourStrip, P1,
          colourButton(1, 2040)),
    entry(u"Label7", u"Yellow", {D(132, 66, 4), L(244, 254, 4)}, kColourStrip, P1,
          colourButton(2, 2040)),
    entry(u"Label8", u"Blue", {D(4, 50, 252), L(124, 170, 252)}, kColourStrip, P1,
          colourButton(0, 2520)),
    entry(u"Label9", u"DarkBlue", {D(68, 50, 164), L(156, 146, 244)}, kColourStrip, P1,
          colourButton(1, 2520)),
    entry(u"Label10", u"Gray", {D(116, 114, 116), L(188, 186, 188)}, kColourStrip, P1,
          colourButton(2, 2520)),
    entry(u"Label11", u"Green", {D(252, 50, 4), L(4, 250, 4)}, kColourStrip, P1,
          colourButton(0, 3000)),
    entry(u"Label12", u"DarkGreen", {D(4, 50, 252), L(4, 250, 4)}, kColourStrip, P1,
          colourButton(1, 3000)),
    // Black goes to (252,250,252) before white goes to black, so no pixel is changed twice.
    entry(u"Label13", u"Reverse", {D(244, 254, 4), L(4, 162, 164), B(252, 250, 252), W(0, 0, 0)},
          kColourStrip, P1, colourButton(2, 3000)),

    // White goes to (2,2,2), not black, before black goes to white, for the same reason.
    entry(u"Command6", u"Negative", {W(2, 2, 2), D(127, 127, 127), L(63, 63, 63), B(255, 255, 255)},
          kLongStrip, P1, {kLeftColumn, 3960, 2895, 735}),
    entry(u"Command5", u"Old Times", {D(96, 82, 73), L(178, 163, 117)}, kLongStrip, P1,
          rightButton(240)),
    entry(u"Command3", u"Zelda DX Shots",
          {W(255, 222, 181), D(115, 82, 49), L(165, 132, 90), B(74, 41, 24)}, kZeldaStrip, P1,
          rightButton(600)),

    entry(u"Command13", u"Balloons", {L(225, 210, 85), D(27, 102, 145)}, kLongStrip, P2,
          rightButton(1080)),
    entry(u"Command14", u"Bridge", {W(232, 254, 190), L(235, 53, 39), D(148, 0, 154)}, kLongStrip,
          P2, rightButton(1440)),
    entry(u"Command15", u"OldTown", {L(139, 171, 69), D(216, 25, 0), B(32, 32, 32)}, kLongStrip, P2,
          rightButton(1800)),
    entry(u"Command16", u"Gold", {L(238, 193, 66), D(179, 77, 29)}, kLongStrip, P2,
          rightButton(2160)),
    entry(u"Command17", u"Pueblo", {L(217, 220, 0), D(158, 166, 170)}, kLongStrip, P2,
          rightButton(2520)),
    entry(u"Command18", u"Ectoplasma", {L(101, 253, 26), D(200, 193, 0)}, kLongStrip, P2,
          rightButton(2880)),
    entry(u"Command19", u"Marble", {L(125, 163, 136), D(86, 83, 86), B(27, 65, 38)}, kLongStrip, P2,
          rightButton(3240)),
    entry(u"Command20", u"Matrix", {W(154, 255, 215), L(0, 196, 91), D(0, 126, 29)}, kLongStrip, P2,
          rightButton(3600)),
    entry(u"Command22", u"NightClubbing", {L(255, 0, 255), D(0, 0, 255)}, kLongStrip, P2,
          rightButton(3960)),
    entry(u"Command21", u"Poker", {L(122, 145, 108), D(0, 61, 108)}, kLongStrip, P2,
          rightButton(4320)),
};

constexpr CatalogueLabel kGameBoyColourLabel{
    u"Label15", u"Game Boy Color Palettes:", {kLeftColumn, 1320, 2055, 255}};

// Frame and partitions of a strip; not a shade, so the passes leave it alone.
constexpr QRgb kStripLine = qRgb(40, 40, 40);

} // namespace

QString moduleName(PaletteModule module)
{
    return module == PaletteModule::Palettes ? QStringLiteral("Palettes")
                                             : QStringLiteral("PalettesSpec2");
}

const CatalogueLabel &gameBoyColourLabel()
{
    return kGameBoyColourLabel;
}

std::span<const NamedPalette> namedPalettes()
{
    return kPalettes;
}

const NamedPalette *findPalette(QStringView control)
{
    const auto it = std::find_if(kPalettes.begin(), kPalettes.end(),
                                 [control](const NamedPalette &p) { return p.control == control; });
    return it == kPalettes.end() ? nullptr : &*it;
}

QImage paletteStrip(const NamedPalette &palette)
{
    QImage strip(palette.stripWidth, kPaletteStripHeight, QImage::Format_RGB32);
    if (strip.isNull())
        return strip;
    strip.fill(kStripLine);

    // Draw the strip in the four shades and let the palette's own passes colour it: the blocks
    // then show exactly what the palette does to a shot.
    constexpr std::array<QRgb, 4> shades{kWhite, kLightGrey, kDarkGrey, kBlack};
    constexpr int parts = static_cast<int>(shades.size());
    const int inner = palette.stripWidth - (parts + 1); // less the frame and the partitions
    for (int i = 0; i < parts; ++i) {
        const int from = 1 + i + inner * i / parts;
        const int to = 1 + i + inner * (i + 1) / parts;
        for (int y = 1; y < kPaletteStripHeight - 1; ++y) {
            auto *row = reinterpret_cast<QRgb *>(strip.scanLine(y));
            std::fill(row + from, row + to, shades[static_cast<size_t>(i)]);
        }
    }
    runPasses(strip, palette.passes());
    return strip;
}

} // namespace camvista
