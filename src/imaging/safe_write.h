#pragma once

#include "picture_file.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

namespace camvista
{

// True when a file stands at `path` and carries no write permission for anyone. Such a file is
// treated as read-only even for a user (root) whom the system would let write it.
bool isWriteProtected(const QString &path);

// Every file the program writes goes through this: the bytes go to a temporary file beside
// `path` that replaces it only when `write` returned true and everything was flushed to disk.
// A read-only target is refused before anything is written.
FileStatus writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write);
FileStatus writeFileSafely(const QString &path, const QByteArray &bytes);

// Writes all `size` bytes, trying again after a short write so that the device reports why it
// stopped (a full disk). False when not everything was written.
bool writeAll(QIODevice &device, const char *data, qint64 size);

} // namespace camvista
