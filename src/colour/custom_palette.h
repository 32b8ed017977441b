#pragma once

#include "colour/replacement.h"

#include <QImage>
#include <QRgb>

#include <array>

namespace camvista
{

// The shades of a shot in the order of the custom palette row.
enum class Shade { Black, DarkGrey, LightGrey, White };
inline constexpr std::array<Shade, 4> kAllShades{Shade::Black, Shade::DarkGrey, Shade::LightGrey,
                                                 Shade::White};

// The grey a shade has in a camera shot.
QRgb shadeGrey(Shade shade);

// The user's own colours for the four shades. Per shade it holds the swatch colour (what the
// user last chose) and the tracking colour (what the shade's pixels were last turned into, so
// what the next pick of that shade looks for). Picks work on the picture as it stands, so they
// add up shade by shade; two shades given the same colour merge for good.
class CustomPalette
{
public:
    CustomPalette();

    QRgb swatch(Shade shade) const { return m_swatch[index(shade)]; }
    QRgb tracking(Shade shade) const { return m_tracking[index(shade)]; }

    // The shade's custom pass: its tracking colour becomes its swatch colour.
    ColourPass pass(Shade shade) const;

    // The user chose `colour` for the shade: the swatch takes it, the layer's pixels of the
    // tracking colour take the swatch colour, and the tracking colour follows. The colours
    // change even when the layer cannot be recoloured (false, no memory: layer unchanged).
    bool pick(QImage &layer, Shade shade, QRgb colour);

    // Swatches back to the greys; tracking colours and pictures stay.
    void resetSwatches();
    // Tracking colours back to the greys, for a picture reset to its unrecoloured state.
    void resetTracking();

private:
    static std::size_t index(Shade shade) { return std::size_t(shade); }

    std::array<QRgb, 4> m_swatch{};
    std::array<QRgb, 4> m_tracking{};
};

} // namespace camvista
