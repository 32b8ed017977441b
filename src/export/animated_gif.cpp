#include "animated_gif.h"

#include "indexed_png.h"

#include "imaging/gif_writer.h"
#include "imaging/rounding.h"

#include <gif_lib.h>

#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace camvista::exporting
{

namespace
{

QString gifError(int code)
{
    const char *text = GifErrorString(code);
    return text != nullptr ? QString::fromLatin1(text) : QStringLiteral("GIF error %1").arg(code);
}

using MapPointer = std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)>;

// GIF colour maps hold 2, 4, ..., 256 entries; the unused tail stays black.
MapPointer colourMap(const QList<QRgb> &table)
{
    int size = 2;
    while (size < table.size())
        size *= 2;
    std::vector<GifColorType> colours(std::size_t(size), GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < table.size(); ++i)
        colours[std::size_t(i)] =
            GifColorType{GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])),
                         GifByteType(qBlue(table[i]))};
    return MapPointer(GifMakeMapObject(size, colours.data()), &GifFreeMapObject);
}

struct GifCloser {
    void operator()(GifFileType *gif) const { EGifCloseFile(gif, nullptr); }
};

bool putLoopExtension(GifFileType *gif, int loopCount)
{
    static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType loop[] = {1, GifByteType(loopCount & 0xFF),
                                GifByteType((loopCount >> 8) & 0xFF)};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
           EGifPutExtensionBlock(gif, sizeof kNetscape, kNetscape) != GIF_ERROR &&
           EGifPutExtensionBlock(gif, sizeof loop, loop) != GIF_ERROR &&
           EGifPutExtensionTrailer(gif) != GIF_ERROR;
}

} // namespace

QImage gifFrame(const QImage &picture)
{
    QImage indexed = exactlyIndexed(picture);
    if (indexed.isNull())
        indexed = picture.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
    return indexed;
}

QList<QImage> bounced(const QList<QImage> &frames)
{
    QList<QImage> out = frames;
    for (qsizetype i = frames.size() - 2; i >= 1; --i)
        out.append(frames[i]);
    return out;
}

QByteArray encodeGifAnimation(const GifAnimation &animation, QString &error)
{
    error.clear();
    if (animation.frames.isEmpty() || animation.scale < 1) {
        error = QStringLiteral("There is nothing to animate.");
        return {};
    }
    const QSize size = animation.frames.first().size();
    for (const QImage &frame : animation.frames) {
        if (frame.size() != size || frame.format() != QImage::Format_Indexed8 ||
            frame.colorCount() < 1 || frame.colorCount() > 256) {
            error = QStringLiteral("The pictures of an animation must all have the same size.");
            return {};
        }
    }
    const qint64 width = qint64(size.width()) * animation.scale;
    const qint64 height = qint64(size.height()) * animation.scale;
    if (width > kMaxGifSide || height > kMaxGifSide) {
        error = QStringLiteral("A GIF cannot be wider or higher than %1 pixels.").arg(kMaxGifSide);
        return {};
    }

    QByteArray bytes;
    try {
        int openError = E_GIF_SUCCEEDED;
        std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, &appendGifBytes, &openError));
        if (!gif) {
            error = gifError(openError);
            return {};
        }
        EGifSetGifVersion(gif.get(), true);
        const QList<QRgb> globalTable = animation.frames.first().colorTable();
        const MapPointer global = colourMap(globalTable);
        const auto failed = [&] {
            error = gifError(gif->Error);
            return QByteArray();
        };
        if (!global ||
            EGifPutScreenDesc(gif.get(), int(width), int(height), 8, 0, global.get()) == GIF_ERROR)
            return failed();
        const bool animated = animation.loop && animation.frames.size() > 1;
        if (animated && !putLoopExtension(gif.get(), animation.loopCount))
            return failed();

        GraphicsControlBlock control = {};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        control.DelayTime = animated ? int(roundHalfEven(animation.delayMs / 10.0)) : 0;
        GifByteType controlBytes[4] = {};
        const size_t controlLength = EGifGCBToExtension(&control, controlBytes);

        std::vector<GifByteType> row(static_cast<size_t>(width));
        for (const QImage &frame : animation.frames) {
            if (animated && EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, int(controlLength),
                                             controlBytes) == GIF_ERROR)
                return failed();
            // A frame whose colours differ from the first one's carries its own map.
            MapPointer local(nullptr, &GifFreeMapObject);
            if (frame.colorTable() != globalTable) {
                local = colourMap(frame.colorTable());
                if (!local) {
                    error = gifError(E_GIF_ERR_NOT_ENOUGH_MEM);
                    return {};
                }
            }
            // giflib forgets, without freeing it, the previous frame's own map when a frame
            // uses the global one: let it go here.
            if (!local && gif->Image.ColorMap != nullptr) {
                GifFreeMapObject(gif->Image.ColorMap);
                gif->Image.ColorMap = nullptr;
            }
            if (EGifPutImageDesc(gif.get(), 0, 0, int(width), int(height), false, local.get()) ==
                GIF_ERROR)
                return failed();
            for (int y = 0; y < frame.height(); ++y) {
                const uchar *in = frame.constScanLine(y);
                GifByteType *out = row.data();
                for (int x = 0; x < frame.width(); ++x)
                    for (int k = 0; k < animation.scale; ++k)
                        *out++ = in[x];
                for (int k = 0; k < animation.scale; ++k)
                    if (EGifPutLine(gif.get(), row.data(), int(width)) == GIF_ERROR)
                        return failed();
            }
        }
        int closeError = E_GIF_SUCCEEDED;
        if (EGifCloseFile(gif.release(), &closeError) == GIF_ERROR) {
            error = gifError(closeError);
            return {};
        }
    } catch (const std::bad_alloc &) {
        error = gifError(E_GIF_ERR_NOT_ENOUGH_MEM);
        return {};
    }
    return bytes;
}

} // namespace camvista::exporting
