#pragma once

#include <QString>

#include <utility>

namespace camvista
{

// Where the program finds its data and keeps the user's files. Windows receive this at
// construction so tests can point it at a temporary folder.
//
// Run from its own application folder (the portable form) everything lies beside the
// executable. Installed (the executable in a "bin" folder with "../share/camvista" beside it)
// the read-only data comes from that share folder, the settings file from the user's
// configuration folder and the shots folder from the user's pictures folder.
struct AppPaths {
    AppPaths() = default;
    // The portable form: everything in and beside `folder`.
    AppPaths(QString programFolder, QString programName)
        : folder(std::move(programFolder)), exeName(std::move(programName))
    {
    }

    QString folder;  // the application folder: the executable's
    QString exeName; // the executable's file name without extension
    // Set only for an installed program; empty means beside the executable.
    QString dataFolder;     // frames, stamps, wild frames: <prefix>/share/camvista
    QString configFolder;   // the settings file: ~/.config/camvista
    QString picturesFolder; // the shots folder goes in here: ~/Pictures

    bool installed() const { return !dataFolder.isEmpty(); }

    // The running executable's folder and name, laid out by forProgram().
    static AppPaths fromApplication();
    // The one place that decides between the portable and the installed layout: by where the
    // program lies, never by what the user may write (root may write anywhere).
    static AppPaths forProgram(const QString &programFolder, const QString &exeName);

    // `relative` may use "\" or "/" as separator and may start with one: "\frames\default".
    // Installed, data paths lead into the share folder and the companion programs named the
    // Windows way ("\VUDaviziDump\VUDaviziDump.exe") to their installed names beside the
    // executable.
    QString file(const QString &relative) const;
    QString settingsFile() const;
    QString shotsFolder() const;
};

// The file to start for a program named the Windows way: outside Windows, "VUDaviziDump.exe"
// is the program "VUDaviziDump" in the same folder when that one is there. Any other path is
// returned as it is.
QString programOnThisSystem(const QString &path);


inline const QString kShotsFolderName = QStringLiteral("VUDavizi Shots");
// The folder of the installed read-only data, relative to the executable's folder.
inline const QString kInstalledDataFolder = QStringLiteral("../share/camvista");

} // namespace camvista
