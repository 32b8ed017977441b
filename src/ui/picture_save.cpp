#include "picture_save.h"

#include "picture_surface.h"

#include "imaging/picture_file.h"
#include "platform/app_paths.h"
#include "platform/desktop.h"
#include "platform/profile_file.h"

#include <QDir>
#include <QFileInfo>

namespace camvista
{

SaveTarget saveTargetOf(const QString &typedPath, const QString &selectedFilter)
{
    const QString suffix = QFileInfo(typedPath).suffix();
    if (suffix.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        return {typedPath, PictureFormat::Png};
    if (suffix.compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0)
        return {typedPath, PictureFormat::Bmp};
    const bool png = selectedFilter == kPngSaveFilter;
    SaveTarget target{typedPath, png ? PictureFormat::Png : PictureFormat::Bmp};
    if (suffix.isEmpty()) {
        if (target.path.endsWith(QLatin1Char('.')))
            target.path.chop(1); // "house." means "house"
        target.path += png ? QStringLiteral(".png") : QStringLiteral(".bmp");
    }
    return target;
}

namespace
{

// The settings file holds one byte a character: a folder is kept as its UTF-8 bytes, in
// quotes so spaces at either end survive, and read back the same way.
constexpr int kLongestFolder = 4096;

QStringList scaleChoices()
{
    QStringList choices;
    for (int factor = 1; factor <= kMaxSaveScale; ++factor)
        choices << QStringLiteral("%1x").arg(factor);
    return choices;
}

} // namespace

QString saveAsStartFolder(const AppPaths &paths)
{
    const QString stored = profile::readString(paths.settingsFile(), kSaveAsSection, kKeyLastFolder,
                                               QString(), kLongestFolder + 1);
    const QString folder = QString::fromUtf8(stored.toLatin1());
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return paths.shotsFolder();
}

void rememberSaveFolder(const AppPaths &paths, const QString &savedFile)
{
    const QString folder = QFileInfo(savedFile).absolutePath();
    const QByteArray bytes = folder.toUtf8();
    if (bytes.size() > kLongestFolder || folder == saveAsStartFolder(paths))
        return;
    profile::writeString(paths.settingsFile(), kSaveAsSection, kKeyLastFolder,
                         QLatin1Char('"') + QString::fromLatin1(bytes) + QLatin1Char('"'));
}

std::optional<SaveTarget> askPictureFileName(QWidget *parent, Desktop &desktop,
                                             const QString &folder, const QString &caption,
                                             SaveScale scale)
{
    Desktop::FileDialog dialog;
    dialog.caption = caption;
    dialog.folder = folder;
    dialog.filter = kPictureSaveFilters;
    if (scale == SaveScale::Offered) {
        dialog.choiceLabel = kSaveScaleLabel;
        dialog.choices = scaleChoices();
    }
    const std::optional<Desktop::SaveChoice> chosen = desktop.chooseSaveFile(parent, dialog);
    if (!chosen || chosen->path.isEmpty())
        return std::nullopt;
    SaveTarget target = saveTargetOf(chosen->path, chosen->filter);
    if (scale == SaveScale::Offered)
        target.scale = qBound(1, chosen->choice + 1, kMaxSaveScale);
    return target;
}

bool writePictureOrTell(QWidget *parent, Desktop &desktop, const QImage &picture,
                        const SaveTarget &target)
{
    QImage written = picture;
    if (target.scale > 1) {
        // Nothing larger than the program itself would open again.
        const QSize size = picture.size() * target.scale;
        if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
            qint64(size.width()) * size.height() > kMaxPicturePixels ||
            (written = enlargeByWholeFactor(picture, target.scale, target.scale)).isNull()) {
            desktop.showMessage(
                parent,
                QStringLiteral("At %1x the picture would be %2 x %3 pixels, more than Camvista "
                               "can open (%4 pixels a side, %5 megapixels). Nothing was saved: "
                               "choose a smaller scale.")
                    .arg(target.scale)
                    .arg(size.width())
                    .arg(size.height())
                    .arg(kMaxPictureSide)
                    .arg(kMaxPicturePixels / (1024 * 1024)),
                QStringLiteral("Camvista"), Desktop::Icon::Exclamation);
            return false;
        }
    }
    const FileStatus status = target.format == PictureFormat::Png
                                  ? savePicturePng(written, target.path)
                                  : savePictureBmp(written, target.path);
    if (!status.ok()) {
        desktop.showMessage(parent, status.message(), QStringLiteral("Camvista"),
                            Desktop::Icon::Exclamation);
    }
    return status.ok();
}

bool savePictureAs(QWidget *parent, Desktop &desktop, const QImage &picture, const AppPaths &paths,
                   SaveScale scale, const QString &caption)
{
    const std::optional<SaveTarget> target =
        askPictureFileName(parent, desktop, saveAsStartFolder(paths), caption, scale);
    if (!target || !writePictureOrTell(parent, desktop, picture, *target))
        return false;
    rememberSaveFolder(paths, target->path);
    return true;
}

} // namespace camvista
