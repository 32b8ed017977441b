#pragma once

#include <QImage>
#include <QRect>

namespace camvista::data
{

// Pictures of the shot editor window.

enum class ConsoleColour { Blue, Green };

// The handheld console body drawn behind the editor's controls: 319 x 480, opaque.
QImage consoleBody(ConsoleColour colour);
// Where the body's "CAMVISTA pocket" logo lies, shadow included: between the screen's bezel
// and the step panels, which cover the body from 256 pixels down.
QRect consoleLogoBounds();

} // namespace camvista::data
