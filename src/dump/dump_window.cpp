#include "dump_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace camvista::dump
{

namespace
{

const QString kTitle = QStringLiteral("VUDaviziDump");

// The one local file of a drop, or nothing when the drop carries anything else.
QString droppedFile(const QMimeData *mime)
{
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

QString shotCaption(const DumpShot &shot)
{
    const QString bank =
        shot.severalBanks ? QStringLiteral("Bank %1, ").arg(shot.bank + 1) : QString();
    switch (shot.kind) {
    case DumpShot::Kind::Album:
        return bank + QStringLiteral("Album %1").arg(shot.album, 2, 10, QLatin1Char('0'));
    case DumpShot::Kind::Deleted:
        return bank +
               QStringLiteral("Deleted, slot %1").arg(shot.slot + 1, 2, 10, QLatin1Char('0'));
    case DumpShot::Kind::LastSeen:
        return bank + QStringLiteral("Last seen");
    case DumpShot::Kind::GameFace:
        return bank + QStringLiteral("Game face");
    }
    return bank;
}

DumpWindow::DumpWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_paths(paths), m_folder(paths.shotsFolder())
{
    setObjectName(QStringLiteral("frmDump"));
    setWindowTitle(kTitle);
    setAcceptDrops(true);

    auto *open = new QPushButton(QStringLiteral("Open a save..."), this);
    open->setObjectName(QStringLiteral("openButton"));
    m_saveLabel = new QLabel(QStringLiteral("Open a Game Boy Camera save file (.sav), or drop "
                                            "one on this window."),
                             this);
    m_saveLabel->setObjectName(QStringLiteral("saveLabel"));
    // Long names must not widen the window past the screen.
    m_saveLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto *top = new QHBoxLayout;
    top->addWidget(open);
    top->addWidget(m_saveLabel, 1);

    auto *gridHolder = new QWidget;
    m_grid = new QGridLayout(gridHolder);
    m_grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("shotGrid"));
    m_scroll->setWidget(gridHolder);
    m_scroll->setWidgetResizable(true);
    // The grid takes as many columns as fit, so it only ever scrolls down.
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setMinimumWidth(kCellWidth + 40);
    m_scroll->viewport()->installEventFilter(this);
    m_frames = new FramePanel(paths, this);
    m_frames->setObjectName(QStringLiteral("framePanel"));
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_scroll, 1);
    middle->addWidget(m_frames);

    m_selectAll = new QPushButton(QStringLiteral("Select all"), this);
    m_selectAll->setObjectName(QStringLiteral("selectAllButton"));
    auto *folder = new QPushButton(QStringLiteral("Folder..."), this);
    folder->setObjectName(QStringLiteral("folderButton"));
    m_folderLabel = new QLabel(this);
    m_folderLabel->setObjectName(QStringLiteral("folderLabel"));
    m_folderLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("formatBox"));
    m_format->addItem(QStringLiteral("BMP files"));
    m_format->addItem(QStringLiteral("PNG files"));
    m_write = new QPushButton(QStringLiteral("Write the ticked shots"), this);
    m_write->setObjectName(QStringLiteral("writeButton"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_selectAll);
    bottom->addWidget(folder);
    bottom->addWidget(m_folderLabel, 1);
    bottom->addWidget(m_format);
    bottom->addWidget(m_write);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    connect(open, &QPushButton::clicked, this, &DumpWindow::openClicked);
    connect(m_selectAll, &QPushButton::clicked, this, &DumpWindow::selectAllClicked);
    connect(folder, &QPushButton::clicked, this, &DumpWindow::folderClicked);
    connect(m_write, &QPushButton::clicked, this, &DumpWindow::writeClicked);

    fitIntoScreen();
    showFolder();
    updateButtons();
}

void DumpWindow::fitIntoScreen()
{
    // Room for four columns of photos beside the frames, as far as the screen allows, with
    // the window's frame and title bar inside the screen's free area too.
    const QSize wanted(kPreferredColumns * (kCellWidth + 6) + 60 + m_frames->width(), 760);
    const QScreen *screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        resize(wanted);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize decoration(16, 48);
    resize(wanted.boundedTo(area.size() - decoration).expandedTo(minimumSizeHint()));
    move(area.left() + std::max(0, (area.width() - width() - decoration.width()) / 2),
         area.top() + std::max(0, (area.height() - height() - decoration.height()) / 2));
}

int DumpWindow::columns() const
{
    return m_columns;
}

void DumpWindow::layOutCells()
{
    const int spacing = std::max(0, m_grid->horizontalSpacing());
    const QMargins margins = m_grid->contentsMargins();
    const int room = m_scroll->viewport()->width() - margins.left() - margins.right();
    int cellWidth = kCellWidth;
    for (const QWidget *cell : std::as_const(m_cells))
        cellWidth = std::max(cellWidth, cell->sizeHint().width());
    const int fit = std::max(1, (room + spacing) / (cellWidth + spacing));
    if (fit == m_columns)
        return;
    m_columns = fit;
    for (QWidget *cell : std::as_const(m_cells))
        m_grid->removeWidget(cell);
    for (qsizetype i = 0; i < m_cells.size(); ++i)
        m_grid->addWidget(m_cells[i], int(i) / fit, int(i) % fit);
}

bool DumpWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        layOutCells();
    return QWidget::eventFilter(watched, event);
}

bool DumpWindow::openSave(const QString &path)
{
    const camera::SaveRead save = camera::readSaveFile(path);
    if (!save.ok()) {
        tell(save.message(), Desktop::Icon::Exclamation);
        return false;
    }
    clearShots();
    m_savePath = path;
    m_shots = shotsOfSave(save, true, true);
    for (int i = 0; i < m_shots.size(); ++i)
        addCell(m_shots[i], i);
    m_columns = 0; // the cells may be wider than thought: count again
    layOutCells();
    m_frames->setSample(m_shots.isEmpty() ? QImage() : m_shots.first().picture);

    const PhotoCounts counts = countPhotos(save);
    m_saveLabel->setText(
        QStringLiteral("%1: %2 in the album, %3 deleted but still there")
            .arg(QFileInfo(path).fileName(), photosText(counts.album), photosText(counts.deleted)));
    setWindowTitle(kTitle + QStringLiteral(" - ") + QFileInfo(path).fileName());
    updateButtons();
    return true;
}

void DumpWindow::clearShots()
{
    qDeleteAll(m_cells);
    m_cells.clear();
    m_ticks.clear();
    m_shots.clear();
}

void DumpWindow::addCell(const DumpShot &shot, int index)
{
    auto *cell = new QWidget;
    auto *layout = new QVBoxLayout(cell);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *picture = new QLabel(cell);
    picture->setObjectName(QStringLiteral("picture_%1").arg(index));
    picture->setPixmap(QPixmap::fromImage(shot.picture.scaled(
        shot.picture.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    auto *tick = new QCheckBox(shotCaption(shot), cell);
    tick->setObjectName(QStringLiteral("shot_%1").arg(index));
    // The album is what a user came for; deleted photos and the extras only when asked for.
    tick->setChecked(shot.kind == DumpShot::Kind::Album);
    // Deleted photos get a dashed red edge; the others an invisible one of the same width, so
    // that the grid stays even.
    const bool deleted = shot.kind == DumpShot::Kind::Deleted;
    picture->setStyleSheet(deleted ? QStringLiteral("border: 2px dashed #a00000;")
                                   : QStringLiteral("border: 2px solid transparent;"));
    if (deleted)
        tick->setStyleSheet(QStringLiteral("color: #a00000;"));
    connect(tick, &QCheckBox::toggled, this, &DumpWindow::updateButtons);
    layout->addWidget(picture);
    layout->addWidget(tick);
    const int columns = std::max(1, m_columns);
    m_grid->addWidget(cell, index / columns, index % columns);
    m_cells.append(cell);
    m_ticks.append(tick);
}

void DumpWindow::openClicked()
{
    Desktop::FileDialog dialog;
    dialog.caption = QStringLiteral("Open a Game Boy Camera save");
    dialog.folder = m_savePath.isEmpty() ? m_paths.folder : QFileInfo(m_savePath).absolutePath();
    dialog.filter = QStringLiteral("Game Boy Camera saves (*.sav *.SAV);;All files (*)");
    if (const auto path = m_desktop.chooseOpenFile(this, dialog))
        openSave(*path);
}

void DumpWindow::selectAllClicked()
{
    for (QCheckBox *tick : std::as_const(m_ticks))
        tick->setChecked(true);
}

void DumpWindow::folderClicked()
{
    Desktop::FileDialog dialog;
    dialog.caption = QStringLiteral("Write the shots into");
    dialog.folder = m_folder;
    if (const auto folder = m_desktop.chooseFolder(this, dialog)) {
        m_folder = *folder;
        showFolder();
    }
}

void DumpWindow::writeClicked()
{
    QList<DumpShot> ticked;
    for (qsizetype i = 0; i < m_ticks.size(); ++i) {
        if (m_ticks[i]->isChecked())
            ticked.append(m_shots[i]);
    }
    if (ticked.isEmpty()) {
        tell(QStringLiteral("No shot is ticked, so nothing was written."),
             Desktop::Icon::Information);
        return;
    }
    const QString shown = QDir::toNativeSeparators(m_folder);
    // The shots folder is made when it is missing, as the main program does; a folder the user
    // picked that has gone since is reported.
    if (m_folder == m_paths.shotsFolder()) {
        const FileStatus made = ensureFolder(m_folder);
        if (!made.ok()) {
            tell(QStringLiteral("The shots folder %1 is not there and cannot be made (%2: %3), "
                                "so nothing was written.")
                     .arg(shown, QDir::toNativeSeparators(made.path), made.detail),
                 Desktop::Icon::Exclamation);
            return;
        }
    } else if (const QString problem = folderProblem(m_folder); !problem.isEmpty()) {
        tell(problem + QStringLiteral(" Nothing was written."), Desktop::Icon::Exclamation);
        return;
    }

    const DumpFrame frame = m_frames->chosenFrame();
    const PictureLoad framePicture = loadFrame(frame);
    if (!framePicture.ok()) {
        tell(framePicture.status.message() + QStringLiteral(" Nothing was written."),
             Desktop::Icon::Exclamation);
        return;
    }
    const DumpResult result =
        writeShots(ticked, m_savePath, m_folder, shotFormat(), framePicture.image);
    const auto shotsText = [](qsizetype n) {
        return n == 1 ? QStringLiteral("1 shot") : QStringLiteral("%1 shots").arg(n);
    };
    QString text =
        result.alreadyThere.isEmpty()
            ? QStringLiteral("%1 written to %2.").arg(shotsText(result.written.size()), shown)
            : QStringLiteral("%1 written, %2 already in %3.")
                  .arg(shotsText(result.written.size()))
                  .arg(result.alreadyThere.size())
                  .arg(shown);
    if (!result.failures.isEmpty()) {
        text += QStringLiteral("\n\n%1 could not be written:").arg(result.failures.size());
        for (const QString &message : result.failureMessages())
            text += QStringLiteral("\n") + message;
    }
    tell(text, result.failures.isEmpty() ? Desktop::Icon::Information : Desktop::Icon::Exclamation);
}

ShotFormat DumpWindow::shotFormat() const
{
    return m_format->currentIndex() == 1 ? ShotFormat::Png : ShotFormat::Bmp;
}

void DumpWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void DumpWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openSave(path);
}

void DumpWindow::updateButtons()
{
    m_selectAll->setEnabled(!m_ticks.isEmpty());
    bool any = false;
    for (const QCheckBox *tick : std::as_const(m_ticks))
        any = any || tick->isChecked();
    m_write->setEnabled(any);
}

void DumpWindow::showFolder()
{
    m_folderLabel->setText(QDir::toNativeSeparators(m_folder));
}

void DumpWindow::tell(const QString &text, Desktop::Icon icon)
{
    m_desktop.showMessage(this, text, kTitle, icon);
}

} // namespace camvista::dump
