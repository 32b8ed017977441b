#include "picture_file.h"

#include "bmp_header.h"

#include "safe_write.h"
#include "stream_checks.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace camvista
{

namespace
{

constexpr qint64 kBmpFileHeaderSize = 14;

PictureLoad refused(const QString &path, FileError error, const QString &detail = {})
{
    return PictureLoad{QImage(), FileStatus{error, path, detail}};
}

FileError errorFromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return FileError::Missing;
    default:
        return FileError::Unreadable;
    }
}

bool tooLarge(qint64 width, qint64 height)
{
    return width > kMaxPictureSide || height > kMaxPictureSide ||
           width * height > kMaxPicturePixels;
}

// The format is decided by the content alone: a name ending in .png says nothing.
QByteArray formatFromMagic(const QByteArray &head)
{
    static const QByteArray png("\x89PNG\r\n\x1A\n", 8);
    static const QByteArray jpeg("\xFF\xD8\xFF", 3);
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith(jpeg))
        return "jpeg";
    if (head.startsWith(png))
        return "png";
    return {};
}

struct BmpCheck {
    FileError error = FileError::None;
    QSize size;             // width and the absolute height
    bool runLength = false; // RLE4 or RLE8 pixel data
};

// Reads the BMP headers ourselves, before Qt sees the file: Qt allocates the picture from the
// header and, for a file cut short, hands back the rows it never read as uninitialised memory.
BmpCheck checkBmpHeaders(QIODevice &dev, qint64 fileSize)
{
    std::array<uchar, kBmpFileHeaderSize + 40> h{};
    const qint64 got = dev.read(reinterpret_cast<char *>(h.data()), qint64(h.size()));
    if (got < kBmpFileHeaderSize + 4)
        return {FileError::Damaged, {}};

    const quint32 offBits = qFromLittleEndian<quint32>(h.data() + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(h.data() + 14);

    qint64 width = 0;
    qint64 height = 0;
    int planes = 0;
    int bitCount = 0;
    quint32 compression = 0;
    quint32 coloursUsed = 0;
    if (infoSize == 12) {
        if (got < kBmpFileHeaderSize + 12)
            return {FileError::Damaged, {}};
        width = qFromLittleEndian<qint16>(h.data() + 18);
        height = qFromLittleEndian<qint16>(h.data() + 20);
        planes = qFromLittleEndian<quint16>(h.data() + 22);
        bitCount = qFromLittleEndian<quint16>(h.data() + 24);
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 ||
               infoSize == 108 || infoSize == 124) {
        if (got < kBmpFileHeaderSize + 40)
            return {FileError::Damaged, {}};
        width = qFromLittleEndian<qint32>(h.data() + 18);
        height = qFromLittleEndian<qint32>(h.data() + 22);
        planes = qFromLittleEndian<quint16>(h.data() + 26);
        bitCount = qFromLittleEndian<quint16>(h.data() + 28);
        compression = qFromLittleEndian<quint32>(h.data() + 30);
        coloursUsed = qFromLittleEndian<quint32>(h.data() + 46);
    } else {
        return {FileError::Damaged, {}};
    }

    // A negative height means the rows are stored top-down; INT_MIN has no positive twin.
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return {FileError::Damaged, {}};
    const qint64 rows = height < 0 ? -height : height;
    if (tooLarge(width, rows))
        return {FileError::TooLarge, {}};
    if (planes != 1)
        return {FileError::Damaged, {}};
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return {FileError::Damaged, {}};

    const QSize size{int(width), int(rows)};
    constexpr quint32 kRgb = 0;
    constexpr quint32 kBitFields = 3;
    constexpr quint32 kAlphaBitFields = 6;
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields)
        return {FileError::None, size, true}; // run-length data has no fixed length

    qint64 paletteEntries = 0;
    if (bitCount <= 8) {
        paletteEntries = coloursUsed != 0 ? coloursUsed : (qint64(1) << bitCount);
        if (paletteEntries > 256)
            return {FileError::Damaged, {}};
    }
    const qint64 entrySize = infoSize == 12 ? 3 : 4;
    qint64 masks = 0;
    if (infoSize == 40 && compression == kBitFields)
        masks = 12;
    else if (infoSize == 40 && compression == kAlphaBitFields)
        masks = 16;
    // The reader starts on the pixels at the stated offset, or right after the header and
    // palette when the offset points into them.
    const qint64 headerEnd = kBmpFileHeaderSize + infoSize + masks + paletteEntries * entrySize;
    const qint64 dataStart = std::max<qint64>(offBits, headerEnd);
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    if (fileSize < dataStart + rowBytes * rows)
        return {FileError::Damaged, {}};
    return {FileError::None, size};
}

// GIF and JPEG files are walked block by block before Qt sees them (see stream_checks.h).
FileError checkStructure(QFile &file, const QByteArray &format, qint64 fileSize)
{
    if (format != "gif" && format != "jpeg")
        return FileError::None;
    QByteArray copy;
    const uchar *data = file.map(0, fileSize);
    if (data == nullptr) {
        copy = file.readAll();
        if (copy.size() != fileSize || !file.seek(0))
            return FileError::Damaged;
        data = reinterpret_cast<const uchar *>(copy.constData());
    }
    const FileError error =
        format == "gif" ? checkGifStream(data, fileSize) : checkJpegStream(data, fileSize);
    if (copy.isEmpty())
        file.unmap(const_cast<uchar *>(data));
    return error;
}

} // namespace

namespace
{

// Our own cap (64 megapixels, 4 bytes each) is the limit that binds: Qt's default allocation
// limit is lower and would refuse pictures the program accepts. A limit switched off stays off.
void makeRoomForTheCap()
{
    static const bool done = [] {
        constexpr int capMegabytes = int(kMaxPicturePixels * 4 / (1024 * 1024)) + 1;
        const int limit = QImageReader::allocationLimit();
        if (limit > 0 && limit < capMegabytes)
            QImageReader::setAllocationLimit(capMegabytes);
        return true;
    }();
    (void)done;
}

} // namespace

PictureLoad loadPictureFile(const QString &path)
{
    makeRoomForTheCap();
    if (path.isEmpty())
        return PictureLoad{QImage(), FileStatus{FileError::None, path, {}}};

    const QByteArray native = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(native.constData(), &st) != 0) {
        const int err = errno;
        return refused(path, errorFromErrno(err), qt_error_string(err));
    }
    // Checked before opening: opening a pipe for reading waits for a writer.
    if (!S_ISREG(st.st_mode))
        return refused(path, FileError::NotAFile);

    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        return refused(path, errorFromErrno(err), qt_error_string(err));
    }
    // Something else may have been put in its place between stat and open.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refused(path, FileError::NotAFile);
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refused(path, FileError::Unreadable, file.errorString());
    }
    const qint64 fileSize = st.st_size;

    const QByteArray format = formatFromMagic(file.read(8));
    if (format.isEmpty())
        return refused(path, FileError::NotAPicture);
    if (!file.seek(0))
        return refused(path, FileError::Unreadable, file.errorString());

    BmpCheck bmp;
    if (format == "bmp") {
        bmp = checkBmpHeaders(file, fileSize);
        if (bmp.error != FileError::None)
            return refused(path, bmp.error);
        if (!file.seek(0))
            return refused(path, FileError::Unreadable, file.errorString());
    }

    const FileError structure = checkStructure(file, format, fileSize);
    if (structure != FileError::None)
        return refused(path, structure);

    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    QSize size = reader.size();
    // Qt reports a top-down BMP with its negative height.
    if (format == "bmp" && size.height() < 0 && size.height() != INT_MIN)
        size.setHeight(-size.height());
    if (!size.isValid())
        return refused(path, FileError::Damaged, reader.errorString());
    // The length check above only holds if Qt reads the header the way we did.
    if (format == "bmp" && size != bmp.size)
        return refused(path, FileError::Damaged);
    if (tooLarge(size.width(), size.height()))
        return refused(path, FileError::TooLarge);

    QImage image;
    const uchar *prepared = nullptr;
    if (bmp.runLength) {
        // Run-length data may skip pixels (jumps, short rows, an early end), and Qt leaves
        // those uninitialised. Qt decodes into a picture of the right size and format that it
        // is handed, so hand it one filled with colour 0.
        image = QImage(size, QImage::Format_Indexed8);
        if (image.isNull())
            return refused(path, FileError::TooLarge);
        // fill() leaves the padding at the end of each row alone; clear whole rows.
        std::memset(image.bits(), 0, size_t(image.sizeInBytes()));
        prepared = image.constBits();
    }
    const DecoderWarnings warnings;
    if (!reader.read(&image) || image.isNull()) {
        // Qt's own allocation limit (in megabytes) may be lower than our cap.
        const qint64 limitBytes = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
        const qint64 needBytes = qint64(size.width()) * size.height() * 4;
        if (limitBytes > 0 && needBytes > limitBytes)
            return refused(path, FileError::TooLarge);
        return refused(path, FileError::Damaged, reader.errorString());
    }
    if (prepared != nullptr && image.constBits() != prepared)
        return refused(path, FileError::Damaged); // decoded elsewhere: no telling what is in it
    // The decoders fill in what they could not read and only say so in a warning.
    if (warnings.sawDamage())
        return refused(path, FileError::Damaged);
    return PictureLoad{image, FileStatus{FileError::None, path, {}}};
}

namespace
{

// The picture as the BMP writer takes it: 32-bit, with straight alpha for a 32-bit file.
FileStatus bmpPixels(const QImage &image, int bitsPerPixel, QImage &pixels)
{
    if (image.isNull())
        return FileStatus{FileError::InvalidPicture, {}, {}};
    if (tooLarge(image.width(), image.height()))
        return FileStatus{FileError::TooLarge, {}, {}};
    pixels =
        image.convertToFormat(bitsPerPixel == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (pixels.isNull())
        return FileStatus{FileError::CannotWrite, {}, qt_error_string(ENOMEM)};
    return {};
}

// 24 bits: blue, green, red, each row padded to 4 bytes. 32 bits: blue, green, red and straight
// alpha. Bottom row first, after the 54-byte header.
bool writeBmp(QIODevice &dev, const QImage &pixels, int bitsPerPixel)
{
    const qint64 width = pixels.width();
    const qint64 height = pixels.height();
    const bool alpha = bitsPerPixel == 32;
    const qint64 rowBytes = alpha ? width * 4 : (width * 3 + 3) & ~qint64(3);
    const qint64 imageSize = rowBytes * height;
    constexpr int kHeaderSize = 54;

    const auto h = bmpHeader54(width, height, bitsPerPixel, imageSize, pixels.dotsPerMeterX(),
                               pixels.dotsPerMeterY());
    if (!writeAll(dev, reinterpret_cast<const char *>(h.data()), kHeaderSize))
        return false;

    std::vector<char> row(size_t(rowBytes), 0); // the padding stays zero
    for (qint64 y = height - 1; y >= 0; --y) {
        const auto *src = reinterpret_cast<const QRgb *>(pixels.constScanLine(int(y)));
        char *out = row.data();
        for (qint64 x = 0; x < width; ++x) {
            const QRgb p = src[x];
            *out++ = char(qBlue(p));
            *out++ = char(qGreen(p));
            *out++ = char(qRed(p));
            if (alpha)
                *out++ = char(qAlpha(p));
        }
        if (!writeAll(dev, row.data(), rowBytes))
            return false;
    }
    return true;
}

FileStatus saveBmp(const QImage &image, const QString &path, int bitsPerPixel)
{
    QImage pixels;
    FileStatus checked = bmpPixels(image, bitsPerPixel, pixels);
    if (!checked.ok()) {
        checked.path = path;
        return checked;
    }
    // Rows go to the file as they are made: a large picture is never held twice.
    return writeFileSafely(path,
                           [&](QIODevice &dev) { return writeBmp(dev, pixels, bitsPerPixel); });
}

} // namespace

EncodedPicture encodePictureBmp(const QImage &image)
{
    EncodedPicture encoded;
    QImage pixels;
    encoded.status = bmpPixels(image, 24, pixels);
    if (!encoded.ok())
        return encoded;
    try {
        QBuffer buffer(&encoded.bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!writeBmp(buffer, pixels, 24))
            encoded.status = FileStatus{FileError::CannotWrite, {}, qt_error_string(ENOMEM)};
    } catch (const std::bad_alloc &) {
        encoded.status = FileStatus{FileError::CannotWrite, {}, qt_error_string(ENOMEM)};
    }
    if (!encoded.ok())
        encoded.bytes.clear();
    return encoded;
}

EncodedPicture encodePicturePng(const QImage &image)
{
    EncodedPicture encoded;
    // The BMP writer's conversion, so both formats carry the very same pixels.
    QImage pixels;
    encoded.status = bmpPixels(image, 24, pixels);
    if (!encoded.ok())
        return encoded;
    // Into memory first: the PNG encoder never meets a failing disk, and the finished bytes go
    // to the safe writer, which reports a full disk in the system's words.
    QBuffer buffer(&encoded.bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(pixels)) {
        encoded.status = FileStatus{FileError::CannotWrite, {}, writer.errorString()};
        encoded.bytes.clear();
    }
    return encoded;
}

FileStatus savePictureBmp(const QImage &image, const QString &path)
{
    return saveBmp(image, path, 24);
}

FileStatus savePicturePng(const QImage &image, const QString &path)
{
    const EncodedPicture encoded = encodePicturePng(image);
    if (!encoded.ok())
        return FileStatus{encoded.status.error, path, encoded.status.detail};
    return writeFileSafely(path, encoded.bytes);
}

FileStatus savePictureBmp32(const QImage &image, const QString &path)
{
    // Straight alpha: the stamp reader blends with it as it stands.
    return saveBmp(image, path, 32);
}

QString FileStatus::message() const
{
    const QString name = QFileInfo(path).fileName();
    const QString quoted = QStringLiteral("\u201C%1\u201D").arg(name);
    const QString because = detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail);
    switch (error) {
    case FileError::None:
        return {};
    case FileError::Missing:
        return QStringLiteral("The file %1 could not be found. It may have been moved, renamed "
                              "or deleted.")
            .arg(quoted);
    case FileError::NotAFile:
        return QStringLiteral("%1 is a folder or a device, not a file, so Camvista cannot use it "
                              "as a picture file.")
            .arg(quoted);
    case FileError::Unreadable:
        return QStringLiteral("Camvista is not allowed to read the file %1%2.")
            .arg(quoted, because);
    case FileError::NotAPicture:
        return QStringLiteral("The file %1 is not a picture Camvista can read (BMP, GIF, JPEG or "
                              "PNG).")
            .arg(quoted);
    case FileError::TooLarge:
        return QStringLiteral("The picture %1 is too large for Camvista to handle.").arg(quoted);
    case FileError::Damaged:
        return QStringLiteral("The picture file %1 is damaged or incomplete, so Camvista cannot "
                              "open it.")
            .arg(quoted);
    case FileError::WriteProtected:
        return QStringLiteral("The file %1 is read-only, so Camvista left it as it was.")
            .arg(quoted);
    case FileError::CannotWrite:
        return QStringLiteral("Camvista could not save the file %1%2. Anything that was there "
                              "before is unchanged.")
            .arg(quoted, because);
    case FileError::InvalidPicture:
        return QStringLiteral("There is no picture to save as %1.").arg(quoted);
    case FileError::AlreadyExists:
        return QStringLiteral("A file %1 already stands there, so Camvista left it as it was.")
            .arg(quoted);
    }
    return {};
}

} // namespace camvista
