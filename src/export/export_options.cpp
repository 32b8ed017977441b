#include "export_options.h"

#include "colour/palette_catalogue.h"
#include "platform/app_paths.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace camvista::exporting
{

QString PaletteChoice::label() const
{
    switch (kind) {
    case Kind::Keep:
        return QStringLiteral("greys");
    case Kind::Named: {
        const auto palettes = namedPalettes();
        if (catalogueIndex >= 0 && std::size_t(catalogueIndex) < palettes.size())
            return palettes[std::size_t(catalogueIndex)].caption.toString();
        return QStringLiteral("palette");
    }
    case Kind::Custom:
        return QStringLiteral("custom");
    }
    return {};
}

QString FrameChoice::label() const
{
    switch (kind) {
    case Kind::Keep:
        return QStringLiteral("asis");
    case Kind::None:
        return QStringLiteral("noframe");
    case Kind::Default:
        return QStringLiteral("frame%1").arg(number);
    case Kind::Custom:
        return name;
    }
    return {};
}

QString checkOptions(const ExportOptions &options)
{
    if (options.scale < ExportOptions::kMinScale || options.scale > ExportOptions::kMaxScale)
        return QStringLiteral("The scale must be a whole factor from %1 to %2.")
            .arg(ExportOptions::kMinScale)
            .arg(ExportOptions::kMaxScale);
    if (!(options.gamma > 0.0) || !std::isfinite(options.gamma))
        return QStringLiteral("The gamma must be a number above 0.");
    if (options.palette.kind == PaletteChoice::Kind::Named &&
        (options.palette.catalogueIndex < 0 ||
         std::size_t(options.palette.catalogueIndex) >= namedPalettes().size()))
        return QStringLiteral("There is no such palette.");
    if (options.frame.kind == FrameChoice::Kind::Default &&
        (options.frame.number < 1 || options.frame.number > 21))
        return QStringLiteral("The default frames are numbered 1 to 21.");
    if (options.frame.kind == FrameChoice::Kind::Custom && options.frame.name.isEmpty())
        return QStringLiteral("No custom frame was named.");
    if (options.animate && options.delayMs < 0)
        return QStringLiteral("The delay between frames cannot be negative.");
    if (options.animate && (options.loopCount < 0 || options.loopCount > 65535))
        return QStringLiteral("The loop count must be from 0 (forever) to 65535.");
    if (options.destination.isEmpty())
        return QStringLiteral("No destination folder was given.");
    if (options.namePattern.trimmed().isEmpty())
        return QStringLiteral("The name pattern is empty.");
    return {};
}

QString outputBaseName(const ExportOptions &options, const QString &sourcePath)
{
    QString name = options.namePattern;
    name.replace(QStringLiteral("{name}"), QFileInfo(sourcePath).completeBaseName());
    name.replace(QStringLiteral("{palette}"), options.palette.label());
    name.replace(QStringLiteral("{frame}"), options.frame.label());
    name.replace(QStringLiteral("{scale}"), QString::number(options.scale));
    // A name never leaves the destination folder nor holds what file systems refuse.
    for (QChar &c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
            c == QChar(0x7F))
            c = QLatin1Char('_');
    }
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("_");
    return name;
}

QString outputExtension(const ExportOptions &options)
{
    if (options.animate)
        return QStringLiteral("gif");
    switch (options.format) {
    case ExportFormat::Png:
        return QStringLiteral("png");
    case ExportFormat::Bmp:
        return QStringLiteral("bmp");
    case ExportFormat::Gif:
        return QStringLiteral("gif");
    }
    return {};
}

QString defaultExportFolder(const AppPaths &paths)
{
    return QDir(paths.shotsFolder()).filePath(QStringLiteral("Exports"));
}

} // namespace camvista::exporting
