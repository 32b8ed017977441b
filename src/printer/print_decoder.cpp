#include "print_decoder.h"

#include "colour/shades.h"

#include <array>

namespace camvista::printer
{

namespace
{

constexpr std::array<QRgb, 4> kShadeOfValue = {kWhite, kLightGrey, kDarkGrey, kBlack};

QString packetList(const QList<int> &numbers)
{
    QStringList names;
    for (const int n : numbers)
        names << QString::number(n);
    return names.join(QStringLiteral(", "));
}

} // namespace

QString PrintResult::checksumNote() const
{
    if (mismatchedPackets.isEmpty())
        return {};
    const bool one = mismatchedPackets.size() == 1;
    return QStringLiteral("Print %1: %2 %3 %4 not match %5 checksum.")
        .arg(number)
        .arg(one ? QStringLiteral("packet") : QStringLiteral("packets"),
             packetList(mismatchedPackets), one ? QStringLiteral("does") : QStringLiteral("do"),
             one ? QStringLiteral("its") : QStringLiteral("their"));
}

QString PrintResult::reason() const
{
    const QString print = QStringLiteral("Print %1").arg(number);
    switch (outcome) {
    case Outcome::Printed:
        return {};
    case Outcome::CutShort:
        return print + QStringLiteral(" is cut short: the capture ends before its print command "
                                      "(it began at packet %1).")
                           .arg(firstPacket);
    case Outcome::TooTall:
        return print + QStringLiteral(" is refused: it is more than %1 rows of tiles (%2 pixels) "
                                      "high, which no printer holds.")
                           .arg(2 * kMaxBandsPerPrint)
                           .arg(16 * kMaxBandsPerPrint);
    case Outcome::BadWidth:
        return print + QStringLiteral(" is refused: its image data is no whole number of rows of "
                                      "twenty tiles, so its width is not the printer's 160 "
                                      "pixels.");
    case Outcome::BadData:
        return print + QStringLiteral(" is refused: the compressed data of packet %1 runs past "
                                      "its end.")
                           .arg(faultyPacket);
    }
    return {};
}

QImage picturesOfTiles(QByteArrayView tiles, int palette)
{
    const int rows = int(tiles.size() / kTileRowBytes);
    QImage picture(kPrintWidth, rows * 8, QImage::Format_RGB32);
    std::array<QRgb, 4> shade{};
    for (int value = 0; value < 4; ++value)
        shade[std::size_t(value)] = kShadeOfValue[std::size_t((palette >> (2 * value)) & 3)];
    const auto *data = reinterpret_cast<const std::uint8_t *>(tiles.data());
    for (int tileRow = 0; tileRow < rows; ++tileRow) {
        for (int line = 0; line < 8; ++line) {
            auto *out = reinterpret_cast<QRgb *>(picture.scanLine(tileRow * 8 + line));
            const std::uint8_t *tile = data + qsizetype(tileRow) * kTileRowBytes + 2 * line;
            for (int column = 0; column < kTilesAcross; ++column, tile += kTileBytes) {
                // Two bit planes a line: the low bits first, the leftmost pixel in bit 7.
                const unsigned low = tile[0];
                const unsigned high = tile[1];
                for (int bit = 7; bit >= 0; --bit)
                    *out++ = shade[((low >> bit) & 1u) | (((high >> bit) & 1u) << 1)];
            }
        }
    }
    return picture;
}

void PrintDecoder::startPrint(const Packet &packet)
{
    if (m_open)
        return;
    m_open = true;
    m_current = PrintResult{};
    m_current.number = ++m_number;
    m_current.firstPacket = packet.number;
}

void PrintDecoder::reset()
{
    m_open = false;
    m_data.clear();
}

void PrintDecoder::take(const Packet &packet, QList<PrintResult> &prints)
{
    switch (packet.command) {
    case Command::Initialise:
    case Command::Break:
        // The printer forgets what it held; so do we, as it would never print it.
        reset();
        return;
    case Command::Status:
        return;
    case Command::Data: {
        if (packet.data.isEmpty() && !m_open)
            return; // the end-of-data marker of an empty memory
        startPrint(packet);
        m_current.lastPacket = packet.number;
        if (!packet.checksumMatches())
            m_current.mismatchedPackets.append(packet.number);
        if (m_current.outcome != PrintResult::Outcome::Printed)
            return;
        QByteArray plain;
        if (packet.compressed) {
            if (!decompress(packet.data, plain)) {
                m_current.outcome = PrintResult::Outcome::BadData;
                m_current.faultyPacket = packet.number;
                return;
            }
        }
        m_data.append(packet.compressed ? plain : packet.data);
        if (m_data.size() > qsizetype(kMaxBandsPerPrint) * kBandBytes) {
            m_current.outcome = PrintResult::Outcome::TooTall;
            m_data.clear(); // nothing of it will be printed, so nothing of it is kept
        }
        return;
    }
    case Command::Print: {
        if (!m_open)
            return; // a paper feed: nothing to print
        m_current.lastPacket = packet.number;
        if (!packet.checksumMatches())
            m_current.mismatchedPackets.append(packet.number);
        const auto byte = [&](int i) {
            return i < packet.data.size() ? int(std::uint8_t(packet.data[i])) : 0;
        };
        m_current.sheets = byte(0);
        m_current.marginBefore = byte(1) >> 4;
        m_current.marginAfter = byte(1) & 0x0F;
        // A palette of 0 would print a blank sheet, which no game means: it is the default.
        m_current.palette = packet.data.size() > 2 && byte(2) != 0 ? byte(2) : 0xE4;
        m_current.exposure = byte(3) & 0x7F;
        if (m_current.outcome == PrintResult::Outcome::Printed) {
            if (m_data.isEmpty() || m_data.size() % kTileRowBytes != 0)
                m_current.outcome = PrintResult::Outcome::BadWidth;
            else
                m_current.picture = picturesOfTiles(m_data, m_current.palette);
        }
        prints.append(m_current);
        reset();
        return;
    }
    }
}

void PrintDecoder::finish(QList<PrintResult> &prints)
{
    if (m_open) {
        m_current.outcome = PrintResult::Outcome::CutShort;
        m_current.picture = QImage();
        prints.append(m_current);
    }
    reset();
}

} // namespace camvista::printer
