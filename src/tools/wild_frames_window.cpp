#include "wild_frames_window.h"

#include "composition_output.h"
#include "shot_picker.h"
#include "tool_window_parts.h"

#include "data/wild_frames.h"
#include "imaging/picture_file.h"
#include "platform/desktop.h"
#include "ui/clickable_label.h"
#include "ui/drop_square.h"
#include "ui/file_list.h"
#include "ui/picture_surface.h"
#include "ui/twips_geometry.h"

#include <QAction>
#include <QPixmap>

namespace camvista
{

namespace
{

const QString kBadShot = QStringLiteral("Picture doesn't fit the required size (160x144)");
constexpr int kRaiseTwips = 2000;

PictureSurface *pieceSurface(QWidget *parent, const char *name, const QRect &place,
                             const QImage &picture)
{
    auto *surface = new PictureSurface(parent);
    surface->setObjectName(QString::fromLatin1(name));
    surface->setGeometry(place);
    surface->setBackgroundColour(Qt::black);
    surface->setPicture(picture);
    return surface;
}

} // namespace

// The thumbnails in screen order; there is no Image9.
const std::array<WildFramesWindow::FrameEntry, WildFramesWindow::kThumbnailCount>
    WildFramesWindow::kFrames = {{
        {"Image1", 240, "camboy"},
        {"Image2", 264, "marluig"},
        {"Image3", 288, "myosh"},
        {"Image5", 312, "yosh"},
        {"Image4", 336, "red"},
        {"Image6", 360, "mkart"},
        {"Image7", 384, "clef"},
        {"Image8", 408, "zelda"},
        {"Image11", 432, "wario"},
        {"Image10", 456, "tortank"},
    }};

WildFramesWindow::WildFramesWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_paths(paths)
{
    setObjectName(QStringLiteral("frmWFrames"));
    setWindowTitle(QStringLiteral("Wild Wild Frames! Tool"));
    setFixedSize(kClientSize);

    m_frame1 =
        new ShotPicker(QStringLiteral("DblClick or drag your shot:"),
                       {QRect(8, 16, 161, 141), QRect(8, 160, 160, 144), QRect(8, 304, 161, 149)},
                       m_desktop, this);
    m_frame1->setGeometry(8, 8, 177, 465);
    // This window has one file list, not an array of them as the mosaic and panorama do.
    m_frame1->file1()->setObjectName(QStringLiteral("File1"));
    connect(m_frame1->file1(), &FileList::fileDoubleClicked, this,
            &WildFramesWindow::File1_DblClick);

    // The composition: the two pieces and the shot window on a black ground that shows as the
    // sides between them.
    m_picture1[0] =
        pieceSurface(this, "Picture1_0", QRect(QPoint(200, 8), kCompositionSize), QImage());
    m_picture1[1] =
        pieceSurface(m_picture1[0], "Picture1_1", QRect(0, 0, 160, 40), data::defaultWildTop());
    m_picture1[2] = pieceSurface(m_picture1[0], "Picture1_2", QRect(0, 152, 160, 72),
                                 data::defaultWildBottom());
    m_picture2 = new DropSquare(m_picture1[0]);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setGeometry(16, 40, 128, 112);
    m_picture2->setBackgroundColour(Qt::black);
    m_picture2->setPicture(data::defaultWildPicture());
    connect(m_picture2, &DropSquare::shotDropped, this, &WildFramesWindow::placeShot);

    m_picture7 = new PictureSurface(this);
    m_picture7->setObjectName(QStringLiteral("Picture7"));
    m_picture7->hide();

    const QList<data::WildFrame> frames = data::wildFrames();
    for (int i = 0; i < kThumbnailCount; ++i) {
        const FrameEntry &entry = kFrames[std::size_t(i)];
        auto *image = new ClickableLabel(this);
        image->setObjectName(QString::fromLatin1(entry.image));
        image->setGeometry(200, entry.y, 160, 16);
        image->setCursor(Qt::PointingHandCursor);
        for (const data::WildFrame &frame : frames) {
            if (frame.name == QLatin1String(entry.baseName))
                image->setPixmap(QPixmap::fromImage(frame.thumbnail));
        }
        const QString baseName = QString::fromLatin1(entry.baseName);
        connect(image, &ClickableLabel::clicked, this, [this, baseName] { chooseFrame(baseName); });
        m_thumbnails[std::size_t(i)] = image;
    }

    m_savewf = menuCommand(this, "savewf", QStringLiteral("Save framed picture"));
    connect(m_savewf, &QAction::triggered, this, &WildFramesWindow::savewf_Click);

    m_frame1->openShotsFolder(m_paths);
}

QPoint WildFramesWindow::openPosition(const QSize &screen, const QSize &window)
{
    return centredHigh(screen, window, kRaiseTwips);
}

QList<QAction *> WildFramesWindow::menuActions() const
{
    return {m_savewf};
}

QString WildFramesWindow::pieceFile(const QString &baseName, int piece) const
{
    return m_paths.file(QStringLiteral("\\frames\\wild\\%1_%2.bmp").arg(baseName).arg(piece));
}

void WildFramesWindow::File1_DblClick()
{
    m_frame1->File1_Click();
    placeShot(ShotDrop{true, {}});
}

void WildFramesWindow::chooseFrame(const QString &baseName)
{
    // Both pieces are read anew; when either cannot be, the frame shown stays whole rather
    // than half replaced, and the user learns which file is at fault.
    const PictureLoad top = loadPictureFile(pieceFile(baseName, 1));
    const PictureLoad bottom = loadPictureFile(pieceFile(baseName, 2));
    for (const PictureLoad *piece : {&top, &bottom}) {
        if (!piece->ok()) {
            m_desktop.showMessage(this, piece->status.message(), QStringLiteral("Camvista"),
                                  Desktop::Icon::Exclamation);
            return;
        }
    }
    // A piece of another size is drawn from its corner, clipped by its place.
    m_picture1[1]->setPicture(top.image);
    m_picture1[2]->setPicture(bottom.image);
}

void WildFramesWindow::placeShot(const ShotDrop &drop)
{
    if (const std::optional<QImage> shot = m_frame1->framedShotFor(drop, kBadShot))
        m_picture2->setPicture(cutInnerPicture(*m_picture7, *shot));
}

void WildFramesWindow::savewf_Click()
{
    const QImage framed = commitSurface(*m_picture1[0], *m_picture7, m_desktop);
    saveComposedPicture(this, m_desktop, framed, m_paths);
}

} // namespace camvista
