#pragma once

#include <QPushButton>

namespace camvista
{

// A push button with its icon at the left and its caption wrapped beside it, both centred: the
// browser's buttons are too narrow for an icon and a one-line caption.
class IconButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace camvista
