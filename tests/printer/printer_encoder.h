#pragma once

// Our own printer encoder for the tests and benchmarks: turns known shots into the captures a
// printer emulator writes, in either text form, plain or compressed, with any palette and
// margins, so that decoding can be checked pixel for pixel.

#include <QByteArray>
#include <QImage>
#include <QList>

#include <array>
#include <cstdint>

namespace camvista::test
{

struct CaptureStyle {
    bool compressed = false;
    int palette = 0xE4;
    int marginBefore = 1;
    int marginAfter = 3;
    int sheets = 1;
    int exposure = 0x40;
    bool cArray = false; // "0x88, 0x33, ..." over lines of cArrayWidth bytes
    int cArrayWidth = 12;
    bool replies = true;       // the printer's two reply bytes after each packet
    bool chatter = true;       // comment, blank and unknown lines between the packets
    QList<int> wrongChecksums; // packet numbers (1 for the first) sent with a wrong checksum
};

// The shade of each pixel value, as a palette maps it: 0 white ... 3 black.
inline int shadeIndexOf(QRgb pixel)
{
    switch (qGray(pixel)) {
    case 255:
        return 0;
    case 192:
        return 1;
    case 128:
        return 2;
    default:
        return 3;
    }
}

// Tile data of a 160-wide picture whose height is a multiple of 8, for `palette`: each shade is
// written as the lowest pixel value that prints as it.
inline QByteArray tilesOf(const QImage &picture, int palette)
{
    std::array<int, 4> valueOfShade = {-1, -1, -1, -1};
    for (int v = 3; v >= 0; --v)
        valueOfShade[std::size_t((palette >> (2 * v)) & 3)] = v;
    QByteArray tiles;
    for (int tileRow = 0; tileRow < picture.height() / 8; ++tileRow) {
        for (int column = 0; column < 20; ++column) {
            for (int line = 0; line < 8; ++line) {
                std::uint8_t low = 0;
                std::uint8_t high = 0;
                for (int x = 0; x < 8; ++x) {
                    const int shade =
                        shadeIndexOf(picture.pixel(column * 8 + x, tileRow * 8 + line));
                    const int value = std::max(0, valueOfShade[std::size_t(shade)]);
                    low = std::uint8_t(low | ((value & 1) << (7 - x)));
                    high = std::uint8_t(high | (((value >> 1) & 1) << (7 - x)));
                }
                tiles.append(char(low));
                tiles.append(char(high));
            }
        }
    }
    return tiles;
}

// The printer's run-length coding: runs of two or more equal bytes, literals up to 128.
inline QByteArray compressTiles(const QByteArray &plain)
{
    QByteArray out;
    QByteArray literal;
    const auto flush = [&] {
        if (!literal.isEmpty()) {
            out.append(char(literal.size() - 1));
            out.append(literal);
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < plain.size();) {
        qsizetype run = 1;
        while (i + run < plain.size() && plain[i + run] == plain[i] && run < 129)
            ++run;
        if (run >= 2) {
            flush();
            out.append(char(0x80 + run - 2));
            out.append(plain[i]);
            i += run;
        } else {
            literal.append(plain[i++]);
            if (literal.size() == 128)
                flush();
        }
    }
    flush();
    return out;
}

inline QByteArray packetBytes(int command, bool compressed, const QByteArray &data, bool wrong)
{
    QByteArray p("\x88\x33", 2);
    p.append(char(command));
    p.append(char(compressed ? 1 : 0));
    p.append(char(data.size() & 0xFF));
    p.append(char(data.size() >> 8));
    p.append(data);
    std::uint16_t sum =
        std::uint16_t(command + (compressed ? 1 : 0) + (data.size() & 0xFF) + (data.size() >> 8));
    for (const char c : data)
        sum = std::uint16_t(sum + std::uint8_t(c));
    if (wrong)
        sum = std::uint16_t(sum ^ 0x5A5A);
    p.append(char(sum & 0xFF));
    p.append(char(sum >> 8));
    return p;
}

// The packets of a camera's prints, one QByteArray each, reply bytes included when asked for.
inline QList<QByteArray> printPackets(const QList<QImage> &prints, const CaptureStyle &style)
{
    QList<QByteArray> packets;
    const auto add = [&](int command, bool compressed, const QByteArray &data) {
        QByteArray p = packetBytes(command, compressed, data,
                                   style.wrongChecksums.contains(int(packets.size()) + 1));
        if (style.replies)
            p.append(command == 0x0F ? QByteArray("\x81\x04", 2) : QByteArray("\x81\x00", 2));
        packets.append(p);
    };
    for (const QImage &print : prints) {
        add(0x01, false, {});
        const QByteArray tiles = tilesOf(print, style.palette);
        for (qsizetype at = 0; at < tiles.size(); at += 640) {
            const QByteArray band = tiles.mid(at, 640);
            // As a sender does: a band that compression would lengthen past a packet goes plain.
            const QByteArray packed = style.compressed ? compressTiles(band) : QByteArray();
            const bool compressed = style.compressed && packed.size() <= 640;
            add(0x04, compressed, compressed ? packed : band);
        }
        add(0x04, false, {});
        QByteArray command;
        command.append(char(style.sheets));
        command.append(char((style.marginBefore << 4) | style.marginAfter));
        command.append(char(style.palette));
        command.append(char(style.exposure));
        add(0x02, false, command);
        add(0x0F, false, {});
    }
    return packets;
}

inline void appendHex(QByteArray &text, std::uint8_t byte, bool cArray)
{
    static const char digits[] = "0123456789ABCDEF";
    if (cArray)
        text.append("0x");
    text.append(digits[byte >> 4]);
    text.append(digits[byte & 15]);
}

// The packets as a capture's text.
inline QByteArray captureText(const QList<QByteArray> &packets, const CaptureStyle &style)
{
    QByteArray text;
    if (style.chatter)
        text += style.cArray ? "/* Game Boy Printer capture\n   made by the tests */\n"
                               "const unsigned char capture[] = {\n"
                             : "// GAME BOY PRINTER EMULATION PROJECT\n# test capture\n\n";
    int n = 0;
    for (const QByteArray &packet : packets) {
        ++n;
        if (style.chatter && n % 5 == 0)
            text += style.cArray ? "  // a packet\n" : "{\"command\":\"DATA\",\"more\":1}\n";
        for (qsizetype i = 0; i < packet.size(); ++i) {
            appendHex(text, std::uint8_t(packet[i]), style.cArray);
            const bool lineEnd = style.cArray ? (i + 1) % style.cArrayWidth == 0 : false;
            if (style.cArray)
                text += lineEnd ? ",\n" : ", ";
            else if (i + 1 < packet.size())
                text += ' ';
        }
        text += '\n';
    }
    if (style.chatter && style.cArray)
        text += "};\n";
    return text;
}

inline QByteArray captureOf(const QList<QImage> &prints, const CaptureStyle &style = {})
{
    return captureText(printPackets(prints, style), style);
}

// A framed-shot sized picture with long runs of one shade, which compression shortens.
inline QImage stripedShot(int width, int height, quint32 seed)
{
    static const QRgb shades[] = {qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(128, 128, 128),
                                  qRgb(0, 0, 0)};
    QImage picture(width, height, QImage::Format_RGB32);
    quint32 s = seed;
    for (int y = 0; y < height; ++y) {
        s = s * 1664525u + 1013904223u;
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, shades[((s >> 24) + std::uint32_t(x / 24)) & 3]);
    }
    return picture;
}

} // namespace camvista::test
