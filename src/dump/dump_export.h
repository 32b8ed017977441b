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
    bool severalBanks = false; // the save is a dump whose banks are told apart
};

enum class ShotFormat { Bmp, Png };

// The pictures of a save in the order they are offered and written: bank by bank, the album in
// album order, then (when asked) the deleted photos, then (when asked) the last-seen picture and
// the game face.
QList<DumpShot> shotsOfSave(const camera::SaveRead &save, bool deleted, bool extras);

// The file name without extension: "mysave-01", "mysave-deleted-slot07", "mysave-last-seen",
// "mysave-game-face", with "-bank2" after the save's name for the second bank of a dump.
QString shotBaseName(const QString &saveName, const DumpShot &shot);

// The file name extension of a format, without its dot.
QString shotExtension(ShotFormat format);

struct DumpResult {
    QStringList written;        // full paths, in writing order
    QStringList alreadyThere;   // for each shot skipped, the file that holds its pixels already
    QList<FileStatus> failures; // one for each shot that could not be written

    // The failures grouped by cause, one sentence each: a full disk is told once with the number
    // of shots it cost, not once for every shot.
    QStringList failureMessages() const;
};

// Writes every shot into `folder`, through the safe writer: BMP in the editor's 24-bit layout, or
// PNG. A shot whose file (its name, or one of its numbered names) already holds the same pixels
// is skipped and counted as already there; any other shot goes under its name, or the first free
// "name (2)", "name (3)", ..., claimed at the moment of writing, so that no file is ever
// overwritten, not even by another program writing into the same folder at the same time. Goes on
// after a failure, so one bad file costs one shot. With a `frame` (a frame file's picture) every
// 128 x 112 photo is written as the 160 x 144 shot framedPhoto() makes of it.
DumpResult writeShots(const QList<DumpShot> &shots, const QString &savePath, const QString &folder,
                      ShotFormat format, const QImage &frame = QImage());

// The application folder the companion program belongs to: the folder above its own when it
// lives in "VUDaviziDump" beside the main program, else its own folder (installed: "bin").
AppPaths applicationPathsFor(const QString &programFolder);

// Creates the folder (and those above it) when it is missing. On failure the status names the
// folder that could not be made and gives the system's words.
FileStatus ensureFolder(const QString &folder);

// Why a folder named on the command line or picked before cannot take the shots, as a sentence
// naming it ("The folder ... does not exist.", "... is a file, not a folder."); empty when it is
// a folder.
QString folderProblem(const QString &folder);

// The album and deleted photos of a save, counted over all its banks.
struct PhotoCounts {
    qsizetype album = 0;
    qsizetype deleted = 0;
};
PhotoCounts countPhotos(const camera::SaveRead &save);

// "1 photo", "2 photos".
QString photosText(qsizetype n);

} // namespace camvista::dump
