// The photo converter's work on a decoded picture: the squeeze to 128 x 112, the reduction to
// four greys with the ordered dither, and the round trip through the temporary BMP file, as one
// conversion does it; and each stage alone.

#include "bench_main.h"
#include "bench_pictures.h"

#include "fakeboy/image_processor.h"
#include "fakeboy/picture_squeeze.h"
#include "imaging/picture_file.h"
#include "support/test_pictures.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryFile>

namespace
{

using namespace camvista;
using camvista::test::photograph;

constexpr QSize kInner{128, 112};

const QImage &picture(int width)
{
    static const QImage large = photograph(bench::kLargeWidth, bench::kLargeHeight);
    static const QImage small = photograph(640, 480);
    return width == bench::kLargeWidth ? large : small;
}

QString temporaryPath()
{
    static QTemporaryFile file(scratchFolder() + QStringLiteral("/camvista-bench-XXXXXX.bmp"));
    if (file.fileName().isEmpty() && file.open())
        file.close();
    return file.fileName();
}

// What the window does: the squeezed picture on an opaque 128 x 112 layer, converted, drawn on
// the result layer, read back from the file and shown.
void convert(benchmark::State &state)
{
    const QImage &source = picture(int(state.range(0)));
    const QString path = temporaryPath();
    ImageProcessor processor;
    QImage original(kInner, QImage::Format_RGB32);
    QImage result(kInner, QImage::Format_RGB32);
    for (auto _ : state) {
        original.fill(Qt::white);
        QPainter p(&original);
        p.drawImage(0, 0, squeezePicture(source, kInner));
        p.end();
        using namespace processor;
        processor.SetColor(0xFFFFFF);
        if (!processor.ConvertSurfaceToFile(original, path, kPictureBmp, kColourModeColour,
                                            kTwoBitsPerPixel, kFixedGreyMap, kOrderedDither, {})) {
            state.SkipWithError("conversion failed");
            break;
        }
        result.fill(Qt::white);
        processor.DrawToSurface(result, kDrawCopy, {});
        if (processor.LoadFile(path))
            processor.ShowOnSurface(result);
        benchmark::DoNotOptimize(result.constBits());
    }
}
BENCHMARK(convert)->Arg(bench::kLargeWidth)->Arg(640)->Unit(benchmark::kMillisecond);

void squeezeAlone(benchmark::State &state)
{
    const QImage &source = picture(int(state.range(0)));
    for (auto _ : state) {
        const QImage out = squeezePicture(source, kInner);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(squeezeAlone)->Arg(bench::kLargeWidth)->Arg(640)->Unit(benchmark::kMillisecond);

// The area average that brings the large picture near the size, before the bicubic filter.
void averageAlone(benchmark::State &state)
{
    const QImage &source = picture(bench::kLargeWidth);
    for (auto _ : state) {
        const QImage out = averageBlocks(source, 16, 13);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(averageAlone)->Unit(benchmark::kMillisecond);

void reductionAlone(benchmark::State &state)
{
    const QImage squeezed =
        squeezePicture(picture(640), kInner).convertToFormat(QImage::Format_RGB32);
    for (auto _ : state) {
        const QImage out = reduceToFourGreys(squeezed, 0xFFFFFFFF);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(reductionAlone)->Unit(benchmark::kMicrosecond);

void fileRoundTrip(benchmark::State &state)
{
    const QImage reduced = reduceToFourGreys(
        squeezePicture(picture(640), kInner).convertToFormat(QImage::Format_RGB32), 0xFFFFFFFF);
    const QString path = temporaryPath();
    for (auto _ : state) {
        const bool ok = savePictureBmp(reduced, path).ok() && loadPictureFile(path).ok();
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(fileRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace

CAMVISTA_BENCHMARK_MAIN()
