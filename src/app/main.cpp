#include "platform/app_paths.h"
#include "platform/memory_tuning.h"
#include "platform/qt_desktop.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    camvista::keepFreedPictureMemory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Camvista"));
    // The windows were laid out for Segoe UI; where it is missing, a face of similar width keeps
    // the captions inside their controls.
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
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
