#pragma once

#include "platform/app_paths.h"
#include "platform/desktop.h"

#include <QImage>
#include <QString>

class QRadioButton;
class QToolButton;
class QWidget;

namespace camvista
{

// What the composition windows share once a picture is composed: saving it as a BMP or PNG file
// and making it the desktop wallpaper.

// The program's "save as" (savePictureAs): BMP, or PNG when the user asks for it, enlarged by
// the whole factor chosen in the dialog, which starts in the folder last saved to. Cancelling
// is silent; a write that fails is told in plain words and leaves any file that stood there
// untouched. True when the whole file is on disk.
bool saveComposedPicture(QWidget *parent, Desktop &desktop, const QImage &picture,
                         const AppPaths &paths);

// The wallpaper button with its 96 x 96 picture and the three style options under it, placed
// with their top-left corner at `topLeft` of `parent`.
struct WallpaperControls {
    QToolButton *button = nullptr;
    QRadioButton *option1 = nullptr; // "Centered"
    QRadioButton *option2 = nullptr; // "Stretched"
    QRadioButton *option3 = nullptr; // "Mosaic" (tiled)

    Desktop::WallpaperStyle style() const;
};
WallpaperControls buildWallpaperControls(QWidget *parent, const QString &buttonName,
                                         const QImage &picture, const QPoint &topLeft);

// Makes the picture the wallpaper in that style, telling the user in a message box when the
// file could not be written or the desktop could not be set. On success, nothing is shown:
// what to tell (which file, which style) comes back, for the caller to show without a box.
QString setAsWallpaper(QWidget *parent, Desktop &desktop, const QImage &picture,
                       Desktop::WallpaperStyle style);

} // namespace camvista
