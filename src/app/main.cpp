#include "export/export_cli.h"
#include "platform/app_paths.h"
#include "platform/memory_tuning.h"
#include "platform/qt_desktop.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"
#include "shell/startup_log.h"
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
    const auto build = [&] {
        if (mainWindow)
            return;
        mainWindow = std::make_unique<camvista::MainWindow>(desktop, paths);
        // Styled and with its native window, ready to be mapped.
        mainWindow->ensurePolished();
        mainWindow->winId();
        camvista::markStartup("main window built");
    };

    auto *splash = new camvista::SplashWindow;
    // The main window is built, pictures and all, while the splash shows, so that it appears
    // the moment the splash's second is over; only showing it waits for the tick.
    QObject::connect(splash, &camvista::SplashWindow::exposed, build);
    QObject::connect(splash, &camvista::SplashWindow::finished, [&] {
        build();
        camvista::markWhenExposed(mainWindow.get(), "main window mapped");
        mainWindow->showAtStart();
    });
    camvista::markWhenExposed(splash, "splash mapped");
    splash->show();
    return app.exec();
}
