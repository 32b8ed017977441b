#pragma once

#include "camera/camera_save.h"
#include "imaging/picture_file.h"
#include "platform/app_paths.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace camvista::dump
{

// One picture of a save that can become a shot file.
struct DumpShot {
    enum class Kind { Album, Deleted, LastSeen, GameFace };
    Kind kind = Kind::Album;
    int bank = 0;  // position of its bank in the file, 0 for the first
    int slot = 0;  // 0 to 29 for album and deleted photos
    int album = 0; // 1 to 30 for album photos
    QImage picture;
};

enum class ShotFormat { Bmp, Png };

// The pictures of a save in the order they are offered and written: bank by bank, the album in
// album order, then (when asked) the deleted photos, then (when asked) the last-seen picture and
// the game face.
QList<DumpShot> shotsOfSave(const camera::SaveRead &save, bool deleted, bool extras);

// The file name without extension: "mysave-01", "mysave-deleted-slot07", "mysave-last-seen",
// "mysave-game-face", with "-bank2" after the save's name for the second bank of a dump.
QString shotBaseName(const QString &saveName, const DumpShot &shot);

// `folder`/`baseName` + extension, or, when something stands there already, the first of
// "baseName (2)", "baseName (3)", ... that is free: an existing file is never overwritten.
QString freeShotPath(const QString &folder, const QString &baseName, ShotFormat format);

struct DumpResult {
    QStringList written;        // full paths, in writing order
    QList<FileStatus> failures; // one for each shot that could not be written
};

// Writes every shot into `folder` under a free name, through the safe writer: BMP in the
// editor's 24-bit layout, or PNG. Goes on after a failure, so one bad file costs one shot.
DumpResult writeShots(const QList<DumpShot> &shots, const QString &savePath, const QString &folder,
                      ShotFormat format);

// The application folder the companion program belongs to: the folder above its own when it
// lives in "VUDaviziDump" beside the main program, else its own folder (installed: "bin").
AppPaths applicationPathsFor(const QString &programFolder);

// Creates the folder (and those above it) when it is missing; false when it cannot be had.
bool ensureFolder(const QString &folder);

} // namespace camvista::dump
