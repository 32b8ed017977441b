#pragma once

#include <QImage>

namespace camvista::data {

// Pictures of the shot editor window.

enum class ConsoleColour { Blue, Green };

// The handheld console body drawn behind the editor's controls: 319 x 480, opaque.
QImage consoleBody(ConsoleColour colour);

} // namespace camvista::data
