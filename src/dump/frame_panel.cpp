#include "frame_panel.h"

#include "camera/camera_save.h"
#include "platform/profile_file.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

namespace camvista::dump
{

namespace
{

constexpr QSize kPreviewSize{160, 144};

} // namespace

FramePanel::FramePanel(const AppPaths &paths, QWidget *parent)
    : QWidget(parent), m_paths(paths), m_frames(offeredFrames(paths))
{
    auto *caption = new QLabel(QStringLiteral("Frame:"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("frameList"));
    for (const DumpFrame &frame : std::as_const(m_frames))
        m_list->addItem(frame.label);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("framePreview"));
    m_preview->setFixedSize(kPreviewSize);
    m_preview->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_preview);
    setFixedWidth(kPreviewSize.width() + 24);

    // The last choice, else default frame 1, else whatever comes first.
    const QString kept = profile::readString(settingsFileOf(paths), kSettingsSection, kFrameKey);
    if (kept.isEmpty() || !choose(kept)) {
        if (!choose(kDefaultFrameKey))
            m_list->setCurrentRow(0);
    }
    showPreview();
    // Connected only now: restoring the choice is not a choice to remember.
    connect(m_list, &QListWidget::currentRowChanged, this, &FramePanel::chosen);
}

DumpFrame FramePanel::chosenFrame() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < m_frames.size() ? m_frames[row] : m_frames.first();
}

bool FramePanel::choose(const QString &key)
{
    // A default frame's number before a custom frame of that name, as on the command line.
    const std::optional<DumpFrame> named = frameNamed(m_paths, key);
    for (qsizetype i = 0; named && i < m_frames.size(); ++i) {
        if (m_frames[i].path == named->path && m_frames[i].key == named->key) {
            m_list->setCurrentRow(int(i));
            return true;
        }
    }
    return false;
}

void FramePanel::setSample(const QImage &photo)
{
    m_sample = photo;
    showPreview();
}

void FramePanel::chosen(int row)
{
    if (row < 0)
        return;
    // Not being able to remember the choice costs nothing now: the user sees the frame chosen.
    profile::writeString(settingsFileOf(m_paths), kSettingsSection, kFrameKey, chosenFrame().key);
    showPreview();
}

void FramePanel::showPreview()
{
    const DumpFrame frame = chosenFrame();
    const PictureLoad loaded = loadFrame(frame);
    if (!loaded.ok()) {
        m_preview->setPixmap({});
        m_preview->setText(QStringLiteral("This frame\ncannot be read."));
        m_preview->setToolTip(loaded.status.message());
        return;
    }
    QImage photo = m_sample;
    if (photo.isNull()) {
        photo = QImage(camera::kPhotoWidth, camera::kPhotoHeight, QImage::Format_RGB32);
        photo.fill(Qt::white);
    }
    m_preview->setToolTip(frame.label);
    m_preview->setPixmap(QPixmap::fromImage(framedPhoto(photo, loaded.image)));
}

} // namespace camvista::dump
