#include "safe_write.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace camvista
{

namespace
{

FileStatus failure(const QString &path, FileError error, const QString &detail = {})
{
    return FileStatus{error, path, detail};
}

// Flushes Qt's buffer, then the system's, and checks that the file holds every byte written.
// Empty when all is well, else the reason.
QString pushToDisk(QSaveFile &file)
{
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return file.errorString();
    const int fd = file.handle();
    if (fd < 0)
        return qt_error_string(EBADF);
    // File systems that cannot sync say so with EINVAL; anything else (EIO, ENOSPC, EDQUOT on
    // a network disk) means the bytes may not be there.
    if (::fdatasync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        return qt_error_string(errno);
    struct stat st = {};
    if (::fstat(fd, &st) != 0)
        return qt_error_string(errno);
    if (st.st_size < file.pos())
        return qt_error_string(EIO);
    return {};
}

} // namespace

bool writeAll(QIODevice &device, const char *data, qint64 size)
{
    while (size > 0) {
        const qint64 n = device.write(data, size);
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

bool isWriteProtected(const QString &path)
{
    struct stat st = {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    if (S_ISDIR(st.st_mode))
        return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

FileStatus writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    if (path.isEmpty())
        return failure(path, FileError::CannotWrite, qt_error_string(ENOENT));

    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        // QSaveFile would rename its temporary file over a device node or a pipe, replacing it
        // with a plain file: only ever replace regular files.
        if (S_ISDIR(st.st_mode))
            return failure(path, FileError::NotAFile, qt_error_string(EISDIR));
        if (!S_ISREG(st.st_mode))
            return failure(path, FileError::NotAFile);
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return failure(path, FileError::WriteProtected, qt_error_string(EACCES));
    }

    QSaveFile file(path);
    // No direct-write fallback: in a read-only folder that would overwrite the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, FileError::CannotWrite, file.errorString());

    bool written = false;
    QString why;
    try {
        written = write(file);
    } catch (const std::bad_alloc &) {
        written = false;
        why = qt_error_string(ENOMEM);
    }
    if (!written) {
        if (file.error() != QFileDevice::NoError) {
            // After a failed buffered write Qt's text is still vague; flushing again fails
            // with the system's own words (disk full, file too large).
            file.flush();
            why = file.errorString();
        }
        // The temporary file is removed when `file` goes out of scope uncommitted.
        file.cancelWriting();
        return failure(path, FileError::CannotWrite, why);
    }
    // QSaveFile keeps the last block in its buffer and writes it inside commit(), which then
    // loses a full disk's error and renames a cut-short file over the old one. Push everything
    // out first, and only commit what is on disk whole.
    const QString notOnDisk = pushToDisk(file);
    if (!notOnDisk.isEmpty()) {
        file.cancelWriting();
        return failure(path, FileError::CannotWrite, notOnDisk);
    }
    if (!file.commit())
        return failure(path, FileError::CannotWrite, file.errorString());
    return FileStatus{FileError::None, path, {}};
}

FileStatus writeFileSafely(const QString &path, const QByteArray &bytes)
{
    return writeFileSafely(
        path, [&bytes](QIODevice &dev) { return writeAll(dev, bytes.constData(), bytes.size()); });
}

} // namespace camvista
