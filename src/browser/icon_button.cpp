#include "icon_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace camvista
{

void IconButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    const QIcon icon = option.icon;
    // The style draws the bevel and the focus frame; the content is laid out here.
    option.text.clear();
    option.icon = QIcon();
    p.drawControl(QStyle::CE_PushButton, option);

    QRect inner = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
        inner.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                        style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    constexpr int gap = 3;
    const QSize iconArea = icon.isNull() ? QSize(0, 0) : iconSize();
    const int iconRoom = iconArea.width() > 0 ? iconArea.width() + gap : 0;
    constexpr int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    const QRect textArea = inner.adjusted(iconRoom, 0, 0, 0);
    const QRect textBox = fontMetrics().boundingRect(textArea, flags, caption);
    const int width = iconRoom + std::min(textBox.width(), textArea.width());
    const int left = inner.left() + std::max(0, (inner.width() - width) / 2);

    if (!icon.isNull()) {
        const QPixmap pixmap = icon.pixmap(iconArea, devicePixelRatio(),
                                           isEnabled() ? QIcon::Normal : QIcon::Disabled);
        p.drawPixmap(left, inner.top() + (inner.height() - iconArea.height()) / 2, pixmap);
    }
    const QRect textRect(left + iconRoom, inner.top(), width - iconRoom, inner.height());
    style()->drawItemText(&p, textRect, flags, palette(), isEnabled(), caption,
                          QPalette::ButtonText);
}

} // namespace camvista
