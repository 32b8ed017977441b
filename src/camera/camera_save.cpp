#include "camera_save.h"

#include "colour/shades.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace camvista::camera
{

namespace
{

constexpr int kTilesAcross = kPhotoWidth / 8;
constexpr int kTileBytes = 16;

constexpr std::array<QRgb, 4> kShadeOfValue = {kWhite, kLightGrey, kDarkGrey, kBlack};

// Byte i of kSpreadBits[b] is bit 7 - i of b: a bit plane's byte spread out pixel by pixel.
constexpr std::array<std::uint64_t, 256> kSpreadBits = [] {
    std::array<std::uint64_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b) {
        for (unsigned i = 0; i < 8; ++i)
            table[b] |= std::uint64_t((b >> (7 - i)) & 1u) << (8 * i);
    }
    return table;
}();

// What stands at a path that is not a plain file, for the message.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a plain file");
}

SaveRead failed(const QString &path, SaveError error, const QString &detail = {})
{
    SaveRead read;
    read.error = error;
    read.path = path;
    read.detail = detail;
    return read;
}

bool validSize(std::size_t size)
{
    return size > 0 && size % std::size_t(kBankSize) == 0 &&
           size / std::size_t(kBankSize) <= std::size_t(kMaxBanks);
}

SaveBank decodeBank(const std::uint8_t *bank, int index)
{
    SaveBank out;
    out.index = index;
    const std::uint8_t *state = bank + kStateVector;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::uint8_t *tiles = bank + kFirstSlot + qsizetype(slot) * kSlotSize;
        const std::uint8_t place = state[slot];
        if (place < kSlotCount)
            out.album.append(Photo{slot, place + 1, decodePicture(tiles)});
        else if (holdsPicture(tiles)) // freed (0xFF), or a place no album has
            out.deleted.append(Photo{slot, 0, decodePicture(tiles)});
    }
    // A damaged state vector may give two slots one place: both are kept, the lower slot first.
    std::stable_sort(out.album.begin(), out.album.end(),
                     [](const Photo &a, const Photo &b) { return a.album < b.album; });
    out.lastSeen = decodePicture(bank + kLastSeen);
    out.gameFace = decodePicture(bank + kGameFace);
    return out;
}

} // namespace

bool hasMarkers(const std::uint8_t *bank)
{
    const std::size_t length = sizeof(kMarker) - 1;
    return std::all_of(std::begin(kMarkerOffsets), std::end(kMarkerOffsets),
                       [&](qsizetype at) { return std::memcmp(bank + at, kMarker, length) == 0; });
}

bool holdsPicture(const std::uint8_t *tiles)
{
    // All bit planes clear is all white, all set is all black.
    const std::uint8_t first = tiles[0];
    if (first != 0x00 && first != 0xFF)
        return true;
    return std::any_of(tiles, tiles + kPictureBytes,
                       [first](std::uint8_t b) { return b != first; });
}

QImage decodePicture(const std::uint8_t *tiles)
{
    QImage picture(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    for (int y = 0; y < kPhotoHeight; ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        // Row y of a tile row: two bytes per tile, low bit plane first.
        const std::uint8_t *src =
            tiles + qsizetype(y / 8) * kTilesAcross * kTileBytes + (y % 8) * 2;
        for (int tile = 0; tile < kTilesAcross; ++tile, src += kTileBytes) {
            // The eight values of a pixel row at once, one per byte, leftmost in the lowest.
            const std::uint64_t values = kSpreadBits[src[0]] | kSpreadBits[src[1]] << 1;
            for (int i = 0; i < 8; ++i)
                *row++ = kShadeOfValue[(values >> (8 * i)) & 3u];
        }
    }
    return picture;
}

SaveRead readSaveBytes(const std::uint8_t *data, std::size_t size)
{
    if (!validSize(size) || data == nullptr)
        return failed({}, SaveError::WrongSize, QString::number(qulonglong(size)));
    SaveRead read;
    const int banks = int(size / std::size_t(kBankSize));
    for (int i = 0; i < banks; ++i) {
        const std::uint8_t *bank = data + qsizetype(i) * kBankSize;
        if (hasMarkers(bank))
            read.banks.append(decodeBank(bank, i));
    }
    if (read.banks.isEmpty())
        return failed({}, SaveError::NotASave);
    return read;
}

SaveRead readSaveFile(const QString &path)
{
    if (path.isEmpty())
        return failed(path, SaveError::Missing);
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking, so that a pipe cannot hold the open; a pipe is refused just after.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        struct stat st = {};
        if (err == ENOENT || err == ENOTDIR)
            return failed(path, SaveError::Missing);
        if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            return failed(path, SaveError::NotAFile, kindOf(st.st_mode));
        return failed(path, SaveError::Unreadable, qt_error_string(err));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat st = {};
    if (::fstat(fd, &st) != 0)
        return failed(path, SaveError::Unreadable, qt_error_string(errno));
    if (!S_ISREG(st.st_mode))
        return failed(path, SaveError::NotAFile, kindOf(st.st_mode));
    if (st.st_size < 0 || !validSize(std::size_t(st.st_size)))
        return failed(path, SaveError::WrongSize, QString::number(qint64(st.st_size)));

    // Read one byte more than expected: a file that grew since fstat is not the file measured.
    const std::size_t expected = std::size_t(st.st_size);
    std::vector<std::uint8_t> bytes(expected + 1);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(path, SaveError::Unreadable, qt_error_string(errno));
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    if (got != expected)
        return failed(path, SaveError::WrongSize, QString::number(qint64(got)));

    SaveRead read = readSaveBytes(bytes.data(), got);
    read.path = path;
    return read;
}

QString SaveRead::message() const
{
    const QString quoted = QStringLiteral("\u201C%1\u201D").arg(QFileInfo(path).fileName());
    const QString because = detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail);
    switch (error) {
    case SaveError::None:
        return {};
    case SaveError::Missing:
        return QStringLiteral("The file %1 could not be found.").arg(quoted);
    case SaveError::NotAFile:
        return QStringLiteral("%1 is %2, not a save file.")
            .arg(quoted, detail.isEmpty() ? QStringLiteral("not a plain file") : detail);
    case SaveError::Unreadable:
        return QStringLiteral("The file %1 cannot be read%2.").arg(quoted, because);
    case SaveError::WrongSize:
        return QStringLiteral("The file %1 is not a Game Boy Camera save: it is %2 long, and "
                              "a save is 131072 bytes (128 KiB), or a dump of whole 128 KiB banks "
                              "up to 1 MiB.")
            .arg(quoted, detail == QLatin1String("1")
                             ? QStringLiteral("1 byte")
                             : (detail.isEmpty() ? QStringLiteral("?") : detail) +
                                   QStringLiteral(" bytes"));
    case SaveError::NotASave:
        return QStringLiteral("The file %1 is not a Game Boy Camera save: it has the size of one, "
                              "but not the camera's markers.")
            .arg(quoted);
    }
    return {};
}

} // namespace camvista::camera
