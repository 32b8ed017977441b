#pragma once

#include "picture_file.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>

#include <functional>

namespace camvista
{

// True when a file stands at `path` and carries no write permission for anyone. Such a file is
// treated as read-only even for a user (root) whom the system would let write it.
bool isWriteProtected(const QString &path);

enum class WriteMode {
    Replace,      // the finished file takes the place of whatever regular file stood there
    NeverReplace, // the finished file appears only if nothing stands at the path by then
};

// Every file the program writes goes through this: the bytes go to a temporary file beside
// `path` that takes its name only when `write` returned true and everything was flushed to disk.
// A read-only target is refused before anything is written. With NeverReplace the name is
// claimed atomically when the file is published (renameat2 with RENAME_NOREPLACE, or link()
// and unlink() where the file system lacks it): when anything stands there by then, even a
// file that appeared while we wrote, the result is FileError::AlreadyExists and nothing is
// overwritten. Failures carry the system's own words in `detail`.
FileStatus writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write,
                           WriteMode mode = WriteMode::Replace);
FileStatus writeFileSafely(const QString &path, const QByteArray &bytes,
                           WriteMode mode = WriteMode::Replace);

// Writes `bytes` as folder/baseName.extension, or as the first of "baseName (2).extension",
// "baseName (3).extension", ... that is free. The name is claimed atomically when the finished
// file is published; when another writer took it in the meantime the next one is tried, so no
// file is ever overwritten. The returned status's path is the file actually written (on failure
// the name last tried). `extension` is given without its dot ("bmp"); a leading dot is ignored.
FileStatus writeUnderFreeName(const QString &folder, const QString &baseName,
                              const QString &extension, const QByteArray &bytes);

// The path of the file among baseName.extension and "baseName (N).extension" in `folder` that
// holds exactly `picture`'s pixels, read through loadPictureFile; the lowest N first. Empty when
// none does.
QString fileWithSamePixels(const QString &folder, const QString &baseName, const QString &extension,
                           const QImage &picture);

// Writes all `size` bytes, trying again after a short write so that the device reports why it
// stopped (a full disk). False when not everything was written.
bool writeAll(QIODevice &device, const char *data, qint64 size);

} // namespace camvista
