#include "dump_export.h"

#include <QDir>
#include <QFileInfo>

namespace camvista::dump
{

namespace
{

void append(QList<DumpShot> &shots, DumpShot::Kind kind, int bank, const camera::Photo &photo)
{
    shots.append(DumpShot{kind, bank, photo.slot, photo.album, photo.picture});
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Anything at the path counts, a dangling link too: the writer would follow it.
bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QList<DumpShot> shotsOfSave(const camera::SaveRead &save, bool deleted, bool extras)
{
    QList<DumpShot> shots;
    for (const camera::SaveBank &bank : save.banks) {
        for (const camera::Photo &photo : bank.album)
            append(shots, DumpShot::Kind::Album, bank.index, photo);
        if (deleted) {
            for (const camera::Photo &photo : bank.deleted)
                append(shots, DumpShot::Kind::Deleted, bank.index, photo);
        }
        if (extras) {
            shots.append(DumpShot{DumpShot::Kind::LastSeen, bank.index, 0, 0, bank.lastSeen});
            shots.append(DumpShot{DumpShot::Kind::GameFace, bank.index, 0, 0, bank.gameFace});
        }
    }
    return shots;
}

QString shotBaseName(const QString &saveName, const DumpShot &shot)
{
    QString name = QFileInfo(saveName).completeBaseName();
    if (shot.bank > 0)
        name += QStringLiteral("-bank%1").arg(shot.bank + 1);
    switch (shot.kind) {
    case DumpShot::Kind::Album:
        return name + QLatin1Char('-') + twoDigits(shot.album);
    case DumpShot::Kind::Deleted:
        return name + QStringLiteral("-deleted-slot") + twoDigits(shot.slot + 1);
    case DumpShot::Kind::LastSeen:
        return name + QStringLiteral("-last-seen");
    case DumpShot::Kind::GameFace:
        return name + QStringLiteral("-game-face");
    }
    return name;
}

QString freeShotPath(const QString &folder, const QString &baseName, ShotFormat format)
{
    const QString extension =
        format == ShotFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp");
    const QDir dir(folder);
    QString path = dir.filePath(baseName + extension);
    for (int n = 2; taken(path); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2)%3").arg(baseName).arg(n).arg(extension));
    return path;
}

DumpResult writeShots(const QList<DumpShot> &shots, const QString &savePath, const QString &folder,
                      ShotFormat format)
{
    DumpResult result;
    for (const DumpShot &shot : shots) {
        const QString path = freeShotPath(folder, shotBaseName(savePath, shot), format);
        const FileStatus status = format == ShotFormat::Png ? savePicturePng(shot.picture, path)
                                                            : savePictureBmp(shot.picture, path);
        if (status.ok())
            result.written.append(path);
        else
            result.failures.append(status);
    }
    return result;
}

AppPaths applicationPathsFor(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const QString application = folder.fileName() == QLatin1String("VUDaviziDump")
                                    ? folder.absolutePath()
                                    : folder.absoluteFilePath();
    return AppPaths::forProgram(application, QStringLiteral("VUDaviziDump"));
}

bool ensureFolder(const QString &folder)
{
    return !folder.isEmpty() && (QFileInfo(folder).isDir() || QDir().mkpath(folder));
}

} // namespace camvista::dump
