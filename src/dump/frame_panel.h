#pragma once

#include "dump_frames.h"

#include "platform/app_paths.h"

#include <QImage>
#include <QList>
#include <QWidget>

class QLabel;
class QListWidget;

namespace camvista::dump
{

// The companion window's frame choice: the list of frames ("No frame (128 x 112)" first) and a
// preview of the first photo in the chosen frame. The choice is kept in the settings file, so the
// next run starts with it.
class FramePanel : public QWidget
{
    Q_OBJECT

public:
    explicit FramePanel(const AppPaths &paths, QWidget *parent = nullptr);

    DumpFrame chosenFrame() const;
    // Chooses the frame of that key; false when there is none such.
    bool choose(const QString &key);
    // The photo the preview shows in the frame; a null picture shows the frame alone.
    void setSample(const QImage &photo);

private:
    void chosen(int row);
    void showPreview();

    AppPaths m_paths;
    QList<DumpFrame> m_frames;
    QImage m_sample;
    QListWidget *m_list = nullptr;
    QLabel *m_preview = nullptr;
};

} // namespace camvista::dump
