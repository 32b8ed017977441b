#pragma once

#include "replacement.h"

#include <QImage>
#include <QString>
#include <QStringView>

#include <array>
#include <span>

namespace camvista
{

// A control's place inside the third step's frame, in twips.
struct TwipsBox {
    int left;
    int top;
    int width;
    int height;
};

// The module that holds a palette's passes.
enum class PaletteModule { Palettes, PalettesSpec2 };
QString moduleName(PaletteModule module);

inline constexpr int kPaletteStripHeight = 7;

// One named palette of the third step: its button and its ordered replacement passes.
struct NamedPalette {
    QStringView control; // the button's objectName
    QStringView caption;
    std::array<ColourPass, 4> passList; // the first passCount entries, in running order
    int passCount;
    int stripWidth; // the strip picture is stripWidth x kPaletteStripHeight
    PaletteModule module;
    bool gameBoyColour; // one of the small buttons under Label15
    TwipsBox geometry;

    std::span<const ColourPass> passes() const
    {
        return std::span<const ColourPass>(passList.data(), static_cast<size_t>(passCount));
    }
};

// A plain label of the third step.
struct CatalogueLabel {
    QStringView control;
    QStringView caption;
    TwipsBox geometry;
};

// The heading over the Game Boy Color buttons.
const CatalogueLabel &gameBoyColourLabel();

// All 28 palettes, in the catalogue's order.
std::span<const NamedPalette> namedPalettes();
// The palette whose button is `control`, or nullptr.
const NamedPalette *findPalette(QStringView control);

// The button's strip: one block per shade, white, light grey, dark grey, black from left to
// right, each in the colour the palette gives that shade, framed and parted by thin dark lines.
// stripWidth x kPaletteStripHeight, RGB32.
QImage paletteStrip(const NamedPalette &palette);

} // namespace camvista
