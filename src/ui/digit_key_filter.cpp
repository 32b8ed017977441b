#include "digit_key_filter.h"

#include "platform/desktop.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace camvista
{

DigitKeyFilter::DigitKeyFilter(Desktop &desktop, QObject *parent)
    : QObject(parent), m_desktop(desktop)
{
}

bool DigitKeyFilter::accepts(QChar typed)
{
    const char16_t code = typed.unicode();
    if (code >= u'0' && code <= u'9')
        return true;
    switch (code) {
    case 8:
    case 9:
    case 12:
    case 37:
    case 38:
    case 39:
    case 40:
    case 46:
        return true;
    default:
        return false;
    }
}

namespace
{

// Keys whose event carries a control code although they edit or move rather than type.
bool isEditingKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

bool DigitKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (text.isEmpty() || isEditingKey(key->key()))
        return false;
    for (const QChar c : text) {
        if (!accepts(c)) {
            m_desktop.beep();
            return true;
        }
    }
    return false;
}

void fitDigits(QLineEdit *box)
{
    // Qt's inner margin around the text (QLineEditPrivate::horizontalMargin).
    constexpr int kInnerMargin = 2;
    box->setTextMargins(-kInnerMargin, 0, -kInnerMargin, 0);
}

} // namespace camvista
