#pragma once

#include "platform/app_paths.h"
#include "ui/shot_drag.h"

#include <QGroupBox>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

class QLineEdit;

namespace camvista
{

class Desktop;
class FileList;
class FolderList;
class PictureSurface;

inline const QString kToolShotPattern = QStringLiteral("*.bmp");
inline constexpr QSize kFramedShotSize{160, 144};
inline constexpr QRect kInnerPicture{16, 16, 128, 112};

// The shot picker of the composition windows (`Frame1`): the folder list, the preview of the
// selected shot and the file list that drags it, with the selected shot's path in the hidden
// `Text1`. Each window gives the places of the lists and the preview in the group box.
class ShotPicker : public QGroupBox
{
    Q_OBJECT

public:
    struct Layout {
        QRect dir1;
        QRect preview;
        QRect file1;
    };

    ShotPicker(const QString &caption, const Layout &layout, Desktop &desktop,
               QWidget *parent = nullptr);

    FolderList *dir1() const { return m_dir1; }
    PictureSurface *preview() const { return m_preview; }
    FileList *file1() const { return m_file1; }
    QLineEdit *text1() const { return m_text1; }

    // The opening steps: the folder list on the shots folder (when it is missing, on the
    // application folder), the file list following it with the "*.bmp" pattern.
    void openShotsFolder(const AppPaths &paths);

    // The selected shot's full path; empty until a file is clicked.
    QString selectedShot() const;

    // A click on a file: it becomes the selected shot and the preview shows it.
    void File1_Click();

    // The framed shot a drop brings: the selected shot for a drag from the list, else the
    // dropped file, read anew. Anything that is not a readable 160 x 144 picture gets the
    // "Bad!" message `badSizeText` and nothing.
    std::optional<QImage> framedShotFor(const ShotDrop &drop, const QString &badSizeText);

private:
    Desktop &m_desktop;
    FolderList *m_dir1 = nullptr;
    PictureSurface *m_preview = nullptr;
    FileList *m_file1 = nullptr;
    QLineEdit *m_text1 = nullptr;
};

// The picture inside a framed shot's 16-pixel frame, cut out on the work surface `picture7`
// (sized 128 x 112, the shot's pixels 16 to 143 across and 16 to 127 down drawn at (0, 0)), which
// keeps it as its stored picture.
QImage cutInnerPicture(PictureSurface &picture7, const QImage &shot);

} // namespace camvista
