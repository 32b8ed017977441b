#include "output_panel.h"

#include "imaging/number_text.h"
#include "imaging/rounding.h"
#include "imaging/twips.h"
#include "ui/digit_key_filter.h"
#include "ui/picture_surface.h"
#include "ui/twips_geometry.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <optional>

namespace camvista
{

namespace
{

// The boxes take at most three typed characters; text set by the program may be longer
// ("299.7"), as the link between the boxes writes whole decimal numbers.
class TypedLengthValidator : public QValidator
{
public:
    TypedLengthValidator(int maxLength, QObject *parent)
        : QValidator(parent), m_maxLength(maxLength)
    {
    }
    State validate(QString &input, int &) const override
    {
        return input.size() <= m_maxLength ? Acceptable : Invalid;
    }

private:
    int m_maxLength;
};

std::optional<double> numberIn(const QLineEdit *box)
{
    return parseDecimal(box->text(), userDecimalMark());
}

// A size in pixels from a box's number; nothing when it is not a usable size.
std::optional<int> pixelsIn(const QLineEdit *box)
{
    const std::optional<double> value = numberIn(box);
    if (!value || *value < 0.5 || *value > kMaxPictureSide)
        return std::nullopt;
    return roundHalfEvenInt(*value);
}

} // namespace

OutputPanel::OutputPanel(PictureSurface &savedState, Desktop &desktop, QWidget *parent)
    : QGroupBox(QStringLiteral("Now, adjust your picture as you want!"), parent),
      m_savedState(savedState)
{
    setObjectName(QStringLiteral("Frame1"));

    for (int i = 0; i < 4; ++i) {
        auto *button = new QPushButton(QStringLiteral("%1x").arg(i + 1), this);
        button->setObjectName(QStringLiteral("Command%1").arg(8 + i));
        placeTwips(button, 120 + 360 * i, 240, 375, 375);
        connect(button, &QPushButton::clicked, this, [this, i] { enlargeBy(i + 1); });
        m_factor[i] = button;
    }

    auto *label20 = new QLabel(QStringLiteral("W:"), this);
    label20->setObjectName(QStringLiteral("Label20"));
    placeTwips(label20, 1680, 240, 255, 255);
    auto *label21 = new QLabel(QStringLiteral("H:"), this);
    label21->setObjectName(QStringLiteral("Label21"));
    placeTwips(label21, 2520, 240, 255, 255);

    auto *digits = new DigitKeyFilter(desktop, this);
    const auto makeBox = [this, digits](const char *name, const char *text, int left) {
        auto *box = new QLineEdit(QString::fromLatin1(text), this);
        box->setObjectName(QString::fromLatin1(name));
        box->setValidator(new TypedLengthValidator(3, box));
        box->installEventFilter(digits);
        fitDigits(box);
        placeTwips(box, left, 240, 495, 285);
        return box;
    };
    m_text2 = makeBox("Text2", "160", 1920);
    m_text3 = makeBox("Text3", "144", 2760);

    m_check1 = new QCheckBox(QStringLiteral("Link Width / Height"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    placeTwips(m_check1, 3360, 240, 1815, 195);
    m_check2 = new QCheckBox(QStringLiteral(" I prefer it without frame"), this);
    m_check2->setObjectName(QStringLiteral("Check2"));
    QFont bold = m_check2->font();
    bold.setBold(true);
    m_check2->setFont(bold);
    placeTwips(m_check2, 5280, 240, 2295, 255);

    m_picture6 = new PictureSurface(this);
    m_picture6->setObjectName(QStringLiteral("Picture6"));
    m_picture6->setAutoSize(true);
    placeTwips(m_picture6, 120, 720, 2400, 2160);
    m_picture7 = new PictureSurface(this);
    m_picture7->setObjectName(QStringLiteral("Picture7"));
    m_picture7->setAutoSize(true);
    m_picture7->hide();

    connect(m_text2, &QLineEdit::textChanged, this,
            [this] { sizeBoxChanged(m_text2, m_text3, 128, 112, 160, 144); });
    connect(m_text3, &QLineEdit::textChanged, this,
            [this] { sizeBoxChanged(m_text3, m_text2, 112, 128, 144, 160); });
    connect(m_check2, &QCheckBox::clicked, this, &OutputPanel::Check2_Click);
}

QPushButton *OutputPanel::factorButton(int factor) const
{
    return factor >= 1 && factor <= 4 ? m_factor[factor - 1] : nullptr;
}

void OutputPanel::takeSavedState()
{
    m_picture7->setPicture(m_savedState.picture());
    m_picture6->setPicture(m_picture7->picture());
}

void OutputPanel::twiptocm()
{
    const QChar mark = userDecimalMark();
    setTitle(QStringLiteral("Actual size in cm: Width = ") +
             twipsAsCentimetres(pixelsToTwips(m_picture6->width()), mark) +
             QStringLiteral(" cm; Height = ") +
             twipsAsCentimetres(pixelsToTwips(m_picture6->height()), mark) + QStringLiteral(" cm"));
}

void OutputPanel::stretchSourceToOutput(int width, int height)
{
    const QImage source = m_picture7->picture();
    m_picture6->paintPicture(source, 0, 0, width, height);
    m_picture6->setPicture(m_picture6->image());
}

void OutputPanel::enlargeBy(int factor)
{
    const QSize size = m_picture7->size() * factor;
    m_picture6->resize(size);
    stretchSourceToOutput(size.width(), size.height());
    twiptocm();
}

void OutputPanel::sizeBoxChanged(QLineEdit *own, QLineEdit *other, int ownUnframed,
                                 int otherUnframed, int ownFramed, int otherFramed)
{
    // Every step goes on when the one before failed (a box without a number, say). Setting a
    // box to another text runs that box's own handler first, as typing would.
    const bool unframed = m_check2->isChecked();
    const int ownSide = unframed ? ownUnframed : ownFramed;
    const int otherSide = unframed ? otherUnframed : otherFramed;
    if (own->text().isEmpty())
        own->setText(QString::number(ownSide));
    if (m_check1->isChecked()) {
        if (const std::optional<double> value = numberIn(own))
            other->setText(shortestDecimal(*value / ownSide * otherSide, userDecimalMark()));
    }

    const std::optional<int> width = pixelsIn(m_text2);
    const std::optional<int> height = pixelsIn(m_text3);
    m_picture6->resize(width.value_or(m_picture6->width()), height.value_or(m_picture6->height()));
    stretchSourceToOutput(m_picture6->width(), m_picture6->height());
    twiptocm();
}

void OutputPanel::Check2_Click()
{
    if (m_check2->isChecked()) {
        m_picture7->setPicture(QImage());
        m_picture7->resize(128, 112);
        m_picture7->cls();
        m_picture7->paintPicture(m_savedState.picture(), 0, 0, 128, 112, QRect(16, 16, 128, 112));
        m_picture7->setPicture(m_picture7->image());
        m_text2->setText(QStringLiteral("128"));
        m_text3->setText(QStringLiteral("112"));
        m_picture6->setPicture(m_picture7->picture());
    } else {
        m_text2->setText(QStringLiteral("160"));
        m_text3->setText(QStringLiteral("144"));
        m_picture6->setPicture(m_savedState.picture());
        m_picture7->setPicture(m_savedState.picture());
    }
}

} // namespace camvista
