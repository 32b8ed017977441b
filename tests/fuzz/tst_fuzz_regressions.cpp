// Replays every committed fuzz input, the seed corpora and each crasher a fuzzing run found,
// through the same target bodies the libFuzzer programs run: a broken property aborts the test.

#include "imaging/picture_file.h"
#include "targets/fuzz_targets.h"

#include <QDirIterator>
#include <QtTest>

#include <functional>

using namespace camvista;

namespace
{

using Target = std::function<int(const std::uint8_t *, std::size_t)>;

const QList<QPair<QString, Target>> &targets()
{
    static const QList<QPair<QString, Target>> list = {
        {QStringLiteral("settings_file"), &fuzz::settingsFile},
        {QStringLiteral("picture_loader"), &fuzz::pictureLoader},
        {QStringLiteral("stamp_blend"), &fuzz::stampBlend},
        {QStringLiteral("camera_save"), &fuzz::cameraSave},
        {QStringLiteral("print_capture"), &fuzz::printCapture},
    };
    return list;
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

class TstFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void replaysEveryInput_data();
    void replaysEveryInput();
    void seedPicturesLoad_data();
    void seedPicturesLoad();
    void damagedSeedsAreRefused_data();
    void damagedSeedsAreRefused();
};

void TstFuzzRegressions::replaysEveryInput_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("file");
    const QString source = QStringLiteral(CAMVISTA_SOURCE_DIR);
    int rows = 0;
    for (const auto &[name, body] : targets()) {
        if (!body)
            continue;
        const QStringList files = filesUnder(source + QStringLiteral("/fuzz/corpus/") + name) +
                                  filesUnder(source + QStringLiteral("/tests/data/fuzz/") + name);
        for (const QString &file : files) {
            QTest::newRow(qPrintable(name + QLatin1Char('/') + QFileInfo(file).fileName()))
                << name << file;
            ++rows;
        }
    }
    QVERIFY2(rows >= 10, "the seed corpora are in the tree");
}

void TstFuzzRegressions::replaysEveryInput()
{
    QFETCH(QString, target);
    QFETCH(QString, file);
    QFile input(file);
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QByteArray bytes = input.readAll();
    for (const auto &[name, body] : targets()) {
        if (name == target)
            QCOMPARE(body(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                          std::size_t(bytes.size())),
                     0);
    }
}

void TstFuzzRegressions::seedPicturesLoad_data()
{
    QTest::addColumn<QString>("file");
    const QStringList files = filesUnder(QStringLiteral(CAMVISTA_SOURCE_DIR) +
                                         QStringLiteral("/fuzz/corpus/picture_loader"));
    for (const QString &file : files)
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
}

void TstFuzzRegressions::seedPicturesLoad()
{
    // Seeds the loader refuses would only teach the fuzzer the refusals.
    QFETCH(QString, file);
    const PictureLoad load = loadPictureFile(file);
    QVERIFY2(load.ok(), qPrintable(load.status.message()));
    QVERIFY(!load.image.isNull());
}

void TstFuzzRegressions::damagedSeedsAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("more than 100 scans") << "many-scans.jpg";
    QTest::newRow("JPEG closed again after a cut") << "reclosed.jpg";
    QTest::newRow("RLE8 BMP without its end code") << "rle8-cut.bmp";
}

void TstFuzzRegressions::damagedSeedsAreRefused()
{
    // Written by fuzz/make_seeds.py beside the crashers: each must stay refused.
    QFETCH(QString, name);
    const QString file =
        QStringLiteral(CAMVISTA_SOURCE_DIR "/tests/data/fuzz/picture_loader/") + name;
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(int(loadPictureFile(file).status.error), int(FileError::Damaged));
    QCOMPARE(int(loadPictureFile(file, QSize(8, 8)).status.error), int(FileError::Damaged));
}

QTEST_GUILESS_MAIN(TstFuzzRegressions)
#include "tst_fuzz_regressions.moc"
