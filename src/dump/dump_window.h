#pragma once

#include "dump_export.h"
#include "frame_panel.h"
#include "platform/app_paths.h"
#include "platform/desktop.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;

namespace camvista::dump
{

// The companion program's window: open a save (dialog or drop), tick the photos wanted and write
// them as shots, by default into the shots folder of the application folder.
class DumpWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPreferredColumns = 4;
    static constexpr int kZoom = 2;
    // A photo at twice its size with its edge and margins: the narrowest a grid cell gets.
    static constexpr int kCellWidth = kZoom * camera::kPhotoWidth + 12;

    DumpWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);

    // Reads the save and offers its pictures; a save that cannot be read is reported and the
    // pictures shown so far stay. False on failure.
    bool openSave(const QString &path);

    QString outputFolder() const { return m_folder; }
    const QList<DumpShot> &offeredShots() const { return m_shots; }
    const QList<QCheckBox *> &tickBoxes() const { return m_ticks; }
    FramePanel *framePanel() const { return m_frames; }
    // The columns of the photo grid now: as many as the grid's width holds.
    int columns() const;

    void openClicked();
    void selectAllClicked();
    void folderClicked();
    void writeClicked();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitIntoScreen();
    void layOutCells();
    ShotFormat shotFormat() const;
    void clearShots();
    void addCell(const DumpShot &shot, int index);
    void updateButtons();
    void showFolder();
    void tell(const QString &text, Desktop::Icon icon);

    Desktop &m_desktop;
    AppPaths m_paths;
    QString m_savePath;
    QString m_folder;
    QList<DumpShot> m_shots;
    QList<QCheckBox *> m_ticks;
    QList<QWidget *> m_cells;

    QLabel *m_saveLabel = nullptr;
    QGridLayout *m_grid = nullptr;
    QScrollArea *m_scroll = nullptr;
    FramePanel *m_frames = nullptr;
    QComboBox *m_format = nullptr;
    int m_columns = 0;
    QLabel *m_folderLabel = nullptr;
    QPushButton *m_selectAll = nullptr;
    QPushButton *m_write = nullptr;
};

// The tick box caption of a shot: "Album 01", "Deleted, slot 07", "Last seen", "Game face",
// with "Bank 1, ", "Bank 2, " ... in front for the photos of a dump of several banks.
QString shotCaption(const DumpShot &shot);

} // namespace camvista::dump
