#include "app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace camvista
{

namespace
{

// The companion programs, by the path the toolbar names them with and by the name they are
// installed under beside the main program ("cls" alone is too generic a name for /usr/bin).
struct Companion {
    const char *windowsPath;
    const char *installedName;
};
constexpr Companion kCompanions[] = {
    {"VUDaviziDump/VUDaviziDump.exe", "VUDaviziDump"},
    {"MCCL/cls.exe", "camvista-cls"},
};

QString relativeOf(const QString &path)
{
    QString rel = path;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    return rel;
}

QString underFolder(const QString &folder, const QString &rel)
{
    return rel.isEmpty() ? folder : QDir(folder).filePath(rel);
}

} // namespace

AppPaths AppPaths::fromApplication()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    // Only a Windows-style extension is dropped: "camvista.exe" and "camvista" both give
    // "camvista", while a dotted name such as "camvista.beta" stays whole.
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return forProgram(QCoreApplication::applicationDirPath(), name);
}

AppPaths AppPaths::forProgram(const QString &programFolder, const QString &exeName)
{
    AppPaths paths{QDir::cleanPath(programFolder), exeName};
    const QString share = QDir::cleanPath(paths.folder + QLatin1Char('/') + kInstalledDataFolder);
    if (QFileInfo(paths.folder).fileName() != QLatin1String("bin") || !QFileInfo(share).isDir())
        return paths;
    paths.dataFolder = share;
    paths.configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/camvista");
    paths.picturesFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (paths.picturesFolder.isEmpty())
        paths.picturesFolder = QDir::homePath();
    return paths;
}

QString programOnThisSystem(const QString &path)
{
#ifndef Q_OS_WIN
    if (path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        const QString bare = path.chopped(4);
        if (QFileInfo(bare).isFile())
            return bare;
    }
#endif
    return path;
}

QString AppPaths::file(const QString &relative) const
{
    const QString rel = relativeOf(relative);
    if (!installed())
        return underFolder(folder, rel);
    for (const Companion &companion : kCompanions) {
        if (rel.compare(QLatin1String(companion.windowsPath), Qt::CaseInsensitive) == 0)
            return underFolder(folder, QLatin1String(companion.installedName));
    }
    return underFolder(dataFolder, rel);
}

QString AppPaths::settingsFile() const
{
    return underFolder(installed() ? configFolder : folder, exeName + QStringLiteral(".ini"));
}

QString AppPaths::shotsFolder() const
{
    return underFolder(installed() ? picturesFolder : folder, kShotsFolderName);
}

} // namespace camvista
