#pragma once

#include "printer_packet.h"

#include <QImage>
#include <QList>
#include <QString>

namespace camvista::printer
{

// One print the capture asked for: the image data received since the previous print.
struct PrintResult {
    enum class Outcome {
        Printed,  // `picture` holds it
        CutShort, // the capture ended before its print command
        TooTall,  // more than kMaxBandsPerPrint bands of two tile rows
        BadWidth, // its data is no whole number of rows of twenty tiles
        BadData,  // a compressed packet's runs reach past its end
    };

    int number = 0; // 1 for the first print of the capture
    Outcome outcome = Outcome::Printed;
    QImage picture; // 160 pixels wide in the four shot shades; null unless Printed
    int sheets = 0;
    int marginBefore = 0; // in line feeds, as the print command gives them
    int marginAfter = 0;
    int palette = 0xE4; // 2 bits a pixel value, value 0 lowest: which shade it prints as
    int exposure = 0;
    int firstPacket = 0; // packet numbers of the capture
    int lastPacket = 0;
    QList<int> mismatchedPackets; // packets whose checksum does not match, the print's own too
    int faultyPacket = 0;         // for BadData: which packet

    bool printed() const { return outcome == Outcome::Printed; }
    // Why a print that was not printed could not be: one sentence naming the print.
    QString reason() const;
    // "Print 2: packets 14, 16 do not match their checksum.", or empty when all matched.
    QString checksumNote() const;
};

// Turns packets into prints, as the printer does: an initialise empties its memory, data
// packets fill it, a print command prints what it holds through its palette, a break cancels.
class PrintDecoder
{
public:
    void take(const Packet &packet, QList<PrintResult> &prints);
    // No more packets: image data still waiting for its print command is reported cut short.
    void finish(QList<PrintResult> &prints);

    int printsSeen() const { return m_number; }

private:
    void startPrint(const Packet &packet);
    void reset();

    int m_number = 0;
    bool m_open = false; // data arrived since the last print, initialise or break
    QByteArray m_data;   // plain tile data, at most kMaxBandsPerPrint bands
    PrintResult m_current;
};

// 160 pixels wide, eight rows a row of tiles, each value mapped through `palette` to the four
// shot shades. `tiles` holds whole rows of twenty tiles.
QImage picturesOfTiles(QByteArrayView tiles, int palette);

} // namespace camvista::printer
