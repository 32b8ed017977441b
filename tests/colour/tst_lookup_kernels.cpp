// The vector versions of the fourth step's inner loops against their plain versions and the
// tables themselves, on every value and at every length around the vector widths.

#include "colour/gamma_correct.h"
#include "colour/lookup_kernels.h"
#include "colour/tints.h"

#include <QtTest>

#include <array>
#include <numeric>
#include <vector>

using namespace camvista;

namespace
{

using ByteTable = std::array<std::uint8_t, 256>;

ByteTable gammaTable(double gamma)
{
    cGammaCorrect corrector;
    corrector.Gamma(gamma);
    return corrector.redTable();
}

// A table where every entry differs from its neighbours, so a lookup in the wrong part of it
// cannot go unnoticed.
ByteTable scrambledTable()
{
    ByteTable t{};
    for (int i = 0; i < 256; ++i)
        t[std::size_t(i)] = std::uint8_t((i * 167 + 61) & 255);
    return t;
}

std::vector<std::uint8_t> everyByteThenNoise(std::size_t count)
{
    std::vector<std::uint8_t> bytes(count);
    quint32 seed = 12345u;
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = i < 256 ? std::uint8_t(i) : std::uint8_t(seed >> 24);
    }
    return bytes;
}

// Pixels covering every byte sum 0 to 765, then noise; the alpha byte varies and must not count.
std::vector<QRgb> everySumThenNoise(std::size_t count)
{
    std::vector<QRgb> pixels(count);
    quint32 seed = 999u;
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int alpha = int(seed >> 24);
        if (i < 766) {
            const int sum = int(i);
            const int blue = std::min(sum, 255);
            const int green = std::min(sum - blue, 255);
            pixels[i] = qRgba(sum - blue - green, green, blue, alpha);
        } else {
            pixels[i] = (seed & 0x00FFFFFFu) | quint32(alpha) << 24;
        }
    }
    return pixels;
}

TintTable scrambledTintTable()
{
    TintTable t{};
    for (int s = 0; s < int(t.size()); ++s)
        t[std::size_t(s)] = qRgb(s & 255, (s * 7) & 255, (s * 13 + 5) & 255);
    return t;
}

int byteSum(QRgb p)
{
    return qRed(p) + qGreen(p) + qBlue(p);
}

} // namespace

class TstLookupKernels : public QObject
{
    Q_OBJECT

private slots:
    void mapBytes_data();
    void mapBytes();
    void tintPixels_data();
    void tintPixels();
    void thresholdPixels_data();
    void thresholdPixels();
};

void TstLookupKernels::mapBytes_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<int>("count");

    const auto bytesOf = [](const ByteTable &t) {
        return QByteArray(reinterpret_cast<const char *>(t.data()), qsizetype(t.size()));
    };
    ByteTable identity{};
    std::iota(identity.begin(), identity.end(), std::uint8_t(0));
    const struct {
        const char *name;
        ByteTable table;
    } tables[] = {{"identity", identity},
                  {"gamma 1", gammaTable(1.0)},
                  {"gamma 5", gammaTable(5.0)},
                  {"gamma 0.2", gammaTable(0.2)},
                  {"scrambled", scrambledTable()}};
    for (const auto &t : tables)
        for (const int count : {0, 1, 31, 32, 33, 255, 256, 257, 480, 69120 + 7})
            QTest::addRow("%s, %d bytes", t.name, count) << bytesOf(t.table) << count;
}

void TstLookupKernels::mapBytes()
{
    QFETCH(QByteArray, table);
    QFETCH(int, count);
    const auto *t = reinterpret_cast<const std::uint8_t *>(table.constData());
    const std::vector<std::uint8_t> in = everyByteThenNoise(std::size_t(count));
    std::vector<std::uint8_t> expected(in.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        expected[i] = t[in[i]];

    // One byte of guard on each side: nothing outside the run may be written.
    bool guardsKept = true;
    const auto run = [&](auto kernel, bool inPlace) {
        std::vector<std::uint8_t> out(in.size() + 2, 0x5A);
        if (inPlace) {
            std::copy(in.begin(), in.end(), out.begin() + 1);
            kernel(out.data() + 1, out.data() + 1, in.size(), t);
        } else {
            kernel(in.data(), out.data() + 1, in.size(), t);
        }
        guardsKept = guardsKept && out.front() == 0x5A && out.back() == 0x5A;
        return std::vector<std::uint8_t>(out.begin() + 1, out.end() - 1);
    };
    QCOMPARE(run(kernels::mapBytesPlain, false), expected);
    QCOMPARE(run(kernels::mapBytes, false), expected);
    QCOMPARE(run(kernels::mapBytes, true), expected);
    QVERIFY(guardsKept);
    if (!kernels::haveAvx2())
        QSKIP("This processor has no AVX2; the plain version was checked.");
    QCOMPARE(run(kernels::mapBytesAvx2, false), expected);
    QCOMPARE(run(kernels::mapBytesAvx2, true), expected);
    QVERIFY(guardsKept);
}

void TstLookupKernels::tintPixels_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("count");

    // Tables 1 to 8 are the level codes, 0 a scrambled table, 9 a two-colour table.
    for (const int table : {0, 1, 4, 7, 9})
        for (const int count : {0, 1, 7, 8, 9, 15, 766, 23040 + 3})
            QTest::addRow("table %d, %d pixels", table, count) << table << count;
}

void TstLookupKernels::tintPixels()
{
    QFETCH(int, table);
    QFETCH(int, count);
    const TintTable t = table == 0   ? scrambledTintTable()
                        : table == 9 ? bicolorTable(qRgb(192, 64, 0))
                                     : levelsTable(table);
    const std::vector<QRgb> in = everySumThenNoise(std::size_t(count));
    std::vector<QRgb> expected(in.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        expected[i] = t[std::size_t(byteSum(in[i]))];

    const auto run = [&](auto kernel) {
        std::vector<QRgb> px = in;
        kernel(px.data(), px.size(), t.data());
        return px;
    };
    QCOMPARE(run(kernels::tintPixelsPlain), expected);
    QCOMPARE(run(kernels::tintPixels), expected);
    if (!kernels::haveAvx2())
        QSKIP("This processor has no AVX2; the plain version was checked.");
    QCOMPARE(run(kernels::tintPixelsAvx2), expected);
}

void TstLookupKernels::thresholdPixels_data()
{
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("count");

    for (const int threshold : {0, 1, 499, 500, 765, 766})
        for (const int count : {0, 5, 8, 13, 766, 23040 + 1})
            QTest::addRow("under %d, %d pixels", threshold, count) << threshold << count;
}

void TstLookupKernels::thresholdPixels()
{
    QFETCH(int, threshold);
    QFETCH(int, count);
    const QRgb below = qRgb(192, 64, 0);
    const QRgb rest = qRgb(255, 255, 255);
    const std::vector<QRgb> in = everySumThenNoise(std::size_t(count));
    std::vector<QRgb> expected(in.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        expected[i] = byteSum(in[i]) < threshold ? below : rest;

    const auto run = [&](auto kernel) {
        std::vector<QRgb> px = in;
        kernel(px.data(), px.size(), threshold, below, rest);
        return px;
    };
    QCOMPARE(run(kernels::thresholdPixelsPlain), expected);
    QCOMPARE(run(kernels::thresholdPixels), expected);
    if (!kernels::haveAvx2())
        QSKIP("This processor has no AVX2; the plain version was checked.");
    QCOMPARE(run(kernels::thresholdPixelsAvx2), expected);
}

QTEST_GUILESS_MAIN(TstLookupKernels)
#include "tst_lookup_kernels.moc"
