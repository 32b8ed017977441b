#include "imaging/channel_blend.h"
#include "imaging/rounding.h"
#include "imaging/twips.h"

#include <QRandomGenerator>
#include <QtTest>

#include <bit>
#include <cstdint>

using namespace camvista;

class TstRounding : public QObject
{
    Q_OBJECT

private slots:
    void halvesGoToTheEvenNeighbour_data();
    void halvesGoToTheEvenNeighbour();
    void twipsToPixels_data();
    void twipsToPixels();
    void fastFormEqualsNearbyint_data();
    void fastFormEqualsNearbyint();
    void blendEqualsThePlainFormula_data();
    void blendEqualsThePlainFormula();
};

namespace
{

// What the blend loops computed before they had a form of their own: channel by channel,
// through the library's nearbyint.
std::uint8_t plainBlend(std::uint8_t a, std::uint8_t b, float wa, float wb)
{
    const float mine = wa * float(a);
    const float other = wb * float(b);
    const float sum = mine + other;
    return std::uint8_t(
        std::clamp(static_cast<long long>(std::nearbyint(double(sum))), 0LL, 255LL));
}

} // namespace

void TstRounding::halvesGoToTheEvenNeighbour_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("-3.5") << -3.5 << -4;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("2.5001") << 2.5001 << 3;
    QTest::newRow("254.5") << 254.5 << 254;
    QTest::newRow("255.5") << 255.5 << 256;
}

void TstRounding::halvesGoToTheEvenNeighbour()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(roundHalfEvenInt(value), expected);
    QCOMPARE(roundHalfEven(value), static_cast<long long>(expected));
    QCOMPARE(roundHalfEvenReal(static_cast<float>(value)), static_cast<float>(expected));
}

void TstRounding::twipsToPixels_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("2415") << 2415.0 << 161;
    QTest::newRow("975") << 975.0 << 65;
    QTest::newRow("1000 is 66.67") << 1000.0 << 67;
    QTest::newRow("22.5 is 1.5") << 22.5 << 2;
    QTest::newRow("37.5 is 2.5") << 37.5 << 2;
}

void TstRounding::twipsToPixels()
{
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QCOMPARE(camvista::twipsToPixels(twips), pixels);
}

void TstRounding::fastFormEqualsNearbyint_data()
{
    // Ranges of float bit patterns, walked with a stride (1: every float in the range).
    QTest::addColumn<quint32>("first");
    QTest::addColumn<quint32>("last");
    QTest::addColumn<quint32>("stride");
    // The loops round sums of products of bytes and weights of at most 1: every float from
    // 0.25 to 512 (about 92 million), and a sample of the smaller ones, which round to 0.
    QTest::newRow("every float from 0.25 to 512")
        << std::bit_cast<quint32>(0.25f) << std::bit_cast<quint32>(512.0f) << 1u;
    QTest::newRow("below 0.25, subnormals included") << 0u << std::bit_cast<quint32>(0.25f) << 997u;
    QTest::newRow("negative, down to -2^24")
        << std::bit_cast<quint32>(-0.0f) << std::bit_cast<quint32>(-16777216.0f) << 101u;
    QTest::newRow("large, up to 2^30")
        << std::bit_cast<quint32>(512.0f) << std::bit_cast<quint32>(1073741824.0f) << 101u;
}

void TstRounding::fastFormEqualsNearbyint()
{
    QFETCH(quint32, first);
    QFETCH(quint32, last);
    QFETCH(quint32, stride);
    for (quint64 bits = first; bits <= last; bits += stride) {
        const float v = std::bit_cast<float>(quint32(bits));
        const int expected = static_cast<int>(std::nearbyint(v));
        if (roundHalfEvenFast(v) != expected)
            QFAIL(qPrintable(QStringLiteral("%1 gives %2, not %3")
                                 .arg(double(v), 0, 'g', 9)
                                 .arg(roundHalfEvenFast(v))
                                 .arg(expected)));
    }
    QCOMPARE(roundHalfEvenFast(2.5f), 2);
    QCOMPARE(roundHalfEvenFast(3.5f), 4);
    QCOMPARE(roundHalfEvenFast(-2.5f), -2);
}

void TstRounding::blendEqualsThePlainFormula_data()
{
    QTest::addColumn<QList<float>>("weights"); // wa; wb is 1 - wa, as both loops make it
    // The stamp blend's 254 weights of its partly see-through pixels...
    QList<float> stamp;
    for (int a = 1; a < 255; ++a)
        stamp << float(double(a) / 255.0);
    QTest::newRow("stamp alphas") << stamp;
    // ...and resampling fractions: exact halves, steps of common enlargements, and random ones.
    QList<float> fractions = {0.0f, 0.5f, 0.25f, 0.75f, 1.0f / 3.0f, 2.0f / 3.0f, 0.1f, 0.9f};
    QRandomGenerator random(14);
    while (fractions.size() < 300)
        fractions << float(random.generateDouble());
    QTest::newRow("resampling fractions") << fractions;
}

void TstRounding::blendEqualsThePlainFormula()
{
    QFETCH(QList<float>, weights);
    // Every pair of bytes in the first channel; the others carry other pairs at the same time.
    for (const float wa : weights) {
        const float wb = 1.0f - wa;
        for (int x = 0; x < 256; ++x) {
            for (int y = 0; y < 256; ++y) {
                const std::uint8_t a[3] = {std::uint8_t(x), std::uint8_t(y), std::uint8_t(255 - x)};
                const std::uint8_t b[3] = {std::uint8_t(y), std::uint8_t(x), std::uint8_t(x ^ y)};
                std::uint8_t out[4] = {0, 0, 0, 0x5A};
                blendChannels(a, b, wa, wb, out);
                PixelLanes la;
                PixelLanes lb;
                for (int c = 0; c < 3; ++c) {
                    la.v[c] = float(a[c]);
                    lb.v[c] = float(b[c]);
                }
                PixelLanes kept;
                blendChannels(a, b, wa, wb, kept);
                std::uint8_t fromLanes[4] = {0, 0, 0, 0x5A};
                blendChannels(la, lb, wa, wb, fromLanes);
                for (int c = 0; c < 3; ++c) {
                    const std::uint8_t expected = plainBlend(a[c], b[c], wa, wb);
                    if (out[c] != expected || fromLanes[c] != expected ||
                        kept.v[c] != float(expected))
                        QFAIL(qPrintable(QStringLiteral("weight %1, channel %2: %3 and %4")
                                             .arg(double(wa), 0, 'g', 9)
                                             .arg(c)
                                             .arg(a[c])
                                             .arg(b[c])));
                }
                // Three bytes written, never a fourth.
                QCOMPARE(out[3], std::uint8_t(0x5A));
                QCOMPARE(fromLanes[3], std::uint8_t(0x5A));
            }
        }
    }
}

QTEST_APPLESS_MAIN(TstRounding)
#include "tst_rounding.moc"
