#include "imaging/stamp_blend.h"

#include <QtTest>

using namespace camvista;

namespace
{

constexpr int kW = 160;
constexpr int kH = 144;

// Every picture pixel tells where it is: red = x, green = y, blue 0x5a.
QImage numberedPicture()
{
    QImage img(kW, kH, QImage::Format_RGB32);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            img.setPixel(x, y, qRgb(x, y, 0x5a));
    return img;
}

StampScene scene(const QImage &picture, const QImage &stamp)
{
    StampScene s;
    s.backgroundWidth = picture.width();
    s.backgroundHeight = picture.height();
    s.background = backgroundRows(picture, picture.width(), picture.height());
    s.stampWidth = stamp.width();
    s.stampHeight = stamp.height();
    s.stamp = stampPixels(stamp);
    return s;
}

QImage filled(int w, int h, QRgb argb)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(argb);
    return img;
}

} // namespace

class TstStampBlend : public QObject
{
    Q_OBJECT

private slots:
    void scanLineBytesRoundsUpToWords_data();
    void scanLineBytesRoundsUpToWords();
    void patchHoldsThePictureUnderTheStampClippedAtEveryEdge_data();
    void patchHoldsThePictureUnderTheStampClippedAtEveryEdge();
    void nothingOverThePictureLeavesThePatch_data();
    void nothingOverThePictureLeavesThePatch();
    void blendMixesWithSinglePrecisionFactors_data();
    void blendMixesWithSinglePrecisionFactors();
    void patchRowsArePaddedAndBottomUp();
    void invalidScenesAreRefused_data();
    void invalidScenesAreRefused();
};

void TstStampBlend::scanLineBytesRoundsUpToWords_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("bytes");
    QTest::newRow("1") << 1 << 4;
    QTest::newRow("3") << 3 << 12;
    QTest::newRow("5") << 5 << 16;
    QTest::newRow("7") << 7 << 24;
    QTest::newRow("160") << 160 << 480;
    QTest::newRow("0") << 0 << 0;
}

void TstStampBlend::scanLineBytesRoundsUpToWords()
{
    QFETCH(int, pixels);
    QFETCH(int, bytes);
    QCOMPARE(scanLineBytes(pixels), qint64(bytes));
}

void TstStampBlend::patchHoldsThePictureUnderTheStampClippedAtEveryEdge_data()
{
    QTest::addColumn<QSize>("stamp");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("first place (16, 16)") << QSize(32, 32) << QPoint(16, 16);
    QTest::newRow("half out at the left") << QSize(32, 32) << QPoint(-16, 40);
    QTest::newRow("half out at the top") << QSize(32, 32) << QPoint(40, -16);
    QTest::newRow("out at the top left") << QSize(32, 32) << QPoint(-16, -16);
    QTest::newRow("out at the right") << QSize(32, 32) << QPoint(150, 20);
    QTest::newRow("out at the bottom") << QSize(32, 32) << QPoint(20, 130);
    QTest::newRow("out at the bottom right") << QSize(32, 32) << QPoint(159, 143);
    QTest::newRow("one pixel at the top left") << QSize(32, 32) << QPoint(-31, -31);
    QTest::newRow("odd width, padded rows") << QSize(5, 3) << QPoint(-2, 142);
    QTest::newRow("wider and higher than the picture") << QSize(200, 180) << QPoint(-20, -10);
}

// A see-through stamp shows exactly the picture under it; what lies outside stays black.
void TstStampBlend::patchHoldsThePictureUnderTheStampClippedAtEveryEdge()
{
    QFETCH(QSize, stamp);
    QFETCH(QPoint, at);
    const QImage picture = numberedPicture();
    const StampScene s = scene(picture, filled(stamp.width(), stamp.height(), 0x00ffffff));
    std::vector<std::uint8_t> patch;
    QVERIFY(DrawStamp(s, at.x(), at.y(), patch));
    QCOMPARE(qint64(patch.size()), scanLineBytes(stamp.width()) * stamp.height());
    const QImage shown = patchToImage(patch, stamp.width(), stamp.height());
    for (int py = 0; py < stamp.height(); ++py)
        for (int px = 0; px < stamp.width(); ++px) {
            const int x = at.x() + px;
            const int y = at.y() + py;
            const bool inside = x >= 0 && y >= 0 && x < kW && y < kH;
            const QRgb want = inside ? qRgb(x, y, 0x5a) : qRgb(0, 0, 0);
            if (shown.pixel(px, py) != want)
                QFAIL(qPrintable(QStringLiteral("patch (%1, %2): %3, want %4")
                                     .arg(px)
                                     .arg(py)
                                     .arg(shown.pixel(px, py), 8, 16)
                                     .arg(want, 8, 16)));
        }
}

void TstStampBlend::nothingOverThePictureLeavesThePatch_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("left") << QPoint(-32, 10);
    QTest::newRow("far left") << QPoint(-1000, 10);
    QTest::newRow("right") << QPoint(160, 10);
    QTest::newRow("above") << QPoint(10, -32);
    QTest::newRow("below") << QPoint(10, 144);
    QTest::newRow("far below right") << QPoint(100000, 100000);
    QTest::newRow("extreme") << QPoint(std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max());
}

void TstStampBlend::nothingOverThePictureLeavesThePatch()
{
    QFETCH(QPoint, at);
    const StampScene s = scene(numberedPicture(), filled(32, 32, 0xff123456));
    std::vector<std::uint8_t> patch(7, 42);
    QVERIFY(!DrawStamp(s, at.x(), at.y(), patch));
    QCOMPARE(patch, std::vector<std::uint8_t>(7, 42));
}

void TstStampBlend::blendMixesWithSinglePrecisionFactors_data()
{
    QTest::addColumn<QRgb>("stamp"); // ARGB, straight alpha
    QTest::addColumn<QRgb>("picture");
    QTest::addColumn<QRgb>("shown");
    // f = a / 255, g = 1 - f; each channel f x stamp + g x picture, rounded to nearest.
    QTest::newRow("alpha 0 keeps the picture")
        << qRgba(255, 0, 0, 0) << qRgb(12, 34, 56) << qRgb(12, 34, 56);
    QTest::newRow("alpha 255 is the stamp exactly")
        << qRgba(201, 3, 99, 255) << qRgb(12, 34, 56) << qRgb(201, 3, 99);
    // f = 0.50196..: 255 f = 128.000; 255 g = 126.99999.
    QTest::newRow("alpha 128, white over black")
        << qRgba(255, 255, 255, 128) << qRgb(0, 0, 0) << qRgb(128, 128, 128);
    QTest::newRow("alpha 128, black over white")
        << qRgba(0, 0, 0, 128) << qRgb(255, 255, 255) << qRgb(127, 127, 127);
    // red 128 f + 192 g = 64.251 + 95.624 = 159.87; green 200 f + 100 g = 150.20;
    // blue 10 f + 250 g = 5.020 + 124.510 = 129.53.
    QTest::newRow("alpha 128, channels apart")
        << qRgba(128, 200, 10, 128) << qRgb(192, 100, 250) << qRgb(160, 150, 130);
    // f = 0.25098: 255 f = 64.0; 100 f + 200 g = 25.098 + 149.804 = 174.90.
    QTest::newRow("alpha 64") << qRgba(255, 100, 0, 64) << qRgb(0, 200, 0) << qRgb(64, 175, 0);
    QTest::newRow("alpha 1") << qRgba(255, 255, 255, 1) << qRgb(0, 0, 0) << qRgb(1, 1, 1);
    QTest::newRow("alpha 254") << qRgba(0, 0, 0, 254) << qRgb(255, 255, 255) << qRgb(1, 1, 1);
}

void TstStampBlend::blendMixesWithSinglePrecisionFactors()
{
    QFETCH(QRgb, stamp);
    QFETCH(QRgb, picture);
    QFETCH(QRgb, shown);
    QImage bg(kW, kH, QImage::Format_RGB32);
    bg.fill(picture);
    const StampScene s = scene(bg, filled(32, 32, stamp));
    std::vector<std::uint8_t> patch;
    QVERIFY(DrawStamp(s, 16, 16, patch));
    const QImage out = patchToImage(patch, 32, 32);
    QCOMPARE(out.pixel(0, 0), shown);
    QCOMPARE(out.pixel(31, 31), shown);
    // Half out at the top left: the part inside is blended the same.
    QVERIFY(DrawStamp(s, -16, -16, patch));
    const QImage half = patchToImage(patch, 32, 32);
    QCOMPARE(half.pixel(16, 16), shown);
    QCOMPARE(half.pixel(31, 31), shown);
}

void TstStampBlend::patchRowsArePaddedAndBottomUp()
{
    // A 3 x 2 stamp: rows of 9 bytes padded to 12; the stamp's top row is the patch's last.
    QImage stamp(3, 2, QImage::Format_ARGB32);
    stamp.fill(qRgba(0, 0, 0, 0));
    stamp.setPixel(0, 0, qRgba(1, 2, 3, 255));
    stamp.setPixel(2, 1, qRgba(4, 5, 6, 255));
    QImage bg(4, 4, QImage::Format_RGB32);
    bg.fill(qRgb(9, 9, 9));
    const StampScene s = scene(bg, stamp);
    std::vector<std::uint8_t> patch;
    QVERIFY(DrawStamp(s, 0, 0, patch));
    const std::vector<std::uint8_t> want = {9, 9, 9, 9, 9, 9, 6, 5, 4, 0, 0, 0,
                                            3, 2, 1, 9, 9, 9, 9, 9, 9, 0, 0, 0};
    QCOMPARE(patch, want);
}

void TstStampBlend::invalidScenesAreRefused_data()
{
    QTest::addColumn<int>("trim"); // 0: background cut short, 1: stamp cut short, 2: negative
    QTest::newRow("background shorter than its size") << 0;
    QTest::newRow("stamp shorter than its size") << 1;
    QTest::newRow("negative stamp size") << 2;
}

void TstStampBlend::invalidScenesAreRefused()
{
    QFETCH(int, trim);
    StampScene s = scene(numberedPicture(), filled(8, 8, 0xff000000));
    if (trim == 0)
        s.background.resize(s.background.size() - 1);
    else if (trim == 1)
        s.stamp.resize(s.stamp.size() - 1);
    else
        s.stampHeight = -8;
    std::vector<std::uint8_t> patch;
    QVERIFY(!s.isValid());
    QVERIFY(!DrawStamp(s, 0, 0, patch));
    QVERIFY(patch.empty());
}

QTEST_GUILESS_MAIN(TstStampBlend)
#include "tst_stamp_blend.moc"
