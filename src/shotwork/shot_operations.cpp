#include "shot_operations.h"

#include "colour/gamma_correct.h"
#include "colour/lookup_kernels.h"
#include "colour/shades.h"

#include <cstring>
#include <limits>

namespace camvista::shotwork
{

namespace
{

constexpr QRgb kColourBits = 0x00FFFFFFu;

bool asRgb32(QImage &picture)
{
    if (picture.format() != QImage::Format_RGB32) {
        QImage converted = picture.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull())
            return false;
        picture = std::move(converted);
    }
    // Own the pixels before changing them; a shared buffer is copied here or not at all.
    return picture.bits() != nullptr;
}

template <typename Pixel> void repeatPixels(const QImage &src, QImage &out, int fx, int fy)
{
    const int width = src.width();
    const int height = src.height();
    const auto rowBytes = static_cast<size_t>(out.bytesPerLine());
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const Pixel *>(src.constScanLine(y));
        auto *row = reinterpret_cast<Pixel *>(out.scanLine(y * fy));
        for (int x = 0; x < width; ++x) {
            const Pixel px = in[x];
            for (int k = 0; k < fx; ++k)
                *row++ = px;
        }
        const uchar *first = out.constScanLine(y * fy);
        for (int k = 1; k < fy; ++k)
            std::memcpy(out.scanLine(y * fy + k), first, rowBytes);
    }
}

} // namespace

bool recolourShades(QImage &picture, const std::array<QRgb, 4> &whiteLightDarkBlack)
{
    if (picture.isNull())
        return true;
    QImage work = picture;
    if (!asRgb32(work))
        return false;
    const QRgb greys[4] = {kWhite & kColourBits, kLightGrey & kColourBits, kDarkGrey & kColourBits,
                           kBlack & kColourBits};
    const int width = work.width();
    const int height = work.height();
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(work.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb colour = row[x] & kColourBits;
            for (int k = 0; k < 4; ++k) {
                if (colour == greys[k]) {
                    row[x] = 0xFF000000u | (whiteLightDarkBlack[std::size_t(k)] & kColourBits);
                    break;
                }
            }
        }
    }
    picture = std::move(work);
    return true;
}

bool applyGamma(QImage &picture, double gamma)
{
    cGammaCorrect table;
    if (!table.Gamma(gamma))
        return false;
    if (picture.isNull())
        return true;
    QImage work = picture;
    if (!asRgb32(work))
        return false;
    // Red, green and blue share one table, and it keeps 255 at 255, so the padding byte of
    // every 32-bit pixel stays 0xFF: whole rows go through the byte kernel in one run.
    for (int y = 0; y < work.height(); ++y) {
        std::uint8_t *row = work.scanLine(y);
        kernels::mapBytes(row, row, std::size_t(work.width()) * 4, table.blueTable().data());
    }
    picture = std::move(work);
    return true;
}

QImage enlargeByWholeFactor(const QImage &picture, int factorX, int factorY)
{
    if (picture.isNull() || factorX < 1 || factorY < 1)
        return {};
    const qint64 width = qint64(picture.width()) * factorX;
    const qint64 height = qint64(picture.height()) * factorY;
    if (width > std::numeric_limits<int>::max() || height > std::numeric_limits<int>::max())
        return {};
    if (picture.format() == QImage::Format_Indexed8) {
        QImage out(int(width), int(height), QImage::Format_Indexed8);
        if (out.isNull())
            return {};
        out.setColorTable(picture.colorTable());
        repeatPixels<uchar>(picture, out, factorX, factorY);
        return out;
    }
    const QImage src = picture.convertToFormat(QImage::Format_ARGB32);
    QImage out(int(width), int(height), QImage::Format_ARGB32);
    if (src.isNull() || out.isNull())
        return {};
    repeatPixels<QRgb>(src, out, factorX, factorY);
    return out;
}

} // namespace camvista::shotwork
