#pragma once

#include <QImage>

namespace camvista::data
{

// Pictures of the photo converter window ("DuduRed Idarer"), drawn afresh at each call.
QImage converterBackground(); // 318 x 225, opaque: the artwork around the result shot
QImage converterSampleShot(); // 160 x 144, opaque, four shades: shown before any conversion

} // namespace camvista::data
