#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <utility>

namespace camvista::data
{

// The stamps that come with the program, by file name without extension: ARGB32 pictures with
// straight alpha, fully see-through around the motif, some with soft half-transparent edges.
// The build writes them into the application folder as stamps/<name>.png.
QList<std::pair<QString, QImage>> stampPictures();

} // namespace camvista::data
