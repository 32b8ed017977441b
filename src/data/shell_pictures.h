#pragma once

#include <QImage>
#include <QRect>

namespace camvista::data
{

// Pictures of the application shell. Each call draws its picture afresh; callers keep what
// they need. All are original and drawn by code.

enum class ToolbarIcon {
    Mosaik,     // mosaic editor
    Panorama,   // panorama maker
    WildFrames, // wild frames tool
    Converter,  // photo converter ("DuduRed Idarer")
    UserId,     // User ID dialog ("NBU")
    SaveDump,   // extract shots from a save file
    CameraLink, // transfer shots with a camera link cable ("MC")
    Community,  // the community web page ("frgbc")
};

QImage splashPicture();        // 334 x 250, opaque
QImage backgroundPhotograph(); // 1500 x 1004, opaque
// Where the photograph's moon shines: inside what the main window shows of the photograph at
// its opening size (640 x 341, the browser over the left 161 pixels, the toolbar on top), even
// with an editor open beside the browser.
QRect backgroundMoonBounds();
QImage toolbarIcon(ToolbarIcon which); // 48 x 48, ARGB32 premultiplied, transparent ground
QImage applicationIcon(int size);      // size x size (16, 32, 48, 256), ARGB32 premultiplied
QImage idCardPicture();                // 160 x 144, opaque, four shades
QImage aboutPicture();                 // 160 x 144, opaque: what the about window shows
QImage aboutSurprisePicture();         // 160 x 144, opaque: shown after a double click

} // namespace camvista::data
