// Writes COUNT distinct camera-like 160 x 144 shots as BMP files into FOLDER, for
// bench/compare_export.sh.
#include "export_shots.h"

#include "imaging/picture_file.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: camvista_make_export_shots FOLDER COUNT\n");
        return 2;
    }
    const QDir folder(args[1]);
    QDir().mkpath(folder.path());
    const int count = args[2].toInt();
    for (int i = 0; i < count; ++i) {
        const QString path =
            folder.filePath(QStringLiteral("shot%1.bmp").arg(i, 5, 10, QLatin1Char('0')));
        if (!camvista::savePictureBmp(camvista::bench::cameraLikeShot(i), path).ok()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
