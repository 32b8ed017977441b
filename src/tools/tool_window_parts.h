#pragma once

#include <QRgb>
#include <QSize>
#include <QString>

#include <span>
#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QWidget;

namespace camvista
{

class DropSquare;

// Pieces the mosaic editor and the panorama maker are both built from.

// The fixed background colour of the grid square in that column (0 to 7) and line (0 to 5).
// The mosaic's 6 x 5 squares carry the same colours as the panorama's first ones.
QRgb squareColour(int column, int line);
// The colours of a grid of that many columns and lines, line by line.
std::vector<QRgb> squareColours(int columns, int lines);

// A count after a "-" (delta -1) or "+" (delta +1) click: at or beyond a bound it is set to that
// bound, else it moves by one.
int steppedCount(int count, int delta, int low, int high);

// "<prefix>Width = 16.9 cm; Height = 15.2 cm" for a size in pixels, in the "##.#" centimetre
// format with the user's decimal mark.
QString centimetreSizeText(const QString &prefix, const QSize &pixels);

// A 17 x 17 button or a label at a pixel position.
QPushButton *smallButton(QWidget *parent, const char *name, const QString &caption, int x, int y);
QLabel *placedLabel(QWidget *parent, const char *name, const QString &text, int x, int y,
                    int width = 17, int height = 17);

// A menu command of a child window; the main window shows it while the window is active.
QAction *menuCommand(QWidget *form, const char *name, const QString &text);

// Squares of `size` without gaps, line by line, `columns` to a line; colours in the same order.
// Each is named `Picture1_<index>`.
std::vector<DropSquare *> buildSquares(QWidget *container, int columns, const QSize &size,
                                       std::span<const QRgb> colours);

// Closes the form: its child window in the workspace, or the form itself when it stands alone.
void closeForm(QWidget *form);

} // namespace camvista
