#include "tool_test_support.h"

#include "imaging/number_text.h"
#include "tools/mosaic_window.h"
#include "tools/tool_window_parts.h"
#include "ui/drop_square.h"
#include "ui/folder_list.h"
#include "ui/picture_save.h"
#include "ui/picture_surface.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

using namespace camvista;
using namespace camvista::test;

namespace
{

struct Fixture : ShotsFolder {
    std::unique_ptr<MosaicWindow> window;

    Fixture()
    {
        window = std::make_unique<MosaicWindow>(desktop, app.paths());
        window->show();
    }
    // Clicks a file and drags it from the list onto the square.
    void place(const QString &name, int column, int line)
    {
        clickFile(window->frame1()->file1(), name);
        QVERIFY(dragFromList(window->frame1(), window->square(column, line)));
    }
    void press(QPushButton *button, int times)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    void setCounts(int columns, int lines)
    {
        press(window->command1(), 6);
        press(window->command4(), 5);
        press(window->command2(), columns - 1);
        press(window->command3(), lines - 1);
    }
    // Saves through the menu command and reads the file back.
    QImage save()
    {
        const QString path = app.file(QStringLiteral("out/mosaic.bmp"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        desktop.saveFiles.push_back(path);
        window->menuActions().at(1)->trigger();
        return readBack(path);
    }
};

QRect squareRect(int column, int line)
{
    return QRect(column * 160, line * 144, 160, 144);
}

} // namespace

class TstMosaicWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensWithItsStartingState();
    void missingShotsFolderLeavesTheListsOnTheApplicationFolder();
    void countsStopAtTheirBounds_data();
    void countsStopAtTheirBounds();
    void savedFileIsTheShownGrid_data();
    void savedFileIsTheShownGrid();
    void squaresBeyondTheCountsKeepTheirPictures();
    void aSecondDropReplacesTheFirst();
    void dropsThatAreNoFramedShotAreRefused_data();
    void dropsThatAreNoFramedShotAreRefused();
    void sizeTextFollowsTheCounts_data();
    void sizeTextFollowsTheCounts();
    void savesAsBmpOrPng_data();
    void savesAsBmpOrPng();
    void saveFailuresAreToldAndLoseNothing_data();
    void saveFailuresAreToldAndLoseNothing();
    void composesAsShownOnOrOffScreen_data();
    void composesAsShownOnOrOffScreen();
    void wallpaperGetsTheMosaicAndTheStyle_data();
    void wallpaperGetsTheMosaicAndTheStyle();
};

void TstMosaicWindow::opensWithItsStartingState()
{
    Fixture f;
    MosaicWindow *w = f.window.get();
    QCOMPARE(w->objectName(), QStringLiteral("frmMosaik"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Mosaik Editor"));
    QCOMPARE(w->size(), QSize(1245, 746));
    QCOMPARE(w->label1()->text(), QStringLiteral("4"));
    QCOMPARE(w->label3()->text(), QStringLiteral("4"));
    QCOMPARE(w->label9()->text(), QStringLiteral("640"));
    QCOMPARE(w->label8()->text(), QStringLiteral("576"));
    QVERIFY(!w->label9()->isVisible() && !w->label8()->isVisible());
    QCOMPARE(w->container()->geometry(), QRect(232, 32, 640, 576));
    QVERIFY(w->wallpaperControls().option3->isChecked());
    QCOMPARE(w->wallpaperControls().button->iconSize(), QSize(96, 96));
    QCOMPARE(w->frame1()->file1()->pattern(), QStringLiteral("*.bmp"));
    QCOMPARE(w->frame1()->file1()->fileNames(),
             QStringList({"a.bmp", "b.bmp", "broken.bmp", "small.bmp"}));
    QCOMPARE(w->frame1()->preview()->picture().size(), QSize(160, 144));
    QVERIFY(w->frame1()->selectedShot().isEmpty());
    QStringList menu;
    for (QAction *a : w->menuActions())
        menu << a->objectName() + QLatin1Char('=') + a->text();
    QCOMPARE(menu, QStringList({"new=New Mosaic", "savepano=Save Mosaic", "quit=Quit Mosaic Editor",
                                "undo=&Undo", "redo=&Redo"}));
    // The squares keep their tabled colours, line by line.
    QCOMPARE(w->square(0, 0)->backgroundColour().rgb(), qRgb(255, 192, 192));
    QCOMPARE(w->square(2, 0)->backgroundColour().rgb(), qRgb(255, 224, 192));
    QCOMPARE(w->square(5, 0)->backgroundColour().rgb(), qRgb(192, 255, 255));
    QCOMPARE(w->square(1, 3)->backgroundColour().rgb(), qRgb(64, 64, 0));
    QCOMPARE(w->square(5, 4)->backgroundColour().rgb(), qRgb(255, 192, 128));
    QCOMPARE(w->square(5, 4)->geometry(), QRect(800, 576, 160, 144));
}

void TstMosaicWindow::missingShotsFolderLeavesTheListsOnTheApplicationFolder()
{
    TempAppFolder app;
    FakeDesktop desktop;
    app.write(QStringLiteral("loose.bmp"), "x");
    MosaicWindow window(desktop, app.paths());
    QCOMPARE(window.frame1()->dir1()->path(), QDir::cleanPath(app.path()));
    QCOMPARE(window.frame1()->file1()->fileNames(), QStringList{"loose.bmp"});
    QVERIFY(desktop.messages.isEmpty());
}

void TstMosaicWindow::countsStopAtTheirBounds_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("lines");
    QTest::newRow("columns up to 6") << "Command2" << 4 << 6 << 4;
    QTest::newRow("columns down to 1") << "Command1" << 5 << 1 << 4;
    QTest::newRow("lines up to 5") << "Command3" << 3 << 4 << 5;
    QTest::newRow("lines down to 1") << "Command4" << 5 << 4 << 1;
    QTest::newRow("one column less") << "Command1" << 1 << 3 << 4;
}

void TstMosaicWindow::countsStopAtTheirBounds()
{
    QFETCH(QString, button);
    QFETCH(int, clicks);
    QFETCH(int, columns);
    QFETCH(int, lines);
    Fixture f;
    f.press(f.window->findChild<QPushButton *>(button), clicks);
    QCOMPARE(f.window->columns(), columns);
    QCOMPARE(f.window->lines(), lines);
    QCOMPARE(f.window->label9()->text().toInt(), 160 * columns);
    QCOMPARE(f.window->label8()->text().toInt(), 144 * lines);
    QCOMPARE(f.window->container()->size(), QSize(160 * columns, 144 * lines));
}

void TstMosaicWindow::savedFileIsTheShownGrid_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("lines");
    QTest::newRow("1 x 1") << 1 << 1;
    QTest::newRow("4 x 4") << 4 << 4;
    QTest::newRow("6 x 5") << 6 << 5;
    QTest::newRow("2 x 5") << 2 << 5;
}

void TstMosaicWindow::savedFileIsTheShownGrid()
{
    QFETCH(int, columns);
    QFETCH(int, lines);
    Fixture f;
    f.place(QStringLiteral("a.bmp"), 0, 0);
    f.place(QStringLiteral("b.bmp"), 1, 1);
    f.setCounts(columns, lines);
    const QImage saved = f.save();
    QCOMPARE(saved.size(), QSize(160 * columns, 144 * lines));
    for (int line = 0; line < lines; ++line) {
        for (int column = 0; column < columns; ++column) {
            const QImage part = saved.copy(squareRect(column, line));
            if (column == 0 && line == 0)
                QCOMPARE(part, f.shotA);
            else if (column == 1 && line == 1)
                QCOMPARE(part, f.shotB);
            else
                QVERIFY(isFlat(saved, squareRect(column, line), squareColour(column, line)));
        }
    }
    // The composed mosaic is on the clipboard and in Picture2, the very picture saved.
    QCOMPARE(rgb32(f.desktop.clipboard), saved);
    QCOMPARE(rgb32(f.window->picture2()->picture()), saved);
}

void TstMosaicWindow::squaresBeyondTheCountsKeepTheirPictures()
{
    Fixture f;
    f.place(QStringLiteral("a.bmp"), 2, 0);
    f.place(QStringLiteral("b.bmp"), 3, 1);
    f.press(f.window->command1(), 2);
    QCOMPARE(f.save().size(), QSize(320, 576));
    f.press(f.window->command2(), 2);
    const QImage saved = f.save();
    QCOMPARE(saved.copy(squareRect(2, 0)), f.shotA);
    QCOMPARE(saved.copy(squareRect(3, 1)), f.shotB);
}

void TstMosaicWindow::aSecondDropReplacesTheFirst()
{
    Fixture f;
    f.place(QStringLiteral("a.bmp"), 1, 0);
    f.place(QStringLiteral("b.bmp"), 1, 0);
    QCOMPARE(f.save().copy(squareRect(1, 0)), f.shotB);
}

void TstMosaicWindow::dropsThatAreNoFramedShotAreRefused_data()
{
    QTest::addColumn<QString>("file"); // clicked before the drop; empty: none
    QTest::newRow("unframed shot") << "small.bmp";
    QTest::newRow("no shot selected") << "";
    QTest::newRow("not a picture") << "broken.bmp";
}

void TstMosaicWindow::dropsThatAreNoFramedShotAreRefused()
{
    QFETCH(QString, file);
    Fixture f;
    if (!file.isEmpty()) {
        f.place(QStringLiteral("a.bmp"), 0, 0);
        clickFile(f.window->frame1()->file1(), file);
    }
    f.desktop.messages.clear();
    for (const auto &[column, line] : {std::pair{0, 0}, std::pair{3, 2}}) {
        const QImage before = f.window->square(column, line)->picture();
        dropOn(f.window->square(column, line), shotDragData(f.shot(QStringLiteral("a.bmp"))));
        QCOMPARE(f.window->square(column, line)->picture(), before);
    }
    QCOMPARE(f.desktop.messages.size(), 2);
    QCOMPARE(f.desktop.messages[0].title, QStringLiteral("Bad!"));
    QCOMPARE(f.desktop.messages[0].text,
             QStringLiteral("Picture doesn't fit the requiered size (160x144)"));
    QCOMPARE(f.desktop.messages[0].icon, Desktop::Icon::Exclamation);
}

void TstMosaicWindow::sizeTextFollowsTheCounts_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("4 x 4") << 4 << 4 << "16.9"
                           << "15.2";
    QTest::newRow("6 x 5") << 6 << 5 << "25.4"
                           << "19.1";
    QTest::newRow("1 x 1") << 1 << 1 << "4.2"
                           << "3.8";
}

void TstMosaicWindow::sizeTextFollowsTheCounts()
{
    QFETCH(int, columns);
    QFETCH(int, lines);
    QFETCH(QString, width);
    QFETCH(QString, height);
    Fixture f;
    f.setCounts(columns, lines);
    const QChar mark = userDecimalMark();
    width.replace(QLatin1Char('.'), mark);
    height.replace(QLatin1Char('.'), mark);
    QCOMPARE(f.window->label11()->text(), QStringLiteral("Actual size in cm: Width = ") + width +
                                              QStringLiteral(" cm; Height = ") + height +
                                              QStringLiteral(" cm"));
}

void TstMosaicWindow::savesAsBmpOrPng_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pngFilter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("format");
    QTest::newRow("default filter") << "mosaic" << false << "mosaic.bmp"
                                    << "bmp";
    QTest::newRow("PNG filter") << "mosaic" << true << "mosaic.png"
                                << "png";
    QTest::newRow("PNG filter, png name") << "mosaic.png" << true << "mosaic.png"
                                          << "png";
}

void TstMosaicWindow::savesAsBmpOrPng()
{
    QFETCH(QString, typed);
    QFETCH(bool, pngFilter);
    QFETCH(QString, written);
    QFETCH(QString, format);
    Fixture f;
    f.place(QStringLiteral("a.bmp"), 0, 0);
    f.place(QStringLiteral("b.bmp"), 1, 1);
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
    QCOMPARE(saved.size(), QSize(640, 576));
    QCOMPARE(saved, rgb32(f.window->picture2()->picture()));
    QCOMPARE(saved.copy(squareRect(1, 1)), f.shotB);
    QVERIFY(f.desktop.messages.isEmpty());
}

void TstMosaicWindow::saveFailuresAreToldAndLoseNothing_data()
{
    QTest::addColumn<QString>("target"); // "read-only", "missing folder", "full" or "cancel"
    QTest::addColumn<bool>("png");       // typed without an extension, the PNG filter selected
    QTest::newRow("read-only file") << "read-only" << false;
    QTest::newRow("read-only file, PNG") << "read-only" << true;
    QTest::newRow("disk full halfway") << "full" << false;
    QTest::newRow("disk full halfway, PNG") << "full" << true;
    QTest::newRow("missing folder") << "missing folder" << false;
    QTest::newRow("missing folder, PNG") << "missing folder" << true;
    QTest::newRow("dialog cancelled") << "cancel" << false;
}

void TstMosaicWindow::saveFailuresAreToldAndLoseNothing()
{
    QFETCH(QString, target);
    QFETCH(bool, png);
    Fixture f;
    f.place(QStringLiteral("a.bmp"), 0, 0);
    f.place(QStringLiteral("b.bmp"), 1, 1);
    const QString kept = f.app.write(png ? QStringLiteral("kept.png") : QStringLiteral("kept.bmp"),
                                     "the user's own file");
    const QString typed = png ? f.app.file(QStringLiteral("kept")) : kept;
    if (png)
        f.desktop.saveFilters.push_back(kPngSaveFilter);
    if (target == QLatin1String("read-only")) {
        QFile::setPermissions(kept, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        f.desktop.saveFiles.push_back(typed);
    } else if (target == QLatin1String("full")) {
        f.desktop.saveFiles.push_back(typed);
    } else if (target == QLatin1String("missing folder")) {
        f.desktop.saveFiles.push_back(
            f.app.file(png ? QStringLiteral("no such folder/mosaic")
                           : QStringLiteral("no such folder/mosaic.bmp")));
    } else {
        f.desktop.saveFiles.push_back(std::nullopt);
    }
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    if (target == QLatin1String("full")) {
        // Past the limit a write fails as on a full disk (and does not kill the test).
        std::signal(SIGXFSZ, SIG_IGN);
        // A PNG of the two placed shots packs into about 12 KiB.
        const rlimit small{rlim_t(png ? 4 * 1024 : 64 * 1024), before.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    f.window->savepano_Click();
    setrlimit(RLIMIT_FSIZE, &before);
    QCOMPARE(f.desktop.fileDialogs.size(), 1);
    QCOMPARE(f.desktop.fileDialogs[0].filter,
             QStringLiteral("BMP Picture (*.bmp);;PNG Picture (*.png)"));
    QFile file(kept);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("the user's own file"));
    QVERIFY(!QFileInfo::exists(f.app.file(QStringLiteral("no such folder"))));
    QCOMPARE(f.desktop.messages.size(), target == QLatin1String("cancel") ? 0 : 1);
    if (!f.desktop.messages.isEmpty())
        QCOMPARE(f.desktop.messages[0].icon, Desktop::Icon::Exclamation);
}

void TstMosaicWindow::composesAsShownOnOrOffScreen_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("never shown") << "hidden";
    QTest::newRow("partly off the screen") << "off";
    QTest::newRow("on the screen") << "on";
}

void TstMosaicWindow::composesAsShownOnOrOffScreen()
{
    QFETCH(QString, where);
    ShotsFolder folder;
    MosaicWindow window(folder.desktop, folder.app.paths());
    window.square(3, 3)->setPicture(folder.shotA);
    if (where == QLatin1String("off")) {
        window.move(-900, -500);
        window.show();
    } else if (where == QLatin1String("on")) {
        window.show();
    }
    const QImage mosaic = window.composeMosaic();
    QCOMPARE(mosaic.size(), QSize(640, 576));
    QCOMPARE(rgb32(mosaic.copy(squareRect(3, 3))), folder.shotA);
    QVERIFY(isFlat(mosaic, squareRect(0, 0), squareColour(0, 0)));
    QCOMPARE(rgb32(window.picture2()->picture()), rgb32(mosaic));
    QCOMPARE(folder.desktop.clipboardWrites, 1);
}

void TstMosaicWindow::wallpaperGetsTheMosaicAndTheStyle_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("style");
    QTest::newRow("Centered") << "Option1" << int(Desktop::WallpaperStyle::Centered);
    QTest::newRow("Stretched") << "Option2" << int(Desktop::WallpaperStyle::Stretched);
    QTest::newRow("Mosaic") << "Option3" << int(Desktop::WallpaperStyle::Tiled);
}

void TstMosaicWindow::wallpaperGetsTheMosaicAndTheStyle()
{
    QFETCH(QString, option);
    QFETCH(int, style);
    Fixture f;
    qputenv("CAMVISTA_DRIVE_C", f.app.file(QStringLiteral("drive_c")).toLocal8Bit());
    qputenv("USERNAME", "ann");
    f.place(QStringLiteral("b.bmp"), 0, 0);
    QTest::mouseClick(f.window->findChild<QRadioButton *>(option), Qt::LeftButton);
    QTest::mouseClick(f.window->wallpaperControls().button, Qt::LeftButton);
    QCOMPARE(f.desktop.wallpapers.size(), 1);
    QCOMPARE(int(f.desktop.wallpapers[0].second), style);
    const QString file = f.desktop.wallpapers[0].first;
    QCOMPARE(file, f.app.file(QStringLiteral("drive_c/Users/ann/AppData/Local/Microsoft/"
                                             "wallcamvista.bmp")));
    const QImage wallpaper = readBack(file);
    QCOMPARE(wallpaper.size(), QSize(640, 576));
    QCOMPARE(wallpaper.copy(squareRect(0, 0)), f.shotB);
    QCOMPARE(rgb32(f.desktop.clipboard), wallpaper);
    QVERIFY(f.desktop.messages.isEmpty());

    // A desktop that cannot be set is told, and the file stays for the user.
    f.desktop.wallpaperResult = Desktop::WallpaperResult::NoSupportedDesktop;
    f.window->Command9_Click();
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY(f.desktop.messages[0].text.contains(QDir::toNativeSeparators(file)));
    qunsetenv("CAMVISTA_DRIVE_C");
    qunsetenv("USERNAME");
}

QTEST_MAIN(TstMosaicWindow)
#include "tst_mosaic_window.moc"
