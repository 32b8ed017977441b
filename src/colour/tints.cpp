#include "tints.h"

#include "colour/lookup_kernels.h"
#include "imaging/rounding.h"

#include <QLocale>

#include <algorithm>
#include <functional>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace camvista
{

namespace
{

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

namespace
{

int lookedUpLevelCode(const QString &name)
{
    const QString code = LookupWord(QString::fromUtf8(kLevelNames), QString::fromUtf8(kLevelCodes),
                                    QStringLiteral("/"), name);
    bool ok = false;
    const double value = QLocale::c().toDouble(code.trimmed(), &ok);
    if (!ok || !(value > -1e9 && value < 1e9))
        return 0;
    return roundHalfEvenInt(value);
}

} // namespace

int levelCode(const QString &name)
{
    // The swatches' own names, looked up once: the word lookup builds several strings, which
    // costs a tenth of tinting a shot.
    static const auto known = [] {
        std::vector<std::pair<QString, int>> pairs;
        for (const QString &n : QString::fromUtf8(kLevelNames).split(u'/'))
            pairs.emplace_back(n, lookedUpLevelCode(n));
        return pairs;
    }();
    for (const auto &[knownName, code] : known)
        if (knownName == name)
            return code;
    return lookedUpLevelCode(name);
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

namespace
{

// A table that gives one colour below some sum and another from there on (the two-colour tint)
// is a comparison, not a lookup.
struct Step {
    int threshold = 0;
    QRgb below = 0;
    QRgb rest = 0;
};

std::optional<Step> asStep(const TintTable &table)
{
    const auto change = std::adjacent_find(table.begin(), table.end(), std::not_equal_to<>());
    if (change == table.end())
        return Step{0, table.front(), table.front()};
    const auto threshold = change + 1;
    const QRgb rest = *threshold;
    if (std::any_of(threshold, table.end(), [rest](QRgb c) { return c != rest; }))
        return std::nullopt;
    return Step{int(threshold - table.begin()), table.front(), rest};
}

using PixelRun = std::function<void(QRgb *, qint64)>;

bool tintLayerWith(QImage &layer, const PixelRun &tintRun, const TintProgress &progress)
{
    if (layer.isNull())
        return true;
    if (!ownRgb32(layer))
        return false;
    const int w = layer.width();
    const int h = layer.height();
    const qint64 padded = tintPaddedWidth(w);
    uchar *const bits = layer.bits();
    const qsizetype stride = layer.bytesPerLine();
    // Buffer row r is picture row h - 1 - r.
    const auto row = [bits, stride, h](qint64 r) {
        return reinterpret_cast<QRgb *>(bits + stride * (h - 1 - r));
    };
    const auto tintRow = [&](qint64 r, qint64 from, qint64 to) {
        to = std::min<qint64>(to, w);
        if (from < to)
            tintRun(row(r) + from, to - from);
    };
    // Tints buffer pixels [begin, end). The order inside a span does not matter, since nothing
    // is shown until its end: whole rows lie one after the other in memory, bottom buffer row
    // last, and go as one run when the layer has no bytes between its rows. The padding
    // pixels of a row are tinted in the buffer but never drawn, so they are skipped.
    const bool rowsTouch = stride == qsizetype(w) * qsizetype(sizeof(QRgb));
    const auto tintSpan = [&](qint64 begin, qint64 end) {
        qint64 first = begin / padded;
        const qint64 last = (end - 1) / padded;
        const qint64 firstColumn = begin % padded;
        const qint64 lastColumn = (end - 1) % padded + 1;
        if (first == last) {
            tintRow(first, firstColumn, lastColumn);
            return;
        }
        if (firstColumn > 0)
            tintRow(first++, firstColumn, padded);
        const qint64 lastWhole = lastColumn >= w ? last : last - 1;
        if (first <= lastWhole) {
            if (rowsTouch)
                tintRun(row(lastWhole), (lastWhole - first + 1) * w);
            else
                for (qint64 r = first; r <= lastWhole; ++r)
                    tintRow(r, 0, w);
        }
        if (lastWhole < last)
            tintRow(last, 0, lastColumn);
    };
    // A progress point comes after buffer pixel `next` has been tinted.
    const qint64 total = padded * h;
    qint64 next = kFirstProgressPixel;
    for (qint64 done = 0; done < total;) {
        const qint64 end = std::min(total, next + 1);
        tintSpan(done, end);
        done = end;
        if (end == next + 1) {
            next += kProgressInterval;
            if (progress && !progress())
                return false;
        }
    }
    return true;
}

} // namespace

bool tintLayer(QImage &layer, const TintTable &table, const TintProgress &progress)
{
    const std::optional<Step> step = asStep(table);
    if (step)
        return tintLayerWith(
            layer,
            [&step](QRgb *pixels, qint64 count) {
                kernels::thresholdPixels(pixels, std::size_t(count), step->threshold, step->below,
                                         step->rest);
            },
            progress);
    return tintLayerWith(
        layer,
        [&table](QRgb *pixels, qint64 count) {
            kernels::tintPixels(pixels, std::size_t(count), table.data());
        },
        progress);
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
