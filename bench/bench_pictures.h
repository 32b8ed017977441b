#pragma once

// Test pictures for the benchmarks: many different ones, so the branch predictor cannot learn a
// single picture.

#include <QImage>

#include <vector>

namespace camvista::bench
{

// A shot, and the large picture every speed target also names.
constexpr int kShotWidth = 160;
constexpr int kShotHeight = 144;
constexpr int kLargeWidth = 4096;
constexpr int kLargeHeight = 3072;
// Enough different shots that none is still in the caches and the branch predictor cannot
// learn one picture.
constexpr int kShotCount = 64;

// Pictures in the four shades, pixel by pixel at random, with about one pixel in sixteen of
// some other colour, as a (recoloured) shot.
inline std::vector<QImage> noisyShots(int count, int width, int height, quint32 seed)
{
    const QRgb shades[] = {qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(128, 128, 128),
                           qRgb(0, 0, 0)};
    std::vector<QImage> pictures;
    quint32 s = seed;
    for (int i = 0; i < count; ++i) {
        QImage img(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < width; ++x) {
                s = s * 1664525u + 1013904223u;
                const quint32 r = s >> 8;
                row[x] = (r & 0xF0) ? shades[r & 3] : (0xFF000000u | (r >> 4));
            }
        }
        pictures.push_back(img);
    }
    return pictures;
}

} // namespace camvista::bench
