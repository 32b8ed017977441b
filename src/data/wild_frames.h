#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace camvista::data
{

// The wild frames: tall frames around a shot's inner picture, each a 160 x 40 top piece and a
// 160 x 72 bottom piece in the four shades, with black sides between them. The build writes
// them into the application folder as frames/wild/<name>_1.bmp and <name>_2.bmp.

inline constexpr int kWildWidth = 160;
inline constexpr int kWildTopHeight = 40;
inline constexpr int kWildBottomHeight = 72;
inline constexpr int kWildStripHeight = 16;
inline constexpr int kWildPictureWidth = 128;
inline constexpr int kWildPictureHeight = 112;

struct WildFrame {
    QString name;     // the base name of its files
    QImage top;       // 160 x 40, opaque
    QImage bottom;    // 160 x 72, opaque
    QImage thumbnail; // 160 x 16, opaque: the strip the tool shows to pick the frame
};

// The ten frames in the order the tool lists them: camboy, marluig, myosh, yosh, red, mkart,
// clef, zelda, wario, tortank.
QList<WildFrame> wildFrames();

// What the tool shows before anything is chosen: its own pieces and a 128 x 112 picture.
QImage defaultWildTop();
QImage defaultWildBottom();
QImage defaultWildPicture();

} // namespace camvista::data
