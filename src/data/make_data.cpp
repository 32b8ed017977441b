// Writes the pictures the application folder ships with: camvista_make_data <folder>.
// The build runs it into the runnable application folder; `cmake --install` copies the result.
// With --icons it writes the menu icons of both programs instead, as an icon theme's folders.
#include "data/frame_pictures.h"
#include "data/shell_pictures.h"
#include "data/stamp_pictures.h"
#include "data/wild_frames.h"
#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"
#include "imaging/safe_write.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QList>
#include <QPainter>
#include <QTextStream>

#include <cstdio>
#include <span>

namespace
{

using namespace camvista;

// One file to write, by its path inside the application folder.
struct DataFile {
    QString path;
    QImage image;
};

using Writer = FileStatus (*)(const QImage &, const QString &);

// A kind of data: the writer of its file format and the files themselves. A new kind (stamps
// as PNG, wild frames as BMP) is one function giving its files and one row in kKinds.
struct DataKind {
    const char *what;
    Writer write;
    QList<DataFile> (*files)();
};

QList<DataFile> defaultFrames()
{
    QList<DataFile> files;
    for (int n = 1; n <= data::defaultFrameCount(); ++n)
        files.append({QStringLiteral("frames/default/%1.gif").arg(n), data::defaultFrame(n)});
    return files;
}

QList<DataFile> customFrames()
{
    QList<DataFile> files;
    for (const auto &[name, image] : data::customFrames())
        files.append({QStringLiteral("frames/custom/%1.gif").arg(name), image});
    return files;
}

QList<DataFile> stamps()
{
    QList<DataFile> files;
    for (const auto &[name, image] : data::stampPictures())
        files.append({QStringLiteral("stamps/%1.png").arg(name), image});
    return files;
}

QList<DataFile> wildFrames()
{
    QList<DataFile> files;
    for (const data::WildFrame &frame : data::wildFrames()) {
        files.append({QStringLiteral("frames/wild/%1_1.bmp").arg(frame.name), frame.top});
        files.append({QStringLiteral("frames/wild/%1_2.bmp").arg(frame.name), frame.bottom});
    }
    return files;
}

// Stamps keep their alpha channel, which only PNG of our formats carries.
FileStatus savePng(const QImage &image, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return FileStatus{FileError::CannotWrite, path, writer.errorString()};
    return writeFileSafely(path, bytes);
}

// Desktops pick the nearest of these sizes for menus, docks and file managers.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

// The companion's toolbar picture at `size`: whole-factor enlarged and centred from 48 up, so
// its pixels stay crisp, smoothly reduced below.
QImage dumpIcon(int size)
{
    const QImage art = data::toolbarIcon(data::ToolbarIcon::SaveDump);
    if (size < art.width())
        return art.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int factor = size / art.width();
    const QImage big =
        art.scaled(art.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter(&icon).drawImage((size - big.width()) / 2, (size - big.height()) / 2, big);
    return icon;
}

QList<DataFile> icons()
{
    QList<DataFile> files;
    for (const int size : kIconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps/").arg(size);
        files.append(
            {folder + QStringLiteral("org.camvista.Camvista.png"), data::applicationIcon(size)});
        files.append({folder + QStringLiteral("org.camvista.VUDaviziDump.png"), dumpIcon(size)});
    }
    return files;
}

constexpr DataKind kKinds[] = {
    {"default frames", &saveGif, &defaultFrames},
    {"custom frames", &saveGif, &customFrames},
    {"stamps", &savePng, &stamps},
    {"wild frames", &savePictureBmp, &wildFrames},
};
constexpr DataKind kIconKinds[] = {{"icons", &savePng, &icons}};

int fail(const QString &message)
{
    QTextStream(stderr) << "camvista_make_data: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool iconsOnly = args.size() == 3 && args[1] == QLatin1String("--icons");
    if ((args.size() != 2 && !iconsOnly) || args.last().isEmpty())
        return fail(QStringLiteral("usage: camvista_make_data [--icons] <folder>"));
    const QDir root(args.last());

    int written = 0;
    for (const DataKind &kind :
         iconsOnly ? std::span<const DataKind>(kIconKinds) : std::span<const DataKind>(kKinds)) {
        for (const DataFile &file : kind.files()) {
            const QString path = root.filePath(file.path);
            if (file.image.isNull())
                return fail(QStringLiteral("%1: nothing was drawn for %2")
                                .arg(QLatin1String(kind.what), path));
            const QString folder = QFileInfo(path).absolutePath();
            if (!QDir().mkpath(folder))
                return fail(QStringLiteral("cannot make the folder %1").arg(folder));
            const FileStatus status = kind.write(file.image, path);
            if (!status.ok())
                return fail(status.message());
            ++written;
        }
    }
    QTextStream(stdout) << "camvista_make_data: " << written << " files in "
                        << QDir::toNativeSeparators(root.absolutePath()) << '\n';
    return 0;
}
