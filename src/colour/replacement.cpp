#include "replacement.h"

#include <QColorSpace>
#include <QStringList>

#include <array>
#include <utility>

// On x86-64 Linux the row loop is also built for AVX2 (eight pixels a step) and the loader
// picks the build the processor can run; everywhere else the portable build serves.
#if defined(__x86_64__) && defined(__linux__) && (defined(__GNUC__) || defined(__clang__))
#define CAMVISTA_WIDE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define CAMVISTA_WIDE_VECTOR_CLONES
#endif

namespace camvista
{

namespace
{

constexpr QRgb kColourBits = 0x00FFFFFFu;

// Up to four passes over one row in one sweep: each pixel is loaded once, goes through the
// passes in order in a register, and is stored once. No branches, so the compiler vectorises the
// loop (the pass loop is unrolled because N is fixed). Matching pixels keep their alpha byte.
// In place the row is read through `out` alone: with two pointers to one row some compilers
// fall back to the scalar loop after their overlap check.
template <size_t N, bool InPlace>
inline void passesInRow(const QRgb *in, QRgb *out, int width, const std::array<QRgb, N> source,
                        const std::array<QRgb, N> target)
{
    for (int x = 0; x < width; ++x) {
        const QRgb px = InPlace ? out[x] : in[x];
        QRgb colour = px & kColourBits;
        for (size_t k = 0; k < N; ++k)
            colour = colour == source[k] ? target[k] : colour;
        out[x] = (px & ~kColourBits) | colour;
    }
}

template <size_t N>
inline void passGroupInRow(const QRgb *in, QRgb *out, int width, const ColourPass *passes)
{
    std::array<QRgb, N> source;
    std::array<QRgb, N> target;
    for (size_t k = 0; k < N; ++k) {
        source[k] = passes[k].source & kColourBits;
        target[k] = passes[k].target & kColourBits;
    }
    if (in == out)
        passesInRow<N, true>(in, out, width, source, target);
    else
        passesInRow<N, false>(in, out, width, source, target);
}

// Each pass decides per pixel, so running every pass on one row before the next row gives the
// same result as whole-picture passes in turn, while the row stays in the cache. Groups of four
// keep the chain: a group sees what the groups before it wrote.
// False when `to` could not be written (a read-only buffer that could not be copied).
CAMVISTA_WIDE_VECTOR_CLONES
bool passesOverRows(const QImage &from, QImage &to, const ColourPass *passes, size_t count)
{
    const int width = to.width();
    const int height = to.height();
    for (int y = 0; y < height; ++y) {
        auto *out = reinterpret_cast<QRgb *>(to.scanLine(y));
        if (!out)
            return false;
        // The first group reads the source row, the others the row it wrote.
        const auto *in = reinterpret_cast<const QRgb *>(from.constScanLine(y));
        size_t done = 0;
        for (; count - done >= 4; done += 4, in = out)
            passGroupInRow<4>(in, out, width, passes + done);
        switch (count - done) {
        case 3:
            passGroupInRow<3>(in, out, width, passes + done);
            break;
        case 2:
            passGroupInRow<2>(in, out, width, passes + done);
            break;
        case 1:
            passGroupInRow<1>(in, out, width, passes + done);
            break;
        default:
            break;
        }
    }
    return true;
}

// An empty picture of the same size, format and metadata, as a copy would have.
QImage blankLike(const QImage &image)
{
    QImage blank(image.size(), image.format());
    if (blank.isNull())
        return blank;
    blank.setDotsPerMeterX(image.dotsPerMeterX());
    blank.setDotsPerMeterY(image.dotsPerMeterY());
    blank.setOffset(image.offset());
    blank.setDevicePixelRatio(image.devicePixelRatio());
    blank.setColorSpace(image.colorSpace());
    const QStringList keys = image.textKeys();
    for (const QString &key : keys)
        blank.setText(key, image.text(key));
    return blank;
}

} // namespace

bool replaceColour(QImage &layer, QRgb source, QRgb target)
{
    const ColourPass pass{source, target};
    return runPasses(layer, std::span<const ColourPass>(&pass, 1));
}

bool runPasses(QImage &layer, std::span<const ColourPass> passes)
{
    if (passes.empty() || layer.isNull())
        return true;
    // Both keep the colour in the low 24 bits of a 32-bit pixel; everything else is converted.
    if (layer.format() != QImage::Format_RGB32 && layer.format() != QImage::Format_ARGB32) {
        QImage converted = layer.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull())
            return false;
        layer = std::move(converted);
    }
    if (layer.isDetached())
        return passesOverRows(layer, layer, passes.data(), passes.size());

    // The pixels are shared (a layer fresh from its stored picture, say): the first write would
    // copy them all and the passes would then sweep the copy again. Recolour straight from the
    // shared pixels into a picture of our own instead, in one sweep.
    QImage own = blankLike(layer);
    if (own.isNull() || !passesOverRows(layer, own, passes.data(), passes.size()))
        return false;
    layer = std::move(own);
    return true;
}

} // namespace camvista
