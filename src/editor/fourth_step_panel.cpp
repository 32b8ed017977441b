#include "fourth_step_panel.h"

#include "colour/gamma_correct.h"
#include "colour/tints.h"
#include "imaging/dib_section.h"
#include "imaging/number_text.h"
#include "ui/clickable_label.h"
#include "ui/picture_surface.h"
#include "ui/twips_geometry.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSlider>

namespace camvista
{

namespace
{

struct Swatch {
    QRgb colour;
    const char *tag;
    const char *name; // the tool tip: the colour's name for users who read no French
    int left;         // twips
    int top;
};

constexpr Swatch kBicolour[] = {
    {qRgb(0, 0, 0), "noir", "Black", 2880, 600},
    {qRgb(255, 0, 0), "rouge", "Red", 3480, 840},
    {qRgb(0, 0, 255), "bleu", "Blue", 4080, 840},
    {qRgb(0, 192, 0), "vert", "Green", 4680, 600},
    {qRgb(255, 255, 0), "jaune", "Yellow", 2880, 840},
    {qRgb(192, 64, 0), "sépia", "Sepia", 3480, 600},
    {qRgb(0, 192, 192), "gris-bleu", "Grey-blue", 4080, 600},
    {qRgb(255, 128, 0), "orange", "Orange", 4680, 840},
};

constexpr Swatch kLevels[] = {
    {qRgb(224, 224, 224), "gris", "Grey", 360, 600},
    {qRgb(255, 0, 0), "rouge", "Red", 960, 600},
    {qRgb(128, 255, 128), "vert", "Green", 1560, 600},
    {qRgb(0, 255, 255), "bleu", "Blue", 360, 840},
    {qRgb(255, 255, 0), "jaune", "Yellow", 960, 840},
    {qRgb(255, 128, 255), "violet", "Violet", 1560, 840},
    {qRgb(255, 192, 128), "beige", "Beige", 2160, 600},
    {qRgb(255, 128, 0), "orange", "Orange", 2160, 840},
};

ClickableLabel *makeSwatch(QWidget *parent, const char *array, int index, const Swatch &s)
{
    auto *label = new ClickableLabel(parent);
    label->setObjectName(QString::fromLatin1(array) + QLatin1Char('_') + QString::number(index));
    label->setProperty("Tag", QString::fromUtf8(s.tag));
    label->setToolTip(QString::fromLatin1(s.name));
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(s.colour));
    label->setPalette(pal);
    // Level swatch 5 is a little taller than the others.
    const bool tall = QLatin1String(array) == QLatin1String("lvcol") && index == 5;
    placeTwips(label, s.left, s.top, 480, tall ? 195 : 180);
    return label;
}

} // namespace

FourthStepPanel::FourthStepPanel(PictureSurface &picture1, PictureSurface &picture3,
                                 QWidget *parent)
    : QGroupBox(QStringLiteral("Fourth Step: Adjust gamma and save your work"), parent),
      m_picture1(picture1), m_picture3(picture3)
{
    setObjectName(QStringLiteral("forthstep"));

    auto *label14 = new QLabel(QStringLiteral("Colors levels:"), this);
    label14->setObjectName(QStringLiteral("Label14"));
    placeTwips(label14, 360, 360, 1095, 255);
    auto *label17 = new QLabel(QStringLiteral("Bicolor mode:"), this);
    label17->setObjectName(QStringLiteral("Label17"));
    placeTwips(label17, 2880, 360, 1095, 255);

    for (int i = 0; i < 8; ++i) {
        m_bicol[std::size_t(i)] = makeSwatch(this, "bicol", i, kBicolour[i]);
        connect(m_bicol[std::size_t(i)], &ClickableLabel::clicked, this,
                [this, i] { bicol_Click(i); });
        m_lvcol[std::size_t(i)] = makeSwatch(this, "lvcol", i, kLevels[i]);
        connect(m_lvcol[std::size_t(i)], &ClickableLabel::clicked, this,
                [this, i] { lvcol_Click(i); });
    }

    m_lblgammaamount =
        new ClickableLabel(QStringLiteral("Adjust gamma (brightness/contrast):"), this);
    m_lblgammaamount->setObjectName(QStringLiteral("lblgammaamount"));
    // A gamma with fifteen digits makes the caption longer than the slider is wide: it wraps
    // upwards into the free band under the swatches, and a one-line caption keeps its place.
    placeTwips(m_lblgammaamount, 360, 1080, 4815, 495);
    m_lblgammaamount->setWordWrap(true);
    m_lblgammaamount->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    connect(m_lblgammaamount, &ClickableLabel::clicked, this,
            &FourthStepPanel::lblgammaamount_Click);

    m_hscGamma = new QSlider(Qt::Horizontal, this);
    m_hscGamma->setObjectName(QStringLiteral("hscGamma"));
    m_hscGamma->setRange(0, 200);
    m_hscGamma->setValue(100);
    m_hscGamma->setSingleStep(1);
    m_hscGamma->setPageStep(10);
    m_hscGamma->setTracking(true); // every intermediate value of a drag is applied
    placeTwips(m_hscGamma, 360, 1680, 4815, 375);
    connect(m_hscGamma, &QSlider::valueChanged, this, &FourthStepPanel::hscGamma_Change);
}

FourthStepPanel::~FourthStepPanel() = default;

void FourthStepPanel::prepareGamma()
{
    if (!m_source)
        m_source = std::make_unique<cDIBSection>();
    if (!m_display)
        m_display = std::make_unique<cDIBSection>();
    m_source->CreateFromPicture(m_picture1.picture());
    m_display->Create(m_source->Width(), m_source->Height());
    hscGamma_Change();
}

void FourthStepPanel::resetGamma()
{
    // Setting the value it already has applies nothing; the display is painted again anyway.
    m_hscGamma->setValue(100);
    paintGammaDisplay();
}

void FourthStepPanel::paintGammaDisplay()
{
    if (!m_display || m_display->DIBSectionBitsPtr() == nullptr)
        return;
    m_display->PaintPicture(m_picture1.layer());
    m_picture1.update();
}

void FourthStepPanel::ApplyGamma(double gamma)
{
    m_lblgammaamount->setText(gammaCaption(gamma, userDecimalMark()));
    if (!m_gamma)
        m_gamma = std::make_unique<cGammaCorrect>();
    m_gamma->Gamma(gamma);
    if (m_source && m_display)
        m_gamma->Correct(*m_source, *m_display);
    paintGammaDisplay();
}

void FourthStepPanel::hscGamma_Change()
{
    ApplyGamma(sliderToGamma(m_hscGamma->value()));
}

void FourthStepPanel::lblgammaamount_Click()
{
    m_hscGamma->setValue(100);
}

void FourthStepPanel::bicol_Click(int index)
{
    if (m_tintRunning || index < 0 || index >= int(m_bicol.size()))
        return;
    const QRgb colour = m_bicol[std::size_t(index)]->palette().color(QPalette::Window).rgb();
    runTint([colour](QImage &layer, const TintProgress &progress) {
        TintBicolor(layer, colour, progress);
    });
}

void FourthStepPanel::lvcol_Click(int index)
{
    if (m_tintRunning || index < 0 || index >= int(m_lvcol.size()))
        return;
    const QString name = m_lvcol[std::size_t(index)]->property("Tag").toString();
    runTint(
        [name](QImage &layer, const TintProgress &progress) { TintLevels(layer, name, progress); });
}

template <typename Tint> void FourthStepPanel::runTint(Tint tint)
{
    // Start again from the held shot; the picture then shows the gamma display, which is what
    // the tint reads.
    m_picture1.setPicture(m_picture3.picture());
    paintGammaDisplay();

    m_tintRunning = true;
    emit tintStarted();
    QPointer<FourthStepPanel> self(this);
    QPointer<PictureSurface> surface(&m_picture1);
    QCoreApplication::processEvents();
    if (!self || !surface)
        return;

    QImage &layer = m_picture1.layer();
    layer.bits(); // own the pixels now, so their address stays put while the tint runs
    const QSize size = layer.size();
    const uchar *pixels = layer.constBits();
    // At each progress point the layer already shows all that is tinted: show it and let
    // window events run. Stop if the window went away or the picture changed under us.
    const TintProgress progress = [self, surface, &layer, size, pixels] {
        surface->update();
        QCoreApplication::processEvents();
        return self && surface && &surface->layer() == &layer && layer.size() == size &&
               layer.constBits() == pixels;
    };
    tint(layer, progress);
    if (!self)
        return;
    m_picture1.update();
    m_tintRunning = false;
    emit tintFinished();
}

} // namespace camvista
