#include "dump/dump_export.h"

#include "camera/save_writer.h"
#include "imaging/picture_file.h"
#include "support/temp_app_folder.h"

#include <QtTest>

using namespace camvista;
using namespace camvista::dump;
using camvista::test::SaveWriter;

Q_DECLARE_METATYPE(camvista::dump::DumpShot::Kind)

namespace
{

camera::SaveRead readBytes(const QByteArray &bytes)
{
    return camera::readSaveBytes(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                 std::size_t(bytes.size()));
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstDumpExport : public QObject
{
    Q_OBJECT

private slots:
    void namesShots_data();
    void namesShots();
    void offersShotsInOrder();
    void neverOverwrites();
    void writesFilesTheEditorReads_data();
    void writesFilesTheEditorReads();
    void reportsEveryFailedShot();
    void findsTheApplicationFolder_data();
    void findsTheApplicationFolder();
};

void TstDumpExport::namesShots_data()
{
    QTest::addColumn<QString>("save");
    QTest::addColumn<DumpShot::Kind>("kind");
    QTest::addColumn<int>("bank");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("album");
    QTest::addColumn<QString>("name");
    using K = DumpShot::Kind;
    QTest::newRow("album 1") << "mysave.sav" << K::Album << 0 << 4 << 1 << "mysave-01";
    QTest::newRow("album 30") << "/x/y/mysave.sav" << K::Album << 0 << 0 << 30 << "mysave-30";
    QTest::newRow("deleted, seventh slot")
        << "mysave.sav" << K::Deleted << 0 << 6 << 0 << "mysave-deleted-slot07";
    QTest::newRow("deleted, last slot")
        << "mysave.sav" << K::Deleted << 0 << 29 << 0 << "mysave-deleted-slot30";
    QTest::newRow("last seen") << "mysave.sav" << K::LastSeen << 0 << 0 << 0 << "mysave-last-seen";
    QTest::newRow("game face") << "mysave.sav" << K::GameFace << 0 << 0 << 0 << "mysave-game-face";
    QTest::newRow("second bank") << "mysave.sav" << K::Album << 1 << 0 << 1 << "mysave-bank2-01";
    QTest::newRow("eighth bank, deleted")
        << "dump.bin" << K::Deleted << 7 << 6 << 0 << "dump-bank8-deleted-slot07";
    QTest::newRow("dots in the name")
        << "my.old.save.sav" << K::Album << 0 << 0 << 12 << "my.old.save-12";
}

void TstDumpExport::namesShots()
{
    QFETCH(QString, save);
    QFETCH(DumpShot::Kind, kind);
    QFETCH(int, bank);
    QFETCH(int, slot);
    QFETCH(int, album);
    QFETCH(QString, name);
    QCOMPARE(shotBaseName(save, DumpShot{kind, bank, slot, album, {}}), name);
}

void TstDumpExport::offersShotsInOrder()
{
    SaveWriter first;
    first.photo(5, test::patternValues(1), 2).photo(9, test::patternValues(2), 1);
    first.photo(11, test::patternValues(3), 0);
    SaveWriter second;
    second.photo(0, test::patternValues(4), 1);
    const camera::SaveRead save =
        readBytes(test::dumpOfBanks(2, {{0, first.bytes()}, {1, second.bytes()}}));
    QVERIFY(save.ok());

    const auto names = [](const QList<DumpShot> &shots) {
        QStringList out;
        for (const DumpShot &shot : shots)
            out.append(shotBaseName(QStringLiteral("s.sav"), shot));
        return out;
    };
    QCOMPARE(names(shotsOfSave(save, false, false)), (QStringList{"s-01", "s-02", "s-bank2-01"}));
    QCOMPARE(names(shotsOfSave(save, true, true)),
             (QStringList{"s-01", "s-02", "s-deleted-slot12", "s-last-seen", "s-game-face",
                          "s-bank2-01", "s-bank2-last-seen", "s-bank2-game-face"}));
}

void TstDumpExport::neverOverwrites()
{
    test::TempAppFolder folder;
    const QString dir = folder.path();
    SaveWriter save;
    save.photo(0, test::patternValues(1), 1);
    const QList<DumpShot> shots = shotsOfSave(readBytes(save.bytes()), false, false);

    // Other things under the shot's names are never free names, a folder and a dangling link
    // (writing there would create the file it points to) neither.
    folder.write("s-01.bmp", "old");
    folder.write("s-01 (2).bmp", "old");
    QVERIFY(QDir().mkpath(dir + "/s-01 (3).bmp"));
    QVERIFY(QFile::link(dir + "/nowhere", dir + "/s-01 (4).bmp"));
    const DumpResult taken = writeShots(shots, "s.sav", dir, ShotFormat::Bmp);
    QCOMPARE(taken.written, QStringList{dir + "/s-01 (5).bmp"});
    QCOMPARE(fileBytes(dir + "/s-01.bmp"), QByteArray("old"));
    QVERIFY(!QFileInfo::exists(dir + "/nowhere"));

    // Writing the same save twice writes it once: the second time every shot is already there,
    // in whatever numbered name it went to, and no file is added or touched.
    const DumpResult once = writeShots(shots, "again.sav", dir, ShotFormat::Bmp);
    const QByteArray firstBytes = fileBytes(dir + "/again-01.bmp");
    const QStringList before = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const DumpResult twice = writeShots(shots, "again.sav", dir, ShotFormat::Bmp);
    QCOMPARE(once.written, QStringList{dir + "/again-01.bmp"});
    QVERIFY(twice.written.isEmpty());
    QCOMPARE(twice.alreadyThere, QStringList{dir + "/again-01.bmp"});
    QCOMPARE(writeShots(shots, "s.sav", dir, ShotFormat::Bmp).alreadyThere,
             QStringList{dir + "/s-01 (5).bmp"});
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(fileBytes(dir + "/again-01.bmp"), firstBytes);

    // A PNG of the same photo is a different file: the BMP's presence does not count for it.
    QCOMPARE(writeShots(shots, "again.sav", dir, ShotFormat::Png).written,
             QStringList{dir + "/again-01.png"});

    // Another photo under a taken name goes to the next free name, as before.
    SaveWriter other;
    other.photo(0, test::patternValues(2), 1);
    QCOMPARE(writeShots(shotsOfSave(readBytes(other.bytes()), false, false), "again.sav", dir,
                        ShotFormat::Bmp)
                 .written,
             QStringList{dir + "/again-01 (2).bmp"});
}

void TstDumpExport::writesFilesTheEditorReads_data()
{
    QTest::addColumn<bool>("png");
    QTest::newRow("bmp") << false;
    QTest::newRow("png") << true;
}

void TstDumpExport::writesFilesTheEditorReads()
{
    QFETCH(bool, png);
    test::TempAppFolder folder;
    SaveWriter save;
    save.photo(3, test::patternValues(9), 1).lastSeen(test::patternValues(10));
    const camera::SaveRead read = readBytes(save.bytes());
    const QList<DumpShot> shots = shotsOfSave(read, false, true);
    const DumpResult result =
        writeShots(shots, "cam.sav", folder.path(), png ? ShotFormat::Png : ShotFormat::Bmp);
    QVERIFY(result.failures.isEmpty());
    QCOMPARE(result.written.size(), 3);
    for (qsizetype i = 0; i < shots.size(); ++i) {
        const PictureLoad loaded = loadPictureFile(result.written[i]);
        QVERIFY2(loaded.ok(), qPrintable(loaded.status.message()));
        QCOMPARE(loaded.image.size(), QSize(128, 112));
        QCOMPARE(loaded.image.convertToFormat(QImage::Format_RGB32), shots[i].picture);
    }
    if (!png) {
        // The editor's own BMP layout: 54-byte header, 24 bits, rows of 384 bytes, bottom first.
        const QByteArray bytes = fileBytes(result.written[0]);
        QCOMPARE(bytes.size(), 54 + 128 * 3 * 112);
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(int(uchar(bytes[28])), 24);
        const QRgb bottomLeft = shots[0].picture.pixel(0, 111);
        QCOMPARE(int(uchar(bytes[54])), qBlue(bottomLeft));
    }
}

void TstDumpExport::reportsEveryFailedShot()
{
    test::TempAppFolder folder;
    SaveWriter save;
    save.photo(0, test::patternValues(1), 1).photo(1, test::patternValues(2), 2);
    const QList<DumpShot> shots = shotsOfSave(readBytes(save.bytes()), false, false);
    // No one may create files in /proc, root neither.
    const DumpResult none = writeShots(shots, "s.sav", "/proc", ShotFormat::Bmp);
    QVERIFY(none.written.isEmpty());
    QCOMPARE(none.failures.size(), 2);
    QCOMPARE(none.failures[0].error, FileError::CannotWrite);
    QVERIFY(none.failures[0].message().contains("s-01.bmp"));
    QVERIFY(none.failures[1].message().contains("s-02.bmp"));
    // One cause is told once, with the number of shots it cost and the system's words.
    const QStringList told = none.failureMessages();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].startsWith("2 shots could not be written into /proc (") &&
                 told[0].contains(none.failures[0].detail) && !none.failures[0].detail.isEmpty(),
             qPrintable(told[0]));
    // Different causes each have their sentence; a single failure keeps its own message.
    DumpResult mixed = none;
    mixed.failures.append(
        FileStatus{FileError::CannotWrite, "/elsewhere/x.bmp", "Disk quota exceeded"});
    const QStringList two = mixed.failureMessages();
    QCOMPARE(two.size(), 2);
    QCOMPARE(two[1], mixed.failures[2].message());
}

void TstDumpExport::findsTheApplicationFolder_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("shots");
    QTest::newRow("beside the main program") << "/opt/camvista/VUDaviziDump"
                                             << "/opt/camvista/VUDavizi Shots";
    QTest::newRow("anywhere else") << "/usr/local/bin"
                                   << "/usr/local/bin/VUDavizi Shots";
}

void TstDumpExport::findsTheApplicationFolder()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, shots);
    QCOMPARE(applicationPathsFor(programFolder).shotsFolder(), shots);
}

QTEST_GUILESS_MAIN(TstDumpExport)
#include "tst_dump_export.moc"
