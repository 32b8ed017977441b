#include "first_start.h"

#include "imaging/safe_write.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace camvista
{

FolderNotice prepareUserFolders(const AppPaths &paths)
{
    const QString shots = paths.shotsFolder();
    if (!paths.installed()) {
        // Beside the program: an existing folder is fine and a failure is not reported.
        QDir().mkdir(shots);
        return {};
    }

    QStringList told;
    bool failed = false;
    const QString config = QFileInfo(paths.settingsFile()).absolutePath();
    if (const FileStatus made = makeFolder(config); !made.ok()) {
        failed = true;
        told << QStringLiteral("Your settings cannot be kept: the folder \"%1\" could not be "
                               "created (%2).")
                    .arg(QDir::toNativeSeparators(config), made.detail);
    }
    const bool firstStart = !QFileInfo::exists(shots);
    if (const FileStatus made = makeFolder(shots); !made.ok()) {
        failed = true;
        told << QStringLiteral("Your shots folder \"%1\" could not be created (%2). Choose "
                               "another folder in the browser to work on your shots.")
                    .arg(QDir::toNativeSeparators(shots), made.detail);
    } else if (firstStart) {
        told << QStringLiteral("Your shots are kept in \"%1\".")
                    .arg(QDir::toNativeSeparators(shots));
    }
    return {told.join(QStringLiteral("\n\n")), failed};
}

} // namespace camvista
