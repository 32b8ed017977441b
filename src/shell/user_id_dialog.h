#pragma once

#include "platform/app_paths.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace camvista
{

class Desktop;
class DigitKeyFilter;

// "Set my ID!": the camera owner's profile as five boxes laid over a picture of the ID card.
// Every change is stored at once; there is nothing to confirm.
class UserIdDialog : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kClientSize{160, 136}; // 2400 x 2040 twips

    UserIdDialog(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);

    // Fills the boxes from the settings file; each box that changes stores itself again.
    void Form_Load();

    QLineEdit *box(int index) const; // Text1 ... Text5

signals:
    // The main window's caption in the short form, after the User ID changed.
    void captionChanged(const QString &caption);

private:
    QLineEdit *makeBox(const char *name, const QString &key, int maxLength,
                       const QString &designText, const QRect &twips, bool digitsOnly);

    Desktop &m_desktop;
    AppPaths m_paths;
    DigitKeyFilter *m_digits = nullptr;
    QLabel *m_card = nullptr;
    QLineEdit *m_text[5] = {};
};

} // namespace camvista
