#pragma once

#include "imaging/colour_value.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>

namespace camvista
{

// The codes the photo converter passes to the image processor. Only this combination is
// understood; any other value makes the operation report failure.
namespace processor
{
inline constexpr int kPictureBmp = 0;        // picture type
inline constexpr int kColourModeColour = 0;  // colour mode
inline constexpr int kTwoBitsPerPixel = 2;   // four colours
inline constexpr int kFixedGreyMap = 0x2200; // N evenly spaced greys, N the colour count
inline constexpr int kOrderedDither = 2;     // Bayer ordered dither
inline constexpr int kDrawCopy = 0;          // DrawToSurface: plain copy
inline constexpr int kWholePicture = -1;     // a region of four of these is everything
} // namespace processor

// A region in pixels: left and top inclusive, right and bottom exclusive. All four at -1 mean
// the whole picture.
struct ProcessorRegion {
    int left = processor::kWholePicture;
    int top = processor::kWholePicture;
    int right = processor::kWholePicture;
    int bottom = processor::kWholePicture;
};

// The classic 4 x 4 Bayer matrix. A grey v lies between two of the four levels (steps of 85);
// it takes the upper one where its place in the step, (v mod 85) / 85, is above the threshold
// (m + 0.5) / 16 of its cell, m = kBayer4[y % 4][x % 4]. A flat grey 128 (43/85 = 0.506 into the
// step from 85) therefore gives 170 where m <= 7 and 85 where m >= 8: a checkerboard.
inline constexpr std::array<std::array<std::uint8_t, 4>, 4> kBayer4{{
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
}};

// Grey by the usual luma weights (0.299 R + 0.587 G + 0.114 B), rounded.
inline constexpr int lumaGrey(int red, int green, int blue)
{
    return (19595 * red + 38470 * green + 7471 * blue + 32768) >> 16;
}

// One of the four greys 0, 85, 170, 255 for grey v at (x, y), by the matrix above.
inline constexpr int ditheredGrey(int v, int x, int y)
{
    const int level = v / 85;
    const int into = v % 85;
    const int m = kBayer4[std::size_t(y & 3)][std::size_t(x & 3)];
    return 85 * (level + (32 * into > 85 * (2 * m + 1) ? 1 : 0));
}

// Reduces the picture to the four greys with the ordered dither. See-through parts are laid on
// `background` first. The result is RGB32; null when memory runs out.
QImage reduceToFourGreys(const QImage &picture, QRgb background);

// The image-processing component of the photo converter: it reduces a picture to four greys
// through a picture file and shows the result on a surface's drawing layer. Each operation
// returns the success flag; a failed one changes nothing.
class ImageProcessor
{
public:
    // The colour see-through parts of a picture are laid on before the reduction (24-bit
    // red + 256 green + 65536 blue). False for a value that is no colour.
    bool SetColor(ColourValue colour);
    ColourValue color() const { return m_colour; }

    // Takes `region` of `surface`, reduces it with the given settings, writes it to `path` as
    // the picture type says and makes it the current image. False for settings other than the
    // converter's, an empty surface, a region outside it, or a file that cannot be written.
    bool ConvertSurfaceToFile(const QImage &surface, const QString &path, int pictureType,
                              int colourMode, int bitsPerPixel, int colourMap, int dither,
                              const ProcessorRegion &region);

    // Makes the file's picture the current image; false when it is missing or unreadable.
    bool LoadFile(const QString &path);

    // Copies `region` of the current image onto the surface at its top left, clipped to it.
    // Only mode 0 (plain copy) is known.
    bool DrawToSurface(QImage &surface, int mode, const ProcessorRegion &region) const;
    // Shows the whole current image on the surface at its top left.
    bool ShowOnSurface(QImage &surface) const;

    const QImage &currentImage() const { return m_current; }

private:
    ColourValue m_colour = 0xFFFFFF;
    QImage m_current;
};

// Where the converter keeps its temporary picture file: the user's runtime folder when the
// system names one (it lives in memory, so the file costs no disk writes), else the usual
// temporary folder.
QString scratchFolder();

// The part of a picture of `size` a region stands for; empty when it is not a valid part.
QRect regionRect(const ProcessorRegion &region, const QSize &size);

} // namespace camvista
