#pragma once

#include <QImage>

namespace camvista::data {

// Pictures of the shot browser panel.

enum class BrowserIcon {
    DeleteShot,     // "Delete shot"
    OpenFolder,     // "Open folder"
    MessengerAvatar,// "Set as Live Messenger avatar"
    RefreshList,    // "Refresh the shotlist"
};

QImage browserIcon(BrowserIcon which); // 24 x 24, ARGB32 premultiplied, transparent ground
QImage previewPlaceholder();           // 160 x 144, opaque, four shades: "no shot selected"
QImage previewCursor();                // 32 x 32, ARGB32 premultiplied; hot spot in its centre

} // namespace camvista::data
