#pragma once

#include "composition_window.h"

namespace camvista
{

// The mosaic editor (`frmMosaik`): framed shots dragged onto a grid of 6 x 5 coloured squares,
// of which the first columns and lines make the mosaic; saved as a BMP file or made the
// wallpaper. It does no pixel work of its own: the mosaic is the grid as shown.
class MosaicWindow : public CompositionWindow
{
    Q_OBJECT

public:
    static constexpr QSize kClientSize{1245, 746};
    static constexpr int kMaxColumns = 6;
    static constexpr int kMaxLines = 5;
    static constexpr QSize kSquareSize{160, 144};

    MosaicWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);

    // The hidden labels that hold the mosaic's width and height in pixels.
    QLabel *label9() const { return m_label9; }
    QLabel *label8() const { return m_label8; }

    void Command9_Click() { wallpaper_Click(); }
    // The grid as shown, on the clipboard and in Picture2.
    QImage composeMosaic() { return compose(*m_container); }

protected:
    void columnsChanged() override;
    void linesChanged() override;
    CompositionSize compositionSize() const override;
    void setCompositionSize(const CompositionSize &size) override;
    const PictureSurface &savedSurface() const override { return *m_container; }
    const PictureSurface &wallpaperSurface() const override { return *m_container; }

private:
    void applyMosaicSize();
    void twip2cm();

    QLabel *m_label9 = nullptr;
    QLabel *m_label8 = nullptr;
};

} // namespace camvista
