#pragma once

#include "composition_window.h"

#include <QPointF>

class QCheckBox;

namespace camvista
{

// The panorama maker (`frmPano`): the inner pictures of framed shots dropped on a grid of 8 x 6
// movable squares, sized by whole squares or pixel by pixel, saved with a black border or made
// the wallpaper without it.
class PanoramaWindow : public CompositionWindow
{
    Q_OBJECT

public:
    static constexpr QSize kClientSize{1272, 704};
    static constexpr int kMaxColumns = 7;
    static constexpr int kMaxLines = 6;
    static constexpr int kGridColumns = 8;
    static constexpr int kGridLines = 6;
    static constexpr QSize kSquareSize{128, 112};
    static constexpr QSize kStartBorderSize{273, 129};
    static constexpr int kBorderMargin = 8;

    PanoramaWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);

    PictureSurface *blackborder() const { return m_blackborder; }
    PictureSurface *picture7() const { return m_picture7; }
    // The labels of the panorama's height and width in pixels.
    QLabel *label8() const { return m_label8; }
    QLabel *label9() const { return m_label9; }
    QCheckBox *check1() const { return m_check1; }
    QPushButton *button(const char *name) const;

    int panoramaWidth() const;
    int panoramaHeight() const;
    bool moving() const { return m_moving; }

    void Command5_Click(); // one pixel lower
    void Command6_Click(); // one pixel higher
    void Command7_Click(); // one pixel narrower
    void Command8_Click(); // one pixel wider
    void Command10_Click() { wallpaper_Click(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void columnsChanged() override;
    void linesChanged() override;
    CompositionSize compositionSize() const override;
    void setCompositionSize(const CompositionSize &size) override;
    // Only the picture inside the shot's frame goes into a square.
    QImage squarePicture(const QImage &framedShot) override;
    // Saved with the border, made the wallpaper without it.
    const PictureSurface &savedSurface() const override { return *m_blackborder; }
    const PictureSurface &wallpaperSurface() const override { return *m_container; }

private:
    void setPanoramaWidth(int width);
    void setPanoramaHeight(int height);
    void twip2cm();
    // The squares from the bottom of the stack to its top.
    std::vector<DropSquare *> stacking() const;

    PictureSurface *m_blackborder = nullptr;
    PictureSurface *m_picture7 = nullptr;
    QLabel *m_label8 = nullptr;
    QLabel *m_label9 = nullptr;
    QCheckBox *m_check1 = nullptr;

    // One flag for the whole window, switched by a press and a release on any square.
    bool m_moving = false;
    QPointF m_pressed;
    // Where the square in hand lay, and the stacking, when it was pressed: one move to undo.
    DropSquare *m_pressedSquare = nullptr;
    MoveSquareCommand::Place m_pressedPlace;
};

} // namespace camvista
