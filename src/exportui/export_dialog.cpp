#include "export_dialog.h"

#include "colour/gamma_correct.h"
#include "colour/palette_catalogue.h"
#include "imaging/number_text.h"
#include "platform/desktop.h"
#include "ui/clickable_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace camvista
{

namespace
{

// What the palette and frame lists hold besides the catalogue's entries.
constexpr int kKeep = -1;
constexpr int kCustom = -2;
constexpr int kNoFrame = -2;

constexpr int kNeutralGamma = 100;

struct ShadeSwatch {
    Shade shade;
    const char *name;
    const char *toolTip;
};

// Left to right as in the editor's custom palette row.
constexpr ShadeSwatch kSwatches[] = {
    {Shade::Black, "customColour_0", "Black"},
    {Shade::DarkGrey, "customColour_1", "Dark grey"},
    {Shade::LightGrey, "customColour_2", "Light grey"},
    {Shade::White, "customColour_3", "White"},
};

using exporting::ExportFormat;
using exporting::ExportOptions;
using exporting::FrameChoice;
using exporting::PaletteChoice;

// Index of a shade's colour in a custom palette choice: white, light grey, dark grey, black.
std::size_t customIndex(Shade shade)
{
    switch (shade) {
    case Shade::White:
        return 0;
    case Shade::LightGrey:
        return 1;
    case Shade::DarkGrey:
        return 2;
    case Shade::Black:
        break;
    }
    return 3;
}

// The slider position whose gamma is nearest to `gamma`.
int sliderFor(double gamma)
{
    int best = kNeutralGamma;
    for (int v = 0; v <= 200; ++v) {
        if (std::abs(sliderToGamma(v) - gamma) < std::abs(sliderToGamma(best) - gamma))
            best = v;
    }
    return best;
}

const struct {
    ExportFormat format;
    const char *caption;
} kFormats[] = {
    {ExportFormat::Png, "PNG"},
    {ExportFormat::Bmp, "BMP"},
    {ExportFormat::Gif, "GIF"},
};

QString shotsText(int count)
{
    return count == 1 ? QStringLiteral("Export 1 shot")
                      : QStringLiteral("Export %1 shots").arg(count);
}

} // namespace

ExportDialog::ExportDialog(Desktop &desktop, QList<shotwork::FrameEntry> frames,
                           const QStringList &shots, QWidget *parent)
    : QDialog(parent), m_desktop(desktop), m_frames(std::move(frames)), m_firstShot(shots.value(0))
{
    setObjectName(QStringLiteral("exportDialog"));
    setMinimumWidth(440);
    setWindowTitle(QStringLiteral("Export shots"));
    for (const Shade shade : kAllShades)
        m_colours[std::size_t(shade)] = shadeGrey(shade);
    buildControls(int(shots.size()));
    setOptions(ExportOptions());
}

void ExportDialog::buildControls(int shotCount)
{
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(shotsText(shotCount), this);
    heading->setObjectName(QStringLiteral("exportHeading"));
    layout->addWidget(heading);

    auto *look = new QGroupBox(QStringLiteral("Look"), this);
    auto *lookForm = new QFormLayout(look);
    m_palette = new QComboBox(look);
    m_palette->setObjectName(QStringLiteral("paletteChoice"));
    m_palette->addItem(QStringLiteral("Keep the greys"), kKeep);
    const auto palettes = namedPalettes();
    for (std::size_t i = 0; i < palettes.size(); ++i)
        m_palette->addItem(palettes[i].caption.toString(), int(i));
    m_palette->addItem(QStringLiteral("Custom palette"), kCustom);
    lookForm->addRow(QStringLiteral("Palette:"), m_palette);

    auto *swatchRow = new QHBoxLayout;
    for (const ShadeSwatch &s : kSwatches) {
        auto *swatch = new ClickableLabel(look);
        swatch->setObjectName(QString::fromLatin1(s.name));
        swatch->setToolTip(QString::fromLatin1(s.toolTip));
        swatch->setFixedSize(25, 17);
        swatch->setAutoFillBackground(true);
        swatch->setFrameShape(QFrame::Box);
        swatch->setCursor(Qt::PointingHandCursor);
        m_swatches[std::size_t(s.shade)] = swatch;
        connect(swatch, &ClickableLabel::clicked, this,
                [this, shade = s.shade] { pickColour(shade); });
        swatchRow->addWidget(swatch);
        showSwatch(s.shade);
    }
    swatchRow->addStretch();
    lookForm->addRow(QStringLiteral("Custom palette:"), swatchRow);

    m_frame = new QComboBox(look);
    m_frame->setObjectName(QStringLiteral("frameChoice"));
    m_frame->addItem(QStringLiteral("Keep as it is"), kKeep);
    m_frame->addItem(QStringLiteral("No frame"), kNoFrame);
    for (qsizetype i = 0; i < m_frames.size(); ++i)
        m_frame->addItem(m_frames[i].label, int(i));
    lookForm->addRow(QStringLiteral("Frame:"), m_frame);

    m_gamma = new QSlider(Qt::Horizontal, look);
    m_gamma->setObjectName(QStringLiteral("gammaSlider"));
    m_gamma->setRange(0, 200);
    m_gamma->setPageStep(25);
    m_gamma->setTickInterval(25);
    m_gamma->setTickPosition(QSlider::TicksBelow);
    m_gammaLabel = new ClickableLabel(look);
    m_gammaLabel->setObjectName(QStringLiteral("gammaLabel"));
    connect(m_gamma, &QSlider::valueChanged, this, &ExportDialog::showGamma);
    connect(m_gammaLabel, &ClickableLabel::clicked, this,
            [this] { m_gamma->setValue(kNeutralGamma); });
    auto *gammaBox = new QVBoxLayout;
    gammaBox->addWidget(m_gamma);
    gammaBox->addWidget(m_gammaLabel);
    lookForm->addRow(QStringLiteral("Brightness:"), gammaBox);
    layout->addWidget(look);

    auto *output = new QGroupBox(QStringLiteral("Files"), this);
    auto *outputForm = new QFormLayout(output);
    m_scale = new QSpinBox(output);
    m_scale->setObjectName(QStringLiteral("scaleChoice"));
    m_scale->setRange(ExportOptions::kMinScale, ExportOptions::kMaxScale);
    m_scale->setSuffix(QStringLiteral("x"));
    outputForm->addRow(QStringLiteral("Scale:"), m_scale);
    m_format = new QComboBox(output);
    m_format->setObjectName(QStringLiteral("formatChoice"));
    for (const auto &f : kFormats)
        m_format->addItem(QString::fromLatin1(f.caption), int(f.format));
    outputForm->addRow(QStringLiteral("Format:"), m_format);

    m_animate = new QCheckBox(QStringLiteral("As one animated GIF, in the list's order"), output);
    m_animate->setObjectName(QStringLiteral("animateChoice"));
    outputForm->addRow(m_animate);
    m_delay = new QSpinBox(output);
    m_delay->setObjectName(QStringLiteral("delayChoice"));
    m_delay->setRange(10, kMaxDelayMs);
    m_delay->setSingleStep(50);
    m_delay->setSuffix(QStringLiteral(" ms"));
    outputForm->addRow(QStringLiteral("Delay per frame:"), m_delay);
    auto *loopRow = new QHBoxLayout;
    m_loopForever = new QRadioButton(QStringLiteral("Forever"), output);
    m_loopForever->setObjectName(QStringLiteral("loopForever"));
    m_loopTimes = new QRadioButton(QStringLiteral("Count:"), output);
    m_loopTimes->setObjectName(QStringLiteral("loopTimes"));
    m_loopCount = new QSpinBox(output);
    m_loopCount->setObjectName(QStringLiteral("loopCount"));
    m_loopCount->setRange(1, kMaxLoops);
    loopRow->addWidget(m_loopForever);
    loopRow->addWidget(m_loopTimes);
    loopRow->addWidget(m_loopCount);
    loopRow->addStretch();
    outputForm->addRow(QStringLiteral("Loops:"), loopRow);
    m_bounce = new QCheckBox(QStringLiteral("Back and forth"), output);
    m_bounce->setObjectName(QStringLiteral("bounceChoice"));
    outputForm->addRow(m_bounce);
    connect(m_animate, &QCheckBox::toggled, this, &ExportDialog::updateEnabled);
    connect(m_loopTimes, &QRadioButton::toggled, this, &ExportDialog::updateEnabled);

    auto *folderRow = new QHBoxLayout;
    m_destination = new QLineEdit(output);
    m_destination->setObjectName(QStringLiteral("destination"));
    m_browse = new QPushButton(QStringLiteral("Browse..."), output);
    m_browse->setObjectName(QStringLiteral("browseDestination"));
    connect(m_browse, &QPushButton::clicked, this, &ExportDialog::browse);
    folderRow->addWidget(m_destination, 1);
    folderRow->addWidget(m_browse);
    outputForm->addRow(QStringLiteral("Folder:"), folderRow);
    m_pattern = new QLineEdit(output);
    m_pattern->setObjectName(QStringLiteral("namePattern"));
    m_pattern->setToolTip(QStringLiteral("{name}, {palette}, {frame} and {scale} stand for the "
                                         "shot's name, the palette, the frame and the scale"));
    outputForm->addRow(QStringLiteral("File names:"), m_pattern);
    m_example = new QLabel(output);
    m_example->setObjectName(QStringLiteral("example"));
    m_example->setTextFormat(Qt::PlainText);
    outputForm->addRow(QString(), m_example);
    connect(m_pattern, &QLineEdit::textChanged, this, &ExportDialog::showExample);
    for (QComboBox *box : {m_palette, m_frame, m_format})
        connect(box, &QComboBox::currentIndexChanged, this, &ExportDialog::showExample);
    connect(m_scale, &QSpinBox::valueChanged, this, &ExportDialog::showExample);
    connect(m_animate, &QCheckBox::toggled, this, &ExportDialog::showExample);
    layout->addWidget(output);

    auto *buttons = new QDialogButtonBox(this);
    m_export = buttons->addButton(QStringLiteral("Export"), QDialogButtonBox::AcceptRole);
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_export->setDefault(true);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportDialog::reject);
    layout->addWidget(buttons);
}

void ExportDialog::setOptions(const ExportOptions &options)
{
    switch (options.palette.kind) {
    case PaletteChoice::Kind::Keep:
        m_palette->setCurrentIndex(m_palette->findData(kKeep));
        break;
    case PaletteChoice::Kind::Named:
        m_palette->setCurrentIndex(qMax(0, m_palette->findData(options.palette.catalogueIndex)));
        break;
    case PaletteChoice::Kind::Custom:
        m_palette->setCurrentIndex(m_palette->findData(kCustom));
        break;
    }
    // The swatches keep the last custom colours even while a named palette is chosen.
    if (options.palette.kind == PaletteChoice::Kind::Custom)
        setCustomColours(options.palette.custom);

    int frameRow = 0; // "Keep as it is", also for a frame that is no longer there
    if (options.frame.kind == FrameChoice::Kind::None)
        frameRow = m_frame->findData(kNoFrame);
    for (qsizetype i = 0; i < m_frames.size(); ++i) {
        const shotwork::FrameEntry &entry = m_frames[i];
        if ((options.frame.kind == FrameChoice::Kind::Default && entry.isDefault() &&
             entry.number == options.frame.number) ||
            (options.frame.kind == FrameChoice::Kind::Custom && !entry.isDefault() &&
             entry.name == options.frame.name))
            frameRow = m_frame->findData(int(i));
    }
    m_frame->setCurrentIndex(frameRow);

    m_gamma->setValue(sliderFor(options.gamma));
    showGamma();
    m_scale->setValue(options.scale);
    m_format->setCurrentIndex(qMax(0, m_format->findData(int(options.format))));
    m_animate->setChecked(options.animate);
    m_delay->setValue(options.delayMs);
    m_loopForever->setChecked(options.loopCount <= 0);
    m_loopTimes->setChecked(options.loopCount > 0);
    if (options.loopCount > 0)
        m_loopCount->setValue(options.loopCount);
    m_bounce->setChecked(options.bounce);
    m_destination->setText(QDir::toNativeSeparators(options.destination));
    m_pattern->setText(options.namePattern);
    updateEnabled();
    showExample();
}

ExportOptions ExportDialog::options() const
{
    ExportOptions o;
    const int palette = m_palette->currentData().toInt();
    if (palette == kCustom)
        o.palette = PaletteChoice::customColours(customColours());
    else if (palette >= 0)
        o.palette = PaletteChoice::named(palette);
    else
        o.palette = PaletteChoice::keep();

    const int frame = m_frame->currentData().toInt();
    if (frame == kNoFrame) {
        o.frame = FrameChoice::none();
    } else if (frame >= 0 && frame < m_frames.size()) {
        const shotwork::FrameEntry &entry = m_frames[frame];
        o.frame = entry.isDefault() ? FrameChoice::defaultFrame(entry.number)
                                    : FrameChoice::customFrame(entry.name);
    }

    o.gamma = sliderToGamma(m_gamma->value());
    o.scale = m_scale->value();
    o.format = ExportFormat(m_format->currentData().toInt());
    o.animate = m_animate->isChecked();
    o.delayMs = m_delay->value();
    o.loopCount = m_loopTimes->isChecked() ? m_loopCount->value() : 0;
    o.bounce = m_bounce->isChecked();
    o.destination = QDir::fromNativeSeparators(m_destination->text().trimmed());
    o.namePattern = m_pattern->text().trimmed();
    return o;
}

std::array<QRgb, 4> ExportDialog::customColours() const
{
    std::array<QRgb, 4> colours{};
    for (const Shade shade : kAllShades)
        colours[customIndex(shade)] = m_colours[std::size_t(shade)];
    return colours;
}

void ExportDialog::setCustomColours(const std::array<QRgb, 4> &colours)
{
    for (const Shade shade : kAllShades) {
        m_colours[std::size_t(shade)] =
            qRgb(qRed(colours[customIndex(shade)]), qGreen(colours[customIndex(shade)]),
                 qBlue(colours[customIndex(shade)]));
        showSwatch(shade);
    }
}

void ExportDialog::showExample()
{
    if (m_firstShot.isEmpty())
        return;
    const ExportOptions o = options();
    m_example->setText(QStringLiteral("First file: ") + exporting::outputBaseName(o, m_firstShot) +
                       QLatin1Char('.') + exporting::outputExtension(o));
}

void ExportDialog::showSwatch(Shade shade)
{
    ClickableLabel *swatch = m_swatches[std::size_t(shade)];
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(m_colours[std::size_t(shade)]));
    swatch->setPalette(pal);
}

void ExportDialog::showGamma()
{
    m_gammaLabel->setText(gammaCaption(sliderToGamma(m_gamma->value()), userDecimalMark()));
}

void ExportDialog::updateEnabled()
{
    const bool animate = m_animate->isChecked();
    // An animation is a GIF whatever the format list says.
    m_format->setEnabled(!animate);
    m_delay->setEnabled(animate);
    m_loopForever->setEnabled(animate);
    m_loopTimes->setEnabled(animate);
    m_loopCount->setEnabled(animate && m_loopTimes->isChecked());
    m_bounce->setEnabled(animate);
}

void ExportDialog::pickColour(Shade shade)
{
    const std::optional<QColor> chosen =
        m_desktop.chooseColour(this, QColor::fromRgb(m_colours[std::size_t(shade)]));
    if (!chosen || !chosen->isValid())
        return;
    m_colours[std::size_t(shade)] = chosen->rgb();
    showSwatch(shade);
    m_palette->setCurrentIndex(m_palette->findData(kCustom));
}

void ExportDialog::browse()
{
    Desktop::FileDialog dialog;
    dialog.caption = QStringLiteral("Export to");
    dialog.folder = m_destination->text();
    const std::optional<QString> chosen = m_desktop.chooseFolder(this, dialog);
    if (chosen && !chosen->isEmpty())
        m_destination->setText(QDir::toNativeSeparators(*chosen));
}

void ExportDialog::accept()
{
    const QString problem = exporting::checkOptions(options());
    if (!problem.isEmpty()) {
        m_desktop.showMessage(this, problem, QStringLiteral("Camvista"),
                              Desktop::Icon::Exclamation);
        return;
    }
    QDialog::accept();
}

} // namespace camvista
