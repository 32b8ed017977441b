#include "dump_export.h"

#include "dump_frames.h"
#include "imaging/safe_write.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace camvista::dump
{

namespace
{

void append(QList<DumpShot> &shots, DumpShot::Kind kind, int bank, const camera::Photo &photo)
{
    shots.append(DumpShot{kind, bank, photo.slot, photo.album, photo.picture, false});
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
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
            shots.append(
                DumpShot{DumpShot::Kind::LastSeen, bank.index, 0, 0, bank.lastSeen, false});
            shots.append(
                DumpShot{DumpShot::Kind::GameFace, bank.index, 0, 0, bank.gameFace, false});
        }
    }
    // The banks of a dump are told apart from the first on, as soon as any but the first is there.
    const bool several =
        save.banks.size() > 1 || (!save.banks.isEmpty() && save.banks.first().index > 0);
    for (DumpShot &shot : shots)
        shot.severalBanks = several;
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

QString shotExtension(ShotFormat format)
{
    return format == ShotFormat::Png ? QStringLiteral("png") : QStringLiteral("bmp");
}

DumpResult writeShots(const QList<DumpShot> &shots, const QString &savePath, const QString &folder,
                      ShotFormat format, const QImage &frame)
{
    DumpResult result;
    const QString extension = shotExtension(format);
    for (const DumpShot &shot : shots) {
        const QString baseName = shotBaseName(savePath, shot);
        const QImage picture = framedPhoto(shot.picture, frame);
        const QString same = fileWithSamePixels(folder, baseName, extension, picture);
        if (!same.isEmpty()) {
            result.alreadyThere.append(same);
            continue;
        }
        const EncodedPicture encoded =
            format == ShotFormat::Png ? encodePicturePng(picture) : encodePictureBmp(picture);
        const FileStatus status =
            encoded.ok()
                ? writeUnderFreeName(folder, baseName, extension, encoded.bytes)
                : FileStatus{encoded.status.error,
                             QDir(folder).filePath(baseName + QLatin1Char('.') + extension),
                             encoded.status.detail};
        if (status.ok())
            result.written.append(status.path);
        else
            result.failures.append(status);
    }
    return result;
}

QStringList DumpResult::failureMessages() const
{
    // Same error, same words and same folder: one cause.
    struct Group {
        FileStatus first;
        qsizetype count = 0;
    };
    QList<Group> groups;
    for (const FileStatus &failure : failures) {
        const QString folder = QFileInfo(failure.path).absolutePath();
        auto it = std::find_if(groups.begin(), groups.end(), [&](const Group &g) {
            return g.first.error == failure.error && g.first.detail == failure.detail &&
                   QFileInfo(g.first.path).absolutePath() == folder;
        });
        if (it == groups.end())
            groups.append(Group{failure, 1});
        else
            ++it->count;
    }
    QStringList messages;
    for (const Group &group : std::as_const(groups)) {
        if (group.count == 1) {
            messages.append(group.first.message());
            continue;
        }
        const QString because = group.first.detail.isEmpty()
                                    ? QString()
                                    : QStringLiteral(" (%1)").arg(group.first.detail);
        messages.append(
            QStringLiteral("%1 shots could not be written into %2%3.")
                .arg(group.count)
                .arg(QDir::toNativeSeparators(QFileInfo(group.first.path).absolutePath()),
                     because));
    }
    return messages;
}

AppPaths applicationPathsFor(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const QString application = folder.fileName() == QLatin1String("VUDaviziDump")
                                    ? folder.absolutePath()
                                    : folder.absoluteFilePath();
    return AppPaths::forProgram(application, QStringLiteral("VUDaviziDump"));
}

FileStatus ensureFolder(const QString &folder)
{
    return makeFolder(folder);
}

QString folderProblem(const QString &folder)
{
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    if (info.isDir())
        return {};
    if (!info.exists() && !info.isSymLink())
        return QStringLiteral("The folder %1 does not exist.").arg(shown);
    if (info.isFile())
        return QStringLiteral("%1 is a file, not a folder.").arg(shown);
    return QStringLiteral("%1 is not a folder.").arg(shown);
}

PhotoCounts countPhotos(const camera::SaveRead &save)
{
    PhotoCounts counts;
    for (const camera::SaveBank &bank : save.banks) {
        counts.album += bank.album.size();
        counts.deleted += bank.deleted.size();
    }
    return counts;
}

QString photosText(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 photo") : QStringLiteral("%1 photos").arg(n);
}

} // namespace camvista::dump
