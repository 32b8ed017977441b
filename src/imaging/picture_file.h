#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace camvista
{

// The one way the program reads and writes picture files. Errors are values; windows decide
// what the user sees (message() gives plain words for it).

inline constexpr int kMaxPictureSide = 16384;
inline constexpr qint64 kMaxPicturePixels = 64LL * 1024 * 1024;

enum class FileError {
    None,
    Missing,        // no such file or folder
    NotAFile,       // a folder, pipe, device or socket
    Unreadable,     // exists but cannot be opened for reading
    NotAPicture,    // content is not BMP, GIF, JPEG or PNG
    TooLarge,       // wider or higher than kMaxPictureSide or more than kMaxPicturePixels
    Damaged,        // the format is known but the data is cut short or corrupt
    WriteProtected, // the file that stands there is read-only
    CannotWrite,    // the folder is missing or unwritable, the disk is full, ...
    InvalidPicture, // asked to save an empty picture
    AlreadyExists,  // a file already stands where a write that never replaces was to go
};

struct FileStatus {
    FileError error = FileError::None;
    QString path;
    QString detail; // the system's own words where it gave some, else empty

    bool ok() const { return error == FileError::None; }
    // One sentence for a message box, naming the file.
    QString message() const;
};

struct PictureLoad {
    QImage image; // null on failure, and for an empty path
    FileStatus status;

    bool ok() const { return status.ok(); }
};

// Reads a BMP, GIF, JPEG or PNG file. Only regular files; format from the content; the size
// cap is checked before decoding; a BMP shorter than its pixel data is refused. An empty path
// gives an empty picture and no error.
PictureLoad loadPictureFile(const QString &path);

// Writes the picture as an uncompressed 24-bit bottom-up BMP (54-byte header). The file is
// replaced atomically: a failure leaves whatever stood at `path` untouched.
FileStatus savePictureBmp(const QImage &image, const QString &path);

// Writes the same pixels as savePictureBmp (no alpha) as a PNG file, replaced just as safely.
FileStatus savePicturePng(const QImage &image, const QString &path);

// The bytes savePictureBmp and savePicturePng write, for callers that hand them to the safe
// writer themselves (writeUnderFreeName). On failure `bytes` is empty and `status` (without a
// path) says why.
struct EncodedPicture {
    QByteArray bytes;
    FileStatus status;

    bool ok() const { return status.ok(); }
};
EncodedPicture encodePictureBmp(const QImage &image);
EncodedPicture encodePicturePng(const QImage &image);

// Writes a picture with alpha as a 32-bit BMP: 14-byte file header, 40-byte information header,
// then width x height x 4 bytes of blue, green, red, straight alpha, bottom row first.
FileStatus savePictureBmp32(const QImage &image, const QString &path);

} // namespace camvista
