#pragma once

#include <QString>

class QTextStream;

namespace camvista
{

// Helpers for the command lines' standard output. Qt Core only.

// A path for a one-path-a-line listing on standard output: as it is, or in double quotes with
// C-style escapes (\n, \t, \\, \", \xNN) when it holds a newline or another control character,
// or itself begins with a double quote, so that every line stands for exactly one path.
QString pathForListing(const QString &path);

// Flushes standard output (the C stream, and first `stream` when one is given: a QTextStream
// the caller writes stdout with) and says whether every byte arrived; false on /dev/full or a
// closed pipe. On false it has already said why on standard error, in the system's words.
// Command lines call it at the end and exit non-zero on false.
bool finishStandardOutput(QTextStream *stream = nullptr);

} // namespace camvista
