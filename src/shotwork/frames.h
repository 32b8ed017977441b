#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace camvista::shotwork
{

// The working picture the editor starts from: a 128 x 112 photo goes in the middle of a white
// 160 x 144 canvas; any other picture is taken as it is (32-bit RGB).
QImage editorCanvas(const QImage &picture);

// The shot the editor's first step bakes: the frame's opaque pixels laid over the canvas of
// `picture` from the top-left, cut off at the canvas's edges. A null frame lays nothing.
QImage framedShot(const QImage &picture, const QImage &frame);

// The 128 x 112 picture inside a 160 x 144 shot; any other picture is returned as it is.
QImage innerPicture(const QImage &shot);

// One frame the program offers: a default frame by its number or a custom one by its name.
struct FrameEntry {
    int number = 0; // 1 to 21 for a default frame, 0 for a custom one
    QString name;   // a custom frame's file name without ".gif"; empty for a default one
    QString label;  // what a list shows: "Frame 3" or the custom frame's name
    QString path;   // the GIF file

    bool isDefault() const { return number > 0; }
};

inline constexpr int kDefaultFrameCount = 21;

// The frames under `framesFolder` (the application folder's "frames"): the default frames
// present in "default", by number, then the GIF files of "custom", by name.
QList<FrameEntry> availableFrames(const QString &framesFolder);

const FrameEntry *findDefaultFrame(const QList<FrameEntry> &frames, int number);
const FrameEntry *findCustomFrame(const QList<FrameEntry> &frames, const QString &name);
// The entry a user named: a default frame's number ("3") or a custom frame's name.
const FrameEntry *findFrame(const QList<FrameEntry> &frames, const QString &numberOrName);

} // namespace camvista::shotwork
