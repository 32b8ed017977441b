#include "safe_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace camvista
{

namespace
{

// More numbered names than any folder of shots holds: past this the folder is taken as full.
constexpr int kMaxNameNumber = 99999;

FileStatus failure(const QString &path, FileError error, const QString &detail = {})
{
    return FileStatus{error, path, detail};
}

// The device's own account of a failure. Qt words a failed write it could not explain as
// "Unknown error"; that says nothing, so it counts as no words at all.
QString deviceWords(const QFileDevice &file)
{
    if (file.error() == QFileDevice::NoError)
        return {};
    const QString words = file.errorString();
    return words == QLatin1String("Unknown error") ? QString() : words;
}

// Flushes Qt's buffer, then the system's, and checks that the file holds every byte written.
// Empty when all is well, else the reason.
QString pushToDisk(QFileDevice &file)
{
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        const QString words = deviceWords(file);
        return words.isEmpty() ? qt_error_string(EIO) : words;
    }
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

// Runs the caller's writer; false with the reason in `why` when it failed or threw. The device
// is unbuffered, so a short write reaches the system at once and the next attempt (writeAll
// tries again) comes back with the system's reason, which Qt then keeps.
bool runWriter(QFileDevice &file, const std::function<bool(QIODevice &)> &write, QString &why)
{
    try {
        if (write(file))
            return true;
        why = deviceWords(file);
    } catch (const std::bad_alloc &) {
        why = qt_error_string(ENOMEM);
    }
    return false;
}

// Anything at the path counts, a dangling link too.
bool somethingStandsAt(const QByteArray &native)
{
    struct stat st = {};
    return ::lstat(native.constData(), &st) == 0;
}

// A temporary file beside the file it becomes, removed again unless it was published.
class PendingFile
{
public:
    explicit PendingFile(const QString &target) : m_target(target) {}
    ~PendingFile()
    {
        m_file.close();
        if (!m_native.isEmpty() && !m_published)
            ::unlink(m_native.constData());
    }
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    QFile &device() { return m_file; }

    // Empty when the temporary file is open, else the system's words.
    QString create()
    {
        const QFileInfo info(m_target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            // Hidden, so that no file list shows a file that is still being written.
            const QString name =
                QStringLiteral(".%1.%2.tmp")
                    .arg(info.fileName())
                    .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            const QByteArray native = QFile::encodeName(info.dir().filePath(name));
            const int fd = ::open(native.constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd < 0) {
                if (errno == EEXIST)
                    continue;
                return qt_error_string(errno);
            }
            m_native = native;
            if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                             QFileDevice::AutoCloseHandle)) {
                ::close(fd);
                return m_file.errorString();
            }
            return {};
        }
        return qt_error_string(EEXIST);
    }

    // Gives the finished file the name `path` unless something stands there: 0, or errno
    // (EEXIST when the name is taken).
    int publish(const QString &path)
    {
        const QByteArray native = QFile::encodeName(path);
        if (::renameat2(AT_FDCWD, m_native.constData(), AT_FDCWD, native.constData(),
                        RENAME_NOREPLACE) == 0) {
            m_published = true;
            return 0;
        }
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
            return errno;
        // No atomic rename here: a hard link cannot replace a name either.
        if (::link(m_native.constData(), native.constData()) != 0)
            return errno;
        ::unlink(m_native.constData());
        m_published = true;
        return 0;
    }

private:
    QString m_target;
    QByteArray m_native;
    QFile m_file;
    bool m_published = false;
};

// Fills a pending file through `write` and pushes it to disk. Empty when it is ready to publish.
std::optional<FileStatus> fillPending(PendingFile &pending, const QString &path,
                                      const std::function<bool(QIODevice &)> &write)
{
    const QString notCreated = pending.create();
    if (!notCreated.isEmpty())
        return failure(path, FileError::CannotWrite, notCreated);
    QString why;
    if (!runWriter(pending.device(), write, why))
        return failure(path, FileError::CannotWrite, why);
    const QString notOnDisk = pushToDisk(pending.device());
    if (!notOnDisk.isEmpty())
        return failure(path, FileError::CannotWrite, notOnDisk);
    pending.device().close();
    return std::nullopt;
}

FileStatus writeNew(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    if (somethingStandsAt(QFile::encodeName(path)))
        return failure(path, FileError::AlreadyExists, qt_error_string(EEXIST));
    PendingFile pending(path);
    if (const auto failed = fillPending(pending, path, write))
        return *failed;
    const int err = pending.publish(path);
    if (err == EEXIST)
        return failure(path, FileError::AlreadyExists, qt_error_string(EEXIST));
    if (err != 0)
        return failure(path, FileError::CannotWrite, qt_error_string(err));
    return FileStatus{FileError::None, path, {}};
}

FileStatus replace(const QString &path, const std::function<bool(QIODevice &)> &write)
{
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
    // Unbuffered: QSaveFile would keep the last block in its buffer and write it inside
    // commit(), which then loses a full disk's error and renames a cut-short file over the old
    // one. Every write reaches the system at once, and fails there in the system's words.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(path, FileError::CannotWrite, file.errorString());

    QString why;
    if (!runWriter(file, write, why)) {
        // The temporary file is removed when `file` goes out of scope uncommitted.
        file.cancelWriting();
        return failure(path, FileError::CannotWrite, why);
    }
    const QString notOnDisk = pushToDisk(file);
    if (!notOnDisk.isEmpty()) {
        file.cancelWriting();
        return failure(path, FileError::CannotWrite, notOnDisk);
    }
    if (!file.commit())
        return failure(path, FileError::CannotWrite, file.errorString());
    return FileStatus{FileError::None, path, {}};
}

QString withoutDot(const QString &extension)
{
    return extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
}

QString numberedName(const QString &baseName, const QString &extension, int number)
{
    if (number < 2)
        return baseName + QLatin1Char('.') + extension;
    return QStringLiteral("%1 (%2).%3").arg(baseName).arg(number).arg(extension);
}

// The number of a name of the family: 1 for baseName.extension, N for "baseName (N).extension",
// 0 for any other name.
int numberOfName(const QString &name, const QString &baseName, const QString &extension)
{
    const QString tail = QLatin1Char('.') + extension;
    if (!name.startsWith(baseName) || !name.endsWith(tail))
        return 0;
    const QStringView middle =
        QStringView(name).mid(baseName.size(), name.size() - baseName.size() - tail.size());
    if (middle.isEmpty())
        return 1;
    if (!middle.startsWith(QLatin1String(" (")) || !middle.endsWith(QLatin1Char(')')))
        return 0;
    const QStringView digits = middle.mid(2, middle.size() - 3);
    if (digits.isEmpty() || digits.startsWith(QLatin1Char('0')))
        return 0;
    bool ok = false;
    const int number = digits.toInt(&ok);
    return ok && number >= 2 ? number : 0;
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    const auto rowBytes = size_t(left.width()) * sizeof(QRgb);
    for (int y = 0; y < left.height(); ++y) {
        if (std::memcmp(left.constScanLine(y), right.constScanLine(y), rowBytes) != 0)
            return false;
    }
    return true;
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

FileStatus writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write,
                           WriteMode mode)
{
    if (path.isEmpty())
        return failure(path, FileError::CannotWrite, qt_error_string(ENOENT));
    return mode == WriteMode::NeverReplace ? writeNew(path, write) : replace(path, write);
}

FileStatus writeFileSafely(const QString &path, const QByteArray &bytes, WriteMode mode)
{
    return writeFileSafely(
        path, [&bytes](QIODevice &dev) { return writeAll(dev, bytes.constData(), bytes.size()); },
        mode);
}

FileStatus writeUnderFreeName(const QString &folder, const QString &baseName,
                              const QString &extension, const QByteArray &bytes)
{
    const QString ext = withoutDot(extension);
    const QDir dir(folder);
    QString path = dir.filePath(numberedName(baseName, ext, 1));
    if (folder.isEmpty() || baseName.isEmpty())
        return failure(path, FileError::CannotWrite, qt_error_string(ENOENT));

    // Written once; only the publishing is tried under one name after another.
    PendingFile pending(path);
    if (const auto failed = fillPending(pending, path, [&bytes](QIODevice &dev) {
            return writeAll(dev, bytes.constData(), bytes.size());
        }))
        return *failed;
    for (int number = 1; number <= kMaxNameNumber; ++number) {
        path = dir.filePath(numberedName(baseName, ext, number));
        if (somethingStandsAt(QFile::encodeName(path)))
            continue;
        const int err = pending.publish(path);
        if (err == 0)
            return FileStatus{FileError::None, path, {}};
        if (err != EEXIST)
            return failure(path, FileError::CannotWrite, qt_error_string(err));
        // Another writer took the name between our look and our claim: try the next.
    }
    return failure(path, FileError::AlreadyExists, qt_error_string(EEXIST));
}

QString fileWithSamePixels(const QString &folder, const QString &baseName, const QString &extension,
                           const QImage &picture)
{
    if (folder.isEmpty() || baseName.isEmpty() || picture.isNull())
        return {};
    const QString ext = withoutDot(extension);
    const QDir dir(folder);
    std::vector<std::pair<int, QString>> family;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (const int number = numberOfName(name, baseName, ext); number > 0)
            family.emplace_back(number, name);
    }
    std::sort(family.begin(), family.end());
    for (const auto &[number, name] : family) {
        const QString path = dir.filePath(name);
        const PictureLoad loaded = loadPictureFile(path);
        if (loaded.ok() && samePixels(loaded.image, picture))
            return path;
    }
    return {};
}

} // namespace camvista
