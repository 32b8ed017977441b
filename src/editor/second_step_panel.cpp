#include "second_step_panel.h"

#include "editor_window.h"

#include "imaging/picture_file.h"
#include "imaging/picture_files.h"
#include "imaging/rounding.h"
#include "platform/desktop.h"
#include "ui/file_list.h"
#include "ui/folder_list.h"
#include "ui/picture_surface.h"
#include "ui/twips_geometry.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>

namespace camvista
{

namespace
{

// A fresh stamp is laid inside the frame, at the top-left of the shot itself.
constexpr int kFirstPlace = 16;

} // namespace

SecondStepPanel::SecondStepPanel(PictureSurface &picture1, PictureSurface &picture4,
                                 QLabel &stampBox, Desktop &desktop, const AppPaths &paths,
                                 QWidget *parent)
    : QGroupBox(QStringLiteral("Second Step: Let's Stamp!"), parent), m_picture1(picture1),
      m_picture4(picture4), m_stamp(stampBox), m_desktop(desktop), m_paths(paths)
{
    setObjectName(QStringLiteral("scdstep"));
    makeOpaque(this);

    m_dir1 = new FolderList(this);
    placeTwips(m_dir1, 120, 240, 2655, 1890);

    m_picture5 = new PictureSurface(this);
    m_picture5->setObjectName(QStringLiteral("Picture5"));
    placeTwips(m_picture5, 120, 2280, 2655, 2295);
    m_picture5->setBackgroundColour(palette().color(QPalette::Window));
    m_picture5->cls();

    m_file1 = new FileList(this);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_file1->setToolTip(QStringLiteral("DoubleClick to stamp!"));
    m_file1->setPattern(QStringLiteral("*.png"));
    placeTwips(m_file1, 2880, 240, 2535, 4380);

    connect(m_dir1, &FolderList::changed, m_file1, &FileList::setPath);
    connect(m_file1, &FileList::fileClicked, this, [this] {
        if (!m_file1->fileName().isEmpty())
            preview(selectedFile());
    });
    connect(m_file1, &FileList::fileDoubleClicked, this, [this] {
        if (!m_file1->fileName().isEmpty())
            loadstamp(selectedFile());
    });

    m_stamp.setToolTip(QStringLiteral("[ DoubleClick to Stamp ]"));
    m_stamp.setCursor(Qt::CrossCursor);
    m_stamp.setContentsMargins(0, 0, 0, 0);
    m_stamp.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_stamp.installEventFilter(this);

    setFolder(m_paths.file(QStringLiteral("\\stamps")));
}

void SecondStepPanel::setFolder(const QString &folder)
{
    // A missing stamps folder leaves an empty list: the folder list keeps its own place.
    if (!m_dir1->setPath(folder))
        m_file1->setPath(folder);
}

QString SecondStepPanel::selectedFile() const
{
    return QDir(m_file1->path()).filePath(m_file1->fileName());
}

void SecondStepPanel::preview(const QString &path)
{
    const QRgb back = palette().color(QPalette::Window).rgb();
    int width = -1;
    int height = -1;
    const ScaledPicture scaled = LoadScaledPicture(path, width, height, back, false);
    if (!scaled.ok())
        return;
    m_picture5->setBackgroundColour(QColor::fromRgb(back));
    m_picture5->setPicture(scaled.picture);
}

bool SecondStepPanel::loadstamp(const QString &path)
{
    const PictureLoad loaded = loadPictureFile(path);
    if (!loaded.ok() || loaded.image.isNull()) {
        const QString why =
            loaded.ok() ? QString() : QStringLiteral("\n\n") + loaded.status.message();
        m_desktop.showMessage(this,
                              QStringLiteral("This stamp could not be put on your shot.") + why,
                              QStringLiteral("Camvista"), Desktop::Icon::Exclamation);
        return false;
    }

    // The background is taken once: every drag blends over the picture as it is now.
    StampScene scene;
    scene.backgroundWidth = m_picture1.scaleWidth();
    scene.backgroundHeight = m_picture1.scaleHeight();
    scene.background =
        backgroundRows(m_picture1.picture(), scene.backgroundWidth, scene.backgroundHeight);
    scene.stampWidth = loaded.image.width();
    scene.stampHeight = loaded.image.height();
    scene.stamp = stampPixels(loaded.image);
    m_scene = std::move(scene);

    m_stamp.show();
    m_stamp.resize(m_scene.stampWidth, m_scene.stampHeight);
    DrawStamp(kFirstPlace, kFirstPlace);
    return true;
}

void SecondStepPanel::DrawStamp(int x, int y)
{
    if (camvista::DrawStamp(m_scene, x, y, m_patch)) {
        m_stamp.setPixmap(
            QPixmap::fromImage(patchToImage(m_patch, m_scene.stampWidth, m_scene.stampHeight)));
    }
    m_stamp.move(x, y);
    m_stamp.update();
}

void SecondStepPanel::merge()
{
    // The copy is the picture as shown, with the stamp box on it.
    commitSurface(m_picture1, m_picture4, m_desktop);
    m_picture1.setPicture(m_picture4.picture());
    m_stamp.hide();
}

bool SecondStepPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_stamp)
        return QGroupBox::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const QPointF pos = static_cast<QMouseEvent *>(event)->position();
        m_anchor = QPointF(roundHalfEvenReal(pos.x()), roundHalfEvenReal(pos.y()));
        return true;
    }
    case QEvent::MouseMove: {
        const auto *move = static_cast<QMouseEvent *>(event);
        if (move->buttons() == Qt::NoButton)
            return false;
        const QPointF pos = move->position();
        const int nx = roundHalfEvenInt(m_stamp.x() + pos.x() - m_anchor.x());
        const int ny = roundHalfEvenInt(m_stamp.y() + pos.y() - m_anchor.y());
        DrawStamp(nx, ny);
        m_picture1.update();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        merge();
        return true;
    default:
        return false;
    }
}

} // namespace camvista
