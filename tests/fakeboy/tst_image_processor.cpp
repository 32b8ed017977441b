#include "fakeboy/image_processor.h"
#include "fakeboy/picture_squeeze.h"
#include "imaging/picture_file.h"
#include "support/test_pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace camvista;
using camvista::test::photograph;

namespace
{

QImage flat(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Each row of the 4 x 4 tile as one character per pixel: 0, 1, 2, 3 for 0, 85, 170, 255.
QStringList tileOf(const QImage &image)
{
    QStringList rows;
    for (int y = 0; y < 4; ++y) {
        QString row;
        for (int x = 0; x < 4; ++x)
            row += QChar(u'0' + qRed(image.pixel(x, y)) / 85);
        rows << row;
    }
    return rows;
}

bool repeatsTile(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(x % 4, y % 4))
                return false;
    return true;
}

bool onlyFourGreys(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y) & 0xFFFFFF;
            if (px != 0x000000 && px != 0x555555 && px != 0xAAAAAA && px != 0xFFFFFF)
                return false;
        }
    return true;
}

using namespace camvista::processor;

bool convertAsConverter(ImageProcessor &p, const QImage &surface, const QString &path,
                        const ProcessorRegion &region = {})
{
    return p.ConvertSurfaceToFile(surface, path, kPictureBmp, kColourModeColour, kTwoBitsPerPixel,
                                  kFixedGreyMap, kOrderedDither, region);
}

} // namespace

class TstImageProcessor : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void flatGreyGivesTheMatrixPattern_data();
    void flatGreyGivesTheMatrixPattern();
    void reductionKeepsFourGreys_data();
    void reductionKeepsFourGreys();
    void greyFollowsLuma_data();
    void greyFollowsLuma();
    void otherSettingsFail_data();
    void otherSettingsFail();
    void fileRoundTrip();
    void drawingOntoASurface_data();
    void drawingOntoASurface();
    void loadFileRefusesBadFiles_data();
    void loadFileRefusesBadFiles();
    void squeezeGivesTheShotSize_data();
    void squeezeGivesTheShotSize();
    void squeezeAveragesFineDetail();
    void blockAverage();
    void blockAverageRoundsEveryBlock_data();
    void blockAverageRoundsEveryBlock();
    void scratchFolderIsInMemoryWhereThereIsOne_data();
    void scratchFolderIsInMemoryWhereThereIsOne();
    void shrunkDecodingStaysWithinTheDither_data();
    void shrunkDecodingStaysWithinTheDither();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TstImageProcessor::flatGreyGivesTheMatrixPattern_data()
{
    QTest::addColumn<int>("grey");
    QTest::addColumn<QStringList>("tile");
    // Cells with a matrix value below the grey's place in its step take the upper grey.
    QTest::newRow("128: half way, a checkerboard")
        << 128 << QStringList{"2121", "1212", "2121", "1212"};
    QTest::newRow("43: the same between black and dark")
        << 43 << QStringList{"1010", "0101", "1010", "0101"};
    QTest::newRow("100: cells 0 to 2 up") << 100 << QStringList{"2121", "1111", "1121", "1111"};
    QTest::newRow("250: cells 0 to 14 up") << 250 << QStringList{"3333", "3333", "3333", "2333"};
    QTest::newRow("black") << 0 << QStringList{"0000", "0000", "0000", "0000"};
    QTest::newRow("170 is a level") << 170 << QStringList{"2222", "2222", "2222", "2222"};
    QTest::newRow("white") << 255 << QStringList{"3333", "3333", "3333", "3333"};
}

void TstImageProcessor::flatGreyGivesTheMatrixPattern()
{
    QFETCH(int, grey);
    QFETCH(QStringList, tile);
    ImageProcessor p;
    QVERIFY(convertAsConverter(p, flat({128, 112}, qRgb(grey, grey, grey)), path("t.bmp")));
    QCOMPARE(tileOf(p.currentImage()), tile);
    QVERIFY(repeatsTile(p.currentImage()));
}

void TstImageProcessor::reductionKeepsFourGreys_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::newRow("photograph") << photograph(128, 112);
    QImage alpha(128, 112, QImage::Format_ARGB32);
    alpha.fill(qRgba(200, 10, 10, 60));
    QTest::newRow("see-through") << alpha;
    QTest::newRow("indexed") << photograph(128, 112).convertToFormat(QImage::Format_Indexed8);
}

void TstImageProcessor::reductionKeepsFourGreys()
{
    QFETCH(QImage, picture);
    ImageProcessor p;
    QVERIFY(convertAsConverter(p, picture, path("t.bmp")));
    QCOMPARE(p.currentImage().size(), picture.size());
    QVERIFY(onlyFourGreys(p.currentImage()));
}

void TstImageProcessor::greyFollowsLuma_data()
{
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<int>("grey");
    QTest::newRow("red") << qRgb(255, 0, 0) << 76;
    QTest::newRow("green") << qRgb(0, 255, 0) << 150;
    QTest::newRow("blue") << qRgb(0, 0, 255) << 29;
    QTest::newRow("white") << qRgb(255, 255, 255) << 255;
    QTest::newRow("a grey stays itself") << qRgb(128, 128, 128) << 128;
}

void TstImageProcessor::greyFollowsLuma()
{
    QFETCH(QRgb, colour);
    QFETCH(int, grey);
    QCOMPARE(lumaGrey(qRed(colour), qGreen(colour), qBlue(colour)), grey);
    // The reduction of a flat colour is that of its grey.
    const QImage reduced = reduceToFourGreys(flat({8, 8}, colour), 0);
    const QImage expected = reduceToFourGreys(flat({8, 8}, qRgb(grey, grey, grey)), 0);
    QCOMPARE(reduced, expected);
}

void TstImageProcessor::otherSettingsFail_data()
{
    QTest::addColumn<QList<int>>("codes"); // type, mode, bits, map, dither
    QTest::addColumn<QList<int>>("region");
    const QList<int> whole{-1, -1, -1, -1};
    QTest::newRow("picture type 1") << QList<int>{1, 0, 2, 0x2200, 2} << whole;
    QTest::newRow("colour mode 1") << QList<int>{0, 1, 2, 0x2200, 2} << whole;
    QTest::newRow("8 bits") << QList<int>{0, 0, 8, 0x2200, 2} << whole;
    QTest::newRow("another map") << QList<int>{0, 0, 2, 0x2100, 2} << whole;
    QTest::newRow("no dither") << QList<int>{0, 0, 2, 0x2200, 0} << whole;
    QTest::newRow("negative code") << QList<int>{-5, 0, 2, 0x2200, 2} << whole;
    QTest::newRow("half a whole region")
        << QList<int>{0, 0, 2, 0x2200, 2} << QList<int>{-1, -1, 10, 10};
    QTest::newRow("region past the edge")
        << QList<int>{0, 0, 2, 0x2200, 2} << QList<int>{0, 0, 129, 112};
    QTest::newRow("empty region") << QList<int>{0, 0, 2, 0x2200, 2} << QList<int>{5, 5, 5, 9};
}

void TstImageProcessor::otherSettingsFail()
{
    QFETCH(QList<int>, codes);
    QFETCH(QList<int>, region);
    ImageProcessor p;
    const QString file = path("fail.bmp");
    QFile::remove(file);
    QVERIFY(!p.ConvertSurfaceToFile(photograph(128, 112), file, codes[0], codes[1], codes[2],
                                    codes[3], codes[4],
                                    ProcessorRegion{region[0], region[1], region[2], region[3]}));
    QVERIFY(!QFile::exists(file));
    QVERIFY(p.currentImage().isNull());
}

void TstImageProcessor::fileRoundTrip()
{
    ImageProcessor p;
    const QString file = path("round.bmp");
    // A region: left and top included, right and bottom not.
    QVERIFY(convertAsConverter(p, photograph(128, 112), file, ProcessorRegion{8, 4, 72, 36}));
    const QImage converted = p.currentImage();
    QCOMPARE(converted.size(), QSize(64, 32));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(2), QByteArray("BM"));
    f.close();
    QVERIFY(p.LoadFile(file));
    QCOMPARE(p.currentImage().convertToFormat(QImage::Format_RGB32), converted);

    // Unwritable paths fail and keep the current image.
    QVERIFY(!convertAsConverter(p, flat({16, 16}, 0), path("no/such/folder/x.bmp")));
    QVERIFY(!convertAsConverter(p, flat({16, 16}, 0), QString()));
    QVERIFY(!convertAsConverter(p, QImage(), path("empty.bmp")));
    QCOMPARE(p.currentImage().convertToFormat(QImage::Format_RGB32), converted);
}

void TstImageProcessor::drawingOntoASurface_data()
{
    QTest::addColumn<QSize>("surface");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("ok");
    QTest::newRow("the same size") << QSize(128, 112) << 0 << true;
    QTest::newRow("a bigger surface") << QSize(160, 144) << 0 << true;
    QTest::newRow("a smaller surface: clipped") << QSize(50, 40) << 0 << true;
    QTest::newRow("an unknown mode") << QSize(128, 112) << 1 << false;
}

void TstImageProcessor::drawingOntoASurface()
{
    QFETCH(QSize, surface);
    QFETCH(int, mode);
    QFETCH(bool, ok);
    ImageProcessor p;
    QImage layer = flat(surface, qRgb(1, 2, 3));
    QVERIFY(!p.ShowOnSurface(layer)); // nothing to show yet
    QVERIFY(convertAsConverter(p, photograph(128, 112), path("d.bmp")));
    const QImage before = layer;
    QCOMPARE(p.DrawToSurface(layer, mode, {}), ok);
    QImage shown = flat(surface, qRgb(1, 2, 3));
    QVERIFY(p.ShowOnSurface(shown));
    const QImage &img = p.currentImage();
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            const QRgb expected =
                x < img.width() && y < img.height() ? img.pixel(x, y) : qRgb(1, 2, 3);
            QCOMPARE(shown.pixel(x, y), expected);
            QCOMPARE(layer.pixel(x, y), ok ? expected : before.pixel(x, y));
        }
}

void TstImageProcessor::loadFileRefusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("create");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("not a picture") << QByteArray("hello, this is text") << true;
    QTest::newRow("cut-short BMP") << QByteArray("BM\x36\x00\x01\x00", 6) << true;
}

void TstImageProcessor::loadFileRefusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, create);
    const QString file = path("bad.bmp");
    QFile::remove(file);
    if (create) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    ImageProcessor p;
    QVERIFY(convertAsConverter(p, flat({4, 4}, 0), path("good.bmp")));
    const QImage before = p.currentImage();
    QVERIFY(!p.LoadFile(file));
    QCOMPARE(p.currentImage(), before);
}

void TstImageProcessor::squeezeGivesTheShotSize_data()
{
    QTest::addColumn<QSize>("from");
    QTest::newRow("4096 x 3072") << QSize(4096, 3072);
    QTest::newRow("640 x 480") << QSize(640, 480);
    QTest::newRow("one side enlarged") << QSize(300, 50);
    QTest::newRow("one pixel more") << QSize(129, 113);
    QTest::newRow("a tall strip") << QSize(130, 4000);
}

void TstImageProcessor::squeezeGivesTheShotSize()
{
    QFETCH(QSize, from);
    const QImage squeezed = squeezePicture(flat(from, qRgb(30, 140, 250)), QSize(128, 112));
    QCOMPARE(squeezed.size(), QSize(128, 112));
    // A flat colour stays that colour: the filter's weights add up to one everywhere.
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 128; ++x)
            QCOMPARE(squeezed.pixel(x, y), qRgb(30, 140, 250));
}

void TstImageProcessor::squeezeAveragesFineDetail()
{
    // One-pixel stripes squeezed five times: a filter blends them to grey, where picking one
    // pixel in five would give stripes of pure black and white.
    QImage stripes(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage squeezed = squeezePicture(stripes, QSize(128, 112));
    for (int y = 0; y < 112; ++y)
        for (int x = 2; x < 126; ++x)
            QVERIFY2(
                qAbs(qRed(squeezed.pixel(x, y)) - 128) <= 8,
                qPrintable(
                    QStringLiteral("%1 at %2,%3").arg(qRed(squeezed.pixel(x, y))).arg(x).arg(y)));
    // And the left half of a half-black picture stays dark, the right half light.
    QImage half = flat({640, 480}, qRgb(0, 0, 0));
    for (int y = 0; y < 480; ++y)
        for (int x = 320; x < 640; ++x)
            half.setPixel(x, y, qRgb(255, 255, 255));
    const QImage h = squeezePicture(half, QSize(128, 112));
    QCOMPARE(qRed(h.pixel(60, 50)), 0);
    QCOMPARE(qRed(h.pixel(68, 50)), 255);
}

void TstImageProcessor::blockAverage()
{
    QImage in(5, 3, QImage::Format_RGB32);
    in.fill(qRgb(0, 0, 0));
    // Blocks of 2 x 3 from column 0 (the odd column is left out on the right): values 10, 20,
    // 30, 40, 50, 61 average to 35.17 in the first block.
    const int values[] = {10, 20, 30, 40, 50, 61};
    for (int i = 0; i < 6; ++i)
        in.setPixel(i % 2, i / 2, qRgb(values[i], 0, 255));
    const QImage out = averageBlocks(in, 2, 3);
    QCOMPARE(out.size(), QSize(2, 1));
    QCOMPARE(out.pixel(0, 0), qRgb(35, 0, 255));
    QCOMPARE(out.pixel(1, 0), qRgb(0, 0, 0));
    QVERIFY(averageBlocks(in, 6, 1).isNull());
    QVERIFY(averageBlocks(in, 0, 1).isNull());
}

void TstImageProcessor::blockAverageRoundsEveryBlock_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("factorX");
    QTest::addColumn<int>("factorY");
    QTest::newRow("2 x 2") << QSize(64, 48) << 2 << 2;
    QTest::newRow("3 x 7, uneven edges") << QSize(65, 50) << 3 << 7;
    QTest::newRow("16 x 13") << QSize(260, 140) << 16 << 13;
    QTest::newRow("255 x 1") << QSize(600, 3) << 255 << 1;
    QTest::newRow("1 x 258, wide column sums") << QSize(5, 600) << 1 << 258;
    QTest::newRow("300 x 300, past the quick division") << QSize(600, 600) << 300 << 300;
}

void TstImageProcessor::blockAverageRoundsEveryBlock()
{
    // Every block's mean rounded half up, as plain division gives it, channel by channel.
    QFETCH(QSize, size);
    QFETCH(int, factorX);
    QFETCH(int, factorY);
    QImage in(size, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(in.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            row[x] = 0xFF000000u | (seed >> 8);
        }
    }
    const QImage out = averageBlocks(in, factorX, factorY);
    QCOMPARE(out.size(), QSize(size.width() / factorX, size.height() / factorY));
    const int skipX = (size.width() - out.width() * factorX) / 2;
    const int skipY = (size.height() - out.height() * factorY) / 2;
    const qint64 count = qint64(factorX) * factorY;
    for (int by = 0; by < out.height(); ++by) {
        for (int bx = 0; bx < out.width(); ++bx) {
            qint64 sum[3] = {0, 0, 0};
            for (int y = 0; y < factorY; ++y) {
                for (int x = 0; x < factorX; ++x) {
                    const QRgb p = in.pixel(skipX + bx * factorX + x, skipY + by * factorY + y);
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                }
            }
            const QRgb want =
                qRgb(int((sum[0] + count / 2) / count), int((sum[1] + count / 2) / count),
                     int((sum[2] + count / 2) / count));
            if (out.pixel(bx, by) != want)
                QFAIL(qPrintable(QStringLiteral("block %1,%2").arg(bx).arg(by)));
        }
    }
}

void TstImageProcessor::scratchFolderIsInMemoryWhereThereIsOne_data()
{
    QTest::addColumn<QString>("runtime"); // "*": the test's own folder
    QTest::addColumn<bool>("used");
    QTest::newRow("a runtime folder") << "*" << true;
    QTest::newRow("none named") << "" << false;
    QTest::newRow("a missing folder") << "/no/such/runtime/folder" << false;
}

void TstImageProcessor::scratchFolderIsInMemoryWhereThereIsOne()
{
    QFETCH(QString, runtime);
    QFETCH(bool, used);
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const QString folder = runtime == QLatin1String("*") ? m_dir.path() : runtime;
    qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
    const QString scratch = scratchFolder();
    qputenv("XDG_RUNTIME_DIR", saved);
    QCOMPARE(scratch, used ? folder : QDir::tempPath());
}

void TstImageProcessor::shrunkDecodingStaysWithinTheDither_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("4096 x 3072, an eighth") << QSize(4096, 3072);
    QTest::newRow("1024 x 768, a quarter") << QSize(1024, 768);
    QTest::newRow("640 x 480, a half") << QSize(640, 480);
}

void TstImageProcessor::shrunkDecodingStaysWithinTheDither()
{
    // A photograph decoded whole or shrunk by the decoder gives nearly the same greys before
    // the dither: a dither step (85 / 16 greys between thresholds) is far larger than the mean
    // change, so the shot changes only here and there, and by one level at most.
    QFETCH(QSize, size);
    const QString file = path(QStringLiteral("photo.jpg"));
    QVERIFY(camvista::test::photograph(size.width(), size.height()).save(file, "JPEG", 90));
    const QSize inner(128, 112);
    const PictureLoad whole = loadPictureFile(file);
    const PictureLoad shrunk = loadPictureFile(file, inner);
    QVERIFY(whole.ok() && shrunk.ok());
    QVERIFY(shrunk.image.width() < size.width());
    const QImage a = squeezePicture(whole.image, inner).convertToFormat(QImage::Format_RGB32);
    const QImage b = squeezePicture(shrunk.image, inner).convertToFormat(QImage::Format_RGB32);
    const QImage shotA = reduceToFourGreys(a, 0xFFFFFFFF);
    const QImage shotB = reduceToFourGreys(b, 0xFFFFFFFF);
    double greyChange = 0;
    int changed = 0;
    for (int y = 0; y < inner.height(); ++y) {
        for (int x = 0; x < inner.width(); ++x) {
            const auto grey = [](QRgb p) { return lumaGrey(qRed(p), qGreen(p), qBlue(p)); };
            greyChange += std::abs(grey(a.pixel(x, y)) - grey(b.pixel(x, y)));
            const int levels = std::abs(qRed(shotA.pixel(x, y)) - qRed(shotB.pixel(x, y)));
            QVERIFY2(levels <= 85,
                     qPrintable(QStringLiteral("%1 at %2,%3").arg(levels).arg(x).arg(y)));
            changed += levels != 0 ? 1 : 0;
        }
    }
    const int pixels = inner.width() * inner.height();
    greyChange /= pixels;
    qInfo("mean grey change %.2f, %d of %d shot pixels changed", greyChange, changed, pixels);
    QVERIFY2(greyChange < 85.0 / 16 / 2, qPrintable(QString::number(greyChange)));
    QVERIFY2(changed < pixels / 10, qPrintable(QString::number(changed)));
}

QTEST_GUILESS_MAIN(TstImageProcessor)
#include "tst_image_processor.moc"
