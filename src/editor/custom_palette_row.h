#pragma once

#include "colour/custom_palette.h"

#include <QObject>
#include <QString>

#include <array>

class QLabel;
class QPushButton;
class QWidget;

namespace camvista
{

class ClickableLabel;
class Desktop;
class PictureSurface;

// The "Custom palette:" row of the colour step: a swatch per shade that opens the colour
// dialog, and "X" to put the swatches back to the greys. A pick recolours the working picture
// as it stands (it does not start again from the held shot) and commits it. The hidden
// tracking labels show what colour each shade's pixels currently have.
class CustomPaletteRow : public QObject
{
    Q_OBJECT

public:
    // The controls are made inside `panel`.
    CustomPaletteRow(QWidget &panel, PictureSurface &picture1, Desktop &desktop);

    const CustomPalette &palette() const { return m_palette; }
    ClickableLabel *swatch(Shade shade) const { return m_swatches[std::size_t(shade)]; }
    QLabel *trackingLabel(Shade shade) const { return m_tracking[std::size_t(shade)]; }
    QPushButton *resetButton() const { return m_resetcustom; }

    // The user picks a colour for one shade (blk_Click, dg_Click, lg_Click, wt_Click).
    void pickColour(Shade shade);
    void resetcustom_Click();
    // The picture went back to its unrecoloured state: the tracking colours follow.
    void resetTracking();

private:
    void showColours();

    QWidget &m_panel;
    PictureSurface &m_picture1;
    Desktop &m_desktop;
    CustomPalette m_palette;
    std::array<ClickableLabel *, 4> m_swatches{};
    std::array<QLabel *, 4> m_tracking{};
    QPushButton *m_resetcustom = nullptr;
};

// The message for a colour dialog that failed for any reason but the user cancelling.
QString colourDialogErrorText(int number, const QString &description);

} // namespace camvista
