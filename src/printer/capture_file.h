#pragma once

#include "capture_parser.h"
#include "print_decoder.h"

#include <QList>
#include <QString>

namespace camvista::printer
{

// Text of a capture in, prints out: the parser and the decoder together, for a file read at
// once and for a serial port read as it comes.
class CaptureReader
{
public:
    // The prints that the text completes, in order.
    QList<PrintResult> feed(const char *text, qsizetype size);
    QList<PrintResult> feed(const QByteArray &text) { return feed(text.constData(), text.size()); }
    // The end of the capture: prints still waiting for their print command come out cut short.
    QList<PrintResult> finish();

    const CaptureCounts &counts() const { return m_parser.counts(); }
    // After finish: the capture ended inside a packet.
    bool endedInsidePacket() const { return m_endedInsidePacket; }

private:
    CaptureParser m_parser;
    PrintDecoder m_decoder;
    QList<Packet> m_packets;
    bool m_endedInsidePacket = false;
};

// A capture file is text; a larger one than this is no capture of any printer session.
inline constexpr qint64 kMaxCaptureFileSize = 256LL * 1024 * 1024;

struct CaptureRead {
    enum class Error { None, Missing, NotAFile, Unreadable, TooLarge, Binary };

    Error error = Error::None;
    QString path;
    QString detail; // the system's own words where it gave some
    QList<PrintResult> prints;
    CaptureCounts counts;
    bool endedInsidePacket = false;

    bool ok() const { return error == Error::None; }
    // One sentence naming the file, for a failed read.
    QString message() const;
};

// Reads a capture file: only regular text files, never more than kMaxCaptureFileSize bytes.
CaptureRead readCaptureFile(const QString &path);
// The same for text already in memory; a NUL byte makes it binary.
CaptureRead readCaptureBytes(const QByteArray &bytes);

} // namespace camvista::printer
