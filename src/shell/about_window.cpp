#include "about_window.h"

#include "captions.h"
#include "open_browser.h"

#include "data/shell_pictures.h"
#include "ui/clickable_label.h"
#include "ui/twips_geometry.h"

namespace camvista
{

AboutWindow::AboutWindow(Desktop &desktop, QWidget *parent) : QWidget(parent), m_desktop(desktop)
{
    setObjectName(QStringLiteral("frmabout"));
    setWindowTitle(QStringLiteral("About this software..."));
    setFixedSize(kClientSize);

    // Image1 lies under Image2 and is what a double click reveals.
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setPixmap(QPixmap::fromImage(data::aboutSurprisePicture()));
    placeTwips(m_image1, 120, 120, 2400, 2160);

    m_image2 = new ClickableLabel(this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setPixmap(QPixmap::fromImage(data::aboutPicture()));
    placeTwips(m_image2, 120, 120, 2400, 2160);
    connect(m_image2, &ClickableLabel::doubleClicked, this,
            [this] { m_image2->setPixmap(m_image1->pixmap()); });

    QLabel *title = addLabel("Label1", versionCaption(), QRect(2640, 120, 2535, 375));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    title->setFont(bold);

    QLabel *tagLine = addLabel(
        "Label2", QStringLiteral("The workplace for all da ole GB Pocket Cam'z users and artists!"),
        QRect(2640, 600, 3015, 375));
    tagLine->setWordWrap(true);
    addLabel("Label3", QStringLiteral("Made by the Camvista team"), QRect(2640, 1080, 3015, 255));
    addLabel("Label4", QStringLiteral("Web: "), QRect(2640, 1440, 495, 255));

    m_label5 = new ClickableLabel(kMakerAddress, this);
    m_label5->setObjectName(QStringLiteral("Label5"));
    m_label5->setStyleSheet(QStringLiteral("color: #0000ff;"));
    m_label5->setCursor(Qt::CrossCursor);
    placeTwips(m_label5, 3120, 1440, 2415, 255);
    connect(m_label5, &ClickableLabel::clicked, this,
            [this] { OpenBrowser(m_desktop, kMakerAddress); });

    addLabel("Label6", QStringLiteral("Contact:"), QRect(2640, 1800, 735, 255));
    addLabel("Label7", kMakerContact, QRect(3360, 1800, 1815, 255));
}

QLabel *AboutWindow::addLabel(const char *name, const QString &text, const QRect &twips)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    placeTwips(label, twips.x(), twips.y(), twips.width(), twips.height());
    return label;
}

} // namespace camvista
