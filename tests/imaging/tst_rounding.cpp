#include "imaging/rounding.h"
#include "imaging/twips.h"

#include <QtTest>

using namespace camvista;

class TstRounding : public QObject
{
    Q_OBJECT

private slots:
    void halvesGoToTheEvenNeighbour_data();
    void halvesGoToTheEvenNeighbour();
    void twipsToPixels_data();
    void twipsToPixels();
};

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

QTEST_APPLESS_MAIN(TstRounding)
#include "tst_rounding.moc"
