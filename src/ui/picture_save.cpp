#include "picture_save.h"

#include "imaging/picture_file.h"
#include "platform/desktop.h"

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

std::optional<SaveTarget> askPictureFileName(QWidget *parent, Desktop &desktop,
                                             const QString &folder, const QString &caption)
{
    Desktop::FileDialog dialog;
    dialog.caption = caption;
    dialog.folder = folder;
    dialog.filter = kPictureSaveFilters;
    const std::optional<Desktop::SaveChoice> chosen = desktop.chooseSaveFile(parent, dialog);
    if (!chosen || chosen->path.isEmpty())
        return std::nullopt;
    return saveTargetOf(chosen->path, chosen->filter);
}

bool writePictureOrTell(QWidget *parent, Desktop &desktop, const QImage &picture,
                        const SaveTarget &target)
{
    const FileStatus status = target.format == PictureFormat::Png
                                  ? savePicturePng(picture, target.path)
                                  : savePictureBmp(picture, target.path);
    if (!status.ok()) {
        desktop.showMessage(parent, status.message(), QStringLiteral("Camvista"),
                            Desktop::Icon::Exclamation);
    }
    return status.ok();
}

bool savePictureAs(QWidget *parent, Desktop &desktop, const QImage &picture, const QString &folder,
                   const QString &caption)
{
    const std::optional<SaveTarget> target = askPictureFileName(parent, desktop, folder, caption);
    return target && writePictureOrTell(parent, desktop, picture, *target);
}

} // namespace camvista
