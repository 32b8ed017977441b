// The whole companion program reading a printer emulator at 115200 baud: a pseudo-terminal fed
// 11520 bytes a second with camera prints, and the CPU time the cls process spent on it, from
// /proc. Usage: camvista_link_live_cpu PATH/TO/cls [PRINTS] [BYTES_A_WRITE]
// One byte a write is a UART's worst case; a USB serial device hands over up to 64 at once.

#include "link/link_test_support.h"
#include "printer/printer_encoder.h"
#include "support/test_pictures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace
{

// User and system time of a process so far, in seconds.
double cpuSecondsOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) /
           double(::sysconf(_SC_CLK_TCK));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr,
                     "Usage: camvista_link_live_cpu PATH/TO/cls [PRINTS] [BYTES_A_WRITE]\n");
        return 2;
    }
    const int prints = argc > 2 ? std::max(1, std::atoi(argv[2])) : 6;
    const int chunk = argc > 3 ? std::clamp(std::atoi(argv[3]), 1, 4096) : 1;
    QList<QImage> shots;
    for (int i = 0; i < prints; ++i)
        shots << camvista::test::fourShadeShot(160, 144, quint32(500 + i));
    const QByteArray capture = camvista::test::captureOf(shots);

    camvista::test::PtyPair pty;
    QTemporaryDir out;
    QProcess cls;
    cls.setReadChannel(QProcess::StandardError);
    cls.start(QString::fromLocal8Bit(argv[1]),
              {"--port", pty.device(), "--count", QString::number(prints), "--out", out.path()});
    if (!pty.isValid() || !cls.waitForReadyRead(30000)) {
        std::fprintf(stderr, "cls did not start listening\n");
        return 1;
    }
    const double before = cpuSecondsOf(cls.processId());
    QElapsedTimer wall;
    wall.start();
    pty.feed(capture, 11520, chunk);
    // Sample just before it ends: once it has exited /proc no longer tells.
    double used = before;
    while (!cls.waitForFinished(50)) {
        const double now = cpuSecondsOf(cls.processId());
        if (now >= 0)
            used = now;
    }
    const double seconds = double(wall.elapsed()) / 1000.0;
    const double cpu = used - before;
    std::printf("%d prints, %lld bytes in %.1f s at 115200 baud, %d a write: cls used %.0f ms of "
                "CPU, %.2f %% of one core (exit %d)\n",
                prints, static_cast<long long>(capture.size()), seconds, chunk, cpu * 1000.0,
                100.0 * cpu / seconds, cls.exitCode());
    return cls.exitCode();
}
