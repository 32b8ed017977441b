#include "indexed_png.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <limits>
#include <new>
#include <vector>

namespace camvista::exporting
{

namespace
{

constexpr QRgb kColourBits = 0x00FFFFFFu;

void appendBytes(png_structp png, png_bytep data, size_t length)
{
    auto *bytes = static_cast<QByteArray *>(png_get_io_ptr(png));
    if (length > size_t(std::numeric_limits<qsizetype>::max() - bytes->size()))
        png_error(png, "too large");
    try {
        bytes->append(reinterpret_cast<const char *>(data), qsizetype(length));
    } catch (const std::bad_alloc &) {
        png_error(png, "out of memory");
    }
}

void noFlush(png_structp) {}

// libpng reports its errors by longjmp: nothing with a destructor may live between setjmp and
// the calls that can fail, so everything is set up by the caller.
struct PngJob {
    const QImage *picture = nullptr;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    std::vector<png_color> palette;
    std::vector<png_byte> row;
    QByteArray *bytes = nullptr;
};

void packRow(const PngJob &job, int y, png_byte *out)
{
    const QImage &picture = *job.picture;
    const int width = picture.width();
    if (job.colourType == PNG_COLOR_TYPE_RGB) {
        const auto *in = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            *out++ = png_byte(qRed(in[x]));
            *out++ = png_byte(qGreen(in[x]));
            *out++ = png_byte(qBlue(in[x]));
        }
        return;
    }
    const uchar *in = picture.constScanLine(y);
    if (job.bitDepth == 8) {
        std::copy(in, in + width, out);
        return;
    }
    // Two bits a pixel, the leftmost in the high bits, as PNG packs them.
    int x = 0;
    for (; x + 4 <= width; x += 4)
        *out++ = png_byte(in[x] << 6 | in[x + 1] << 4 | in[x + 2] << 2 | in[x + 3]);
    if (x < width) {
        png_byte packed = 0;
        for (int k = 0; x + k < width; ++k)
            packed = png_byte(packed | in[x + k] << (6 - 2 * k));
        *out = packed;
    }
}

bool runPng(PngJob &job)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, job.bytes, &appendBytes, &noFlush);
    const QImage &picture = *job.picture;
    png_set_IHDR(png, info, png_uint_32(picture.width()), png_uint_32(picture.height()),
                 job.bitDepth, job.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (job.colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, job.palette.data(), int(job.palette.size()));
        // Level 7 keeps an enlarged shot a third of its 24-bit size; 8 and 9 cost three to six
        // times the time for a few per cent less.
        png_set_compression_level(png, 7);
    }
    png_write_info(png, info);
    for (int y = 0; y < picture.height(); ++y) {
        packRow(job, y, job.row.data());
        png_write_row(png, job.row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

QImage exactlyIndexed(const QImage &picture, int maxColours)
{
    maxColours = std::clamp(maxColours, 1, 256);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        return {};
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return {};
    QList<QRgb> table;
    // Shots have a handful of colours that come in runs: the last hit is the usual answer.
    QRgb last = 0;
    int lastIndex = -1;
    const int width = rgb.width();
    const int height = rgb.height();
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = in[x] | ~kColourBits;
            if (lastIndex < 0 || colour != last) {
                lastIndex = int(table.indexOf(colour));
                if (lastIndex < 0) {
                    if (table.size() == maxColours)
                        return {};
                    lastIndex = int(table.size());
                    table.append(colour);
                }
                last = colour;
            }
            out[x] = uchar(lastIndex);
        }
    }
    indexed.setColorTable(table);
    return indexed;
}

QByteArray encodePng(const QImage &picture)
{
    if (picture.isNull())
        return {};
    QByteArray bytes;
    try {
        PngJob job;
        QImage rgb;
        const bool indexed = picture.format() == QImage::Format_Indexed8 &&
                             !picture.colorTable().isEmpty() && picture.colorCount() <= 256;
        if (indexed) {
            job.picture = &picture;
            job.colourType = PNG_COLOR_TYPE_PALETTE;
            const int colours = picture.colorCount();
            job.bitDepth = colours <= 4 ? 2 : 8;
            for (const QRgb c : picture.colorTable())
                job.palette.push_back(
                    png_color{png_byte(qRed(c)), png_byte(qGreen(c)), png_byte(qBlue(c))});
            job.row.resize((size_t(picture.width()) * size_t(job.bitDepth) + 7) / 8);
        } else {
            rgb = picture.convertToFormat(QImage::Format_RGB32);
            if (rgb.isNull())
                return {};
            job.picture = &rgb;
            job.row.resize(size_t(rgb.width()) * 3);
        }
        job.bytes = &bytes;
        if (!runPng(job))
            return {};
    } catch (const std::bad_alloc &) {
        return {};
    }
    return bytes;
}

} // namespace camvista::exporting
