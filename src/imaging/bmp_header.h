#pragma once

#include <QtEndian>

#include <array>
#include <cstdint>

namespace camvista
{

// The 54-byte header (file header and 40-byte information header) of an uncompressed,
// bottom-up BMP file whose pixel data follows at once.
inline std::array<uchar, 54> bmpHeader54(qint64 width, qint64 height, int bitsPerPixel,
                                         qint64 imageSize, int dotsPerMeterX, int dotsPerMeterY)
{
    constexpr int kHeaderSize = 54;
    std::array<uchar, kHeaderSize> h{};
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(quint32(kHeaderSize + imageSize), h.data() + 2);
    qToLittleEndian<quint32>(kHeaderSize, h.data() + 10);
    qToLittleEndian<quint32>(40, h.data() + 14);
    qToLittleEndian<qint32>(qint32(width), h.data() + 18);
    qToLittleEndian<qint32>(qint32(height), h.data() + 22); // positive: bottom row first
    qToLittleEndian<quint16>(1, h.data() + 26);
    qToLittleEndian<quint16>(quint16(bitsPerPixel), h.data() + 28);
    qToLittleEndian<quint32>(0, h.data() + 30); // uncompressed
    qToLittleEndian<quint32>(quint32(imageSize), h.data() + 34);
    qToLittleEndian<qint32>(qint32(dotsPerMeterX < 0 ? 0 : dotsPerMeterX), h.data() + 38);
    qToLittleEndian<qint32>(qint32(dotsPerMeterY < 0 ? 0 : dotsPerMeterY), h.data() + 42);
    return h;
}

} // namespace camvista
