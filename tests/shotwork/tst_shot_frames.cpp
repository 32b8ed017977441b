#include "shotwork/frames.h"
#include "shotwork/shot_geometry.h"

#include "data/frame_pictures.h"
#include "imaging/gif_writer.h"
#include "support/temp_app_folder.h"
#include "ui/picture_surface.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

using namespace camvista;
using namespace camvista::shotwork;

namespace
{

QImage shades(int w, int h, int seed)
{
    const QRgb grey[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                         qRgb(255, 255, 255)};
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, grey[(x * 7 + y * 3 + seed) % 4]);
    return img;
}

// What the editor showed before the composition moved here: the browser's white canvas, the
// frame file's picture on a label over the working picture, the surface rendered as shown.
QImage editorOverlayShot(const QImage &picture, const QImage &frame)
{
    PictureSurface surface;
    surface.setAutoSize(true);
    if (isInnerPicture(picture.size())) {
        surface.setBackgroundColour(Qt::white);
        surface.resize(kFramedSize);
        surface.setPicture(QImage());
        surface.paintPicture(picture, 16, 16, 128, 112);
        surface.setPicture(surface.image());
    } else {
        surface.setPicture(picture);
    }
    auto *overlay = new QLabel(&surface);
    overlay->setPixmap(QPixmap::fromImage(frame));
    overlay->setGeometry(QRect(QPoint(0, 0), frame.size()));
    overlay->show();
    return surface.renderAsShown().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TstShotFrames : public QObject
{
    Q_OBJECT

private slots:
    void framedShotEqualsTheEditorsOverlay_data();
    void framedShotEqualsTheEditorsOverlay();
    void innerPictureCutsTheCentre();
    void catalogueListsDefaultsThenCustomByName();
    void findFrameByNumberOrName_data();
    void findFrameByNumberOrName();
};

void TstShotFrames::framedShotEqualsTheEditorsOverlay_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<QSize>("size");
    for (int n : {1, 3, 7, 14, 21}) {
        QTest::addRow("frame %d on a photo", n) << n << kInnerSize;
        QTest::addRow("frame %d on a shot", n) << n << kFramedSize;
    }
    QTest::newRow("no frame on a photo") << 0 << kInnerSize;
    QTest::newRow("frame 5 on an external picture") << 5 << QSize(97, 203);
}

void TstShotFrames::framedShotEqualsTheEditorsOverlay()
{
    QFETCH(int, frame);
    QFETCH(QSize, size);
    // The frame as the editor gets it: a GIF file read back through the one loader.
    QImage frameImage;
    if (frame > 0) {
        test::TempAppFolder app;
        const QString path = app.file("frame.gif");
        QVERIFY(saveGif(data::defaultFrame(frame), path).ok());
        const PictureLoad loaded = loadPictureFile(path);
        QVERIFY(loaded.ok());
        frameImage = loaded.image;
    }
    const QImage picture = shades(size.width(), size.height(), frame);
    const QImage shot = framedShot(picture, frameImage);
    QCOMPARE(shot.format(), QImage::Format_RGB32);
    QCOMPARE(shot, editorOverlayShot(picture, frameImage));
    if (isInnerPicture(size))
        QCOMPARE(innerPicture(shot), picture);
}

void TstShotFrames::innerPictureCutsTheCentre()
{
    const QImage shot = shades(160, 144, 1);
    QCOMPARE(innerPicture(shot), shot.copy(16, 16, 128, 112));
    const QImage other = shades(128, 112, 2);
    QCOMPARE(innerPicture(other), other);
}

void TstShotFrames::catalogueListsDefaultsThenCustomByName()
{
    test::TempAppFolder app;
    for (int n : {2, 10, 1})
        app.write(QStringLiteral("frames/default/%1.gif").arg(n), "x");
    app.write("frames/default/22.gif", "x"); // not one of the 21
    for (const char *name : {"zebra.gif", "Apple.GIF", "apple.gif", "notes.txt", ".hidden.gif"})
        app.write(QStringLiteral("frames/custom/") + name, "x");
    QDir().mkpath(app.file("frames/custom/folder.gif"));

    const QList<FrameEntry> frames = availableFrames(app.file("frames"));
    QStringList labels;
    for (const FrameEntry &f : frames)
        labels << f.label;
    QCOMPARE(labels, (QStringList{"Frame 1", "Frame 2", "Frame 10", "Apple", "apple", "zebra"}));
    QCOMPARE(frames[2].number, 10);
    QCOMPARE(QFileInfo(frames[2].path), QFileInfo(app.file("frames/default/10.gif")));
    QCOMPARE(frames[3].number, 0);
    QCOMPARE(frames[3].name, QString("Apple"));
    QCOMPARE(QFileInfo(frames[3].path), QFileInfo(app.file("frames/custom/Apple.GIF")));

    QVERIFY(availableFrames(app.file("nowhere")).isEmpty());
}

void TstShotFrames::findFrameByNumberOrName_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found"); // label, empty for none
    QTest::newRow("default by number") << "2"
                                       << "Frame 2";
    QTest::newRow("custom by name") << "zebra"
                                    << "zebra";
    QTest::newRow("custom named like a missing number") << "7"
                                                        << "7";
    QTest::newRow("number without a file") << "3"
                                           << "";
    QTest::newRow("names are exact") << "ZEBRA"
                                     << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TstShotFrames::findFrameByNumberOrName()
{
    QFETCH(QString, asked);
    QFETCH(QString, found);
    test::TempAppFolder app;
    app.write("frames/default/2.gif", "x");
    app.write("frames/custom/zebra.gif", "x");
    app.write("frames/custom/7.gif", "x");
    const QList<FrameEntry> frames = availableFrames(app.file("frames"));
    const FrameEntry *entry = findFrame(frames, asked);
    QCOMPARE(entry ? entry->label : QString(), found);
}

QTEST_MAIN(TstShotFrames)
#include "tst_shot_frames.moc"
