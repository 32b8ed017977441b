#include "first_step_panel.h"

#include "data/frame_pictures.h"
#include "imaging/picture_file.h"
#include "platform/desktop.h"
#include "ui/clickable_label.h"
#include "ui/file_list.h"
#include "ui/twips_geometry.h"

#include <QDir>
#include <QLabel>

namespace camvista
{

namespace
{

constexpr int kLeftColumn = 240;
constexpr int kRightColumn = 2880;

} // namespace

const FirstStepPanel::Picker FirstStepPanel::kPickers[21] = {
    {1, "Image5", kRightColumn, 720},    {2, "Image6", kRightColumn, 960},
    {3, "Image7", kRightColumn, 1680},   {4, "Image8", kRightColumn, 1920},
    {5, "Image9", kRightColumn, 2400},   {6, "Image10", kRightColumn, 2160},
    {7, "Image11", kLeftColumn, 720},    {8, "Image12", kLeftColumn, 960},
    {9, "Image13", kLeftColumn, 1200},   {10, "Image14", kLeftColumn, 1680},
    {11, "Image15", kLeftColumn, 1920},  {12, "Image16", kLeftColumn, 2160},
    {13, "Image17", kLeftColumn, 2400},  {14, "Image4", kRightColumn, 480},
    {15, "Image19", kRightColumn, 2760}, {16, "Image18", kLeftColumn, 1440},
    {17, "Image22", kLeftColumn, 2760},  {18, "Image21", kRightColumn, 1440},
    {19, "Image20", kRightColumn, 1200}, {20, "Image23", kLeftColumn, 480},
    {21, "Image2", kLeftColumn, 3000},
};

FirstStepPanel::FirstStepPanel(QLabel &overlay, Desktop &desktop, const AppPaths &paths,
                               QWidget *parent)
    : QGroupBox(QStringLiteral("First Step: Choose your frame"), parent), m_overlay(overlay),
      m_desktop(desktop), m_paths(paths)
{
    setObjectName(QStringLiteral("firststep"));

    auto *label19 = new QLabel(QStringLiteral("Default frames:"), this);
    label19->setObjectName(QStringLiteral("Label19"));
    label19->move(twipsRect(240, 240, 0, 0).topLeft());
    label19->adjustSize();

    for (const Picker &p : kPickers) {
        auto *picker = new ClickableLabel(this);
        picker->setObjectName(QString::fromLatin1(p.control));
        picker->setPixmap(QPixmap::fromImage(data::frameStrip(p.frame)));
        picker->setCursor(Qt::PointingHandCursor);
        picker->setToolTip(QStringLiteral("Frame %1").arg(p.frame));
        placeTwips(picker, p.left, p.top, 2400, 240);
        const int frame = p.frame;
        connect(picker, &ClickableLabel::clicked, this, [this, frame] { layDefaultFrame(frame); });
        m_pickers[p.frame - 1] = picker;
    }

    auto *label18 = new QLabel(QStringLiteral("Custom frame:"), this);
    label18->setObjectName(QStringLiteral("Label18"));
    label18->move(twipsRect(240, 3360, 0, 0).topLeft());
    label18->adjustSize();

    m_file2 = new FileList(this);
    m_file2->setObjectName(QStringLiteral("File2"));
    placeTwips(m_file2, 240, 3600, 5055, 1065);
    m_file2->setPattern(QStringLiteral("*.gif"));
    m_file2->setPath(m_paths.file(QStringLiteral("\\frames\\custom")));
    connect(m_file2, &FileList::fileClicked, this, [this] {
        if (!m_file2->fileName().isEmpty())
            layFrame(QDir(m_file2->path()).filePath(m_file2->fileName()));
    });
}

ClickableLabel *FirstStepPanel::picker(int frame) const
{
    return frame >= 1 && frame <= 21 ? m_pickers[frame - 1] : nullptr;
}

bool FirstStepPanel::layDefaultFrame(int frame)
{
    return layFrame(m_paths.file(QStringLiteral("\\frames\\default\\%1.gif").arg(frame)));
}

QImage FirstStepPanel::laidFrame() const
{
    // What the overlay shows is what the first step bakes in.
    return m_overlay.isVisibleTo(m_overlay.parentWidget()) ? m_overlay.pixmap().toImage()
                                                           : QImage();
}

bool FirstStepPanel::layFrame(const QString &path)
{
    const PictureLoad loaded = loadPictureFile(path);
    if (!loaded.ok() || loaded.image.isNull()) {
        const QString why =
            loaded.ok() ? QString() : QStringLiteral("\n\n") + loaded.status.message();
        m_desktop.showMessage(this,
                              QStringLiteral("This frame could not be laid on your shot.") + why,
                              QStringLiteral("Camvista"), Desktop::Icon::Exclamation);
        return false;
    }
    // Shown at its own size from the top-left; only its opaque pixels cover the picture.
    m_overlay.setPixmap(QPixmap::fromImage(loaded.image));
    m_overlay.setGeometry(QRect(QPoint(0, 0), loaded.image.size()));
    m_overlay.show();
    return true;
}

} // namespace camvista
