#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace camvista::dump
{

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // the save could not be read or a shot not written
inline constexpr int kExitUsage = 2;  // the command line itself is wrong

inline const QString kUsage =
    QStringLiteral("Usage: VUDaviziDump FILE.sav [--out FOLDER] [--frame N|NAME|none] [--deleted] "
                   "[--extras] [--png]");

// The command line without a window: `arguments` without the program's own name. Prints the full
// path of every file written on `out`, one a line, and every problem on `err`; returns the exit
// status. Without --out the shots go to the shots folder of `programFolder`'s application folder.
int runCommandLine(const QStringList &arguments, const QString &programFolder, QTextStream &out,
                   QTextStream &err);

} // namespace camvista::dump
