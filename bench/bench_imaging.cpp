#include "imaging/dib_section.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

using camvista::cDIBSection;

namespace
{

// Several different random pictures, used in turn, so that neither the caches nor the branch
// predictor settle on one picture's data.
constexpr int kSources = 8;

std::array<std::unique_ptr<cDIBSection>, kSources> makeSources(int width, int height)
{
    std::array<std::unique_ptr<cDIBSection>, kSources> sources;
    for (int i = 0; i < kSources; ++i) {
        sources[std::size_t(i)] = std::make_unique<cDIBSection>();
        cDIBSection &dib = *sources[std::size_t(i)];
        if (!dib.Create(width, height))
            return {};
        dib.RandomiseBits(i % 2 == 0);
    }
    return sources;
}

void BM_Resample(benchmark::State &state)
{
    const int srcWidth = int(state.range(0));
    const int srcHeight = int(state.range(1));
    const int newWidth = int(state.range(2));
    const int newHeight = int(state.range(3));
    const auto sources = makeSources(srcWidth, srcHeight);
    if (!sources[0]) {
        state.SkipWithError("cannot create the source bitmaps");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        auto resampled = sources[next]->Resample(newHeight, newWidth);
        benchmark::DoNotOptimize(resampled.get());
        if (!resampled) {
            state.SkipWithError("Resample failed");
            break;
        }
        next = (next + 1) % kSources;
    }
    state.SetItemsProcessed(state.iterations() * newWidth * newHeight);
}

} // namespace

BENCHMARK(BM_Resample)
    ->ArgNames({"srcW", "srcH", "newW", "newH"})
    ->Args({160, 144, 320, 288})
    ->Args({160, 144, 640, 576})
    ->Args({1024, 768, 1600, 1200})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
