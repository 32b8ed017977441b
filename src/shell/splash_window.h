#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace camvista
{

// The start-up picture: borderless, centred on the screen, exactly the size of its picture.
// After one second, on a precise timer, it closes itself and emits finished(), which shows the
// main window.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kShowMs = 1000;

    explicit SplashWindow(QWidget *parent = nullptr);

    QTimer *timer() const { return m_timer; }

signals:
    // The splash is on the screen, drawn: the time to prepare what comes next.
    void exposed();
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Timer1_Timer();

    QLabel *m_image = nullptr;
    QTimer *m_timer = nullptr;
    bool m_exposed = false;
};

} // namespace camvista
