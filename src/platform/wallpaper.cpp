#include "wallpaper.h"

#include "drive_root.h"

#include "imaging/safe_write.h"

#include <QDir>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace camvista
{

QString wallpaperUserName()
{
    const QString named = qEnvironmentVariable("USERNAME");
    if (!named.isEmpty())
        return named;
    for (const char *variable : {"USER", "LOGNAME"}) {
        const QString login = qEnvironmentVariable(variable);
        if (!login.isEmpty())
            return login;
    }
    if (const passwd *entry = getpwuid(getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return {};
}

QString profileFolderName(const QString &userName)
{
    QString name = userName;
    for (QChar &c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    if (name.count(QLatin1Char('.')) == name.size())
        name = QString(qMax<qsizetype>(1, name.size()), QLatin1Char('_'));
    return name;
}

bool folderListsAFile(const QString &folder)
{
    // QDir::Files without QDir::Hidden leaves out dot files and hidden entries.
    return !QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty();
}

QString wallpaperWindowsPath()
{
    const QString user = profileFolderName(wallpaperUserName());
    const QString older = kOlderProfileFolder.arg(user);
    const QString folder =
        folderListsAFile(localPathOf(older)) ? older : kNewerProfileFolder.arg(user);
    return folder + kWallpaperFileName;
}

WallpaperStyleValues wallpaperStyleValues(Desktop::WallpaperStyle style)
{
    switch (style) {
    case Desktop::WallpaperStyle::Centered:
        return {QStringLiteral("0"), QStringLiteral("0")};
    case Desktop::WallpaperStyle::Stretched:
        return {QStringLiteral("2"), QStringLiteral("0")};
    case Desktop::WallpaperStyle::Tiled:
        break;
    }
    return {QStringLiteral("0"), QStringLiteral("1")};
}

WallpaperOutcome setDesktopWallpaper(const QImage &picture, Desktop::WallpaperStyle style,
                                     Desktop &desktop)
{
    WallpaperOutcome outcome;
    outcome.file = localPathOf(wallpaperWindowsPath());
    const FileStatus folder = makeFolder(QFileInfo(outcome.file).absolutePath());
    if (!folder.ok()) {
        outcome.written =
            FileStatus{FileError::CannotWrite, outcome.file,
                       QStringLiteral("the folder \u201C%1\u201D could not be created: %2")
                           .arg(QDir::toNativeSeparators(folder.path), folder.detail)};
        return outcome;
    }
    outcome.written = savePictureBmp(picture, outcome.file);
    if (!outcome.written.ok())
        return outcome;

    // The settings are what a later session reads; failing to store them does not stop the
    // desktop from showing the picture now.
    const WallpaperStyleValues values = wallpaperStyleValues(style);
    desktop.writeDesktopSetting(kDesktopSettingsKey, QStringLiteral("WallpaperStyle"),
                                values.wallpaperStyle);
    desktop.writeDesktopSetting(kDesktopSettingsKey, QStringLiteral("TileWallpaper"),
                                values.tileWallpaper);
    outcome.applied = desktop.applyWallpaper(outcome.file, style);
    return outcome;
}

} // namespace camvista
