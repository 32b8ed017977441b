#include "ui/shot_drag.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace camvista
{

QMimeData *shotDragData(const QString &path)
{
    auto *data = new QMimeData;
    data->setData(kShotListMimeType, path.toUtf8());
    data->setUrls({QUrl::fromLocalFile(path)});
    return data;
}

QStringList shotDragMimeTypes()
{
    return {kShotListMimeType, QStringLiteral("text/uri-list")};
}

std::optional<ShotDrop> shotDropOf(const QMimeData *data)
{
    if (!data)
        return std::nullopt;
    if (data->hasFormat(kShotListMimeType))
        return ShotDrop{true, {}};
    if (!data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    // One square takes one picture: the first of several dropped files.
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return std::nullopt;
    const QString file = urls.first().toLocalFile();
    // An address with an encoded NUL (%00) is taken as it stands, so that the loader calls it
    // missing: asking the system about it would see only the part before the NUL.
    if (!file.contains(QChar(0)) && QFileInfo(file).isDir())
        return std::nullopt;
    return ShotDrop{false, file};
}

} // namespace camvista
