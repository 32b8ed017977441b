#include "browser_window.h"

#include "drive_list.h"
#include "icon_button.h"
#include "messenger_command.h"
#include "preview_popup.h"
#include "ui/folder_list.h"

#include "data/browser_pictures.h"
#include "data/shell_pictures.h"
#include "editor/editor_window.h"
#include "exportui/export_command.h"
#include "imaging/picture_file.h"
#include "imaging/twips.h"
#include "platform/desktop.h"
#include "platform/messenger.h"
#include "ui/file_list.h"
#include "ui/picture_surface.h"
#include "ui/twips_geometry.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace camvista
{

namespace
{

const QString kFramedSize = QStringLiteral("160 x  144");
const QString kUnframedSize = QStringLiteral("128 x  112");
const QString kExternalFilter =
    QStringLiteral("VUDavizi Shots (bmp, jpg, gif, png) (*.jpg *.bmp *.png *.jpeg *.gif)");
constexpr int kPopupOffsetTwips = 1000;
constexpr QSize kButtonIconSize{24, 24};

// Loads a picture file and gives its size in pixels. The picture comes back too, so what
// opens is exactly what was measured.
PictureLoad GetPicSize(const QString &sPath, int &lWidth, int &lHeight)
{
    PictureLoad loaded = loadPictureFile(sPath);
    lWidth = loaded.image.width();
    lHeight = loaded.image.height();
    return loaded;
}

QString sizeText(int width, int height)
{
    return QString::number(width) + QStringLiteral(" x  ") + QString::number(height);
}

// A file is read-only when no one may write it, whoever runs the program (root included).
bool writeProtected(const QFileInfo &info)
{
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !(info.permissions() & anyWrite);
}

bool removeShot(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir() || writeProtected(info))
        return false;
    return QFile::remove(path);
}

} // namespace

BrowserWindow::BrowserWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : BrowserWindow(desktop, systemMessenger(), paths, parent)
{
}

BrowserWindow::BrowserWindow(Desktop &desktop, Messenger &messenger, const AppPaths &paths,
                             QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_messenger(messenger), m_paths(paths)
{
    setObjectName(QStringLiteral("browser"));
    setWindowTitle(QStringLiteral("Files browser:"));
    setFixedWidth(kClientWidth);
    setAutoFillBackground(true);
    for (const int size : {16, 32, 48, 256})
        m_icon1.addPixmap(QPixmap::fromImage(data::applicationIcon(size)));

    buildControls();
    m_export = new ExportCommand(m_desktop, m_paths, *this);
    // The files may have gone into the listed folder.
    connect(m_export, &ExportCommand::finished, m_file1, &FileList::refresh);

    m_file1->setPattern(kShotPattern);
    // Until the main window points it elsewhere, the lists show the application folder.
    setFolder(m_paths.folder);
}

BrowserWindow::~BrowserWindow() = default;

void BrowserWindow::buildControls()
{
    const auto button = [this](const char *name, const QString &caption) {
        auto *b = new IconButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIconSize(kButtonIconSize);
        return b;
    };
    const auto icon = [](data::BrowserIcon which) {
        return QIcon(QPixmap::fromImage(data::browserIcon(which)));
    };

    m_drive1 = new DriveList(this);
    placeTwips(m_drive1, 0, 0, 855, 315);
    connect(m_drive1, &DriveList::driveChosen, this, &BrowserWindow::Drive1_Change);

    m_command3 = button("Command3", QStringLiteral("Load external..."));
    placeTwips(m_command3, 840, 0, 1575, 375);
    connect(m_command3, &QPushButton::clicked, this, &BrowserWindow::Command3_Click);

    m_dir1 = new FolderList(this);
    placeTwips(m_dir1, 0, 360, 2415, 3015);
    connect(m_dir1, &FolderList::changed, this, &BrowserWindow::Dir1_Change);

    m_preview = new PictureSurface(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    placeTwips(m_preview, 0, 3360, 2400, 2160);
    m_preview->setPicture(data::previewPlaceholder());
    m_preview->setCursor(QCursor(QPixmap::fromImage(data::previewCursor()), 16, 16));
    m_preview->setMouseTracking(true);
    m_preview->installEventFilter(this);

    m_command2 = button("Command2", QStringLiteral("Delete shot"));
    m_command2->setIcon(icon(data::BrowserIcon::DeleteShot));
    placeTwips(m_command2, 0, 5520, 1215, 495);
    connect(m_command2, &QPushButton::clicked, this, &BrowserWindow::Command2_Click);

    m_command1 = button("Command1", QStringLiteral("Open folder"));
    m_command1->setIcon(icon(data::BrowserIcon::OpenFolder));
    placeTwips(m_command1, 1200, 5520, 1215, 495);
    connect(m_command1, &QPushButton::clicked, this, &BrowserWindow::Command1_Click);

    m_command5 = button("Command5", QStringLiteral("Set as Live Messenger avatar"));
    m_command5->setIcon(icon(data::BrowserIcon::MessengerAvatar));
    placeTwips(m_command5, 0, 6000, 2415, 615);
    connect(m_command5, &QPushButton::clicked, this, &BrowserWindow::Command5_Click);

    m_file1 = new FileList(this);
    placeTwips(m_file1, 0, 6600, 2415, 3150);
    // Ctrl- and Shift-clicks and Ctrl+A pick several shots for an export; a plain click still
    // picks one.
    m_file1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_exportShots = new QAction(QStringLiteral("Export shots..."), m_file1);
    m_exportShots->setObjectName(QStringLiteral("exportShotsContext"));
    connect(m_exportShots, &QAction::triggered, this, &BrowserWindow::exportShots);
    m_file1->addAction(m_exportShots);
    m_file1->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_file1, &FileList::fileClicked, this, &BrowserWindow::File1_Click);
    connect(m_file1, &FileList::fileDoubleClicked, this, &BrowserWindow::File1_DblClick);

    m_command4 = button("Command4", QStringLiteral("Refresh the shotlist"));
    m_command4->setIcon(icon(data::BrowserIcon::RefreshList));
    placeTwips(m_command4, 0, 9840, 2415, 495);
    connect(m_command4, &QPushButton::clicked, this, &BrowserWindow::Command4_Click);

    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("icon1"));
    m_iconLabel->setPixmap(m_icon1.pixmap(16, 16));
    m_iconLabel->hide();
}

void BrowserWindow::setFolder(const QString &folder)
{
    m_dir1->setPath(folder);
}

QString BrowserWindow::folder() const
{
    return m_dir1->path();
}

void BrowserWindow::Drive1_Change(const QString &root)
{
    // A volume that cannot be read leaves both lists, and the drive shown, as they were.
    if (!m_dir1->setPath(root))
        m_drive1->showDriveOf(m_dir1->path());
}

void BrowserWindow::Dir1_Change(const QString &path)
{
    m_file1->setPath(path);
    m_drive1->showDriveOf(path);
}

QString BrowserWindow::selectedFile() const
{
    const QString name = m_file1->fileName();
    return name.isEmpty() ? QString() : QDir(m_file1->path()).filePath(name);
}

QStringList BrowserWindow::selectedShots() const
{
    QStringList paths;
    const QDir folder(m_file1->path());
    for (const QString &name : m_file1->selectedFileNames())
        paths.append(folder.filePath(name));
    return paths;
}

void BrowserWindow::exportShots()
{
    const QStringList shots = selectedShots();
    if (shots.isEmpty()) {
        m_desktop.showMessage(this,
                              QStringLiteral("Select the shots to export in the list first."));
        return;
    }
    m_export->start(shots);
}

void BrowserWindow::File1_Click()
{
    // A Ctrl-click that took a file out of the selection leaves the preview as it was.
    const QListWidgetItem *clicked = m_file1->currentItem();
    if (!clicked || !clicked->isSelected())
        return;
    const QString path = selectedFile();
    if (path.isEmpty())
        return;
    // No message here: clicks and arrow keys run through the list quickly, and a box on each
    // would be in the way. The placeholder says "nothing to show"; the tool tip says why, and a
    // double click tells the user in so many words.
    const FileStatus status = m_preview->loadPicture(path);
    if (!status.ok())
        m_preview->setPicture(data::previewPlaceholder());
    m_preview->setToolTip(status.ok() ? QString() : status.message());
}

void BrowserWindow::File1_DblClick()
{
    const QString path = selectedFile();
    if (path.isEmpty())
        return;
    int w = 0;
    int h = 0;
    const PictureLoad shot = GetPicSize(path, w, h);
    if (!shot.ok()) {
        m_desktop.showMessage(this, shot.status.message(), QStringLiteral("Camvista"),
                              Desktop::Icon::Exclamation);
        return;
    }
    const QString size = sizeText(w, h);
    if (size != kFramedSize && size != kUnframedSize) {
        m_desktop.showMessage(this, kBadSizeMessage, QStringLiteral("Bad!"),
                              Desktop::Icon::Exclamation);
        return;
    }
    if (size == kFramedSize)
        loadpix(path, shot.image);
    else
        loadpix128(path, shot.image);
}

EditorWindow *BrowserWindow::newEditor()
{
    // A window of its own until the listener adopts it into the workspace; the browser keeps
    // it from leaking when no one does.
    auto *editor = new EditorWindow(m_desktop, m_paths, this);
    editor->setWindowFlag(Qt::Window);
    emit editorCreated(editor);
    return editor;
}

EditorWindow *BrowserWindow::openShot(const QString &path, const QImage &shot)
{
    EditorWindow *editor = newEditor();
    const QString cap = QFileInfo(path).fileName();
    const QString stem = cap.left(qMax(0, cap.size() - 4));
    editor->setWindowTitle(cap);
    editor->text1()->setText(path);
    editor->picture1()->setPicture(shot);
    editor->picture3()->setPicture(shot);
    editor->savecopyAction()->setText(QStringLiteral("Save ") + cap + QStringLiteral(" as..."));
    editor->savcopyAction()->setText(QStringLiteral("Save a copy of ") + cap +
                                     QStringLiteral(" (") + stem + QStringLiteral("copy.bmp)"));
    editor->saveAction()->setText(QStringLiteral("Save ") + cap +
                                  QStringLiteral(" (overwrite original)"));
    return editor;
}

void BrowserWindow::loadpix(const QString &path, const QImage &shot)
{
    openShot(path, shot);
}

void BrowserWindow::loadpix128(const QString &path, const QImage &shot)
{
    EditorWindow *editor = openShot(path, shot);
    // The unframed shot goes in the middle of a white framed-size canvas; Picture3 keeps the
    // shot as loaded.
    PictureSurface *picture1 = editor->picture1();
    picture1->setBackgroundColour(Qt::white);
    picture1->resize(160, 144);
    picture1->setPicture(QImage());
    picture1->paintPicture(editor->picture3()->picture(), 16, 16, 128, 112);
    picture1->setPicture(picture1->image());
}

void BrowserWindow::clearPreview()
{
    m_preview->setPicture(data::previewPlaceholder());
    m_preview->setToolTip(QString());
}

void BrowserWindow::Command2_Click()
{
    const Desktop::Answer answer =
        m_desktop.showMessage(this, QStringLiteral("Delete the shot?"), QStringLiteral("Warning"),
                              Desktop::Icon::Information, Desktop::Buttons::YesNo);
    if (answer != Desktop::Answer::Yes)
        return;
    const QString name = m_file1->fileName();
    if (name.isEmpty() || !removeShot(QDir(m_dir1->path()).filePath(name))) {
        m_desktop.showMessage(this, QStringLiteral("No file selected."));
        m_file1->refresh();
        return;
    }
    m_file1->refresh();
    m_desktop.showMessage(this, QStringLiteral("Shot deleted"));
    clearPreview();
}

void BrowserWindow::Command4_Click()
{
    m_file1->refresh();
}

void BrowserWindow::Command1_Click()
{
    const QString folder = m_dir1->path();
    if (!m_desktop.openFolder(folder)) {
        m_desktop.showMessage(
            this, QStringLiteral("Camvista could not open the folder \u201C%1\u201D in the file "
                                 "manager.")
                      .arg(QDir::toNativeSeparators(folder)));
    }
}

void BrowserWindow::Command3_Click()
{
    Desktop::FileDialog dialog;
    dialog.caption = QStringLiteral("Open");
    dialog.folder = m_paths.folder;
    dialog.filter = kExternalFilter;
    const std::optional<QString> chosen = m_desktop.chooseOpenFile(this, dialog);
    if (!chosen || chosen->isEmpty())
        return;

    // No size check and no message: an unreadable file leaves the editor's picture empty.
    EditorWindow *editor = newEditor();
    const QString cap = QFileInfo(*chosen).fileName() + QStringLiteral(" [external file]");
    editor->setWindowTitle(cap);
    editor->picture1()->loadPicture(*chosen);
    editor->savecopyAction()->setText(QStringLiteral("Save a copy of ") + cap +
                                      QStringLiteral("..."));
    editor->saveAction()->setText(QStringLiteral("Save ") + cap +
                                  QStringLiteral(" (overwrite original)"));
    editor->text1()->setText(*chosen);
}

void BrowserWindow::Command5_Click()
{
    setMessengerPicture(this, m_desktop, m_messenger, m_file1->path(), m_file1->fileName());
}

bool BrowserWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_preview && event->type() == QEvent::MouseMove)
        preview_MouseMove(static_cast<QMouseEvent *>(event)->position().toPoint());
    return QWidget::eventFilter(watched, event);
}

void BrowserWindow::preview_MouseMove(const QPoint &pos)
{
    if (!m_frmPrev) {
        m_frmPrev = new PreviewPopup(this);
        // A window of its own until the listener adopts it as a child window.
        m_frmPrev->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        emit childWindowCreated(m_frmPrev);
    }
    m_frmPrev->setPicture(m_preview->picture());
    // The pointer's place inside the preview, taken as a place in the main window's workspace.
    const auto offset = [](int pixels) {
        return twipsToPixels(pixelsToTwips(pixels) + kPopupOffsetTwips);
    };
    m_frmPrev->popUpAt(QPoint(offset(pos.x()), offset(pos.y())));
}

} // namespace camvista
