#include "colour/tints.h"

#include <QtTest>

#include <cstring>
#include <vector>

using namespace camvista;

namespace
{

// One pixel per shade, in the order black, dark grey, light grey, white.
QImage shadesStrip()
{
    QImage img(4, 1, QImage::Format_RGB32);
    const QRgb shades[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                           qRgb(255, 255, 255)};
    for (int x = 0; x < 4; ++x)
        img.setPixel(x, 0, shades[x]);
    return img;
}

QImage onePixel(QRgb colour)
{
    QImage img(1, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, colour);
    return img;
}

QImage noise(int w, int h, quint32 seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            img.setPixel(x, y,
                         qRgb(int(seed >> 24), int((seed >> 16) & 255), int(seed >> 8 & 255)));
        }
    return img;
}

QRgb rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

} // namespace

class TstTints : public QObject
{
    Q_OBJECT

private slots:
    void levelsOnTheFourShades_data();
    void levelsOnTheFourShades();
    void levelsOnOtherPixels_data();
    void levelsOnOtherPixels();
    void bicolourThreshold_data();
    void bicolourThreshold();
    void lookupWord_data();
    void lookupWord();
    void paddedBuffer_data();
    void paddedBuffer();
    void layerTintMatchesBufferRoundTrip_data();
    void layerTintMatchesBufferRoundTrip();
    void progressPointsShowWhatIsDone();
};

void TstTints::levelsOnTheFourShades_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<QRgb>>("expected"); // black, dark grey, light grey, white

    QTest::newRow("gris") << "gris"
                          << QList<QRgb>{rgb(0, 0, 0), rgb(128, 128, 128), rgb(192, 192, 192),
                                         rgb(255, 255, 255)};
    QTest::newRow("vert") << "vert"
                          << QList<QRgb>{rgb(0, 0, 0), rgb(0, 128, 43), rgb(0, 192, 64),
                                         rgb(0, 255, 85)};
    QTest::newRow("rouge") << "rouge"
                           << QList<QRgb>{rgb(0, 0, 0), rgb(128, 43, 0), rgb(192, 64, 0),
                                          rgb(255, 85, 0)};
    QTest::newRow("bleu") << "bleu"
                          << QList<QRgb>{rgb(0, 0, 0), rgb(0, 96, 128), rgb(0, 144, 192),
                                         rgb(0, 191, 255)};
    QTest::newRow("jaune") << "jaune"
                           << QList<QRgb>{rgb(0, 0, 0), rgb(128, 128, 0), rgb(192, 192, 0),
                                          rgb(255, 255, 0)};
    QTest::newRow("violet") << "violet"
                            << QList<QRgb>{rgb(0, 0, 0), rgb(128, 64, 128), rgb(192, 96, 192),
                                           rgb(255, 128, 255)};
    QTest::newRow("beige") << "beige"
                           << QList<QRgb>{rgb(0, 0, 0), rgb(128, 96, 43), rgb(192, 144, 64),
                                          rgb(255, 191, 85)};
    QTest::newRow("orange") << "orange"
                            << QList<QRgb>{rgb(0, 0, 0), rgb(128, 64, 0), rgb(192, 96, 0),
                                           rgb(255, 128, 0)};
    // Names that are not in the list fall back to the grey formula.
    const QList<QRgb> grey{rgb(0, 0, 0), rgb(128, 128, 128), rgb(192, 192, 192),
                           rgb(255, 255, 255)};
    QTest::newRow("empty name") << "" << grey;
    QTest::newRow("unknown name") << "rose" << grey;
    QTest::newRow("case matters") << "Rouge" << grey;
}

void TstTints::levelsOnTheFourShades()
{
    QFETCH(QString, name);
    QFETCH(QList<QRgb>, expected);
    QImage img = shadesStrip();
    QVERIFY(TintLevels(img, name));
    for (int x = 0; x < 4; ++x)
        QCOMPARE(img.pixel(x, 0), expected[x]);
}

void TstTints::levelsOnOtherPixels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<QRgb>("expected");

    // "gris": the grey of the average, rounded.
    QTest::newRow("gris 61/3") << "gris" << rgb(10, 20, 31) << rgb(20, 20, 20);
    QTest::newRow("gris 5/3") << "gris" << rgb(1, 2, 2) << rgb(2, 2, 2);
    QTest::newRow("gris 302/3") << "gris" << rgb(100, 101, 101) << rgb(101, 101, 101);
    QTest::newRow("gris 763/3") << "gris" << rgb(255, 254, 254) << rgb(254, 254, 254);
    QTest::newRow("gris 1/3") << "gris" << rgb(0, 0, 1) << rgb(0, 0, 0);
    // Halves go to the even neighbour: a = 1 gives a / 2 = 0.5 -> 0, a = 3 gives 1.5 -> 2.
    QTest::newRow("violet a=1") << "violet" << rgb(1, 1, 1) << rgb(1, 0, 1);
    QTest::newRow("violet a=3") << "violet" << rgb(3, 3, 3) << rgb(3, 2, 3);
    QTest::newRow("beige a=2") << "beige" << rgb(2, 2, 2) << rgb(2, 2, 1);
    // The average is held in single precision: 2/3 becomes 0.66666669, so 0.75 a is just
    // above one half and rounds up.
    QTest::newRow("bleu sum 2") << "bleu" << rgb(1, 1, 0) << rgb(0, 1, 1);
    QTest::newRow("orange a=100") << "orange" << rgb(100, 100, 100) << rgb(100, 50, 0);
}

void TstTints::levelsOnOtherPixels()
{
    QFETCH(QString, name);
    QFETCH(QRgb, pixel);
    QFETCH(QRgb, expected);
    QImage img = onePixel(pixel);
    QVERIFY(TintLevels(img, name));
    QCOMPARE(img.pixel(0, 0), expected);
}

void TstTints::bicolourThreshold_data()
{
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<QRgb>("expected");

    const QRgb white = rgb(255, 255, 255);
    QTest::newRow("black shade") << rgb(255, 0, 0) << rgb(0, 0, 0) << rgb(255, 0, 0);
    QTest::newRow("dark grey shade") << rgb(255, 0, 0) << rgb(128, 128, 128) << rgb(255, 0, 0);
    QTest::newRow("light grey shade") << rgb(255, 0, 0) << rgb(192, 192, 192) << white;
    QTest::newRow("white shade") << rgb(255, 0, 0) << white << white;
    QTest::newRow("sum 499") << rgb(192, 64, 0) << rgb(255, 244, 0) << rgb(192, 64, 0);
    QTest::newRow("sum 500") << rgb(192, 64, 0) << rgb(255, 245, 0) << white;
    QTest::newRow("sum 499 other order") << rgb(0, 0, 255) << rgb(0, 244, 255) << rgb(0, 0, 255);
    QTest::newRow("sum 500 other order") << rgb(0, 0, 255) << rgb(100, 200, 200) << white;
    QTest::newRow("black swatch on dark grey")
        << rgb(0, 0, 0) << rgb(128, 128, 128) << rgb(0, 0, 0);
}

void TstTints::bicolourThreshold()
{
    QFETCH(QRgb, colour);
    QFETCH(QRgb, pixel);
    QFETCH(QRgb, expected);
    QImage img = onePixel(pixel);
    QVERIFY(TintBicolor(img, colour));
    QCOMPARE(img.pixel(0, 0), expected);
}

void TstTints::lookupWord_data()
{
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("level");

    const QString names = QString::fromUtf8(kLevelNames);
    const QString codes = QString::fromUtf8(kLevelCodes);
    QTest::newRow("first") << names << codes << "gris"
                           << "1" << 1;
    QTest::newRow("middle") << names << codes << "rouge"
                            << "3" << 3;
    QTest::newRow("last") << names << codes << "orange"
                          << "8" << 8;
    QTest::newRow("not a name") << names << codes << "rose"
                                << "" << 0;
    QTest::newRow("part of a name") << names << codes << "oran"
                                    << "" << 0;
    QTest::newRow("case differs") << names << codes << "ROUGE"
                                  << "" << 0;
    QTest::newRow("empty word") << names << codes << ""
                                << "" << 0;
    QTest::newRow("empty names") << "" << codes << "gris"
                                 << "" << -1;
    QTest::newRow("empty codes") << names << ""
                                 << "gris"
                                 << "" << -1;
    QTest::newRow("fewer codes than names") << "a/b/c"
                                            << "1/2"
                                            << "c"
                                            << "" << -1;
    QTest::newRow("last of two") << "a/b"
                                 << "1/2"
                                 << "b"
                                 << "2" << -1;
    QTest::newRow("words are whole items") << "ab/b"
                                           << "1/2"
                                           << "b"
                                           << "2" << -1;
}

void TstTints::lookupWord()
{
    QFETCH(QString, names);
    QFETCH(QString, codes);
    QFETCH(QString, word);
    QFETCH(QString, expected);
    QFETCH(int, level);
    QCOMPARE(LookupWord(names, codes, QStringLiteral("/"), word), expected);
    if (level >= 0)
        QCOMPARE(levelCode(word), level);
}

void TstTints::paddedBuffer_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("padded");

    QTest::newRow("1") << 1 << 24;
    QTest::newRow("10") << 10 << 24;
    QTest::newRow("23") << 23 << 24;
    QTest::newRow("24") << 24 << 48;
    QTest::newRow("25") << 25 << 48;
    QTest::newRow("shot") << 160 << 168;
    QTest::newRow("168") << 168 << 192;
}

void TstTints::paddedBuffer()
{
    QFETCH(int, width);
    QFETCH(int, padded);
    const int height = 3;
    const QImage picture = noise(width, height, quint32(width));
    TintBuffer buffer = getSurfaceBits(picture);
    QCOMPARE(buffer.paddedWidth, padded);
    QCOMPARE(buffer.bytes.size(), std::size_t(padded * height * 3));
    // Bottom row first, blue green red; the padding starts black.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < padded; ++x) {
            const std::size_t at = 3 * std::size_t((height - 1 - y) * padded + x);
            const QRgb want = x < width ? picture.pixel(x, y) : rgb(0, 0, 0);
            QCOMPARE(int(buffer.bytes[at]), qBlue(want));
            QCOMPARE(int(buffer.bytes[at + 1]), qGreen(want));
            QCOMPARE(int(buffer.bytes[at + 2]), qRed(want));
        }
    }
    // The padding is tinted (black takes the colour) but only the first columns are drawn.
    tintBuffer(buffer, bicolorTable(rgb(9, 8, 7)));
    const std::size_t lastPad = 3 * std::size_t(padded - 1);
    QCOMPARE(int(buffer.bytes[lastPad + 2]), 9);
    QImage wide(width + 30, height, QImage::Format_RGB32);
    wide.fill(rgb(1, 2, 3));
    putSurfaceBits(buffer, wide);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < wide.width(); ++x) {
            const QRgb p = picture.pixel(std::min(x, width - 1), y);
            const QRgb want = x >= width                             ? rgb(1, 2, 3)
                              : qRed(p) + qGreen(p) + qBlue(p) < 500 ? rgb(9, 8, 7)
                                                                     : rgb(255, 255, 255);
            QCOMPARE(wide.pixel(x, y), want);
        }
    }
}

void TstTints::layerTintMatchesBufferRoundTrip_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("spareBytes");
    QTest::addColumn<QString>("tint");

    // Narrow pictures, a shot (one progress point), tall and wide ones with several points
    // falling at different columns, and layers with spare bytes after every row. Buffer pixel
    // 229992, the eighth point, starts a buffer row when the row is 24 or 168 pixels long.
    const struct {
        int width;
        int height;
        int spareBytes;
    } sizes[] = {{1, 130, 0},    {7, 130, 0},   {23, 130, 0},  {24, 130, 0},
                 {25, 130, 0},   {160, 144, 0}, {25, 1500, 0}, {300, 250, 0},
                 {160, 144, 12}, {37, 900, 4},  {7, 9600, 0},  {160, 1400, 0}};
    for (const auto &size : sizes) {
        for (const char *tint : {"bicolour", "white", "violet", "beige"}) {
            QTest::addRow("%dx%d+%d, %s", size.width, size.height, size.spareBytes, tint)
                << size.width << size.height << size.spareBytes << tint;
        }
    }
}

void TstTints::layerTintMatchesBufferRoundTrip()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, spareBytes);
    QFETCH(QString, tint);
    const TintTable table = tint == QLatin1String("bicolour") ? bicolorTable(rgb(0, 192, 192))
                            : tint == QLatin1String("white")  ? bicolorTable(rgb(255, 255, 255))
                                                              : levelsTable(levelCode(tint));
    const QImage original = noise(width, height, 77u + quint32(width));

    // What the buffer round trip shows at each progress point, and at the end.
    QImage viaBuffer = original.copy();
    TintBuffer buffer = getSurfaceBits(viaBuffer);
    QList<QImage> bufferShows;
    tintBuffer(buffer, table, [&](const TintBuffer &b) {
        QImage shown = original.copy();
        putSurfaceBits(b, shown);
        bufferShows.append(shown);
    });
    putSurfaceBits(buffer, viaBuffer);

    // The same picture in a layer whose rows may have spare bytes after them.
    const qsizetype stride = qsizetype(width) * 4 + spareBytes;
    std::vector<uchar> bytes(std::size_t(stride) * std::size_t(height), 0xA5);
    QImage inPlace(bytes.data(), width, height, stride, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        std::memcpy(inPlace.scanLine(y), original.constScanLine(y), std::size_t(width) * 4);
    QList<QImage> layerShows;
    QVERIFY(tintLayer(inPlace, table, [&] {
        layerShows.append(inPlace.copy());
        return true;
    }));
    QCOMPARE(layerShows.size(), bufferShows.size());
    for (qsizetype i = 0; i < layerShows.size(); ++i)
        QVERIFY2(layerShows[i] == bufferShows[i], qPrintable(QStringLiteral("point %1").arg(i)));
    QCOMPARE(inPlace, viaBuffer);
    // The spare bytes are not part of the picture and stay as they were.
    for (int y = 0; y < height; ++y)
        for (int k = 0; k < spareBytes; ++k)
            QCOMPARE(bytes[std::size_t(y * stride + width * 4 + k)], uchar(0xA5));
}

void TstTints::progressPointsShowWhatIsDone()
{
    // A 160 x 144 shot: 168 x 144 = 24192 buffer pixels, one progress point, after buffer
    // pixel 19999 = buffer row 119, column 7, that is picture row 24.
    QImage img(160, 144, QImage::Format_RGB32);
    img.fill(rgb(255, 255, 255));
    int points = 0;
    QVERIFY(TintLevels(img, QStringLiteral("rouge"), [&] {
        ++points;
        const QRgb done = rgb(255, 85, 0);
        const QRgb todo = rgb(255, 255, 255);
        bool ok = img.pixel(0, 143) == done && img.pixel(159, 25) == done &&
                  img.pixel(7, 24) == done && img.pixel(8, 24) == todo &&
                  img.pixel(159, 24) == todo && img.pixel(0, 23) == todo && img.pixel(0, 0) == todo;
        return ok;
    }));
    QCOMPARE(points, 1);
    QCOMPARE(img.pixel(0, 0), rgb(255, 85, 0));

    // 168 x 300 pixels of buffer: points after pixels 19999 and 49998.
    QImage tall(160, 300, QImage::Format_RGB32);
    tall.fill(rgb(0, 0, 0));
    points = 0;
    QVERIFY(TintBicolor(tall, rgb(1, 1, 1), [&] { return ++points > 0; }));
    QCOMPARE(points, 2);

    // Answering false stops the tint where it is.
    tall.fill(rgb(0, 0, 0));
    QVERIFY(!TintBicolor(tall, rgb(1, 1, 1), [] { return false; }));
    QCOMPARE(tall.pixel(0, 0), rgb(0, 0, 0));
    QCOMPARE(tall.pixel(0, 299), rgb(1, 1, 1));
}

QTEST_GUILESS_MAIN(TstTints)
#include "tst_tints.moc"
