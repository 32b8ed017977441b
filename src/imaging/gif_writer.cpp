#include "gif_writer.h"

#include "safe_write.h"

#include <gif_lib.h>

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace camvista
{

namespace
{

constexpr int kMaxPaletteSize = 256;

// The picture as GIF wants it: one palette index per pixel, rows top to bottom.
struct IndexedPicture {
    std::vector<GifColorType> palette; // a power of two long, at least 2 entries
    int transparentIndex = NO_TRANSPARENT_COLOR;
    std::vector<GifByteType> pixels;
};

FileStatus failure(const QString &path, FileError error, const QString &detail = {})
{
    return FileStatus{error, path, detail};
}

QString gifError(int code)
{
    const char *text = GifErrorString(code);
    return text != nullptr ? QString::fromLatin1(text) : QString();
}

GifColorType gifColour(QRgb c)
{
    return GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
}

// GIF palettes hold 2, 4, ..., 256 entries; the unused tail stays black.
void padPalette(std::vector<GifColorType> &palette)
{
    std::size_t size = 2;
    while (size < palette.size())
        size *= 2;
    palette.resize(size, GifColorType{0, 0, 0});
}

// Indexes the picture with its own colours. False when it has more than 256 of them.
bool indexExactly(const QImage &argb, IndexedPicture &out)
{
    const int w = argb.width();
    const int h = argb.height();
    std::vector<QRgb> colours; // sorted, opaque
    bool anyTransparent = false;
    QRgb transparentRgb = 0;
    QRgb last = 0;
    bool haveLast = false;
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = row[x];
            if (qAlpha(p) == 0) {
                if (!anyTransparent) {
                    anyTransparent = true;
                    transparentRgb = p;
                }
                continue;
            }
            const QRgb c = p | 0xff000000u;
            if (haveLast && c == last)
                continue;
            last = c;
            haveLast = true;
            const auto at = std::lower_bound(colours.begin(), colours.end(), c);
            if (at == colours.end() || *at != c)
                colours.insert(at, c);
            if (colours.size() + (anyTransparent ? 1 : 0) > kMaxPaletteSize)
                return false;
        }
    }
    if (colours.size() + (anyTransparent ? 1 : 0) > kMaxPaletteSize)
        return false;

    out.palette.clear();
    for (const QRgb c : colours)
        out.palette.push_back(gifColour(c));
    if (anyTransparent) {
        out.transparentIndex = int(colours.size());
        out.palette.push_back(gifColour(transparentRgb));
    }
    padPalette(out.palette);

    out.pixels.resize(std::size_t(w) * std::size_t(h));
    GifByteType *dst = out.pixels.data();
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = row[x];
            if (qAlpha(p) == 0) {
                *dst++ = GifByteType(out.transparentIndex);
                continue;
            }
            const QRgb c = p | 0xff000000u;
            const auto at = std::lower_bound(colours.begin(), colours.end(), c);
            *dst++ = GifByteType(at - colours.begin());
        }
    }
    return true;
}

// Reduces a picture of many colours to 256 with giflib's median-cut quantiser.
bool quantise(const QImage &argb, IndexedPicture &out)
{
    const int w = argb.width();
    const int h = argb.height();
    const std::size_t count = std::size_t(w) * std::size_t(h);
    std::vector<GifByteType> red(count), green(count), blue(count);
    std::size_t i = 0;
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x, ++i) {
            red[i] = GifByteType(qRed(row[x]));
            green[i] = GifByteType(qGreen(row[x]));
            blue[i] = GifByteType(qBlue(row[x]));
        }
    }
    out.pixels.resize(count);
    int paletteSize = kMaxPaletteSize;
    GifColorType palette[kMaxPaletteSize] = {};
    if (GifQuantizeBuffer(unsigned(w), unsigned(h), &paletteSize, red.data(), green.data(),
                          blue.data(), out.pixels.data(), palette) == GIF_ERROR)
        return false;
    paletteSize = std::clamp(paletteSize, 1, kMaxPaletteSize);
    out.palette.assign(palette, palette + paletteSize);
    padPalette(out.palette);
    out.transparentIndex = NO_TRANSPARENT_COLOR;
    return true;
}

// giflib's output callback: appends to the QByteArray in UserData. Returning fewer bytes than
// asked makes giflib report a failed write.

using MapPointer = std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)>;

FileStatus encode(IndexedPicture &picture, int width, int height, const QString &path,
                  QByteArray &bytes)
{
    MapPointer map(GifMakeMapObject(int(picture.palette.size()), picture.palette.data()),
                   &GifFreeMapObject);
    if (!map)
        return failure(path, FileError::CannotWrite, gifError(E_GIF_ERR_NOT_ENOUGH_MEM));

    int openError = E_GIF_SUCCEEDED;
    GifFileType *gif = EGifOpen(&bytes, &appendGifBytes, &openError);
    if (gif == nullptr)
        return failure(path, FileError::CannotWrite, gifError(openError));

    // The transparent colour travels in a graphics control extension before the image.
    GifByteType controlBytes[4] = {};
    ExtensionBlock control = {};
    SavedImage image = {};
    if (picture.transparentIndex != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock block = {};
        block.DisposalMode = DISPOSAL_UNSPECIFIED;
        block.UserInputFlag = false;
        block.DelayTime = 0;
        block.TransparentColor = picture.transparentIndex;
        control.ByteCount = int(EGifGCBToExtension(&block, controlBytes));
        control.Bytes = controlBytes;
        control.Function = GRAPHICS_EXT_FUNC_CODE;
        image.ExtensionBlockCount = 1;
        image.ExtensionBlocks = &control;
    }
    image.ImageDesc.Left = 0;
    image.ImageDesc.Top = 0;
    image.ImageDesc.Width = width;
    image.ImageDesc.Height = height;
    image.ImageDesc.Interlace = false;
    image.ImageDesc.ColorMap = nullptr; // the global palette
    image.RasterBits = picture.pixels.data();

    gif->SWidth = width;
    gif->SHeight = height;
    gif->SColorResolution = 8;
    gif->SBackGroundColor =
        picture.transparentIndex != NO_TRANSPARENT_COLOR ? picture.transparentIndex : 0;
    gif->SColorMap = map.get();
    gif->ImageCount = 1;
    gif->SavedImages = &image;
    EGifSetGifVersion(gif, true);

    // On success EGifSpew closes and frees the handle. The screen descriptor takes its own copy
    // of the palette, and closing never frees the saved images: everything above stays ours.
    if (EGifSpew(gif) == GIF_ERROR) {
        const int why = gif->Error;
        gif->SavedImages = nullptr;
        gif->ImageCount = 0;
        if (gif->SColorMap == map.get())
            gif->SColorMap = nullptr;
        EGifCloseFile(gif, nullptr);
        return failure(path, FileError::CannotWrite, gifError(why));
    }
    return FileStatus{FileError::None, path, {}};
}

} // namespace

int appendGifBytes(GifFileType *gif, const GifByteType *data, int length)
{
    auto *bytes = static_cast<QByteArray *>(gif->UserData);
    if (length <= 0)
        return 0;
    if (bytes->size() > std::numeric_limits<qsizetype>::max() - length)
        return 0;
    try {
        bytes->append(reinterpret_cast<const char *>(data), length);
    } catch (const std::bad_alloc &) {
        return 0;
    }
    return length;
}

FileStatus saveGif(const QImage &image, const QString &path)
{
    if (image.isNull())
        return failure(path, FileError::InvalidPicture);
    if (image.width() > kMaxGifSide || image.height() > kMaxGifSide)
        return failure(path, FileError::TooLarge);

    QByteArray bytes;
    try {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        if (argb.isNull())
            return failure(path, FileError::CannotWrite, qt_error_string(ENOMEM));

        IndexedPicture picture;
        if (!indexExactly(argb, picture) && !quantise(argb, picture))
            return failure(path, FileError::CannotWrite, qt_error_string(ENOMEM));

        const FileStatus encoded = encode(picture, argb.width(), argb.height(), path, bytes);
        if (!encoded.ok())
            return encoded;
    } catch (const std::bad_alloc &) {
        return failure(path, FileError::CannotWrite, qt_error_string(ENOMEM));
    }
    return writeFileSafely(path, bytes);
}

} // namespace camvista
