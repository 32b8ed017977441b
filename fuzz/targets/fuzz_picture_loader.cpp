#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "imaging/picture_file.h"

namespace camvista::fuzz
{

int pictureLoader(const std::uint8_t *data, std::size_t size)
{
    const QString path = writeInput(QStringLiteral("picture"), data, size);
    const PictureLoad load = loadPictureFile(path);
    // The same file read for a small picture goes through the decoder's shrinking.
    const PictureLoad small = loadPictureFile(path, QSize(16, 16));
    require(small.ok() == load.ok(), "shrinking on the way neither finds nor hides damage");
    if (small.ok())
        require(small.image.width() <= load.image.width() &&
                    small.image.height() <= load.image.height(),
                "a picture read for a small size is no larger than the whole");
    if (!load.ok()) {
        require(load.image.isNull(), "a refused file gives no picture");
        require(!load.status.message().isEmpty(), "a refused file has a message");
        return 0;
    }
    const QImage &image = load.image;
    require(!image.isNull(), "a loaded file gives a picture");
    require(image.width() <= kMaxPictureSide && image.height() <= kMaxPictureSide &&
                qint64(image.width()) * image.height() <= kMaxPicturePixels,
            "a loaded picture is within the size cap");
    // Every byte of every row, padding included, so a memory checker sees anything left
    // uninitialised.
    unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        for (qsizetype x = 0; x < image.bytesPerLine(); ++x)
            sum += row[x];
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    require(rgb.size() == image.size(), "the picture converts to 32-bit colour");
    volatile unsigned sink = sum;
    (void)sink;
    return 0;
}

} // namespace camvista::fuzz
