#include "tints.h"

#include "imaging/rounding.h"

#include <QLocale>

#include <algorithm>
#include <new>

namespace camvista
{

namespace
{

int byteSum(QRgb p)
{
    return qRed(p) + qGreen(p) + qBlue(p);
}

// The layer's pixels and the table never overlap; saying so lets the compiler keep loads in
// flight across the stores.
void tintRun(QRgb *__restrict pixels, int count, const QRgb *__restrict table)
{
    for (int i = 0; i < count; ++i)
        pixels[i] = table[byteSum(pixels[i])];
}

int toLevel(double v)
{
    return std::clamp(roundHalfEvenInt(v), 0, 255);
}

bool ownRgb32(QImage &layer)
{
    if (layer.format() != QImage::Format_RGB32 && layer.format() != QImage::Format_ARGB32) {
        QImage converted = layer.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull())
            return false;
        layer = std::move(converted);
    }
    return layer.bits() != nullptr; // detaches a shared layer
}

} // namespace

int tintPaddedWidth(int width)
{
    return 24 * (width / 24) + 24;
}

TintBuffer getSurfaceBits(const QImage &layer)
{
    TintBuffer buffer;
    if (layer.isNull())
        return buffer;
    const QImage src =
        layer.format() == QImage::Format_RGB32 || layer.format() == QImage::Format_ARGB32
            ? layer
            : layer.convertToFormat(QImage::Format_RGB32);
    if (src.isNull())
        return buffer;
    buffer.width = src.width();
    buffer.height = src.height();
    buffer.paddedWidth = tintPaddedWidth(buffer.width);
    try {
        buffer.bytes.assign(std::size_t(buffer.height) * std::size_t(buffer.paddedWidth) * 3, 0);
    } catch (const std::bad_alloc &) {
        return TintBuffer{};
    }
    for (int y = 0; y < buffer.height; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        std::uint8_t *out = buffer.pixel(0, y);
        for (int x = 0; x < buffer.width; ++x, out += 3) {
            out[0] = std::uint8_t(qBlue(in[x]));
            out[1] = std::uint8_t(qGreen(in[x]));
            out[2] = std::uint8_t(qRed(in[x]));
        }
    }
    return buffer;
}

void putSurfaceBits(const TintBuffer &buffer, QImage &layer)
{
    if (buffer.bytes.empty() || !ownRgb32(layer))
        return;
    const int w = std::min(buffer.width, layer.width());
    const int h = std::min(buffer.height, layer.height());
    for (int y = 0; y < h; ++y) {
        const std::uint8_t *in = buffer.bytes.data() + 3 * std::size_t(buffer.height - 1 - y) *
                                                           std::size_t(buffer.paddedWidth);
        auto *out = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < w; ++x, in += 3)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
}

TintTable bicolorTable(QRgb colour)
{
    TintTable table{};
    const QRgb tint = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
    for (int sum = 0; sum < int(table.size()); ++sum)
        table[std::size_t(sum)] = sum < kBicolorThreshold ? tint : qRgb(255, 255, 255);
    return table;
}

namespace
{

TintTable buildLevelsTable(int code)
{
    TintTable table{};
    for (int sum = 0; sum < int(table.size()); ++sum) {
        // The average is held in single precision; the formulas then work in double.
        const auto stored = static_cast<float>(double(sum) / 3.0);
        const double a = stored;
        const int full = toLevel(a);
        const int third = toLevel(a / 3.0);
        const int half = toLevel(a / 2.0);
        const int threeQuarters = toLevel(a * 0.75);
        QRgb out = qRgb(full, full, full);
        switch (code) {
        case 2:
            out = qRgb(0, full, third);
            break;
        case 3:
            out = qRgb(full, third, 0);
            break;
        case 4:
            out = qRgb(0, threeQuarters, full);
            break;
        case 5:
            out = qRgb(full, full, 0);
            break;
        case 6:
            out = qRgb(full, half, full);
            break;
        case 7:
            out = qRgb(full, threeQuarters, third);
            break;
        case 8:
            out = qRgb(full, half, 0);
            break;
        default:
            break;
        }
        table[std::size_t(sum)] = out;
    }
    return table;
}

} // namespace

TintTable levelsTable(int code)
{
    // Building a table costs more than tinting a shot: make the nine once.
    static const std::array<TintTable, 9> tables = [] {
        std::array<TintTable, 9> all{};
        for (int c = 0; c < 9; ++c)
            all[std::size_t(c)] = buildLevelsTable(c);
        return all;
    }();
    return tables[std::size_t(code >= 1 && code <= 8 ? code : 0)];
}

QString LookupWord(const QString &names, const QString &codes, const QString &separator,
                   const QString &word)
{
    if (word.isEmpty() || names.isEmpty() || codes.isEmpty())
        return {};
    const QString wrappedNames = separator + names + separator;
    const QString wrappedCodes = separator + codes + separator;
    const QString wrappedWord = separator + word + separator;
    const qsizetype d = wrappedNames.indexOf(wrappedWord) + 1; // 0 when absent
    const qsizetype k =
        separator.isEmpty() ? 1 : wrappedNames.left(d).count(separator) + qsizetype(1);
    QString rest = wrappedCodes;
    for (qsizetype i = 1; i <= k; ++i) {
        const qsizetype at = separator.isEmpty() ? -1 : rest.indexOf(separator);
        if (at < 0)
            return i == k ? rest : QString();
        if (i == k)
            return rest.left(at);
        rest = rest.mid(at + separator.size());
    }
    return {};
}

int levelCode(const QString &name)
{
    const QString code = LookupWord(QString::fromUtf8(kLevelNames), QString::fromUtf8(kLevelCodes),
                                    QStringLiteral("/"), name);
    bool ok = false;
    const double value = QLocale::c().toDouble(code.trimmed(), &ok);
    if (!ok || !(value > -1e9 && value < 1e9))
        return 0;
    return roundHalfEvenInt(value);
}

void tintBuffer(TintBuffer &buffer, const TintTable &table,
                const std::function<void(const TintBuffer &)> &progress)
{
    const qint64 count = qint64(buffer.bytes.size() / 3);
    std::uint8_t *p = buffer.bytes.data();
    qint64 next = kFirstProgressPixel;
    for (qint64 i = 0; i < count; ++i, p += 3) {
        const QRgb out = table[std::size_t(p[0] + p[1] + p[2])];
        p[0] = std::uint8_t(qBlue(out));
        p[1] = std::uint8_t(qGreen(out));
        p[2] = std::uint8_t(qRed(out));
        if (i == next) {
            next += kProgressInterval;
            if (progress)
                progress(buffer);
        }
    }
}

bool tintLayer(QImage &layer, const TintTable &table, const TintProgress &progress)
{
    if (layer.isNull())
        return true;
    if (!ownRgb32(layer))
        return false;
    const int w = layer.width();
    const int h = layer.height();
    const qint64 padded = tintPaddedWidth(w);
    const QRgb *t = table.data();
    qint64 next = kFirstProgressPixel;
    // Buffer row r is picture row h - 1 - r. The padding pixels of a row are tinted in the
    // buffer but never drawn, so only their progress points matter here.
    for (int r = 0; r < h; ++r) {
        auto *row = reinterpret_cast<QRgb *>(layer.scanLine(h - 1 - r));
        const qint64 start = qint64(r) * padded;
        int x = 0;
        for (;;) {
            const int stop = next < start + padded ? int(std::min<qint64>(w, next - start + 1)) : w;
            tintRun(row + x, stop - x, t);
            x = std::max(x, stop);
            if (next >= start + padded)
                break;
            next += kProgressInterval;
            if (progress && !progress())
                return false;
        }
    }
    return true;
}

bool TintBicolor(QImage &layer, QRgb colour, const TintProgress &progress)
{
    return tintLayer(layer, bicolorTable(colour), progress);
}

bool TintLevels(QImage &layer, const QString &name, const TintProgress &progress)
{
    return tintLayer(layer, levelsTable(levelCode(name)), progress);
}

} // namespace camvista
