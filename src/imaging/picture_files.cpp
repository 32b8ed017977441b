#include "picture_files.h"

#include "bicubic_resize.h"
#include "gif_writer.h"
#include "rounding.h"
#include "safe_write.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <vector>

namespace camvista
{

namespace
{

bool validCanvas(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           qint64(width) * height <= kMaxPicturePixels;
}

// Draws the whole picture into (0, 0, w, h) of the canvas; its own size is copied exactly.
void drawInto(QImage &canvas, const QImage &picture, int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    const QImage drawn = picture.size() == QSize(w, h) ? picture : resizeBicubic(picture, w, h);
    if (drawn.isNull())
        return;
    QPainter painter(&canvas);
    painter.drawImage(0, 0, drawn);
}

FileStatus encodeWithQt(const QImage &image, const QString &path, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    // JPEG has no alpha: the colours are written as they stand.
    const QImage toWrite = qstrcmp(format, "jpeg") == 0 && image.hasAlphaChannel()
                               ? image.convertToFormat(QImage::Format_RGB32)
                               : image;
    if (!writer.write(toWrite))
        return FileStatus{FileError::CannotWrite, path, writer.errorString()};
    buffer.close();
    return writeFileSafely(path, bytes);
}

} // namespace

ScaledPicture LoadScaledPicture(const QString &path, int &width, int &height, QRgb backColour,
                                bool keepRatio)
{
    ScaledPicture result;
    const PictureLoad loaded = loadPictureFile(path);
    if (loaded.status.error == FileError::TooLarge) {
        result.error = {kErrorPictureTooLarge, kPictureModule,
                        QStringLiteral("Picture too large to load ") + path};
        return result;
    }
    if (!loaded.ok() || loaded.image.isNull()) {
        result.error = {kErrorLoadingPicture, kPictureModule,
                        QStringLiteral("Error loading picture ") + path};
        return result;
    }
    const QImage &image = loaded.image;
    int w = width;
    int h = height;
    if (w == -1 || h == -1) {
        w = image.width();
        h = image.height();
    }
    if (!validCanvas(w, h)) {
        result.error = {kErrorInvalidArgument, kPictureModule,
                        QStringLiteral("Invalid picture size %1 x %2").arg(w).arg(h)};
        return result;
    }

    QImage canvas(w, h, QImage::Format_RGB32);
    if (canvas.isNull()) {
        result.error = {kErrorInvalidArgument, kPictureModule,
                        QStringLiteral("Not enough memory for a %1 x %2 picture").arg(w).arg(h)};
        return result;
    }
    canvas.fill(backColour | 0xff000000u);

    if (!keepRatio) {
        drawInto(canvas, image, w, h);
    } else {
        const double f = double(image.width()) / double(image.height());
        const double g = double(w) / double(h);
        int drawnW = w;
        int drawnH = h;
        if (f > g)
            drawnH = roundHalfEvenInt(double(w) / f);
        else
            drawnW = roundHalfEvenInt(double(h) * f);
        drawInto(canvas, image, drawnW, drawnH);
    }
    width = w;
    height = h;
    result.picture = canvas;
    return result;
}

int jpegQualityOfCode(int formatCode)
{
    if (formatCode >= 3)
        return formatCode;
    if (formatCode < 0)
        return ~formatCode; // -code - 1, without overflow at the lowest code
    return -1;
}

int ConvertPictureFile(const QString &source, const QString &destination, int formatCode,
                       FileStatus *detail)
{
    const PictureLoad loaded = loadPictureFile(source);
    FileStatus status = loaded.status;
    if (status.ok() && loaded.image.isNull())
        status = FileStatus{FileError::Missing, source, {}}; // an empty path names no file
    if (status.ok()) {
        const QImage &image = loaded.image;
        switch (formatCode) {
        case kConvertBmp:
            status = image.hasAlphaChannel() ? savePictureBmp32(image, destination)
                                             : savePictureBmp(image, destination);
            break;
        case kConvertPng:
            status = encodeWithQt(image, destination, "png", -1);
            break;
        case kConvertGif:
            status = saveGif(image, destination);
            break;
        default:
            status = encodeWithQt(image, destination, "jpeg", jpegQualityOfCode(formatCode));
            break;
        }
    }
    if (detail)
        *detail = status;
    return static_cast<int>(status.error);
}

} // namespace camvista
