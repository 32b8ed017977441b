#include "colour/gamma_correct.h"
#include "imaging/dib_section.h"

#include <QtTest>

#include <algorithm>

using namespace camvista;

class TstGamma : public QObject
{
    Q_OBJECT

private slots:
    void gammaOneMovesOddInputsUp();
    void tableValues_data();
    void tableValues();
    void endsStayForEverySliderValue();
    void sliderMapping_data();
    void sliderMapping();
    void caption_data();
    void caption();
    void refusesGammaNotAboveZero();
    void correctMapsWholeGroupsOnly_data();
    void correctMapsWholeGroupsOnly();
};

void TstGamma::gammaOneMovesOddInputsUp()
{
    // (i / 255) ^ 1 x 255 + 0.5 is an exact half: the even neighbour wins.
    cGammaCorrect gamma;
    QVERIFY(gamma.Gamma(1.0));
    for (int i = 0; i < 256; ++i) {
        const int want = (i % 2 == 1 && i <= 253) ? i + 1 : i;
        QCOMPARE(int(gamma.redTable()[std::size_t(i)]), want);
        QCOMPARE(int(gamma.greenTable()[std::size_t(i)]), want);
        QCOMPARE(int(gamma.blueTable()[std::size_t(i)]), want);
    }
}

void TstGamma::tableValues_data()
{
    QTest::addColumn<double>("gamma");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("expected");

    QTest::newRow("5: 128") << 5.0 << 128 << 223;
    QTest::newRow("5: 64") << 5.0 << 64 << 194;
    QTest::newRow("5: 192") << 5.0 << 192 << 241;
    QTest::newRow("0.2: 192") << 0.2 << 192 << 62;
    QTest::newRow("0.2: 128") << 0.2 << 128 << 9;
    QTest::newRow("0.2: 64") << 0.2 << 64 << 1;
    QTest::newRow("0.5: 128") << 0.5 << 128 << 65;
    QTest::newRow("0.5: 192") << 0.5 << 192 << 145;
    QTest::newRow("2: 64") << 2.0 << 64 << 128;
    QTest::newRow("2: 128") << 2.0 << 128 << 181;
}

void TstGamma::tableValues()
{
    QFETCH(double, gamma);
    QFETCH(int, input);
    QFETCH(int, expected);
    cGammaCorrect corrector;
    QVERIFY(corrector.Gamma(gamma));
    QCOMPARE(corrector.Gamma(), gamma);
    QCOMPARE(int(corrector.redTable()[std::size_t(input)]), expected);
    QCOMPARE(int(corrector.blueTable()[std::size_t(input)]), expected);
}

void TstGamma::endsStayForEverySliderValue()
{
    cGammaCorrect corrector;
    for (int v = 0; v <= 200; ++v) {
        QVERIFY(corrector.Gamma(sliderToGamma(v)));
        QCOMPARE(int(corrector.greenTable()[0]), 0);
        QCOMPARE(int(corrector.greenTable()[255]), 255);
    }
}

void TstGamma::sliderMapping_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("gamma");

    QTest::newRow("0") << 0 << 0.2;
    QTest::newRow("75") << 75 << 0.5;
    QTest::newRow("100") << 100 << 1.0;
    QTest::newRow("125") << 125 << 2.0;
    QTest::newRow("200") << 200 << 5.0;
    QTest::newRow("50") << 50 << 1.0 / 3.0;
}

void TstGamma::sliderMapping()
{
    QFETCH(int, value);
    QFETCH(double, gamma);
    QCOMPARE(sliderToGamma(value), gamma);
}

void TstGamma::caption_data()
{
    QTest::addColumn<double>("gamma");
    QTest::addColumn<QChar>("mark");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one") << 1.0 << QChar(u'.') << "Current gamma value: 1 - CLICK HERE TO RESET";
    QTest::newRow("half, comma") << sliderToGamma(75) << QChar(u',')
                                 << "Current gamma value: 0,5 - CLICK HERE TO RESET";
    QTest::newRow("1.4") << sliderToGamma(110) << QChar(u'.')
                         << "Current gamma value: 1.4 - CLICK HERE TO RESET";
    QTest::newRow("one third") << sliderToGamma(50) << QChar(u'.')
                               << "Current gamma value: 0.333333333333333 - CLICK HERE TO RESET";
}

void TstGamma::caption()
{
    QFETCH(double, gamma);
    QFETCH(QChar, mark);
    QFETCH(QString, expected);
    QCOMPARE(gammaCaption(gamma, mark), expected);
}

void TstGamma::refusesGammaNotAboveZero()
{
    cGammaCorrect corrector;
    QVERIFY(corrector.Gamma(5.0));
    QVERIFY(!corrector.Gamma(0.0));
    QVERIFY(!corrector.Gamma(-1.0));
    QVERIFY(!corrector.Gamma(std::nan("")));
    QCOMPARE(corrector.Gamma(), 5.0);
    QCOMPARE(int(corrector.redTable()[128]), 223);
}

void TstGamma::correctMapsWholeGroupsOnly_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("displayWidth");
    QTest::addColumn<QList<int>>("untouched"); // byte offsets of a scan line left alone

    // Width 1: 4 bytes a line, one group. Width 2: 8 bytes, groups at 0 and 3, bytes 6 and 7
    // left. Width 3: 12 bytes, groups at 0, 3, 6 and 9: the padding forms a whole group. Wider
    // lines go through the vector path with a short tail, line by line or as one run.
    QTest::newRow("1") << 1 << 1 << QList<int>{3};
    QTest::newRow("2") << 2 << 2 << QList<int>{6, 7};
    QTest::newRow("3") << 3 << 3 << QList<int>{};
    QTest::newRow("4") << 4 << 4 << QList<int>{};
    QTest::newRow("13") << 13 << 13 << QList<int>{39};
    QTest::newRow("101") << 101 << 101 << QList<int>{303};
    QTest::newRow("160") << 160 << 160 << QList<int>{};
    QTest::newRow("160 into 170") << 160 << 170 << QList<int>{};
}

void TstGamma::correctMapsWholeGroupsOnly()
{
    QFETCH(int, width);
    QFETCH(int, displayWidth);
    QFETCH(QList<int>, untouched);
    const int height = 3;
    cDIBSection source;
    cDIBSection display;
    QVERIFY(source.Create(width, height));
    QVERIFY(display.Create(displayWidth, height));
    const int line = source.BytesPerScanLine();
    const int displayLine = display.BytesPerScanLine();
    for (int i = 0; i < line * height; ++i)
        source.DIBSectionBitsPtr()[i] = std::uint8_t(i * 7 + 1);
    std::fill_n(display.DIBSectionBitsPtr(), displayLine * height, std::uint8_t(0xAA));
    for (const double gamma : {1.0, 5.0, 0.2}) {
        cGammaCorrect corrector;
        QVERIFY(corrector.Gamma(gamma));
        QVERIFY(corrector.Correct(source, display));
        for (int r = 0; r < height; ++r) {
            for (int off = 0; off < displayLine; ++off) {
                const int got = display.DIBSectionBitsPtr()[r * displayLine + off];
                const bool left = off >= line || untouched.contains(off);
                const int want =
                    left ? 0xAA : corrector.redTable()[source.DIBSectionBitsPtr()[r * line + off]];
                QCOMPARE(got, want);
            }
        }
    }

    // A smaller destination is refused and left alone.
    cGammaCorrect corrector;
    cDIBSection small;
    QVERIFY(small.Create(width, height - 1));
    small.DIBSectionBitsPtr()[0] = 0x55;
    QVERIFY(!corrector.Correct(source, small));
    QCOMPARE(int(small.DIBSectionBitsPtr()[0]), 0x55);
}

QTEST_GUILESS_MAIN(TstGamma)
#include "tst_gamma.moc"
