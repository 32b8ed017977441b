#include "bmp_save.h"

#include "imaging/picture_file.h"
#include "platform/desktop.h"

#include <QFileInfo>

namespace camvista
{

std::optional<QString> askBmpFileName(QWidget *parent, Desktop &desktop, const QString &folder,
                                      const QString &caption)
{
    Desktop::FileDialog dialog;
    dialog.caption = caption;
    dialog.folder = folder;
    dialog.filter = QStringLiteral("BMP Picture (*.bmp)");
    const std::optional<QString> chosen = desktop.chooseSaveFile(parent, dialog);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".bmp");
    return path;
}

bool writeBmpOrTell(QWidget *parent, Desktop &desktop, const QImage &picture, const QString &path)
{
    const FileStatus status = savePictureBmp(picture, path);
    if (!status.ok()) {
        desktop.showMessage(parent, status.message(), QStringLiteral("Camvista"),
                            Desktop::Icon::Exclamation);
    }
    return status.ok();
}

} // namespace camvista
