#include "dump_frames.h"

#include "camera/camera_save.h"
#include "shotwork/frames.h"

namespace camvista::dump
{

namespace
{

QString framesFolder(const AppPaths &paths)
{
    return paths.file(QStringLiteral("frames"));
}

DumpFrame offered(const shotwork::FrameEntry &entry)
{
    return DumpFrame{entry.isDefault() ? QString::number(entry.number) : entry.name, entry.label,
                     entry.path, entry.number};
}

} // namespace

QList<DumpFrame> offeredFrames(const AppPaths &paths)
{
    QList<DumpFrame> frames{DumpFrame{kNoFrame, kNoFrameLabel, {}}};
    for (const shotwork::FrameEntry &entry : shotwork::availableFrames(framesFolder(paths)))
        frames.append(offered(entry));
    return frames;
}

std::optional<DumpFrame> frameNamed(const AppPaths &paths, const QString &key)
{
    if (key == kNoFrame)
        return DumpFrame{kNoFrame, kNoFrameLabel, {}};
    const QList<shotwork::FrameEntry> frames = shotwork::availableFrames(framesFolder(paths));
    if (const shotwork::FrameEntry *entry = shotwork::findFrame(frames, key))
        return offered(*entry);
    return std::nullopt;
}

PictureLoad loadFrame(const DumpFrame &frame)
{
    return loadPictureFile(frame.path);
}

QImage framedPhoto(const QImage &photo, const QImage &frame)
{
    if (frame.isNull() || photo.size() != QSize(camera::kPhotoWidth, camera::kPhotoHeight))
        return photo;
    return shotwork::framedShot(photo, frame);
}

QString settingsFileOf(const AppPaths &paths)
{
    return AppPaths{paths.folder, QStringLiteral("camvista")}.settingsFile();
}

} // namespace camvista::dump
