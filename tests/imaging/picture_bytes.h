#pragma once

// Picture files built byte by byte, for the tests of the loader.

#include <QByteArray>
#include <QtEndian>

#include <initializer_list>

namespace camvista::test
{

inline void put16(QByteArray &b, quint16 v)
{
    char le[2];
    qToLittleEndian(v, le);
    b.append(le, 2);
}

inline void put32(QByteArray &b, quint32 v)
{
    char le[4];
    qToLittleEndian(v, le);
    b.append(le, 4);
}

inline void put32be(QByteArray &b, quint32 v)
{
    char be[4];
    qToBigEndian(v, be);
    b.append(be, 4);
}

// A BMP with a 14-byte file header and an info header of `infoSize` bytes, then `pixels`
// starting at `offBits` (zero bytes fill any gap).
inline QByteArray bmpFile(qint32 width, qint32 height, quint16 bitCount, const QByteArray &pixels,
                          quint32 offBits = 54, quint32 infoSize = 40, quint32 coloursUsed = 0)
{
    QByteArray b("BM");
    put32(b, quint32(offBits + pixels.size()));
    put32(b, 0);
    put32(b, offBits);
    put32(b, infoSize);
    put32(b, quint32(width));
    put32(b, quint32(height));
    put16(b, 1);
    put16(b, bitCount);
    put32(b, 0); // uncompressed
    put32(b, quint32(pixels.size()));
    put32(b, 0);
    put32(b, 0);
    put32(b, coloursUsed);
    put32(b, 0);
    if (b.size() < qsizetype(14 + infoSize))
        b.append(QByteArray(qsizetype(14 + infoSize) - b.size(), '\0'));
    if (b.size() < qsizetype(offBits))
        b.append(QByteArray(qsizetype(offBits) - b.size(), '\0'));
    return b + pixels;
}

// A BMP of width x 64 with 8 grey levels (index i is grey 20 + 30 i; none is black, which is what
// Qt shows for an index beyond the palette) and run-length pixel data.
inline QByteArray rle8File(const QByteArray &data, qint32 width = 64)
{
    QByteArray palette;
    for (int i = 0; i < 8; ++i)
        palette += QByteArray(3, char(20 + 30 * i)) + '\0';
    QByteArray b = bmpFile(width, 64, 8, palette + data, 54, 40, 8);
    QByteArray field;
    put32(field, quint32(54 + palette.size()));
    b.replace(10, 4, field);
    field.clear();
    put32(field, 1); // RLE8
    b.replace(30, 4, field);
    return b;
}

// The JPEG with copies of its first scan (the DC values, which decode the same whatever came
// before) put after it until it has `scans` scans. libjpeg decodes such a file; it only warns
// of an odd progression.
inline QByteArray withScans(const QByteArray &jpeg, int scans)
{
    const QByteArray sos("\xFF\xDA", 2);
    const qsizetype first = jpeg.indexOf(sos);
    const qsizetype second = jpeg.indexOf(sos, first + 2);
    const QByteArray scan = jpeg.mid(first, second - first);
    QByteArray out = jpeg.left(second);
    for (qsizetype have = jpeg.count(sos); have < scans; ++have)
        out += scan;
    return out + jpeg.mid(second);
}

inline quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

inline QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray b;
    put32be(b, quint32(data.size()));
    b += type + data;
    put32be(b, crc32(type + data));
    return b;
}

// A PNG whose header is complete and well formed; `withData` adds an (undecodable) image data
// chunk so the header can be read to its end.
inline QByteArray pngFile(quint32 width, quint32 height, bool withData)
{
    QByteArray ihdr;
    put32be(ihdr, width);
    put32be(ihdr, height);
    ihdr += QByteArray("\x08\x02\x00\x00\x00", 5); // 8-bit RGB, no interlace
    QByteArray b("\x89PNG\r\n\x1A\n", 8);
    b += pngChunk("IHDR", ihdr);
    if (withData) {
        b += pngChunk("IDAT", QByteArray("\x78\x9C\x01\x02\x03", 5));
        b += pngChunk("IEND", {});
    }
    return b;
}

// A 2 x 2 GIF with four colours (red, green / blue, white) and the given 3-bit LZW codes in one
// sub-block (clear = 4, end = 5).
inline QByteArray gifWithCodes(std::initializer_list<int> codes)
{
    QByteArray b("GIF89a");
    put16(b, 2);
    put16(b, 2);
    b += QByteArray("\x81\x00\x00", 3); // global table of 4 colours
    b += QByteArray("\xFF\x00\x00"
                    "\x00\xFF\x00"
                    "\x00\x00\xFF"
                    "\xFF\xFF\xFF",
                    12);
    b += '\x2C';
    put16(b, 0);
    put16(b, 0);
    put16(b, 2);
    put16(b, 2);
    b += '\0';
    b += '\x02'; // minimum code size
    QByteArray data;
    quint32 acc = 0;
    int bits = 0;
    for (const int code : codes) {
        acc |= quint32(code) << bits;
        bits += 3;
        while (bits >= 8) {
            data += char(acc & 0xFF);
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        data += char(acc & 0xFF);
    b += char(data.size());
    b += data;
    b += '\0';
    b += '\x3B';
    return b;
}

// Each pixel is sent as a plain code followed by a clear code, so the code width stays 3 bits
// and no dictionary is needed.
inline QByteArray handMadeGif()
{
    return gifWithCodes({4, 0, 4, 1, 4, 2, 4, 3, 5});
}

// handMadeGif() with its logical screen set to width x height; the frame stays 2 x 2.
inline QByteArray gifWithScreen(quint16 width, quint16 height)
{
    QByteArray b = handMadeGif();
    QByteArray field;
    put16(field, width);
    put16(field, height);
    return b.replace(6, 4, field);
}

} // namespace camvista::test
