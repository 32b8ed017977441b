// The commit every window does after drawing: render a 160 x 144 surface as shown (with an
// overlay child), hand it to the clipboard service and make it the target's picture.

#include "platform/fake_desktop.h"
#include "ui/picture_surface.h"

#include <QApplication>
#include <QLabel>

#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace camvista;

namespace
{

std::vector<QImage> noisyShots(int count, int w, int h)
{
    std::mt19937 rng(7);
    std::vector<QImage> shots;
    for (int i = 0; i < count; ++i) {
        QImage img(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < w; ++x)
                row[x] = 0xFF000000u | (rng() & 0xFFFFFFu);
        }
        shots.push_back(img);
    }
    return shots;
}

void commitShot(benchmark::State &state)
{
    const std::vector<QImage> shots = noisyShots(16, 160, 144);
    QWidget window;
    auto *source = new PictureSurface(&window);
    source->setAutoSize(true);
    auto *overlay = new QLabel(source);
    overlay->setPixmap(QPixmap::fromImage(shots[1].copy(0, 0, 32, 32)));
    overlay->setGeometry(16, 16, 32, 32);
    auto *target = new PictureSurface(&window);
    target->setAutoSize(true);
    FakeDesktop desktop;
    size_t i = 0;
    for (auto _ : state) {
        source->setPicture(shots[i++ % shots.size()]);
        benchmark::DoNotOptimize(commitSurface(*source, *target, desktop));
    }
}
BENCHMARK(commitShot)->Unit(benchmark::kMicrosecond);

} // namespace

CAMVISTA_BENCHMARK_MAIN()
