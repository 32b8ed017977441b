#include "drive_root.h"

#include <QDir>
#include <QStandardPaths>

namespace camvista
{

QString driveRoot()
{
    const QString named = qEnvironmentVariable("CAMVISTA_DRIVE_C");
    if (!named.isEmpty())
        return QDir::cleanPath(named);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/camvista/drive_c");
}

QString localPathOf(const QString &windowsPath)
{
    QString path = windowsPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].toUpper() == QLatin1Char('C')) {
        QString rest = path.mid(2);
        if (!rest.startsWith(QLatin1Char('/')))
            rest.prepend(QLatin1Char('/'));
        return driveRoot() + rest;
    }
    return path;
}

QString desktopSettingsFile()
{
    return driveRoot() + QStringLiteral("/camvista-desktop-settings.json");
}

} // namespace camvista
