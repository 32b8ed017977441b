#pragma once

#include <QImage>

namespace camvista::data
{

// Pictures of the mosaic editor and the panorama maker.

enum class ToolKind { Mosaic, Panorama };

// The preview before a shot is picked: 160 x 144, opaque, four shades, a framed shot whose
// picture says to pick a shot and drag it to the squares.
QImage toolPreviewPlaceholder();

// The picture on the "Set the mosaic as wallpaper" button: 96 x 96, ARGB32 premultiplied, a
// screen showing a mosaic or a panorama, on a transparent ground.
QImage wallpaperButtonPicture(ToolKind kind);

} // namespace camvista::data
