#include "gamma_correct.h"

#include "imaging/dib_section.h"
#include "imaging/number_text.h"
#include "imaging/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace camvista
{

namespace
{

// One scan line's whole groups. Source, destination and tables never overlap; saying so lets
// the compiler keep several lookups in flight instead of reloading after every byte stored.
void mapGroups(const std::uint8_t *__restrict s, std::uint8_t *__restrict d, std::size_t bytes,
               const std::uint8_t *__restrict blue, const std::uint8_t *__restrict green,
               const std::uint8_t *__restrict red)
{
    std::size_t off = 0;
    for (; off + 12 <= bytes; off += 12) {
        std::uint8_t v[12];
        for (int k = 0; k < 12; k += 3) {
            v[k] = blue[s[off + std::size_t(k)]];
            v[k + 1] = green[s[off + std::size_t(k) + 1]];
            v[k + 2] = red[s[off + std::size_t(k) + 2]];
        }
        std::memcpy(d + off, v, sizeof v);
    }
    for (; off < bytes; off += 3) {
        d[off] = blue[s[off]];
        d[off + 1] = green[s[off + 1]];
        d[off + 2] = red[s[off + 2]];
    }
}

} // namespace

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
    for (std::size_t r = 0; r < rows; ++r)
        mapGroups(in + r * lineBytes, out + r * destLineBytes, groupBytes, m_blue.data(),
                  m_green.data(), m_red.data());
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
