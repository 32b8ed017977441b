#pragma once

#include "printer_packet.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <vector>

namespace camvista::printer
{

// What a capture's text held, line by line and byte by byte.
struct CaptureCounts {
    qint64 lines = 0;
    qint64 byteLines = 0;    // lines of hexadecimal bytes
    qint64 commentLines = 0; // "//", "#" and "/* ... */"
    qint64 blankLines = 0;
    qint64 unknownLines = 0; // anything else: skipped whole
    qint64 bytes = 0;        // bytes read from the byte lines
    qint64 strayBytes = 0;   // bytes that belong to no packet and no printer reply
    qint64 packets = 0;
    qint64 checksumErrors = 0;
};

// Turns the text the printer emulators write into packets. The text may come in pieces of any
// size (a serial port) or at once (a file). Bytes are written as bare pairs ("88 33 01") or in
// C-array form ("0x88, 0x33,"), one packet a line or spread over many: the packets are found in
// the stream of bytes by their magic bytes and lengths, not by lines.
class CaptureParser
{
public:
    // Appends each packet the text completes to `packets`.
    void feed(const char *text, qsizetype size, QList<Packet> &packets);
    // The end of the input: a last line without its line break is read too. True when the
    // input ended inside a packet (its length runs past the end of the capture).
    bool finish(QList<Packet> &packets);

    const CaptureCounts &counts() const { return m_counts; }

    // A line this long holds no capture; it is counted as unknown and not kept in memory.
    static constexpr qsizetype kMaxLineLength = 1 << 20;

private:
    void takeLine(const char *begin, const char *end);
    void scanPackets(QList<Packet> &packets, bool atEnd);

    CaptureCounts m_counts;
    QByteArray m_partialLine;   // text after the last line break
    bool m_lineTooLong = false; // the partial line passed kMaxLineLength
    bool m_inBlockComment = false;
    std::vector<std::uint8_t> m_bytes; // bytes not yet part of a packet
    std::size_t m_start = 0;           // the first of them not yet looked at
    int m_replyBytesDue = 0;           // the printer's answer may follow a packet
    bool m_cutShort = false;
};

} // namespace camvista::printer
