#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

class QLabel;
class QTimer;

namespace camvista
{

// The enlarged preview ("frmPrev"): a borderless 320 x 288 window whose `Image1` shows the
// preview's picture stretched to fill it. `Timer1` hides it every 300 ms, so it stays up only
// while the pointer keeps moving over the preview.
class PreviewPopup : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kSize{320, 288};
    static constexpr int kTimerInterval = 300; // ms

    explicit PreviewPopup(QWidget *parent = nullptr);

    QLabel *image1() const { return m_image1; }
    QTimer *timer1() const { return m_timer1; }

    void setPicture(const QImage &picture);
    QImage picture() const { return m_picture; }

    // The window that holds the form: the child window that wraps it, or the form itself.
    QWidget *holder();
    // Shows the holder with its top-left corner at `topLeft` (in its parent's coordinates).
    void popUpAt(const QPoint &topLeft);

private:
    void Timer1_Timer();

    QLabel *m_image1 = nullptr;
    QTimer *m_timer1 = nullptr;
    QImage m_picture;
};

} // namespace camvista
