#include "data/frame_pictures.h"
#include "imaging/picture_file.h"

#include "support/temp_app_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace camvista;
using namespace camvista::data;
using namespace camvista::test;

namespace
{

bool isShade(QRgb c)
{
    return c == 0xff000000u || c == 0xff808080u || c == 0xffc0c0c0u || c == 0xffffffffu;
}

bool inCentre(int x, int y)
{
    return x >= kFrameBorder && y >= kFrameBorder && x < kFrameWidth - kFrameBorder &&
           y < kFrameHeight - kFrameBorder;
}

QString at(int x, int y, QRgb c)
{
    return QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(c, 8, 16, QLatin1Char('0'));
}

// Empty when the picture is a proper frame, else the first pixel that is not.
QString frameFault(const QImage &frame)
{
    if (frame.size() != QSize(kFrameWidth, kFrameHeight))
        return QStringLiteral("size %1 x %2").arg(frame.width()).arg(frame.height());
    if (frame.format() != QImage::Format_ARGB32)
        return QStringLiteral("format %1").arg(int(frame.format()));
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb c = frame.pixel(x, y);
            if (inCentre(x, y) ? qAlpha(c) != 0 : !isShade(c))
                return at(x, y, c);
        }
    return {};
}

// Empty when the loaded file shows exactly the drawn frame.
QString differenceFromDrawn(const QImage &loaded, const QImage &drawn)
{
    if (loaded.size() != drawn.size())
        return QStringLiteral("size %1 x %2").arg(loaded.width()).arg(loaded.height());
    const QImage argb = loaded.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb want = drawn.pixel(x, y), got = argb.pixel(x, y);
            if (qAlpha(want) == 0 ? qAlpha(got) != 0 : got != want)
                return at(x, y, got);
        }
    return {};
}

int borderDifference(const QImage &a, const QImage &b)
{
    int differing = 0;
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x)
            if (!inCentre(x, y) && a.pixel(x, y) != b.pixel(x, y))
                ++differing;
    return differing;
}

QList<std::pair<QString, QImage>> everyFrame()
{
    QList<std::pair<QString, QImage>> frames;
    for (int n = 1; n <= defaultFrameCount(); ++n)
        frames.append({QStringLiteral("default %1").arg(n), defaultFrame(n)});
    for (const auto &[name, image] : customFrames())
        frames.append({QStringLiteral("custom ") + name, image});
    return frames;
}

struct GeneratorRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray errors;
};

GeneratorRun runGenerator(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(CAMVISTA_MAKE_DATA), arguments);
    GeneratorRun run;
    run.finished = process.waitForFinished(120000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = process.readAllStandardError();
    return run;
}

QStringList filesIn(const QString &folder)
{
    QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

} // namespace

class TstFramePictures : public QObject
{
    Q_OBJECT

private slots:
    void framesFollowTheRules_data();
    void framesFollowTheRules();
    void stripsShowTheirFrames_data();
    void stripsShowTheirFrames();
    void outOfRangeGivesNothing_data();
    void outOfRangeGivesNothing();
    void framesAreClearlyDifferent();
    void customFramesHaveFileNames();
    void generatorWritesTheFolder();
    void generatorFailuresAreReported_data();
    void generatorFailuresAreReported();
};

void TstFramePictures::framesFollowTheRules_data()
{
    QTest::addColumn<QImage>("frame");
    QCOMPARE(defaultFrameCount(), 21);
    const auto frames = everyFrame();
    QVERIFY(frames.size() >= 21 + 4);
    for (const auto &[name, image] : frames)
        QTest::newRow(qPrintable(name)) << image;
}

void TstFramePictures::framesFollowTheRules()
{
    QFETCH(QImage, frame);
    const QString fault = frameFault(frame);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TstFramePictures::stripsShowTheirFrames_data()
{
    QTest::addColumn<int>("n");
    for (int n = 1; n <= defaultFrameCount(); ++n)
        QTest::newRow(qPrintable(QStringLiteral("strip %1").arg(n))) << n;
}

void TstFramePictures::stripsShowTheirFrames()
{
    QFETCH(int, n);
    const QImage strip = frameStrip(n);
    QCOMPARE(strip.size(), QSize(kFrameWidth, kFrameStripHeight));
    const QImage rgb = strip.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            QVERIFY2(isShade(rgb.pixel(x, y)), qPrintable(at(x, y, rgb.pixel(x, y))));
    // The picker shows a band of the very frame it lays.
    const QImage frame = defaultFrame(n);
    const QImage top = frame.copy(0, 0, kFrameWidth, kFrameStripHeight);
    const QImage bottom =
        frame.copy(0, kFrameHeight - kFrameStripHeight, kFrameWidth, kFrameStripHeight);
    QVERIFY(rgb == top || rgb == bottom);
    // And no other strip looks the same.
    for (int other = 1; other <= defaultFrameCount(); ++other)
        if (other != n)
            QVERIFY2(frameStrip(other) != strip, qPrintable(QString::number(other)));
}

void TstFramePictures::outOfRangeGivesNothing_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("0") << 0;
    QTest::newRow("22") << 22;
    QTest::newRow("-1") << -1;
    QTest::newRow("huge") << (1 << 30);
}

void TstFramePictures::outOfRangeGivesNothing()
{
    QFETCH(int, n);
    QVERIFY(defaultFrame(n).isNull());
    QVERIFY(frameStrip(n).isNull());
}

void TstFramePictures::framesAreClearlyDifferent()
{
    // A user picks a frame by its look: any two share less than four fifths of their border.
    const auto frames = everyFrame();
    const int border = kFrameWidth * kFrameHeight -
                       (kFrameWidth - 2 * kFrameBorder) * (kFrameHeight - 2 * kFrameBorder);
    for (int i = 0; i < frames.size(); ++i)
        for (int j = i + 1; j < frames.size(); ++j) {
            const int differing = borderDifference(frames[i].second, frames[j].second);
            QVERIFY2(differing * 5 > border,
                     qPrintable(QStringLiteral("%1 and %2 differ in only %3 pixels")
                                    .arg(frames[i].first, frames[j].first)
                                    .arg(differing)));
        }
    // Drawing is repeatable: the generator and the program see the same pictures.
    QCOMPARE(defaultFrame(7), defaultFrame(7));
}

void TstFramePictures::customFramesHaveFileNames()
{
    const auto frames = customFrames();
    QVERIFY(frames.size() >= 4);
    QStringList names;
    const QRegularExpression fileName(QStringLiteral("^[a-z0-9_]+$"));
    for (const auto &[name, image] : frames) {
        QVERIFY2(fileName.match(name).hasMatch(), qPrintable(name));
        QVERIFY2(!names.contains(name), qPrintable(name));
        names << name;
    }
}

void TstFramePictures::generatorWritesTheFolder()
{
    TempAppFolder app;
    QVERIFY(app.isValid());
    const GeneratorRun run = runGenerator({app.path()});
    QVERIFY(run.finished);
    QVERIFY2(run.exitCode == 0, run.errors.constData());

    QStringList expectedDefault;
    for (int n = 1; n <= defaultFrameCount(); ++n)
        expectedDefault << QStringLiteral("%1.gif").arg(n);
    expectedDefault.sort();
    QCOMPARE(filesIn(app.file(QStringLiteral("frames/default"))), expectedDefault);
    for (int n = 1; n <= defaultFrameCount(); ++n) {
        const PictureLoad load =
            loadPictureFile(app.file(QStringLiteral("frames/default/%1.gif").arg(n)));
        QVERIFY2(load.ok(), qPrintable(load.status.message()));
        const QString difference = differenceFromDrawn(load.image, defaultFrame(n));
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("%1.gif: ").arg(n) + difference));
    }

    const auto custom = customFrames();
    QStringList expectedCustom;
    for (const auto &[name, image] : custom)
        expectedCustom << name + QStringLiteral(".gif");
    expectedCustom.sort();
    QCOMPARE(filesIn(app.file(QStringLiteral("frames/custom"))), expectedCustom);
    for (const auto &[name, image] : custom) {
        const PictureLoad load = loadPictureFile(
            app.file(QStringLiteral("frames/custom/") + name + QStringLiteral(".gif")));
        QVERIFY2(load.ok(), qPrintable(load.status.message()));
        const QString difference = differenceFromDrawn(load.image, image);
        QVERIFY2(difference.isEmpty(), qPrintable(name + QStringLiteral(": ") + difference));
    }
}

void TstFramePictures::generatorFailuresAreReported_data()
{
    QTest::addColumn<QStringList>("arguments"); // "@" stands for the temporary folder
    QTest::addColumn<QString>("blocker");       // a file put where a folder must go

    QTest::newRow("no folder given") << QStringList{} << QString();
    QTest::newRow("two folders given")
        << QStringList{QStringLiteral("@"), QStringLiteral("@")} << QString();
    QTest::newRow("the folder is a file")
        << QStringList{QStringLiteral("@/app")} << QStringLiteral("app");
    QTest::newRow("frames is a file")
        << QStringList{QStringLiteral("@")} << QStringLiteral("frames");
    QTest::newRow("a frame's name is taken by a folder")
        << QStringList{QStringLiteral("@")} << QStringLiteral("frames/default/5.gif/");
}

void TstFramePictures::generatorFailuresAreReported()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, blocker);
    TempAppFolder app;
    QVERIFY(app.isValid());
    if (blocker.endsWith(QLatin1Char('/')))
        QVERIFY(QDir().mkpath(app.file(blocker)));
    else if (!blocker.isEmpty())
        app.write(blocker, "not a folder");
    for (QString &argument : arguments)
        argument.replace(QLatin1Char('@'), app.path());

    const GeneratorRun run = runGenerator(arguments);
    QVERIFY(run.finished);
    QVERIFY(run.exitCode != 0);
    QVERIFY2(!run.errors.trimmed().isEmpty(), "a message on the error stream");
    if (!blocker.isEmpty() && !blocker.endsWith(QLatin1Char('/')))
        QCOMPARE(QFile(app.file(blocker)).size(), qint64(12)); // left as it was
}

QTEST_GUILESS_MAIN(TstFramePictures)
#include "tst_frame_pictures.moc"
