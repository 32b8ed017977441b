// libFuzzer target for the save reader: any bytes, read as a save file held in memory, and every
// picture it gives decoded and read back to the last pixel.
#include "camera/camera_save.h"

#include <cstddef>
#include <cstdint>

namespace
{

unsigned touch(const QImage &picture)
{
    unsigned sum = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            sum += row[x];
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace camvista::camera;
    const SaveRead read = readSaveBytes(data, size);
    volatile unsigned sink = 0;
    if (!read.ok()) {
        sink = sink + unsigned(read.message().size());
        return 0;
    }
    for (const SaveBank &bank : read.banks) {
        for (const Photo &photo : bank.album)
            sink = sink + touch(photo.picture) + unsigned(photo.album);
        for (const Photo &photo : bank.deleted)
            sink = sink + touch(photo.picture) + unsigned(photo.slot);
        sink = sink + touch(bank.lastSeen) + touch(bank.gameFace);
    }
    // A bank-sized input also goes through the lower-level calls on its own.
    if (size >= std::size_t(kBankSize)) {
        sink = sink + unsigned(hasMarkers(data));
        sink = sink + unsigned(holdsPicture(data + kFirstSlot));
        sink = sink + touch(decodePicture(data + kLastSeen));
    }
    return 0;
}
