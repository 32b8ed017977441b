#pragma once

#include <QWidget>

class QLabel;

namespace camvista
{

class ClickableLabel;
class Desktop;

inline const QString kMakerAddress = QStringLiteral("camvista.org");
inline const QString kMakerContact = QStringLiteral("hi@camvista.org");

// "About this software...": name and version, a tag line, credits, and a picture that changes
// when it is double-clicked.
class AboutWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kClientSize{380, 161}; // 5700 x 2415 twips

    explicit AboutWindow(Desktop &desktop, QWidget *parent = nullptr);

    ClickableLabel *image2() const { return m_image2; }
    ClickableLabel *webLabel() const { return m_label5; }

private:
    QLabel *addLabel(const char *name, const QString &text, const QRect &twips);

    Desktop &m_desktop;
    QLabel *m_image1 = nullptr;
    ClickableLabel *m_image2 = nullptr;
    ClickableLabel *m_label5 = nullptr;
};

} // namespace camvista
