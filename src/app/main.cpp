#include "export/export_cli.h"
#include "platform/app_paths.h"
#include "platform/memory_tuning.h"
#include "platform/qt_desktop.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"
#include "ui/program_font.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    camvista::keepFreedPictureMemory();
    // The command-line export needs no window, splash or display.
    if (camvista::exporting::isExportCommand(argc, argv))
        return camvista::exporting::exportMain(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Camvista"));
    camvista::useProgramFont();

    camvista::QtDesktop desktop;
    const camvista::AppPaths paths = camvista::AppPaths::fromApplication();
    std::unique_ptr<camvista::MainWindow> mainWindow;

    auto *splash = new camvista::SplashWindow;
    QObject::connect(splash, &camvista::SplashWindow::finished, [&] {
        mainWindow = std::make_unique<camvista::MainWindow>(desktop, paths);
        mainWindow->showAtStart();
    });
    splash->show();
    return app.exec();
}
