// Damaged picture files that Qt would decode without an error: cut-short GIF and JPEG files,
// a GIF whose screen is larger than its frame, run-length BMP rows.

#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"
#include "imaging/picture_files.h"

#include "imaging_test_support.h"
#include "picture_bytes.h"
#include "support/temp_app_folder.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

using namespace camvista;
using namespace camvista::test;

namespace
{

// A picture with enough detail that its GIF and JPEG files have a long scan.
QImage detailedPicture()
{
    QImage image(96, 80, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) & 255, (x * y) & 255, (y * 29) & 255));
    }
    return image;
}

QByteArray encodedWithQt(const QImage &image, const QByteArray &format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        qFatal("cannot encode %s", format.constData());
    return bytes;
}

QByteArray progressiveJpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(image))
        qFatal("cannot encode a progressive JPEG");
    return bytes;
}

QByteArray gifBytes(const QImage &image)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.gif"));
    if (!saveGif(image, path).ok())
        qFatal("cannot write a GIF");
    return readBytes(path);
}

} // namespace

class TstDamagedPictures : public QObject
{
    Q_OBJECT

private slots:
    void refusesCutShortFiles_data();
    void refusesCutShortFiles();
    void gifScreenIsWhatIsCapped_data();
    void gifScreenIsWhatIsCapped();
    void runLengthRowsAreClearedWhole();
    void jpegDamageIsSeenWhateverTheLogging_data();
    void jpegDamageIsSeenWhateverTheLogging();
    void refusesJpegWithTooManyScans_data();
    void refusesJpegWithTooManyScans();
};

void TstDamagedPictures::refusesCutShortFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<FileError>("expected");

    const QByteArray gif = gifBytes(detailedPicture());
    const QByteArray jpeg = encodedWithQt(detailedPicture(), "jpeg");
    const qsizetype scan = jpeg.indexOf("\xFF\xDA") + 12;
    QVERIFY(scan > 12);
    const auto cut = [](const QByteArray &b, int percent) {
        return b.left(b.size() * percent / 100);
    };

    QTest::newRow("GIF whole (control)") << gif << FileError::None;
    QTest::newRow("GIF with bytes after its trailer")
        << gif + QByteArray(100, 'x') << FileError::None;
    QTest::newRow("GIF cut to 95 %") << cut(gif, 95) << FileError::Damaged;
    QTest::newRow("GIF cut to 50 %") << cut(gif, 50) << FileError::Damaged;
    QTest::newRow("GIF cut to 5 %") << cut(gif, 5) << FileError::Damaged;
    QTest::newRow("GIF without its trailer") << gif.chopped(1) << FileError::Damaged;
    QTest::newRow("GIF whose codes end before the pixels")
        << gifWithCodes({4, 0, 4, 1, 5}) << FileError::Damaged;
    QTest::newRow("GIF whose data blocks end before the pixels")
        << gifWithCodes({4, 0, 4, 1}) << FileError::Damaged;
    QTest::newRow("GIF with all four pixels (control)")
        << gifWithCodes({4, 0, 4, 1, 4, 2, 4, 3, 5}) << FileError::None;

    QTest::newRow("JPEG whole (control)") << jpeg << FileError::None;
    QTest::newRow("JPEG with bytes after its end")
        << jpeg + QByteArray(64, '\0') << FileError::None;
    QTest::newRow("JPEG cut to 95 %") << cut(jpeg, 95) << FileError::Damaged;
    QTest::newRow("JPEG cut halfway through its scan")
        << jpeg.left((scan + jpeg.size()) / 2) << FileError::Damaged;
    QTest::newRow("JPEG cut where its scan begins") << jpeg.left(scan) << FileError::Damaged;
    QTest::newRow("JPEG without its end marker") << jpeg.chopped(2) << FileError::Damaged;
    QTest::newRow("JPEG segment running past the end")
        << jpeg.left(jpeg.indexOf("\xFF\xDB") + 10) << FileError::Damaged;
    QTest::newRow("JPEG cut halfway and closed again with an end marker")
        << jpeg.left((scan + jpeg.size()) / 2) + QByteArray("\xFF\xD9", 2) << FileError::Damaged;

    // Run-length BMP data must reach its end-of-picture code (0, 1) inside the file.
    QTest::newRow("RLE8 BMP with its end code (control)")
        << rle8File(QByteArray("\x04\x05\x00\x00\x00\x01", 6)) << FileError::None;
    QTest::newRow("RLE8 BMP ending after a row")
        << rle8File(QByteArray("\x04\x05\x00\x00", 4)) << FileError::Damaged;
    QTest::newRow("RLE8 BMP cut inside a literal run")
        << rle8File(QByteArray("\x00\x06\x01\x02\x03", 5)) << FileError::Damaged;
    QTest::newRow("RLE8 BMP cut inside a jump")
        << rle8File(QByteArray("\x00\x02\x01", 3)) << FileError::Damaged;
    QTest::newRow("RLE8 BMP whose literal run hides the end code")
        << rle8File(QByteArray("\x00\x04\x00\x01\x00\x01", 6)) << FileError::Damaged;
    QTest::newRow("RLE8 BMP with a literal run, a jump and its end code (control)")
        << rle8File(QByteArray("\x00\x03\x01\x02\x03\x00\x00\x02\x01\x01\x00\x01", 12))
        << FileError::None;
    QByteArray rle4 = rle8File(QByteArray("\x00\x05\x12\x34\x50\x00\x00\x01", 8));
    rle4[30] = 2; // RLE4: five pixels of literal take three bytes, padded to four
    rle4[28] = 4;
    QTest::newRow("RLE4 BMP with its end code (control)") << rle4 << FileError::None;
    QTest::newRow("RLE4 BMP cut inside a literal run")
        << rle4.left(rle4.size() - 4) << FileError::Damaged;
}

void TstDamagedPictures::refusesCutShortFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    const QString path = dir.write(QStringLiteral("cut"), content);
    const PictureLoad load = loadPictureFile(path);
    QCOMPARE(load.status.error, expected);
    QCOMPARE(load.image.isNull(), expected != FileError::None);
    if (expected == FileError::Damaged)
        QVERIFY(load.status.message().contains(QLatin1String("damaged or incomplete")));
}

void TstDamagedPictures::gifScreenIsWhatIsCapped_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<FileError>("expected");
    QTest::newRow("65535 x 900 screen around a small frame") << 65535 << 900 << FileError::TooLarge;
    QTest::newRow("16000 x 16000 screen") << 16000 << 16000 << FileError::TooLarge;
    QTest::newRow("16385 x 1 screen") << 16385 << 1 << FileError::TooLarge;
    QTest::newRow("8192 x 8193 screen, past 64 megapixels") << 8192 << 8193 << FileError::TooLarge;
    QTest::newRow("300 x 200 screen (control)") << 300 << 200 << FileError::None;
}

void TstDamagedPictures::gifScreenIsWhatIsCapped()
{
    // Qt reports the first frame's size but hands back the whole screen.
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    const QString path = dir.write(QStringLiteral("screen.gif"), gifWithScreen(width, height));

    const PictureLoad load = loadPictureFile(path);
    QCOMPARE(load.status.error, expected);
    if (expected == FileError::None)
        QCOMPARE(load.image.size(), QSize(width, height));

    int w = -1;
    int h = -1;
    const ScaledPicture scaled = LoadScaledPicture(path, w, h, qRgb(1, 2, 3), false);
    QCOMPARE(scaled.error.number, expected == FileError::None ? 0 : kErrorPictureTooLarge);

    FileStatus detail;
    const int status =
        ConvertPictureFile(path, dir.file(QStringLiteral("out.bmp")), kConvertBmp, &detail);
    QCOMPARE(FileError(status), expected);
    if (expected != FileError::None) {
        QCOMPARE(detail.path, path); // the source is named, not the destination
        QVERIFY(!QFileInfo::exists(dir.file(QStringLiteral("out.bmp"))));
    }
}

void TstDamagedPictures::runLengthRowsAreClearedWhole()
{
    // 61 pixels a row leaves 3 bytes of padding in each row of the decoded picture: whole rows
    // must be defined, not only the pixels. Freed blocks of the same size filled with 0xAA make
    // a stale heap likely to show through.
    const QByteArray file = rle8File(QByteArray("\x04\x05\x00\x01", 4), 61);
    TempAppFolder dir;
    const QString path = dir.write(QStringLiteral("rle.bmp"), file);
    for (int i = 0; i < 8; ++i) {
        QByteArray stale(64 * 64, char(0xAA));
        stale.detach();
    }

    const PictureLoad load = loadPictureFile(path);
    QVERIFY2(load.ok(), qPrintable(load.status.message()));
    QCOMPARE(load.image.format(), QImage::Format_Indexed8);
    QCOMPARE(load.image.bytesPerLine(), 64);
    for (int y = 0; y < load.image.height(); ++y) {
        const uchar *row = load.image.constScanLine(y);
        for (int x = 61; x < 64; ++x)
            QCOMPARE(int(row[x]), 0);
    }
}

void TstDamagedPictures::jpegDamageIsSeenWhateverTheLogging_data()
{
    QTest::addColumn<QString>("rules");
    QTest::newRow("JPEG warnings switched off") << "qt.gui.imageio.jpeg.warning=false";
    QTest::newRow("every warning switched off") << "*.warning=false\n*.debug=false";
}

void TstDamagedPictures::jpegDamageIsSeenWhateverTheLogging()
{
    QFETCH(QString, rules);
    const QByteArray jpeg = encodedWithQt(detailedPicture(), "jpeg");
    const qsizetype scan = jpeg.indexOf("\xFF\xDA") + 12;
    TempAppFolder dir;
    const QString path = dir.write(QStringLiteral("reclosed.jpg"),
                                   jpeg.left((scan + jpeg.size()) / 2) + QByteArray("\xFF\xD9", 2));
    QLoggingCategory::setFilterRules(rules);
    const PictureLoad load = loadPictureFile(path);
    QLoggingCategory::setFilterRules(QString());
    QCOMPARE(load.status.error, FileError::Damaged);
    QVERIFY(load.image.isNull());
}

void TstDamagedPictures::refusesJpegWithTooManyScans_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("scans");
    QTest::addColumn<FileError>("expected");
    const QSize small(96, 80);
    QTest::newRow("100 scans") << small << 100 << FileError::None;
    QTest::newRow("101 scans") << small << 101 << FileError::Damaged;
    QTest::newRow("5000 scans") << small << 5000 << FileError::Damaged;
    // Each copy of the first scan is one more pass over every block: far more work than any
    // encoder's progression asks of a picture this large.
    const QSize large(2560, 2560);
    QTest::newRow("large, as the encoder wrote it") << large << 0 << FileError::None;
    QTest::newRow("large, 100 scans") << large << 100 << FileError::Damaged;
}

void TstDamagedPictures::refusesJpegWithTooManyScans()
{
    QFETCH(QSize, size);
    QFETCH(int, scans);
    QFETCH(FileError, expected);
    QImage picture = detailedPicture();
    if (size != picture.size())
        picture = picture.scaled(size);
    QByteArray jpeg = progressiveJpeg(picture);
    if (scans == 0)
        scans = int(jpeg.count(QByteArray("\xFF\xDA", 2)));
    jpeg = withScans(jpeg, scans);
    QCOMPARE(jpeg.count(QByteArray("\xFF\xDA", 2)), scans);
    TempAppFolder dir;
    const PictureLoad load = loadPictureFile(dir.write(QStringLiteral("scans.jpg"), jpeg));
    QCOMPARE(load.status.error, expected);
    QCOMPARE(load.image.isNull(), expected != FileError::None);
}

QTEST_GUILESS_MAIN(TstDamagedPictures)
#include "tst_damaged_pictures.moc"
