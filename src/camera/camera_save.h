#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace camvista::camera
{

// Reading Game Boy Camera save files: the photos of the camera's album, the deleted photos whose
// pixels survive, the last picture seen through the lens and the game face, each decoded to a
// 128 x 112 picture in the four shot shades. Errors are values; callers decide what to show.

inline constexpr qsizetype kBankSize = 0x20000; // one camera save, 128 KiB
inline constexpr int kMaxBanks = 8;             // a dump of 1 MiB holds eight
inline constexpr int kSlotCount = 30;           // photo slots in one save
inline constexpr int kPhotoWidth = 128;
inline constexpr int kPhotoHeight = 112;
inline constexpr qsizetype kPictureBytes = 0xE00; // 16 x 14 tiles of 16 bytes
inline constexpr qsizetype kFirstSlot = 0x2000;   // slot k at kFirstSlot + k * kSlotSize
inline constexpr qsizetype kSlotSize = 0x1000;
inline constexpr qsizetype kStateVector = 0x11B2; // one byte per slot: album place or 0xFF
inline constexpr qsizetype kLastSeen = 0x0100;    // the picture last seen through the lens
inline constexpr qsizetype kGameFace = 0x11FC;    // the face the camera's games use
inline constexpr qsizetype kMarkerOffsets[] = {0x10D2, 0x11AB, 0x11D0, 0x11F5};
inline constexpr char kMarker[] = "Magic"; // five letters, without the terminator
inline constexpr std::uint8_t kFreeSlot = 0xFF;

enum class SaveError {
    None,
    Missing,    // no such file
    NotAFile,   // a folder, a pipe, a device
    Unreadable, // there, but it cannot be read
    WrongSize,  // neither 128 KiB nor a dump of whole 128 KiB banks up to 1 MiB
    NotASave,   // the right size, but no bank carries the camera's markers
};

struct Photo {
    int slot = 0;  // 0 to 29, where the camera keeps it
    int album = 0; // 1 to 30, its number in the camera's album; 0 for a deleted photo
    QImage picture;
};

struct SaveBank {
    int index = 0;        // 0 for the first 128 KiB of the file, 1 for the next, ...
    QList<Photo> album;   // in album order
    QList<Photo> deleted; // freed slots that still hold a picture, in slot order
    QImage lastSeen;
    QImage gameFace;
};

struct SaveRead {
    SaveError error = SaveError::None;
    QString path;
    QString detail;        // the system's own words where it gave some; for NotAFile what stands
                           // there ("a named pipe"), for WrongSize the size in bytes
    QList<SaveBank> banks; // only the banks that carry the markers, in file order

    bool ok() const { return error == SaveError::None; }
    // One sentence for a message or the command line, naming the file.
    QString message() const;
};

// Reads and decodes a save file. Only regular files are opened, the size is checked before
// anything is read, and every read is checked; nothing outside the file is ever looked at.
SaveRead readSaveFile(const QString &path);

// The same for bytes already in memory (`size` is the whole file).
SaveRead readSaveBytes(const std::uint8_t *data, std::size_t size);

// True when the bank at `bank` (kBankSize bytes) carries all four markers.
bool hasMarkers(const std::uint8_t *bank);

// Decodes kPictureBytes of 2-bit tiles into a 128 x 112 RGB32 picture: value 0 white,
// 1 light grey, 2 dark grey, 3 black.
QImage decodePicture(const std::uint8_t *tiles);

// A freed slot counts as holding a picture unless it is all white or all black.
bool holdsPicture(const std::uint8_t *tiles);

} // namespace camvista::camera
