#pragma once

#include "data/pixel_art.h"

#include <QRect>

// The program's mascot: a brick-shaped handheld with a ball camera on top. It appears on the
// splash, the icons and the about shots, in colour or in the four shades.
namespace camvista::data::art
{

struct HandheldLook {
    QRgb outline;
    QRgb body;
    QRgb bodyLight;
    QRgb bodyShade;
    QRgb bezel;
    QRgb screen;
    QRgb led;
    QRgb lensBody;
    QRgb lensGlass;
    QRgb lensGlint;
    QRgb buttons;
    QRgb buttonShade;
};

HandheldLook greyHandheld();   // strictly the four shades
HandheldLook colourHandheld(); // warm grey body, green screen, red light

struct HandheldParts {
    QRect body;
    QRect screen; // the glass inside the bezel, for the caller to fill
    QPoint lensCentre;
};

// Draws the handheld whose body is bodyWidth wide with its top-left at (x, y); the camera ball
// sticks out above y. Returns where the parts landed.
HandheldParts drawHandheld(Canvas &c, int x, int y, int bodyWidth, const HandheldLook &look);

// Height of the ball above the body top, so callers can lay the handheld out.
int handheldLensRise(int bodyWidth);
int handheldBodyHeight(int bodyWidth);

// The mascot's face on its screen: two eyes (or a wink), a smile and, on bigger screens, cheeks.
void drawScreenFace(Canvas &c, const QRect &screen, QRgb ink, QRgb cheek, bool wink);

} // namespace camvista::data::art
