#include "composition_window.h"

#include "shot_picker.h"
#include "tool_window_parts.h"

#include "platform/desktop.h"
#include "ui/drop_square.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace camvista
{

CompositionWindow::CompositionWindow(Desktop &desktop, const AppPaths &paths, const Setup &setup,
                                     QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_paths(paths), m_setup(setup)
{
    setObjectName(QString::fromLatin1(setup.formName));
    setWindowTitle(setup.caption);
    setFixedSize(setup.clientSize);

    m_frame1 = new ShotPicker(
        QStringLiteral("Drag and Drop your pix"),
        {QRect(16, 16, 161, 111), QRect(16, 128, 160, 144), QRect(16, setup.fileListTop, 161, 149)},
        m_desktop, this);
    m_frame1->setGeometry(8, 8, 193, setup.frameHeight);
    QLabel *label2 = placedLabel(m_frame1, "Label2", setup.dragHint, 16, 272, 161, 41);
    label2->setWordWrap(true);
    QFont italic = label2->font();
    italic.setItalic(true);
    label2->setFont(italic);
    label2->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));

    m_wallpaper = buildWallpaperControls(this, QString::fromLatin1(setup.wallpaperButton),
                                         data::wallpaperButtonPicture(setup.kind),
                                         QPoint(8, setup.wallpaperTop));
    connect(m_wallpaper.button, &QToolButton::clicked, this, &CompositionWindow::wallpaper_Click);

    m_command4 = smallButton(this, "Command4", QStringLiteral("-"), 208, 24);
    m_label3 = placedLabel(this, "Label3", QString(), 208, 40);
    m_command3 = smallButton(this, "Command3", QStringLiteral("+"), 208, 56);
    placedLabel(this, "Label5", QStringLiteral("  Y"), 208, 80);
    m_command1 = smallButton(this, "Command1", QStringLiteral("-"), 224, 8);
    m_label1 = placedLabel(this, "Label1", QString(), 240, 8);
    m_command2 = smallButton(this, "Command2", QStringLiteral("+"), 256, 8);
    placedLabel(this, "Label4", QStringLiteral("X"), 280, 8);
    for (QLabel *count : {m_label1, m_label3})
        count->setAlignment(Qt::AlignCenter);
    connect(m_command1, &QPushButton::clicked, this, &CompositionWindow::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &CompositionWindow::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &CompositionWindow::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &CompositionWindow::Command4_Click);
    m_label11 = placedLabel(this, "Label11", QString(), 0, 0);

    m_container = new PictureSurface(this);
    m_container->setObjectName(QStringLiteral("container"));
    m_picture2 = new PictureSurface(this);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setAutoSize(true);
    m_picture2->hide();

    m_new = menuCommand(this, "new", setup.newCommand);
    m_savepano = menuCommand(this, "savepano", setup.saveCommand);
    m_quit = menuCommand(this, "quit", setup.quitCommand);
    connect(m_new, &QAction::triggered, this, &CompositionWindow::new_Click);
    connect(m_savepano, &QAction::triggered, this, &CompositionWindow::savepano_Click);
    connect(m_quit, &QAction::triggered, this, &CompositionWindow::quit_Click);
}

void CompositionWindow::buildGrid(int gridColumns, int gridLines, const QSize &squareSize)
{
    m_gridColumns = gridColumns;
    m_squares =
        buildSquares(m_container, gridColumns, squareSize, squareColours(gridColumns, gridLines));
    for (DropSquare *square : m_squares) {
        connect(square, &DropSquare::shotDropped, this,
                [this, square](const ShotDrop &drop) { placeShot(square, drop); });
    }
}

DropSquare *CompositionWindow::square(int column, int line) const
{
    return m_squares[std::size_t(line * m_gridColumns + column)];
}

QList<QAction *> CompositionWindow::menuActions() const
{
    return {m_new, m_savepano, m_quit};
}

int CompositionWindow::columns() const
{
    return m_label1->text().toInt();
}

int CompositionWindow::lines() const
{
    return m_label3->text().toInt();
}

void CompositionWindow::setCountText(QLabel *label, int count)
{
    label->setText(QString::number(count));
}

void CompositionWindow::Command1_Click()
{
    setCountText(m_label1, steppedCount(columns(), -1, 1, m_setup.maxColumns));
    columnsChanged();
}

void CompositionWindow::Command2_Click()
{
    setCountText(m_label1, steppedCount(columns(), +1, 1, m_setup.maxColumns));
    columnsChanged();
}

void CompositionWindow::Command3_Click()
{
    setCountText(m_label3, steppedCount(lines(), +1, 1, m_setup.maxLines));
    linesChanged();
}

void CompositionWindow::Command4_Click()
{
    setCountText(m_label3, steppedCount(lines(), -1, 1, m_setup.maxLines));
    linesChanged();
}

void CompositionWindow::placeShot(DropSquare *square, const ShotDrop &drop)
{
    if (const std::optional<QImage> shot = m_frame1->framedShotFor(drop, m_setup.badSizeText))
        square->setPicture(squarePicture(*shot));
}

QImage CompositionWindow::compose(const PictureSurface &from)
{
    return commitSurface(from, *m_picture2, m_desktop);
}

void CompositionWindow::savepano_Click()
{
    compose(savedSurface());
    saveComposedPicture(this, m_desktop, m_picture2->picture(), m_paths.shotsFolder());
}

void CompositionWindow::wallpaper_Click()
{
    compose(wallpaperSurface());
    const QString done =
        setAsWallpaper(this, m_desktop, m_picture2->picture(), m_wallpaper.style());
    if (!done.isEmpty())
        emit told(done);
}

void CompositionWindow::new_Click()
{
    emit newRequested();
}

void CompositionWindow::quit_Click()
{
    closeForm(this);
}

} // namespace camvista
