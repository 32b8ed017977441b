#include "imaging/safe_write.h"

#include "imaging_test_support.h"
#include "support/temp_app_folder.h"

#include <QtTest>

#include <new>
#include <sys/stat.h>
#include <unistd.h>

using namespace camvista;
using namespace camvista::test;

namespace
{

const QByteArray kOldBytes("the picture the user already had\n");
const QByteArray kNewBytes("a brand new picture, somewhat longer than the old one\n");

enum class Target { OldFile, NoFile, Folder, Pipe, DanglingLink, AppearsWhileWriting };

// A small dark picture with one light pixel, at a place of its own for each seed below 48.
QImage twoColours(int seed)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    image.setPixel(seed % 8, seed / 8 % 6, qRgb(192, 192, 192));
    return image;
}

} // namespace

Q_DECLARE_METATYPE(Target)

class TstSafeWrite : public QObject
{
    Q_OBJECT

private slots:
    void writeProtection_data();
    void writeProtection();
    void replacesTheFile_data();
    void replacesTheFile();
    void failuresKeepTheOldFile_data();
    void failuresKeepTheOldFile();
    void unwritableFolderKeepsTheOldFile_data();
    void unwritableFolderKeepsTheOldFile();
    void fullDiskKeepsTheOldFile();
    void deviceIsNeverReplaced();
    void neverReplace_data();
    void neverReplace();
    void underFreeName_data();
    void underFreeName();
    void twoWritersRaceForNames();
    void fileWithSamePixels_data();
    void fileWithSamePixels();
};

void TstSafeWrite::writeProtection_data()
{
    QTest::addColumn<int>("mode"); // -1: no file, -2: a folder
    QTest::addColumn<bool>("isProtected");

    QTest::newRow("0444 read-only for all") << 0444 << true;
    QTest::newRow("0000 no permissions at all") << 0000 << true;
    QTest::newRow("0644 owner may write") << 0644 << false;
    QTest::newRow("0464 group may write") << 0464 << false;
    QTest::newRow("0446 others may write") << 0446 << false;
    QTest::newRow("no file") << -1 << false;
    QTest::newRow("a folder") << -2 << false;
}

void TstSafeWrite::writeProtection()
{
    QFETCH(int, mode);
    QFETCH(bool, isProtected);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("x.bmp"));
    if (mode == -2) {
        QVERIFY(QDir().mkdir(path));
    } else if (mode >= 0) {
        dir.write(QStringLiteral("x.bmp"), kOldBytes);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    }
    QCOMPARE(isWriteProtected(path), isProtected);

    if (mode >= 0) {
        // Someone other than root is also stopped by the system when the owner bit is off.
        const bool systemRefuses = ::geteuid() != 0 && (mode & 0200) == 0;
        const FileStatus status = writeFileSafely(path, kNewBytes);
        ::chmod(QFile::encodeName(path).constData(), 0644);
        if (isProtected)
            QCOMPARE(status.error, FileError::WriteProtected);
        else
            QCOMPARE(status.error, systemRefuses ? FileError::CannotWrite : FileError::None);
        QCOMPARE(readBytes(path), status.ok() ? kNewBytes : kOldBytes);
    }
}

void TstSafeWrite::replacesTheFile_data()
{
    QTest::addColumn<bool>("oldFileExists");
    QTest::addColumn<bool>("throughFunction");
    QTest::addColumn<int>("oldMode");

    QTest::newRow("new file, bytes") << false << false << 0;
    QTest::newRow("new file, writer function") << false << true << 0;
    QTest::newRow("old file, bytes") << true << false << 0644;
    QTest::newRow("old file, writer function") << true << true << 0644;
    QTest::newRow("old private file keeps its permissions") << true << false << 0600;
    QTest::newRow("old shared file keeps its permissions") << true << true << 0664;
}

void TstSafeWrite::replacesTheFile()
{
    QFETCH(bool, oldFileExists);
    QFETCH(bool, throughFunction);
    QFETCH(int, oldMode);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("picture.bmp"));
    if (oldFileExists) {
        dir.write(QStringLiteral("picture.bmp"), kOldBytes);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(oldMode)), 0);
    }

    const FileStatus status =
        throughFunction
            ? writeFileSafely(path,
                              [](QIODevice &dev) {
                                  return dev.write(kNewBytes.left(10)) == 10 &&
                                         dev.write(kNewBytes.mid(10)) == kNewBytes.size() - 10;
                              })
            : writeFileSafely(path, kNewBytes);
    QVERIFY2(status.ok(), qPrintable(status.message()));
    QCOMPARE(status.path, path);
    QCOMPARE(readBytes(path), kNewBytes);
    QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("picture.bmp")});
    if (oldFileExists) {
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), oldMode);
    }
}

void TstSafeWrite::failuresKeepTheOldFile_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("oldMode");
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<int>(
        "writer"); // 0 writes everything, 1 gives up halfway, 2 runs out of memory
    QTest::addColumn<FileError>("expected");

    const QString file = QStringLiteral("old.bmp");
    QTest::newRow("read-only file")
        << Target::OldFile << 0444 << file << 0 << FileError::WriteProtected;
    QTest::newRow("file without any permission")
        << Target::OldFile << 0000 << file << 0 << FileError::WriteProtected;
    QTest::newRow("writer gives up halfway")
        << Target::OldFile << 0644 << file << 1 << FileError::CannotWrite;
    QTest::newRow("writer runs out of memory")
        << Target::OldFile << 0644 << file << 2 << FileError::CannotWrite;
    QTest::newRow("missing folder")
        << Target::NoFile << 0 << QStringLiteral("gone/new.bmp") << 0 << FileError::CannotWrite;
    QTest::newRow("empty path") << Target::NoFile << 0 << QString() << 0 << FileError::CannotWrite;
    QTest::newRow("a folder stands there")
        << Target::Folder << 0 << file << 0 << FileError::NotAFile;
    QTest::newRow("a named pipe stands there")
        << Target::Pipe << 0 << file << 0 << FileError::NotAFile;
}

void TstSafeWrite::failuresKeepTheOldFile()
{
    QFETCH(Target, target);
    QFETCH(int, oldMode);
    QFETCH(QString, relativePath);
    QFETCH(int, writer);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    const QString path = relativePath.isEmpty() ? QString() : dir.file(relativePath);
    const QByteArray native = QFile::encodeName(path);
    switch (target) {
    case Target::OldFile:
        dir.write(relativePath, kOldBytes);
        QCOMPARE(::chmod(native.constData(), mode_t(oldMode)), 0);
        break;
    case Target::Folder:
        QVERIFY(QDir().mkdir(path));
        break;
    case Target::Pipe:
        QCOMPARE(::mkfifo(native.constData(), 0644), 0);
        break;
    case Target::NoFile:
    case Target::DanglingLink:
    case Target::AppearsWhileWriting:
        break;
    }
    const QStringList entriesBefore = folderEntries(dir.path());

    const FileStatus status = writeFileSafely(path, [writer](QIODevice &dev) {
        if (writer == 2)
            throw std::bad_alloc();
        if (dev.write(kNewBytes.left(20)) != 20)
            return false;
        return writer == 0 && dev.write(kNewBytes.mid(20)) == kNewBytes.size() - 20;
    });

    QCOMPARE(status.error, expected);
    QCOMPARE(status.path, path);
    QVERIFY(!status.message().isEmpty());
    QCOMPARE(folderEntries(dir.path()), entriesBefore);
    struct stat st = {};
    switch (target) {
    case Target::OldFile:
        ::chmod(native.constData(), 0644);
        QCOMPARE(readBytes(path), kOldBytes);
        break;
    case Target::Folder:
        QVERIFY(QFileInfo(path).isDir());
        break;
    case Target::Pipe:
        QCOMPARE(::lstat(native.constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
        break;
    case Target::NoFile:
    case Target::DanglingLink:
    case Target::AppearsWhileWriting:
        QVERIFY(path.isEmpty() || !QFileInfo::exists(path));
        break;
    }
}

void TstSafeWrite::unwritableFolderKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("oldFileExists");

    QTest::newRow("writable old file in a read-only folder") << true;
    QTest::newRow("new file in a read-only folder") << false;
}

void TstSafeWrite::unwritableFolderKeepsTheOldFile()
{
    QFETCH(bool, oldFileExists);
    TempAppFolder dir;
    const QString why = openToOthers(dir.path());
    if (!why.isEmpty())
        QSKIP(qPrintable(why));
    const QString locked = dir.file(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(locked));
    const QString path = locked + QStringLiteral("/old.bmp");
    if (oldFileExists) {
        dir.write(QStringLiteral("locked/old.bmp"), kOldBytes);
        // The file itself may be written by anyone: only the folder stands in the way.
        QVERIFY(setMode(path, kMode0666));
    }
    QVERIFY(setMode(locked, kMode0555));
    const QStringList entriesBefore = folderEntries(locked);

    const ProbeRun run =
        runProbe({QStringLiteral("write"), path, QString::fromUtf8(kNewBytes)}, true);
    setMode(locked, kMode0755);
    if (run.skipped)
        QSKIP(qPrintable(run.why));
    QVERIFY2(run.ok, qPrintable(run.why));
    QCOMPARE(run.error, FileError::CannotWrite);
    QVERIFY(!run.detail.isEmpty());
    QCOMPARE(folderEntries(locked), entriesBefore);
    if (oldFileExists)
        QCOMPARE(readBytes(path), kOldBytes);
}

void TstSafeWrite::fullDiskKeepsTheOldFile()
{
    // A file size limit makes write() fail with EFBIG part way through, as a full disk fails
    // with ENOSPC; it works for root too. A 1 MiB file against a 64 KiB limit.
    TempAppFolder dir;
    const QString path = dir.write(QStringLiteral("old.bmp"), kOldBytes);
    const ProbeRun run = runProbe(
        {QStringLiteral("write-limited"), QStringLiteral("65536"), path, QString::number(1 << 20)},
        false);
    QVERIFY2(run.ok, qPrintable(run.why));
    QCOMPARE(run.error, FileError::CannotWrite);
    QVERIFY2(!run.detail.isEmpty(), "the system's words on the failed write");
    QCOMPARE(readBytes(path), kOldBytes);
    QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("old.bmp")});

    // The same call with room to spare succeeds, so the limit is what made it fail.
    const ProbeRun roomy = runProbe({QStringLiteral("write-limited"), QStringLiteral("4194304"),
                                     path, QString::number(1 << 20)},
                                    false);
    QVERIFY2(roomy.ok, qPrintable(roomy.why));
    QCOMPARE(roomy.error, FileError::None);
    QCOMPARE(QFileInfo(path).size(), qint64(1 << 20));
}

void TstSafeWrite::deviceIsNeverReplaced()
{
    // QSaveFile would rename its temporary file over /dev/full, replacing the device with a
    // plain file (root may create files in /dev). The helper runs unprivileged, so should the
    // guard ever break, the write fails instead of harming the machine.
    const QByteArray device("/dev/full");
    struct stat st = {};
    if (::stat(device.constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        QSKIP("/dev/full is not available");
    const ProbeRun run = runProbe(
        {QStringLiteral("write"), QString::fromLatin1(device), QStringLiteral("bytes")}, true);
    if (run.skipped)
        QSKIP(qPrintable(run.why));
    QVERIFY2(run.ok, qPrintable(run.why));
    QCOMPARE(run.error, FileError::NotAFile);
    QCOMPARE(::stat(device.constData(), &st), 0);
    QVERIFY(S_ISCHR(st.st_mode));
}

void TstSafeWrite::neverReplace_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<FileError>("expected");

    QTest::newRow("free name") << Target::NoFile << FileError::None;
    QTest::newRow("a file stands there") << Target::OldFile << FileError::AlreadyExists;
    QTest::newRow("a folder stands there") << Target::Folder << FileError::AlreadyExists;
    QTest::newRow("a dangling link stands there")
        << Target::DanglingLink << FileError::AlreadyExists;
    QTest::newRow("a file appears while we write")
        << Target::AppearsWhileWriting << FileError::AlreadyExists;
}

void TstSafeWrite::neverReplace()
{
    QFETCH(Target, target);
    QFETCH(FileError, expected);
    TempAppFolder dir;
    const QString path = dir.file(QStringLiteral("shot.bmp"));
    const QByteArray native = QFile::encodeName(path);
    if (target == Target::OldFile)
        dir.write(QStringLiteral("shot.bmp"), kOldBytes);
    else if (target == Target::Folder)
        QVERIFY(QDir().mkdir(path));
    else if (target == Target::DanglingLink)
        QCOMPARE(::symlink("nowhere.bmp", native.constData()), 0);

    const FileStatus status = writeFileSafely(
        path,
        [&](QIODevice &dev) {
            // Another program saves under the same name while our bytes are on their way.
            if (target == Target::AppearsWhileWriting)
                dir.write(QStringLiteral("shot.bmp"), kOldBytes);
            return writeAll(dev, kNewBytes.constData(), kNewBytes.size());
        },
        WriteMode::NeverReplace);

    QCOMPARE(status.error, expected);
    QCOMPARE(status.path, path);
    QStringList entries{QStringLiteral("shot.bmp")};
    QCOMPARE(folderEntries(dir.path()), entries);
    struct stat st = {};
    QCOMPARE(::lstat(native.constData(), &st), 0);
    if (target == Target::Folder)
        QVERIFY(S_ISDIR(st.st_mode));
    else if (target == Target::DanglingLink)
        QVERIFY(S_ISLNK(st.st_mode));
    else
        QCOMPARE(readBytes(path), status.ok() ? kNewBytes : kOldBytes);
    if (status.ok()) {
        // A new file gets the permissions of any new file, not those of a private temporary.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        QCOMPARE(int(st.st_mode & 0777), int(0666 & ~mask));
    }
}

void TstSafeWrite::underFreeName_data()
{
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("expected");

    QTest::newRow("free") << QStringList{} << QStringLiteral("bmp") << QStringLiteral("a.bmp");
    QTest::newRow("extension given with its dot")
        << QStringList{} << QStringLiteral(".png") << QStringLiteral("a.png");
    QTest::newRow("taken once") << QStringList{QStringLiteral("a.bmp")} << QStringLiteral("bmp")
                                << QStringLiteral("a (2).bmp");
    QTest::newRow("taken twice") << QStringList{QStringLiteral("a.bmp"),
                                                QStringLiteral("a (2).bmp")}
                                 << QStringLiteral("bmp") << QStringLiteral("a (3).bmp");
    QTest::newRow("the first gap")
        << QStringList{QStringLiteral("a.bmp"), QStringLiteral("a (3).bmp")}
        << QStringLiteral("bmp") << QStringLiteral("a (2).bmp");
    QTest::newRow("other extensions do not count")
        << QStringList{QStringLiteral("a.png"), QStringLiteral("a.bmp.tmp")}
        << QStringLiteral("bmp") << QStringLiteral("a.bmp");
}

void TstSafeWrite::underFreeName()
{
    QFETCH(QStringList, taken);
    QFETCH(QString, extension);
    QFETCH(QString, expected);
    TempAppFolder dir;
    for (const QString &name : taken)
        dir.write(name, kOldBytes);

    const FileStatus status =
        writeUnderFreeName(dir.path(), QStringLiteral("a"), extension, kNewBytes);
    QVERIFY2(status.ok(), qPrintable(status.message()));
    QCOMPARE(status.path, dir.file(expected));
    QCOMPARE(readBytes(status.path), kNewBytes);
    for (const QString &name : taken)
        QCOMPARE(readBytes(dir.file(name)), kOldBytes);
    QCOMPARE(folderEntries(dir.path()).size(), taken.size() + 1);

    const FileStatus missing = writeUnderFreeName(dir.file(QStringLiteral("gone")),
                                                  QStringLiteral("a"), extension, kNewBytes);
    QCOMPARE(missing.error, FileError::CannotWrite);
    QCOMPARE(missing.detail, qt_error_string(ENOENT));
}

void TstSafeWrite::twoWritersRaceForNames()
{
    // Two programs save under the same names into one folder at the same moment, again and
    // again: every file each of them reports must be there, holding what that one wrote.
    constexpr int kRounds = 8;
    constexpr int kFiles = 40;
    for (int round = 0; round < kRounds; ++round) {
        TempAppFolder dir;
        const QString start = dir.file(QStringLiteral("start"));
        QProcess racers[2];
        for (int i = 0; i < 2; ++i) {
            racers[i].start(QStringLiteral(CAMVISTA_IMAGING_PROBE),
                            {QStringLiteral("free-names"), dir.file(QStringLiteral("out")),
                             QStringLiteral("shot"), QString::number(kFiles),
                             QStringLiteral("racer%1").arg(i), start});
        }
        QVERIFY(QDir().mkdir(dir.file(QStringLiteral("out"))));
        for (QProcess &racer : racers)
            QVERIFY(racer.waitForStarted());
        dir.write(QStringLiteral("start"), {});
        QSet<QString> reported;
        for (int i = 0; i < 2; ++i) {
            QProcess &racer = racers[i];
            QVERIFY(racer.waitForFinished(60000));
            QCOMPARE(racer.exitCode(), 0);
            const QStringList lines =
                QString::fromUtf8(racer.readAllStandardOutput()).split(QLatin1Char('\n'));
            QCOMPARE(lines.value(0), QStringLiteral("0"));
            const QStringList paths = lines.mid(2, kFiles);
            QCOMPARE(paths.size(), kFiles);
            for (int k = 0; k < kFiles; ++k) {
                QCOMPARE(readBytes(paths[k]), QStringLiteral("racer%1 %2").arg(i).arg(k).toUtf8());
                reported.insert(paths[k]);
            }
        }
        QCOMPARE(reported.size(), 2 * kFiles);
        QCOMPARE(folderEntries(dir.file(QStringLiteral("out"))).size(), 2 * kFiles);
    }
}

void TstSafeWrite::fileWithSamePixels_data()
{
    QTest::addColumn<QStringList>("files"); // name=seed of its picture, or name=junk
    QTest::addColumn<QString>("expected");

    const QString same = QStringLiteral("=7");
    QTest::newRow("the name itself")
        << QStringList{QStringLiteral("a.bmp") + same} << QStringLiteral("a.bmp");
    QTest::newRow("a numbered name")
        << QStringList{QStringLiteral("a.bmp=1"), QStringLiteral("a (2).bmp=2"),
                       QStringLiteral("a (3).bmp") + same}
        << QStringLiteral("a (3).bmp");
    QTest::newRow("the lowest number first")
        << QStringList{QStringLiteral("a (10).bmp") + same, QStringLiteral("a (9).bmp") + same}
        << QStringLiteral("a (9).bmp");
    QTest::newRow("different pixels") << QStringList{QStringLiteral("a.bmp=1")} << QString();
    QTest::newRow("not a picture") << QStringList{QStringLiteral("a.bmp=junk")} << QString();
    QTest::newRow("names outside the family")
        << QStringList{QStringLiteral("ab.bmp") + same, QStringLiteral("a (02).bmp") + same,
                       QStringLiteral("a (x).bmp") + same, QStringLiteral("a.png") + same}
        << QString();
}

void TstSafeWrite::fileWithSamePixels()
{
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    TempAppFolder dir;
    for (const QString &file : files) {
        const QString name = file.section(QLatin1Char('='), 0, 0);
        const QString seed = file.section(QLatin1Char('='), 1);
        if (seed == QLatin1String("junk"))
            dir.write(name, kOldBytes);
        else
            QVERIFY(savePictureBmp(twoColours(seed.toInt()), dir.file(name)).ok());
    }
    const QString found = camvista::fileWithSamePixels(dir.path(), QStringLiteral("a"),
                                                       QStringLiteral("bmp"), twoColours(7));
    QCOMPARE(found, expected.isEmpty() ? QString() : dir.file(expected));
}

QTEST_GUILESS_MAIN(TstSafeWrite)
#include "tst_safe_write.moc"
