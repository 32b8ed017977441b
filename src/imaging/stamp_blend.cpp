#include "stamp_blend.h"

#include "channel_blend.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace camvista
{

namespace
{

struct BlendFactors {
    std::array<float, 256> f{};
    std::array<float, 256> g{};

    BlendFactors()
    {
        for (int a = 0; a < 256; ++a) {
            f[size_t(a)] = float(double(a) / 255.0);
            g[size_t(a)] = 1.0f - f[size_t(a)];
        }
    }
};

const BlendFactors &factors()
{
    static const BlendFactors table;
    return table;
}

} // namespace

bool StampScene::isValid() const
{
    if (backgroundWidth < 0 || backgroundHeight < 0 || stampWidth < 0 || stampHeight < 0)
        return false;
    return qint64(background.size()) >= scanLineBytes(backgroundWidth) * backgroundHeight &&
           qint64(stamp.size()) >= qint64(stampWidth) * stampHeight * 4;
}

std::vector<std::uint8_t> backgroundRows(const QImage &picture, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const qint64 stride = scanLineBytes(width);
    std::vector<std::uint8_t> rows(size_t(stride * height), 0);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(width, rgb.width());
    const int h = std::min(height, rgb.height());
    for (int y = 0; y < h; ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        std::uint8_t *out = rows.data() + stride * (height - 1 - y);
        for (int x = 0; x < w; ++x) {
            *out++ = std::uint8_t(qBlue(src[x]));
            *out++ = std::uint8_t(qGreen(src[x]));
            *out++ = std::uint8_t(qRed(src[x]));
        }
    }
    return rows;
}

std::vector<std::uint8_t> stampPixels(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width();
    const int h = argb.height();
    std::vector<std::uint8_t> pixels(size_t(qint64(w) * h * 4));
    for (int y = 0; y < h; ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        std::uint8_t *out = pixels.data() + qint64(w) * 4 * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            *out++ = std::uint8_t(qBlue(src[x]));
            *out++ = std::uint8_t(qGreen(src[x]));
            *out++ = std::uint8_t(qRed(src[x]));
            *out++ = std::uint8_t(qAlpha(src[x]));
        }
    }
    return pixels;
}

bool DrawStamp(const StampScene &scene, int x, int y, std::vector<std::uint8_t> &patch)
{
    if (!scene.isValid())
        return false;
    // 64-bit arithmetic: positions come from the pointer and may lie far outside.
    const qint64 W = scene.backgroundWidth;
    const qint64 H = scene.backgroundHeight;
    const qint64 w = scene.stampWidth;
    const qint64 h = scene.stampHeight;
    const qint64 X = x;
    const qint64 Y = y;

    qint64 cw = w;
    if (W < X + w)
        cw = W - X; // clip at the right edge
    qint64 ch = h;
    const qint64 b = H - h - Y; // background row, from the bottom, under the stamp's bottom row
    if (H < b + h)
        ch = h + Y; // clip at the top edge
    const qint64 vw = X < 0 ? cw + X : cw;
    const qint64 vh = b < 0 ? ch + b : ch;
    if (vw <= 0 || vh <= 0)
        return false; // nothing over the picture: the box keeps what it showed

    const qint64 patchStride = scanLineBytes(w);
    const qint64 bgStride = scanLineBytes(W);
    patch.assign(size_t(patchStride * h), 0);

    // The background under the stamp, row by row.
    const qint64 srcX = X < 0 ? 0 : X;
    const qint64 dstX = X < 0 ? -X : 0;
    const qint64 copyBytes = std::min(vw, std::min(W - srcX, w - dstX)) * 3;
    qint64 bgRow = std::max<qint64>(b, 0);
    for (qint64 i = b < 0 ? -b : 0; i < ch && bgRow < H; ++i, ++bgRow) {
        if (i < 0 || i >= h || copyBytes <= 0)
            continue;
        std::memcpy(patch.data() + i * patchStride + dstX * 3,
                    scene.background.data() + bgRow * bgStride + srcX * 3, size_t(copyBytes));
    }

    // The stamp over it.
    const BlendFactors &k = factors();
    const std::uint8_t *s = scene.stamp.data();
    for (qint64 i = 0; i < h; ++i) {
        std::uint8_t *p = patch.data() + i * patchStride;
        for (qint64 j = 0; j < w; ++j, s += 4, p += 3) {
            const std::uint8_t a = s[3];
            if (a == 0)
                continue;
            if (a == 255) {
                // f = 1 and g = 0 exactly: the stamp's own colour.
                p[0] = s[0];
                p[1] = s[1];
                p[2] = s[2];
                continue;
            }
            blendChannels(s, p, k.f[a], k.g[a], p);
        }
    }
    return true;
}

QImage patchToImage(const std::vector<std::uint8_t> &patch, int width, int height)
{
    const qint64 stride = scanLineBytes(width);
    if (width <= 0 || height <= 0 || qint64(patch.size()) < stride * height)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *src = patch.data() + stride * (height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x, src += 3)
            out[x] = qRgb(src[2], src[1], src[0]);
    }
    return image;
}

} // namespace camvista
