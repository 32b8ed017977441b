#include "main_window.h"

#include "about_window.h"
#include "captions.h"
#include "first_start.h"
#include "ini.h"
#include "mnemonics.h"
#include "open_browser.h"
#include "user_id_dialog.h"

#include "browser/browser_window.h"
#include "data/shell_pictures.h"
#include "editor/editor_window.h"
#include "fakeboy/converter_window.h"
#include "platform/desktop.h"
#include "tools/mosaic_window.h"
#include "tools/panorama_window.h"
#include "tools/wild_frames_window.h"
#include "ui/file_list.h"
#include "ui/folder_list.h"
#include "ui/twips_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace camvista
{

namespace
{

// The workspace shows the background photograph from its top-left corner on the workspace
// colour. A workspace larger than the photograph gets it enlarged to cover it all, drawn once
// for each size.
class Workspace : public QMdiArea
{
public:
    explicit Workspace(QWidget *parent)
        : QMdiArea(parent), m_photo(QPixmap::fromImage(data::backgroundPhotograph()))
    {
        // Scroll bars whenever a child window reaches past what the workspace shows.
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(viewport());
        p.fillRect(event->rect(), palette().brush(QPalette::Dark));
        p.drawPixmap(event->rect(), photoFor(viewport()->size()), event->rect());
    }

private:
    const QPixmap &photoFor(const QSize &area)
    {
        if (area.width() <= m_photo.width() && area.height() <= m_photo.height())
            return m_photo;
        if (m_cover.isNull() || m_coverFor != area) {
            m_cover =
                m_photo.scaled(area, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
            m_coverFor = area;
        }
        return m_cover;
    }

    QPixmap m_photo;
    QPixmap m_cover;
    QSize m_coverFor;
};

data::ToolbarIcon iconFor(int index)
{
    static constexpr data::ToolbarIcon icons[] = {
        data::ToolbarIcon::Mosaik,     data::ToolbarIcon::Panorama,  data::ToolbarIcon::WildFrames,
        data::ToolbarIcon::Converter,  data::ToolbarIcon::UserId,    data::ToolbarIcon::SaveDump,
        data::ToolbarIcon::CameraLink, data::ToolbarIcon::Community,
    };
    return icons[index];
}

} // namespace

MainWindow::MainWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : QMainWindow(parent), m_desktop(desktop), m_paths(paths)
{
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(QStringLiteral("Camvista"));

    m_workspace = new Workspace(this);
    m_workspace->setObjectName(QStringLiteral("workspace"));
    setCentralWidget(m_workspace);
    buildMenus();
    buildToolbar();
    buildShortcuts();
    m_statusText = new QLabel(this);
    m_statusText->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(m_statusText, 1);

    // The browser exists from the start (its icon is the window's); it is shown when the window
    // first gets its size.
    m_browser = new BrowserWindow(m_desktop, m_paths);
    m_browserWindow = m_workspace->addSubWindow(m_browser, Qt::FramelessWindowHint);
    connect(m_browser, &BrowserWindow::editorCreated, this, &MainWindow::addEditor);
    connect(m_browser, &BrowserWindow::childWindowCreated, this,
            [this](QWidget *form) { addChildWindow(form, Qt::FramelessWindowHint); });
    m_browserWindow->setObjectName(QStringLiteral("browserWindow"));
    leaveKeysToTheWorkspace(m_browserWindow);
    m_browserWindow->hide();
    m_workspace->viewport()->installEventFilter(this);
    connect(m_workspace, &QMdiArea::subWindowActivated, this, &MainWindow::showMenuOf);

    const int menuHeight = menuBar()->sizeHint().height();
    resize(kInitialClientSize.width(), kInitialClientSize.height() + menuHeight);
    const QSize screen = screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);

    Form_Load();
}

MainWindow::~MainWindow()
{
    // The workspace outlives this object's own part of the teardown: stop listening to it.
    m_workspace->viewport()->removeEventFilter(this);
    m_workspace->disconnect(this);
    // The child windows' entries change as they are torn down (an undo stack disables its
    // entries when it goes): by then this window's own entries are gone.
    for (const QPointer<QAction> &action : std::as_const(m_formActions)) {
        if (action)
            action->disconnect(this);
    }
}

void MainWindow::showAtStart()
{
    showMaximized();
}

void MainWindow::buildMenus()
{
    // The browser's selection, or the shot selected, to files of any scale, palette and frame.
    QAction *exportShots = menuBar()->addAction(QStringLiteral("&Export shots..."));
    exportShots->setObjectName(QStringLiteral("exportShots"));
    exportShots->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(exportShots, &QAction::triggered, this, [this] { m_browser->exportShots(); });

    QAction *about = menuBar()->addAction(QStringLiteral("&About..."));
    about->setObjectName(QStringLiteral("about"));
    connect(about, &QAction::triggered, this, [this] { showAboutWindow(); });

    // Only a divider: its command is never reached.
    QAction *divider = menuBar()->addAction(QStringLiteral("|"));
    divider->setObjectName(QStringLiteral("t"));
    divider->setEnabled(false);

    QAction *quit = menuBar()->addAction(QStringLiteral("See &ya!"));
    quit->setObjectName(QStringLiteral("quitf"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    m_ownEntries = {about, divider, quit};
}

namespace
{

// The platform's keys for a command, and `usual` too where the platform has other ones or none.
QList<QKeySequence> keysFor(QKeySequence::StandardKey command, const QKeySequence &usual)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (!keys.contains(usual))
        keys.append(usual);
    return keys;
}

} // namespace

void MainWindow::buildShortcuts()
{
    // Not in the menu bar: the keys act on whichever child window is active.
    const auto shortcut = [this](const char *name, QList<QKeySequence> keys) {
        auto *action = new QAction(QString::fromLatin1(name), this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        addAction(action);
        return action;
    };
    m_saveShortcut = shortcut("saveShortcut", keysFor(QKeySequence::Save, QKeySequence("Ctrl+S")));
    m_saveAsShortcut =
        shortcut("saveAsShortcut", keysFor(QKeySequence::SaveAs, QKeySequence("Ctrl+Shift+S")));
    m_openShortcut = shortcut("openShortcut", keysFor(QKeySequence::Open, QKeySequence("Ctrl+O")));
    m_refreshShortcut =
        shortcut("refreshShortcut", keysFor(QKeySequence::Refresh, QKeySequence("F5")));
    m_closeShortcut =
        shortcut("closeShortcut", keysFor(QKeySequence::Close, QKeySequence("Ctrl+W")));
    connect(m_saveShortcut, &QAction::triggered, this, [this] { saveActive(false); });
    connect(m_saveAsShortcut, &QAction::triggered, this, [this] { saveActive(true); });
    connect(m_openShortcut, &QAction::triggered, this, [this] { m_browser->Command3_Click(); });
    connect(m_refreshShortcut, &QAction::triggered, this, &MainWindow::refreshLists);
    connect(m_closeShortcut, &QAction::triggered, this, &MainWindow::closeActiveChild);
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setIconSize(QSize(48, 48));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    int index = 0;
    for (const ToolbarButton &button : kToolbarButtons) {
        const QString key = QString::fromLatin1(button.key);
        QAction *action = m_toolbar->addAction(
            QIcon(QPixmap::fromImage(data::toolbarIcon(iconFor(index++)))), key);
        action->setData(key);
        action->setToolTip(QString::fromLatin1(button.toolTip));
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

QAction *MainWindow::toolbarAction(const QString &key) const
{
    for (QAction *action : m_toolbar->actions()) {
        if (action->data().toString() == key)
            return action;
    }
    return nullptr;
}

void MainWindow::Form_Load()
{
    // Every step runs whatever happened in the one before; only an installed program tells
    // about the folders it keeps the user's files in.
    setWindowIcon(m_browser->icon1());
    // The folders first, so the settings below have somewhere to go; what there is to tell
    // waits until the window is up.
    if (const FolderNotice notice = prepareUserFolders(m_paths); !notice.text.isEmpty()) {
        QTimer::singleShot(0, this, [this, notice] {
            m_desktop.showMessage(this, notice.text, QStringLiteral("Camvista"),
                                  notice.failed ? Desktop::Icon::Exclamation
                                                : Desktop::Icon::Information);
        });
    }

    if (ReadIni(m_paths, kIniSection, kKeyUserId).isEmpty())
        WriteIni(m_paths, kIniSection, kKeyUserId, QStringLiteral("????????"));
    setWindowTitle(welcomeCaption(versionCaption(), ReadIni(m_paths, kIniSection, kKeyUserId)));

    m_browser->setFolder(m_paths.shotsFolder());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_workspace->viewport() && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    for (QMdiSubWindow *tool : {m_mosaicWindow.data(), m_panoramaWindow.data()}) {
        if (tool && !tool->close()) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::Form_Resize()
{
    // The browser stays docked at the workspace's top-left, as tall as the workspace shows, and
    // never shorter than its controls: on a small screen the workspace scrolls to the last one.
    // Scrolling moves the child windows, so the top-left is where the scroll bars have put it.
    const int controls = m_browser->childrenRect().bottom() + 1;
    const QRect docked(-m_workspace->horizontalScrollBar()->value(),
                       -m_workspace->verticalScrollBar()->value(), BrowserWindow::kClientWidth,
                       qMax(m_workspace->viewport()->height(), controls));
    m_browserWindow->show();
    if (m_browserWindow->geometry() != docked)
        m_browserWindow->setGeometry(docked);
}

void MainWindow::tell(const QString &text)
{
    m_statusText->setText(text);
}

void MainWindow::Toolbar1_ButtonClick(const QString &key)
{
    // Windows that are not built yet are wired here as they arrive.
    if (key == QLatin1String("Mosaik"))
        showMosaicWindow();
    else if (key == QLatin1String("Panorama"))
        showPanoramaWindow();
    else if (key == QLatin1String("NBU"))
        showUserIdDialog();
    else if (key == QLatin1String("Wild Wild Frames"))
        showWildFrames();
    else if (key == QLatin1String("DuduRed Idarer"))
        showConverter();
    else if (key == QLatin1String("Extract shots from a .sav file with VUDaviziDump"))
        m_desktop.startProgram(m_paths.file(kDumpProgram), Desktop::WindowStyle::Minimized);
    else if (key == QLatin1String("MC"))
        m_desktop.startProgram(m_paths.file(kCameraLinkProgram), Desktop::WindowStyle::Minimized);
    else if (key == QLatin1String("frgbc"))
        OpenBrowser(m_desktop, kCommunityPage);
}

QMdiSubWindow *MainWindow::addChildWindow(QWidget *form, Qt::WindowFlags flags)
{
    QMdiSubWindow *child = m_workspace->addSubWindow(form, flags);
    leaveKeysToTheWorkspace(child);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowIcon(m_browser->icon1());
    return child;
}

QMdiSubWindow *MainWindow::addEditor(EditorWindow *editor)
{
    QMdiSubWindow *child = addChildWindow(
        editor, Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    child->move(m_browser->width(), 0);
    child->show();
    // A fixed single border: the user cannot resize an editor; only the output panel grows it.
    child->setFixedSize(EditorWindow::kOpenSize);
    // The new editor is the active window, its menu entries shown, even when it opens while a
    // dialog has the focus: the focus that comes back to this window goes to the editor, not
    // to the browser button or list the user clicked.
    m_workspace->setActiveSubWindow(child);
    editor->setFocus();
    // A saved file may belong to the listed folder.
    connect(editor, &EditorWindow::fileSaved, m_browser->file1(), &FileList::refresh);
    return child;
}

namespace
{

// The menu commands a child window puts in the menu bar while it is active.
QList<QAction *> menuActionsOf(QWidget *form)
{
    if (auto *editor = qobject_cast<EditorWindow *>(form))
        return editor->menuActions();
    if (auto *mosaic = qobject_cast<MosaicWindow *>(form))
        return mosaic->menuActions();
    if (auto *panorama = qobject_cast<PanoramaWindow *>(form))
        return panorama->menuActions();
    if (auto *wild = qobject_cast<WildFramesWindow *>(form))
        return wild->menuActions();
    if (auto *converter = qobject_cast<ConverterWindow *>(form))
        return converter->menuActions();
    return {};
}

// The menu entries that Ctrl+S and Ctrl+Shift+S stand for, by window.
struct SaveEntries {
    const char *form;
    const char *save;
    const char *saveAs;
};
constexpr SaveEntries kSaveEntries[] = {
    {"loaded", "save", "savecopy"},
    // The tools have one save entry, which asks for a name.
    {"frmMosaik", "savepano", "savepano"},
    {"frmPano", "savepano", "savepano"},
    {"frmWFrames", "savewf", "savewf"},
    {"Form1", "save", "save"},
};

} // namespace

void MainWindow::showMenuOf(QMdiSubWindow *active)
{
    QWidget *form = active ? active->widget() : nullptr;
    if (form == m_menuForm && (form || m_formActions.isEmpty()))
        return;
    for (const QPointer<QAction> &action : std::as_const(m_formActions)) {
        if (action) {
            menuBar()->removeAction(action);
            action->disconnect(this);
        }
    }
    m_menuForm = form;
    m_formActions.clear();
    for (QAction *action : menuActionsOf(form)) {
        m_formActions.append(action);
        menuBar()->addAction(action);
        // A window may rename its entries while they stand here (the browser names the shot).
        connect(action, &QAction::changed, this, &MainWindow::markMenuEntries,
                Qt::UniqueConnection);
    }
    markMenuEntries();
}

void MainWindow::markMenuEntries()
{
    QList<QAction *> entries;
    for (const QPointer<QAction> &action : std::as_const(m_formActions)) {
        if (action)
            entries.append(action);
    }
    markMnemonics(m_ownEntries, entries);
}

void MainWindow::saveActive(bool saveAs)
{
    QMdiSubWindow *active = m_workspace->activeSubWindow();
    QWidget *form = active ? active->widget() : nullptr;
    if (!form)
        return;
    for (const SaveEntries &entries : kSaveEntries) {
        if (form->objectName() != QLatin1String(entries.form))
            continue;
        const QLatin1String wanted(saveAs ? entries.saveAs : entries.save);
        for (QAction *action : menuActionsOf(form)) {
            if (action->objectName() == wanted && action->isEnabled())
                action->trigger();
        }
    }
}

void MainWindow::refreshLists()
{
    for (FolderList *folders : findChildren<FolderList *>())
        folders->refresh();
    for (FileList *files : findChildren<FileList *>())
        files->refresh();
}

void MainWindow::leaveKeysToTheWorkspace(QMdiSubWindow *child) const
{
    // A child window's own menu would claim the close keys too, and keys claimed twice do
    // nothing.
    QMenu *menu = child->systemMenu();
    for (QAction *entry : menu ? menu->actions() : QList<QAction *>()) {
        for (const QKeySequence &key : m_closeShortcut->shortcuts()) {
            if (entry->shortcuts().contains(key))
                entry->setShortcuts({});
        }
    }
}

void MainWindow::closeActiveChild()
{
    // The browser stays for the whole run.
    QMdiSubWindow *active = m_workspace->activeSubWindow();
    if (active && active != m_browserWindow)
        active->close();
}

namespace
{

// A fixed-size child window with a title and a close box only.
constexpr Qt::WindowFlags kDialogFlags = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

void bringToFront(QMdiArea *area, QMdiSubWindow *child)
{
    child->show();
    child->raise();
    area->setActiveSubWindow(child);
}

constexpr int kDialogRaiseTwips = 2000;

} // namespace

UserIdDialog *MainWindow::showUserIdDialog()
{
    if (!m_userIdWindow) {
        auto *dialog = new UserIdDialog(m_desktop, m_paths);
        connect(dialog, &UserIdDialog::captionChanged, this, &QWidget::setWindowTitle);
        m_userIdWindow = addChildWindow(dialog, kDialogFlags);
        m_userIdWindow->adjustSize();
        m_userIdWindow->setFixedSize(m_userIdWindow->size());
        m_userIdWindow->move(centredHigh(screenSize(), m_userIdWindow->size(), kDialogRaiseTwips));
        dialog->Form_Load();
    }
    bringToFront(m_workspace, m_userIdWindow);
    return qobject_cast<UserIdDialog *>(m_userIdWindow->widget());
}

AboutWindow *MainWindow::showAboutWindow()
{
    if (!m_aboutWindow) {
        auto *about = new AboutWindow(m_desktop);
        about->setWindowIcon(m_browser->icon1());
        m_aboutWindow = addChildWindow(about, kDialogFlags | Qt::WindowStaysOnTopHint);
        m_aboutWindow->adjustSize();
        m_aboutWindow->setFixedSize(m_aboutWindow->size());
        m_aboutWindow->move(centredHigh(screenSize(), m_aboutWindow->size(), kDialogRaiseTwips));
    }
    bringToFront(m_workspace, m_aboutWindow);
    return qobject_cast<AboutWindow *>(m_aboutWindow->widget());
}

template <typename Tool> Tool *MainWindow::showTool(QPointer<QMdiSubWindow> &child)
{
    if (!child) {
        auto *tool = new Tool(m_desktop, m_paths);
        child = addChildWindow(tool, kDialogFlags | Qt::WindowMinimizeButtonHint);
        child->move(m_browser->width(), 0);
        child->show();
        child->setFixedSize(child->size());
        connect(tool, &Tool::told, this, &MainWindow::tell);
        // "New": this window goes and a fresh one takes its place.
        connect(tool, &Tool::newRequested, this, [this, &child] {
            QMdiSubWindow *old = child;
            if (!old->close())
                return;
            child = nullptr;
            showTool<Tool>(child);
        });
    }
    bringToFront(m_workspace, child);
    return qobject_cast<Tool *>(child->widget());
}

MosaicWindow *MainWindow::showMosaicWindow()
{
    return showTool<MosaicWindow>(m_mosaicWindow);
}

PanoramaWindow *MainWindow::showPanoramaWindow()
{
    return showTool<PanoramaWindow>(m_panoramaWindow);
}

WildFramesWindow *MainWindow::showWildFrames()
{
    if (!m_wildFramesWindow) {
        auto *wild = new WildFramesWindow(m_desktop, m_paths);
        m_wildFramesWindow = addChildWindow(wild, kDialogFlags | Qt::WindowMinimizeButtonHint);
        m_wildFramesWindow->adjustSize();
        m_wildFramesWindow->setFixedSize(m_wildFramesWindow->size());
        m_wildFramesWindow->move(
            WildFramesWindow::openPosition(screenSize(), m_wildFramesWindow->size()));
    }
    bringToFront(m_workspace, m_wildFramesWindow);
    return qobject_cast<WildFramesWindow *>(m_wildFramesWindow->widget());
}

ConverterWindow *MainWindow::showConverter()
{
    if (!m_converterWindow) {
        auto *converter = new ConverterWindow(m_desktop, m_paths);
        m_converterWindow = addChildWindow(converter, kDialogFlags);
        m_converterWindow->adjustSize();
        m_converterWindow->setFixedSize(m_converterWindow->size());
        m_converterWindow->move(ConverterWindow::openPosition(m_browser->width()));
    }
    bringToFront(m_workspace, m_converterWindow);
    return qobject_cast<ConverterWindow *>(m_converterWindow->widget());
}

} // namespace camvista
