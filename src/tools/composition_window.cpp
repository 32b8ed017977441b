#include "composition_window.h"

#include "shot_picker.h"
#include "tool_window_parts.h"

#include "platform/desktop.h"
#include "ui/drop_square.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QUndoStack>

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

    m_undo = new QUndoStack(this);
    m_undoAction = menuCommand(this, "undo", QStringLiteral("&Undo"));
    m_redoAction = menuCommand(this, "redo", QStringLiteral("&Redo"));
    m_undoAction->setShortcuts(QKeySequence::Undo);
    // Ctrl+Shift+Z everywhere, beside whatever else the platform calls "redo".
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    const QKeySequence ctrlShiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    if (!redoKeys.contains(ctrlShiftZ))
        redoKeys.prepend(ctrlShiftZ);
    m_redoAction->setShortcuts(redoKeys);
    // Two tools can be open at once: each answers the keys only while it has the focus.
    for (QAction *action : {m_undoAction, m_redoAction})
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_undoAction->setEnabled(false);
    m_redoAction->setEnabled(false);
    connect(m_undoAction, &QAction::triggered, m_undo, &QUndoStack::undo);
    connect(m_redoAction, &QAction::triggered, m_undo, &QUndoStack::redo);
    connect(m_undo, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(m_undo, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
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
    return {m_new, m_savepano, m_quit, m_undoAction, m_redoAction};
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

void CompositionWindow::changeSize(const std::function<void()> &change)
{
    const CompositionSize before = compositionSize();
    change();
    const CompositionSize after = compositionSize();
    // A click at a bound changes nothing and leaves nothing to undo.
    if (after != before) {
        m_undo->push(new ResizeCompositionCommand(
            [this](const CompositionSize &size) { setCompositionSize(size); }, before, after));
    }
}

void CompositionWindow::Command1_Click()
{
    changeSize([this] {
        setCountText(m_label1, steppedCount(columns(), -1, 1, m_setup.maxColumns));
        columnsChanged();
    });
}

void CompositionWindow::Command2_Click()
{
    changeSize([this] {
        setCountText(m_label1, steppedCount(columns(), +1, 1, m_setup.maxColumns));
        columnsChanged();
    });
}

void CompositionWindow::Command3_Click()
{
    changeSize([this] {
        setCountText(m_label3, steppedCount(lines(), +1, 1, m_setup.maxLines));
        linesChanged();
    });
}

void CompositionWindow::Command4_Click()
{
    changeSize([this] {
        setCountText(m_label3, steppedCount(lines(), -1, 1, m_setup.maxLines));
        linesChanged();
    });
}

void CompositionWindow::placeShot(DropSquare *square, const ShotDrop &drop)
{
    const std::optional<QImage> shot = m_frame1->framedShotFor(drop, m_setup.badSizeText);
    if (!shot)
        return;
    QImage placed = squarePicture(*shot);
    if (placed != square->picture())
        m_undo->push(new PlaceShotCommand(square, square->picture(), std::move(placed)));
}

QImage CompositionWindow::compose(const PictureSurface &from)
{
    return commitSurface(from, *m_picture2, m_desktop);
}

bool CompositionWindow::savepano_Click()
{
    compose(savedSurface());
    if (!saveComposedPicture(this, m_desktop, m_picture2->picture(), m_paths))
        return false;
    m_undo->setClean();
    return true;
}

void CompositionWindow::wallpaper_Click()
{
    compose(wallpaperSurface());
    const QString done =
        setAsWallpaper(this, m_desktop, m_picture2->picture(), m_wallpaper.style());
    if (!done.isEmpty())
        emit told(done);
}

bool CompositionWindow::isChanged() const
{
    return !m_undo->isClean();
}

bool CompositionWindow::mayThrowAway()
{
    if (!isChanged() || m_throwAwayAgreed)
        return true;
    const QString text =
        QStringLiteral("The %1 has changed since it was last saved.\n\nSave it before it is "
                       "closed? If you discard it, the changes are lost.")
            .arg(m_setup.compositionName);
    switch (m_desktop.showMessage(this,
                                  {text, QStringLiteral("Camvista"),
                                   Desktop::Buttons::SaveDiscardCancel, Desktop::Icon::Question})) {
    case Desktop::Answer::Save:
        // A save the user cancelled or that failed keeps the window and its composition.
        return savepano_Click();
    case Desktop::Answer::Discard:
        return true;
    default:
        return false;
    }
}

void CompositionWindow::closeEvent(QCloseEvent *event)
{
    if (mayThrowAway())
        event->accept();
    else
        event->ignore();
}

void CompositionWindow::new_Click()
{
    if (!mayThrowAway())
        return;
    // The listener closes this window: it must not ask a second time.
    QPointer<CompositionWindow> self(this);
    m_throwAwayAgreed = true;
    emit newRequested();
    if (self)
        m_throwAwayAgreed = false;
}

void CompositionWindow::quit_Click()
{
    closeForm(this);
}

} // namespace camvista
