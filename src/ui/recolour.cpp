#include "recolour.h"

#include "picture_surface.h"

namespace camvista
{

bool applyPalette(PictureSurface &picture, const QImage &held, std::span<const ColourPass> passes,
                  Desktop &desktop)
{
    picture.setPicture(held);
    if (!runPasses(picture.layer(), passes))
        return false;
    picture.update();
    commitSurface(picture, picture, desktop);
    return true;
}

} // namespace camvista
