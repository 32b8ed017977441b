#pragma once

#include <QImage>
#include <QRgb>

#include <span>

namespace camvista
{

// One replacement pass: every pixel whose colour is `source` takes the colour `target`.
// Only the 24 colour bits count; the high (alpha) byte of both is ignored when matching.
struct ColourPass {
    QRgb source;
    QRgb target;

    friend constexpr bool operator==(const ColourPass &, const ColourPass &) = default;
};

// Replaces every pixel of exactly the source colour by the target colour; pixels of every other
// colour keep their value. A matching pixel keeps its own alpha byte (0xFF in RGB32).
//
// RGB32 and ARGB32 layers keep their format. Any other format (premultiplied, 24-bit, indexed,
// ...) is first converted to RGB32 with QImage::convertToFormat: its transparency is dropped
// and `layer` comes back as RGB32. A null image, or no passes, leaves the layer alone.
// Pixels shared with other QImage objects are not changed there (copy on write, as usual).
//
// False only when there was no memory for the recoloured pixels; the layer is then unchanged.
bool replaceColour(QImage &layer, QRgb source, QRgb target);

// Runs the passes in order. A pixel changed by one pass is matched again by a later pass whose
// source is its new colour, exactly as if each pass went over the whole picture in turn.
// Same format and failure rules as replaceColour.
bool runPasses(QImage &layer, std::span<const ColourPass> passes);

} // namespace camvista
