#include "preview_popup.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace camvista
{

PreviewPopup::PreviewPopup(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPrev"));
    setFixedSize(kSize);
    setFocusPolicy(Qt::NoFocus);

    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(QRect(QPoint(0, 0), kSize));

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kTimerInterval);
    connect(m_timer1, &QTimer::timeout, this, &PreviewPopup::Timer1_Timer);
    m_timer1->start();
}

void PreviewPopup::setPicture(const QImage &picture)
{
    if (picture.cacheKey() == m_picture.cacheKey() && !m_image1->pixmap().isNull())
        return; // the same picture on every pointer move: scale it once
    m_picture = picture;
    // Nearest-pixel stretching keeps a shot's pixels crisp: twice a 160 x 144 shot repeats
    // every pixel.
    m_image1->setPixmap(picture.isNull()
                            ? QPixmap()
                            : QPixmap::fromImage(picture.scaled(kSize, Qt::IgnoreAspectRatio,
                                                                Qt::FastTransformation)));
}

QWidget *PreviewPopup::holder()
{
    return parentWidget() && !isWindow() ? parentWidget() : this;
}

void PreviewPopup::popUpAt(const QPoint &topLeft)
{
    QWidget *window = holder();
    window->move(topLeft);
    if (!window->isVisible()) {
        // It must never take the focus from the window being worked in, but a child window of a
        // workspace makes itself the active one whenever it is shown: hand it back.
        auto *child = qobject_cast<QMdiSubWindow *>(window);
        QMdiArea *area = child ? child->mdiArea() : nullptr;
        QMdiSubWindow *active = area ? area->activeSubWindow() : nullptr;
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->show();
        if (area && active && active != child)
            area->setActiveSubWindow(active);
    }
    window->raise();
}

void PreviewPopup::Timer1_Timer()
{
    holder()->hide();
}

} // namespace camvista
