#pragma once

#include <QObject>

class QLineEdit;

namespace camvista
{

class Desktop;

// The key filter of number boxes: a typed character gets through when it is a digit or one of
// backspace, tab, form feed, "%", "&", "'", "(" and "." (codes 8, 9, 12, 37-40, 46); any other
// character is swallowed and the system beep sounds. Keys that type nothing (arrows, Delete,
// Home, ...) are left alone.
class DigitKeyFilter : public QObject
{
    Q_OBJECT

public:
    DigitKeyFilter(Desktop &desktop, QObject *parent = nullptr);

    static bool accepts(QChar typed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Desktop &m_desktop;
};

// Number boxes were laid out for controls whose text reaches up to their border: a line edit
// keeps 2 pixels of its own on each side of the text inside its frame, and in a box 17 pixels
// wide that scrolls the first of two digits out of sight. This gives those pixels back, so the
// digits show whole at the laid-out size.
void fitDigits(QLineEdit *box);

} // namespace camvista
