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

enum class Target { OldFile, NoFile, Folder, Pipe };

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

QTEST_GUILESS_MAIN(TstSafeWrite)
#include "tst_safe_write.moc"
