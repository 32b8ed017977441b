#include "custom_palette.h"

#include "colour/shades.h"

namespace camvista
{

QRgb shadeGrey(Shade shade)
{
    switch (shade) {
    case Shade::Black:
        return kBlack;
    case Shade::DarkGrey:
        return kDarkGrey;
    case Shade::LightGrey:
        return kLightGrey;
    case Shade::White:
        return kWhite;
    }
    return kBlack;
}

CustomPalette::CustomPalette()
{
    resetSwatches();
    resetTracking();
}

ColourPass CustomPalette::pass(Shade shade) const
{
    return ColourPass{tracking(shade), swatch(shade)};
}

bool CustomPalette::pick(QImage &layer, Shade shade, QRgb colour)
{
    m_swatch[index(shade)] = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
    const ColourPass passes[] = {pass(shade)};
    const bool recoloured = runPasses(layer, passes);
    m_tracking[index(shade)] = m_swatch[index(shade)];
    return recoloured;
}

void CustomPalette::resetSwatches()
{
    for (Shade shade : kAllShades)
        m_swatch[index(shade)] = shadeGrey(shade);
}

void CustomPalette::resetTracking()
{
    for (Shade shade : kAllShades)
        m_tracking[index(shade)] = shadeGrey(shade);
}

} // namespace camvista
