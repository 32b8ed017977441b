#include "third_step_panel.h"

#include "custom_palette_row.h"

#include "colour/palette_catalogue.h"
#include "ui/picture_surface.h"
#include "ui/recolour.h"
#include "ui/twips_geometry.h"

#include <QLabel>
#include <QToolButton>

namespace camvista
{

namespace
{

void place(QWidget *widget, const TwipsBox &box)
{
    placeTwips(widget, box.left, box.top, box.width, box.height);
}

} // namespace

ThirdStepPanel::ThirdStepPanel(PictureSurface &picture1, PictureSurface &picture3, Desktop &desktop,
                               QWidget *parent)
    : QGroupBox(QStringLiteral("Third Step: Choose what colors you want to apply"), parent),
      m_picture1(picture1), m_picture3(picture3), m_desktop(desktop)
{
    setObjectName(QStringLiteral("thirdstep"));

    const CatalogueLabel &heading = gameBoyColourLabel();
    auto *label15 = new QLabel(heading.caption.toString(), this);
    label15->setObjectName(heading.control.toString());
    place(label15, heading.geometry);

    for (const NamedPalette &palette : namedPalettes()) {
        auto *button = new QToolButton(this);
        button->setObjectName(palette.control.toString());
        button->setText(palette.caption.toString());
        const QImage strip = paletteStrip(palette);
        button->setIcon(QIcon(QPixmap::fromImage(strip)));
        button->setIconSize(strip.size());
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setToolTip(palette.caption.toString());
        place(button, palette.geometry);
        connect(button, &QToolButton::clicked, this,
                [this, &palette] { applyNamedPalette(palette); });
    }

    m_custom = new CustomPaletteRow(*this, picture1, desktop);
}

QAbstractButton *ThirdStepPanel::paletteButton(const QString &control) const
{
    return findChild<QAbstractButton *>(control);
}

void ThirdStepPanel::applyNamedPalette(const NamedPalette &palette)
{
    applyPalette(m_picture1, m_picture3.picture(), palette.passes(), m_desktop);
}

} // namespace camvista
