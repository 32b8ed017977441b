#include "ui/picture_surface.h"

#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"

#include <QLabel>
#include <QtTest>

using namespace camvista;

namespace
{

// A picture whose every pixel differs from its neighbours, so any shift or smoothing shows.
QImage noisy(int w, int h, quint32 seed = 1)
{
    QImage img(w, h, QImage::Format_RGB32);
    quint32 s = seed;
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            s = s * 1664525u + 1013904223u;
            row[x] = 0xFF000000u | (s >> 8);
        }
    }
    return img;
}

QImage rgb32(const QImage &img)
{
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TstPictureSurface : public QObject
{
    Q_OBJECT

private slots:
    void pixelAccessOutsideTheLayer_data();
    void pixelAccessOutsideTheLayer();
    void settingThePictureResetsTheLayer();
    void autoSizeTakesThePictureSize();
    void imageKeepsTheDrawing();
    void wholeFactorEnlargingRepeatsPixels_data();
    void wholeFactorEnlargingRepeatsPixels();
    void paintsAPartOfAPicture();
    void clsFillsTheBackground();
    void commitTakesTheSurfaceAsShown_data();
    void commitTakesTheSurfaceAsShown();
    void failedLoadChangesNothing();
};

void TstPictureSurface::pixelAccessOutsideTheLayer_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("inside");
    QTest::newRow("origin") << 0 << 0 << true;
    QTest::newRow("last pixel") << 159 << 143 << true;
    QTest::newRow("x = width") << 160 << 0 << false;
    QTest::newRow("y = height") << 0 << 144 << false;
    QTest::newRow("negative x") << -1 << 5 << false;
    QTest::newRow("negative y") << 5 << -1 << false;
}

void TstPictureSurface::pixelAccessOutsideTheLayer()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, inside);
    PictureSurface s;
    s.setAutoSize(true);
    s.setPicture(noisy(160, 144));
    const QImage before = s.image();
    s.setPixelV(x, y, colourValue(1, 2, 3));
    if (inside) {
        QCOMPARE(s.getPixel(x, y), colourValue(1, 2, 3));
        QCOMPARE(s.image().pixel(x, y), qRgb(1, 2, 3));
    } else {
        QCOMPARE(s.getPixel(x, y), kNoColour);
        QCOMPARE(s.image(), before);
    }
}

void TstPictureSurface::settingThePictureResetsTheLayer()
{
    PictureSurface s;
    s.resize(20, 10);
    s.setBackgroundColour(QColor(9, 8, 7));
    s.setPicture(noisy(4, 3));
    QCOMPARE(s.scaleWidth(), 20);
    QCOMPARE(s.scaleHeight(), 10);
    s.setPixelV(10, 5, colourValue(255, 0, 0));
    s.setPicture(noisy(4, 3, 2));
    // The picture at the top-left, the rest background; the drawing is gone.
    QCOMPARE(s.image().copy(0, 0, 4, 3), rgb32(noisy(4, 3, 2)));
    QCOMPARE(s.getPixel(10, 5), colourValue(9, 8, 7));
    QCOMPARE(s.getPixel(4, 0), colourValue(9, 8, 7));
}

void TstPictureSurface::autoSizeTakesThePictureSize()
{
    PictureSurface s;
    s.setAutoSize(true);
    s.setPicture(noisy(128, 112));
    QCOMPARE(s.size(), QSize(128, 112));
    QCOMPARE(s.scaleWidth(), 128);
    QCOMPARE(s.image(), rgb32(noisy(128, 112)));
    s.setPicture(noisy(160, 144, 3));
    QCOMPARE(s.size(), QSize(160, 144));
    QCOMPARE(s.image(), rgb32(noisy(160, 144, 3)));
}

void TstPictureSurface::imageKeepsTheDrawing()
{
    PictureSurface s;
    s.setAutoSize(true);
    s.setPicture(noisy(16, 16));
    s.setPixelV(3, 4, colourValue(0, 255, 0));
    s.setPicture(s.image());
    QCOMPARE(s.picture().pixel(3, 4), qRgb(0, 255, 0));
    s.setPicture(s.picture());
    QCOMPARE(s.getPixel(3, 4), colourValue(0, 255, 0));
}

void TstPictureSurface::wholeFactorEnlargingRepeatsPixels_data()
{
    QTest::addColumn<int>("fx");
    QTest::addColumn<int>("fy");
    QTest::newRow("1x") << 1 << 1;
    QTest::newRow("2x") << 2 << 2;
    QTest::newRow("3x") << 3 << 3;
    QTest::newRow("4x") << 4 << 4;
    QTest::newRow("2 across, 3 down") << 2 << 3;
}

void TstPictureSurface::wholeFactorEnlargingRepeatsPixels()
{
    QFETCH(int, fx);
    QFETCH(int, fy);
    const QImage src = noisy(160, 144);
    QWidget window;
    auto *s = new PictureSurface(&window);
    s->resize(160 * fx, 144 * fy);
    s->paintPicture(src, 0, 0, 160 * fx, 144 * fy);
    const QImage out = s->image();
    QCOMPARE(out.size(), QSize(160 * fx, 144 * fy));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (out.pixel(x, y) != src.pixel(x / fx, y / fy))
                QFAIL(qPrintable(QString("pixel %1,%2 is not a copy").arg(x).arg(y)));
}

void TstPictureSurface::paintsAPartOfAPicture()
{
    const QImage src = noisy(160, 144);
    PictureSurface s;
    s.resize(300, 300);
    s.paintPicture(src, 10, 20, 256, 224, QRect(16, 16, 128, 112));
    QCOMPARE(s.image().copy(10, 20, 256, 224),
             rgb32(enlargeByWholeFactor(src.copy(16, 16, 128, 112), 2, 2)));
    // A source rectangle reaching past the picture: the part inside lands where and at the scale
    // the whole rectangle would have put it; the rest of the target is left alone.
    const QImage bare = noisy(128, 112);
    for (const int factor : {1, 2}) {
        PictureSurface cut;
        cut.resize(300, 300);
        cut.cls();
        const QImage before = cut.image();
        cut.paintPicture(bare, 4, 6, 128 * factor, 112 * factor, QRect(16, 16, 128, 112));
        const QImage out = cut.image();
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x) {
                const int sx = (x - 4) / factor + 16;
                const int sy = (y - 6) / factor + 16;
                const bool drawn = x >= 4 && y >= 6 && x < 4 + 112 * factor && y < 6 + 96 * factor;
                const QRgb want = drawn ? bare.pixel(sx, sy) : before.pixel(x, y);
                if (out.pixel(x, y) != want)
                    QFAIL(qPrintable(QString("factor %1: pixel %2,%3").arg(factor).arg(x).arg(y)));
            }
    }
    // Shrinking takes nearest pixels: every output pixel is some source pixel, none is a blend.
    PictureSurface small;
    small.resize(50, 50);
    small.paintPicture(src, 0, 0, 50, 50);
    QSet<QRgb> colours;
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 160; ++x)
            colours.insert(src.pixel(x, y));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            QVERIFY(colours.contains(small.image().pixel(x, y)));
}

void TstPictureSurface::clsFillsTheBackground()
{
    PictureSurface s;
    s.setAutoSize(true);
    s.setBackgroundColour(QColor(192, 192, 192));
    s.setPicture(noisy(8, 8));
    s.cls();
    QImage expected(8, 8, QImage::Format_RGB32);
    expected.fill(QColor(192, 192, 192));
    QCOMPARE(s.image(), expected);
    QCOMPARE(s.picture(), noisy(8, 8)); // the stored picture stays
}

void TstPictureSurface::commitTakesTheSurfaceAsShown_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("never shown") << "hidden";
    QTest::newRow("on screen") << "shown";
    QTest::newRow("off screen") << "offscreen";
    QTest::newRow("partly off screen") << "partly";
}

void TstPictureSurface::commitTakesTheSurfaceAsShown()
{
    QFETCH(QString, where);
    QWidget window;
    window.resize(400, 300);
    auto *source = new PictureSurface(&window);
    source->setAutoSize(true);
    source->setPicture(noisy(160, 144));
    source->move(5, 5);
    source->setPixelV(100, 100, colourValue(255, 0, 0));

    // A visible overlay child is part of the picture; a hidden one is not.
    auto *overlay = new QLabel(source);
    QImage patch(20, 10, QImage::Format_RGB32);
    patch.fill(QColor(0, 0, 255));
    overlay->setPixmap(QPixmap::fromImage(patch));
    overlay->setGeometry(150, 30, 20, 10); // half of it sticks out: clipped
    auto *hidden = new QLabel(source);
    hidden->setPixmap(QPixmap::fromImage(patch));
    hidden->setGeometry(0, 0, 20, 10);
    hidden->hide();

    auto *target = new PictureSurface(&window);
    target->setAutoSize(true);
    target->move(200, 5);

    if (where != "hidden") {
        if (where == "offscreen")
            window.move(-5000, -5000);
        else if (where == "partly")
            window.move(-100, -50);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window) || where == "offscreen");
    }

    FakeDesktop desktop;
    const QImage committed = commitSurface(*source, *target, desktop);

    QImage expected = rgb32(noisy(160, 144));
    expected.setPixel(100, 100, qRgb(255, 0, 0));
    for (int y = 30; y < 40; ++y)
        for (int x = 150; x < 160; ++x)
            expected.setPixel(x, y, qRgb(0, 0, 255));
    QCOMPARE(rgb32(committed), expected);
    QCOMPARE(rgb32(desktop.clipboard), expected);
    QCOMPARE(desktop.clipboardWrites, 1);
    QCOMPARE(rgb32(target->picture()), expected);
    QCOMPARE(target->image(), expected);
}

void TstPictureSurface::failedLoadChangesNothing()
{
    test::TempAppFolder dir;
    const QString bad = dir.write("bad.png", "#define x_width 8\n");
    PictureSurface s;
    s.setAutoSize(true);
    s.setPicture(noisy(10, 10));
    const FileStatus status = s.loadPicture(bad);
    QVERIFY(!status.ok());
    QVERIFY(!status.message().isEmpty());
    QCOMPARE(s.picture(), noisy(10, 10));

    // An empty path gives an empty picture.
    QVERIFY(s.loadPicture(QString()).ok());
    QVERIFY(s.picture().isNull());
}

QTEST_MAIN(TstPictureSurface)
#include "tst_picture_surface.moc"
