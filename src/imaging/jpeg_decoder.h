#pragma once

#include "picture_file.h"

#include <QImage>
#include <QSize>

namespace camvista
{

// More scans than any real encoder writes (libjpeg's own tools stop at this many): a file with
// more is refused before its scans are decoded, each of which can cost a pass over the picture.
inline constexpr int kMaxJpegScans = 100;

struct JpegDecode {
    QImage image; // RGB32; null on failure
    FileError error = FileError::None;
};

// The size a JPEG of `size` is decoded at when the caller needs at least `atLeast`: the
// smallest of 1/1, 1/2, 1/4 and 1/8 that keeps both sides at least twice `atLeast`. An empty
// `atLeast` means the full size.
QSize jpegDecodeSize(const QSize &size, const QSize &atLeast);

// Decodes a whole JPEG held in memory, shrunk on the way by libjpeg's DCT scaling as
// jpegDecodeSize says. Every corrupt-data warning of the decoder counts as damage whatever the
// logging rules say, and stops the decoding at once: Damaged. A picture past the size cap is
// TooLarge before any pixel is decoded; more than kMaxJpegScans scans is Damaged.
JpegDecode decodeJpeg(const uchar *data, qint64 size, const QSize &atLeast = {});

} // namespace camvista
