#include "gamma_correct.h"

#include "colour/lookup_kernels.h"
#include "imaging/dib_section.h"
#include "imaging/number_text.h"
#include "imaging/rounding.h"

#include <algorithm>
#include <cmath>

namespace camvista
{

cGammaCorrect::cGammaCorrect()
{
    Gamma(1.0);
}

bool cGammaCorrect::Gamma(double gamma)
{
    if (!(gamma > 0.0) || !std::isfinite(gamma))
        return false;
    m_gamma = gamma;
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t v = gammaValue(i, gamma);
        m_red[std::size_t(i)] = v;
        m_green[std::size_t(i)] = v;
        m_blue[std::size_t(i)] = v;
    }
    return true;
}

bool cGammaCorrect::Correct(const cDIBSection &source, cDIBSection &destination) const
{
    const std::uint8_t *in = source.DIBSectionBitsPtr();
    std::uint8_t *out = destination.DIBSectionBitsPtr();
    if (in == nullptr || out == nullptr)
        return false;
    const std::size_t lineBytes = std::size_t(source.BytesPerScanLine());
    const std::size_t rows = std::size_t(source.Height());
    const std::size_t destLineBytes = std::size_t(destination.BytesPerScanLine());
    if (destLineBytes < lineBytes || std::size_t(destination.Height()) < rows)
        return false;
    const std::size_t groupBytes = lineBytes / 3 * 3;
    // The three tables are always the same, so each row's whole groups are one run of bytes
    // through one table; when rows have no spare bytes the picture is a single run.
    if (groupBytes == lineBytes && destLineBytes == lineBytes) {
        kernels::mapBytes(in, out, lineBytes * rows, m_blue.data());
        return true;
    }
    for (std::size_t r = 0; r < rows; ++r)
        kernels::mapBytes(in + r * lineBytes, out + r * destLineBytes, groupBytes, m_blue.data());
    return true;
}

std::uint8_t gammaValue(int input, double gamma)
{
    const double t = std::pow(double(input) / 255.0, 1.0 / gamma);
    return std::uint8_t(std::clamp(roundHalfEvenInt(t * 255.0 + 0.5), 0, 255));
}

double sliderToGamma(int value)
{
    if (value == 100)
        return 1.0;
    if (value > 100)
        return double(value - 100) / 25.0 + 1.0;
    return 1.0 / (5.0 - double(value) / 25.0);
}

QString gammaCaption(double gamma, QChar decimalMark)
{
    return QStringLiteral("Current gamma value: ") + shortestDecimal(gamma, decimalMark) +
           QStringLiteral(" - CLICK HERE TO RESET");
}

} // namespace camvista
