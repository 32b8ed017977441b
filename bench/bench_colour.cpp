// Recolouring: the replacement passes of a named palette on shots and on a large picture, and a
// whole palette application with its commit on a picture surface.

#include "colour/palette_catalogue.h"
#include "colour/shades.h"
#include "platform/fake_desktop.h"
#include "ui/picture_surface.h"
#include "ui/recolour.h"

#include <QApplication>

#include "bench_main.h"
#include "bench_pictures.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using namespace camvista;

namespace
{

using bench::kLargeHeight;
using bench::kLargeWidth;
using bench::kShotCount;
using bench::kShotHeight;
using bench::kShotWidth;
constexpr int kLargeCount = 3;

std::vector<QImage> ownCopies(const std::vector<QImage> &pictures)
{
    std::vector<QImage> copies;
    for (const QImage &picture : pictures)
        copies.push_back(picture.copy());
    return copies;
}

// Puts the original pixels back into a picture that owns its own copy.
void restore(QImage &work, const QImage &original)
{
    std::memcpy(work.bits(), original.constBits(), static_cast<size_t>(work.sizeInBytes()));
}

std::span<const ColourPass> monoPasses()
{
    return findPalette(u"Command1")->passes();
}

// (a) The four passes of Game Boy Mono on framed shots. Every 64 shots the originals are put
// back, outside the timed region.
void monoPassesOnShots(benchmark::State &state)
{
    const std::vector<QImage> originals =
        bench::noisyShots(kShotCount, kShotWidth, kShotHeight, 11);
    std::vector<QImage> work = ownCopies(originals);
    const auto passes = monoPasses();
    size_t i = 0;
    for (auto _ : state) {
        if (i == work.size()) {
            state.PauseTiming();
            for (size_t k = 0; k < work.size(); ++k)
                restore(work[k], originals[k]);
            i = 0;
            state.ResumeTiming();
        }
        runPasses(work[i], passes);
        benchmark::DoNotOptimize(work[i].constBits());
        benchmark::ClobberMemory();
        ++i;
    }
    state.SetItemsProcessed(state.iterations() * kShotWidth * kShotHeight);
}
BENCHMARK(monoPassesOnShots)->Unit(benchmark::kMicrosecond);

// (b) The same on 4096 x 3072 pictures; each is reset from its original outside the timed
// region (so part of it may still sit in the cache when the passes start).
void monoPassesOnLargePicture(benchmark::State &state)
{
    const std::vector<QImage> originals =
        bench::noisyShots(kLargeCount, kLargeWidth, kLargeHeight, 12);
    std::vector<QImage> work = ownCopies(originals);
    const auto passes = monoPasses();
    size_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        restore(work[i], originals[i]);
        state.ResumeTiming();
        runPasses(work[i], passes);
        benchmark::DoNotOptimize(work[i].constBits());
        benchmark::ClobberMemory();
        i = (i + 1) % work.size();
    }
    state.SetItemsProcessed(state.iterations() * kLargeWidth * kLargeHeight);
}
BENCHMARK(monoPassesOnLargePicture)->Unit(benchmark::kMillisecond);

// (b') The reset counted too: a copy of the original, then the passes.
void copyAndMonoPassesOnLargePicture(benchmark::State &state)
{
    const std::vector<QImage> originals =
        bench::noisyShots(kLargeCount, kLargeWidth, kLargeHeight, 12);
    std::vector<QImage> work = ownCopies(originals);
    const auto passes = monoPasses();
    size_t i = 0;
    for (auto _ : state) {
        restore(work[i], originals[i]);
        runPasses(work[i], passes);
        benchmark::DoNotOptimize(work[i].constBits());
        benchmark::ClobberMemory();
        i = (i + 1) % work.size();
    }
    state.SetItemsProcessed(state.iterations() * kLargeWidth * kLargeHeight);
}
BENCHMARK(copyAndMonoPassesOnLargePicture)->Unit(benchmark::kMillisecond);

// (c) A whole palette application as the editor runs it: reset from the held picture, the
// passes on the drawing layer, the commit (render as shown, clipboard, stored picture).
void applyMono(benchmark::State &state, int width, int height, int count)
{
    const std::vector<QImage> held = bench::noisyShots(count, width, height, 13);
    PictureSurface surface;
    surface.setAutoSize(true);
    surface.setPicture(held[0]);
    FakeDesktop desktop;
    const auto passes = monoPasses();
    size_t i = 0;
    for (auto _ : state) {
        applyPalette(surface, held[i], passes, desktop);
        benchmark::DoNotOptimize(surface.picture().constBits());
        i = (i + 1) % held.size();
    }
}

void applyPaletteOnShot(benchmark::State &state)
{
    applyMono(state, kShotWidth, kShotHeight, kShotCount);
}
BENCHMARK(applyPaletteOnShot)->Unit(benchmark::kMicrosecond);

void applyPaletteOnLargePicture(benchmark::State &state)
{
    applyMono(state, kLargeWidth, kLargeHeight, kLargeCount);
}
BENCHMARK(applyPaletteOnLargePicture)->Unit(benchmark::kMillisecond);

// Where the time of a large application goes: its steps one by one.
struct LargeSurface {
    LargeSurface() : held(bench::noisyShots(kLargeCount, kLargeWidth, kLargeHeight, 14))
    {
        surface.setAutoSize(true);
        surface.setPicture(held[0]);
    }
    std::vector<QImage> held;
    PictureSurface surface;
    FakeDesktop desktop;
};

void largeStepSetPicture(benchmark::State &state)
{
    LargeSurface s;
    size_t i = 0;
    for (auto _ : state) {
        s.surface.setPicture(s.held[i]);
        benchmark::DoNotOptimize(s.surface.layer().constBits());
        i = (i + 1) % s.held.size();
    }
}
BENCHMARK(largeStepSetPicture)->Unit(benchmark::kMillisecond);

// setPicture shares the held pixels with the layer; the first write copies them.
void largeStepSetPictureAndPasses(benchmark::State &state)
{
    LargeSurface s;
    const auto passes = monoPasses();
    size_t i = 0;
    for (auto _ : state) {
        s.surface.setPicture(s.held[i]);
        runPasses(s.surface.layer(), passes);
        benchmark::DoNotOptimize(s.surface.layer().constBits());
        i = (i + 1) % s.held.size();
    }
}
BENCHMARK(largeStepSetPictureAndPasses)->Unit(benchmark::kMillisecond);

void largeStepRenderAsShown(benchmark::State &state)
{
    LargeSurface s;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.surface.renderAsShown().constBits());
}
BENCHMARK(largeStepRenderAsShown)->Unit(benchmark::kMillisecond);

void largeStepCommit(benchmark::State &state)
{
    LargeSurface s;
    for (auto _ : state)
        benchmark::DoNotOptimize(commitSurface(s.surface, s.surface, s.desktop).constBits());
}
BENCHMARK(largeStepCommit)->Unit(benchmark::kMillisecond);

} // namespace

CAMVISTA_BENCHMARK_MAIN()
