#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QMimeData;

namespace camvista
{

// Dragging shots onto the composition windows' squares. A drag from one of the program's
// own file lists is marked as such: its drop uses the window's selected shot. A file dropped
// from the desktop's file manager (text/uri-list) uses that file.

inline const QString kShotListMimeType = QStringLiteral("application/x-camvista-shot-list");

// The data of a drag of `path` from a file list: the marker and the file's address, so a file
// manager takes it as a file too.
QMimeData *shotDragData(const QString &path);
QStringList shotDragMimeTypes();

struct ShotDrop {
    bool fromFileList = false; // use the selected shot
    QString file;              // the dropped file otherwise
};

// What a drop brings, or nothing when it carries no shot (text, a remote address, a folder...).
std::optional<ShotDrop> shotDropOf(const QMimeData *data);

} // namespace camvista
