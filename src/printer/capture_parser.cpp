#include "capture_parser.h"

#include <array>
#include <cstring>

namespace camvista::printer
{

namespace
{

// -1 for a character that is no hexadecimal digit.
constexpr std::array<std::int8_t, 256> kHexValue = [] {
    std::array<std::int8_t, 256> table{};
    for (auto &value : table)
        value = -1;
    for (int c = '0'; c <= '9'; ++c)
        table[std::size_t(c)] = std::int8_t(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) {
        table[std::size_t(c)] = std::int8_t(c - 'a' + 10);
        table[std::size_t(c - 'a' + 'A')] = std::int8_t(c - 'a' + 10);
    }
    return table;
}();

// What stands between bytes: white space and the punctuation of C arrays.
constexpr std::array<bool, 256> kSeparator = [] {
    std::array<bool, 256> table{};
    for (const char c : {' ', '\t', '\r', '\v', '\f', ',', ';', '{', '}'})
        table[std::uint8_t(c)] = true;
    return table;
}();

int hexValue(char c)
{
    return kHexValue[std::uint8_t(c)];
}

// The byte a token stands for, or -1: "0x8", "0x88", "0X88" or exactly two digits "88".
int tokenByte(const char *begin, const char *end)
{
    const qsizetype length = end - begin;
    if (length >= 3 && length <= 4 && begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X')) {
        const int high = length == 4 ? hexValue(begin[2]) : 0;
        const int low = hexValue(end[-1]);
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    }
    if (length == 2) {
        const int high = hexValue(begin[0]);
        const int low = hexValue(begin[1]);
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    }
    return -1;
}

const char *findCommentEnd(const char *from, const char *end)
{
    for (const char *p = from; p + 1 < end; ++p) {
        if (p[0] == '*' && p[1] == '/')
            return p + 2;
    }
    return nullptr;
}

} // namespace

void CaptureParser::feed(const char *text, qsizetype size, QList<Packet> &packets)
{
    const char *p = text;
    const char *end = text + size;
    while (p < end) {
        const auto *newline = static_cast<const char *>(std::memchr(p, '\n', std::size_t(end - p)));
        const char *lineEnd = newline != nullptr ? newline : end;
        if (newline == nullptr) {
            // The rest of a line that a later piece ends.
            if (!m_lineTooLong) {
                m_partialLine.append(p, lineEnd - p);
                if (m_partialLine.size() > kMaxLineLength) {
                    m_lineTooLong = true;
                    m_partialLine.clear();
                }
            }
            break;
        }
        if (m_lineTooLong) {
            ++m_counts.lines;
            ++m_counts.unknownLines;
            m_lineTooLong = false;
        } else if (!m_partialLine.isEmpty()) {
            m_partialLine.append(p, lineEnd - p);
            takeLine(m_partialLine.constData(), m_partialLine.constData() + m_partialLine.size());
            m_partialLine.clear();
        } else {
            takeLine(p, lineEnd);
        }
        p = lineEnd + 1;
        if (m_bytes.size() - m_start >= std::size_t(kHeaderSize))
            scanPackets(packets, false);
    }
}

bool CaptureParser::finish(QList<Packet> &packets)
{
    if (m_lineTooLong) {
        ++m_counts.lines;
        ++m_counts.unknownLines;
    } else if (!m_partialLine.isEmpty()) {
        takeLine(m_partialLine.constData(), m_partialLine.constData() + m_partialLine.size());
    }
    m_partialLine.clear();
    m_lineTooLong = false;
    scanPackets(packets, true);
    return m_cutShort;
}

void CaptureParser::takeLine(const char *begin, const char *end)
{
    ++m_counts.lines;
    const std::size_t before = m_bytes.size();
    bool comment = false;
    bool unknown = false;
    bool tokens = false;
    const char *p = begin;
    if (m_inBlockComment) {
        comment = true;
        p = findCommentEnd(p, end);
        if (p == nullptr) {
            ++m_counts.commentLines;
            return;
        }
        m_inBlockComment = false;
    }
    while (p < end) {
        const char c = *p;
        if (kSeparator[std::uint8_t(c)]) {
            ++p;
            continue;
        }
        if (c == '/' && p + 1 < end && p[1] == '/') {
            comment = true;
            break;
        }
        if (c == '/' && p + 1 < end && p[1] == '*') {
            comment = true;
            p = findCommentEnd(p + 2, end);
            if (p == nullptr) {
                m_inBlockComment = true;
                break;
            }
            continue;
        }
        if (c == '#' && !tokens && !unknown) {
            comment = true;
            break;
        }
        const char *tokenEnd = p;
        while (tokenEnd < end && !kSeparator[std::uint8_t(*tokenEnd)] && *tokenEnd != '/')
            ++tokenEnd;
        if (tokenEnd == p) // a lone '/'
            ++tokenEnd;
        const int byte = unknown ? -1 : tokenByte(p, tokenEnd);
        if (byte < 0)
            unknown = true; // keep looking: a comment may still open on this line
        else
            m_bytes.push_back(std::uint8_t(byte));
        tokens = true;
        p = tokenEnd;
    }
    if (unknown) {
        m_bytes.resize(before);
        ++m_counts.unknownLines;
    } else if (tokens) {
        ++m_counts.byteLines;
        m_counts.bytes += qint64(m_bytes.size() - before);
    } else if (comment) {
        ++m_counts.commentLines;
    } else {
        ++m_counts.blankLines;
    }
}

void CaptureParser::scanPackets(QList<Packet> &packets, bool atEnd)
{
    const std::uint8_t *bytes = m_bytes.data();
    const std::size_t size = m_bytes.size();
    std::size_t i = m_start;
    while (i < size) {
        if (m_replyBytesDue > 0) {
            // The printer's keep-alive and status, unless the next packet starts at once.
            if (bytes[i] == kMagic0 && i + 1 < size && bytes[i + 1] == kMagic1) {
                m_replyBytesDue = 0;
            } else {
                --m_replyBytesDue;
                ++i;
                continue;
            }
        }
        if (bytes[i] != kMagic0 || (i + 1 < size && bytes[i + 1] != kMagic1)) {
            ++m_counts.strayBytes;
            ++i;
            continue;
        }
        if (size - i < std::size_t(kHeaderSize)) {
            if (atEnd) {
                m_cutShort = true;
                i = size;
            }
            break;
        }
        const std::uint8_t command = bytes[i + 2];
        const std::uint8_t compression = bytes[i + 3];
        const int length = bytes[i + 4] | (bytes[i + 5] << 8);
        if (!isKnownCommand(command) || compression > 1 || length > kMaxDataLength) {
            // Not a packet after all: the magic bytes were part of something else.
            ++m_counts.strayBytes;
            ++i;
            continue;
        }
        const std::size_t whole = std::size_t(kHeaderSize) + std::size_t(length) + 2;
        if (size - i < whole) {
            if (atEnd) {
                m_cutShort = true;
                i = size;
            }
            break;
        }
        Packet packet;
        packet.number = int(++m_counts.packets);
        packet.command = Command(command);
        packet.compressed = compression == 1;
        packet.data = QByteArray(reinterpret_cast<const char *>(bytes + i + kHeaderSize), length);
        const std::size_t sum = i + std::size_t(kHeaderSize) + std::size_t(length);
        packet.checksum = std::uint16_t(bytes[sum] | (bytes[sum + 1] << 8));
        packet.computed = packetChecksum(command, packet.compressed, packet.data);
        if (!packet.checksumMatches())
            ++m_counts.checksumErrors;
        packets.append(std::move(packet));
        i += whole;
        m_replyBytesDue = 2;
    }
    // Keep only what is still to be read; move it to the front once the used part is large.
    m_start = i;
    if (m_start == m_bytes.size()) {
        m_bytes.clear();
        m_start = 0;
    } else if (m_start > 4096) {
        m_bytes.erase(m_bytes.begin(), m_bytes.begin() + std::ptrdiff_t(m_start));
        m_start = 0;
    }
}

} // namespace camvista::printer
