#pragma once

#include "composition_commands.h"
#include "composition_output.h"

#include "data/tool_pictures.h"
#include "platform/app_paths.h"
#include "ui/shot_drag.h"

#include <QList>
#include <QWidget>

#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QUndoStack;

namespace camvista
{

class Desktop;
class DropSquare;
class PictureSurface;
class ShotPicker;

// What the mosaic editor and the panorama maker have in common: the shot picker, a grid of
// coloured squares in `container` that take dropped shots, the column and line counts with
// their "-" and "+" buttons, the wallpaper button and styles, the hidden `Picture2` that
// receives the composed picture, the "New", "Save" and "Quit" menu commands, and "Undo" and
// "Redo" for every drop, move and size change. A composition changed since it was last saved
// is never thrown away without asking.
class CompositionWindow : public QWidget
{
    Q_OBJECT

public:
    QSize clientSize() const { return size(); }
    ShotPicker *frame1() const { return m_frame1; }
    PictureSurface *container() const { return m_container; }
    // The square at that place of the grid.
    DropSquare *square(int column, int line) const;
    PictureSurface *picture2() const { return m_picture2; }
    QLabel *label1() const { return m_label1; }
    QLabel *label3() const { return m_label3; }
    QLabel *label11() const { return m_label11; }
    QPushButton *command1() const { return m_command1; }
    QPushButton *command2() const { return m_command2; }
    QPushButton *command3() const { return m_command3; }
    QPushButton *command4() const { return m_command4; }
    const WallpaperControls &wallpaperControls() const { return m_wallpaper; }
    // "New", "Save", "Quit", "Undo", "Redo".
    QList<QAction *> menuActions() const;
    QUndoStack *undoStack() const { return m_undo; }

    int columns() const;
    int lines() const;

    void Command1_Click(); // one column less
    void Command2_Click(); // one column more
    void Command3_Click(); // one line more
    void Command4_Click(); // one line less
    // True when the whole file is on disk.
    bool savepano_Click();
    void new_Click();
    void quit_Click();

    // Changed since it was last saved (or opened)?
    bool isChanged() const;
    // Before a changed composition is thrown away: Save, Discard or Cancel. True when it may
    // go: nothing was changed, the user discarded it, or it was saved.
    bool mayThrowAway();

    // The surface as shown goes to the clipboard and into Picture2; returns that picture.
    QImage compose(const PictureSurface &from);
    // A drop on that square: a framed shot is placed, anything else gets the "Bad!" message.
    void placeShot(DropSquare *square, const ShotDrop &drop);

signals:
    // "New": the listener replaces this window by a fresh one.
    void newRequested();
    // Something to tell the user without a box, such as the wallpaper just set.
    void told(const QString &text);

protected:
    struct Setup {
        const char *formName;
        QString caption;
        QSize clientSize;
        int maxColumns;
        int maxLines;
        // The shot picker's group box and its file list, which differ in height and place.
        int frameHeight;
        int fileListTop;
        QString dragHint;    // the red text above the file list
        QString badSizeText; // each window keeps its own spelling
        const char *wallpaperButton;
        data::ToolKind kind;
        int wallpaperTop;
        QString newCommand;
        QString saveCommand;
        QString quitCommand;
        QString compositionName; // "mosaic", "panorama": how the question names it
    };

    CompositionWindow(Desktop &desktop, const AppPaths &paths, const Setup &setup,
                      QWidget *parent = nullptr);

    // Lays `gridColumns` x `gridLines` squares of `squareSize` into `container`.
    void buildGrid(int gridColumns, int gridLines, const QSize &squareSize);
    const std::vector<DropSquare *> &squares() const { return m_squares; }
    void setCountText(QLabel *label, int count);

    void closeEvent(QCloseEvent *event) override;

    // A count changed; the window sizes its picture from it.
    virtual void columnsChanged() = 0;
    virtual void linesChanged() = 0;
    // The counts and sizes as they stand, and putting them back (for undo and redo).
    virtual CompositionSize compositionSize() const = 0;
    virtual void setCompositionSize(const CompositionSize &size) = 0;
    // Runs a change of the counts or sizes as one step that can be undone.
    void changeSize(const std::function<void()> &change);
    // What a placed shot becomes in its square.
    virtual QImage squarePicture(const QImage &framedShot) { return framedShot; }
    // The surface whose picture is saved, and the one made the wallpaper.
    virtual const PictureSurface &savedSurface() const = 0;
    virtual const PictureSurface &wallpaperSurface() const = 0;
    void wallpaper_Click();

    Desktop &m_desktop;
    AppPaths m_paths;
    QUndoStack *m_undo = nullptr;
    ShotPicker *m_frame1 = nullptr;
    PictureSurface *m_container = nullptr;
    PictureSurface *m_picture2 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label3 = nullptr;
    QLabel *m_label11 = nullptr;

private:
    Setup m_setup;
    std::vector<DropSquare *> m_squares;
    int m_gridColumns = 0;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command4 = nullptr;
    WallpaperControls m_wallpaper;
    QAction *m_new = nullptr;
    QAction *m_savepano = nullptr;
    QAction *m_quit = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    // "New" has asked already: the close that follows does not ask again.
    bool m_throwAwayAgreed = false;
};

} // namespace camvista
