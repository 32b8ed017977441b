#include "editor_window.h"

#include "custom_palette_row.h"
#include "first_step_panel.h"
#include "fourth_step_panel.h"
#include "output_panel.h"
#include "second_step_panel.h"
#include "third_step_panel.h"

#include "data/editor_pictures.h"
#include "imaging/picture_file.h"
#include "imaging/twips.h"
#include "platform/desktop.h"
#include "shotwork/frames.h"
#include "ui/clickable_label.h"
#include "ui/input_hold.h"
#include "ui/picture_save.h"
#include "ui/picture_surface.h"
#include "ui/twips_geometry.h"
#include "ui/wrapping_button.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace camvista
{

namespace
{

const QString kDone = QStringLiteral("Done!");

} // namespace

// Panels cover the console picture with the desktop's usual face colour, not the window's black.
void makeOpaque(QWidget *panel)
{
    QPalette face = panel->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    face.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
    panel->setPalette(face);
    panel->setAutoFillBackground(true);
}

EditorWindow::EditorWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_paths(paths)
{
    setObjectName(QStringLiteral("loaded"));
    setAttribute(Qt::WA_DeleteOnClose);

    // The console body lies behind everything; a click on it swaps its colour.
    m_image3 = new ClickableLabel(this);
    m_image3->setObjectName(QStringLiteral("Image3"));
    m_image3->setPixmap(QPixmap::fromImage(data::consoleBody(data::ConsoleColour::Blue)));
    placeTwips(m_image3, 0, 0, 4785, 7200);
    m_gbgreen = new ClickableLabel(this);
    m_gbgreen->setObjectName(QStringLiteral("gbgreen"));
    m_gbgreen->setPixmap(QPixmap::fromImage(data::consoleBody(data::ConsoleColour::Green)));
    placeTwips(m_gbgreen, 0, 0, 4785, 7200);
    m_gbgreen->hide();
    connect(m_image3, &ClickableLabel::clicked, this, [this] {
        m_image3->hide();
        m_gbgreen->show();
    });
    connect(m_gbgreen, &ClickableLabel::clicked, this, [this] {
        m_gbgreen->hide();
        m_image3->show();
    });

    m_picture1 = new PictureSurface(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setAutoSize(true);
    placeTwips(m_picture1, 1200, 960, 2400, 2160);

    // Hidden pictures: the saved state and the stamp merge buffer.
    m_picture3 = new PictureSurface(this);
    m_picture3->setObjectName(QStringLiteral("Picture3"));
    m_picture3->setAutoSize(true);
    m_picture3->hide();
    m_picture4 = new PictureSurface(this);
    m_picture4->setObjectName(QStringLiteral("Picture4"));
    m_picture4->setAutoSize(true);
    m_picture4->hide();

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->hide();

    // Overlays on the working picture; the frame and stamp steps give them their pictures.
    m_frm = new QLabel(m_picture1);
    m_frm->setObjectName(QStringLiteral("frm"));
    m_frm->hide();
    m_stamp = new QLabel(m_picture1);
    m_stamp->setObjectName(QStringLiteral("stamp"));
    m_stamp->hide();

    buildStepButtons();
    buildPanels();
    buildMenu();
    Form_Load();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::buildStepButtons()
{
    const struct {
        QPushButton **button;
        const char *name;
        const char *caption;
        int top;
    } buttons[] = {
        {&m_firstcom, "firstcom", "Done!", 0},
        {&m_scdcom, "scdcom", "Second Step", 960},
        {&m_thirdcom, "thirdcom", "Third Step", 1920},
        {&m_forthcom, "forthcom", "Fourth Step", 2880},
    };
    for (const auto &b : buttons) {
        auto *button = new WrappingButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        placeTwips(button, 4800, b.top, 735, 975);
        button->setEnabled(b.top == 0);
        *b.button = button;
    }
    connect(m_firstcom, &QPushButton::clicked, this, &EditorWindow::firstcom_Click);
    connect(m_scdcom, &QPushButton::clicked, this, &EditorWindow::scdcom_Click);
    connect(m_thirdcom, &QPushButton::clicked, this, &EditorWindow::thirdcom_Click);
    // The last button only shows where the walk ends; it has no command.
}

void EditorWindow::buildPanels()
{
    m_firststep = new FirstStepPanel(*m_frm, m_desktop, m_paths, this);
    placeTwips(m_firststep, 0, 3840, 5535, 4815);
    makeOpaque(m_firststep);
    m_secondStep =
        new SecondStepPanel(*m_picture1, *m_picture4, *m_stamp, m_desktop, m_paths, this);
    placeTwips(m_secondStep, 0, 3840, 5535, 4815);
    m_scdstep = m_secondStep;
    m_scdstep->hide();
    m_thirdstep = new ThirdStepPanel(*m_picture1, *m_picture3, m_desktop, this);
    placeTwips(m_thirdstep, 0, 3840, 5535, 4815);
    makeOpaque(m_thirdstep);
    m_thirdstep->hide();
    m_forthstep = new FourthStepPanel(*m_picture1, *m_picture3, this);
    placeTwips(m_forthstep, 0, 3840, 5535, 4815);
    makeOpaque(m_forthstep);
    m_forthstep->hide();
    connect(m_forthstep, &FourthStepPanel::tintStarted, this, [this] { holdCommands(true); });
    connect(m_forthstep, &FourthStepPanel::tintFinished, this, [this] { holdCommands(false); });

    m_command7 = new QPushButton(QStringLiteral("Done? So, you can resize it now!"), m_forthstep);
    m_command7->setObjectName(QStringLiteral("Command7"));
    placeTwips(m_command7, 120, 4200, 5295, 495);
    connect(m_command7, &QPushButton::clicked, this, &EditorWindow::Command7_Click);

    // The output panel waits outside the window until the fourth step is done.
    m_frame1 = new OutputPanel(*m_picture3, m_desktop, this);
    placeTwips(m_frame1, 8040, 0, 9855, 9495);
    makeOpaque(m_frame1);
    m_frame1->hide();
}

void EditorWindow::buildMenu()
{
    const struct {
        QAction **action;
        const char *name;
        const char *caption;
    } entries[] = {
        {&m_save, "save", "Save"},
        {&m_savcopy, "savcopy", "Save as a copy..."},
        {&m_savecopy, "savecopy", "Save as..."},
        {&m_reload, "reload", "Reload the shot (Cancel current step changes)"},
    };
    for (const auto &e : entries) {
        auto *action = new QAction(QString::fromLatin1(e.caption), this);
        action->setObjectName(QString::fromLatin1(e.name));
        *e.action = action;
    }
    // The entries sit in the main window's menu bar, out of the input hold's reach: they check
    // the hold themselves.
    const auto command = [this](QAction *action, void (EditorWindow::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] {
            if (!m_inputHold)
                (this->*handler)();
        });
    };
    command(m_reload, &EditorWindow::reload_Click);
    command(m_save, &EditorWindow::save_Click);
    command(m_savcopy, &EditorWindow::savcopy_Click);
    command(m_savecopy, &EditorWindow::savecopy_Click);
}

QList<QAction *> EditorWindow::menuActions() const
{
    return {m_save, m_savcopy, m_savecopy, m_reload};
}

QGroupBox *EditorWindow::thirdstep() const
{
    return m_thirdstep;
}

QGroupBox *EditorWindow::forthstep() const
{
    return m_forthstep;
}

void EditorWindow::holdCommands(bool held)
{
    // Nothing is disabled, so the window does not flash grey for the moment a tint takes.
    if (held)
        m_inputHold = std::make_unique<InputHold>(*this);
    else
        m_inputHold.reset();
}

bool EditorWindow::commandsHeld() const
{
    return m_inputHold != nullptr;
}

QGroupBox *EditorWindow::firststep() const
{
    return m_firststep;
}

QGroupBox *EditorWindow::frame1() const
{
    return m_frame1;
}

void EditorWindow::Form_Load()
{
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

void EditorWindow::commitIntoSavedState()
{
    commitSurface(*m_picture1, *m_picture3, m_desktop);
}

void EditorWindow::takeSavedState()
{
    m_picture1->setPicture(m_picture3->picture());
}

void EditorWindow::firstcom_Click()
{
    if (m_step != Step::Frame)
        return;
    m_firstcom->setEnabled(false);
    m_scdcom->setEnabled(true);
    m_scdcom->setText(kDone);
    m_firststep->hide();
    m_scdstep->show();
    // The chosen frame becomes part of the shot: the same composition every exporter makes.
    const QImage shot = shotwork::framedShot(m_picture1->image(), m_firststep->laidFrame());
    m_desktop.setClipboardImage(shot);
    m_picture3->setPicture(shot);
    m_frm->hide();
    takeSavedState();
    m_step = Step::Stamps;
}

void EditorWindow::scdcom_Click()
{
    if (m_step != Step::Stamps)
        return;
    // A stamp placed but not merged is dropped.
    m_stamp->hide();
    m_scdcom->setEnabled(false);
    m_thirdcom->setEnabled(true);
    m_thirdcom->setText(kDone);
    m_scdstep->hide();
    m_thirdstep->show();
    commitIntoSavedState();
    takeSavedState();
    m_step = Step::Colours;
}

void EditorWindow::thirdcom_Click()
{
    if (m_step != Step::Colours)
        return;
    m_thirdcom->setEnabled(false);
    m_forthcom->setText(QStringLiteral("Final Step"));
    m_thirdstep->hide();
    m_stamp->hide();
    m_forthstep->show();
    commitIntoSavedState();
    takeSavedState();
    m_forthstep->prepareGamma();
    m_step = Step::Gamma;
}

void EditorWindow::Command7_Click()
{
    if (m_step != Step::Gamma)
        return;
    commitIntoSavedState();
    m_frame1->takeSavedState();
    m_frame1->move(0, m_frame1->y());
    m_frame1->show();
    m_frame1->raise();
    m_frame1->twiptocm();
    // The window grows to show the whole panel: the workspace's frame around the editor, or the
    // editor itself when it is a window of its own. Its size stays fixed to the user.
    QWidget *frame = isWindow() ? this : parentWidget();
    frame->setFixedSize(twipsToPixels(9945), m_frame1->height() + twipsToPixels(485));
    m_reload->setText(QStringLiteral("[ Print ") + windowTitle() + QStringLiteral(" ]"));
    m_frame1->picture6()->resize(160, 144);
    m_step = Step::Output;
}

void EditorWindow::reload_Click()
{
    if (m_step == Step::Output) {
        print();
        return;
    }
    m_picture1->setPicture(m_picture3->picture());
    m_picture4->setPicture(m_picture3->picture());
    // Gamma back to 1; in the fourth step the picture shows the gamma display again.
    m_forthstep->resetGamma();
    m_frm->hide();
    m_stamp->hide();
    m_thirdstep->customPalette()->resetTracking();
}

QImage EditorWindow::pictureToSave()
{
    if (m_step == Step::Output)
        return m_frame1->picture6()->picture();
    commitSurface(*m_picture1, *m_picture1, m_desktop);
    return m_picture1->picture();
}

bool EditorWindow::writePicture(const QImage &picture, const QString &path)
{
    return writePictureOrTell(this, m_desktop, picture, {path, PictureFormat::Bmp});
}

void EditorWindow::save_Click()
{
    const QString path = m_text1->text();
    const bool panelOpen = m_step == Step::Output;
    if (!writePicture(pictureToSave(), path) || !panelOpen)
        return;
    m_desktop.showMessage(this, QStringLiteral("Saved!"));
    emit fileSaved(path);
}

void EditorWindow::savcopy_Click()
{
    const QString path = m_text1->text().chopped(qMin<qsizetype>(4, m_text1->text().size())) +
                         QStringLiteral("copy.bmp");
    if (!writePicture(pictureToSave(), path))
        return;
    m_desktop.showMessage(this, QStringLiteral("Saved as ") + path);
    emit fileSaved(path);
}

void EditorWindow::savecopy_Click()
{
    const QImage picture = pictureToSave();
    savePictureAs(this, m_desktop, picture, QFileInfo(m_text1->text()).absolutePath());
}

void EditorWindow::print()
{
    switch (m_desktop.printImage(m_frame1->picture6()->image())) {
    case Desktop::PrintResult::Printed:
        break;
    case Desktop::PrintResult::NoPrinter:
        m_desktop.showMessage(this,
                              QStringLiteral("There is no printer set up on this computer, so "
                                             "the picture cannot be printed."),
                              QStringLiteral("Camvista"), Desktop::Icon::Exclamation);
        break;
    case Desktop::PrintResult::Failed:
        m_desktop.showMessage(this, QStringLiteral("The picture could not be printed."),
                              QStringLiteral("Camvista"), Desktop::Icon::Exclamation);
        break;
    }
}

} // namespace camvista
