#pragma once

#include "imaging/picture_file.h"
#include "platform/app_paths.h"

#include <QImage>
#include <QList>
#include <QString>

#include <optional>

namespace camvista::dump
{

// The frame the companion lays around the photos it writes: none, which keeps them 128 x 112,
// or one of the program's frames, which makes each photo the 160 x 144 shot the editor's frame
// step makes from it, so that the composition tools take it as it is.

inline const QString kNoFrame = QStringLiteral("none");
inline const QString kDefaultFrameKey = QStringLiteral("1");
inline const QString kNoFrameLabel = QStringLiteral("No frame (128 x 112)");

struct DumpFrame {
    QString key;    // what --frame and the settings file take: "none", "3" or a custom name
    QString label;  // what the window's list shows
    QString path;   // the frame's GIF file; empty for no frame
    int number = 0; // 1 to 21 for a default frame, else 0

    bool isNone() const { return path.isEmpty(); }
};

// "No frame (128 x 112)", then the program's frames: the default ones by number, the custom
// ones by name.
QList<DumpFrame> offeredFrames(const AppPaths &paths);

// The frame that `key` names: "none", a default frame's number or a custom frame's name.
std::optional<DumpFrame> frameNamed(const AppPaths &paths, const QString &key);

// The frame's picture through the program's loader; a null picture for no frame.
PictureLoad loadFrame(const DumpFrame &frame);

// What is written for a photo: a 128 x 112 photo in the frame, when there is one; anything else
// (no frame, a picture of another size) as it is.
QImage framedPhoto(const QImage &photo, const QImage &frame);

// The settings file the window keeps its frame in (the application's own, under a section of
// the companion's own), and that section and key.
QString settingsFileOf(const AppPaths &paths);
inline const QString kSettingsSection = QStringLiteral("VUDaviziDump");
inline const QString kFrameKey = QStringLiteral("Frame");

} // namespace camvista::dump
