// The composition tools as the user drives them: composing the largest mosaic (960 x 720) and
// the largest panorama of the default squares (7 x 6, with its border), alone and with the
// save, and one step of dragging a panorama square (the move and the repaint it causes).

#include "imaging/picture_file.h"
#include "platform/app_paths.h"
#include "platform/fake_desktop.h"
#include "tools/mosaic_window.h"
#include "tools/panorama_window.h"
#include "ui/drop_square.h"
#include "ui/picture_surface.h"

#include "bench_main.h"
#include "bench_pictures.h"

#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace camvista;

namespace
{

template <typename Window> struct FullTool {
    QTemporaryDir folder;
    FakeDesktop desktop;
    Window window{desktop, AppPaths{folder.path(), QStringLiteral("camvista")}};

    // Every square holds a shot, and the counts are at their largest.
    FullTool(int columns, int lines, int gridColumns)
    {
        const std::vector<QImage> shots =
            bench::noisyShots(columns * lines, bench::kShotWidth, bench::kShotHeight, 7);
        for (int i = 0; i < columns * lines; ++i) {
            QImage picture = shots[std::size_t(i)];
            if constexpr (std::is_same_v<Window, PanoramaWindow>)
                picture = picture.copy(16, 16, 128, 112);
            window.square(i % gridColumns, i / gridColumns)->setPicture(picture);
        }
        for (int i = 0; i < 6; ++i) {
            window.Command2_Click();
            window.Command3_Click();
        }
        window.show();
        QCoreApplication::processEvents();
    }
    QString file() const { return folder.filePath(QStringLiteral("out.bmp")); }
};

void mosaicCompose(benchmark::State &state)
{
    FullTool<MosaicWindow> tool(6, 5, 6);
    for (auto _ : state) {
        QImage mosaic = tool.window.composeMosaic();
        benchmark::DoNotOptimize(mosaic);
    }
    state.counters["width"] = tool.window.picture2()->picture().width();
    state.counters["height"] = tool.window.picture2()->picture().height();
}

void mosaicComposeAndSave(benchmark::State &state)
{
    FullTool<MosaicWindow> tool(6, 5, 6);
    for (auto _ : state) {
        tool.desktop.saveFiles.push_back(tool.file());
        tool.window.savepano_Click();
    }
}

void panoramaCompose(benchmark::State &state)
{
    FullTool<PanoramaWindow> tool(7, 6, 8);
    for (auto _ : state) {
        QImage panorama = tool.window.compose(*tool.window.blackborder());
        benchmark::DoNotOptimize(panorama);
    }
    state.counters["width"] = tool.window.picture2()->picture().width();
    state.counters["height"] = tool.window.picture2()->picture().height();
}

void panoramaComposeAndSave(benchmark::State &state)
{
    FullTool<PanoramaWindow> tool(7, 6, 8);
    for (auto _ : state) {
        tool.desktop.saveFiles.push_back(tool.file());
        tool.window.savepano_Click();
    }
}

void panoramaDragStep(benchmark::State &state)
{
    FullTool<PanoramaWindow> tool(7, 6, 8);
    DropSquare *square = tool.window.square(3, 2);
    PictureSurface *container = tool.window.container();
    const QPointF grab(60, 50);
    QMouseEvent press(QEvent::MouseButtonPress, grab, square->mapToGlobal(grab), Qt::LeftButton,
                      Qt::LeftButton, {});
    QCoreApplication::sendEvent(square, &press);
    int step = 1;
    for (auto _ : state) {
        // Back and forth by one pixel, as a slow drag goes.
        const QRect before = square->geometry();
        const QPointF at = grab + QPointF(step, 0);
        QMouseEvent move(QEvent::MouseMove, at, square->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QCoreApplication::sendEvent(square, &move);
        container->repaint(before.united(square->geometry()));
        step = -step;
    }
}

} // namespace

BENCHMARK(mosaicCompose)->Unit(benchmark::kMillisecond);
BENCHMARK(mosaicComposeAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(panoramaCompose)->Unit(benchmark::kMillisecond);
BENCHMARK(panoramaComposeAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(panoramaDragStep)->Unit(benchmark::kMicrosecond);

CAMVISTA_BENCHMARK_MAIN()
