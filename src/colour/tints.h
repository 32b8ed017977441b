#pragma once

#include <QImage>
#include <QRgb>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace camvista
{

// The two tints of the fourth step. Both look only at the sum of a pixel's three bytes, so each
// is a table from that sum (0 to 765) to the new colour.

// A pixel whose bytes sum to less than this takes the bicolour colour; the rest become white.
inline constexpr int kBicolorThreshold = 500;
// Progress points: after buffer pixel 19999 and every 29999 pixels from there (counted from 0
// in buffer order, bottom row first).
inline constexpr qint64 kFirstProgressPixel = 19999;
inline constexpr qint64 kProgressInterval = 29999;

// The level names and their codes, separated by "/".
inline constexpr char kLevelNames[] = "gris/vert/rouge/bleu/jaune/violet/beige/orange";
inline constexpr char kLevelCodes[] = "1/2/3/4/5/6/7/8";

// 24 x floor(width / 24) + 24: always 1 to 24 pixels wider than the picture.
int tintPaddedWidth(int width);

// The tint's pixel buffer: rows of blue, green, red bytes, bottom row first, each row
// paddedWidth pixels with no further padding. Columns from width on start black, are tinted
// like the others and are never drawn back.
struct TintBuffer {
    int width = 0;
    int height = 0;
    int paddedWidth = 0;
    std::vector<std::uint8_t> bytes;

    // First byte (blue) of the picture pixel (x, y), y counted from the top.
    std::uint8_t *pixel(int x, int y)
    {
        return bytes.data() +
               3 * (std::size_t(height - 1 - y) * std::size_t(paddedWidth) + std::size_t(x));
    }
};

// Copies the whole layer into a new buffer; an empty buffer for a null layer or no memory.
TintBuffer getSurfaceBits(const QImage &layer);
// Draws the buffer's first width x height pixels onto the layer at (0, 0).
void putSurfaceBits(const TintBuffer &buffer, QImage &layer);

// New colour (opaque) for every byte sum 0 to 765.
using TintTable = std::array<QRgb, 766>;
TintTable bicolorTable(QRgb colour);
// Codes other than 1 to 8 use the grey formula of code 1.
TintTable levelsTable(int code);

// The code at the word's item position in `names`: "rouge" gives "3"; a word that is not one
// of the names gives "". An empty word, names or codes gives "" too.
QString LookupWord(const QString &names, const QString &codes, const QString &separator,
                   const QString &word);
// The level code of a swatch tag: its looked-up code as a number, 0 when empty or not a number.
int levelCode(const QString &name);

// Called at each progress point, when the layer shows everything tinted so far. Answering false
// stops the tint there (the layer went away while window events ran).
using TintProgress = std::function<bool()>;

// Tints the buffer in byte order through the table. At each progress point `progress` gets
// the buffer, which the caller draws.
void tintBuffer(TintBuffer &buffer, const TintTable &table,
                const std::function<void(const TintBuffer &)> &progress = {});

// The tints on a drawing layer. They give the same pixels, and reach the same progress points
// with the same pixels shown, as the buffer round trip (getSurfaceBits, tintBuffer,
// putSurfaceBits), but work on the layer's rows directly, in buffer order: a whole picture costs
// one pass over memory instead of three. Any layer format other than RGB32/ARGB32 becomes RGB32.
// False when there was no memory for the layer (it is then unchanged) or progress stopped it.
bool tintLayer(QImage &layer, const TintTable &table, const TintProgress &progress = {});
bool TintBicolor(QImage &layer, QRgb colour, const TintProgress &progress = {});
bool TintLevels(QImage &layer, const QString &name, const TintProgress &progress = {});

} // namespace camvista
