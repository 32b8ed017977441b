#pragma once

#include <QImage>

namespace camvista::test
{

// A shot in the four shades whose pixels follow no pattern, so a shift, a scale or a wrong
// picture shows at once.
inline QImage fourShadeShot(int width, int height, quint32 seed)
{
    static const QRgb shades[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                                  qRgb(255, 255, 255)};
    QImage img(width, height, QImage::Format_RGB32);
    quint32 s = seed;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            s = s * 1664525u + 1013904223u;
            row[x] = shades[(s >> 24) & 3];
        }
    }
    return img;
}

inline QImage rgb32(const QImage &img)
{
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace camvista::test
