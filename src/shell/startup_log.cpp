#include "startup_log.h"

#include <QEvent>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <chrono>

namespace camvista
{

namespace
{

QString logPath()
{
    static const QString path = qEnvironmentVariable("CAMVISTA_STARTUP_LOG");
    return path;
}

// Watches one window for its first exposure, then goes.
class ExposureMark : public QObject
{
public:
    ExposureMark(QWindow *window, const char *event) : QObject(window), m_event(event)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window->isExposed()) {
            markStartup(m_event);
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    const char *m_event;
};

} // namespace

void markStartup(const char *event)
{
    if (logPath().isEmpty())
        return;
    const double ms = std::chrono::duration<double, std::milli>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count();
    QFile log(logPath());
    if (log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        log.write(QByteArray(event) + ' ' + QByteArray::number(ms, 'f', 3) + '\n');
}

void markWhenExposed(QWidget *window, const char *event)
{
    if (logPath().isEmpty())
        return;
    window->winId(); // the native window must exist to be watched
    new ExposureMark(window->windowHandle(), event);
}

} // namespace camvista
