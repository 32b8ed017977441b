#pragma once

#include <QPushButton>

namespace camvista
{

// A push button whose caption wraps onto several lines when the button is narrow, as the
// editor's tall step buttons need ("Fourth Step" in a 49-pixel button).
class WrappingButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace camvista
