#include "dump_cli.h"
#include "dump_window.h"

#include "imaging/console_output.h"
#include "platform/qt_desktop.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    using namespace camvista;
    // "--open FILE" is the file manager's double click: the window, with that save read.
    const bool openInWindow = argc == 3 && qstrcmp(argv[1], "--open") == 0;
    // With other arguments it is a command for scripts: no window, no display needed.
    if (argc > 1 && !openInWindow) {
        QCoreApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        QTextStream out(stdout);
        QTextStream err(stderr);
        const int status =
            dump::runCommandLine(arguments, QCoreApplication::applicationDirPath(), out, err);
        err.flush();
        // A script that reads the list must not be told all went well when part of it was lost.
        if (!finishStandardOutput(&out))
            return status == dump::kExitOk ? dump::kExitFailed : status;
        return status;
    }
    QApplication app(argc, argv);
    QtDesktop desktop;
    dump::DumpWindow window(desktop,
                            dump::applicationPathsFor(QCoreApplication::applicationDirPath()));
    window.show();
    if (openInWindow)
        window.openSave(QString::fromLocal8Bit(argv[2]));
    return app.exec();
}
