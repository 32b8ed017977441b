#include "imaging/gif_writer.h"

#include "support/temp_app_folder.h"

#include <QFile>
#include <QSet>
#include <QtTest>

#include <sys/stat.h>

using namespace camvista;
using namespace camvista::test;

namespace camvista
{
// Lets QCOMPARE print file errors by name (in the order of the enum).
inline char *toString(FileError error)
{
    static const char *const names[] = {
        "None",     "Missing", "NotAFile",       "Unreadable",  "NotAPicture",
        "TooLarge", "Damaged", "WriteProtected", "CannotWrite", "InvalidPicture"};
    const auto i = std::size_t(error);
    return qstrdup(i < std::size(names) ? names[i] : "?");
}
} // namespace camvista

Q_DECLARE_METATYPE(camvista::FileError)

namespace
{

constexpr QRgb kShades[4] = {0xff000000, 0xff808080, 0xffc0c0c0, 0xffffffff};

// A 160 x 144 frame: four shades in a pattern around a see-through 128 x 112 centre.
QImage shadesWithTransparentCentre()
{
    QImage image(160, 144, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, kShades[(x / 3 + y / 5 + x * y) % 4]);
    for (int y = 16; y < 128; ++y)
        for (int x = 16; x < 144; ++x)
            image.setPixel(x, y, 0x00000000);
    return image;
}

// count different opaque colours, spread over the picture, each used several times.
QImage manyColours(int count, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int i = (y * width + x) % count;
            image.setPixel(x, y, qRgb(i % 7 * 37, i / 7 % 7 * 37, i / 49 * 41));
        }
    return image;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QSet<QRgb> coloursOf(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            colours.insert(argb.pixel(x, y));
    return colours;
}

// First pixel where the loaded picture differs from what was meant; empty when none does.
// Fully transparent pixels match whatever colour they carry.
QString firstDifference(const QImage &loaded, const QImage &expected)
{
    if (loaded.size() != expected.size())
        return QStringLiteral("size %1 x %2").arg(loaded.width()).arg(loaded.height());
    const QImage a = loaded.convertToFormat(QImage::Format_ARGB32);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const bool same = qAlpha(q) == 0 ? qAlpha(p) == 0 : p == q;
            if (!same)
                return QStringLiteral("(%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(p, 8, 16, QLatin1Char('0'))
                    .arg(q, 8, 16, QLatin1Char('0'));
        }
    return {};
}

} // namespace

class TstGifWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesExactly_data();
    void writesExactly();
    void quantisesManyColours_data();
    void quantisesManyColours();
    void widestSideStillFits();
    void refusesBeforeWriting_data();
    void refusesBeforeWriting();
};

void TstGifWriter::writesExactly_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QImage>("expected");
    QTest::addColumn<int>("paletteSize"); // entries in the global colour table

    const QImage frame = shadesWithTransparentCentre();
    QTest::newRow("four shades, see-through centre") << frame << frame << 8;

    const QImage full = manyColours(256, 64, 48);
    QTest::newRow("256 opaque colours") << full << full << 256;

    QImage almostFull = manyColours(255, 40, 30);
    almostFull = almostFull.convertToFormat(QImage::Format_ARGB32);
    almostFull.setPixel(39, 29, 0x00123456);
    almostFull.setPixel(0, 0, 0x00000000);
    QTest::newRow("255 colours and transparency") << almostFull << almostFull << 256;

    QImage flat(9, 7, QImage::Format_RGB32);
    flat.fill(0xff808080);
    QTest::newRow("one colour") << flat << flat << 2;

    QImage dot(1, 1, QImage::Format_ARGB32);
    dot.fill(0x00000000);
    QTest::newRow("one transparent pixel") << dot << dot << 2;

    // Partly transparent pixels keep their colour and become opaque.
    QImage soft(4, 2, QImage::Format_ARGB32);
    soft.fill(0xffffffff);
    soft.setPixel(1, 0, 0x80c0c0c0);
    soft.setPixel(2, 1, 0x00808080);
    QImage hard = soft;
    hard.setPixel(1, 0, 0xffc0c0c0);
    QTest::newRow("half transparent turns opaque") << soft << hard << 4;

    // Another format with the same pixels writes the same picture.
    const QImage premultiplied = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QTest::newRow("premultiplied frame") << premultiplied << frame << 8;
    const QImage indexed = manyColours(5, 30, 20).convertToFormat(QImage::Format_Indexed8);
    QTest::newRow("indexed picture") << indexed << manyColours(5, 30, 20) << 8;
}

void TstGifWriter::writesExactly()
{
    QFETCH(QImage, image);
    QFETCH(QImage, expected);
    QFETCH(int, paletteSize);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("frame.gif"));

    const FileStatus status = saveGif(image, path);
    QVERIFY2(status.ok(), qPrintable(status.message()));
    QCOMPARE(status.path, path);

    const QByteArray bytes = readBytes(path);
    QVERIFY(bytes.size() > 13);
    QCOMPARE(bytes.left(6), QByteArray("GIF89a"));
    QCOMPARE(quint8(bytes[6]) | quint8(bytes[7]) << 8, image.width());
    QCOMPARE(quint8(bytes[8]) | quint8(bytes[9]) << 8, image.height());
    const quint8 packed = quint8(bytes[10]);
    QVERIFY2(packed & 0x80, "a global colour table");
    QCOMPARE(2 << (packed & 0x07), paletteSize);

    const PictureLoad load = loadPictureFile(path);
    QVERIFY2(load.ok(), qPrintable(load.status.message()));
    const QString difference = firstDifference(load.image, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TstGifWriter::quantisesManyColours_data()
{
    QTest::addColumn<QImage>("image");

    QTest::newRow("300 colours") << manyColours(300, 40, 30);
    QTest::newRow("257 colours") << manyColours(257, 100, 10);
    QImage transparent = manyColours(300, 40, 30).convertToFormat(QImage::Format_ARGB32);
    transparent.setPixel(5, 5, 0x00000000);
    QTest::newRow("300 colours and a transparent pixel") << transparent;
    QImage twoTransparent = manyColours(255, 40, 30).convertToFormat(QImage::Format_ARGB32);
    twoTransparent.setPixel(7, 3, 0x00000000);
    twoTransparent.setPixel(1, 2, 0x00ffffff);
    twoTransparent.setPixel(2, 2, 0xff010203); // the 256th colour: no room left for transparency
    QTest::newRow("256 colours and transparency") << twoTransparent;
}

void TstGifWriter::quantisesManyColours()
{
    QFETCH(QImage, image);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("many.gif"));

    const FileStatus status = saveGif(image, path);
    QVERIFY2(status.ok(), qPrintable(status.message()));
    const PictureLoad load = loadPictureFile(path);
    QVERIFY2(load.ok(), qPrintable(load.status.message()));
    QCOMPARE(load.image.size(), image.size());
    const QSet<QRgb> colours = coloursOf(load.image);
    QVERIFY2(colours.size() <= 256, qPrintable(QString::number(colours.size())));

    // Reduced, not scrambled: every pixel stays close to its colour, and none is see-through.
    const QImage got = load.image.convertToFormat(QImage::Format_ARGB32);
    const QImage want = image.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x) {
            const QRgb p = got.pixel(x, y), q = want.pixel(x, y);
            QCOMPARE(qAlpha(p), 255);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    QVERIFY2(worst <= 32, qPrintable(QStringLiteral("a channel off by %1").arg(worst)));
}

void TstGifWriter::widestSideStillFits()
{
    // The longest side a GIF can state; the loader's own cap is far below it, so read the header.
    QImage line(kMaxGifSide, 1, QImage::Format_RGB32);
    line.fill(0xffc0c0c0);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("wide.gif"));
    const FileStatus status = saveGif(line, path);
    QVERIFY2(status.ok(), qPrintable(status.message()));
    const QByteArray bytes = readBytes(path);
    QVERIFY(bytes.size() > 13);
    QCOMPARE(quint8(bytes[6]) | quint8(bytes[7]) << 8, kMaxGifSide);
    QCOMPARE(quint8(bytes[8]) | quint8(bytes[9]) << 8, 1);
}

void TstGifWriter::refusesBeforeWriting_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("oldFile");
    QTest::addColumn<int>("oldMode");
    QTest::addColumn<FileError>("expected");

    const QImage frame = shadesWithTransparentCentre();
    QImage wide(kMaxGifSide + 1, 1, QImage::Format_RGB32);
    wide.fill(0xff000000);
    QImage tall(1, kMaxGifSide + 1, QImage::Format_RGB32);
    tall.fill(0xff000000);
    const QString file = QStringLiteral("old.gif");

    QTest::newRow("null picture, new file")
        << QImage() << file << false << 0 << FileError::InvalidPicture;
    QTest::newRow("null picture over an old file")
        << QImage() << file << true << 0644 << FileError::InvalidPicture;
    QTest::newRow("65536 wide") << wide << file << true << 0644 << FileError::TooLarge;
    QTest::newRow("65536 high") << tall << file << false << 0 << FileError::TooLarge;
    QTest::newRow("missing folder")
        << frame << QStringLiteral("gone/frame.gif") << false << 0 << FileError::CannotWrite;
    QTest::newRow("read-only old file")
        << frame << file << true << 0444 << FileError::WriteProtected;
    QTest::newRow("a folder stands there")
        << frame << QStringLiteral("sub") << false << -1 << FileError::NotAFile;
}

void TstGifWriter::refusesBeforeWriting()
{
    QFETCH(QImage, image);
    QFETCH(QString, relativePath);
    QFETCH(bool, oldFile);
    QFETCH(int, oldMode);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    const QString path = dir.file(relativePath);
    // A real GIF stands there, so a damaged replacement would show.
    const QByteArray oldBytes = [] {
        TempAppFolder scratch;
        const QString p = scratch.file(QStringLiteral("x.gif"));
        QImage old(3, 2, QImage::Format_RGB32);
        old.fill(0xffffffff);
        return saveGif(old, p).ok() ? readBytes(p) : QByteArray();
    }();
    QVERIFY(!oldBytes.isEmpty());
    if (oldFile) {
        dir.write(relativePath, oldBytes);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(oldMode)), 0);
    }
    if (oldMode < 0)
        QVERIFY(QDir().mkdir(path));
    const QStringList before =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const FileStatus status = saveGif(image, path);
    QCOMPARE(status.error, expected);
    QCOMPARE(status.path, path);
    QVERIFY(!status.message().isEmpty());

    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             before);
    if (oldFile) {
        ::chmod(QFile::encodeName(path).constData(), 0644);
        QCOMPARE(readBytes(path), oldBytes);
    } else if (oldMode < 0) {
        QVERIFY(QFileInfo(path).isDir());
    } else {
        QVERIFY(!QFileInfo::exists(path));
    }
}

QTEST_GUILESS_MAIN(TstGifWriter)
#include "tst_gif_writer.moc"
