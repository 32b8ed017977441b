#include "temp_app_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace camvista::test
{

TempAppFolder::TempAppFolder(const QString &exeName) : m_paths{m_dir.path(), exeName} {}

QString TempAppFolder::file(const QString &relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

QString TempAppFolder::write(const QString &relative, const QByteArray &bytes) const
{
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(full));
    return full;
}

} // namespace camvista::test
