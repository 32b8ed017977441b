#pragma once

#include <QGroupBox>

class QAbstractButton;

namespace camvista
{

class CustomPaletteRow;
class Desktop;
class PictureSurface;
struct NamedPalette;

// "Third Step": the 28 palette buttons, built from the palette catalogue, and the custom palette
// row. A palette click recolours the working picture from the shot as it stood when the step
// began, and commits it.
class ThirdStepPanel : public QGroupBox
{
    Q_OBJECT

public:
    ThirdStepPanel(PictureSurface &picture1, PictureSurface &picture3, Desktop &desktop,
                   QWidget *parent = nullptr);

    QAbstractButton *paletteButton(const QString &control) const;

    // The named-palette application of one button.
    void applyNamedPalette(const NamedPalette &palette);

    // The "Custom palette:" row below the palette buttons.
    CustomPaletteRow *customPalette() const { return m_custom; }

private:
    PictureSurface &m_picture1;
    PictureSurface &m_picture3;
    Desktop &m_desktop;
    CustomPaletteRow *m_custom = nullptr;
};

} // namespace camvista
