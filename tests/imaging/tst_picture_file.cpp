#include "imaging/picture_file.h"

#include "imaging_test_support.h"
#include "picture_bytes.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"

#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>
#include <QtTest>

#include <chrono>
#include <climits>
#include <cstdio> // before jpeglib.h
#include <fcntl.h>
#include <future>
#include <jpeglib.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace camvista;
using namespace camvista::test;

namespace
{

QImage pattern(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 50 + 3, y * 70 + 5, (x + y) * 20 + 7, 0x80));
    }
    return format == QImage::Format_ARGB32 ? image : image.convertToFormat(format);
}

QString writeWithQt(const TempAppFolder &dir, const QString &name, const QImage &image,
                    const QByteArray &format)
{
    const QString path = dir.file(name);
    QImageWriter writer(path, format);
    if (format == "jpeg")
        writer.setQuality(100);
    if (!writer.write(image))
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
    return path;
}

bool sameColours(const QImage &a, const QImage &b, int tolerance)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance ||
                std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance)
                return false;
        }
    }
    return true;
}

// A JPEG of one flat colour, stored as Adobe writes CMYK: each ink inverted.
QByteArray cmykJpeg(int width, int height, const uchar (&inverted)[4])
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.write_Adobe_marker = TRUE;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * 4);
    for (int x = 0; x < width; ++x)
        std::copy(std::begin(inverted), std::end(inverted), row.begin() + x * 4);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

} // namespace

class TstPictureFile : public QObject
{
    Q_OBJECT

private slots:
    void emptyPathGivesEmptyPicture();
    void refusesBadContent_data();
    void refusesBadContent();
    void refusesWhatIsNotAFile_data();
    void refusesWhatIsNotAFile();
    void refusesUnreadableFiles_data();
    void refusesUnreadableFiles();
    void readsPictures_data();
    void readsPictures();
    void qtAllocationLimitReadsAsTooLarge();
    void pathWithNulIsMissing();
    void readsCmykJpegAsQtDoes();
    void decodesAtTheSizeNeeded_data();
    void decodesAtTheSizeNeeded();
    void savesBmpRows_data();
    void savesBmpRows();
    void savesBmpHeader_data();
    void savesBmpHeader();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void messagesNameTheFile_data();
    void messagesNameTheFile();
};

void TstPictureFile::emptyPathGivesEmptyPicture()
{
    const PictureLoad load = loadPictureFile(QString());
    QVERIFY(load.ok());
    QVERIFY(load.image.isNull());
}

void TstPictureFile::refusesBadContent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<FileError>("expected");

    const QByteArray px48(48, '\x7F'); // 4 x 4 pixels at 24 bits: rows of 12 bytes
    QTest::newRow("empty file") << "a.bmp" << QByteArray() << FileError::NotAPicture;
    QTest::newRow("garbage") << "a.jpg" << QByteArray("this is no picture at all")
                             << FileError::NotAPicture;
    QTest::newRow("XBM text named .png")
        << "a.png"
        << QByteArray("#define a_width 2\n#define a_height 2\n"
                      "static unsigned char a_bits[] = { 0x01, 0x02 };\n")
        << FileError::NotAPicture;
    QTest::newRow("PBM named .bmp")
        << "a.bmp" << QByteArray("P1\n2 2\n1 0\n0 1\n") << FileError::NotAPicture;
    QTest::newRow("BMP signature only") << "a.bmp" << QByteArray("BM") << FileError::Damaged;
    QTest::newRow("BMP pixel data one byte short")
        << "a.bmp" << bmpFile(4, 4, 24, px48.left(47)) << FileError::Damaged;
    QTest::newRow("BMP without pixel data")
        << "a.bmp" << bmpFile(4, 4, 24, {}) << FileError::Damaged;
    QTest::newRow("BMP top-down, data short")
        << "a.bmp" << bmpFile(4, -4, 24, px48.left(36)) << FileError::Damaged;
    QTest::newRow("BMP pixel offset past the data")
        << "a.bmp" << bmpFile(4, 4, 24, px48, 54).replace(10, 4, QByteArray("\xE8\x03\0\0", 4))
        << FileError::Damaged;
    QTest::newRow("BMP 8-bit without its palette")
        << "a.bmp" << bmpFile(4, 4, 8, QByteArray(16, '\1')) << FileError::Damaged;
    QTest::newRow("BMP claiming 30000 x 30000")
        << "a.bmp" << bmpFile(30000, 30000, 24, px48) << FileError::TooLarge;
    QTest::newRow("BMP claiming 30000 x -30000")
        << "a.bmp" << bmpFile(30000, -30000, 24, px48) << FileError::TooLarge;
    QTest::newRow("BMP 16385 wide")
        << "a.bmp" << bmpFile(16385, 1, 24, px48) << FileError::TooLarge;
    QTest::newRow("BMP 8193 x 8193, over 64 megapixels")
        << "a.bmp" << bmpFile(8193, 8193, 24, px48) << FileError::TooLarge;
    QTest::newRow("BMP 8192 x 8192 is allowed, but this one is short")
        << "a.bmp" << bmpFile(8192, 8192, 24, px48) << FileError::Damaged;
    QTest::newRow("BMP height INT_MIN")
        << "a.bmp" << bmpFile(4, INT_MIN, 24, px48) << FileError::Damaged;
    QTest::newRow("BMP width 0") << "a.bmp" << bmpFile(0, 4, 24, px48) << FileError::Damaged;
    QTest::newRow("BMP negative width")
        << "a.bmp" << bmpFile(-4, 4, 24, px48) << FileError::Damaged;
    QTest::newRow("BMP 7 bits per pixel")
        << "a.bmp" << bmpFile(4, 4, 7, px48) << FileError::Damaged;
    QTest::newRow("BMP unknown header size")
        << "a.bmp" << bmpFile(4, 4, 24, px48, 54, 20) << FileError::Damaged;
    QTest::newRow("PNG claiming 20000 x 20000")
        << "a.png" << pngFile(20000, 20000, true) << FileError::TooLarge;
    QTest::newRow("PNG cut after its header")
        << "a.png" << pngFile(4, 4, false) << FileError::Damaged;
    QTest::newRow("PNG with broken image data")
        << "a.png" << pngFile(4, 4, true) << FileError::Damaged;
    QTest::newRow("GIF signature only") << "a.gif" << QByteArray("GIF89a") << FileError::Damaged;
    QTest::newRow("JPEG signature and garbage")
        << "a.jpg" << QByteArray("\xFF\xD8\xFF\xE0 and then nothing useful") << FileError::Damaged;
}

void TstPictureFile::refusesBadContent()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    const QString path = dir.write(name, content);

    const PictureLoad load = loadPictureFile(path);
    QCOMPARE(load.status.error, expected);
    QCOMPARE(load.status.path, path);
    QVERIFY(load.image.isNull());
}

void TstPictureFile::refusesWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<FileError>("expected");

    QTest::newRow("folder") << "folder" << FileError::NotAFile;
    QTest::newRow("named pipe") << "pipe" << FileError::NotAFile;
    QTest::newRow("device /dev/zero") << "/dev/zero" << FileError::NotAFile;
    QTest::newRow("missing file") << "missing" << FileError::Missing;
    QTest::newRow("missing folder on the way") << "missing folder" << FileError::Missing;
    QTest::newRow("a file used as a folder") << "file as folder" << FileError::Missing;
}

void TstPictureFile::refusesWhatIsNotAFile()
{
    QFETCH(QString, kind);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    QString path = dir.file(QStringLiteral("thing.bmp"));
    if (kind == QStringLiteral("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QStringLiteral("pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (kind.startsWith(QLatin1Char('/'))) {
        path = kind;
    } else if (kind == QStringLiteral("missing folder")) {
        path = dir.file(QStringLiteral("nowhere/thing.bmp"));
    } else if (kind == QStringLiteral("file as folder")) {
        path = dir.write(QStringLiteral("plain.txt"), "text") + QStringLiteral("/thing.bmp");
    }

    // A reader that opened the pipe would wait for a writer for ever: run it aside, and let it
    // go should it hang.
    auto pending = std::async(std::launch::async, [path] { return loadPictureFile(path); });
    if (pending.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        QFAIL("the loader blocked");
    }
    const PictureLoad load = pending.get();
    QCOMPARE(load.status.error, expected);
    QVERIFY(load.image.isNull());
}

void TstPictureFile::refusesUnreadableFiles_data()
{
    QTest::addColumn<bool>("closedFolder");
    QTest::addColumn<bool>("closedFile");
    QTest::addColumn<FileError>("expected");

    QTest::newRow("readable file (control)") << false << false << FileError::None;
    QTest::newRow("file without read permission") << false << true << FileError::Unreadable;
    QTest::newRow("file in a folder closed to us") << true << false << FileError::Unreadable;
}

void TstPictureFile::refusesUnreadableFiles()
{
    QFETCH(bool, closedFolder);
    QFETCH(bool, closedFile);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    const QString why = openToOthers(dir.path());
    if (!why.isEmpty())
        QSKIP(qPrintable(why));
    const QString folder = dir.file(QStringLiteral("pictures"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(setMode(folder, kMode0755));
    const QString path =
        writeWithQt(dir, QStringLiteral("pictures/shot.bmp"), pattern(3, 2), "bmp");
    QVERIFY(setMode(path, closedFile ? QFileDevice::Permissions() : kMode0444));
    if (closedFolder)
        QVERIFY(setMode(folder, QFileDevice::Permissions()));

    const ProbeRun run = runProbe({QStringLiteral("load"), path}, true);
    setMode(folder, kMode0755);
    setMode(path, kMode0444);
    if (run.skipped)
        QSKIP(qPrintable(run.why));
    QVERIFY2(run.ok, qPrintable(run.why));
    QCOMPARE(run.error, expected);
}

void TstPictureFile::readsPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("qtFormat"); // written by QImageWriter, or empty: `bytes`
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QImage>("expected");
    QTest::addColumn<int>("tolerance");

    const QImage shot = pattern(5, 3);
    QTest::newRow("BMP written by Qt") << "a.bmp" << QByteArray("bmp") << QByteArray() << shot << 0;
    QTest::newRow("PNG written by Qt") << "a.png" << QByteArray("png") << QByteArray() << shot << 0;
    QImage flat(16, 16, QImage::Format_RGB32);
    flat.fill(qRgb(200, 120, 40));
    QTest::newRow("JPEG written by Qt")
        << "a.jpg" << QByteArray("jpeg") << QByteArray() << flat << 4;
    QTest::newRow("PNG content named .gif")
        << "a.gif" << QByteArray("png") << QByteArray() << shot << 0;

    QImage fourColours(2, 2, QImage::Format_RGB32);
    fourColours.setPixel(0, 0, qRgb(255, 0, 0));
    fourColours.setPixel(1, 0, qRgb(0, 255, 0));
    fourColours.setPixel(0, 1, qRgb(0, 0, 255));
    fourColours.setPixel(1, 1, qRgb(255, 255, 255));
    QTest::newRow("GIF made by hand")
        << "a.gif" << QByteArray() << handMadeGif() << fourColours << 0;

    // Rows of 2 pixels (6 bytes) padded to 8; blue, green, red per pixel.
    const QByteArray top("\x00\x00\xFF\x00\xFF\x00\0\0", 8);
    const QByteArray bottom("\xFF\x00\x00\xFF\xFF\xFF\0\0", 8);
    QTest::newRow("BMP stored top-down")
        << "a.bmp" << QByteArray() << bmpFile(2, -2, 24, top + bottom) << fourColours << 0;
    QTest::newRow("BMP stored bottom-up")
        << "a.bmp" << QByteArray() << bmpFile(2, 2, 24, bottom + top) << fourColours << 0;
    // Four pixels of index 5 at the start of the bottom row, then the data stops: everything
    // the data never reached must be index 0, not whatever the memory held.
    QImage rle(64, 64, QImage::Format_RGB32);
    rle.fill(qRgb(20, 20, 20));
    for (int x = 0; x < 4; ++x)
        rle.setPixel(x, 63, qRgb(170, 170, 170));
    QTest::newRow("BMP RLE8 whose data ends early")
        << "a.bmp" << QByteArray() << rle8File(QByteArray("\x04\x05\x00\x00\x00\x01", 6)) << rle
        << 0;
    QTest::newRow("BMP RLE8 with an end-of-bitmap mark")
        << "a.bmp" << QByteArray() << rle8File(QByteArray("\x04\x05\x00\x01", 4)) << rle << 0;
    QTest::newRow("BMP with pixels at offset 58")
        << "a.bmp" << QByteArray() << bmpFile(2, 2, 24, bottom + top, 58) << fourColours << 0;
}

void TstPictureFile::readsPictures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, qtFormat);
    QFETCH(QByteArray, bytes);
    QFETCH(QImage, expected);
    QFETCH(int, tolerance);
    TempAppFolder dir;
    const QString path =
        qtFormat.isEmpty() ? dir.write(name, bytes) : writeWithQt(dir, name, expected, qtFormat);

    const PictureLoad load = loadPictureFile(path);
    QVERIFY2(load.ok(), qPrintable(load.status.message()));
    QCOMPARE(load.image.size(), expected.size());
    if (tolerance == 0)
        QCOMPARE(load.image.convertToFormat(QImage::Format_RGB32), expected);
    else
        QVERIFY(sameColours(load.image, expected, tolerance));
}

void TstPictureFile::qtAllocationLimitReadsAsTooLarge()
{
    // Qt's own limit stays on and may be lower than the program's cap: a picture refused by
    // it is too large, not damaged.
    TempAppFolder dir;
    const QString path = writeWithQt(dir, QStringLiteral("wide.png"), pattern(1024, 512), "png");
    const int before = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1); // megabytes; the picture needs 2
    const PictureLoad refusedLoad = loadPictureFile(path);
    QImageReader::setAllocationLimit(before);
    QCOMPARE(refusedLoad.status.error, FileError::TooLarge);
    QVERIFY(refusedLoad.image.isNull());
    QVERIFY(loadPictureFile(path).ok());
}

void TstPictureFile::pathWithNulIsMissing()
{
    // The system calls would read the name only up to the NUL, and open a.bmp.
    TempAppFolder dir;
    const QString real = writeWithQt(dir, QStringLiteral("a.bmp"), pattern(3, 2), "bmp");
    const QString path = real + QChar(0) + QStringLiteral(".txt");
    const PictureLoad load = loadPictureFile(path);
    QCOMPARE(load.status.error, FileError::Missing);
    QVERIFY(load.image.isNull());
    QVERIFY(load.status.message().contains(QLatin1String("could not be found")));
}

void TstPictureFile::readsCmykJpegAsQtDoes()
{
    // Inverted inks 255, 128, 0 at full (inverted) black: red 255, green 128, blue 0.
    const uchar inks[4] = {255, 128, 0, 255};
    TempAppFolder dir;
    const QString path = dir.write(QStringLiteral("cmyk.jpg"), cmykJpeg(24, 16, inks));
    const PictureLoad load = loadPictureFile(path);
    QVERIFY2(load.ok(), qPrintable(load.status.message()));
    const QImage byQt = QImageReader(path).read();
    QCOMPARE(load.image.size(), QSize(24, 16));
    QVERIFY(sameColours(load.image, byQt.convertToFormat(QImage::Format_RGB32), 1));
    const QRgb p = load.image.pixel(12, 8);
    QVERIFY2(std::abs(qRed(p) - 255) <= 2 && std::abs(qGreen(p) - 128) <= 2 && qBlue(p) <= 2,
             qPrintable(QString::number(p, 16)));
}

void TstPictureFile::decodesAtTheSizeNeeded_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("atLeast");
    QTest::addColumn<QSize>("expected");

    const QByteArray jpeg("jpeg");
    QTest::newRow("JPEG, no size asked") << jpeg << QSize(640, 480) << QSize() << QSize(640, 480);
    QTest::newRow("JPEG for 128 x 112: a half")
        << jpeg << QSize(640, 480) << QSize(128, 112) << QSize(320, 240);
    QTest::newRow("JPEG for 80 x 60: a quarter")
        << jpeg << QSize(640, 480) << QSize(80, 60) << QSize(160, 120);
    QTest::newRow("JPEG for 40 x 30: an eighth")
        << jpeg << QSize(640, 480) << QSize(40, 30) << QSize(80, 60);
    QTest::newRow("JPEG, odd sides rounded up")
        << jpeg << QSize(641, 479) << QSize(40, 30) << QSize(81, 60);
    QTest::newRow("JPEG, the taller side decides")
        << jpeg << QSize(640, 480) << QSize(40, 100) << QSize(320, 240);
    QTest::newRow("JPEG already small: whole")
        << jpeg << QSize(200, 150) << QSize(128, 112) << QSize(200, 150);
    QTest::newRow("PNG: always whole")
        << QByteArray("png") << QSize(640, 480) << QSize(40, 30) << QSize(640, 480);
}

void TstPictureFile::decodesAtTheSizeNeeded()
{
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QFETCH(QSize, atLeast);
    QFETCH(QSize, expected);
    TempAppFolder dir;
    const QImage picture = photograph(size.width(), size.height());
    const QString path = writeWithQt(dir, QStringLiteral("photo"), picture, format);

    const PictureLoad load = loadPictureFile(path, atLeast);
    QVERIFY2(load.ok(), qPrintable(load.status.message()));
    QCOMPARE(load.image.size(), expected);
    // The shrunk picture is the picture: compared with a smooth shrink of the original.
    const QImage reference =
        picture.scaled(expected, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 difference = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x)
            difference += std::abs(qGray(load.image.pixel(x, y)) - qGray(reference.pixel(x, y)));
    }
    QVERIFY2(difference < 8 * qint64(expected.width()) * expected.height(),
             qPrintable(QString::number(difference)));
}

void TstPictureFile::savesBmpRows_data()
{
    QTest::addColumn<QImage>("image");

    QTest::newRow("1 x 1") << pattern(1, 1);
    QTest::newRow("2 x 2, rows padded by 2") << pattern(2, 2);
    QTest::newRow("3 x 2, rows padded by 3") << pattern(3, 2);
    QTest::newRow("4 x 3, rows not padded") << pattern(4, 3);
    QTest::newRow("5 x 3, rows padded by 1") << pattern(5, 3);
    QTest::newRow("semi-transparent ARGB32 keeps its colours")
        << pattern(3, 3, QImage::Format_ARGB32);
    QTest::newRow("RGB888") << pattern(3, 2, QImage::Format_RGB888);
    QTest::newRow("Indexed8") << pattern(3, 2, QImage::Format_Indexed8);
}

void TstPictureFile::savesBmpRows()
{
    QFETCH(QImage, image);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("out.bmp"));
    const FileStatus status = savePictureBmp(image, path);
    QVERIFY2(status.ok(), qPrintable(status.message()));

    const QByteArray bytes = readBytes(path);
    const int rowBytes = (image.width() * 3 + 3) / 4 * 4;
    QCOMPARE(bytes.size(), 54 + rowBytes * image.height());
    // Bottom row first, blue-green-red, zero padding.
    for (int y = 0; y < image.height(); ++y) {
        const QByteArray row = bytes.mid(54 + (image.height() - 1 - y) * rowBytes, rowBytes);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            QCOMPARE(quint8(row[3 * x]), quint8(qBlue(p)));
            QCOMPARE(quint8(row[3 * x + 1]), quint8(qGreen(p)));
            QCOMPARE(quint8(row[3 * x + 2]), quint8(qRed(p)));
        }
        QCOMPARE(row.mid(3 * image.width()), QByteArray(rowBytes - 3 * image.width(), '\0'));
    }

    const PictureLoad back = loadPictureFile(path);
    QVERIFY2(back.ok(), qPrintable(back.status.message()));
    QCOMPARE(back.image.convertToFormat(QImage::Format_RGB32),
             image.convertToFormat(QImage::Format_ARGB32).convertToFormat(QImage::Format_RGB32));
}

void TstPictureFile::savesBmpHeader_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("value");

    // A 3 x 2 picture: rows of 9 bytes padded to 12.
    QTest::newRow("signature 'BM'") << 0 << 2 << qint64(0x4D42);
    QTest::newRow("file size") << 2 << 4 << qint64(54 + 24);
    QTest::newRow("reserved") << 6 << 4 << qint64(0);
    QTest::newRow("pixel offset") << 10 << 4 << qint64(54);
    QTest::newRow("info header size") << 14 << 4 << qint64(40);
    QTest::newRow("width") << 18 << 4 << qint64(3);
    QTest::newRow("height, positive: bottom-up") << 22 << 4 << qint64(2);
    QTest::newRow("planes") << 26 << 2 << qint64(1);
    QTest::newRow("bits per pixel") << 28 << 2 << qint64(24);
    QTest::newRow("compression: none") << 30 << 4 << qint64(0);
    QTest::newRow("image size") << 34 << 4 << qint64(24);
    QTest::newRow("horizontal resolution") << 38 << 4 << qint64(2835);
    QTest::newRow("vertical resolution") << 42 << 4 << qint64(3780);
    QTest::newRow("colours used") << 46 << 4 << qint64(0);
    QTest::newRow("important colours") << 50 << 4 << qint64(0);
}

void TstPictureFile::savesBmpHeader()
{
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(qint64, value);
    QImage image = pattern(3, 2);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(3780);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("out.bmp"));
    QVERIFY(savePictureBmp(image, path).ok());

    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes.size(), 78);
    const auto *at = reinterpret_cast<const uchar *>(bytes.constData()) + offset;
    const qint64 actual =
        size == 2 ? qint64(qFromLittleEndian<quint16>(at)) : qint64(qFromLittleEndian<quint32>(at));
    QCOMPARE(actual, value);
}

void TstPictureFile::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<FileError>("expected");

    QTest::newRow("read-only old file")
        << pattern(2, 2) << "old.bmp" << true << FileError::WriteProtected;
    QTest::newRow("missing folder")
        << pattern(2, 2) << "gone/old.bmp" << false << FileError::CannotWrite;
    QTest::newRow("null picture") << QImage() << "old.bmp" << false << FileError::InvalidPicture;
    QTest::newRow("picture wider than the cap")
        << QImage(16385, 1, QImage::Format_RGB32) << "old.bmp" << false << FileError::TooLarge;
}

void TstPictureFile::failedSaveKeepsTheOldFile()
{
    QFETCH(QImage, image);
    QFETCH(QString, relativePath);
    QFETCH(bool, readOnly);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    const QByteArray old = bmpFile(1, 1, 24, QByteArray("\1\2\3\0", 4));
    const QString oldPath = dir.write(QStringLiteral("old.bmp"), old);
    if (readOnly)
        QVERIFY(setMode(oldPath, kMode0444));
    const QString path = dir.file(relativePath);

    const FileStatus status = savePictureBmp(image, path);
    QCOMPARE(status.error, expected);
    QCOMPARE(status.path, path);
    QCOMPARE(readBytes(oldPath), old);
    QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("old.bmp")});
}

void TstPictureFile::messagesNameTheFile_data()
{
    QTest::addColumn<FileError>("error");
    QTest::addColumn<QString>("detail");

    QTest::newRow("Missing") << FileError::Missing << QString();
    QTest::newRow("NotAFile") << FileError::NotAFile << QString();
    QTest::newRow("Unreadable") << FileError::Unreadable << QStringLiteral("Permission denied");
    QTest::newRow("NotAPicture") << FileError::NotAPicture << QString();
    QTest::newRow("TooLarge") << FileError::TooLarge << QString();
    QTest::newRow("Damaged") << FileError::Damaged << QString();
    QTest::newRow("WriteProtected") << FileError::WriteProtected << QString();
    QTest::newRow("CannotWrite") << FileError::CannotWrite
                                 << QStringLiteral("No space left on device");
    QTest::newRow("InvalidPicture") << FileError::InvalidPicture << QString();
}

void TstPictureFile::messagesNameTheFile()
{
    QFETCH(FileError, error);
    QFETCH(QString, detail);
    // A name with %1 in it must come out as written.
    const FileStatus status{error, QStringLiteral("/some/folder/shot %1 of 2.bmp"), detail};
    const QString text = status.message();
    QVERIFY2(text.contains(QStringLiteral("\u201Cshot %1 of 2.bmp\u201D")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("/some/folder")), qPrintable(text));
    QVERIFY2(text.endsWith(QLatin1Char('.')), qPrintable(text));
    if (!detail.isEmpty())
        QVERIFY2(text.contains(detail), qPrintable(text));
    const FileStatus fine{FileError::None, status.path, {}};
    QVERIFY(fine.message().isEmpty());
}

QTEST_GUILESS_MAIN(TstPictureFile)
#include "tst_picture_file.moc"
