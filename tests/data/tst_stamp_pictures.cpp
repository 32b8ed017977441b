#include "data/stamp_pictures.h"

#include "support/temp_app_folder.h"

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QtTest>

using namespace camvista;

class TstStampPictures : public QObject
{
    Q_OBJECT

private slots:
    void everyStampIsAPictureWithTransparency();
    void theGeneratorWritesThemAsPng();
};

void TstStampPictures::everyStampIsAPictureWithTransparency()
{
    const auto stamps = data::stampPictures();
    QVERIFY(stamps.size() >= 12);
    QSet<QString> names;
    int soft = 0;
    for (const auto &[name, image] : stamps) {
        QVERIFY2(!names.contains(name), qPrintable(name));
        names.insert(name);
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        QVERIFY2(image.width() >= 8 && image.height() >= 8 && image.width() <= 128 &&
                     image.height() <= 128,
                 qPrintable(name));
        int clear = 0, solid = 0, partial = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int a = qAlpha(image.pixel(x, y));
                clear += a == 0;
                solid += a == 255;
                partial += a > 0 && a < 255;
            }
        // Something to see, and the shot showing around it.
        QVERIFY2(clear > 0 && solid + partial > image.width() * image.height() / 8,
                 qPrintable(name));
        soft += partial > 0;
    }
    QVERIFY(soft >= 4);
}

void TstStampPictures::theGeneratorWritesThemAsPng()
{
    test::TempAppFolder app;
    QProcess process;
    process.start(QStringLiteral(CAMVISTA_MAKE_DATA), {app.path()});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    for (const auto &[name, image] : data::stampPictures()) {
        const QString path = app.file(QStringLiteral("stamps/%1.png").arg(name));
        const QImage read(path, "PNG");
        QVERIFY2(!read.isNull(), qPrintable(path));
        QCOMPARE(read.convertToFormat(QImage::Format_ARGB32), image);
    }
}

QTEST_GUILESS_MAIN(TstStampPictures)
#include "tst_stamp_pictures.moc"
