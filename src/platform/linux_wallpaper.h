#pragma once

#include "desktop.h"

#include <QString>
#include <QStringList>

namespace camvista
{

// The desktops whose background the program knows how to set, told apart by
// XDG_CURRENT_DESKTOP (a colon-separated list such as "ubuntu:GNOME").
enum class DesktopKind { Unknown, Gnome, Cinnamon, Mate, Xfce, Plasma };
DesktopKind desktopKindOf(const QString &xdgCurrentDesktop);

// Sets the background of the running desktop through its own command-line tool (gsettings,
// xfconf-query or plasma-apply-wallpaperimage, found on PATH). NoSupportedDesktop when the
// desktop is not one of the above or its tool is missing; Failed when the tool refused.
Desktop::WallpaperResult applyLinuxWallpaper(const QString &path, Desktop::WallpaperStyle style,
                                             const QString &xdgCurrentDesktop);

} // namespace camvista
