#include "splash_window.h"

#include "startup_log.h"

#include "data/shell_pictures.h"
#include "ui/twips_geometry.h"

#include <QLabel>
#include <QPixmap>
#include <QTimer>

namespace camvista
{

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("spls"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    const QPixmap picture = QPixmap::fromImage(data::splashPicture());
    m_image->setPixmap(picture);
    m_image->setGeometry(QRect(QPoint(0, 0), picture.size()));
    setFixedSize(picture.size());

    const QSize screen = screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kShowMs);
    // A coarse timer may fire up to 5 % early or late: the splash is to show one second.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::Timer1_Timer);
    m_timer->start();
    markStartup("splash timer started");
}

void SplashWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_exposed) {
        m_exposed = true;
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &SplashWindow::exposed);
    }
}

void SplashWindow::Timer1_Timer()
{
    markStartup("splash timer fired");
    m_timer->stop();
    emit finished();
    close();
}

} // namespace camvista
