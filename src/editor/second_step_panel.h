#pragma once

#include "imaging/stamp_blend.h"
#include "platform/app_paths.h"

#include <QGroupBox>
#include <QPointF>

#include <cstdint>
#include <vector>

class QLabel;

namespace camvista
{

class Desktop;
class FileList;
class FolderList;
class PictureSurface;

// "Second Step": stamps. A double click on the list lays the chosen PNG over the working
// picture in the stamp box; dragging the box blends it afresh at every position; a double click
// on the box merges it into the picture through the merge buffer.
class SecondStepPanel : public QGroupBox
{
    Q_OBJECT

public:
    // `stampBox` lies on `picture1`; `picture4` is the merge buffer.
    SecondStepPanel(PictureSurface &picture1, PictureSurface &picture4, QLabel &stampBox,
                    Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);

    FolderList *dir1() const { return m_dir1; }
    PictureSurface *picture5() const { return m_picture5; }
    FileList *file1() const { return m_file1; }

    // The folder whose PNG files the list shows.
    void setFolder(const QString &folder);

    // Shows the file at its own size over the panel's colour; a file that cannot be read leaves
    // the previous preview.
    void preview(const QString &path);
    // Lays the stamp file on the working picture at (16, 16). A file that cannot be read is
    // reported, and the step goes on without a new stamp.
    bool loadstamp(const QString &path);
    // Blends the stamp over the picture as it was when the stamp was loaded, at (x, y), and moves
    // the box there. Wholly outside, the box keeps what it showed.
    void DrawStamp(int x, int y);
    // Makes the stamp part of the working picture and hides the box.
    void merge();

    const StampScene &scene() const { return m_scene; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString selectedFile() const;

    PictureSurface &m_picture1;
    PictureSurface &m_picture4;
    QLabel &m_stamp;
    Desktop &m_desktop;
    AppPaths m_paths;

    FolderList *m_dir1 = nullptr;
    PictureSurface *m_picture5 = nullptr;
    FileList *m_file1 = nullptr;

    StampScene m_scene;
    std::vector<std::uint8_t> m_patch;
    QPointF m_anchor;
};

} // namespace camvista
