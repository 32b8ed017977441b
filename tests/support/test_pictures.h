#pragma once

#include <QFile>
#include <QImage>
#include <QString>

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

// A photograph-like picture: smooth colour gradients with some fine texture.
inline QImage photograph(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb((x * 255) / width, (y * 255) / height, ((x ^ y) * 7) & 0xFF);
    }
    return image;
}

inline QImage rgb32(const QImage &img)
{
    return img.convertToFormat(QImage::Format_RGB32);
}

// What a file's first bytes say it is: "png", "bmp", or empty for anything else.
inline QString fileFormatOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(8);
    if (head == QByteArray("\x89PNG\r\n\x1A\n", 8))
        return QStringLiteral("png");
    if (head.startsWith("BM"))
        return QStringLiteral("bmp");
    return {};
}

} // namespace camvista::test
