#include "frames.h"

#include "shot_geometry.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace camvista::shotwork
{

QImage editorCanvas(const QImage &picture)
{
    if (!isInnerPicture(picture.size()))
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage canvas(kFramedSize, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(kInnerRect.topLeft(), picture);
    return canvas;
}

QImage framedShot(const QImage &picture, const QImage &frame)
{
    QImage shot = editorCanvas(picture);
    if (frame.isNull() || shot.isNull())
        return shot;
    // Frame files are GIFs: every pixel is either opaque or the transparent centre, so drawing
    // over the canvas keeps exactly the frame's opaque pixels, as the editor's overlay does.
    QPainter painter(&shot);
    painter.drawImage(QPoint(0, 0), frame);
    return shot;
}

QImage innerPicture(const QImage &shot)
{
    if (!isFramedShot(shot.size()))
        return shot;
    return shot.copy(kInnerRect);
}

QList<FrameEntry> availableFrames(const QString &framesFolder)
{
    QList<FrameEntry> frames;
    const QDir folder(framesFolder);
    for (int n = 1; n <= kDefaultFrameCount; ++n) {
        const QString path = folder.filePath(QStringLiteral("default/%1.gif").arg(n));
        if (QFileInfo(path).isFile())
            frames.append({n, QString(), QStringLiteral("Frame %1").arg(n), path});
    }

    // In the order of the editor's list of custom frames: "*.gif" in any case, by name whatever
    // the case, names that differ only in case in a fixed order.
    const QDir custom(folder.filePath(QStringLiteral("custom")));
    QFileInfoList files = custom.entryInfoList({QStringLiteral("*.gif")}, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const int c = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.fileName() < b.fileName();
    });
    for (const QFileInfo &file : files) {
        const QString name = file.fileName().chopped(4);
        frames.append({0, name, name, file.filePath()});
    }
    return frames;
}

const FrameEntry *findDefaultFrame(const QList<FrameEntry> &frames, int number)
{
    for (const FrameEntry &entry : frames)
        if (entry.isDefault() && entry.number == number)
            return &entry;
    return nullptr;
}

const FrameEntry *findCustomFrame(const QList<FrameEntry> &frames, const QString &name)
{
    for (const FrameEntry &entry : frames)
        if (!entry.isDefault() && entry.name == name)
            return &entry;
    return nullptr;
}

const FrameEntry *findFrame(const QList<FrameEntry> &frames, const QString &numberOrName)
{
    bool isNumber = false;
    const int number = numberOrName.toInt(&isNumber);
    if (isNumber) {
        if (const FrameEntry *entry = findDefaultFrame(frames, number))
            return entry;
    }
    // A custom frame may well be called "7": the name is tried when no default frame has it.
    return findCustomFrame(frames, numberOrName);
}

} // namespace camvista::shotwork
