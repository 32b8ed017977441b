#pragma once

#include "data/frame_pictures.h"
#include "export/export_run.h"
#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QtTest>

namespace camvista::test
{

// A picture in the four shades with a pattern that differs by `seed`.
inline QImage shadesPicture(QSize size, int seed)
{
    const QRgb grey[] = {0xFF000000u, 0xFF808080u, 0xFFC0C0C0u, 0xFFFFFFFFu};
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, grey[(x / 3 + y / 5 + seed * (x / 11)) % 4]);
    return img;
}

// An application folder with default frames 1, 3, 5 and 21 and the custom frame "mine".
struct ExportFolder {
    TempAppFolder app;

    ExportFolder()
    {
        QDir().mkpath(app.file("frames/default"));
        QDir().mkpath(app.file("frames/custom"));
        for (int n : {1, 3, 5, 21})
            saveGif(data::defaultFrame(n),
                    app.file(QStringLiteral("frames/default/%1.gif").arg(n)));
        saveGif(data::defaultFrame(7), app.file("frames/custom/mine.gif"));
    }
    QString out() const { return app.file("out"); }
    // Writes a shot as a BMP under the folder and returns its path.
    QString shot(const QString &name, const QImage &picture) const
    {
        const QString path = app.file(name);
        savePictureBmp(picture, path);
        return path;
    }
    exporting::ExportOptions options() const
    {
        exporting::ExportOptions o;
        o.destination = out();
        return o;
    }
};

inline QImage loaded(const QString &path)
{
    return loadPictureFile(path).image.convertToFormat(QImage::Format_RGB32);
}

} // namespace camvista::test
