// Loading picture files through the one loader: what the checks of a file's own structure (a
// GIF's blocks and first frame, a JPEG's markers) cost beside Qt's decoding of the same file.

#include "bench_main.h"
#include "bench_pictures.h"

#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"

#include <QImageReader>
#include <QTemporaryDir>

namespace
{

using namespace camvista;

struct Files {
    QTemporaryDir dir;
    QString shotGif;
    QString shotBmp;
    QString photoJpeg;
    QString photoGif;

    Files()
    {
        const QImage shot = bench::noisyShots(1, bench::kShotWidth, bench::kShotHeight, 7).front();
        shotGif = dir.filePath(QStringLiteral("shot.gif"));
        shotBmp = dir.filePath(QStringLiteral("shot.bmp"));
        saveGif(shot, shotGif);
        savePictureBmp(shot, shotBmp);
        QImage photo(1024, 768, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x)
                row[x] = qRgb((x * 3 + y) & 255, (y * 5) & 255, (x ^ y) & 255);
        }
        photoJpeg = dir.filePath(QStringLiteral("photo.jpg"));
        photo.save(photoJpeg, "JPEG", 90);
        photoGif = dir.filePath(QStringLiteral("photo.gif"));
        saveGif(photo, photoGif);
    }
};

Files &files()
{
    static Files f;
    return f;
}

void loadWithTheLoader(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        const PictureLoad load = loadPictureFile(path);
        benchmark::DoNotOptimize(load.image.constBits());
    }
}

void decodeWithQtAlone(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        QImageReader reader(path);
        const QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void shotGif(benchmark::State &state)
{
    loadWithTheLoader(state, files().shotGif);
}
void shotGifQtAlone(benchmark::State &state)
{
    decodeWithQtAlone(state, files().shotGif);
}
void shotBmp(benchmark::State &state)
{
    loadWithTheLoader(state, files().shotBmp);
}
void photoJpeg(benchmark::State &state)
{
    loadWithTheLoader(state, files().photoJpeg);
}
void photoJpegQtAlone(benchmark::State &state)
{
    decodeWithQtAlone(state, files().photoJpeg);
}
void photoGif(benchmark::State &state)
{
    loadWithTheLoader(state, files().photoGif);
}
void photoGifQtAlone(benchmark::State &state)
{
    decodeWithQtAlone(state, files().photoGif);
}

} // namespace

BENCHMARK(shotGif)->Unit(benchmark::kMicrosecond);
BENCHMARK(shotGifQtAlone)->Unit(benchmark::kMicrosecond);
BENCHMARK(shotBmp)->Unit(benchmark::kMicrosecond);
BENCHMARK(photoJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(photoJpegQtAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(photoGif)->Unit(benchmark::kMillisecond);
BENCHMARK(photoGifQtAlone)->Unit(benchmark::kMillisecond);

CAMVISTA_BENCHMARK_MAIN()
