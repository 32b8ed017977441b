#pragma once

// Camera-like shots for the export benchmarks: a smooth scene in the four shades through the
// camera's 4 x 4 ordered dither, different for every index.

#include <QImage>

#include <algorithm>
#include <cmath>

namespace camvista::bench
{

inline QImage cameraLikeShot(int index, int width = 160, int height = 144)
{
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const QRgb shades[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                           qRgb(255, 255, 255)};
    QImage img(width, height, QImage::Format_RGB32);
    const double cx = 40 + (index * 37) % 80;
    const double cy = 30 + (index * 53) % 84;
    const double wave = 0.05 + (index % 17) * 0.01;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            const double light = 0.5 + 0.35 * std::cos(d * wave) + 0.15 * (double(y) / height);
            const double level =
                std::clamp(light, 0.0, 1.0) * 3.0 + kBayer[y % 4][x % 4] / 16.0 - 0.5;
            row[x] = shades[std::clamp(int(level), 0, 3)];
        }
    }
    // The index in a strip of bits along the bottom keeps every shot distinct.
    for (int bit = 0; bit < 16; ++bit)
        for (int y = height - 3; y < height; ++y)
            for (int x = bit * 4; x < bit * 4 + 4; ++x)
                img.setPixel(x, y, (index >> bit) & 1 ? shades[3] : shades[0]);
    return img;
}

} // namespace camvista::bench
