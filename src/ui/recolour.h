#pragma once

#include "colour/replacement.h"

#include <QImage>

#include <span>

namespace camvista
{

class Desktop;
class PictureSurface;

// Applies a named palette: the surface starts again from `held` (the shot as it stood when the
// recolouring step began, so palettes never add up), the passes run on its drawing layer in
// order, and the surface is committed onto itself, which also puts it on the clipboard.
// False, with nothing committed, when there was no memory for the recoloured picture.
bool applyPalette(PictureSurface &picture, const QImage &held, std::span<const ColourPass> passes,
                  Desktop &desktop);

} // namespace camvista
