#pragma once

#include "imaging/picture_file.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <iterator>
#include <unistd.h>

namespace camvista
{

// Lets QCOMPARE print file errors by name (in the order of the enum).
inline char *toString(FileError error)
{
    static const char *const names[] = {
        "None",    "Missing",        "NotAFile",    "Unreadable",     "NotAPicture",  "TooLarge",
        "Damaged", "WriteProtected", "CannotWrite", "InvalidPicture", "AlreadyExists"};
    const auto i = std::size_t(error);
    return qstrdup(i < std::size(names) ? names[i] : "?");
}

} // namespace camvista

Q_DECLARE_METATYPE(camvista::FileError)

namespace camvista::test
{

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Names of everything in a folder, to see that a failed write left no temporary file behind.
inline QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

inline bool setMode(const QString &path, QFileDevice::Permissions permissions)
{
    return QFile::setPermissions(path, permissions);
}

inline constexpr QFileDevice::Permissions kMode0555 =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
    QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
inline constexpr QFileDevice::Permissions kMode0755 = kMode0555 | QFileDevice::WriteOwner;
inline constexpr QFileDevice::Permissions kMode0444 =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
inline constexpr QFileDevice::Permissions kMode0666 =
    kMode0444 | QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// The helper program runs one imaging call in its own process and prints the resulting error
// number and detail. Root ignores permission bits, so when the tests run as root the helper is
// started as the user "nobody" through setpriv.
struct ProbeRun {
    bool skipped = false; // the environment cannot drop privileges: say why in `why`
    bool ok = false;      // the helper ran and answered
    QString why;
    FileError error = FileError::None;
    QString detail;
};

inline ProbeRun runProbe(const QStringList &arguments, bool asUnprivilegedUser)
{
    ProbeRun run;
    QString program = QStringLiteral(CAMVISTA_IMAGING_PROBE);
    QStringList args = arguments;
    if (asUnprivilegedUser && ::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty()) {
            run.skipped = true;
            run.why = QStringLiteral("running as root and setpriv is not installed");
            return run;
        }
        const QStringList drop = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                  QStringLiteral("--clear-groups")};
        if (QProcess::execute(setpriv, drop + QStringList{QStringLiteral("true")}) != 0) {
            run.skipped = true;
            run.why = QStringLiteral("running as root and setpriv cannot drop privileges here");
            return run;
        }
        args = drop + QStringList{program} + args;
        program = setpriv;
    }
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000)) {
        run.why = QStringLiteral("the helper did not finish: ") + process.errorString();
        process.kill();
        process.waitForFinished();
        return run;
    }
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    bool number = false;
    const int code = lines.value(0).trimmed().toInt(&number);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !number) {
        run.why = QStringLiteral("the helper failed: ") +
                  QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }
    run.ok = true;
    run.error = FileError(code);
    run.detail = QString::fromUtf8(lines.value(1)).trimmed();
    return run;
}

// Opens `folder` to others (0755) and checks that every folder above it lets them through, so
// the unprivileged helper can reach files inside. Empty when all is well, else the reason.
inline QString openToOthers(const QString &folder)
{
    if (!setMode(folder, kMode0755))
        return QStringLiteral("cannot change the permissions of ") + folder;
    QDir dir(QFileInfo(folder).absoluteFilePath());
    while (dir.cdUp()) {
        if (!(QFileInfo(dir.absolutePath()).permissions() & QFileDevice::ExeOther))
            return dir.absolutePath() + QStringLiteral(" is closed to other users");
        if (dir.isRoot())
            break;
    }
    return {};
}

} // namespace camvista::test
