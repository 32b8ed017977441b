#include "shot_picker.h"

#include "data/tool_pictures.h"
#include "imaging/picture_file.h"
#include "platform/desktop.h"
#include "ui/file_list.h"
#include "ui/folder_list.h"
#include "ui/picture_surface.h"

#include <QDir>
#include <QLineEdit>

namespace camvista
{

namespace
{

// The picture's size in pixels, and the picture, so that what is placed is what was measured.
// An unreadable file or no file at all measures 0 x 0.
PictureLoad GetPicSize(const QString &path, int &width, int &height)
{
    PictureLoad loaded = path.isEmpty() ? PictureLoad{} : loadPictureFile(path);
    width = loaded.image.width();
    height = loaded.image.height();
    return loaded;
}

} // namespace

ShotPicker::ShotPicker(const QString &caption, const Layout &layout, Desktop &desktop,
                       QWidget *parent)
    : QGroupBox(caption, parent), m_desktop(desktop)
{
    setObjectName(QStringLiteral("Frame1"));

    m_dir1 = new FolderList(this);
    m_dir1->setGeometry(layout.dir1);

    m_preview = new PictureSurface(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setGeometry(layout.preview);
    m_preview->setPicture(data::toolPreviewPlaceholder());

    m_file1 = new FileList(this);
    m_file1->setObjectName(QStringLiteral("File1_0"));
    m_file1->setGeometry(layout.file1);
    m_file1->setDragSource(true);

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->hide();

    connect(m_dir1, &FolderList::changed, m_file1, &FileList::setPath);
    connect(m_file1, &FileList::fileClicked, this, &ShotPicker::File1_Click);
}

void ShotPicker::openShotsFolder(const AppPaths &paths)
{
    // Without a shots folder the lists stay where they start: the application folder.
    if (!m_dir1->setPath(paths.shotsFolder()))
        m_dir1->setPath(paths.folder);
    m_file1->setPattern(kToolShotPattern);
}

QString ShotPicker::selectedShot() const
{
    return m_text1->text();
}

void ShotPicker::File1_Click()
{
    const QString name = m_file1->fileName();
    if (name.isEmpty())
        return;
    m_text1->setText(QDir(m_file1->path()).filePath(name));
    // As in the browser: no message on a click, the placeholder and its tool tip say it.
    const FileStatus status = m_preview->loadPicture(selectedShot());
    if (!status.ok())
        m_preview->setPicture(data::toolPreviewPlaceholder());
    m_preview->setToolTip(status.ok() ? QString() : status.message());
}

std::optional<QImage> ShotPicker::framedShotFor(const ShotDrop &drop, const QString &badSizeText)
{
    int w = 0;
    int h = 0;
    const PictureLoad shot = GetPicSize(drop.fromFileList ? selectedShot() : drop.file, w, h);
    if (w != kFramedShotSize.width() || h != kFramedShotSize.height()) {
        m_desktop.showMessage(window(), badSizeText, QStringLiteral("Bad!"),
                              Desktop::Icon::Exclamation);
        return std::nullopt;
    }
    return shot.image;
}

QImage cutInnerPicture(PictureSurface &picture7, const QImage &shot)
{
    picture7.setPicture(QImage());
    picture7.resize(kInnerPicture.size());
    picture7.cls();
    picture7.paintPicture(shot, 0, 0, kInnerPicture.width(), kInnerPicture.height(), kInnerPicture);
    picture7.setPicture(picture7.image());
    return picture7.picture();
}

} // namespace camvista
