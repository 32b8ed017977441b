#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace camvista::link
{

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // a print or the capture could not be had, or not written
inline constexpr int kExitUsage = 2;  // the command line itself is wrong

inline const QString kUsage =
    QStringLiteral("Usage: cls CAPTURE.txt [--out DIR] [--png] [--strict]\n"
                   "       cls --port DEVICE [--baud N] [--count N] [--out DIR] [--png] "
                   "[--strict]");

// The command line without a window: `arguments` without the program's own name. Prints the
// path of every print written on `out`, one a line, and every problem on `err`; returns the
// exit status. Reading a port runs an event loop until Ctrl+C, --count prints or the port goes
// away, so a QCoreApplication must exist. Without --out the prints go to the shots folder of
// `programFolder`'s application folder.
int runCommandLine(const QStringList &arguments, const QString &programFolder, QTextStream &out,
                   QTextStream &err);

} // namespace camvista::link
