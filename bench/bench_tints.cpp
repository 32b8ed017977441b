// The fourth step's pixel work: the gamma correction between two 24-bit bitmaps and the two
// tints on a drawing layer, on varied shots and on a large picture.

#include "colour/gamma_correct.h"
#include "colour/tints.h"
#include "imaging/dib_section.h"

#include "bench_main.h"
#include "bench_pictures.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace camvista;

namespace
{

using bench::kLargeHeight;
using bench::kLargeWidth;
using bench::kShotCount;
using bench::kShotHeight;
using bench::kShotWidth;
// Hot: one shot, as in the editor, which tints or corrects a picture it has just written.
constexpr int kHotCount = 1;
constexpr int kLargeCount = 2;

void correct(benchmark::State &state, int width, int height, int count)
{
    const std::vector<QImage> originals = bench::noisyShots(count, width, height, 5);
    std::vector<std::unique_ptr<cDIBSection>> sources;
    for (const QImage &picture : originals) {
        sources.push_back(std::make_unique<cDIBSection>());
        sources.back()->CreateFromPicture(picture);
    }
    cDIBSection display;
    display.Create(width, height);
    cGammaCorrect gamma;
    gamma.Gamma(sliderToGamma(160));
    std::size_t i = 0;
    for (auto _ : state) {
        gamma.Correct(*sources[i], display);
        benchmark::DoNotOptimize(display.DIBSectionBitsPtr());
        benchmark::ClobberMemory();
        i = (i + 1) % sources.size();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

// The tints are a branch-free lookup by byte sum, so their cost does not depend on the pixels:
// the pictures are tinted again and again without being put back (which would time the copy).
template <typename Tint>
void tint(benchmark::State &state, int width, int height, int count, Tint f)
{
    std::vector<QImage> work = bench::noisyShots(count, width, height, 9);
    std::size_t i = 0;
    for (auto _ : state) {
        f(work[i]);
        benchmark::DoNotOptimize(work[i].constBits());
        benchmark::ClobberMemory();
        i = (i + 1) % work.size();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

void bicolour(QImage &layer)
{
    TintBicolor(layer, qRgb(192, 64, 0));
}

void levels(QImage &layer)
{
    TintLevels(layer, QStringLiteral("beige"));
}

void correctShot(benchmark::State &state)
{
    correct(state, kShotWidth, kShotHeight, kShotCount);
}
void correctShotHot(benchmark::State &state)
{
    correct(state, kShotWidth, kShotHeight, kHotCount);
}
void correctLarge(benchmark::State &state)
{
    correct(state, kLargeWidth, kLargeHeight, kLargeCount);
}
void bicolourShot(benchmark::State &state)
{
    tint(state, kShotWidth, kShotHeight, kShotCount, bicolour);
}
void bicolourShotHot(benchmark::State &state)
{
    tint(state, kShotWidth, kShotHeight, kHotCount, bicolour);
}
void bicolourLarge(benchmark::State &state)
{
    tint(state, kLargeWidth, kLargeHeight, kLargeCount, bicolour);
}
void levelsShot(benchmark::State &state)
{
    tint(state, kShotWidth, kShotHeight, kShotCount, levels);
}
void levelsShotHot(benchmark::State &state)
{
    tint(state, kShotWidth, kShotHeight, kHotCount, levels);
}
void levelsLarge(benchmark::State &state)
{
    tint(state, kLargeWidth, kLargeHeight, kLargeCount, levels);
}

} // namespace

BENCHMARK(correctShot)->Unit(benchmark::kMicrosecond);
BENCHMARK(correctShotHot)->Unit(benchmark::kMicrosecond);
BENCHMARK(correctLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(bicolourShot)->Unit(benchmark::kMicrosecond);
BENCHMARK(bicolourShotHot)->Unit(benchmark::kMicrosecond);
BENCHMARK(bicolourLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(levelsShot)->Unit(benchmark::kMicrosecond);
BENCHMARK(levelsShotHot)->Unit(benchmark::kMicrosecond);
BENCHMARK(levelsLarge)->Unit(benchmark::kMillisecond);

CAMVISTA_BENCHMARK_MAIN()
