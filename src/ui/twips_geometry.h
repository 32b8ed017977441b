#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace camvista
{

// A rectangle given in twips (left, top, width, height) in pixels.
QRect twipsRect(int left, int top, int width, int height);
// Places a control at a position and size given in twips.
void placeTwips(QWidget *widget, int left, int top, int width, int height);

// Where the program opens its small dialogs: centred across, and `raiseTwips` above the
// vertical centre of the screen. Never above or left of the area's origin, so the window can
// always be reached.
QPoint centredHigh(const QSize &screen, const QSize &window, int raiseTwips);

// The primary screen's size in pixels (800 x 600 when there is none).
QSize screenSize();

} // namespace camvista
