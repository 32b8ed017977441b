#pragma once

#include "picture_file.h"

#include <QImage>
#include <QString>

struct GifFileType;

namespace camvista
{

// GIF cannot describe a side longer than this; giflib would silently wrap a longer one.
inline constexpr int kMaxGifSide = 65535;

// Writes the picture as a single-image GIF file.
//
// A picture with at most 256 distinct colours, counting all fully transparent pixels as one
// extra colour, is written exactly: its own colours form the palette and the transparent pixels
// become the GIF's transparent colour, so a frame with a see-through centre reads back pixel for
// pixel. Pixels that are only partly transparent count as their opaque colour. A picture with
// more colours is reduced to 256 by giflib's quantiser and loses its transparency.
//
// The file is replaced atomically: a failure leaves whatever stood at `path` untouched.
FileStatus saveGif(const QImage &image, const QString &path);

// giflib's output function for encoding into memory: appends to the QByteArray that the file's
// UserData points at. 0 when the bytes could not be kept, which giflib takes as a write error.
int appendGifBytes(GifFileType *gif, const unsigned char *data, int length);

} // namespace camvista
