#include "dib_section.h"

#include "channel_blend.h"
#include "rounding.h"
#include "safe_write.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>
#include <random>

namespace camvista
{

namespace
{

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kColourEntrySize = 4;
constexpr int kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kColourEntrySize; // 58
constexpr std::size_t kMaxDescription = 256;

std::uint32_t nextSerial()
{
    // Identifiers stay below 2^31 so that hdc() and hDib() never wrap to 0.
    static std::atomic<std::uint32_t> counter{0};
    std::uint32_t serial = 0;
    do {
        serial = (counter.fetch_add(1, std::memory_order_relaxed) + 1) & 0x7FFFFFFFu;
    } while (serial == 0);
    return serial;
}

bool isRgb32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// A ternary raster operation with a white brush reduces to a function of source and
// destination bits: bits 4..7 of the operation index, bit 4 + 2 * source + destination.
class RasterOp
{
public:
    explicit RasterOp(std::uint32_t code)
    {
        const unsigned index = (code >> 16) & 0xFFu;
        const auto mask = [index](int s, int d) -> std::uint8_t {
            return ((index >> (4 + 2 * s + d)) & 1u) != 0 ? 0xFF : 0x00;
        };
        m_s0d0 = mask(0, 0);
        m_s0d1 = mask(0, 1);
        m_s1d0 = mask(1, 0);
        m_s1d1 = mask(1, 1);
    }

    bool isCopy() const { return m_s1d1 == 0xFF && m_s1d0 == 0xFF && m_s0d1 == 0 && m_s0d0 == 0; }

    std::uint8_t apply(unsigned s, unsigned d) const
    {
        const unsigned ns = ~s;
        const unsigned nd = ~d;
        return std::uint8_t((m_s1d1 & s & d) | (m_s1d0 & s & nd) | (m_s0d1 & ns & d) |
                            (m_s0d0 & ns & nd));
    }

private:
    std::uint8_t m_s0d0 = 0;
    std::uint8_t m_s0d1 = 0;
    std::uint8_t m_s1d0 = 0;
    std::uint8_t m_s1d1 = 0;
};

// [first, last) of the offsets d in 0..count-1 for which both positions a + d and b + d fall
// inside their pictures of sizes sizeA and sizeB.
struct Span {
    qint64 first = 0;
    qint64 last = 0;
    bool empty() const { return first >= last; }
};

Span overlap(qint64 count, qint64 a, qint64 sizeA, qint64 b, qint64 sizeB)
{
    return Span{std::max<qint64>({0, -a, -b}), std::min<qint64>({count, sizeA - a, sizeB - b})};
}

QString errorSource()
{
    QString name = QStringLiteral("camvista");
    if (QCoreApplication::instance() != nullptr) {
        QString exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        if (exe.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
            exe.chop(4);
        if (!exe.isEmpty())
            name = exe;
    }
    return name + QStringLiteral(".cDIBSection");
}

} // namespace

bool cDIBSection::CreateDIB(int width, int height)
{
    m_bits = {};
    m_serial = 0;
    m_width = width;
    m_height = height;
    m_imageSize = 0;
    if (width <= 0 || height <= 0)
        return false;
    const qint64 scanLine = (qint64(width) * 3 + 3) & ~qint64(3);
    const qint64 imageSize = scanLine * height;
    if (scanLine > INT_MAX || imageSize > qint64(UINT32_MAX))
        return false;
    try {
        m_bits.assign(std::size_t(imageSize), 0);
    } catch (const std::bad_alloc &) {
        m_bits = {};
        return false;
    }
    m_imageSize = std::uint32_t(imageSize);
    m_serial = nextSerial();
    return true;
}

bool cDIBSection::Create(int width, int height)
{
    const bool drawDib = m_drawDib;
    ClearUp();
    if (!CreateDIB(width, height))
        return false;
    UseDrawDib(drawDib);
    return true;
}

bool cDIBSection::CreateFromPicture(const QImage &picture)
{
    if (!Create(picture.width(), picture.height()))
        return false;
    LoadPictureBlt(picture, 0, 0, -1, -1, kSrcCopy);
    return true;
}

int cDIBSection::BytesPerScanLine() const
{
    const qint64 v = (qint64(m_width) * 3 + 3) & ~qint64(3);
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

void cDIBSection::LoadPictureBlt(const QImage &source, int srcLeft, int srcTop, int srcWidth,
                                 int srcHeight, std::uint32_t rasterOp)
{
    if (m_bits.empty() || source.isNull())
        return;
    const QImage src =
        isRgb32(source.format()) ? source : source.convertToFormat(QImage::Format_RGB32);
    if (src.isNull())
        return;
    const qint64 w = srcWidth < 0 ? m_width : srcWidth;
    const qint64 h = srcHeight < 0 ? m_height : srcHeight;
    const Span xs = overlap(w, 0, m_width, srcLeft, src.width());
    const Span ys = overlap(h, 0, m_height, srcTop, src.height());
    if (xs.empty() || ys.empty())
        return;

    const RasterOp op(rasterOp);
    for (qint64 dy = ys.first; dy < ys.last; ++dy) {
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(int(srcTop + dy)));
        std::uint8_t *out = row(int(dy));
        if (op.isCopy()) {
            for (qint64 dx = xs.first; dx < xs.last; ++dx) {
                const QRgb p = in[srcLeft + dx];
                std::uint8_t *o = out + 3 * dx;
                o[0] = std::uint8_t(qBlue(p));
                o[1] = std::uint8_t(qGreen(p));
                o[2] = std::uint8_t(qRed(p));
            }
        } else {
            for (qint64 dx = xs.first; dx < xs.last; ++dx) {
                const QRgb p = in[srcLeft + dx];
                std::uint8_t *o = out + 3 * dx;
                o[0] = op.apply(unsigned(qBlue(p)), o[0]);
                o[1] = op.apply(unsigned(qGreen(p)), o[1]);
                o[2] = op.apply(unsigned(qRed(p)), o[2]);
            }
        }
    }
}

void cDIBSection::PaintPicture(QImage &target, int targetLeft, int targetTop, int targetWidth,
                               int targetHeight, int srcLeft, int srcTop,
                               std::uint32_t rasterOp) const
{
    if (m_bits.empty() || target.isNull())
        return;
    if (!isRgb32(target.format()))
        target.convertTo(QImage::Format_RGB32);
    const qint64 w = targetWidth < 0 ? m_width : targetWidth;
    const qint64 h = targetHeight < 0 ? m_height : targetHeight;
    const Span xs = overlap(w, targetLeft, target.width(), srcLeft, m_width);
    const Span ys = overlap(h, targetTop, target.height(), srcTop, m_height);
    if (xs.empty() || ys.empty())
        return;

    // DrawDib has no raster operations: it always copies.
    const RasterOp op(m_drawDib ? kSrcCopy : rasterOp);
    for (qint64 dy = ys.first; dy < ys.last; ++dy) {
        const std::uint8_t *in = row(int(srcTop + dy));
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(int(targetTop + dy)));
        if (op.isCopy()) {
            for (qint64 dx = xs.first; dx < xs.last; ++dx) {
                const std::uint8_t *p = in + 3 * (srcLeft + dx);
                out[targetLeft + dx] = qRgb(p[2], p[1], p[0]);
            }
        } else {
            for (qint64 dx = xs.first; dx < xs.last; ++dx) {
                const std::uint8_t *p = in + 3 * (srcLeft + dx);
                const QRgb d = out[targetLeft + dx];
                out[targetLeft + dx] =
                    qRgb(op.apply(p[2], unsigned(qRed(d))), op.apply(p[1], unsigned(qGreen(d))),
                         op.apply(p[0], unsigned(qBlue(d))));
            }
        }
    }
}

QImage cDIBSection::toImage() const
{
    if (m_bits.empty())
        return {};
    QImage image(m_width, m_height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t *in = row(y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < m_width; ++x, in += 3)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    return image;
}

void cDIBSection::RandomiseBits(bool grey)
{
    if (m_bits.empty())
        return;
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seed{std::uint32_t(now), std::uint32_t(std::uint64_t(now) >> 32)};
    std::mt19937 generator(seed);
    // r uniform in [0, 1), from all 32 bits of one draw.
    const auto next = [&generator] {
        const double r = double(generator()) / 4294967296.0;
        return std::uint8_t(std::clamp<long long>(roundHalfEven(r * 255.0), 0, 255));
    };

    const std::size_t scanLine = std::size_t(BytesPerScanLine());
    if (grey) {
        for (int y = 0; y < m_height; ++y) {
            std::uint8_t *p = m_bits.data() + std::size_t(y) * scanLine;
            for (int x = 0; x < m_width; ++x, p += 3) {
                const std::uint8_t v = next();
                p[0] = v;
                p[1] = v;
                p[2] = v;
            }
        }
    } else {
        for (int x = 0; x < m_width; ++x) {
            std::uint8_t *p = m_bits.data() + 3 * std::size_t(x);
            for (int y = 0; y < m_height; ++y, p += scanLine) {
                p[0] = 0;
                p[1] = next();
                p[2] = next();
            }
        }
    }
}

void cDIBSection::ClearUp()
{
    m_bits = {};
    m_serial = 0;
    m_drawDib = false;
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(int newHeight, int newWidth) const
{
    auto target = std::make_unique<cDIBSection>();
    if (!target->Create(newWidth, newHeight))
        return nullptr;
    if (newWidth == m_width && newHeight == m_height) {
        if (!m_bits.empty())
            std::memcpy(target->m_bits.data(), m_bits.data(), m_bits.size());
    } else {
        ResampleInto(*target);
    }
    return target;
}

void cDIBSection::ResampleInto(cDIBSection &target) const
{
    if (m_bits.empty() || target.m_bits.empty())
        return;
    const int sw = m_width;
    const int sh = m_height;
    const int tw = target.m_width;
    const int th = target.m_height;
    // Steps over width - 1 and height - 1 keep the right and upper neighbours inside the
    // source; for a source one pixel wide or high they are 0 and the neighbour is the edge.
    const float sx = float(double(sw - 1) / double(tw));
    const float sy = float(double(sh - 1) / double(th));

    // Every target row uses the same source columns and fractions.
    std::vector<int> leftCol(static_cast<std::size_t>(tw));
    std::vector<int> rightCol(static_cast<std::size_t>(tw));
    std::vector<float> fxs(static_cast<std::size_t>(tw));
    std::vector<char> needed(std::size_t(sw), 0);
    for (int tx = 0; tx < tw; ++tx) {
        const float x = float(double(tx) * double(sx));
        const float ix = std::floor(x);
        fxs[std::size_t(tx)] = x - ix;
        const int c0 = std::min(int(ix), sw - 1);
        leftCol[std::size_t(tx)] = c0;
        rightCol[std::size_t(tx)] = std::min(c0 + 1, sw - 1);
        needed[std::size_t(c0)] = 1;
        needed[std::size_t(rightCol[std::size_t(tx)])] = 1;
    }
    std::vector<int> columns;
    for (int c = 0; c < sw; ++c) {
        if (needed[std::size_t(c)] != 0)
            columns.push_back(c);
    }

    const std::size_t srcLine = std::size_t(BytesPerScanLine());
    const std::size_t tgtLine = std::size_t(target.BytesPerScanLine());
    // The column step of one target row, per source column and channel: each source column
    // is interpolated down once per row instead of once per target pixel using it.
    std::vector<PixelLanes> down(static_cast<std::size_t>(sw));

    for (int ty = 0; ty < th; ++ty) {
        const float y = float(double(ty) * double(sy));
        const float iy = std::floor(y);
        const float fy = y - iy;
        const float wy = 1.0f - fy;
        const int r0 = std::min(int(iy), sh - 1);
        const int r1 = std::min(r0 + 1, sh - 1);
        const std::uint8_t *lower = m_bits.data() + std::size_t(r0) * srcLine;
        const std::uint8_t *upper = m_bits.data() + std::size_t(r1) * srcLine;
        for (const int c : columns) {
            const std::size_t i = 3 * std::size_t(c);
            blendChannels(lower + i, upper + i, wy, fy, down[std::size_t(c)]);
        }

        std::uint8_t *out = target.m_bits.data() + std::size_t(ty) * tgtLine;
        for (int tx = 0; tx < tw; ++tx, out += 3) {
            const float fx = fxs[std::size_t(tx)];
            const float wx = 1.0f - fx;
            blendChannels(down[std::size_t(leftCol[std::size_t(tx)])],
                          down[std::size_t(rightCol[std::size_t(tx)])], wx, fx, out);
        }
    }
}

DibSaveResult cDIBSection::SavePicture(const QString &fileName) const
{
    bool opened = false;
    const FileStatus status = writeFileSafely(fileName, [&](QIODevice &file) {
        opened = true;
        return WriteBitmapFile(file);
    });
    DibSaveResult result;
    result.written = status.ok();
    if (!status.ok() && !opened) {
        result.error = DibError{kDibErrorCannotOpen, errorSource(),
                                status.detail.left(qsizetype(kMaxDescription))};
    }
    return result;
}

bool cDIBSection::WriteBitmapFile(QIODevice &file) const
{
    if (m_bits.empty())
        return false;
    const qint64 fileSize = qint64(m_imageSize) + kPixelOffset;
    if (fileSize > qint64(UINT32_MAX))
        return false;

    std::array<uchar, kPixelOffset> h{}; // the colour entry at 54 stays zero
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(quint32(fileSize), h.data() + 2);
    qToLittleEndian<quint32>(kPixelOffset, h.data() + 10);
    uchar *info = h.data() + kFileHeaderSize;
    qToLittleEndian<quint32>(kInfoHeaderSize, info);
    qToLittleEndian<qint32>(m_width, info + 4);
    qToLittleEndian<qint32>(m_height, info + 8);
    qToLittleEndian<quint16>(1, info + 12);  // planes
    qToLittleEndian<quint16>(24, info + 14); // bits per pixel
    qToLittleEndian<quint32>(0, info + 16);  // uncompressed
    qToLittleEndian<quint32>(m_imageSize, info + 20);
    // Resolution, colours used and important colours stay 0.

    // File header, bitmap info with its colour entry, pixels: each only if the one before
    // went through.
    return writeAll(file, reinterpret_cast<const char *>(h.data()), kFileHeaderSize) &&
           writeAll(file, reinterpret_cast<const char *>(info),
                    kInfoHeaderSize + kColourEntrySize) &&
           writeAll(file, reinterpret_cast<const char *>(m_bits.data()), qint64(m_imageSize));
}

} // namespace camvista
