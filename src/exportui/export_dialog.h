#pragma once

#include "colour/custom_palette.h"
#include "export/export_options.h"
#include "shotwork/frames.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace camvista
{

class ClickableLabel;
class Desktop;

// "Export shots...": every choice of an export in one dialog. It only gathers the choices;
// the caller reads them with options() once the user pressed "Export" (accepted()). The
// colour and folder pickers go through the Desktop, so tests script them.
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    // `shots` are the files to export, in the list's order; the first names the example.
    ExportDialog(Desktop &desktop, QList<shotwork::FrameEntry> frames, const QStringList &shots,
                 QWidget *parent = nullptr);

    void setOptions(const exporting::ExportOptions &options);
    exporting::ExportOptions options() const;
    // The custom colours of white, light grey, dark grey and black, kept while another palette
    // is chosen.
    std::array<QRgb, 4> customColours() const;
    void setCustomColours(const std::array<QRgb, 4> &colours);

    QComboBox *paletteChoice() const { return m_palette; }
    // The custom colours' swatches, in the order of the editor's custom palette row.
    ClickableLabel *customSwatch(Shade shade) const { return m_swatches[std::size_t(shade)]; }
    QComboBox *frameChoice() const { return m_frame; }
    QSlider *gammaSlider() const { return m_gamma; }
    ClickableLabel *gammaLabel() const { return m_gammaLabel; }
    QSpinBox *scaleChoice() const { return m_scale; }
    QComboBox *formatChoice() const { return m_format; }
    QCheckBox *animateChoice() const { return m_animate; }
    QSpinBox *delayChoice() const { return m_delay; }
    QRadioButton *loopForever() const { return m_loopForever; }
    QRadioButton *loopTimes() const { return m_loopTimes; }
    QSpinBox *loopCount() const { return m_loopCount; }
    QCheckBox *bounceChoice() const { return m_bounce; }
    QLineEdit *destination() const { return m_destination; }
    QPushButton *browseButton() const { return m_browse; }
    QLineEdit *namePattern() const { return m_pattern; }
    // The name the first shot would be written under.
    QLabel *example() const { return m_example; }
    QPushButton *exportButton() const { return m_export; }

    // The longest delay per frame and the most loops the dialog offers.
    static constexpr int kMaxDelayMs = 60000;
    static constexpr int kMaxLoops = 65535;

    // The user picks a custom colour for one shade: the palette choice becomes the custom one.
    void pickColour(Shade shade);
    void browse();

    // Refuses, with a message, a destination or name pattern that cannot work.
    void accept() override;

private:
    void buildControls(int shotCount);
    void showExample();
    void showGamma();
    void updateEnabled();
    void showSwatch(Shade shade);

    Desktop &m_desktop;
    QList<shotwork::FrameEntry> m_frames;
    QString m_firstShot;
    std::array<QRgb, 4> m_colours{}; // by Shade
    QComboBox *m_palette = nullptr;
    std::array<ClickableLabel *, 4> m_swatches{};
    QComboBox *m_frame = nullptr;
    QSlider *m_gamma = nullptr;
    ClickableLabel *m_gammaLabel = nullptr;
    QSpinBox *m_scale = nullptr;
    QComboBox *m_format = nullptr;
    QCheckBox *m_animate = nullptr;
    QSpinBox *m_delay = nullptr;
    QRadioButton *m_loopForever = nullptr;
    QRadioButton *m_loopTimes = nullptr;
    QSpinBox *m_loopCount = nullptr;
    QCheckBox *m_bounce = nullptr;
    QLineEdit *m_destination = nullptr;
    QPushButton *m_browse = nullptr;
    QLineEdit *m_pattern = nullptr;
    QLabel *m_example = nullptr;
    QPushButton *m_export = nullptr;
};

} // namespace camvista
