#pragma once

#include <QStringList>

class QTextStream;

namespace camvista
{
struct AppPaths;
}

namespace camvista::exporting
{

inline constexpr int kExitAllWritten = 0;
inline constexpr int kExitNotAllWritten = 1;
inline constexpr int kExitUsage = 2;

// True when the program was started to export from the command line: "--export" is among the
// arguments. No window, splash or display is needed then.
bool isExportCommand(int argc, char **argv);

// The whole export command: makes the (window-less) application object and runs it.
int exportMain(int argc, char **argv);

// Runs `camvista --export ...` (arguments[0] is the program) on the running event loop: written
// paths on `out`, progress and problems on `err`, a bar when `terminal` is true, else a line per
// file. kExitAllWritten only when every file was written or already there.
int runExportCommand(const QStringList &arguments, const AppPaths &paths, QTextStream &out,
                     QTextStream &err, bool terminal);

} // namespace camvista::exporting
