#include "imaging/picture_files.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace camvista;

namespace
{

constexpr QRgb kBack = 0xff204060;

QString writePng(const QTemporaryDir &dir, const QString &name, const QImage &image)
{
    const QString path = dir.filePath(name);
    if (!image.save(path, "PNG"))
        return {};
    return path;
}

QImage solid(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// A picture whose pixels all differ, so an exact copy can be told from a resampled one.
QImage gradient(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) * 3 % 256));
    return img;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint32 le32(const QByteArray &b, int at)
{
    return qFromLittleEndian<qint32>(b.constData() + at);
}

quint16 le16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

QByteArray jpegBytes(const QImage &image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

} // namespace

class TstPictureFiles : public QObject
{
    Q_OBJECT

private slots:
    void ownSizeWhenEitherSideIsMinusOne_data();
    void ownSizeWhenEitherSideIsMinusOne();
    void keepRatioDrawsTopLeftOverTheBackColour_data();
    void keepRatioDrawsTopLeftOverTheBackColour();
    void stretchFillsTheWholeCanvasBicubically();
    void unreadableFileGivesError999_data();
    void unreadableFileGivesError999();
    void formatCodesChooseTheEncoder_data();
    void formatCodesChooseTheEncoder();
    void bmpOfAPictureWithAlphaByteByByte();
    void bmpOfAnOpaquePictureIs24Bit();
    void pngAndGifKeepThePixels();
    void failedConversionReportsAndKeepsTheOldFile_data();
    void failedConversionReportsAndKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
};

void TstPictureFiles::ownSizeWhenEitherSideIsMinusOne_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("width -1, height 50") << -1 << 50;
    QTest::newRow("width 50, height -1") << 50 << -1;
    QTest::newRow("both -1") << -1 << -1;
}

void TstPictureFiles::ownSizeWhenEitherSideIsMinusOne()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const QImage source = gradient(37, 23);
    const QString path = writePng(m_dir, QStringLiteral("own.png"), source);
    const ScaledPicture scaled = LoadScaledPicture(path, width, height, kBack, false);
    QVERIFY(scaled.ok());
    QCOMPARE(width, 37);
    QCOMPARE(height, 23);
    // At its own size the picture is copied, not resampled.
    QCOMPARE(scaled.picture.convertToFormat(QImage::Format_RGB32), source);
}

void TstPictureFiles::keepRatioDrawsTopLeftOverTheBackColour_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("drawn");
    QTest::newRow("200x100 into 160x144") << QSize(200, 100) << QSize(160, 144) << QSize(160, 80);
    QTest::newRow("tall into wide") << QSize(50, 100) << QSize(160, 144) << QSize(72, 144);
    QTest::newRow("equal proportions") << QSize(100, 50) << QSize(60, 30) << QSize(60, 30);
    // f = 2.5 and a box one pixel high: 2.5 rounds to 2, 7.5 (three high) to 8.
    QTest::newRow("half goes down to even") << QSize(5, 2) << QSize(9, 1) << QSize(2, 1);
    QTest::newRow("half goes up to even") << QSize(5, 2) << QSize(9, 3) << QSize(8, 3);
}

void TstPictureFiles::keepRatioDrawsTopLeftOverTheBackColour()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, box);
    QFETCH(QSize, drawn);
    const QString path = writePng(m_dir, QStringLiteral("ratio.png"),
                                  solid(picture.width(), picture.height(), qRgb(250, 10, 10)));
    int width = box.width();
    int height = box.height();
    const ScaledPicture scaled = LoadScaledPicture(path, width, height, kBack, true);
    QVERIFY(scaled.ok());
    QCOMPARE(scaled.picture.size(), box);
    QCOMPARE(width, box.width());
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x) {
            const QRgb p = scaled.picture.pixel(x, y);
            if (x < drawn.width() && y < drawn.height())
                QVERIFY2(qRed(p) >= 245 && qGreen(p) <= 20, qPrintable(QString::number(p, 16)));
            else
                QCOMPARE(p, kBack);
        }
}

void TstPictureFiles::stretchFillsTheWholeCanvasBicubically()
{
    // A black and a white pixel stretched to 8 x 1: a bicubic filter passes through greys (and
    // Catmull-Rom stays inside the range at the clamped ends).
    QImage step(2, 1, QImage::Format_RGB32);
    step.setPixel(0, 0, qRgb(0, 0, 0));
    step.setPixel(1, 0, qRgb(255, 255, 255));
    const QString path = writePng(m_dir, QStringLiteral("step.png"), step);
    int width = 8;
    int height = 1;
    const ScaledPicture scaled = LoadScaledPicture(path, width, height, kBack, false);
    QVERIFY(scaled.ok());
    QCOMPARE(scaled.picture.size(), QSize(8, 1));
    QCOMPARE(qRed(scaled.picture.pixel(0, 0)), 0);
    QCOMPARE(qRed(scaled.picture.pixel(7, 0)), 255);
    int greys = 0;
    int previous = -1;
    for (int x = 0; x < 8; ++x) {
        const int v = qRed(scaled.picture.pixel(x, 0));
        QVERIFY(v >= previous);
        previous = v;
        greys += v > 0 && v < 255;
        QVERIFY(scaled.picture.pixel(x, 0) != kBack);
    }
    QVERIFY(greys >= 2);
}

void TstPictureFiles::unreadableFileGivesError999_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("empty path") << QString();
    QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("nothing.png"));
    QFile text(m_dir.filePath(QStringLiteral("words.png")));
    text.open(QIODevice::WriteOnly);
    text.write("not a picture at all");
    text.close();
    QTest::newRow("not a picture") << text.fileName();
    QTest::newRow("a folder") << m_dir.path();
}

void TstPictureFiles::unreadableFileGivesError999()
{
    QFETCH(QString, path);
    int width = 33;
    int height = -1;
    const ScaledPicture scaled = LoadScaledPicture(path, width, height, kBack, true);
    QVERIFY(!scaled.ok());
    QVERIFY(scaled.picture.isNull());
    QCOMPARE(scaled.error.number, 999);
    QCOMPARE(scaled.error.source, QStringLiteral("GDI+ Module"));
    QCOMPARE(scaled.error.description, QStringLiteral("Error loading picture ") + path);
    QCOMPARE(width, 33);
    QCOMPARE(height, -1);
}

void TstPictureFiles::formatCodesChooseTheEncoder_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<int>("quality"); // JPEG only
    QTest::newRow("0 BMP") << 0 << QByteArray("BM") << -1;
    QTest::newRow("1 PNG") << 1 << QByteArray("\x89PNG") << -1;
    QTest::newRow("2 GIF") << 2 << QByteArray("GIF8") << -1;
    QTest::newRow("3 JPEG quality 3") << 3 << QByteArray("\xff\xd8") << 3;
    QTest::newRow("90 JPEG quality 90") << 90 << QByteArray("\xff\xd8") << 90;
    QTest::newRow("-1 JPEG quality 0") << -1 << QByteArray("\xff\xd8") << 0;
    QTest::newRow("-3 JPEG quality 2") << -3 << QByteArray("\xff\xd8") << 2;
    QTest::newRow("-101 JPEG quality 100") << -101 << QByteArray("\xff\xd8") << 100;
}

void TstPictureFiles::formatCodesChooseTheEncoder()
{
    QFETCH(int, code);
    QFETCH(QByteArray, signature);
    QFETCH(int, quality);
    const QImage source = gradient(64, 48);
    const QString from = writePng(m_dir, QStringLiteral("source.png"), source);
    const QString to = m_dir.filePath(QStringLiteral("converted_%1").arg(code));
    QCOMPARE(ConvertPictureFile(from, to, code), kConvertOk);
    const QByteArray bytes = readAll(to);
    QVERIFY(bytes.startsWith(signature));
    if (quality >= 0) {
        QCOMPARE(jpegQualityOfCode(code), quality);
        // Byte for byte what the encoder gives at that quality, and not at another one.
        QCOMPARE(bytes, jpegBytes(source, quality));
        QVERIFY(bytes != jpegBytes(source, quality < 50 ? quality + 5 : quality - 5));
    }
}

void TstPictureFiles::bmpOfAPictureWithAlphaByteByByte()
{
    QImage stamp(3, 2, QImage::Format_ARGB32);
    const QRgb pixels[2][3] = {
        {qRgba(10, 20, 30, 255), qRgba(40, 50, 60, 128), qRgba(70, 80, 90, 0)},
        {qRgba(1, 2, 3, 4), qRgba(255, 254, 253, 252), qRgba(0, 0, 0, 0)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            stamp.setPixel(x, y, pixels[y][x]);
    const QString from = writePng(m_dir, QStringLiteral("stamp.png"), stamp);
    const QString to = m_dir.filePath(QStringLiteral("stamp.bmp"));
    QCOMPARE(ConvertPictureFile(from, to, kConvertBmp), kConvertOk);

    const QByteArray b = readAll(to);
    QCOMPARE(b.size(), 54 + 3 * 2 * 4);
    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(le32(b, 2), 54 + 24);
    QCOMPARE(le32(b, 10), 54);
    QCOMPARE(le32(b, 14), 40);
    QCOMPARE(le32(b, 18), 3);
    QCOMPARE(le32(b, 22), 2); // positive: bottom row first
    QCOMPARE(le16(b, 26), quint16(1));
    QCOMPARE(le16(b, 28), quint16(32));
    QCOMPARE(le32(b, 30), 0);
    QCOMPARE(le32(b, 34), 24);
    // Bottom row first, blue, green, red, straight alpha; no row padding.
    const uchar expected[] = {3,  2,  1,  4,   253, 254, 255, 252, 0,  0,  0,  0,
                              30, 20, 10, 255, 60,  50,  40,  128, 90, 80, 70, 0};
    QCOMPARE(b.mid(54), QByteArray(reinterpret_cast<const char *>(expected), sizeof expected));
}

void TstPictureFiles::bmpOfAnOpaquePictureIs24Bit()
{
    const QImage source = gradient(5, 3);
    const QString from = writePng(m_dir, QStringLiteral("opaque.png"), source);
    const QString to = m_dir.filePath(QStringLiteral("opaque.bmp"));
    QCOMPARE(ConvertPictureFile(from, to, kConvertBmp), kConvertOk);
    const QByteArray b = readAll(to);
    QCOMPARE(le16(b, 28), quint16(24));
    QCOMPARE(b.size(), 54 + 16 * 3); // rows of 15 bytes padded to 16
    QCOMPARE(QImage(to).convertToFormat(QImage::Format_RGB32), source);
}

void TstPictureFiles::pngAndGifKeepThePixels()
{
    QImage source(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            source.setPixel(x, y, x < 4 ? qRgba(0, 0, 0, 0) : qRgb(x * 16, y * 16, 64));
    const QString from = writePng(m_dir, QStringLiteral("few.png"), source);
    const QString png = m_dir.filePath(QStringLiteral("few_out.png"));
    const QString gif = m_dir.filePath(QStringLiteral("few_out.gif"));
    QCOMPARE(ConvertPictureFile(from, png, kConvertPng), kConvertOk);
    QCOMPARE(ConvertPictureFile(from, gif, kConvertGif), kConvertOk);
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_ARGB32), source);
    const QImage readGif = QImage(gif).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 4; x < 16; ++x)
            QCOMPARE(readGif.pixel(x, y), source.pixel(x, y));
    QCOMPARE(qAlpha(readGif.pixel(0, 0)), 0);
}

void TstPictureFiles::failedConversionReportsAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("status");
    const QString good = writePng(m_dir, QStringLiteral("good.png"), gradient(4, 4));
    QFile text(m_dir.filePath(QStringLiteral("text.png")));
    text.open(QIODevice::WriteOnly);
    text.write("plain words");
    text.close();
    const QString old = m_dir.filePath(QStringLiteral("old.bmp"));
    QTest::newRow("missing source")
        << m_dir.filePath(QStringLiteral("none.png")) << old << int(FileError::Missing);
    QTest::newRow("empty source") << QString() << old << int(FileError::Missing);
    QTest::newRow("not a picture") << text.fileName() << old << int(FileError::NotAPicture);
    QTest::newRow("missing folder")
        << good << m_dir.filePath(QStringLiteral("no/such/x.png")) << int(FileError::CannotWrite);
}

void TstPictureFiles::failedConversionReportsAndKeepsTheOldFile()
{
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(int, status);
    const bool keeps = destination.startsWith(m_dir.path());
    if (keeps) {
        QFile f(destination);
        if (QFileInfo(destination).absoluteDir().exists()) {
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old content");
        }
    }
    FileStatus detail;
    const int result = ConvertPictureFile(source, destination, 50, &detail);
    QVERIFY(result != kConvertOk);
    QCOMPARE(result, int(detail.error));
    if (status >= 0)
        QCOMPARE(result, status);
    QVERIFY(!detail.message().isEmpty());
    if (keeps && QFileInfo(destination).absoluteDir().exists())
        QCOMPARE(readAll(destination), QByteArray("old content"));
}

QTEST_GUILESS_MAIN(TstPictureFiles)
#include "tst_picture_files.moc"
