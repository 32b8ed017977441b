#include "camera/camera_save.h"

#include "camera/save_writer.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

// A full camera: thirty album photos, all different, plus the last-seen picture and game face.
QByteArray fullSave()
{
    camvista::test::SaveWriter save;
    for (int slot = 0; slot < 30; ++slot)
        save.photo(slot, camvista::test::patternValues(unsigned(slot)), (slot * 7) % 30 + 1);
    save.lastSeen(camvista::test::patternValues(40)).gameFace(camvista::test::patternValues(41));
    return save.bytes();
}

const std::uint8_t *bytesOf(const QByteArray &bytes)
{
    return reinterpret_cast<const std::uint8_t *>(bytes.constData());
}

// Every picture of a whole save decoded: 30 photos, the last-seen picture and the game face.
void BM_DecodeWholeSave(benchmark::State &state)
{
    const QByteArray save = fullSave();
    for (auto _ : state) {
        const camvista::camera::SaveRead read =
            camvista::camera::readSaveBytes(bytesOf(save), std::size_t(save.size()));
        benchmark::DoNotOptimize(read.banks[0].album.last().picture.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 32);
}
BENCHMARK(BM_DecodeWholeSave)->Unit(benchmark::kMicrosecond);

// The same from a file on disk, its checks and reading included.
void BM_ReadSaveFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("camera.sav"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(fullSave()) != camvista::test::kSaveSize) {
        state.SkipWithError("cannot write the save");
        return;
    }
    f.close();
    for (auto _ : state) {
        const camvista::camera::SaveRead read = camvista::camera::readSaveFile(path);
        benchmark::DoNotOptimize(read.banks[0].album.size());
    }
}
BENCHMARK(BM_ReadSaveFile)->Unit(benchmark::kMicrosecond);

// One 128 x 112 picture of tiles.
void BM_DecodePicture(benchmark::State &state)
{
    const QByteArray tiles = camvista::test::encodeTiles(camvista::test::patternValues(3));
    for (auto _ : state) {
        const QImage picture = camvista::camera::decodePicture(bytesOf(tiles));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_DecodePicture)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
