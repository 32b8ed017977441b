#pragma once

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace camvista
{

class Desktop;
class PictureSurface;

// The editor's output panel ("Frame1"): enlarges the finished shot by a whole factor or to any
// size, with or without its frame, and shows the print size in centimetres.
class OutputPanel : public QGroupBox
{
    Q_OBJECT

public:
    // `savedState` is the editor's Picture3: the picture as committed at the last step.
    OutputPanel(PictureSurface &savedState, Desktop &desktop, QWidget *parent = nullptr);

    // Output source and output picture.
    PictureSurface *picture7() const { return m_picture7; }
    PictureSurface *picture6() const { return m_picture6; }
    QPushButton *factorButton(int factor) const; // 1 to 4: Command8 to Command11
    QLineEdit *widthBox() const { return m_text2; }
    QLineEdit *heightBox() const { return m_text3; }
    QCheckBox *linkBox() const { return m_check1; }
    QCheckBox *withoutFrameBox() const { return m_check2; }

    // The source and the output take the saved state's picture.
    void takeSavedState();
    // The caption becomes the output's size in centimetres.
    void twiptocm();

private:
    void enlargeBy(int factor);
    void sizeBoxChanged(QLineEdit *own, QLineEdit *other, int ownUnframed, int otherUnframed,
                        int ownFramed, int otherFramed);
    void stretchSourceToOutput(int width, int height);
    void Check2_Click();

    PictureSurface &m_savedState;
    PictureSurface *m_picture6 = nullptr;
    PictureSurface *m_picture7 = nullptr;
    QPushButton *m_factor[4] = {};
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QCheckBox *m_check1 = nullptr;
    QCheckBox *m_check2 = nullptr;
};

} // namespace camvista
