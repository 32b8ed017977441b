#include "stream_checks.h"

#include "jpeg_decoder.h"

#include <QtEndian>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace camvista
{

namespace
{

struct MemoryStream {
    const uchar *data;
    qint64 size;
    qint64 pos = 0;
};

int readFromMemory(GifFileType *gif, GifByteType *out, int length)
{
    auto *stream = static_cast<MemoryStream *>(gif->UserData);
    const qint64 n = std::min<qint64>(length, stream->size - stream->pos);
    if (n <= 0)
        return 0;
    std::memcpy(out, stream->data + stream->pos, size_t(n));
    stream->pos += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Reads the sub-blocks of an image's compressed data without decoding them.
bool skipImageData(GifFileType *gif)
{
    int codeSize = 0;
    GifByteType *block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR)
        return false;
    while (block != nullptr) {
        if (DGifGetCodeNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

bool decodeImageData(GifFileType *gif, int width, int height)
{
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        if (DGifGetLine(gif, line.data(), width) == GIF_ERROR)
            return false;
    }
    return true;
}

bool skipExtension(GifFileType *gif)
{
    int code = 0;
    GifByteType *block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

} // namespace

QSize gifScreenSize(const uchar *data, qint64 size)
{
    if (size < 10)
        return {};
    return QSize(qFromLittleEndian<quint16>(data + 6), qFromLittleEndian<quint16>(data + 8));
}

FileError checkGifStream(const uchar *data, qint64 size)
{
    const QSize screen = gifScreenSize(data, size);
    if (!screen.isValid())
        return FileError::Damaged;
    if (exceedsPictureCap(screen.width(), screen.height()))
        return FileError::TooLarge;

    MemoryStream stream{data, size};
    int openError = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&stream, &readFromMemory, &openError));
    if (!gif)
        return FileError::Damaged;

    bool firstImage = true;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            return FileError::Damaged; // this is where a file without its trailer ends
        switch (type) {
        case IMAGE_DESC_RECORD_TYPE: {
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
                return FileError::Damaged;
            const int width = gif->Image.Width;
            const int height = gif->Image.Height;
            if (firstImage && exceedsPictureCap(width, height))
                return FileError::TooLarge;
            // Only the first frame is shown; the others need only be there in full.
            const bool decode = firstImage && width > 0 && height > 0;
            if (!(decode ? decodeImageData(gif.get(), width, height) : skipImageData(gif.get())))
                return FileError::Damaged;
            firstImage = false;
            break;
        }
        case EXTENSION_RECORD_TYPE:
            if (!skipExtension(gif.get()))
                return FileError::Damaged;
            break;
        case TERMINATE_RECORD_TYPE:
            return firstImage ? FileError::Damaged : FileError::None;
        default:
            return FileError::Damaged;
        }
    }
}

FileError checkJpegStream(const uchar *data, qint64 size)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return FileError::Damaged;
    qint64 pos = 2;
    int scans = 0;
    for (;;) {
        if (pos >= size || data[pos] != 0xFF)
            return FileError::Damaged;
        while (pos < size && data[pos] == 0xFF)
            ++pos; // fill bytes before a marker
        if (pos >= size)
            return FileError::Damaged;
        const uchar marker = data[pos++];
        if (marker == 0xD9)
            return FileError::None; // end of image
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        if (pos + 2 > size)
            return FileError::Damaged;
        const qint64 length = qFromBigEndian<quint16>(data + pos);
        if (length < 2 || pos + length > size)
            return FileError::Damaged;
        pos += length;
        if (marker != 0xDA)
            continue;
        if (++scans > kMaxJpegScans)
            return FileError::Damaged;
        // Entropy-coded data follows a start of scan up to the next marker; 0xFF 0x00 is a
        // stuffed byte and 0xFF 0xD0 to 0xD7 are restart markers inside the scan.
        for (;;) {
            const void *ff = std::memchr(data + pos, 0xFF, size_t(size - pos));
            if (ff == nullptr)
                return FileError::Damaged; // the scan runs to the end of the file
            pos = static_cast<const uchar *>(ff) - data;
            if (pos + 1 >= size)
                return FileError::Damaged;
            const uchar next = data[pos + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
                pos += 2;
                continue;
            }
            if (next == 0xFF) {
                ++pos;
                continue;
            }
            break; // a marker: the outer loop reads it
        }
    }
}

} // namespace camvista
