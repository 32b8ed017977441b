#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "imaging/stamp_blend.h"

#include <algorithm>

namespace camvista::fuzz
{

int stampBlend(const std::uint8_t *data, std::size_t size)
{
    // Sizes up to 87 (and a few negative ones), a position anywhere around the picture, then
    // the two buffers, each possibly shorter than its size says.
    ByteReader in(data, size);
    StampScene scene;
    scene.backgroundWidth = int(in.word() % 96) - 8;
    scene.backgroundHeight = int(in.word() % 96) - 8;
    scene.stampWidth = int(in.word() % 96) - 8;
    scene.stampHeight = int(in.word() % 96) - 8;
    const int x = int(std::int16_t(in.word()));
    const int y = int(std::int16_t(in.word()));
    const std::uint8_t shortfall = in.byte();

    const auto fill = [&in](qint64 want) {
        std::vector<std::uint8_t> bytes(std::size_t(std::max<qint64>(0, want)));
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = std::uint8_t(in.restSize() > 0 ? in.byte() : i * 31);
        return bytes;
    };
    const qint64 backgroundBytes =
        scanLineBytes(std::max(0, scene.backgroundWidth)) * std::max(0, scene.backgroundHeight);
    const qint64 stampBytes =
        qint64(std::max(0, scene.stampWidth)) * 4 * std::max(0, scene.stampHeight);
    scene.background = fill(backgroundBytes - ((shortfall & 1) != 0 ? shortfall : 0));
    scene.stamp = fill(stampBytes - ((shortfall & 2) != 0 ? shortfall : 0));

    std::vector<std::uint8_t> patch(7, 0xAB);
    const std::vector<std::uint8_t> before = patch;
    const bool drawn = DrawStamp(scene, x, y, patch);
    if (!drawn) {
        require(patch == before, "a stamp that is not drawn leaves the patch alone");
        return 0;
    }
    require(scene.isValid(), "only a valid scene is drawn");
    require(qint64(patch.size()) == scanLineBytes(scene.stampWidth) * scene.stampHeight,
            "the patch has the stamp's size");
    const QImage image = patchToImage(patch, scene.stampWidth, scene.stampHeight);
    require(image.width() == scene.stampWidth && image.height() == scene.stampHeight,
            "the patch converts to a picture of the stamp's size");
    return 0;
}

} // namespace camvista::fuzz
