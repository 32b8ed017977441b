#include "user_id_dialog.h"

#include "captions.h"
#include "ini.h"

#include "data/shell_pictures.h"
#include "ui/digit_key_filter.h"
#include "ui/twips_geometry.h"

#include <QLabel>
#include <QLineEdit>

namespace camvista
{

UserIdDialog::UserIdDialog(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_paths(paths),
      m_digits(new DigitKeyFilter(desktop, this))
{
    setObjectName(QStringLiteral("setmyid"));
    setWindowTitle(QStringLiteral("Set my ID!"));
    setFixedSize(kClientSize);

    m_card = new QLabel(this);
    m_card->setObjectName(QStringLiteral("Image1"));
    m_card->setPixmap(QPixmap::fromImage(data::idCardPicture()));
    m_card->setGeometry(0, 0, 160, 144);

    // The boxes sit on the card's fields: flat, in the card's own light shade.
    setStyleSheet(
        QStringLiteral("QLineEdit { background: #ffffff; color: #000000; border: 1px solid #808080;"
                       " padding: 0px 1px; font-size: 11px; }"
                       "QLineEdit:focus { border: 1px solid #000000; }"));

    // Created in tab order.
    m_text[0] = makeBox("Text1", kKeyUserId, 8, QString(), QRect(1200, 1680, 975, 285), true);
    m_text[1] =
        makeBox("Text2", kKeyMonth, 2, QStringLiteral("Month"), QRect(945, 1320, 270, 285), true);
    m_text[2] =
        makeBox("Text3", kKeyDay, 2, QStringLiteral("Day"), QRect(1320, 1320, 255, 285), true);
    m_text[3] =
        makeBox("Text4", kKeyYear, 4, QStringLiteral("Year"), QRect(1680, 1320, 495, 285), true);
    m_text[4] = makeBox("Text5", kKeyName, 8, QString(), QRect(960, 960, 975, 285), false);
    for (int i = 0; i + 1 < 5; ++i)
        setTabOrder(m_text[i], m_text[i + 1]);

    connect(m_text[0], &QLineEdit::textChanged, this, [this] {
        emit captionChanged(
            welcomeCaption(shortVersionCaption(), ReadIni(m_paths, kIniSection, kKeyUserId)));
    });
}

QLineEdit *UserIdDialog::makeBox(const char *name, const QString &key, int maxLength,
                                 const QString &designText, const QRect &twips, bool digitsOnly)
{
    auto *box = new QLineEdit(designText, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(maxLength);
    placeTwips(box, twips.x(), twips.y(), twips.width(), twips.height());
    if (digitsOnly) {
        box->installEventFilter(m_digits);
        fitDigits(box);
    }
    // Stored as typed, before anything else reacts to the change.
    connect(box, &QLineEdit::textChanged, this,
            [this, key](const QString &text) { WriteIni(m_paths, kIniSection, key, text); });
    return box;
}

QLineEdit *UserIdDialog::box(int index) const
{
    return index >= 1 && index <= 5 ? m_text[index - 1] : nullptr;
}

void UserIdDialog::Form_Load()
{
    m_text[0]->setText(ReadIni(m_paths, kIniSection, kKeyUserId));
    m_text[1]->setText(ReadIni(m_paths, kIniSection, kKeyMonth));
    m_text[2]->setText(ReadIni(m_paths, kIniSection, kKeyDay));
    m_text[3]->setText(ReadIni(m_paths, kIniSection, kKeyYear));
    m_text[4]->setText(ReadIni(m_paths, kIniSection, kKeyName));
}

} // namespace camvista
