// Test helper: runs one imaging call in a process of its own, so that a test can run it as an
// unprivileged user (root ignores permission bits) or under a file size limit (a disk that
// fills up halfway). Prints the error number on the first line and the detail on the second.
//
//   imaging_probe load <path>
//   imaging_probe write <path> <text>
//   imaging_probe write-limited <max file bytes> <path> <byte count>
//   imaging_probe free-names <folder> <base name> <count> <tag> <start file>
//     waits for <start file> to appear, then writes <count> files "<tag> <i>" under free names
//     of <base name>.bmp and prints, after the status lines, the path of each file written

#include "imaging/picture_file.h"
#include "imaging/safe_write.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace camvista;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString command = args.value(1);
    FileStatus status;
    if (command == QStringLiteral("load") && args.size() == 3) {
        status = loadPictureFile(args[2]).status;
    } else if (command == QStringLiteral("write") && args.size() == 4) {
        status = writeFileSafely(args[2], args[3].toUtf8());
    } else if (command == QStringLiteral("write-limited") && args.size() == 5) {
        const rlim_t limit = rlim_t(args[2].toULongLong());
        const rlimit fileSize{limit, limit};
        // Past the limit write() fails with EFBIG, as on a full disk, instead of killing us.
        std::signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            return 3;
        status = writeFileSafely(args[3], QByteArray(args[4].toInt(), 'n'));
    } else if (command == QStringLiteral("free-names") && args.size() == 7) {
        // Both racers start writing at the same moment, when the test lets them.
        for (int i = 0; i < 10000 && !QFileInfo::exists(args[6]); ++i)
            QThread::usleep(1000);
        QStringList written;
        for (int i = 0; i < args[4].toInt() && status.ok(); ++i) {
            status = writeUnderFreeName(args[2], args[3], QStringLiteral("bmp"),
                                        QStringLiteral("%1 %2").arg(args[5]).arg(i).toUtf8());
            written << status.path;
        }
        std::printf("%d\n%s\n%s\n", int(status.error), status.detail.toUtf8().constData(),
                    written.join(QLatin1Char('\n')).toUtf8().constData());
        return 0;
    } else {
        std::fprintf(stderr, "usage: imaging_probe load|write|write-limited|free-names ...\n");
        return 2;
    }
    std::printf("%d\n%s\n", int(status.error), status.detail.toUtf8().constData());
    return 0;
}
