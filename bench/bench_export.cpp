// The export of one shot as the command line does it: frame 3, the Game Boy Pocket colours, the
// gamma table, 4x, then the PNG encode (indexed, and 24-bit for comparison).

#include "export/indexed_png.h"
#include "export/shot_pipeline.h"

#include "colour/palette_catalogue.h"
#include "data/frame_pictures.h"
#include "shotwork/shot_operations.h"

#include "bench_main.h"
#include "export_shots.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace camvista;
using namespace camvista::exporting;

namespace
{

constexpr int kShots = 64;

PreparedExport pocketFrame3()
{
    PreparedExport prepared;
    const auto palettes = namedPalettes();
    for (std::size_t i = 0; i < palettes.size(); ++i)
        if (palettes[i].caption == QLatin1String("Game Boy Pocket"))
            prepared.options.palette = PaletteChoice::named(int(i));
    prepared.options.frame = FrameChoice::defaultFrame(3);
    prepared.options.scale = 4;
    prepared.frame = data::defaultFrame(3);
    prepared.passes = palettes[std::size_t(prepared.options.palette.catalogueIndex)].passes();
    return prepared;
}

std::vector<QImage> shots()
{
    std::vector<QImage> pictures;
    for (int i = 0; i < kShots; ++i)
        pictures.push_back(bench::cameraLikeShot(i, 128, 112));
    return pictures;
}

// The indexed PNG the export writes, or the same picture as 24-bit PNG through the same
// encoder: the size the indexed PNG saves.
void exportShots(benchmark::State &state, bool indexed)
{
    const PreparedExport prepared = pocketFrame3();
    const std::vector<QImage> pictures = shots();
    std::size_t i = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const QImage picture = exportedPicture(pictures[i++ % pictures.size()], prepared);
        QImage pixels;
        QString error;
        const QByteArray png = indexed ? encodedShot(picture, prepared.options, pixels, error)
                                       : encodePng(shotwork::enlargeByWholeFactor(picture, 4, 4));
        bytes += png.size();
        benchmark::DoNotOptimize(png.constData());
    }
    state.counters["bytes"] = benchmark::Counter(double(bytes) / double(state.iterations()));
}

void BM_ExportShotIndexedPng(benchmark::State &state)
{
    exportShots(state, true);
}
BENCHMARK(BM_ExportShotIndexedPng)->Unit(benchmark::kMicrosecond);

void BM_ExportShotRgbPng(benchmark::State &state)
{
    exportShots(state, false);
}
BENCHMARK(BM_ExportShotRgbPng)->Unit(benchmark::kMicrosecond);

} // namespace

CAMVISTA_BENCHMARK_MAIN();
