#include "tool_test_support.h"

#include "imaging/number_text.h"
#include "platform/drive_root.h"
#include "tools/panorama_window.h"
#include "tools/tool_window_parts.h"
#include "ui/drop_square.h"
#include "ui/picture_save.h"
#include "ui/picture_surface.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace camvista;
using namespace camvista::test;

namespace
{

struct Fixture : ShotsFolder {
    std::unique_ptr<PanoramaWindow> window;

    Fixture()
    {
        window = std::make_unique<PanoramaWindow>(desktop, app.paths());
        window->show();
    }
    void place(const QString &name, int column, int line)
    {
        clickFile(window->frame1()->file1(), name);
        QVERIFY(dragFromList(window->frame1(), window->square(column, line)));
    }
    void click(const char *button, int times = 1)
    {
        QPushButton *b = window->button(button);
        QVERIFY2(b, button);
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(b, Qt::LeftButton);
    }
    QImage save()
    {
        const QString path = app.file(QStringLiteral("panorama.bmp"));
        desktop.saveFiles.push_back(path);
        window->menuActions().at(1)->trigger();
        return readBack(path);
    }
    // Grabs the square at `from` (in the square) and lets it go `by` further on.
    void dragSquare(DropSquare *square, QPoint from, QPoint by)
    {
        QTest::mousePress(square, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(from + by), square->mapToGlobal(from + by),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(square, &move);
        QTest::mouseRelease(square, Qt::LeftButton, {}, from + by);
    }
    QRgb windowColour() const { return window->palette().color(QPalette::Window).rgb(); }
};

// The black margins of a saved panorama: `left` and `top` wide before the picture, `right` and
// `bottom` after it.
bool hasBlackMargins(const QImage &image, int right, int bottom)
{
    const QRgb black = qRgb(0, 0, 0);
    return isFlat(image, QRect(0, 0, image.width(), 8), black) &&
           isFlat(image, QRect(0, 0, 8, image.height()), black) &&
           isFlat(image, QRect(image.width() - right, 0, right, image.height()), black) &&
           isFlat(image, QRect(0, image.height() - bottom, image.width(), bottom), black);
}

} // namespace

class TstPanoramaWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensWithItsStartingState();
    void countsStopAtTheirBounds_data();
    void countsStopAtTheirBounds();
    void firstSaveHasTheStartingBorder();
    void sizeChangesGiveTheFifteenPixelBorder_data();
    void sizeChangesGiveTheFifteenPixelBorder();
    void pixelSizesNeverGoBelowZero();
    void eighthColumnShowsOnlyPastItsEdge();
    void countsResetTheirOwnPixelSizeOnly();
    void droppedShotLosesItsFrame();
    void savesAsBmpOrPng_data();
    void savesAsBmpOrPng();
    void unframedShotIsRefused();
    void movedSquareIsCutOffInFileAndWallpaper();
    void lockStopsMovingButNotDropping();
};

void TstPanoramaWindow::opensWithItsStartingState()
{
    Fixture f;
    PanoramaWindow *w = f.window.get();
    QCOMPARE(w->objectName(), QStringLiteral("frmPano"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Panorama Maker"));
    QCOMPARE(w->size(), QSize(1272, 704));
    QCOMPARE(w->columns(), 2);
    QCOMPARE(w->lines(), 1);
    QCOMPARE(w->label9()->text(), QStringLiteral("256"));
    QCOMPARE(w->label8()->text(), QStringLiteral("112"));
    QCOMPARE(w->blackborder()->geometry(), QRect(232, 32, 273, 129));
    QCOMPARE(w->container()->mapTo(w, QPoint(0, 0)), QPoint(240, 40));
    QCOMPARE(w->container()->size(), QSize(256, 112));
    QVERIFY(!w->check1()->isChecked());
    QCOMPARE(w->check1()->text(), QStringLiteral("Lock the pictures"));
    QCOMPARE(w->wallpaperControls().button->objectName(), QStringLiteral("Command10"));
    const QChar m = userDecimalMark();
    QCOMPARE(w->label11()->text(), QStringLiteral("|  Actual size in cm: Width = 7") + m +
                                       QStringLiteral("2 cm; Height = 3") + m +
                                       QStringLiteral("4 cm"));
    QCOMPARE(w->square(7, 5)->geometry(), QRect(896, 560, 128, 112));
    QCOMPARE(w->square(6, 0)->backgroundColour().rgb(), qRgb(192, 192, 255));
    QCOMPARE(w->square(0, 5)->backgroundColour().rgb(), qRgb(128, 255, 255));
    QCOMPARE(w->square(7, 5)->backgroundColour().rgb(), qRgb(255, 128, 128));
    QStringList menu;
    for (QAction *a : w->menuActions())
        menu << a->text();
    QCOMPARE(menu, QStringList(
                       {"New Panorama", "Save Panorama", "Quit Panorama Maker", "&Undo", "&Redo"}));
}

void TstPanoramaWindow::countsStopAtTheirBounds_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("lines");
    QTest::newRow("columns up to 7") << "Command2" << 7 << 7 << 1;
    QTest::newRow("columns down to 1") << "Command1" << 3 << 1 << 1;
    QTest::newRow("lines up to 6") << "Command3" << 7 << 2 << 6;
    QTest::newRow("lines down to 1") << "Command4" << 2 << 2 << 1;
}

void TstPanoramaWindow::countsStopAtTheirBounds()
{
    QFETCH(QString, button);
    QFETCH(int, clicks);
    QFETCH(int, columns);
    QFETCH(int, lines);
    Fixture f;
    f.click(qPrintable(button), clicks);
    QCOMPARE(f.window->columns(), columns);
    QCOMPARE(f.window->lines(), lines);
    QCOMPARE(f.window->panoramaWidth(), 128 * columns);
    QCOMPARE(f.window->panoramaHeight(), 112 * lines);
    QCOMPARE(f.window->container()->size(), QSize(128 * columns, 112 * lines));
}

void TstPanoramaWindow::firstSaveHasTheStartingBorder()
{
    Fixture f;
    const QImage saved = f.save();
    QCOMPARE(saved.size(), QSize(273, 129));
    QVERIFY(hasBlackMargins(saved, 9, 9));
    QVERIFY(isFlat(saved, QRect(8, 8, 128, 112), squareColour(0, 0)));
    QVERIFY(isFlat(saved, QRect(136, 8, 128, 112), squareColour(1, 0)));
    QCOMPARE(rgb32(f.desktop.clipboard), saved);
    QCOMPARE(rgb32(f.window->picture2()->picture()), saved);
}

void TstPanoramaWindow::sizeChangesGiveTheFifteenPixelBorder_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QSize>("panorama");
    QTest::addColumn<QSize>("file");
    QTest::newRow("one column more")
        << QStringList{"Command2"} << QSize(384, 112) << QSize(399, 129);
    QTest::newRow("one pixel wider")
        << QStringList{"Command8"} << QSize(257, 112) << QSize(272, 129);
    QTest::newRow("one pixel lower")
        << QStringList{"Command5"} << QSize(256, 111) << QSize(273, 126);
    QTest::newRow("both ways") << QStringList{"Command3", "Command7"} << QSize(255, 224)
                               << QSize(270, 239);
}

void TstPanoramaWindow::sizeChangesGiveTheFifteenPixelBorder()
{
    QFETCH(QStringList, clicks);
    QFETCH(QSize, panorama);
    QFETCH(QSize, file);
    Fixture f;
    for (const QString &button : clicks)
        f.click(qPrintable(button));
    QCOMPARE(QSize(f.window->panoramaWidth(), f.window->panoramaHeight()), panorama);
    const QImage saved = f.save();
    QCOMPARE(saved.size(), file);
    // A changed side has its 7-pixel far margin; an unchanged one keeps its starting 9.
    QVERIFY(hasBlackMargins(saved, file.width() - 8 - panorama.width(),
                            file.height() - 8 - panorama.height()));
}

void TstPanoramaWindow::pixelSizesNeverGoBelowZero()
{
    Fixture f;
    f.click("Command7", 260);
    f.click("Command5", 115);
    QCOMPARE(f.window->panoramaWidth(), 0);
    QCOMPARE(f.window->panoramaHeight(), 0);
    QCOMPARE(f.window->container()->size(), QSize(0, 0));
    QCOMPARE(f.save().size(), QSize(15, 15));
}

void TstPanoramaWindow::eighthColumnShowsOnlyPastItsEdge()
{
    Fixture f;
    f.click("Command2", 6);
    QCOMPARE(f.window->panoramaWidth(), 896);
    QImage shown = f.window->compose(*f.window->container());
    QCOMPARE(shown.width(), 896);
    f.click("Command8");
    shown = f.window->compose(*f.window->container());
    QCOMPARE(shown.width(), 897);
    QVERIFY(isFlat(shown, QRect(896, 0, 1, 112), squareColour(7, 0)));
}

void TstPanoramaWindow::countsResetTheirOwnPixelSizeOnly()
{
    Fixture f;
    f.click("Command7", 5);
    f.click("Command5", 3);
    f.click("Command2");
    QCOMPARE(f.window->panoramaWidth(), 384);
    QCOMPARE(f.window->panoramaHeight(), 109);
}

void TstPanoramaWindow::droppedShotLosesItsFrame()
{
    Fixture f;
    f.place(QStringLiteral("a.bmp"), 1, 0);
    const QImage inner = f.shotA.copy(16, 16, 128, 112);
    QCOMPARE(rgb32(f.window->square(1, 0)->picture()), inner);
    QCOMPARE(f.save().copy(136, 8, 128, 112), inner);
    // A file dropped from the file manager loses its frame the same way.
    QVERIFY(dropOn(f.window->square(0, 0), fileManagerDrop(f.shot(QStringLiteral("b.bmp")))));
    QCOMPARE(rgb32(f.window->square(0, 0)->picture()), f.shotB.copy(16, 16, 128, 112));
}

void TstPanoramaWindow::savesAsBmpOrPng_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pngFilter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("format");
    QTest::newRow("default filter") << "pano" << false << "pano.bmp"
                                    << "bmp";
    QTest::newRow("PNG filter") << "pano" << true << "pano.png"
                                << "png";
    QTest::newRow("PNG filter, png name") << "pano.png" << true << "pano.png"
                                          << "png";
    QTest::newRow("default filter, png name") << "pano.png" << false << "pano.png"
                                              << "png";
}

void TstPanoramaWindow::savesAsBmpOrPng()
{
    QFETCH(QString, typed);
    QFETCH(bool, pngFilter);
    QFETCH(QString, written);
    QFETCH(QString, format);
    Fixture f;
    f.place(QStringLiteral("a.bmp"), 1, 0);
    f.desktop.saveFiles.push_back(f.app.file(typed));
    if (pngFilter)
        f.desktop.saveFilters.push_back(kPngSaveFilter);
    f.window->menuActions().at(1)->trigger();
    QCOMPARE(f.desktop.fileDialogs.size(), 1);
    QCOMPARE(f.desktop.fileDialogs[0].filter,
             QStringLiteral("BMP Picture (*.bmp);;PNG Picture (*.png)"));
    const QString path = f.app.file(written);
    QCOMPARE(fileFormatOf(path), format);
    const QImage saved = readBack(path);
    QCOMPARE(saved.size(), QSize(273, 129));
    QCOMPARE(saved, rgb32(f.window->picture2()->picture()));
    QCOMPARE(saved.copy(136, 8, 128, 112), f.shotA.copy(16, 16, 128, 112));
    QVERIFY(f.desktop.messages.isEmpty());
}

void TstPanoramaWindow::unframedShotIsRefused()
{
    Fixture f;
    f.place(QStringLiteral("small.bmp"), 0, 0);
    QVERIFY(f.window->square(0, 0)->picture().isNull());
    QCOMPARE(f.desktop.messages.size(), 1);
    QCOMPARE(f.desktop.messages[0].title, QStringLiteral("Bad!"));
    QCOMPARE(f.desktop.messages[0].text,
             QStringLiteral("Picture doesn't fit the required size (160x144)"));
}

void TstPanoramaWindow::movedSquareIsCutOffInFileAndWallpaper()
{
    Fixture f;
    qputenv("CAMVISTA_DRIVE_C", f.app.file(QStringLiteral("drive_c")).toLocal8Bit());
    f.place(QStringLiteral("a.bmp"), 1, 0);
    DropSquare *square = f.window->square(1, 0);
    f.dragSquare(square, QPoint(10, 20), QPoint(64, 30));
    QCOMPARE(square->pos(), QPoint(192, 30));
    QVERIFY(!f.window->moving());

    const QImage inner = f.shotA.copy(16, 16, 128, 112);
    const QImage saved = f.save();
    QCOMPARE(saved.size(), QSize(273, 129));
    QCOMPARE(saved.copy(8 + 192, 8 + 30, 64, 82), inner.copy(0, 0, 64, 82));
    QVERIFY(isFlat(saved, QRect(8 + 128, 8, 64, 112), f.windowColour()));
    QVERIFY(isFlat(saved, QRect(8 + 192, 8, 64, 30), f.windowColour()));
    QVERIFY(hasBlackMargins(saved, 9, 9));

    QTest::mouseClick(f.window->wallpaperControls().button, Qt::LeftButton);
    QCOMPARE(f.desktop.wallpapers.size(), 1);
    const QImage wallpaper = readBack(f.desktop.wallpapers[0].first);
    QCOMPARE(wallpaper, saved.copy(8, 8, 256, 112));
    qunsetenv("CAMVISTA_DRIVE_C");
}

void TstPanoramaWindow::lockStopsMovingButNotDropping()
{
    Fixture f;
    QTest::mouseClick(f.window->check1(), Qt::LeftButton);
    QVERIFY(f.window->check1()->isChecked());
    DropSquare *square = f.window->square(0, 0);
    f.dragSquare(square, QPoint(5, 5), QPoint(40, 40));
    QCOMPARE(square->pos(), QPoint(0, 0));
    f.place(QStringLiteral("b.bmp"), 0, 0);
    QCOMPARE(rgb32(square->picture()), f.shotB.copy(16, 16, 128, 112));
    // Unlocked again, the same drag moves it.
    QTest::mouseClick(f.window->check1(), Qt::LeftButton);
    f.dragSquare(square, QPoint(5, 5), QPoint(40, 40));
    QCOMPARE(square->pos(), QPoint(40, 40));
}

QTEST_MAIN(TstPanoramaWindow)
#include "tst_panorama_window.moc"
