#pragma once

#include "platform/app_paths.h"

#include <QImage>
#include <QList>
#include <QWidget>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace camvista
{

class ClickableLabel;
class Desktop;
class FirstStepPanel;
class FourthStepPanel;
class InputHold;
class OutputPanel;
class PictureSurface;
class SecondStepPanel;
class ThirdStepPanel;

// Gives a panel the desktop's face colour and fills its background, so it hides what lies
// behind it in the editor window.
void makeOpaque(QWidget *panel);

// The editor of one shot ("loaded"): a new one for every shot opened. It leads through four
// fixed steps, each on its own panel below the picture; every move commits the working picture,
// so a step always starts from the result of the one before.
class EditorWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Step { Frame, Stamps, Colours, Gamma, Output };

    static constexpr QSize kOpenSize{374, 608}; // 5610 x 9120 twips, frame included

    EditorWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);
    ~EditorWindow() override;

    Step step() const { return m_step; }

    // Working picture, saved state, stamp merge buffer.
    PictureSurface *picture1() const { return m_picture1; }
    PictureSurface *picture3() const { return m_picture3; }
    PictureSurface *picture4() const { return m_picture4; }
    // The shot's full path, set by whoever opened it.
    QLineEdit *text1() const { return m_text1; }
    // The overlays laid on the working picture.
    QLabel *frameOverlay() const { return m_frm; }
    QLabel *stampBox() const { return m_stamp; }

    QPushButton *firstcom() const { return m_firstcom; }
    QPushButton *scdcom() const { return m_scdcom; }
    QPushButton *thirdcom() const { return m_thirdcom; }
    QPushButton *forthcom() const { return m_forthcom; }
    QPushButton *command7() const { return m_command7; }
    QGroupBox *firststep() const;
    FirstStepPanel *firstStepPanel() const { return m_firststep; }
    QGroupBox *scdstep() const { return m_scdstep; }
    SecondStepPanel *secondStepPanel() const { return m_secondStep; }
    QGroupBox *thirdstep() const;
    QGroupBox *forthstep() const;
    FourthStepPanel *fourthStepPanel() const { return m_forthstep; }
    QGroupBox *frame1() const;
    OutputPanel *outputPanel() const { return m_frame1; }

    // The editor's menu entries, shown in the main window's menu bar while this editor is the
    // active window.
    QAction *saveAction() const { return m_save; }
    QAction *savcopyAction() const { return m_savcopy; }
    QAction *savecopyAction() const { return m_savecopy; }
    QAction *reloadAction() const { return m_reload; }
    QList<QAction *> menuActions() const;
    // True while a tint holds this window's commands back.
    bool commandsHeld() const;

    // Step moves and the reload entry.
    void firstcom_Click();
    void scdcom_Click();
    void thirdcom_Click();
    void Command7_Click();
    void reload_Click();

    // The save commands of the menu: over the shot's file, as a copy beside it, under a chosen
    // name. Each writes the output picture once the output panel is open, else the working
    // picture as shown. A failed write says so and leaves the old file as it was.
    void save_Click();
    void savcopy_Click();
    void savecopy_Click();

signals:
    // A file was written where the browser may list it.
    void fileSaved(const QString &path);

private:
    void Form_Load();
    void buildStepButtons();
    void buildPanels();
    void buildMenu();
    // Commit the working picture, as shown, into the saved state.
    void commitIntoSavedState();
    void takeSavedState();
    // What the save commands write: commits the working picture into itself first while the
    // output panel is closed.
    QImage pictureToSave();
    bool writePicture(const QImage &picture, const QString &path);
    void print();
    // While a tint lets window events run, nothing else may change the working picture: the
    // user's input to this window is dropped and the menu entries do nothing.
    void holdCommands(bool held);

    Desktop &m_desktop;
    AppPaths m_paths;
    std::unique_ptr<InputHold> m_inputHold;
    Step m_step = Step::Frame;

    ClickableLabel *m_image3 = nullptr;
    ClickableLabel *m_gbgreen = nullptr;
    PictureSurface *m_picture1 = nullptr;
    PictureSurface *m_picture3 = nullptr;
    PictureSurface *m_picture4 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLabel *m_frm = nullptr;
    QLabel *m_stamp = nullptr;

    QPushButton *m_firstcom = nullptr;
    QPushButton *m_scdcom = nullptr;
    QPushButton *m_thirdcom = nullptr;
    QPushButton *m_forthcom = nullptr;
    QPushButton *m_command7 = nullptr;

    FirstStepPanel *m_firststep = nullptr;
    QGroupBox *m_scdstep = nullptr;
    SecondStepPanel *m_secondStep = nullptr;
    ThirdStepPanel *m_thirdstep = nullptr;
    FourthStepPanel *m_forthstep = nullptr;
    OutputPanel *m_frame1 = nullptr;

    QAction *m_save = nullptr;
    QAction *m_savcopy = nullptr;
    QAction *m_savecopy = nullptr;
    QAction *m_reload = nullptr;
};

} // namespace camvista
