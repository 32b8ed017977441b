#include "desktop.h"

namespace camvista
{

Desktop::~Desktop() = default;

Desktop::Answer Desktop::showMessage(QWidget *parent, const QString &text, const QString &title,
                                     Icon icon, Buttons buttons)
{
    return showMessage(parent, Message{text, title, buttons, icon});
}

} // namespace camvista
