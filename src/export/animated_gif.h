#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace camvista::exporting
{

struct GifAnimation {
    // The pictures in playing order, each 8-bit indexed with at most 256 colours (see
    // gifFrame), all of the first one's size.
    QList<QImage> frames;
    int scale = 1;     // every frame is enlarged by this whole factor as it is written
    int delayMs = 500; // per frame; GIF counts in hundredths, so it is rounded to 10 ms
    int loopCount = 0; // 0 plays forever; otherwise how many times the animation repeats
    bool loop = true;  // false: a still picture, no looping extension at all
};

// A picture as a GIF frame: its exact colours when it has at most 256, else reduced to 256.
QImage gifFrame(const QImage &picture);

// The frames for back-and-forth play: 1 2 3 ... n, then n-1 ... 2 (the first frame follows
// again as the loop starts over).
QList<QImage> bounced(const QList<QImage> &frames);

// Encodes the animation in memory. Empty, with `error` saying why, when the frames are missing
// or mixed in size, the picture is too large for GIF, or there was no memory.
QByteArray encodeGifAnimation(const GifAnimation &animation, QString &error);

} // namespace camvista::exporting
