#include "ini.h"

#include "platform/profile_file.h"

namespace camvista
{

QString ReadIni(const AppPaths &paths, const QString &section, const QString &key)
{
    return profile::readString(paths.settingsFile(), section, key, QString(), 255);
}

QString WriteIni(const AppPaths &paths, const QString &section, const QString &key,
                 const QString &value)
{
    profile::writeString(paths.settingsFile(), section, key, value);
    return QString();
}

} // namespace camvista
