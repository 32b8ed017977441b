#pragma once

#include <QGroupBox>

class QAbstractButton;

namespace camvista
{

class Desktop;
class PictureSurface;
struct NamedPalette;

// "Third Step": the 28 palette buttons, built from the palette catalogue. A click recolours the
// working picture from the shot as it stood when the step began, and commits it.
class ThirdStepPanel : public QGroupBox
{
    Q_OBJECT

public:
    ThirdStepPanel(PictureSurface &picture1, PictureSurface &picture3, Desktop &desktop,
                   QWidget *parent = nullptr);

    QAbstractButton *paletteButton(const QString &control) const;

    // The named-palette application of one button.
    void applyNamedPalette(const NamedPalette &palette);

private:
    PictureSurface &m_picture1;
    PictureSurface &m_picture3;
    Desktop &m_desktop;
};

} // namespace camvista
