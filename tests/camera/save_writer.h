#pragma once

// A small writer of Game Boy Camera saves for tests and benchmarks. It encodes pixels the
// straightforward way, one pixel at a time, so it checks the reader rather than repeating it.

#include <QByteArray>
#include <QRgb>

#include <cstdint>
#include <utility>
#include <vector>

namespace camvista::test
{

inline constexpr int kSaveSize = 0x20000;
inline constexpr int kWidth = 128;
inline constexpr int kHeight = 112;

// 128 x 112 pixel values 0 to 3, row by row.
using PixelValues = std::vector<std::uint8_t>;

inline PixelValues filledValues(std::uint8_t value)
{
    return PixelValues(std::size_t(kWidth * kHeight), value);
}

// Every value in every position of a tile over the picture, in a pattern that differs by seed.
inline PixelValues patternValues(unsigned seed)
{
    PixelValues values(std::size_t(kWidth * kHeight));
    std::uint32_t state = seed * 2654435761u + 12345u;
    for (auto &v : values) {
        state = state * 1103515245u + 12345u;
        v = std::uint8_t((state >> 16) & 3u);
    }
    return values;
}

inline QRgb shadeOfValue(std::uint8_t value)
{
    static const QRgb shades[] = {qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(128, 128, 128),
                                  qRgb(0, 0, 0)};
    return shades[value & 3];
}

// 8 x 8 tiles of 16 bytes, 16 across and 14 down; each pixel row a low-plane and a high-plane
// byte with the leftmost pixel in bit 7.
inline QByteArray encodeTiles(const PixelValues &values)
{
    QByteArray tiles(0xE00, '\0');
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t v = values[std::size_t(y * kWidth + x)];
            const int tile = (y / 8) * 16 + x / 8;
            const int at = tile * 16 + (y % 8) * 2;
            const int bit = 7 - x % 8;
            if (v & 1)
                tiles[at] = char(uchar(tiles[at]) | (1 << bit));
            if (v & 2)
                tiles[at + 1] = char(uchar(tiles[at + 1]) | (1 << bit));
        }
    }
    return tiles;
}

class SaveWriter
{
public:
    static constexpr int kMarkerOffsets[] = {0x10D2, 0x11AB, 0x11D0, 0x11F5};

    // An empty camera: markers in place, every slot free, every picture white.
    SaveWriter() : m_bytes(kSaveSize, '\0')
    {
        for (int slot = 0; slot < 30; ++slot)
            setState(slot, 0xFF);
        for (int at : kMarkerOffsets)
            m_bytes.replace(at, 5, "Magic", 5);
    }

    // Album number 1 to 30, or 0 for a photo that was deleted (its pixels stay).
    SaveWriter &photo(int slot, const PixelValues &values, int album)
    {
        put(0x2000 + slot * 0x1000, encodeTiles(values));
        return setState(slot, album == 0 ? 0xFF : std::uint8_t(album - 1));
    }
    SaveWriter &setState(int slot, std::uint8_t value)
    {
        m_bytes[0x11B2 + slot] = char(value);
        return *this;
    }
    SaveWriter &lastSeen(const PixelValues &values) { return put(0x0100, encodeTiles(values)); }
    SaveWriter &gameFace(const PixelValues &values) { return put(0x11FC, encodeTiles(values)); }
    SaveWriter &breakMarker(int which)
    {
        m_bytes[kMarkerOffsets[which] + 2] = 'X';
        return *this;
    }

    const QByteArray &bytes() const { return m_bytes; }

private:
    SaveWriter &put(int at, const QByteArray &data)
    {
        m_bytes.replace(at, data.size(), data);
        return *this;
    }

    QByteArray m_bytes;
};

// A dump of several 128 KiB banks: the given saves where they stand, zero bytes elsewhere.
inline QByteArray dumpOfBanks(int bankCount, const std::vector<std::pair<int, QByteArray>> &saves)
{
    QByteArray dump(bankCount * kSaveSize, '\0');
    for (const auto &[bank, save] : saves)
        dump.replace(bank * kSaveSize, save.size(), save);
    return dump;
}

} // namespace camvista::test
