#pragma once

#include <QString>

namespace camvista
{

// Windows paths such as "C:\Users\..." keep their exact text in the program's rules; this is
// the one place that says where such a path lies on this system. The drive "C:" is the folder
// named by CAMVISTA_DRIVE_C when that is set, else a folder under the user's data directory.
QString driveRoot();

// "C:\Users\ann\AppData\" (either separator, any case of the drive letter) as a local path
// under driveRoot(), with "/" separators; a final separator stays. Paths on other drives and
// paths without a drive are returned with "/" separators and otherwise unchanged.
QString localPathOf(const QString &windowsPath);

// The file that stands in for the registry's desktop settings.
QString desktopSettingsFile();

} // namespace camvista
