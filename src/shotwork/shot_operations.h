#pragma once

#include <QImage>
#include <QRgb>

#include <array>

namespace camvista::shotwork
{

// Recolours the four shades at once: white, light grey, dark grey and black pixels take the
// colours given in that order, every other pixel stays. Unlike picks made one after another, a
// colour that happens to be one of the greys is not recoloured again. The picture comes back as
// 32-bit RGB; false, with the picture unchanged, when there was no memory.
bool recolourShades(QImage &picture, const std::array<QRgb, 4> &whiteLightDarkBlack);

// The fourth step's gamma over every pixel, through the same table (cGammaCorrect). Like the
// fourth step it always runs, also at gamma 1, where the table's rounding lifts odd channel
// values by one (31 becomes 32). The picture comes back as 32-bit RGB; false, with the picture
// unchanged, for a gamma that is not above 0 or when there was no memory.
bool applyGamma(QImage &picture, double gamma);

// Repeats every pixel `factorX` times across and `factorY` times down, never smoothing. An
// 8-bit indexed picture stays indexed with its colour table; any other comes back as ARGB32.
// A null picture for a factor below 1, a null picture, or no memory.
QImage enlargeByWholeFactor(const QImage &picture, int factorX, int factorY);

} // namespace camvista::shotwork
