// Stamps: one recomposition per drag movement, and converting a large picture to each format.

#include "imaging/picture_files.h"
#include "imaging/stamp_blend.h"

#include <QTemporaryDir>

#include "bench_main.h"

#include <benchmark/benchmark.h>

using namespace camvista;

namespace
{

// A stamp with a solid middle, soft edges and a see-through surround, as drawn stamps are.
QImage softStamp(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    const double c = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c) / c;
            const int a = d < 0.7 ? 255 : d > 1.0 ? 0 : int(255 * (1.0 - d) / 0.3);
            img.setPixel(x, y, qRgba(x * 255 / size, y * 255 / size, 128, a));
        }
    return img;
}

QImage shot()
{
    QImage img(160, 144, QImage::Format_RGB32);
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 160; ++x)
            img.setPixel(x, y, qRgb((x * 3) & 255, (y * 5) & 255, (x ^ y) & 255));
    return img;
}

void BM_DrawStamp(benchmark::State &state)
{
    const int size = int(state.range(0));
    StampScene scene;
    const QImage picture = shot();
    scene.backgroundWidth = picture.width();
    scene.backgroundHeight = picture.height();
    scene.background = backgroundRows(picture, picture.width(), picture.height());
    scene.stampWidth = size;
    scene.stampHeight = size;
    scene.stamp = stampPixels(softStamp(size));
    std::vector<std::uint8_t> patch;
    // Positions over the whole picture and off every edge, as a drag goes.
    int i = 0;
    for (auto _ : state) {
        const int x = (i * 37) % (160 + size) - size / 2;
        const int y = (i * 53) % (144 + size) - size / 2;
        benchmark::DoNotOptimize(DrawStamp(scene, x, y, patch));
        benchmark::ClobberMemory();
        ++i;
    }
}
BENCHMARK(BM_DrawStamp)->Arg(32)->Arg(128)->Unit(benchmark::kMicrosecond);

void BM_ConvertPictureFile(benchmark::State &state)
{
    static QTemporaryDir dir;
    static const QString source = [] {
        QImage img(4096, 3072, QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                row[x] = qRgba((x >> 4) & 255, (y >> 4) & 255, (x + y) & 255, 255);
        }
        const QString path = dir.filePath(QStringLiteral("large.png"));
        img.save(path, "PNG");
        return path;
    }();
    const int code = int(state.range(0));
    const QString target = dir.filePath(QStringLiteral("out_%1").arg(code));
    for (auto _ : state) {
        if (ConvertPictureFile(source, target, code) != kConvertOk) {
            state.SkipWithError("conversion failed");
            break;
        }
    }
}
// BMP, PNG, GIF, JPEG at 90, JPEG at 0 (code -1).
BENCHMARK(BM_ConvertPictureFile)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(90)
    ->Arg(-1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace

CAMVISTA_BENCHMARK_MAIN()
