#pragma once

#include "platform/app_paths.h"
#include "ui/shot_drag.h"

#include <QList>
#include <QWidget>

#include <array>

class QAction;

namespace camvista
{

class ClickableLabel;
class Desktop;
class DropSquare;
class PictureSurface;
class ShotPicker;

// The wild frames tool (`frmWFrames`): the picture of a framed shot, without its camera frame,
// put between the top and bottom pieces of one of ten tall frames, with black sides, and saved
// as a 160 x 224 picture. The pieces are files of the application folder's frames/wild.
class WildFramesWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kClientSize{369, 481};
    static constexpr QSize kCompositionSize{160, 224};
    static constexpr int kThumbnailCount = 10;

    // A frame of the list: its thumbnail's name and place, and the base name of its files.
    struct FrameEntry {
        const char *image;
        int y;
        const char *baseName;
    };
    static const std::array<FrameEntry, kThumbnailCount> kFrames;

    WildFramesWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);

    // Centred on a screen of that size, 2000 twips above the middle; never off its top or left.
    static QPoint openPosition(const QSize &screen, const QSize &window);

    ShotPicker *frame1() const { return m_frame1; }
    PictureSurface *composition() const { return m_picture1[0]; } // `Picture1` element 0
    PictureSurface *topPiece() const { return m_picture1[1]; }
    DropSquare *picture2() const { return m_picture2; }
    PictureSurface *bottomPiece() const { return m_picture1[2]; }
    PictureSurface *picture7() const { return m_picture7; }
    ClickableLabel *thumbnail(int index) const { return m_thumbnails[std::size_t(index)]; }
    QList<QAction *> menuActions() const;

    // The top and bottom piece files of a frame.
    QString pieceFile(const QString &baseName, int piece) const;

    void File1_DblClick();
    // A click on the thumbnail of the frame with that base name.
    void chooseFrame(const QString &baseName);
    // A double click or a drop on the shot window: a framed shot's picture goes into it.
    void placeShot(const ShotDrop &drop);
    void savewf_Click();

private:
    Desktop &m_desktop;
    AppPaths m_paths;
    ShotPicker *m_frame1 = nullptr;
    std::array<PictureSurface *, 3> m_picture1{};
    DropSquare *m_picture2 = nullptr;
    PictureSurface *m_picture7 = nullptr;
    std::array<ClickableLabel *, kThumbnailCount> m_thumbnails{};
    QAction *m_savewf = nullptr;
};

} // namespace camvista
