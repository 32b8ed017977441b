#include "custom_palette_row.h"

#include "platform/desktop.h"
#include "ui/clickable_label.h"
#include "ui/picture_surface.h"
#include "ui/twips_geometry.h"

#include <QLabel>
#include <QPushButton>

namespace camvista
{

namespace
{

// The desktop's colour dialog reports only a colour or a cancel; an answer that is not a
// colour is the dialog failing, which the toolkit numbers as a general dialog failure.
constexpr int kDialogFailure = -32768;

struct ShadeControls {
    Shade shade;
    const char *swatch;
    const char *tracking;
    int left; // twips, on the row at top 3600
};

constexpr ShadeControls kControls[] = {
    {Shade::Black, "blk", "blk2", 1320},
    {Shade::DarkGrey, "dg", "dg2", 1680},
    {Shade::LightGrey, "lg", "lg2", 2040},
    {Shade::White, "wt", "wt2", 2400},
};

void fillWith(QLabel *label, QRgb colour)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(colour));
    label->setPalette(pal);
}

} // namespace

QString colourDialogErrorText(int number, const QString &description)
{
    return QStringLiteral("Error ") + QString::number(number) +
           QStringLiteral(" selecting color.") + QStringLiteral("\r\n") + description;
}

CustomPaletteRow::CustomPaletteRow(QWidget &panel, PictureSurface &picture1, Desktop &desktop)
    : QObject(&panel), m_panel(panel), m_picture1(picture1), m_desktop(desktop)
{
    auto *label1 = new QLabel(QStringLiteral("Custom palette:"), &panel);
    label1->setObjectName(QStringLiteral("Label1"));
    placeTwips(label1, 120, 3600, 1335, 255);

    for (const ShadeControls &c : kControls) {
        auto *swatch = new ClickableLabel(&panel);
        swatch->setObjectName(QString::fromLatin1(c.swatch));
        swatch->setAutoFillBackground(true);
        placeTwips(swatch, c.left, 3600, 375, 255);
        const Shade shade = c.shade;
        connect(swatch, &ClickableLabel::clicked, this, [this, shade] { pickColour(shade); });
        m_swatches[std::size_t(shade)] = swatch;

        // Kept out of sight: they only remember colours.
        auto *tracking = new QLabel(&panel);
        tracking->setObjectName(QString::fromLatin1(c.tracking));
        tracking->setAutoFillBackground(true);
        tracking->hide();
        m_tracking[std::size_t(shade)] = tracking;
    }

    m_resetcustom = new QPushButton(QStringLiteral("X"), &panel);
    m_resetcustom->setObjectName(QStringLiteral("resetcustom"));
    placeTwips(m_resetcustom, 2760, 3600, 255, 255);
    connect(m_resetcustom, &QPushButton::clicked, this, &CustomPaletteRow::resetcustom_Click);

    showColours();
}

void CustomPaletteRow::pickColour(Shade shade)
{
    const std::optional<QColor> chosen =
        m_desktop.chooseColour(&m_panel, QColor::fromRgb(m_palette.swatch(shade)));
    if (!chosen)
        return; // cancelled: nothing changes
    if (!chosen->isValid()) {
        m_desktop.showMessage(
            &m_panel,
            colourDialogErrorText(kDialogFailure, QStringLiteral("The color dialog failed.")));
        return;
    }
    // The picture is not reset from the held shot first: picks build on each other.
    m_palette.pick(m_picture1.layer(), shade, chosen->rgb());
    m_picture1.update();
    showColours();
    commitSurface(m_picture1, m_picture1, m_desktop);
}

void CustomPaletteRow::resetcustom_Click()
{
    m_palette.resetSwatches();
    showColours();
}

void CustomPaletteRow::resetTracking()
{
    m_palette.resetTracking();
    showColours();
}

void CustomPaletteRow::showColours()
{
    for (Shade shade : kAllShades) {
        fillWith(m_swatches[std::size_t(shade)], m_palette.swatch(shade));
        fillWith(m_tracking[std::size_t(shade)], m_palette.tracking(shade));
    }
}

} // namespace camvista
