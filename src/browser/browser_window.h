#pragma once

#include "preview_popup.h"

#include "platform/app_paths.h"

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class QLabel;
class QPushButton;

namespace camvista
{

class Desktop;
class DriveList;
class EditorWindow;
class ExportCommand;
class FileList;
class FolderList;
class Messenger;
class PictureSurface;

inline const QString kShotPattern = QStringLiteral("*.jpg;*.bmp;*.png;*.jpeg;*.gif");
inline const QString kBadSizeMessage =
    QStringLiteral("This picture doesn't fit the requiered size. Shots dimensions must be 160x144 "
                   "(framed) or 128x112 (unframed)");

// The shot browser: the narrow panel docked at the left edge of the main window's workspace.
// It lists a folder's pictures, previews one, checks a shot's size and opens it in a new editor.
// It holds the application icon (`icon1`) that the main window and the about window use.
//
// The browser does not own the workspace: it hands every window it makes to whoever listens to
// editorCreated / childWindowCreated, who places and shows it.
class BrowserWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 161; // 2415 twips

    // The system's messenger serves the "Set as Live Messenger avatar" command.
    BrowserWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);
    BrowserWindow(Desktop &desktop, Messenger &messenger, const AppPaths &paths,
                  QWidget *parent = nullptr);
    ~BrowserWindow() override;

    QIcon icon1() const { return m_icon1; }

    // Points the folder list (and with it the file list) at `folder`. A folder that cannot be
    // read leaves the lists as they were.
    void setFolder(const QString &folder);
    QString folder() const;

    DriveList *drive1() const { return m_drive1; }
    QPushButton *command3() const { return m_command3; }
    FolderList *dir1() const { return m_dir1; }
    PictureSurface *preview() const { return m_preview; }
    QPushButton *command2() const { return m_command2; }
    QPushButton *command1() const { return m_command1; }
    QPushButton *command5() const { return m_command5; }
    FileList *file1() const { return m_file1; }
    QPushButton *command4() const { return m_command4; }
    // The enlarged preview; null until the pointer first moves over the preview.
    PreviewPopup *frmPrev() const { return m_frmPrev; }

    // The selected shots' full paths, in the list's order.
    QStringList selectedShots() const;
    QAction *exportShotsAction() const { return m_exportShots; }
    ExportCommand *exportCommand() const { return m_export; }
    // "Export shots...": the export dialog for the selected shots.
    void exportShots();

    void File1_Click();
    void File1_DblClick();
    void Command1_Click(); // "Open folder"
    void Command2_Click(); // "Delete shot"
    void Command3_Click(); // "Load external..."
    void Command4_Click(); // "Refresh the shotlist"
    void Command5_Click(); // "Set as Live Messenger avatar"

signals:
    // A new editor was made. The listener adds it to the workspace at (browser width, 0), sizes
    // it to EditorWindow::kOpenSize and shows it; the browser then fills it in.
    void editorCreated(camvista::EditorWindow *editor);
    // The preview pop-up was made (once). The listener adds it as a borderless child window.
    void childWindowCreated(QWidget *form);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void Drive1_Change(const QString &root);
    void Dir1_Change(const QString &path);
    void preview_MouseMove(const QPoint &pos);

    EditorWindow *newEditor();
    void loadpix(const QString &path, const QImage &shot);
    void loadpix128(const QString &path, const QImage &shot);
    EditorWindow *openShot(const QString &path, const QImage &shot);
    QString selectedFile() const;
    void clearPreview();

    Desktop &m_desktop;
    Messenger &m_messenger;
    AppPaths m_paths;
    QIcon m_icon1;

    DriveList *m_drive1 = nullptr;
    QPushButton *m_command3 = nullptr;
    FolderList *m_dir1 = nullptr;
    PictureSurface *m_preview = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command5 = nullptr;
    FileList *m_file1 = nullptr;
    QPushButton *m_command4 = nullptr;
    QLabel *m_iconLabel = nullptr;
    QAction *m_exportShots = nullptr;
    ExportCommand *m_export = nullptr;
    QPointer<PreviewPopup> m_frmPrev;
};

} // namespace camvista
