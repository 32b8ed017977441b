#include "image_processor.h"

#include "imaging/picture_file.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace camvista
{

QString scratchFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo info(runtime);
    if (!runtime.isEmpty() && info.isDir() && info.isWritable())
        return runtime;
    return QDir::tempPath();
}

QRect regionRect(const ProcessorRegion &region, const QSize &size)
{
    const QRect whole(QPoint(0, 0), size);
    constexpr int all = processor::kWholePicture;
    if (region.left == all && region.top == all && region.right == all && region.bottom == all)
        return whole;
    if (region.left < 0 || region.top < 0 || region.right <= region.left ||
        region.bottom <= region.top || region.right > size.width() || region.bottom > size.height())
        return {};
    return QRect(QPoint(region.left, region.top), QPoint(region.right - 1, region.bottom - 1));
}

QImage reduceToFourGreys(const QImage &picture, QRgb background)
{
    if (picture.isNull())
        return {};
    QImage source = picture;
    if (source.hasAlphaChannel()) {
        // Lay see-through parts on the background colour first: they have no grey of their own.
        QImage flat(source.size(), QImage::Format_RGB32);
        if (flat.isNull())
            return {};
        flat.fill(background);
        QPainter p(&flat);
        p.drawImage(0, 0, source);
        p.end();
        source = flat;
    } else if (source.format() != QImage::Format_RGB32) {
        source = source.convertToFormat(QImage::Format_RGB32);
    }
    QImage out(source.size(), QImage::Format_RGB32);
    if (source.isNull() || out.isNull())
        return {};
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb px = in[x];
            const int g = ditheredGrey(lumaGrey(qRed(px), qGreen(px), qBlue(px)), x, y);
            row[x] = qRgb(g, g, g);
        }
    }
    return out;
}

bool ImageProcessor::SetColor(ColourValue colour)
{
    if (colour < 0 || colour > 0xFFFFFF)
        return false;
    m_colour = colour;
    return true;
}

bool ImageProcessor::ConvertSurfaceToFile(const QImage &surface, const QString &path,
                                          int pictureType, int colourMode, int bitsPerPixel,
                                          int colourMap, int dither, const ProcessorRegion &region)
{
    using namespace processor;
    if (pictureType != kPictureBmp || colourMode != kColourModeColour ||
        bitsPerPixel != kTwoBitsPerPixel || colourMap != kFixedGreyMap ||
        dither != kOrderedDither || path.isEmpty() || surface.isNull())
        return false;
    const QRect part = regionRect(region, surface.size());
    if (part.isEmpty())
        return false;
    const QImage reduced =
        reduceToFourGreys(part == surface.rect() ? surface : surface.copy(part), toRgb(m_colour));
    if (reduced.isNull() || !savePictureBmp(reduced, path).ok())
        return false;
    m_current = reduced;
    return true;
}

bool ImageProcessor::LoadFile(const QString &path)
{
    PictureLoad loaded = loadPictureFile(path);
    if (!loaded.ok() || loaded.image.isNull())
        return false;
    m_current = loaded.image;
    return true;
}

bool ImageProcessor::DrawToSurface(QImage &surface, int mode, const ProcessorRegion &region) const
{
    if (mode != processor::kDrawCopy || m_current.isNull() || surface.isNull())
        return false;
    const QRect part = regionRect(region, m_current.size());
    if (part.isEmpty())
        return false;
    QPainter p(&surface);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), m_current, part);
    return true;
}

bool ImageProcessor::ShowOnSurface(QImage &surface) const
{
    return DrawToSurface(surface, processor::kDrawCopy, {});
}

} // namespace camvista
