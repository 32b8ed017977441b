#pragma once

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

namespace camvista
{

class cDIBSection;

// The gamma table of the fourth step: one output byte for every input byte, the same for red,
// green and blue. Rebuilt whenever the gamma is set.
class cGammaCorrect
{
public:
    using Table = std::array<std::uint8_t, 256>;

    cGammaCorrect();

    double Gamma() const { return m_gamma; }
    // Gamma must be above 0; any other value (0, negative, not a number) is refused and the
    // tables stay as they were. False when refused.
    bool Gamma(double gamma);

    const Table &redTable() const { return m_red; }
    const Table &greenTable() const { return m_green; }
    const Table &blueTable() const { return m_blue; }

    // Maps every complete 3-byte group of each source scan line into the destination at the same
    // row and offset (blue, green, red through their tables); padding bytes that form no whole
    // group are left alone. The source's height and scan-line length govern the loop, so the
    // destination must be at least as wide and high: false, with nothing written, when it is
    // smaller or either has no pixels.
    bool Correct(const cDIBSection &source, cDIBSection &destination) const;

private:
    double m_gamma = 1.0;
    Table m_red{};
    Table m_green{};
    Table m_blue{};
};

// One table value: (i / 255) ^ (1 / gamma) x 255 + 0.5, rounded half to even, at most 255.
std::uint8_t gammaValue(int input, double gamma);

// The slider (0 to 200) as a gamma: 100 gives 1, 200 gives 5, 75 gives 0.5, 0 gives 0.2.
double sliderToGamma(int value);

// "Current gamma value: <gamma> - CLICK HERE TO RESET", the gamma with up to 15 significant
// digits and the given decimal mark.
QString gammaCaption(double gamma, QChar decimalMark);

} // namespace camvista
