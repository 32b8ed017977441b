#pragma once

#include <QObject>

class QWidget;

namespace camvista
{

// While it lives, the user's clicks, keys and wheel turns aimed at a window and its children
// are dropped, without disabling anything: a short piece of work that lets window events run
// keeps its window as it looks, and no command of that window can start in the middle of it.
class InputHold : public QObject
{
public:
    explicit InputHold(QWidget &root);
    ~InputHold() override;

    InputHold(const InputHold &) = delete;
    InputHold &operator=(const InputHold &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_root;
};

} // namespace camvista
