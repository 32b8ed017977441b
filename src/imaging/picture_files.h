#pragma once

#include "picture_file.h"

#include <QImage>
#include <QRgb>
#include <QString>

namespace camvista
{

// A numbered error as the imaging routines report it: number, the module it came from, and a
// description the caller may show. Number 0 means no error.
struct ModuleError {
    int number = 0;
    QString source;
    QString description;

    bool isError() const { return number != 0; }
};

inline constexpr int kErrorLoadingPicture = 999;
inline constexpr int kErrorInvalidArgument = 5;
// The toolkit's "out of memory": a picture past the program's size cap is never decoded.
inline constexpr int kErrorPictureTooLarge = 7;
inline const QString kPictureModule = QStringLiteral("GDI+ Module");

struct ScaledPicture {
    QImage picture; // 32-bit RGB, null on error
    ModuleError error;

    bool ok() const { return !error.isError(); }
};

// Loads a picture file onto a canvas of width x height filled with `backColour`.
// -1 in width or height means the picture's own size, and then both are written back with it.
// Stretched to the whole canvas, or with `keepRatio` drawn as large as fits at the top-left
// corner. Resampling is bicubic (Catmull-Rom); a picture drawn at its own size is copied
// exactly. An unreadable file gives error 999, a picture past the size cap error 7; both leave
// width and height as passed.
ScaledPicture LoadScaledPicture(const QString &path, int &width, int &height, QRgb backColour,
                                bool keepRatio);

// Format codes of ConvertPictureFile: 0 BMP, 1 PNG, 2 GIF, 3 and above JPEG at that quality,
// below 0 JPEG at quality -code - 1.
inline constexpr int kConvertBmp = 0;
inline constexpr int kConvertPng = 1;
inline constexpr int kConvertGif = 2;

// Status 0 is success; otherwise the FileError of what failed, as a number.
inline constexpr int kConvertOk = 0;

// Reads `source` through the program's loader and writes it to `destination` in the format of
// `formatCode`. BMP is 32-bit straight-alpha BGRA, bottom row first, behind a 54-byte header for
// a picture with an alpha channel, else the usual 24-bit layout. Never throws; `detail`, when
// given, receives the full status of a failure.
int ConvertPictureFile(const QString &source, const QString &destination, int formatCode,
                       FileStatus *detail = nullptr);

// The JPEG quality of a format code, or -1 when the code is not JPEG.
int jpegQualityOfCode(int formatCode);

} // namespace camvista
