#pragma once

#include <QString>

namespace camvista::profile
{

// A small reader and writer of sectioned key-value ("ini") files.
//
// Sections and keys are matched without regard to case; values are trimmed and may be quoted.
// Text is stored one byte per character (Latin-1). A rewrite changes only the line of the key
// (or adds it at the end of its section, or adds the section at the end of the file) and keeps
// every other line, comment and ordering as it was.

// Files larger than this are not parsed (they read as empty) and never rewritten, so a stray
// huge file neither stalls the program nor gets truncated; a write that would take a file past
// it is refused. A UTF-8 byte-order mark at the start is skipped when reading and kept when
// rewriting.
inline constexpr qint64 kMaxProfileBytes = 4 * 1024 * 1024;

// The value of `key` in `section`, or `defaultValue` when the file, the section or the key is
// missing. At most `bufferChars - 1` characters come back, as from a fixed buffer.
QString readString(const QString &file, const QString &section, const QString &key,
                   const QString &defaultValue = QString(), int bufferChars = 255);

// Stores `value` under `key`, creating the file, the section and the key as needed. The file is
// replaced atomically; false (and the file unchanged) when it cannot be read or written.
bool writeString(const QString &file, const QString &section, const QString &key,
                 const QString &value);

} // namespace camvista::profile
