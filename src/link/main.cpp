#include "link_cli.h"
#include "link_window.h"

#include "platform/qt_desktop.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    using namespace camvista;
    // With arguments it is a command for scripts: no window, no display needed.
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        QTextStream out(stdout);
        QTextStream err(stderr);
        return link::runCommandLine(arguments, QCoreApplication::applicationDirPath(), out, err);
    }
    QApplication app(argc, argv);
    QtDesktop desktop;
    link::LinkWindow window(desktop,
                            link::applicationPathsFor(QCoreApplication::applicationDirPath()));
    window.show();
    return app.exec();
}
