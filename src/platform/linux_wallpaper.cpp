#include "linux_wallpaper.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

namespace camvista
{

namespace
{

// A desktop tool that hangs must not freeze the program for ever.
constexpr int kToolTimeoutMs = 15000;

struct ToolRun {
    bool ok = false;
    QString output;
};

ToolRun run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(tool);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromLocal8Bit(process.readAllStandardOutput())};
}

// How each desktop names the three styles.
struct StyleNames {
    const char *gnome;  // picture-options of the gsettings desktops
    const char *xfce;   // xfce4-desktop's image-style
    const char *plasma; // plasma-apply-wallpaperimage's fill mode
};

StyleNames namesOf(Desktop::WallpaperStyle style)
{
    switch (style) {
    case Desktop::WallpaperStyle::Centered:
        return {"centered", "1", "pad"};
    case Desktop::WallpaperStyle::Stretched:
        return {"stretched", "3", "stretch"};
    case Desktop::WallpaperStyle::Tiled:
        break;
    }
    return {"wallpaper", "2", "tile"};
}

bool setGsettings(const QString &tool, const QString &schema, const QString &key,
                  const QString &value)
{
    return run(tool, {QStringLiteral("set"), schema, key, value}).ok;
}

bool applyGsettings(const QString &tool, DesktopKind kind, const QString &path,
                    Desktop::WallpaperStyle style)
{
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    const QString options = QString::fromLatin1(namesOf(style).gnome);
    switch (kind) {
    case DesktopKind::Gnome: {
        const QString schema = QStringLiteral("org.gnome.desktop.background");
        if (!setGsettings(tool, schema, QStringLiteral("picture-uri"), uri))
            return false;
        // Older GNOME has no dark-style picture: that key failing is no failure.
        setGsettings(tool, schema, QStringLiteral("picture-uri-dark"), uri);
        return setGsettings(tool, schema, QStringLiteral("picture-options"), options);
    }
    case DesktopKind::Cinnamon: {
        const QString schema = QStringLiteral("org.cinnamon.desktop.background");
        return setGsettings(tool, schema, QStringLiteral("picture-uri"), uri) &&
               setGsettings(tool, schema, QStringLiteral("picture-options"), options);
    }
    case DesktopKind::Mate: {
        const QString schema = QStringLiteral("org.mate.background");
        return setGsettings(tool, schema, QStringLiteral("picture-filename"), path) &&
               setGsettings(tool, schema, QStringLiteral("picture-options"), options);
    }
    default:
        return false;
    }
}

bool applyXfconf(const QString &tool, const QString &path, Desktop::WallpaperStyle style)
{
    const QString channel = QStringLiteral("xfce4-desktop");
    const ToolRun listing = run(tool, {QStringLiteral("-c"), channel, QStringLiteral("-l")});
    if (!listing.ok)
        return false;
    const QStringList properties = listing.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList images;
    for (const QString &line : properties) {
        if (line.trimmed().endsWith(QLatin1String("/last-image")))
            images.append(line.trimmed());
    }
    // A desktop that never had a picture set lists none: make the first monitor's.
    const bool fresh = images.isEmpty();
    if (fresh)
        images.append(QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image"));

    const auto set = [&](const QString &property, const QString &type, const QString &value) {
        QStringList arguments{QStringLiteral("-c"), channel, QStringLiteral("-p"), property};
        const bool listed = std::any_of(properties.cbegin(), properties.cend(),
                                        [&](const QString &p) { return p.trimmed() == property; });
        if (!listed)
            arguments << QStringLiteral("-n") << QStringLiteral("-t") << type;
        arguments << QStringLiteral("-s") << value;
        return run(tool, arguments).ok;
    };
    bool ok = true;
    for (const QString &image : images) {
        QString styleProperty = image;
        styleProperty.replace(styleProperty.size() - 10, 10, QStringLiteral("image-style"));
        ok = set(image, QStringLiteral("string"), path) && ok;
        ok = set(styleProperty, QStringLiteral("int"), QString::fromLatin1(namesOf(style).xfce)) &&
             ok;
    }
    return ok;
}

bool applyPlasma(const QString &tool, const QString &path, Desktop::WallpaperStyle style)
{
    if (run(tool, {QStringLiteral("--fill-mode"), QString::fromLatin1(namesOf(style).plasma), path})
            .ok)
        return true;
    // Plasma before 6.2 knows no fill mode: the picture at least.
    return run(tool, {path}).ok;
}

} // namespace

DesktopKind desktopKindOf(const QString &xdgCurrentDesktop)
{
    for (const QString &name : xdgCurrentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString n = name.trimmed().toLower();
        if (n == QLatin1String("gnome") || n == QLatin1String("unity") ||
            n == QLatin1String("budgie") || n == QLatin1String("pantheon") ||
            n == QLatin1String("gnome-classic") || n == QLatin1String("gnome-flashback"))
            return DesktopKind::Gnome;
        if (n == QLatin1String("x-cinnamon") || n == QLatin1String("cinnamon"))
            return DesktopKind::Cinnamon;
        if (n == QLatin1String("mate"))
            return DesktopKind::Mate;
        if (n == QLatin1String("xfce"))
            return DesktopKind::Xfce;
        if (n == QLatin1String("kde"))
            return DesktopKind::Plasma;
    }
    return DesktopKind::Unknown;
}

Desktop::WallpaperResult applyLinuxWallpaper(const QString &path, Desktop::WallpaperStyle style,
                                             const QString &xdgCurrentDesktop)
{
    const DesktopKind kind = desktopKindOf(xdgCurrentDesktop);
    QString toolName;
    switch (kind) {
    case DesktopKind::Unknown:
        return Desktop::WallpaperResult::NoSupportedDesktop;
    case DesktopKind::Gnome:
    case DesktopKind::Cinnamon:
    case DesktopKind::Mate:
        toolName = QStringLiteral("gsettings");
        break;
    case DesktopKind::Xfce:
        toolName = QStringLiteral("xfconf-query");
        break;
    case DesktopKind::Plasma:
        toolName = QStringLiteral("plasma-apply-wallpaperimage");
        break;
    }
    const QString tool = QStandardPaths::findExecutable(toolName);
    if (tool.isEmpty())
        return Desktop::WallpaperResult::NoSupportedDesktop;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    bool ok = false;
    if (kind == DesktopKind::Xfce)
        ok = applyXfconf(tool, absolute, style);
    else if (kind == DesktopKind::Plasma)
        ok = applyPlasma(tool, absolute, style);
    else
        ok = applyGsettings(tool, kind, absolute, style);
    return ok ? Desktop::WallpaperResult::Applied : Desktop::WallpaperResult::Failed;
}

} // namespace camvista
