#include "picture_squeeze.h"

#include "imaging/bicubic_resize.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace camvista
{

namespace
{

// Rounded division of a block's sum by its pixel count, without a division per pixel: a
// multiply by the count's reciprocal, scaled by 2^40 and rounded up, is exact for every
// dividend below 2^24 when the count is at most 2^16 (the error stays under one in 2^40).
// Larger blocks divide plainly.
class BlockMean
{
public:
    explicit BlockMean(std::uint64_t count)
        : m_count(count), m_half(count / 2),
          m_reciprocal(count <= kQuickCount ? ((std::uint64_t(1) << kShift) + count - 1) / count
                                            : 0)
    {
    }
    std::uint8_t operator()(std::uint64_t sum) const
    {
        const std::uint64_t n = sum + m_half;
        return std::uint8_t(m_reciprocal != 0 ? (n * m_reciprocal) >> kShift : n / m_count);
    }

private:
    static constexpr int kShift = 40;
    static constexpr std::uint64_t kQuickCount = 1 << 16; // 255.5 x 2^16 < 2^24
    std::uint64_t m_count;
    std::uint64_t m_half;
    std::uint64_t m_reciprocal;
};

// Sums the block rows down into `columns`, then each block's columns across. Acc is the
// column sum type: 16 bits hold up to 257 rows of 255, and keep the sums in the first cache.
template <typename Acc>
void averageRows(const QImage &source, QImage &out, int factorX, int factorY, int skipX, int skipY)
{
    const int outW = out.width();
    const std::size_t bytes = std::size_t(outW) * std::size_t(factorX) * 4;
    std::vector<Acc> columns(bytes);
    const BlockMean mean(std::uint64_t(factorX) * std::uint64_t(factorY));
    for (int by = 0; by < out.height(); ++by) {
        // Down the block's rows first: a plain byte-wise sum the compiler turns into vector code.
        std::fill(columns.begin(), columns.end(), Acc(0));
        for (int k = 0; k < factorY; ++k) {
            const std::uint8_t *row = source.constScanLine(skipY + by * factorY + k) + skipX * 4;
            Acc *acc = columns.data();
            for (std::size_t i = 0; i < bytes; ++i)
                acc[i] = Acc(acc[i] + row[i]);
        }
        // Then across: each block's columns, channel by channel.
        std::uint8_t *dst = out.scanLine(by);
        const Acc *acc = columns.data();
        for (int bx = 0; bx < outW; ++bx) {
            std::uint64_t sum[4] = {0, 0, 0, 0};
            for (int k = 0; k < factorX; ++k, acc += 4) {
                sum[0] += acc[0];
                sum[1] += acc[1];
                sum[2] += acc[2];
                sum[3] += acc[3];
            }
            for (int c = 0; c < 4; ++c)
                *dst++ = mean(sum[c]);
        }
    }
}

} // namespace

QImage averageBlocks(const QImage &picture, int factorX, int factorY)
{
    if (picture.isNull() || factorX < 1 || factorY < 1 || factorX > picture.width() ||
        factorY > picture.height())
        return {};
    // Opaque RGB32 has the layout of premultiplied ARGB32 with alpha 255: no conversion needed.
    const QImage source = picture.format() == QImage::Format_RGB32 ||
                                  picture.format() == QImage::Format_ARGB32_Premultiplied
                              ? picture
                              : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int outW = source.width() / factorX;
    const int outH = source.height() / factorY;
    QImage out(outW, outH, QImage::Format_ARGB32_Premultiplied);
    if (source.isNull() || out.isNull())
        return {};
    const int skipX = (source.width() - outW * factorX) / 2;
    const int skipY = (source.height() - outH * factorY) / 2;
    if (factorY <= 257)
        averageRows<std::uint16_t>(source, out, factorX, factorY, skipX, skipY);
    else
        averageRows<std::uint32_t>(source, out, factorX, factorY, skipX, skipY);
    return out;
}

QImage squeezePicture(const QImage &picture, const QSize &size)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    // Average down to no less than twice the size, so the bicubic filter still has room to
    // work and sees no aliasing.
    const int factorX = std::max(1, picture.width() / (2 * size.width()));
    const int factorY = std::max(1, picture.height() / (2 * size.height()));
    if (factorX == 1 && factorY == 1)
        return resizeBicubic(picture, size.width(), size.height());
    const QImage averaged = averageBlocks(picture, factorX, factorY);
    return averaged.isNull() ? QImage() : resizeBicubic(averaged, size.width(), size.height());
}

} // namespace camvista
