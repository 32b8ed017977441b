#include "export_choices.h"

#include "colour/palette_catalogue.h"
#include "platform/app_paths.h"
#include "platform/profile_file.h"

#include <QColor>
#include <QStringList>
#include <QUrl>

#include <cmath>
#include <utility>

namespace camvista
{

namespace
{

using exporting::ExportFormat;
using exporting::ExportOptions;
using exporting::FrameChoice;
using exporting::PaletteChoice;

// Long enough for any folder path.
constexpr int kTextBuffer = 8192;

const QString kPalette = QStringLiteral("Palette");
const QString kColours = QStringLiteral("Custom colours");
const QString kFrame = QStringLiteral("Frame");
const QString kFrameNumber = QStringLiteral("Frame number");
const QString kFrameName = QStringLiteral("Frame name");
const QString kGamma = QStringLiteral("Gamma");
const QString kScale = QStringLiteral("Scale");
const QString kFormat = QStringLiteral("Format");
const QString kAnimate = QStringLiteral("Animate");
const QString kDelay = QStringLiteral("Delay");
const QString kLoops = QStringLiteral("Loops");
const QString kBounce = QStringLiteral("Back and forth");
const QString kDestination = QStringLiteral("Destination");
const QString kPattern = QStringLiteral("Name pattern");

const QString kKeepGreys = QStringLiteral("Keep the greys");
const QString kCustomPalette = QStringLiteral("Custom palette");

const std::pair<FrameChoice::Kind, QString> kFrameKinds[] = {
    {FrameChoice::Kind::Keep, QStringLiteral("keep")},
    {FrameChoice::Kind::None, QStringLiteral("none")},
    {FrameChoice::Kind::Default, QStringLiteral("default")},
    {FrameChoice::Kind::Custom, QStringLiteral("custom")},
};

const std::pair<ExportFormat, QString> kFormats[] = {
    {ExportFormat::Png, QStringLiteral("png")},
    {ExportFormat::Bmp, QStringLiteral("bmp")},
    {ExportFormat::Gif, QStringLiteral("gif")},
};

// The settings file holds one byte per character, and the reader trims and unquotes values:
// text is kept readable where it is plain ASCII and percent-encoded (UTF-8) elsewhere.
QString encodeText(const QString &text)
{
    static const QByteArray plain = [] {
        QByteArray ascii;
        for (char c = 0x20; c < 0x7F; ++c) {
            if (c != '%' && c != '"' && c != '\'')
                ascii.append(c);
        }
        return ascii;
    }();
    QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(text, plain));
    if (encoded.startsWith(QLatin1Char(' ')))
        encoded.replace(0, 1, QStringLiteral("%20"));
    if (encoded.endsWith(QLatin1Char(' ')))
        encoded.replace(encoded.size() - 1, 1, QStringLiteral("%20"));
    return encoded;
}

QString decodeText(const QString &stored)
{
    return QUrl::fromPercentEncoding(stored.toLatin1());
}

QString read(const AppPaths &paths, const QString &key, int buffer = 255)
{
    return profile::readString(paths.settingsFile(), kExportSection, key, QString(), buffer);
}

// A whole number in [low, high], or `fallback`.
int readNumber(const AppPaths &paths, const QString &key, int low, int high, int fallback)
{
    bool ok = false;
    const int value = read(paths, key).toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

bool readSwitch(const AppPaths &paths, const QString &key)
{
    return read(paths, key) == QLatin1String("1");
}

QString colourList(const std::array<QRgb, 4> &colours)
{
    QStringList names;
    for (const QRgb c : colours)
        names.append(QColor::fromRgb(c).name().toUpper());
    return names.join(QLatin1Char(','));
}

bool parseColours(const QString &text, std::array<QRgb, 4> &colours)
{
    const QStringList names = text.split(QLatin1Char(','));
    if (names.size() != 4)
        return false;
    std::array<QRgb, 4> parsed{};
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        const QString name = names[qsizetype(i)].trimmed();
        if (name.size() != 7 || !name.startsWith(QLatin1Char('#')))
            return false;
        const QColor colour = QColor::fromString(name);
        if (!colour.isValid())
            return false;
        parsed[i] = colour.rgb();
    }
    colours = parsed;
    return true;
}

PaletteChoice readPalette(const AppPaths &paths, const std::array<QRgb, 4> &custom)
{
    const QString caption = read(paths, kPalette);
    if (caption == kCustomPalette)
        return PaletteChoice::customColours(custom);
    const auto palettes = namedPalettes();
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        if (palettes[i].caption == caption)
            return PaletteChoice::named(int(i));
    }
    return PaletteChoice::keep();
}

QString paletteText(const PaletteChoice &palette)
{
    switch (palette.kind) {
    case PaletteChoice::Kind::Keep:
        break;
    case PaletteChoice::Kind::Named:
        return palette.label();
    case PaletteChoice::Kind::Custom:
        return kCustomPalette;
    }
    return kKeepGreys;
}

FrameChoice readFrame(const AppPaths &paths)
{
    const QString kind = read(paths, kFrame);
    if (kind == QLatin1String("none"))
        return FrameChoice::none();
    if (kind == QLatin1String("default")) {
        const int number = readNumber(paths, kFrameNumber, 1, 21, 0);
        return number > 0 ? FrameChoice::defaultFrame(number) : FrameChoice::keep();
    }
    if (kind == QLatin1String("custom")) {
        const QString name = decodeText(read(paths, kFrameName, kTextBuffer));
        return name.isEmpty() ? FrameChoice::keep() : FrameChoice::customFrame(name);
    }
    return FrameChoice::keep();
}

} // namespace

ExportChoices readExportChoices(const AppPaths &paths)
{
    ExportChoices choices;
    ExportOptions &o = choices.options;
    parseColours(read(paths, kColours), choices.customColours);
    o.palette = readPalette(paths, choices.customColours);
    o.frame = readFrame(paths);

    bool ok = false;
    const double gamma = read(paths, kGamma).toDouble(&ok);
    if (ok && std::isfinite(gamma) && gamma > 0.0)
        o.gamma = gamma;
    o.scale =
        readNumber(paths, kScale, ExportOptions::kMinScale, ExportOptions::kMaxScale, o.scale);
    const QString format = read(paths, kFormat);
    for (const auto &[value, text] : kFormats) {
        if (format == text)
            o.format = value;
    }
    o.animate = readSwitch(paths, kAnimate);
    o.delayMs = readNumber(paths, kDelay, 0, 655350, o.delayMs);
    o.loopCount = readNumber(paths, kLoops, 0, 65535, o.loopCount);
    o.bounce = readSwitch(paths, kBounce);

    o.destination = decodeText(read(paths, kDestination, kTextBuffer));
    if (o.destination.isEmpty())
        o.destination = exporting::defaultExportFolder(paths);
    const QString pattern = decodeText(read(paths, kPattern, kTextBuffer));
    if (!pattern.trimmed().isEmpty())
        o.namePattern = pattern;
    return choices;
}

bool writeExportChoices(const AppPaths &paths, const ExportChoices &choices)
{
    const ExportOptions &o = choices.options;
    QString frameKind;
    for (const auto &[kind, text] : kFrameKinds) {
        if (o.frame.kind == kind)
            frameKind = text;
    }
    QString format;
    for (const auto &[value, text] : kFormats) {
        if (o.format == value)
            format = text;
    }
    const std::pair<QString, QString> values[] = {
        {kPalette, paletteText(o.palette)},
        {kColours, colourList(choices.customColours)},
        {kFrame, frameKind},
        {kFrameNumber, QString::number(o.frame.number)},
        {kFrameName, encodeText(o.frame.name)},
        {kGamma, QString::number(o.gamma, 'g', 17)},
        {kScale, QString::number(o.scale)},
        {kFormat, format},
        {kAnimate, QString::number(int(o.animate))},
        {kDelay, QString::number(o.delayMs)},
        {kLoops, QString::number(o.loopCount)},
        {kBounce, QString::number(int(o.bounce))},
        {kDestination, encodeText(o.destination)},
        {kPattern, encodeText(o.namePattern)},
    };
    bool written = true;
    for (const auto &[key, value] : values)
        written = profile::writeString(paths.settingsFile(), kExportSection, key, value) && written;
    return written;
}

} // namespace camvista
