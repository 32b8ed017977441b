// The resampling library's implementation lives in this one translation unit.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image_resize.h>

#include "bicubic_resize.h"

namespace camvista
{

QImage resizeBicubic(const QImage &image, int width, int height)
{
    if (image.isNull() || width <= 0 || height <= 0)
        return {};
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(width, height, QImage::Format_ARGB32_Premultiplied);
    if (source.isNull() || out.isNull())
        return {};
    // Premultiplied pixels are filtered as they are; on little-endian machines the bytes are
    // blue, green, red, alpha, so alpha is channel 3.
    const int ok = stbir_resize_uint8_generic(
        source.constBits(), source.width(), source.height(), int(source.bytesPerLine()), out.bits(),
        width, height, int(out.bytesPerLine()), 4, 3, STBIR_FLAG_ALPHA_PREMULTIPLIED,
        STBIR_EDGE_CLAMP, STBIR_FILTER_CATMULLROM, STBIR_COLORSPACE_LINEAR, nullptr);
    return ok ? out : QImage();
}

} // namespace camvista
