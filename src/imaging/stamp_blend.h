#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace camvista
{

// Length of a 24-bit row of n pixels rounded up to whole 4-byte words.
constexpr qint64 scanLineBytes(qint64 n)
{
    return ((n * 24 + 31) / 32) * 4;
}

// What a placed stamp blends with: the working picture as it was when the stamp was loaded,
// 24-bit rows (blue, green, red) bottom row first, and the stamp's straight-alpha pixels
// (blue, green, red, alpha), bottom row first, rows not padded.
struct StampScene {
    int backgroundWidth = 0;
    int backgroundHeight = 0;
    std::vector<std::uint8_t> background; // backgroundHeight rows of scanLineBytes(width)
    int stampWidth = 0;
    int stampHeight = 0;
    std::vector<std::uint8_t> stamp; // stampHeight rows of stampWidth x 4 bytes

    // False when a size is negative or a buffer is shorter than its size says.
    bool isValid() const;
};

// The picture's 24-bit rows, bottom row first, `width` x `height` (pixels beyond the picture are
// black).
std::vector<std::uint8_t> backgroundRows(const QImage &picture, int width, int height);
// The picture's pixels as straight-alpha BGRA rows, bottom row first; an opaque picture gets
// alpha 255 everywhere.
std::vector<std::uint8_t> stampPixels(const QImage &picture);

// Blends the stamp over the background with its top-left corner at (x, y) of the picture into
// `patch`: stampHeight rows of scanLineBytes(stampWidth) bytes, bottom row first. The background
// under the stamp is copied in, clipped at every edge (what lies outside stays black), then each
// pixel with alpha a > 0 becomes f x stamp + g x patch with f = a / 255 and g = 1 - f in single
// precision, rounded half to even. Returns false, leaving `patch` as it was, when no part of the
// stamp lies over the picture or the scene is not valid.
bool DrawStamp(const StampScene &scene, int x, int y, std::vector<std::uint8_t> &patch);

// The patch as a stampWidth x stampHeight picture (32-bit RGB, top row first).
QImage patchToImage(const std::vector<std::uint8_t> &patch, int width, int height);

} // namespace camvista
