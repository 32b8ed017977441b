#pragma once

#include <QList>
#include <QMetaType>
#include <QRgb>
#include <QString>

#include <array>

namespace camvista
{
struct AppPaths;
}

namespace camvista::exporting
{

// How the shades are recoloured: left grey, one of the catalogue's palettes, or four colours of
// the user's own.
struct PaletteChoice {
    enum class Kind { Keep, Named, Custom };
    Kind kind = Kind::Keep;
    int catalogueIndex = -1; // into namedPalettes(), for Named
    // For Custom: the colours of white, light grey, dark grey and black, in that order.
    std::array<QRgb, 4> custom{0xFFFFFFFFu, 0xFFC0C0C0u, 0xFF808080u, 0xFF000000u};

    static PaletteChoice keep() { return {}; }
    static PaletteChoice named(int index) { return {Kind::Named, index, {}}; }
    static PaletteChoice customColours(const std::array<QRgb, 4> &colours)
    {
        return {Kind::Custom, -1, colours};
    }
    // What {palette} stands for in a name: "greys", the palette's caption, or "custom".
    QString label() const;
};

// What happens to the frame: the shot as it is, no frame (a framed shot is cut to its inner
// picture), or a frame laid (a photo then becomes a framed shot).
struct FrameChoice {
    enum class Kind { Keep, None, Default, Custom };
    Kind kind = Kind::Keep;
    int number = 0; // 1 to 21, for Default
    QString name;   // the custom frame's name (its file name without ".gif"), for Custom

    static FrameChoice keep() { return {}; }
    static FrameChoice none() { return {Kind::None, 0, {}}; }
    static FrameChoice defaultFrame(int n) { return {Kind::Default, n, {}}; }
    static FrameChoice customFrame(const QString &frameName)
    {
        return {Kind::Custom, 0, frameName};
    }
    // What {frame} stands for in a name: "asis", "noframe", "frame3" or the custom name.
    QString label() const;
};

enum class ExportFormat { Png, Bmp, Gif };

struct ExportOptions {
    static constexpr int kMinScale = 1;
    static constexpr int kMaxScale = 10;

    PaletteChoice palette;
    FrameChoice frame;
    // The fourth step's gamma, as its slider gives it (sliderToGamma); 1 is the neutral point.
    double gamma = 1.0;
    int scale = 4; // whole factor, kMinScale to kMaxScale, nearest neighbour
    ExportFormat format = ExportFormat::Png;

    // One animated GIF of every shot instead of one file each (format is then ignored).
    bool animate = false;
    int delayMs = 500;
    int loopCount = 0;   // 0 plays forever
    bool bounce = false; // forwards, then backwards to the second frame

    QString destination; // created when missing
    // {name} the source file's name without extension, {palette}, {frame}, {scale}.
    QString namePattern = QStringLiteral("{name}-{scale}x");
};

// Empty when the options can run; otherwise one sentence saying what is wrong.
QString checkOptions(const ExportOptions &options);

// The file name, without extension, the pattern gives for a source file (for an animation:
// the first file). Characters a file name cannot hold become "_".
QString outputBaseName(const ExportOptions &options, const QString &sourcePath);

// "png", "bmp" or "gif"; "gif" for an animation.
QString outputExtension(const ExportOptions &options);

// The "Exports" folder in the shots folder: where exports go unless told otherwise.
QString defaultExportFolder(const AppPaths &paths);

} // namespace camvista::exporting

Q_DECLARE_METATYPE(camvista::exporting::ExportOptions)
