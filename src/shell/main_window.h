#pragma once

#include "platform/app_paths.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace camvista
{

class AboutWindow;
class BrowserWindow;
class ConverterWindow;
class WildFramesWindow;
class EditorWindow;
class Desktop;
class MosaicWindow;
class PanoramaWindow;
class UserIdDialog;

// The toolbar's commands, left to right: the key the click handler compares and the tool tip.
struct ToolbarButton {
    const char *key;
    const char *toolTip;
};
inline constexpr ToolbarButton kToolbarButtons[] = {
    {"Mosaik", "MosaiK Editor"},
    {"Panorama", "Panorama Maker"},
    {"Wild Wild Frames", "Wild Wild Frames!"},
    {"DuduRed Idarer", "DuduRed Idarer - Convert pictures to GBCam ones!"},
    {"NBU", "Set your User ID!"},
    {"Extract shots from a .sav file with VUDaviziDump",
     "Extract shots from a .sav file with VUDaviziDump"},
    {"MC", "Transfer your shots using the MadCatz Camera Link"},
    {"frgbc", "Join the Game Boy Camera Community on Flickr!"},
};

inline const QString kCommunityPage =
    QStringLiteral("https://www.flickr.com/groups/gameboycamera/");
inline const QString kDumpProgram = QStringLiteral("\\VUDaviziDump\\VUDaviziDump.exe");
inline const QString kCameraLinkProgram = QStringLiteral("\\MCCL\\cls.exe");

// The main window: a workspace holding every other window, the menu bar and the toolbar.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr QSize kInitialClientSize{640, 341}; // 9600 x 5115 twips

    MainWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The first showing: maximised, as the browser's controls need 689 pixels of height, more
    // than the opening client area; restoring gives back the centred opening geometry.
    void showAtStart();

    QMdiArea *workspace() const { return m_workspace; }
    BrowserWindow *browser() const { return m_browser; }
    QMdiSubWindow *browserSubWindow() const { return m_browserWindow; }
    QToolBar *toolbar() const { return m_toolbar; }
    QAction *toolbarAction(const QString &key) const;
    // What the program last told without a box (a wallpaper set, ...), in the status bar.
    QLabel *statusText() const { return m_statusText; }
    void tell(const QString &text);

    // The keyboard's commands: save and save as in the active editor or tool, "Load
    // external...", refresh every list, close the active child window.
    QAction *saveShortcut() const { return m_saveShortcut; }
    QAction *saveAsShortcut() const { return m_saveAsShortcut; }
    QAction *openShortcut() const { return m_openShortcut; }
    QAction *refreshShortcut() const { return m_refreshShortcut; }
    QAction *closeShortcut() const { return m_closeShortcut; }

    // Runs the command of the toolbar button with this key; an unknown key does nothing.
    void Toolbar1_ButtonClick(const QString &key);

    // Shows a window of which there is only one: created the first time, brought to the front
    // after that.
    UserIdDialog *showUserIdDialog();
    AboutWindow *showAboutWindow();
    MosaicWindow *showMosaicWindow();
    PanoramaWindow *showPanoramaWindow();
    WildFramesWindow *showWildFrames();
    ConverterWindow *showConverter();

    // Puts a form into the workspace as a child window.
    QMdiSubWindow *addChildWindow(QWidget *form, Qt::WindowFlags flags = {});
    // Shows a new editor at the right of the browser, at its opening size.
    QMdiSubWindow *addEditor(EditorWindow *editor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A changed mosaic or panorama asks first; its Cancel keeps the program running.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildShortcuts();
    // Runs the active child window's save entry, or its save-as entry.
    void saveActive(bool saveAs);
    void refreshLists();
    void closeActiveChild();
    void leaveKeysToTheWorkspace(QMdiSubWindow *child) const;
    // Every entry of the menu bar gets a mnemonic of its own, the active window's too.
    void markMenuEntries();
    void Form_Load();
    void Form_Resize();
    // The active editor's menu entries stand in the menu bar while it is active.
    void showMenuOf(QMdiSubWindow *active);
    // Shows a composition tool in its own child window, made with `make` when there is none.
    template <typename Tool> Tool *showTool(QPointer<QMdiSubWindow> &child);

    Desktop &m_desktop;
    AppPaths m_paths;
    QMdiArea *m_workspace = nullptr;
    QToolBar *m_toolbar = nullptr;
    BrowserWindow *m_browser = nullptr;
    QMdiSubWindow *m_browserWindow = nullptr;
    QPointer<QMdiSubWindow> m_userIdWindow;
    QPointer<QMdiSubWindow> m_aboutWindow;
    QPointer<QMdiSubWindow> m_mosaicWindow;
    QPointer<QMdiSubWindow> m_panoramaWindow;
    // The child window whose menu commands stand in the menu bar.
    QPointer<QWidget> m_menuForm;
    QList<QPointer<QAction>> m_formActions;
    QPointer<QMdiSubWindow> m_wildFramesWindow;
    QPointer<QMdiSubWindow> m_converterWindow;
    QList<QAction *> m_ownEntries;
    QLabel *m_statusText = nullptr;
    QAction *m_saveShortcut = nullptr;
    QAction *m_saveAsShortcut = nullptr;
    QAction *m_openShortcut = nullptr;
    QAction *m_refreshShortcut = nullptr;
    QAction *m_closeShortcut = nullptr;
};

} // namespace camvista
