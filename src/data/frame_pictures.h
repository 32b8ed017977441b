#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <utility>

namespace camvista::data
{

// The frames that come with the program: 160 x 144 pictures in the four shades whose 128 x 112
// centre at (16, 16) is see-through. The build writes them into the application folder as
// frames/default/1.gif ... 21.gif and frames/custom/<name>.gif.

inline constexpr int kFrameWidth = 160;
inline constexpr int kFrameHeight = 144;
inline constexpr int kFrameBorder = 16;
inline constexpr int kFrameStripHeight = 16;

int defaultFrameCount(); // 21

// Default frame n (1 to defaultFrameCount()): ARGB32, the centre fully transparent (alpha 0),
// every border pixel opaque and one of the four shades. A null picture for any other n.
QImage defaultFrame(int n);

// The 160 x 16 picture of the picker that lays default frame n: opaque, four shades. A null
// picture for an n out of range.
QImage frameStrip(int n);

// The frames of the custom folder, by file name without extension; the same rules as above.
QList<std::pair<QString, QImage>> customFrames();

} // namespace camvista::data
