#pragma once

#include "platform/app_paths.h"

#include <QGroupBox>
#include <QImage>

class QLabel;

namespace camvista
{

class ClickableLabel;
class Desktop;
class FileList;

// "First Step": 21 pickers for the default frames and a list of the user's own frames. A choice
// lays the frame over the working picture; leaving the step bakes it in.
class FirstStepPanel : public QGroupBox
{
    Q_OBJECT

public:
    // The picker of each default frame: its control name and place (twips) in the panel.
    struct Picker {
        int frame; // 1 to 21: frames\default\<frame>.gif
        const char *control;
        int left;
        int top;
    };
    static const Picker kPickers[21];

    // `overlay` is the frame overlay lying on the working picture.
    FirstStepPanel(QLabel &overlay, Desktop &desktop, const AppPaths &paths,
                   QWidget *parent = nullptr);

    ClickableLabel *picker(int frame) const;
    FileList *file2() const { return m_file2; }

    // Lays a frame file over the picture; a file that cannot be read is reported and the overlay
    // stays as it was.
    bool layFrame(const QString &path);
    bool layDefaultFrame(int frame);
    // The frame lying on the picture now; null when none is laid or the overlay was hidden.
    QImage laidFrame() const;

private:
    QLabel &m_overlay;
    Desktop &m_desktop;
    AppPaths m_paths;
    ClickableLabel *m_pickers[21] = {};
    FileList *m_file2 = nullptr;
};

} // namespace camvista
