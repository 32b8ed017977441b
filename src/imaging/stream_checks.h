#pragma once

#include "picture_file.h"

#include <QSize>
#include <QtGlobal>

namespace camvista
{

// Checks of a picture file's own structure, made before Qt decodes it: Qt decodes GIF and JPEG
// files that end early without an error, and reports a GIF's first frame as its size although
// it hands back the whole logical screen.

// The logical screen of a GIF (its first 10 bytes), or an invalid size when too short.
QSize gifScreenSize(const uchar *data, qint64 size);

// Walks every block up to the trailer and decodes the first frame, which is what the program
// shows: Damaged when anything ends before it should, TooLarge when the screen or the first
// frame is past the cap, else None. Bytes after the trailer are ignored.
FileError checkGifStream(const uchar *data, qint64 size);

// Walks the JPEG markers and the entropy-coded data between them up to the end-of-image
// marker: Damaged when the file ends first, a segment runs past the end or there are more
// than kMaxJpegScans scans, else None. Bytes after the end-of-image marker are ignored.
FileError checkJpegStream(const uchar *data, qint64 size);

} // namespace camvista
