#include "platform/app_paths.h"
#include "platform/qt_desktop.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"

#include <QApplication>

#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char *argv[])
{
#ifdef __GLIBC__
    // Pictures of tens of megabytes come and go with every commit; keep freed buffers for reuse
    // instead of returning them to the system and paying for fresh pages each time.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Camvista"));
    QFont font(QStringLiteral("Segoe UI"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);

    camvista::QtDesktop desktop;
    const camvista::AppPaths paths = camvista::AppPaths::fromApplication();
    std::unique_ptr<camvista::MainWindow> mainWindow;

    auto *splash = new camvista::SplashWindow;
    QObject::connect(splash, &camvista::SplashWindow::finished, [&] {
        mainWindow = std::make_unique<camvista::MainWindow>(desktop, paths);
        mainWindow->show();
    });
    splash->show();
    return app.exec();
}
