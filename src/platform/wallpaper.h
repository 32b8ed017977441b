#pragma once

#include "desktop.h"

#include "imaging/picture_file.h"

#include <QImage>
#include <QString>

namespace camvista
{

// Making a composed picture the desktop wallpaper: the picture goes to a fixed file in the
// user's local application data folder, the style to two desktop settings, then the desktop is
// asked to show it.

inline const QString kWallpaperFileName = QStringLiteral("wallcamvista.bmp");
inline const QString kDesktopSettingsKey = QStringLiteral("Control Panel\\Desktop");
inline const QString kOlderProfileFolder =
    QStringLiteral("C:\\Documents and Settings\\%1\\Local Settings\\Application Data\\Microsoft\\");
inline const QString kNewerProfileFolder =
    QStringLiteral("C:\\Users\\%1\\AppData\\Local\\Microsoft\\");

// "USERNAME", or the login name where that is unset (the usual case outside Windows).
QString wallpaperUserName();

// The user name as one folder name of a profile path: ordinary names stay as they are; path
// separators (\ / :) and control characters become "_", and a name that is empty or only dots
// ("." or "..") becomes as many "_", so the name never leads out of the profiles' folder.
QString profileFolderName(const QString &userName);

// True when a listing of the folder yields at least one plain file: subfolders and hidden
// files do not count. A missing folder yields none.
bool folderListsAFile(const QString &folder);

// The wallpaper file's path in Windows form, in the profile folder of profileFolderName(): the
// older profile layout when its folder lists a file, else the newer one.
QString wallpaperWindowsPath();

// The two values each style writes, "WallpaperStyle" first.
struct WallpaperStyleValues {
    QString wallpaperStyle;
    QString tileWallpaper;
};
WallpaperStyleValues wallpaperStyleValues(Desktop::WallpaperStyle style);

struct WallpaperOutcome {
    QString file;       // where the picture was (to be) written, as a local path
    FileStatus written; // the write of that file
    Desktop::WallpaperResult applied = Desktop::WallpaperResult::Failed; // when written
};

// Writes the picture (creating the folder when it is missing), stores the style's two values
// and applies the wallpaper. When the file cannot be written nothing else is done.
WallpaperOutcome setDesktopWallpaper(const QImage &picture, Desktop::WallpaperStyle style,
                                     Desktop &desktop);

} // namespace camvista
