#include "panorama_window.h"

#include "shot_picker.h"
#include "tool_window_parts.h"

#include "data/tool_pictures.h"
#include "imaging/rounding.h"
#include "imaging/twips.h"
#include "platform/desktop.h"
#include "ui/drop_square.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace camvista
{

namespace
{

// A column is 1920 twips wide and a line 1680 twips high: 128 x 112 pixels.
constexpr int kColumnTwips = 1920;
constexpr int kLineTwips = 1680;
// The border box is this much wider and higher than the panorama once its size has changed.
constexpr int kBorderTwips = 230;

} // namespace

PanoramaWindow::PanoramaWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : CompositionWindow(
          desktop, paths,
          {"frmPano", QStringLiteral("Panorama Maker"), kClientSize, kMaxColumns, kMaxLines, 497,
           336,
           QStringLiteral("Drag the picture you want to add to your panorama, moving it to one "
                          "of the colored squares  ==>"),
           QStringLiteral("Picture doesn't fit the required size (160x144)"), "Command10",
           data::ToolKind::Panorama, 512, QStringLiteral("New Panorama"),
           QStringLiteral("Save Panorama"), QStringLiteral("Quit Panorama Maker"),
           QStringLiteral("panorama")},
          parent)
{
    setCountText(m_label1, 2);
    setCountText(m_label3, 1);
    QFont italic = font();
    italic.setItalic(true);
    QLabel *label12 = placedLabel(m_frame1, "Label12", QStringLiteral("Inner squares are movable"),
                                  16, 312, 169, 25);
    QFont boldItalic = italic;
    boldItalic.setBold(true);
    boldItalic.setPointSizeF(9.75);
    label12->setFont(boldItalic);
    label12->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));

    const auto command = [this](const char *name, const char *caption, int x, int y,
                                void (PanoramaWindow::*slot)()) {
        QPushButton *b = smallButton(this, name, QString::fromLatin1(caption), x, y);
        connect(b, &QPushButton::clicked, this, slot);
    };
    placedLabel(this, "Label10",
                QStringLiteral("<== Lines/Columns | Height\\Width (in pixels) ==>"), 296, 8, 273,
                17);
    command("Command5", "-", 560, 8, &PanoramaWindow::Command5_Click);
    m_label8 = placedLabel(this, "Label8", QStringLiteral("112"), 576, 8, 33, 17);
    command("Command6", "+", 608, 8, &PanoramaWindow::Command6_Click);
    placedLabel(this, "Label6", QStringLiteral("  Y"), 624, 8);
    command("Command7", "-", 648, 8, &PanoramaWindow::Command7_Click);
    m_label9 = placedLabel(this, "Label9", QStringLiteral("256"), 664, 8, 33, 17);
    command("Command8", "+", 696, 8, &PanoramaWindow::Command8_Click);
    placedLabel(this, "Label7", QStringLiteral("X"), 720, 8);
    for (QLabel *count : {m_label8, m_label9})
        count->setAlignment(Qt::AlignCenter);

    m_check1 = new QCheckBox(QStringLiteral("Lock the pictures"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setGeometry(744, 8, 113, 17);
    m_label11->setGeometry(864, 8, 401, 17);
    QFont larger = m_label11->font();
    larger.setPointSizeF(9.75);
    m_label11->setFont(larger);

    m_blackborder = new PictureSurface(this);
    m_blackborder->setObjectName(QStringLiteral("blackborder"));
    m_blackborder->setBackgroundColour(Qt::black);
    m_blackborder->setGeometry(QRect(QPoint(232, 32), kStartBorderSize));
    m_blackborder->cls();

    // The grid lies on the border box, so the border box as shown is the saved panorama.
    m_container->setParent(m_blackborder);
    m_container->show();
    m_container->setBackgroundColour(palette().color(QPalette::Window));
    m_container->setGeometry(kBorderMargin, kBorderMargin, kSquareSize.width(),
                             kSquareSize.height());
    m_container->cls();
    buildGrid(kGridColumns, kGridLines, kSquareSize);
    for (DropSquare *square : squares())
        square->installEventFilter(this);
    m_picture7 = new PictureSurface(this);
    m_picture7->setObjectName(QStringLiteral("Picture7"));
    m_picture7->hide();

    // Opening steps. The counts and the pixel labels keep their starting values, and the
    // border box its starting size, until the first change.
    m_frame1->openShotsFolder(m_paths);
    m_container->resize(twipsToPixels(2 * kColumnTwips), m_container->height());
    wallpaperControls().option3->setChecked(true);
    twip2cm();
}

QPushButton *PanoramaWindow::button(const char *name) const
{
    return findChild<QPushButton *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

int PanoramaWindow::panoramaWidth() const
{
    return m_label9->text().toInt();
}

int PanoramaWindow::panoramaHeight() const
{
    return m_label8->text().toInt();
}

void PanoramaWindow::columnsChanged()
{
    setPanoramaWidth(columns() * kColumnTwips / kTwipsPerPixel);
}

void PanoramaWindow::linesChanged()
{
    setPanoramaHeight(lines() * kLineTwips / kTwipsPerPixel);
}

void PanoramaWindow::setPanoramaWidth(int width)
{
    m_label9->setText(QString::number(qMax(0, width)));
    m_container->resize(panoramaWidth(), m_container->height());
    m_blackborder->resize(twipsToPixels(pixelsToTwips(m_container->width()) + kBorderTwips),
                          m_blackborder->height());
    twip2cm();
}

void PanoramaWindow::setPanoramaHeight(int height)
{
    m_label8->setText(QString::number(qMax(0, height)));
    m_container->resize(m_container->width(), panoramaHeight());
    m_blackborder->resize(m_blackborder->width(),
                          twipsToPixels(pixelsToTwips(m_container->height()) + kBorderTwips));
    twip2cm();
}

CompositionSize PanoramaWindow::compositionSize() const
{
    return {columns(), lines(), m_container->size(), m_blackborder->size()};
}

void PanoramaWindow::setCompositionSize(const CompositionSize &size)
{
    // The border box is restored as it was: it keeps its opening size until the first change.
    setCountText(m_label1, size.columns);
    setCountText(m_label3, size.lines);
    m_label9->setText(QString::number(size.picture.width()));
    m_label8->setText(QString::number(size.picture.height()));
    m_container->resize(size.picture);
    m_blackborder->resize(size.border);
    twip2cm();
}

void PanoramaWindow::twip2cm()
{
    m_label11->setText(
        centimetreSizeText(QStringLiteral("|  Actual size in cm: "), m_blackborder->size()));
}

void PanoramaWindow::Command5_Click()
{
    changeSize([this] { setPanoramaHeight(panoramaHeight() - 1); });
}

void PanoramaWindow::Command6_Click()
{
    changeSize([this] { setPanoramaHeight(panoramaHeight() + 1); });
}

void PanoramaWindow::Command7_Click()
{
    changeSize([this] { setPanoramaWidth(panoramaWidth() - 1); });
}

void PanoramaWindow::Command8_Click()
{
    changeSize([this] { setPanoramaWidth(panoramaWidth() + 1); });
}

QImage PanoramaWindow::squarePicture(const QImage &framedShot)
{
    return cutInnerPicture(*m_picture7, framedShot);
}

std::vector<DropSquare *> PanoramaWindow::stacking() const
{
    std::vector<DropSquare *> order;
    for (QObject *child : m_container->children()) {
        if (auto *square = qobject_cast<DropSquare *>(child))
            order.push_back(square);
    }
    return order;
}

bool PanoramaWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *square = qobject_cast<DropSquare *>(watched);
    if (!square || square->parentWidget() != m_container)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_moving = true;
        m_pressed = static_cast<QMouseEvent *>(event)->position();
        m_pressedSquare = square;
        m_pressedPlace = {square->pos(), stacking()};
        // The square in hand is drawn over the others.
        square->raise();
        return true;
    case QEvent::MouseMove:
        if (!m_check1->isChecked() && m_moving) {
            const QPointF at = static_cast<QMouseEvent *>(event)->position();
            square->move(square->x() + roundHalfEvenInt(at.x() - m_pressed.x()),
                         square->y() + roundHalfEvenInt(at.y() - m_pressed.y()));
        }
        return true;
    case QEvent::MouseButtonRelease:
        m_moving = false;
        if (square == m_pressedSquare && square->pos() != m_pressedPlace.position) {
            m_undo->push(new MoveSquareCommand(square, std::move(m_pressedPlace),
                                               {square->pos(), stacking()}));
        }
        m_pressedSquare = nullptr;
        m_pressedPlace = {};
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace camvista
