#include "composition_output.h"

#include "platform/wallpaper.h"
#include "ui/picture_save.h"

#include <QDir>
#include <QRadioButton>
#include <QToolButton>

namespace camvista
{

bool saveComposedPicture(QWidget *parent, Desktop &desktop, const QImage &picture,
                         const AppPaths &paths)
{
    return savePictureAs(parent, desktop, picture, paths, SaveScale::Offered);
}

Desktop::WallpaperStyle WallpaperControls::style() const
{
    // The options are tested in the order "Centered", "Stretched", "Mosaic".
    if (option1->isChecked())
        return Desktop::WallpaperStyle::Centered;
    if (option2->isChecked())
        return Desktop::WallpaperStyle::Stretched;
    return Desktop::WallpaperStyle::Tiled;
}

WallpaperControls buildWallpaperControls(QWidget *parent, const QString &buttonName,
                                         const QImage &picture, const QPoint &topLeft)
{
    WallpaperControls controls;
    controls.button = new QToolButton(parent);
    controls.button->setObjectName(buttonName);
    controls.button->setText(QStringLiteral("Set the mosaic as wallpaper"));
    controls.button->setIcon(QIcon(QPixmap::fromImage(picture)));
    controls.button->setIconSize(picture.size());
    controls.button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    controls.button->setGeometry(topLeft.x(), topLeft.y(), 193, 121);

    const auto option = [&](const char *name, const char *caption, int dx, int width) {
        auto *b = new QRadioButton(QString::fromLatin1(caption), parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(topLeft.x() + dx, topLeft.y() + 120, width, 17);
        return b;
    };
    controls.option1 = option("Option1", "Centered", 0, 73);
    controls.option2 = option("Option2", "Stretched", 64, 73);
    controls.option3 = option("Option3", "Mosaic", 136, 65);
    controls.option3->setChecked(true);
    // The places were made for a narrower font: where a caption would run into the next
    // option's circle, that option moves right just as far as it needs.
    constexpr int kGap = 4;
    int free = 0;
    for (QRadioButton *b : {controls.option1, controls.option2, controls.option3}) {
        QRect place = b->geometry();
        const int needed = b->sizeHint().width();
        place.moveLeft(qMax(place.left(), free));
        place.setWidth(qMax(place.width(), needed));
        b->setGeometry(place);
        free = place.left() + needed + kGap;
    }
    return controls;
}

QString setAsWallpaper(QWidget *parent, Desktop &desktop, const QImage &picture,
                       Desktop::WallpaperStyle style)
{
    const WallpaperOutcome outcome = setDesktopWallpaper(picture, style, desktop);
    const QString file = QDir::toNativeSeparators(outcome.file);
    QString text;
    if (!outcome.written.ok()) {
        text = outcome.written.message() + QStringLiteral("\n\nThe wallpaper was not changed.");
    } else if (outcome.applied == Desktop::WallpaperResult::NoSupportedDesktop) {
        text = QStringLiteral("The wallpaper picture was saved as \u201C%1\u201D, but Camvista "
                              "could not set the background of this desktop. You can choose "
                              "that picture in your desktop's own settings.")
                   .arg(file);
    } else if (outcome.applied == Desktop::WallpaperResult::Failed) {
        text = QStringLiteral("The wallpaper picture was saved as \u201C%1\u201D, but the "
                              "desktop did not accept it as its background.")
                   .arg(file);
    }
    if (!text.isEmpty()) {
        desktop.showMessage(parent, text, QStringLiteral("Camvista"), Desktop::Icon::Exclamation);
        return {};
    }
    // Named as the style's option is.
    const QString styleName =
        style == Desktop::WallpaperStyle::Centered    ? QStringLiteral("Centered")
        : style == Desktop::WallpaperStyle::Stretched ? QStringLiteral("Stretched")
                                                      : QStringLiteral("Mosaic");
    return QStringLiteral("Wallpaper set, %1: \u201C%2\u201D").arg(styleName, file);
}

} // namespace camvista
