#pragma once

#include <QString>

namespace camvista
{

// Where the program finds what lies beside its executable. Windows receive this at
// construction so tests can point it at a temporary folder.
struct AppPaths {
    QString folder;  // the application folder
    QString exeName; // the executable's file name without extension

    // The running executable's folder and name.
    static AppPaths fromApplication();

    // `relative` may use "\" or "/" as separator and may start with one: "\frames\default".
    QString file(const QString &relative) const;
    QString settingsFile() const;
    QString shotsFolder() const;
};

// The file to start for a program named the Windows way: outside Windows, "VUDaviziDump.exe"
// is the program "VUDaviziDump" in the same folder when that one is there. Any other path is
// returned as it is.
QString programOnThisSystem(const QString &path);

inline const QString kShotsFolderName = QStringLiteral("VUDavizi Shots");

} // namespace camvista
