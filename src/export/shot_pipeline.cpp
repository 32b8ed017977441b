#include "shot_pipeline.h"

#include "animated_gif.h"
#include "indexed_png.h"

#include "colour/palette_catalogue.h"
#include "imaging/picture_file.h"
#include "platform/app_paths.h"
#include "shotwork/frames.h"
#include "shotwork/shot_geometry.h"
#include "shotwork/shot_operations.h"

#include <QPainter>

namespace camvista::exporting
{

QString prepareExport(const ExportOptions &options, const AppPaths &paths, PreparedExport &out)
{
    if (const QString problem = checkOptions(options); !problem.isEmpty())
        return problem;
    out = PreparedExport{options, {}, {}};
    if (options.palette.kind == PaletteChoice::Kind::Named)
        out.passes = namedPalettes()[std::size_t(options.palette.catalogueIndex)].passes();

    const bool laid = options.frame.kind == FrameChoice::Kind::Default ||
                      options.frame.kind == FrameChoice::Kind::Custom;
    if (!laid)
        return {};
    const QList<shotwork::FrameEntry> frames =
        shotwork::availableFrames(paths.file(QStringLiteral("\\frames")));
    const shotwork::FrameEntry *entry =
        options.frame.kind == FrameChoice::Kind::Default
            ? shotwork::findDefaultFrame(frames, options.frame.number)
            : shotwork::findCustomFrame(frames, options.frame.name);
    if (entry == nullptr)
        return options.frame.kind == FrameChoice::Kind::Default
                   ? QStringLiteral("Default frame %1 is not there.").arg(options.frame.number)
                   : QStringLiteral("There is no custom frame named \"%1\".")
                         .arg(options.frame.name);
    const PictureLoad loaded = loadPictureFile(entry->path);
    if (!loaded.ok() || loaded.image.isNull())
        return QStringLiteral("The frame could not be read. ") + loaded.status.message();
    out.frame = loaded.image;
    return {};
}

QString shotError(const QImage &picture)
{
    if (shotwork::isShot(picture.size()))
        return {};
    return QStringLiteral("It is %1 x %2 pixels; a shot is 160 x 144 or 128 x 112.")
        .arg(picture.width())
        .arg(picture.height());
}

QImage exportedPicture(const QImage &shot, const PreparedExport &prepared)
{
    const ExportOptions &options = prepared.options;
    QImage picture;
    switch (options.frame.kind) {
    case FrameChoice::Kind::Keep:
        picture = shot.convertToFormat(QImage::Format_RGB32);
        break;
    case FrameChoice::Kind::None:
        // The output panel's crop; recolouring works pixel by pixel, so cutting first is the same.
        picture = shotwork::innerPicture(shot).convertToFormat(QImage::Format_RGB32);
        break;
    case FrameChoice::Kind::Default:
    case FrameChoice::Kind::Custom:
        picture = shotwork::framedShot(shot, prepared.frame);
        break;
    }
    if (picture.isNull())
        return {};
    switch (options.palette.kind) {
    case PaletteChoice::Kind::Keep:
        break;
    case PaletteChoice::Kind::Named:
        if (!runPasses(picture, prepared.passes))
            return {};
        break;
    case PaletteChoice::Kind::Custom:
        if (!shotwork::recolourShades(picture, options.palette.custom))
            return {};
        break;
    }
    if (!shotwork::applyGamma(picture, options.gamma))
        return {};
    return picture;
}

QImage photoOnCanvas(const QImage &exported, const PreparedExport &prepared)
{
    if (!shotwork::isInnerPicture(exported.size()))
        return exported;
    QImage white(1, 1, QImage::Format_RGB32);
    white.fill(Qt::white);
    PreparedExport asItIs = prepared;
    asItIs.options.frame = FrameChoice::keep();
    const QImage border = exportedPicture(white, asItIs);
    QImage canvas(shotwork::kFramedSize, QImage::Format_RGB32);
    if (border.isNull() || canvas.isNull())
        return {};
    canvas.fill(border.pixel(0, 0));
    QPainter painter(&canvas);
    painter.drawImage(shotwork::kInnerRect.topLeft(), exported);
    return canvas;
}

ShotResult exportedShot(const QString &path, const PreparedExport &prepared)
{
    const PictureLoad loaded = loadPictureFile(path);
    if (!loaded.ok())
        return {{}, loaded.status.message()};
    if (loaded.image.isNull())
        return {{}, QStringLiteral("No file was named.")};
    if (const QString problem = shotError(loaded.image); !problem.isEmpty())
        return {{}, problem};
    QImage picture = exportedPicture(loaded.image, prepared);
    if (picture.isNull())
        return {{}, QStringLiteral("There was not enough memory for the picture.")};
    return {std::move(picture), {}};
}

QByteArray encodedShot(const QImage &picture, const ExportOptions &options, QImage &pixels,
                       QString &error)
{
    const QString noMemory = QStringLiteral("There was not enough memory for the picture.");
    QByteArray bytes;
    switch (options.animate ? ExportFormat::Gif : options.format) {
    case ExportFormat::Png: {
        // Enlarging the indexed picture moves a quarter of the bytes, and the encoder needs it.
        const QImage indexed = exactlyIndexed(picture);
        pixels = shotwork::enlargeByWholeFactor(indexed.isNull() ? picture : indexed, options.scale,
                                                options.scale);
        if (!pixels.isNull())
            bytes = encodePng(pixels);
        break;
    }
    case ExportFormat::Bmp: {
        pixels = shotwork::enlargeByWholeFactor(picture, options.scale, options.scale);
        if (pixels.isNull())
            break;
        const EncodedPicture encoded = encodePictureBmp(pixels);
        if (!encoded.ok()) {
            error = encoded.status.message();
            return {};
        }
        bytes = encoded.bytes;
        break;
    }
    case ExportFormat::Gif: {
        GifAnimation still;
        still.frames = {gifFrame(picture)};
        still.scale = options.scale;
        still.loop = false;
        bytes = encodeGifAnimation(still, error);
        if (bytes.isEmpty())
            return {};
        pixels = shotwork::enlargeByWholeFactor(still.frames.first(), options.scale, options.scale);
        break;
    }
    }
    if (bytes.isEmpty() && error.isEmpty())
        error = noMemory;
    return bytes;
}

} // namespace camvista::exporting
