#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace camvista
{

// The start-up picture: borderless, centred on the screen, exactly the size of its picture.
// After one second it closes itself and emits finished(), which starts the main window.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kShowMs = 1000;

    explicit SplashWindow(QWidget *parent = nullptr);

    QTimer *timer() const { return m_timer; }

signals:
    void finished();

private:
    void Timer1_Timer();

    QLabel *m_image = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace camvista
