#include "mosaic_window.h"

#include "shot_picker.h"
#include "tool_window_parts.h"

#include "imaging/twips.h"
#include "ui/picture_surface.h"

#include <QLabel>
#include <QRadioButton>

namespace camvista
{

namespace
{

// A column is 2400 twips wide and a line 2160 twips high: 160 x 144 pixels at 15 a pixel.
constexpr int kColumnTwips = 2400;
constexpr int kLineTwips = 2160;

} // namespace

MosaicWindow::MosaicWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : CompositionWindow(
          desktop, paths,
          {"frmMosaik", QStringLiteral("Mosaik Editor"), kClientSize, kMaxColumns, kMaxLines, 473,
           312,
           QStringLiteral("Drag the picture you want to add to your mosaic, moving it to one of "
                          "the colored squares  ==>"),
           QStringLiteral("Picture doesn't fit the requiered size (160x144)"), "Command9",
           data::ToolKind::Mosaic, 488, QStringLiteral("New Mosaic"), QStringLiteral("Save Mosaic"),
           QStringLiteral("Quit Mosaic Editor"), QStringLiteral("mosaic")},
          parent)
{
    setCountText(m_label1, 4);
    setCountText(m_label3, 4);
    placedLabel(this, "Label10", QStringLiteral("<== Lines/Columns"), 296, 8, 105, 17);
    m_label11->setGeometry(464, 8, 401, 17);
    m_label11->setText(QStringLiteral("Size in cm."));
    m_label9 = placedLabel(this, "Label9", QString(), 0, 0);
    m_label8 = placedLabel(this, "Label8", QString(), 0, 0);
    m_label9->hide();
    m_label8->hide();

    m_container->move(232, 32);
    buildGrid(kMaxColumns, kMaxLines, kSquareSize);

    // Opening steps: each runs whatever the one before did.
    m_frame1->openShotsFolder(m_paths);
    m_container->resize(twipsToPixels(columns() * kColumnTwips),
                        twipsToPixels(lines() * kLineTwips));
    applyMosaicSize();
    wallpaperControls().option3->setChecked(true);
    twip2cm();
}

void MosaicWindow::columnsChanged()
{
    applyMosaicSize();
}

void MosaicWindow::linesChanged()
{
    applyMosaicSize();
}

CompositionSize MosaicWindow::compositionSize() const
{
    return {columns(), lines(), m_container->size(), {}};
}

void MosaicWindow::setCompositionSize(const CompositionSize &size)
{
    // The mosaic's size always follows its counts.
    setCountText(m_label1, size.columns);
    setCountText(m_label3, size.lines);
    applyMosaicSize();
}

void MosaicWindow::applyMosaicSize()
{
    // The hidden labels hold the mosaic's size; the container follows them exactly.
    m_label9->setText(QString::number(columns() * kColumnTwips / kTwipsPerPixel));
    m_label8->setText(QString::number(lines() * kLineTwips / kTwipsPerPixel));
    m_container->resize(m_label9->text().toInt(), m_label8->text().toInt());
    twip2cm();
}

void MosaicWindow::twip2cm()
{
    m_label11->setText(
        centimetreSizeText(QStringLiteral("Actual size in cm: "), m_container->size()));
}

} // namespace camvista
