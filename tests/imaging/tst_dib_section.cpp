#include "imaging/dib_section.h"
#include "imaging/picture_file.h"

#include "imaging_test_support.h"
#include "support/temp_app_folder.h"

#include <QtEndian>
#include <QtTest>

#include <array>
#include <cstring>

using namespace camvista;
using namespace camvista::test;

namespace
{

// Byte `channel` (0 blue, 1 green, 2 red) of pixel x in storage row r (0 = bottom row).
std::uint8_t &at(cDIBSection &dib, int x, int r, int channel)
{
    return dib.DIBSectionBitsPtr()[r * dib.BytesPerScanLine() + 3 * x + channel];
}

QImage colourGrid(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(10 + 40 * x, 20 + 60 * y, 250 - 30 * x - 20 * y));
    }
    return image;
}

using Table = std::array<std::array<int, 4>, 4>;

} // namespace

class TstDibSection : public QObject
{
    Q_OBJECT

private slots:
    void bytesPerScanLine_data();
    void bytesPerScanLine();
    void createsOrFailsCleanly_data();
    void createsOrFailsCleanly();
    void clearUpEmptiesTheObject();
    void copiesPicturesInAndOut();
    void blitsClipToBothPictures_data();
    void blitsClipToBothPictures();
    void rasterOperations_data();
    void rasterOperations();
    void randomiseBits_data();
    void randomiseBits();
    void resampleSameSizeCopies();
    void resampleTwoByTwoToFourByFour();
    void resampleOnePixelSources_data();
    void resampleOnePixelSources();
    void resampleFailures_data();
    void resampleFailures();
    void savedFileLayout_data();
    void savedFileLayout();
    void savedFilesReadBack_data();
    void savedFilesReadBack();
    void failedSaves_data();
    void failedSaves();
};

void TstDibSection::bytesPerScanLine_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("expected");

    QTest::newRow("1") << 1 << 4;
    QTest::newRow("2") << 2 << 8;
    QTest::newRow("3") << 3 << 12;
    QTest::newRow("4") << 4 << 12;
    QTest::newRow("5") << 5 << 16;
    QTest::newRow("160") << 160 << 480;
    QTest::newRow("161") << 161 << 484;
}

void TstDibSection::bytesPerScanLine()
{
    QFETCH(int, width);
    QFETCH(int, expected);
    cDIBSection dib;
    QVERIFY(dib.Create(width, 3));
    QCOMPARE(dib.BytesPerScanLine(), expected);
    QCOMPARE(dib.Width(), width);
    QCOMPARE(dib.Height(), 3);
}

void TstDibSection::createsOrFailsCleanly_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("created");

    QTest::newRow("1 x 1") << 1 << 1 << true;
    QTest::newRow("160 x 144") << 160 << 144 << true;
    QTest::newRow("0 wide") << 0 << 5 << false;
    QTest::newRow("0 high") << 5 << 0 << false;
    QTest::newRow("negative width") << -3 << 4 << false;
    QTest::newRow("negative height") << 4 << -3 << false;
    QTest::newRow("image of 4.8 GB, over 32 bits") << 40000 << 40000 << false;
    QTest::newRow("scan line over 2 GB") << INT_MAX << 1 << false;
}

void TstDibSection::createsOrFailsCleanly()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, created);
    cDIBSection dib;
    QVERIFY(dib.Create(7, 7));
    dib.UseDrawDib(true);
    const std::uint32_t oldBitmap = dib.hDib();

    QCOMPARE(dib.Create(width, height), created);
    QCOMPARE(dib.Width(), width);
    QCOMPARE(dib.Height(), height);
    // DrawDib survives a successful creation only.
    QCOMPARE(dib.UseDrawDib(), created);
    if (created) {
        QVERIFY(dib.hdc() != 0);
        QVERIFY(dib.hDib() != 0);
        QVERIFY(dib.hDib() != oldBitmap);
        QVERIFY(dib.DIBSectionBitsPtr() != nullptr);
        const std::size_t size = std::size_t(dib.BytesPerScanLine()) * std::size_t(height);
        const std::vector<std::uint8_t> zeros(size, 0);
        QVERIFY(std::memcmp(dib.DIBSectionBitsPtr(), zeros.data(), size) == 0);
        QVERIFY(!dib.toImage().isNull());
    } else {
        QCOMPARE(dib.hdc(), 0u);
        QCOMPARE(dib.hDib(), 0u);
        QVERIFY(dib.DIBSectionBitsPtr() == nullptr);
        QVERIFY(dib.toImage().isNull());
    }
}

void TstDibSection::clearUpEmptiesTheObject()
{
    cDIBSection dib;
    dib.UseDrawDib(false); // on an object that never had it: nothing happens
    QVERIFY(!dib.UseDrawDib());
    QVERIFY(dib.Create(6, 4));
    dib.UseDrawDib(true);
    dib.ClearUp();
    QCOMPARE(dib.hdc(), 0u);
    QCOMPARE(dib.hDib(), 0u);
    QVERIFY(dib.DIBSectionBitsPtr() == nullptr);
    QVERIFY(!dib.UseDrawDib());
    QCOMPARE(dib.Width(), 6); // the header keeps the last size
    QCOMPARE(dib.Height(), 4);
    // Nothing to draw with, nothing drawn.
    QImage target = colourGrid(6, 4);
    const QImage before = target;
    dib.PaintPicture(target);
    QCOMPARE(target, before);
    dib.RandomiseBits(true);
    QVERIFY(dib.DIBSectionBitsPtr() == nullptr);
}

void TstDibSection::copiesPicturesInAndOut()
{
    const QImage source = colourGrid(5, 3);
    cDIBSection dib;
    QVERIFY(dib.CreateFromPicture(source));
    QCOMPARE(dib.Width(), 5);
    QCOMPARE(dib.Height(), 3);
    // Storage row 0 is the picture's bottom row.
    QCOMPARE(int(at(dib, 0, 0, 0)), qBlue(source.pixel(0, 2)));
    QCOMPARE(int(at(dib, 0, 0, 1)), qGreen(source.pixel(0, 2)));
    QCOMPARE(int(at(dib, 0, 0, 2)), qRed(source.pixel(0, 2)));
    QCOMPARE(int(at(dib, 4, 2, 2)), qRed(source.pixel(4, 0)));
    QCOMPARE(dib.toImage(), source);

    QImage target(5, 3, QImage::Format_RGB32);
    target.fill(Qt::black);
    dib.PaintPicture(target, 0, 0, -1, -1, 0, 0, kSrcCopy);
    QCOMPARE(target, source);

    // Other picture formats come in and go out with the same colours.
    cDIBSection fromIndexed;
    QVERIFY(fromIndexed.CreateFromPicture(source.convertToFormat(QImage::Format_RGB888)));
    QCOMPARE(fromIndexed.toImage(), source);
    QImage argbTarget(5, 3, QImage::Format_ARGB32);
    argbTarget.fill(Qt::transparent);
    dib.PaintPicture(argbTarget);
    QCOMPARE(argbTarget.convertToFormat(QImage::Format_RGB32), source);
    QCOMPARE(qAlpha(argbTarget.pixel(2, 1)), 255);

    cDIBSection none;
    QVERIFY(!none.CreateFromPicture(QImage()));
    QVERIFY(none.DIBSectionBitsPtr() == nullptr);
}

void TstDibSection::blitsClipToBothPictures_data()
{
    QTest::addColumn<bool>("paint"); // PaintPicture onto a picture, else LoadPictureBlt from it
    QTest::addColumn<QPoint>("at");  // target position (PaintPicture only)
    QTest::addColumn<QSize>("size"); // negative: the bitmap's own
    QTest::addColumn<QPoint>("from");

    QTest::newRow("load, whole") << false << QPoint() << QSize(-1, -1) << QPoint(0, 0);
    QTest::newRow("load, from (1, 1)") << false << QPoint() << QSize(-1, -1) << QPoint(1, 1);
    QTest::newRow("load, from (-2, -1)") << false << QPoint() << QSize(-1, -1) << QPoint(-2, -1);
    QTest::newRow("load, 2 x 1 from (2, 1)") << false << QPoint() << QSize(2, 1) << QPoint(2, 1);
    QTest::newRow("load, larger than both") << false << QPoint() << QSize(50, 50) << QPoint(0, 0);
    QTest::newRow("load, width -1 height 2") << false << QPoint() << QSize(-1, 2) << QPoint(0, 1);
    QTest::newRow("load, from outside") << false << QPoint() << QSize(-1, -1) << QPoint(9, 0);
    QTest::newRow("paint, whole") << true << QPoint(0, 0) << QSize(-1, -1) << QPoint(0, 0);
    QTest::newRow("paint, at (3, 2)") << true << QPoint(3, 2) << QSize(-1, -1) << QPoint(0, 0);
    QTest::newRow("paint, at (-2, -1)") << true << QPoint(-2, -1) << QSize(-1, -1) << QPoint(0, 0);
    QTest::newRow("paint, 2 x 2 of (1, 1) at (4, 0)")
        << true << QPoint(4, 0) << QSize(2, 2) << QPoint(1, 1);
    QTest::newRow("paint, from (-1, 0), height -1")
        << true << QPoint(0, 0) << QSize(3, -1) << QPoint(-1, 0);
    QTest::newRow("paint, beyond the target")
        << true << QPoint(7, 5) << QSize(-1, -1) << QPoint(0, 0);
}

void TstDibSection::blitsClipToBothPictures()
{
    QFETCH(bool, paint);
    QFETCH(QPoint, at);
    QFETCH(QSize, size);
    QFETCH(QPoint, from);
    // A 4 x 3 bitmap and a 7 x 5 picture.
    const QImage bitmapPicture = colourGrid(4, 3);
    const QImage picture = colourGrid(7, 5).mirrored(true, false);
    cDIBSection dib;
    QVERIFY(dib.CreateFromPicture(bitmapPicture));
    QImage target = picture;

    QImage expected = paint ? picture : bitmapPicture;
    const QImage &src = paint ? bitmapPicture : picture;
    const int w = size.width() < 0 ? 4 : size.width();
    const int h = size.height() < 0 ? 3 : size.height();
    for (int dy = 0; dy < h; ++dy) {
        for (int dx = 0; dx < w; ++dx) {
            const QPoint s = from + QPoint(dx, dy);
            const QPoint t = at + QPoint(dx, dy);
            if (src.rect().contains(s) && expected.rect().contains(t))
                expected.setPixel(t, src.pixel(s));
        }
    }

    if (paint) {
        dib.PaintPicture(target, at.x(), at.y(), size.width(), size.height(), from.x(), from.y());
        QCOMPARE(target, expected);
    } else {
        dib.LoadPictureBlt(picture, from.x(), from.y(), size.width(), size.height());
        QCOMPARE(dib.toImage(), expected);
    }
}

void TstDibSection::rasterOperations_data()
{
    QTest::addColumn<std::uint32_t>("rop");
    QTest::addColumn<bool>("drawDib");
    QTest::addColumn<int>("expected"); // for source 0xF0 and destination 0x3C in every channel

    QTest::newRow("SRCCOPY") << kSrcCopy << false << 0xF0;
    QTest::newRow("SRCAND") << kSrcAnd << false << 0x30;
    QTest::newRow("SRCPAINT") << kSrcPaint << false << 0xFC;
    QTest::newRow("SRCINVERT") << kSrcInvert << false << 0xCC;
    QTest::newRow("SRCERASE") << kSrcErase << false << 0xC0;
    QTest::newRow("NOTSRCCOPY") << kNotSrcCopy << false << 0x0F;
    QTest::newRow("DSTINVERT") << kDstInvert << false << 0xC3;
    QTest::newRow("BLACKNESS") << kBlackness << false << 0x00;
    QTest::newRow("WHITENESS") << kWhiteness << false << 0xFF;
    QTest::newRow("SRCAND through DrawDib copies") << kSrcAnd << true << 0xF0;
}

void TstDibSection::rasterOperations()
{
    QFETCH(std::uint32_t, rop);
    QFETCH(bool, drawDib);
    QFETCH(int, expected);
    const QRgb source = qRgb(0xF0, 0xF0, 0xF0);
    const QRgb destination = qRgb(0x3C, 0x3C, 0x3C);

    // Painting the bitmap onto a picture.
    cDIBSection dib;
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(source);
    QVERIFY(dib.CreateFromPicture(one));
    dib.UseDrawDib(drawDib);
    QImage target(1, 1, QImage::Format_RGB32);
    target.fill(destination);
    dib.PaintPicture(target, 0, 0, -1, -1, 0, 0, rop);
    QCOMPARE(target.pixel(0, 0), qRgb(expected, expected, expected));

    // Loading a picture into the bitmap (DrawDib plays no part there).
    if (!drawDib) {
        one.fill(destination);
        QVERIFY(dib.CreateFromPicture(one));
        one.fill(source);
        dib.LoadPictureBlt(one, 0, 0, -1, -1, rop);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(int(at(dib, 0, 0, c)), expected);
    }
}

void TstDibSection::randomiseBits_data()
{
    QTest::addColumn<bool>("grey");

    QTest::newRow("grey") << true;
    QTest::newRow("colour") << false;
}

void TstDibSection::randomiseBits()
{
    QFETCH(bool, grey);
    cDIBSection dib;
    QVERIFY(dib.Create(7, 9)); // 21 bytes of pixels and 3 of padding per row
    dib.RandomiseBits(grey);

    QSet<int> values;
    bool greenDiffersFromRed = false;
    for (int r = 0; r < 9; ++r) {
        for (int x = 0; x < 7; ++x) {
            const int b = at(dib, x, r, 0);
            const int g = at(dib, x, r, 1);
            const int red = at(dib, x, r, 2);
            if (grey) {
                QCOMPARE(g, b);
                QCOMPARE(red, b);
            } else {
                QCOMPARE(b, 0);
            }
            greenDiffersFromRed = greenDiffersFromRed || g != red;
            values.insert(g);
        }
        for (int pad = 21; pad < 24; ++pad)
            QCOMPARE(int(dib.DIBSectionBitsPtr()[r * 24 + pad]), 0);
    }
    // 63 random values: many distinct ones, and in colour, green and red are drawn apart.
    QVERIFY(values.size() > 20);
    QCOMPARE(greenDiffersFromRed, !grey);
}

void TstDibSection::resampleSameSizeCopies()
{
    cDIBSection dib;
    QVERIFY(dib.Create(13, 5));
    dib.RandomiseBits(false);
    const auto copy = dib.Resample(5, 13);
    QVERIFY(copy);
    QCOMPARE(copy->Width(), 13);
    QCOMPARE(copy->Height(), 5);
    QVERIFY(copy->DIBSectionBitsPtr() != dib.DIBSectionBitsPtr());
    QVERIFY(std::memcmp(copy->DIBSectionBitsPtr(), dib.DIBSectionBitsPtr(),
                        std::size_t(dib.BytesPerScanLine()) * 5) == 0);
}

void TstDibSection::resampleTwoByTwoToFourByFour()
{
    // Source, by storage row (0 = bottom) and column, as (blue, green, red):
    //   row 0: (0, 2, 255)   (100, 3, 0)
    //   row 1: (200, 3, 0)   (50, 6, 255)
    // Steps are (2 - 1) / 4 = 0.25, so target column or row t sits at 0.25 t between source
    // columns or rows 0 and 1. Worked example, blue at target column 3, row 1 (x = 0.75,
    // y = 0.25): left = round(0.75 * 0 + 0.25 * 200) = 50, right = round(0.75 * 100 + 0.25 * 50)
    // = round(87.5) = 88 (halves to even), result = round(0.25 * 50 + 0.75 * 88) = round(78.5)
    // = 78. Green is chosen to land on halves often.
    const int source[2][2][3] = {{{0, 2, 255}, {100, 3, 0}}, {{200, 3, 0}, {50, 6, 255}}};
    const Table blue = {
        {{0, 25, 50, 75}, {50, 60, 69, 78}, {100, 94, 88, 81}, {150, 128, 106, 84}}};
    const Table green = {{{2, 2, 2, 3}, {2, 2, 3, 4}, {2, 2, 3, 4}, {3, 4, 4, 4}}};
    const Table red = {
        {{255, 191, 128, 64}, {191, 159, 128, 96}, {128, 128, 128, 128}, {64, 96, 128, 159}}};

    cDIBSection dib;
    QVERIFY(dib.Create(2, 2));
    for (int r = 0; r < 2; ++r) {
        for (int x = 0; x < 2; ++x) {
            for (int c = 0; c < 3; ++c)
                at(dib, x, r, c) = std::uint8_t(source[r][x][c]);
        }
    }
    const auto big = dib.Resample(4, 4);
    QVERIFY(big);
    QCOMPARE(big->Width(), 4);
    QCOMPARE(big->Height(), 4);
    for (int r = 0; r < 4; ++r) {
        for (int x = 0; x < 4; ++x) {
            const QString where = QStringLiteral("column %1, storage row %2").arg(x).arg(r);
            QVERIFY2(at(*big, x, r, 0) == blue[r][x], qPrintable(where));
            QVERIFY2(at(*big, x, r, 1) == green[r][x], qPrintable(where));
            QVERIFY2(at(*big, x, r, 2) == red[r][x], qPrintable(where));
        }
    }
}

void TstDibSection::resampleOnePixelSources_data()
{
    QTest::addColumn<QSize>("from");
    QTest::addColumn<QList<int>>("source"); // grey levels, storage order, row by row
    QTest::addColumn<QSize>("to");
    QTest::addColumn<QList<int>>("expected");

    // 1 wide: the step across is 0 and the right neighbour is the pixel itself. Down, the step
    // is 2 / 4 = 0.5: rows at 0, 0.5, 1, 1.5; round(0.5 * 20 + 0.5 * 41) = round(30.5) = 30.
    QTest::newRow("1 x 3 to 2 x 4") << QSize(1, 3) << QList<int>{10, 20, 41} << QSize(2, 4)
                                    << QList<int>{10, 10, 15, 15, 20, 20, 30, 30};
    QTest::newRow("3 x 1 to 4 x 2") << QSize(3, 1) << QList<int>{10, 20, 41} << QSize(4, 2)
                                    << QList<int>{10, 15, 20, 30, 10, 15, 20, 30};
    QTest::newRow("1 x 1 to 3 x 2")
        << QSize(1, 1) << QList<int>{77} << QSize(3, 2) << QList<int>{77, 77, 77, 77, 77, 77};
    // Shrinking a 1-pixel-high row: step (5 - 1) / 2 = 2, columns 0 and 2.
    QTest::newRow("5 x 1 to 2 x 1")
        << QSize(5, 1) << QList<int>{1, 2, 3, 4, 5} << QSize(2, 1) << QList<int>{1, 3};
}

void TstDibSection::resampleOnePixelSources()
{
    QFETCH(QSize, from);
    QFETCH(QList<int>, source);
    QFETCH(QSize, to);
    QFETCH(QList<int>, expected);
    cDIBSection dib;
    QVERIFY(dib.Create(from.width(), from.height()));
    for (int r = 0; r < from.height(); ++r) {
        for (int x = 0; x < from.width(); ++x) {
            for (int c = 0; c < 3; ++c)
                at(dib, x, r, c) = std::uint8_t(source[r * from.width() + x]);
        }
    }
    const auto out = dib.Resample(to.height(), to.width());
    QVERIFY(out);
    QList<int> actual;
    for (int r = 0; r < to.height(); ++r) {
        for (int x = 0; x < to.width(); ++x) {
            QCOMPARE(at(*out, x, r, 1), at(*out, x, r, 0));
            QCOMPARE(at(*out, x, r, 2), at(*out, x, r, 0));
            actual << at(*out, x, r, 0);
        }
    }
    QCOMPARE(actual, expected);
}

void TstDibSection::resampleFailures_data()
{
    QTest::addColumn<int>("newHeight");
    QTest::addColumn<int>("newWidth");

    QTest::newRow("0 high") << 0 << 4;
    QTest::newRow("0 wide") << 4 << 0;
    QTest::newRow("negative") << -1 << -1;
    QTest::newRow("over 4 GB") << 40000 << 40000;
}

void TstDibSection::resampleFailures()
{
    QFETCH(int, newHeight);
    QFETCH(int, newWidth);
    cDIBSection dib;
    QVERIFY(dib.Create(3, 3));
    dib.RandomiseBits(true);
    QVERIFY(!dib.Resample(newHeight, newWidth));

    // An empty source still gives a bitmap of the new size: a black one.
    cDIBSection empty;
    const auto blank = empty.Resample(2, 3);
    QVERIFY(blank);
    QImage black(3, 2, QImage::Format_RGB32);
    black.fill(Qt::black);
    QCOMPARE(blank->toImage(), black);
}

void TstDibSection::savedFileLayout_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("value");

    // A 2 x 2 bitmap: rows of 6 bytes padded to 8, image size 16, file 16 + 58 = 74 bytes.
    QTest::newRow("signature 'BM'") << 0 << 2 << qint64(0x4D42);
    QTest::newRow("file size") << 2 << 4 << qint64(74);
    QTest::newRow("reserved") << 6 << 4 << qint64(0);
    QTest::newRow("pixel offset 58") << 10 << 4 << qint64(58);
    QTest::newRow("header size") << 14 << 4 << qint64(40);
    QTest::newRow("width") << 18 << 4 << qint64(2);
    QTest::newRow("height") << 22 << 4 << qint64(2);
    QTest::newRow("planes") << 26 << 2 << qint64(1);
    QTest::newRow("bits per pixel") << 28 << 2 << qint64(24);
    QTest::newRow("compression") << 30 << 4 << qint64(0);
    QTest::newRow("image size") << 34 << 4 << qint64(16);
    QTest::newRow("horizontal resolution") << 38 << 4 << qint64(0);
    QTest::newRow("vertical resolution") << 42 << 4 << qint64(0);
    QTest::newRow("colours used") << 46 << 4 << qint64(0);
    QTest::newRow("important colours") << 50 << 4 << qint64(0);
    QTest::newRow("colour entry") << 54 << 4 << qint64(0);
    // Bottom row first: blue, green, red of (0,1) and (1,1), then two zero bytes.
    QTest::newRow("bottom row, pixel 0") << 58 << 4 << qint64(0x0F0A0501);
    QTest::newRow("bottom row, end and padding") << 62 << 4 << qint64(0x00001914);
    QTest::newRow("top row, pixel 0") << 66 << 4 << qint64(0x0C07020B);
    QTest::newRow("top row, end and padding") << 70 << 4 << qint64(0x00000D11);
}

void TstDibSection::savedFileLayout()
{
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(qint64, value);
    cDIBSection dib;
    QVERIFY(dib.Create(2, 2));
    // Bytes of storage row 0 (bottom) and row 1, padding excluded.
    const std::uint8_t bottom[6] = {0x01, 0x05, 0x0A, 0x0F, 0x14, 0x19};
    const std::uint8_t top[6] = {0x0B, 0x02, 0x07, 0x0C, 0x11, 0x0D};
    std::memcpy(dib.DIBSectionBitsPtr(), bottom, 6);
    std::memcpy(dib.DIBSectionBitsPtr() + 8, top, 6);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("dib.bmp"));

    const DibSaveResult result = dib.SavePicture(path);
    QVERIFY(result.written);
    QVERIFY(!result.error);
    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes.size(), 74);
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData()) + offset;
    const qint64 actual =
        size == 2 ? qint64(qFromLittleEndian<quint16>(p)) : qint64(qFromLittleEndian<quint32>(p));
    QCOMPARE(actual, value);
}

void TstDibSection::savedFilesReadBack_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("fileSize");

    QTest::newRow("1 x 1") << QSize(1, 1) << 58 + 4;
    QTest::newRow("2 x 2") << QSize(2, 2) << 58 + 16;
    QTest::newRow("3 x 1") << QSize(3, 1) << 58 + 12;
    QTest::newRow("5 x 2") << QSize(5, 2) << 58 + 32;
    QTest::newRow("160 x 144") << QSize(160, 144) << 58 + 480 * 144;
}

void TstDibSection::savedFilesReadBack()
{
    QFETCH(QSize, size);
    QFETCH(int, fileSize);
    cDIBSection dib;
    QVERIFY(dib.Create(size.width(), size.height()));
    dib.RandomiseBits(false);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("dib.bmp"));
    QVERIFY(dib.SavePicture(path).written);
    QCOMPARE(QFileInfo(path).size(), qint64(fileSize));

    const PictureLoad load = loadPictureFile(path);
    QVERIFY2(load.ok(), qPrintable(load.status.message()));
    QCOMPARE(load.image.convertToFormat(QImage::Format_RGB32), dib.toImage());
}

void TstDibSection::failedSaves_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("withBitmap");
    QTest::addColumn<bool>("raised"); // reported as error 17

    QTest::newRow("missing folder") << "gone/dib.bmp" << false << true << true;
    QTest::newRow("read-only old file") << "old.bmp" << true << true << true;
    QTest::newRow("a folder stands there") << "sub" << false << true << true;
    QTest::newRow("no bitmap to write") << "old.bmp" << false << false << false;
}

void TstDibSection::failedSaves()
{
    QFETCH(QString, relativePath);
    QFETCH(bool, readOnly);
    QFETCH(bool, withBitmap);
    QFETCH(bool, raised);
    TempAppFolder dir;
    const QByteArray old("an older picture file");
    const QString oldPath = dir.write(QStringLiteral("old.bmp"), old);
    QVERIFY(QDir().mkdir(dir.file(QStringLiteral("sub"))));
    if (readOnly)
        QVERIFY(setMode(oldPath, kMode0444));
    const QStringList entriesBefore = folderEntries(dir.path());
    cDIBSection dib;
    if (withBitmap) {
        QVERIFY(dib.Create(4, 4));
        dib.RandomiseBits(true);
    }

    const DibSaveResult result = dib.SavePicture(dir.file(relativePath));
    QVERIFY(!result.written);
    QCOMPARE(bool(result.error), raised);
    if (raised) {
        QCOMPARE(result.error->number, 17);
        const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QCOMPARE(result.error->source, exe + QStringLiteral(".cDIBSection"));
        QVERIFY(!result.error->description.isEmpty());
        QVERIFY(result.error->description.size() <= 256);
    }
    QCOMPARE(readBytes(oldPath), old);
    QCOMPARE(folderEntries(dir.path()), entriesBefore);
}

QTEST_GUILESS_MAIN(TstDibSection)
#include "tst_dib_section.moc"
