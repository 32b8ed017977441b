#pragma once

#include "platform/app_paths.h"

#include <QTemporaryDir>

namespace camvista::test
{

// A throw-away application folder: tests never touch the folder of the real executable.
class TempAppFolder
{
public:
    explicit TempAppFolder(const QString &exeName = QStringLiteral("camvista"));

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    const AppPaths &paths() const { return m_paths; }
    QString file(const QString &relative) const;
    // Writes `bytes` to a file under the folder and returns its full path.
    QString write(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    AppPaths m_paths;
};

} // namespace camvista::test
