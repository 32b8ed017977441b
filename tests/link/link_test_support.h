#pragma once

// A pseudo-terminal pair stands in for the printer emulator's USB serial port: the tests write
// a capture into the master end at serial pace and the program reads the other end.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <stdlib.h>
#include <thread>
#include <unistd.h>

namespace camvista::test
{

class PtyPair
{
public:
    PtyPair()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)) {
            ::close(m_master);
            m_master = -1;
        }
        if (m_master >= 0)
            m_device = QString::fromLocal8Bit(::ptsname(m_master));
    }
    ~PtyPair()
    {
        wait();
        closeMaster();
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString device() const { return m_device; }

    // Writes `bytes` `chunk` at a time (one, as a UART does, unless given; a USB serial device
    // hands over up to 64), `bytesPerSecond` of them a second (115200 baud 8N1 carries 11520),
    // from a thread of its own.
    void feed(const QByteArray &bytes, int bytesPerSecond = 11520, int chunk = 1)
    {
        wait();
        m_thread = std::thread([this, bytes, bytesPerSecond, chunk] {
            using Clock = std::chrono::steady_clock;
            const auto start = Clock::now();
            for (qsizetype i = 0; i < bytes.size(); i += chunk) {
                std::this_thread::sleep_until(
                    start + std::chrono::microseconds(i * 1000000 / bytesPerSecond));
                const auto n = std::size_t(std::min<qsizetype>(chunk, bytes.size() - i));
                if (::write(m_master, bytes.constData() + i, n) != ssize_t(n))
                    break;
            }
        });
    }
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    QString m_device;
    std::thread m_thread;
};

// `program` with its arguments as the user "nobody" when the tests run as root (root may
// open anything); empty with `why` set when privileges cannot be dropped here.
inline QStringList asUnprivileged(const QStringList &command, QString &why)
{
    if (::geteuid() != 0)
        return command;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    const QStringList drop = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                              QStringLiteral("--clear-groups")};
    if (setpriv.isEmpty() || QProcess::execute(setpriv, drop + QStringList{"true"}) != 0) {
        why = QStringLiteral("running as root and setpriv cannot drop privileges here");
        return {};
    }
    return QStringList{setpriv} + drop + command;
}

} // namespace camvista::test
