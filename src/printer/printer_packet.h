#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace camvista::printer
{

// What the camera (or a game) sends the printer: the magic bytes 0x88 0x33, a command, a
// compression flag, a 16-bit little-endian length, the data and a 16-bit little-endian checksum
// of everything from the command to the end of the data; the printer answers with two bytes.
enum class Command : std::uint8_t {
    Initialise = 0x01,
    Print = 0x02,
    Data = 0x04,
    Break = 0x08,
    Status = 0x0F,
};

inline constexpr std::uint8_t kMagic0 = 0x88;
inline constexpr std::uint8_t kMagic1 = 0x33;
inline constexpr int kHeaderSize = 6;      // magic, command, compression, length
inline constexpr int kMaxDataLength = 640; // two rows of twenty tiles
inline constexpr int kPrintWidth = 160;
inline constexpr int kTilesAcross = 20;
inline constexpr int kTileBytes = 16;                           // 8 x 8 pixels, 2 bits each
inline constexpr int kTileRowBytes = kTilesAcross * kTileBytes; // 320 bytes, 8 pixels high
inline constexpr int kBandBytes = 2 * kTileRowBytes;            // one full data packet
inline constexpr int kMaxBandsPerPrint = 16;                    // 256 pixels

struct Packet {
    int number = 0; // 1 for the first packet of the capture
    Command command = Command::Status;
    bool compressed = false;
    QByteArray data;            // as sent: still run-length coded when compressed
    std::uint16_t checksum = 0; // as sent
    std::uint16_t computed = 0; // what the bytes add up to

    bool checksumMatches() const { return checksum == computed; }
};

// True for the commands a printer knows.
bool isKnownCommand(std::uint8_t command);

// The sum of the command, the compression flag, both length bytes and every data byte.
std::uint16_t packetChecksum(std::uint8_t command, bool compressed, QByteArrayView data);

// Undoes the printer's run-length coding, appending to `out`: a control byte below 0x80 is
// followed by control + 1 literal bytes, one from 0x80 up by one byte that stands
// (control - 0x80) + 2 times. False when a run reaches past the end of `in`.
bool decompress(QByteArrayView in, QByteArray &out);

} // namespace camvista::printer
