#include "data/wild_frames.h"

#include "imaging/picture_file.h"
#include "support/temp_app_folder.h"

#include <QProcess>
#include <QSet>
#include <QtTest>

using namespace camvista;

namespace
{

// Empty when every pixel is one of the four shades, else where the first stray one is.
QString strayShade(const QImage &image)
{
    static const QSet<QRgb> shades = {0xff000000, 0xff808080, 0xffc0c0c0, 0xffffffff};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!shades.contains(image.pixel(x, y)))
                return QStringLiteral("(%1, %2) is #%3")
                    .arg(x)
                    .arg(y)
                    .arg(image.pixel(x, y), 8, 16);
    return {};
}

// How many pixels of each shade: a picture that is mostly one flat colour is no art.
int largestShare(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    int most = 0;
    for (const int n : counts)
        most = std::max(most, n);
    return most * 100 / (image.width() * image.height());
}

} // namespace

class TstWildFrames : public QObject
{
    Q_OBJECT

private slots:
    void tenFramesInTheToolsOrder();
    void piecesArePixelArtInTheFourShades_data();
    void piecesArePixelArtInTheFourShades();
    void piecesMeetThePictureInBlack();
    void theGeneratorWritesTheirFiles();
};

void TstWildFrames::tenFramesInTheToolsOrder()
{
    QStringList names;
    for (const data::WildFrame &f : data::wildFrames())
        names << f.name;
    QCOMPARE(names, (QStringList{"camboy", "marluig", "myosh", "yosh", "red", "mkart", "clef",
                                 "zelda", "wario", "tortank"}));
}

void TstWildFrames::piecesArePixelArtInTheFourShades_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSize>("size");
    const auto frames = data::wildFrames();
    for (const data::WildFrame &f : frames) {
        QTest::newRow(qPrintable(f.name + QStringLiteral(" top"))) << f.top << QSize(160, 40);
        QTest::newRow(qPrintable(f.name + QStringLiteral(" bottom"))) << f.bottom << QSize(160, 72);
        QTest::newRow(qPrintable(f.name + QStringLiteral(" strip")))
            << f.thumbnail << QSize(160, 16);
    }
    QTest::newRow("default top") << data::defaultWildTop() << QSize(160, 40);
    QTest::newRow("default bottom") << data::defaultWildBottom() << QSize(160, 72);
    QTest::newRow("default picture") << data::defaultWildPicture() << QSize(128, 112);
}

void TstWildFrames::piecesArePixelArtInTheFourShades()
{
    QFETCH(QImage, image);
    QFETCH(QSize, size);
    QCOMPARE(image.size(), size);
    QVERIFY(!image.hasAlphaChannel());
    const QString stray = strayShade(image);
    QVERIFY2(stray.isEmpty(), qPrintable(stray));
    QVERIFY2(largestShare(image) < 75, "no shade covers three quarters of the piece");
}

void TstWildFrames::piecesMeetThePictureInBlack()
{
    // Between the pieces the tool shows black sides; each piece's edge next to the picture is
    // black at the sides too, and no two frames look alike.
    QSet<QByteArray> seen;
    for (const data::WildFrame &f : data::wildFrames()) {
        for (const int x : {0, 15, 144, 159}) {
            QCOMPARE(f.top.pixel(x, 39), 0xff000000u);
            QCOMPARE(f.bottom.pixel(x, 0), 0xff000000u);
        }
        const QByteArray bytes(reinterpret_cast<const char *>(f.top.constBits()),
                               f.top.sizeInBytes());
        QVERIFY2(!seen.contains(bytes), qPrintable(f.name));
        seen.insert(bytes);
    }
}

void TstWildFrames::theGeneratorWritesTheirFiles()
{
    test::TempAppFolder app;
    QProcess process;
    process.start(QStringLiteral(CAMVISTA_MAKE_DATA), {app.path()});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    for (const data::WildFrame &f : data::wildFrames()) {
        for (const auto &[suffix, drawn] : std::initializer_list<std::pair<const char *, QImage>>{
                 {"_1.bmp", f.top}, {"_2.bmp", f.bottom}}) {
            const QString path =
                app.file(QStringLiteral("frames/wild/") + f.name + QString::fromLatin1(suffix));
            const PictureLoad load = loadPictureFile(path);
            QVERIFY2(load.ok(), qPrintable(load.status.message()));
            QCOMPARE(load.image.convertToFormat(QImage::Format_RGB32), drawn);
        }
    }
}

QTEST_GUILESS_MAIN(TstWildFrames)
#include "tst_wild_frames.moc"
