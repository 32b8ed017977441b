#include "app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace camvista
{

AppPaths AppPaths::fromApplication()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    // Only a Windows-style extension is dropped: "camvista.exe" and "camvista" both give
    // "camvista", while a dotted name such as "camvista.beta" stays whole.
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return AppPaths{QCoreApplication::applicationDirPath(), name};
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
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    return rel.isEmpty() ? folder : QDir(folder).filePath(rel);
}

QString AppPaths::settingsFile() const
{
    return file(exeName + QStringLiteral(".ini"));
}

QString AppPaths::shotsFolder() const
{
    return file(kShotsFolderName);
}

} // namespace camvista
