#include "export_test_support.h"

#include "export/animated_gif.h"
#include "export/indexed_png.h"
#include "support/small_disk.h"

#include <QSemaphore>
#include <QThreadPool>

#include <gif_lib.h>

#include <cstring>
#include <set>
#include <unistd.h>

using namespace camvista;
using namespace camvista::exporting;

namespace
{

QImage withColours(int count)
{
    QImage img(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int i = (x + y * img.width()) % count;
            img.setPixel(x, y, qRgb(i % 256, (i / 256) * 50, 255 - i % 256));
        }
    return img;
}

quint32 bigEndian(const QByteArray &bytes, qsizetype at)
{
    return quint32(uchar(bytes[at])) << 24 | quint32(uchar(bytes[at + 1])) << 16 |
           quint32(uchar(bytes[at + 2])) << 8 | quint32(uchar(bytes[at + 3]));
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::set<QRgb> coloursOf(const QImage &picture)
{
    std::set<QRgb> colours;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    return colours;
}

struct GifRead {
    int frames = 0;
    QList<QImage> pictures;
    QList<int> delays;  // hundredths
    int loopCount = -1; // -1: no looping extension
};

GifRead readGif(const QString &path)
{
    GifRead read;
    int error = 0;
    GifFileType *gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK)
        return read;
    read.frames = gif->ImageCount;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage &image = gif->SavedImages[i];
        const ColorMapObject *map =
            image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        QImage picture(image.ImageDesc.Width, image.ImageDesc.Height, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const GifColorType c = map->Colors[image.RasterBits[y * picture.width() + x]];
                picture.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
            }
        read.pictures.append(picture);
        GraphicsControlBlock control = {};
        read.delays.append(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime
                                                                               : -1);
        for (int k = 0; k + 1 < image.ExtensionBlockCount; ++k) {
            const ExtensionBlock &block = image.ExtensionBlocks[k];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
                const ExtensionBlock &data = image.ExtensionBlocks[k + 1];
                read.loopCount = data.Bytes[1] | data.Bytes[2] << 8;
            }
        }
    }
    DGifCloseFile(gif, &error);
    return read;
}

QImage enlarged(const QImage &picture, int factor)
{
    return picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// Every entry of the output folder is one of the written files, whole.
void onlyWholeFiles(const QString &folder, const ExportSummary &summary, int expectedFiles)
{
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(entries.size(), expectedFiles);
    QCOMPARE(summary.written, expectedFiles);
    for (const QString &name : entries)
        QVERIFY2(loadPictureFile(QDir(folder).filePath(name)).ok(), qPrintable(name));
}

} // namespace

class TstExportFiles : public QObject
{
    Q_OBJECT

private slots:
    void pngIsIndexedWhenTheColoursAllow_data();
    void pngIsIndexedWhenTheColoursAllow();
    void animatedGifPlaysTheShotsInOrder_data();
    void animatedGifPlaysTheShotsInOrder();
    void filesThatAreNotShotsAreReportedAndTheRestExported();
    void nothingIsOverwritten();
    void cancelledBeforeAnyWriteLeavesNothing();
    void cancelledMidwayLeavesWholeFilesOnly();
    void fullDiskStopsTheExportWithoutPartialFiles();
};

void TstExportFiles::pngIsIndexedWhenTheColoursAllow_data()
{
    QTest::addColumn<int>("colours");
    QTest::addColumn<int>("bitDepth");
    QTest::addColumn<int>("colourType"); // 3 indexed, 2 RGB
    QTest::newRow("one colour") << 1 << 2 << 3;
    QTest::newRow("the four shades' count") << 4 << 2 << 3;
    QTest::newRow("five") << 5 << 8 << 3;
    QTest::newRow("256") << 256 << 8 << 3;
    QTest::newRow("257") << 257 << 8 << 2;
}

void TstExportFiles::pngIsIndexedWhenTheColoursAllow()
{
    QFETCH(int, colours);
    QFETCH(int, bitDepth);
    QFETCH(int, colourType);
    const QImage picture = withColours(colours);
    const QImage indexed = exactlyIndexed(picture);
    QCOMPARE(indexed.isNull(), colours > 256);
    const QByteArray png = encodePng(indexed.isNull() ? picture : indexed);
    QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(int(uchar(png[24])), bitDepth);
    QCOMPARE(int(uchar(png[25])), colourType);
    if (colourType == 3) {
        // The palette holds the picture's colours and nothing else.
        const qsizetype plte = png.indexOf("PLTE");
        QVERIFY(plte > 4);
        const quint32 length = bigEndian(png, plte - 4);
        std::set<QRgb> listed;
        for (quint32 i = 0; i < length; i += 3)
            listed.insert(
                qRgb(uchar(png[plte + 4 + i]), uchar(png[plte + 5 + i]), uchar(png[plte + 6 + i])));
        QCOMPARE(int(length / 3), colours);
        QVERIFY(listed == coloursOf(picture));
    }
    QImage back;
    QVERIFY(back.loadFromData(png, "PNG"));
    QCOMPARE(back.convertToFormat(QImage::Format_RGB32), picture);
}

void TstExportFiles::animatedGifPlaysTheShotsInOrder_data()
{
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("loop");
    QTest::addColumn<bool>("bounce");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<bool>("keepFrames");
    QTest::newRow("forever, 500 ms") << 500 << 0 << false << QList<int>{0, 1, 2, 3} << false;
    QTest::newRow("three times, 120 ms") << 120 << 3 << false << QList<int>{0, 1, 2, 3} << false;
    QTest::newRow("back and forth") << 500 << 0 << true << QList<int>{0, 1, 2, 3, 2, 1} << false;
    // Photos among framed shots are shown on the editor's white canvas.
    QTest::newRow("kept as they are") << 200 << 0 << false << QList<int>{0, 1, 2, 3} << true;
}

void TstExportFiles::animatedGifPlaysTheShotsInOrder()
{
    QFETCH(int, delayMs);
    QFETCH(int, loop);
    QFETCH(bool, bounce);
    QFETCH(QList<int>, order);
    QFETCH(bool, keepFrames);
    test::ExportFolder folder;
    QStringList files;
    QList<QImage> shots;
    for (int i = 0; i < 4; ++i) {
        shots.append(test::shadesPicture(i % 2 ? QSize(160, 144) : QSize(128, 112), i));
        files << folder.shot(QStringLiteral("shot%1.bmp").arg(i), shots.last());
    }
    ExportOptions options = folder.options();
    options.animate = true;
    options.delayMs = delayMs;
    options.loopCount = loop;
    options.bounce = bounce;
    options.frame = keepFrames ? FrameChoice::keep() : FrameChoice::none();
    options.scale = 3;
    const ExportSummary summary = runExport(files, options, folder.app.paths());
    QVERIFY2(summary.allWritten(),
             qPrintable(summary.stopReason +
                        (summary.problems.isEmpty() ? QString() : summary.problems[0].reason)));
    QCOMPARE(summary.written, 1);

    const GifRead gif = readGif(QDir(folder.out()).filePath("shot0-3x.gif"));
    QCOMPARE(gif.frames, int(order.size()));
    QCOMPARE(gif.loopCount, loop);
    for (int i = 0; i < gif.frames; ++i) {
        const QImage &shot = shots[order[i]];
        QImage expected = shot.size() == QSize(160, 144) ? shot.copy(16, 16, 128, 112) : shot;
        if (keepFrames && shot.size() == QSize(128, 112)) {
            expected = QImage(160, 144, QImage::Format_RGB32);
            expected.fill(Qt::white);
            for (int y = 0; y < 112; ++y)
                for (int x = 0; x < 128; ++x)
                    expected.setPixel(16 + x, 16 + y, shot.pixel(x, y));
        } else if (keepFrames) {
            expected = shot;
        }
        QCOMPARE(gif.pictures[i], enlarged(expected, 3));
        QCOMPARE(gif.delays[i], delayMs / 10);
    }
}

void TstExportFiles::filesThatAreNotShotsAreReportedAndTheRestExported()
{
    test::ExportFolder folder;
    const QStringList files{
        folder.shot("first.bmp", test::shadesPicture({160, 144}, 1)),
        folder.app.write("cut.bmp", "BM\x36\x10\x0e\x00\x00\x00\x00\x00\x36"),
        folder.shot("square.bmp", test::shadesPicture({100, 100}, 1)),
        folder.app.file("missing.bmp"),
        folder.app.write("notes.txt", "not a picture at all"),
        folder.shot("last.bmp", test::shadesPicture({128, 112}, 2)),
    };
    const ExportSummary summary = runExport(files, folder.options(), folder.app.paths());
    QCOMPARE(summary.written, 2);
    QCOMPARE(summary.skipped, 4);
    QVERIFY(!summary.allWritten());
    QVERIFY(summary.stopReason.isEmpty());
    QCOMPARE(summary.problems.size(), 4);
    const QStringList skippedNames{"cut.bmp", "square.bmp", "missing.bmp", "notes.txt"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(QFileInfo(summary.problems[i].source).fileName(), skippedNames[i]);
        QCOMPARE(summary.problems[i].kind, ItemOutcome::Kind::Skipped);
        QVERIFY(!summary.problems[i].reason.isEmpty());
    }
    QVERIFY(summary.problems[1].reason.contains("100 x 100"));
    QVERIFY(QFileInfo::exists(QDir(folder.out()).filePath("first-4x.png")));
    QVERIFY(QFileInfo::exists(QDir(folder.out()).filePath("last-4x.png")));
}

void TstExportFiles::nothingIsOverwritten()
{
    test::ExportFolder folder;
    const QString source = folder.shot("roll.bmp", test::shadesPicture({160, 144}, 1));
    const QString out = QDir(folder.out()).filePath("roll-4x.png");
    QCOMPARE(runExport({source}, folder.options(), folder.app.paths()).written, 1);
    const QByteArray first = bytesOf(out);

    // The same pixels again: left alone and counted.
    const ExportSummary again = runExport({source}, folder.options(), folder.app.paths());
    QCOMPARE(again.written, 0);
    QCOMPARE(again.alreadyThere, 1);
    QVERIFY(again.allWritten());
    QCOMPARE(QDir(folder.out()).entryList(QDir::Files).size(), 1);

    // Other pixels under the same name, and two such in one run: new names, the old file kept.
    folder.shot("roll.bmp", test::shadesPicture({160, 144}, 2));
    QDir().mkpath(folder.app.file("other"));
    const QString twin = folder.shot("other/roll.bmp", test::shadesPicture({160, 144}, 3));
    const ExportSummary changed = runExport({source, twin}, folder.options(), folder.app.paths());
    QCOMPARE(changed.written, 2);
    QCOMPARE(bytesOf(out), first);
    QCOMPARE(QDir(folder.out()).entryList(QDir::Files),
             (QStringList{"roll-4x (2).png", "roll-4x (3).png", "roll-4x.png"}));
}

void TstExportFiles::cancelledBeforeAnyWriteLeavesNothing()
{
    test::ExportFolder folder;
    QStringList files;
    for (int i = 0; i < 5; ++i)
        files << folder.shot(QStringLiteral("s%1.bmp").arg(i), test::shadesPicture({160, 144}, i));
    // The only worker is held busy until the export is cancelled.
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    QSemaphore hold;
    pool.start([&hold] { hold.acquire(); });
    ExportRun run(files, folder.options(), folder.app.paths());
    run.setThreadPool(&pool);
    QSignalSpy finished(&run, &ExportRun::finished);
    run.start();
    run.cancel();
    hold.release();
    QVERIFY(finished.wait(30000));
    QVERIFY(run.summary().cancelled);
    QVERIFY(!run.summary().allWritten());
    onlyWholeFiles(folder.out(), run.summary(), 0);
}

void TstExportFiles::cancelledMidwayLeavesWholeFilesOnly()
{
    test::ExportFolder folder;
    QStringList files;
    for (int i = 0; i < 30; ++i)
        files << folder.shot(QStringLiteral("s%1.bmp").arg(i), test::shadesPicture({160, 144}, i));
    ExportOptions options = folder.options();
    options.scale = 10;
    options.format = ExportFormat::Bmp;
    ExportRun run(files, options, folder.app.paths());
    QSignalSpy finished(&run, &ExportRun::finished);
    connect(&run, &ExportRun::itemFinished, &run, &ExportRun::cancel);
    run.start();
    QVERIFY(finished.wait(60000));
    QVERIFY(run.summary().cancelled);
    onlyWholeFiles(folder.out(), run.summary(), run.summary().written);
    QVERIFY(run.summary().written < files.size());
}

void TstExportFiles::fullDiskStopsTheExportWithoutPartialFiles()
{
    if (::geteuid() != 0)
        QSKIP("mounting a small disk needs root");
    test::ExportFolder folder;
    QVERIFY(QDir().mkpath(folder.out()));
    test::SmallDisk disk(folder.out());
    // Room for about one 640 x 576 BMP (1.1 MB) of the ten.
    if (const QString why = disk.mount(1300 * 1024); !why.isEmpty())
        QSKIP(qPrintable(why));
    QStringList files;
    for (int i = 0; i < 10; ++i)
        files << folder.shot(QStringLiteral("s%1.bmp").arg(i), test::shadesPicture({160, 144}, i));
    ExportOptions options = folder.options();
    options.format = ExportFormat::Bmp;
    const ExportSummary summary = runExport(files, options, folder.app.paths());
    QVERIFY(!summary.allWritten());
    QVERIFY(!summary.stopReason.isEmpty());
    QVERIFY(summary.failed >= 1);
    QVERIFY(summary.written <= 1);
    onlyWholeFiles(folder.out(), summary, summary.written);
}

QTEST_MAIN(TstExportFiles)
#include "tst_export_files.moc"
