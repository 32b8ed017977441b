// Loading picture files through the one loader: what the checks of a file's own structure (a
// GIF's blocks and first frame, a JPEG's markers) cost beside Qt's decoding of the same file;
// a JPEG decoded at the size the photo converter needs; and how long the worst files that can
// be built under the size caps keep the loader busy before they are refused.

#include "bench_main.h"
#include "bench_pictures.h"

#include "imaging/gif_writer.h"
#include "imaging/picture_bytes.h" // under tests/
#include "imaging/picture_file.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

namespace
{

using namespace camvista;
using camvista::test::withScans;

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

// 64 megapixels, the most the loader takes, with smooth content so the files stay small.
QImage capSizedPicture()
{
    QImage image(8192, 8192, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qRgb((x >> 5) & 255, (y >> 5) & 255, ((x + y) >> 6) & 255);
    }
    return image;
}

QByteArray encoded(const QImage &image, const QByteArray &format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// Cut at 99 % and closed again with an end marker: the damage shows only at the very end.
QByteArray cutAtTheEnd(const QByteArray &file, bool closeAgain)
{
    const QByteArray cut = file.left(file.size() * 99 / 100);
    return closeAgain ? cut + QByteArray("\xFF\xD9", 2) : cut;
}

struct WorstFiles {
    QTemporaryDir dir;
    QString baselineCut;
    QString progressive100Cut;
    QString progressive101;
    QString progressiveWhole; // taken: the scan limits leave real encoders' files alone
    QString gifCut;
    QString pngCut;

    QString put(const char *name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }

    WorstFiles()
    {
        const QImage big = capSizedPicture();
        baselineCut = put("baseline.jpg", cutAtTheEnd(encoded(big, "jpeg"), true));
        const QByteArray progressive = encoded(big, "jpeg", true);
        progressive100Cut = put("p100.jpg", cutAtTheEnd(withScans(progressive, 100), true));
        progressive101 = put("p101.jpg", withScans(progressive, 101));
        progressiveWhole = put("progressive.jpg", progressive);
        pngCut = put("cut.png", cutAtTheEnd(encoded(big, "png"), false));
        const QString gif = dir.filePath(QStringLiteral("whole.gif"));
        saveGif(big.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither), gif);
        QFile whole(gif);
        whole.open(QIODevice::ReadOnly);
        gifCut = put("cut.gif", cutAtTheEnd(whole.readAll(), false));
    }
};

WorstFiles &worst()
{
    static WorstFiles f;
    return f;
}

void refusal(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        const PictureLoad load = loadPictureFile(path);
        if (load.ok())
            state.SkipWithError("the damaged file was taken");
    }
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

void photoJpegForShot(benchmark::State &state)
{
    for (auto _ : state) {
        const PictureLoad load = loadPictureFile(files().photoJpeg, QSize(128, 112));
        benchmark::DoNotOptimize(load.image.constBits());
    }
}

void refusedBaselineJpeg(benchmark::State &state)
{
    refusal(state, worst().baselineCut);
}
void refusedJpegWith100Scans(benchmark::State &state)
{
    refusal(state, worst().progressive100Cut);
}
void refusedJpegWith101Scans(benchmark::State &state)
{
    refusal(state, worst().progressive101);
}
void wholeProgressiveJpeg(benchmark::State &state)
{
    for (auto _ : state) {
        const PictureLoad load = loadPictureFile(worst().progressiveWhole);
        if (!load.ok())
            state.SkipWithError("a whole progressive file was refused");
    }
}
void refusedGif(benchmark::State &state)
{
    refusal(state, worst().gifCut);
}
void refusedPng(benchmark::State &state)
{
    refusal(state, worst().pngCut);
}

} // namespace

BENCHMARK(photoJpegForShot)->Unit(benchmark::kMillisecond);
BENCHMARK(refusedBaselineJpeg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(refusedJpegWith100Scans)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(refusedJpegWith101Scans)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(wholeProgressiveJpeg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(refusedGif)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(refusedPng)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(shotGif)->Unit(benchmark::kMicrosecond);
BENCHMARK(shotGifQtAlone)->Unit(benchmark::kMicrosecond);
BENCHMARK(shotBmp)->Unit(benchmark::kMicrosecond);
BENCHMARK(photoJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(photoJpegQtAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(photoGif)->Unit(benchmark::kMillisecond);
BENCHMARK(photoGifQtAlone)->Unit(benchmark::kMillisecond);

CAMVISTA_BENCHMARK_MAIN()
