#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "camera/camera_save.h"

#include <QSet>

namespace camvista::fuzz
{

namespace
{

// Every pixel of a decoded picture, which must be 128 x 112 in the four shot shades.
void checkPicture(const QImage &picture)
{
    require(picture.width() == camera::kPhotoWidth && picture.height() == camera::kPhotoHeight,
            "a decoded picture is 128 x 112");
    for (int y = 0; y < picture.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = row[x] | 0xff000000u;
            require(p == 0xffffffffu || p == 0xffc0c0c0u || p == 0xff808080u || p == 0xff000000u,
                    "a decoded pixel is one of the four shades");
        }
    }
}

} // namespace

int cameraSave(const std::uint8_t *data, std::size_t size)
{
    const camera::SaveRead read = camera::readSaveBytes(data, size);
    if (!read.ok()) {
        require(read.banks.isEmpty(), "a refused save gives no banks");
        require(!read.message().isEmpty(), "a refused save has a message");
        return 0;
    }
    require(!read.banks.isEmpty(), "a save that reads has a bank");
    for (const camera::SaveBank &bank : read.banks) {
        require(bank.index >= 0 && qsizetype(bank.index) * camera::kBankSize < qsizetype(size),
                "a bank lies inside the file");
        QSet<int> inAlbum;
        int lastAlbum = 0;
        for (const camera::Photo &photo : bank.album) {
            require(photo.album >= 1 && photo.album <= camera::kSlotCount, "album numbers 1-30");
            require(photo.album >= lastAlbum, "the album comes in album order");
            lastAlbum = photo.album;
            inAlbum.insert(photo.slot);
            checkPicture(photo.picture);
        }
        for (const camera::Photo &photo : bank.deleted) {
            require(!inAlbum.contains(photo.slot), "a slot is either in the album or deleted");
            checkPicture(photo.picture);
        }
        checkPicture(bank.lastSeen);
        checkPicture(bank.gameFace);
    }
    return 0;
}

} // namespace camvista::fuzz
