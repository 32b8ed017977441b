#include "capture_file.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace camvista::printer
{

QList<PrintResult> CaptureReader::feed(const char *text, qsizetype size)
{
    QList<PrintResult> prints;
    m_parser.feed(text, size, m_packets);
    for (const Packet &packet : std::as_const(m_packets))
        m_decoder.take(packet, prints);
    m_packets.clear();
    return prints;
}

QList<PrintResult> CaptureReader::finish()
{
    QList<PrintResult> prints;
    m_endedInsidePacket = m_parser.finish(m_packets);
    for (const Packet &packet : std::as_const(m_packets))
        m_decoder.take(packet, prints);
    m_packets.clear();
    m_decoder.finish(prints);
    return prints;
}

namespace
{

CaptureRead failed(const QString &path, CaptureRead::Error error, const QString &detail = {})
{
    CaptureRead read;
    read.error = error;
    read.path = path;
    read.detail = detail;
    return read;
}

CaptureRead::Error errorOf(int err)
{
    return err == ENOENT || err == ENOTDIR ? CaptureRead::Error::Missing
                                           : CaptureRead::Error::Unreadable;
}

} // namespace

QString CaptureRead::message() const
{
    const QString quoted = QStringLiteral("\u201C%1\u201D").arg(QFileInfo(path).fileName());
    const QString because = detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail);
    switch (error) {
    case Error::None:
        return {};
    case Error::Missing:
        return QStringLiteral("The capture %1 could not be found.").arg(quoted);
    case Error::NotAFile:
        return QStringLiteral("%1 is a folder, a pipe or a device, not a capture file.")
            .arg(quoted);
    case Error::Unreadable:
        return QStringLiteral("The capture %1 could not be read%2.").arg(quoted, because);
    case Error::TooLarge:
        return QStringLiteral("The file %1 is %2 bytes long, far more than any capture of a "
                              "printer session, so it was not read.")
            .arg(quoted, detail);
    case Error::Binary:
        return QStringLiteral("The file %1 holds binary data, not a capture as text, so it was "
                              "not read.")
            .arg(quoted);
    }
    return {};
}

CaptureRead readCaptureBytes(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return failed({}, CaptureRead::Error::Binary);
    CaptureReader reader;
    CaptureRead read;
    read.prints = reader.feed(bytes);
    read.prints += reader.finish();
    read.counts = reader.counts();
    read.endedInsidePacket = reader.endedInsidePacket();
    return read;
}

CaptureRead readCaptureFile(const QString &path)
{
    if (path.isEmpty())
        return failed(path, CaptureRead::Error::Missing);
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking, so that a pipe cannot hold the open; it is refused just after.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        struct stat st = {};
        if (err != ENOENT && ::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            return failed(path, CaptureRead::Error::NotAFile);
        return failed(path, errorOf(err), qt_error_string(err));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(path, CaptureRead::Error::Unreadable, file.errorString());
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0)
        return failed(path, CaptureRead::Error::Unreadable, qt_error_string(errno));
    if (!S_ISREG(st.st_mode))
        return failed(path, CaptureRead::Error::NotAFile);
    if (st.st_size > kMaxCaptureFileSize)
        return failed(path, CaptureRead::Error::TooLarge, QString::number(qint64(st.st_size)));
    // One byte more than the cap tells a file that grew since it was measured.
    const QByteArray bytes = file.read(kMaxCaptureFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(path, CaptureRead::Error::Unreadable, file.errorString());
    if (bytes.size() > kMaxCaptureFileSize)
        return failed(path, CaptureRead::Error::TooLarge, QString::number(bytes.size()));
    CaptureRead read = readCaptureBytes(bytes);
    read.path = path;
    return read;
}

} // namespace camvista::printer
