#include "shell/main_window.h"

#include "browser/browser_window.h"
#include "editor/editor_window.h"
#include "fakeboy/converter_window.h"
#include "platform/fake_desktop.h"
#include "support/menu_text.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"
#include "tools/mosaic_window.h"
#include "tools/panorama_window.h"
#include "tools/shot_picker.h"
#include "tools/wild_frames_window.h"
#include "ui/drop_square.h"
#include "ui/file_list.h"
#include "ui/folder_list.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

using namespace camvista;

namespace
{

constexpr int kWaitMs = 10000;
// What a maximised main window gets of a 1024 x 768 screen under a window manager.
constexpr QSize kSmallScreenWindow{1024, 740};

struct Main {
    Main()
    {
        QDir().mkpath(app.paths().shotsFolder());
        w.show();
        w.activateWindow();
    }
    QString shot(const QString &name) const
    {
        return QDir(app.paths().shotsFolder()).filePath(name);
    }
    QMdiSubWindow *active() const { return w.workspace()->activeSubWindow(); }

    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w{desktop, app.paths()};
};

// Opens the window of that kind as the user would: an editor from the browser's list, the
// others from the toolbar.
QWidget *openWindow(Main &m, const QString &kind, const QString &shot = "shot1.bmp")
{
    if (kind == "editor") {
        QImage(160, 144, QImage::Format_RGB32).save(m.shot(shot), "BMP");
        m.w.browser()->file1()->refresh();
        if (!m.w.browser()->file1()->selectFile(shot))
            return nullptr;
        m.w.browser()->File1_DblClick();
    } else {
        m.w.Toolbar1_ButtonClick(kind);
    }
    return m.active() ? m.active()->widget() : nullptr;
}

// What the window shows of the control: its rectangle in the viewport, cut by every widget
// that holds it (a grid clips its squares, a window its grid).
QRect shownPart(QWidget *control, QWidget *viewport)
{
    QRect part(control->mapTo(viewport, QPoint(0, 0)), control->size());
    for (QWidget *holder = control->parentWidget(); holder && holder != viewport;
         holder = holder->parentWidget())
        part &= QRect(holder->mapTo(viewport, QPoint(0, 0)), holder->size());
    return part;
}

// Scrolls the workspace until the shown part of the control has its top-left at the
// viewport's top-left, or as far as the scroll bars go; true when that part is then in view.
// A control the window does not show at all (a square outside the chosen grid) is passed.
bool scrollIntoView(QMdiArea *area, QWidget *control)
{
    QWidget *viewport = area->viewport();
    const QRect before = shownPart(control, viewport);
    if (before.isEmpty())
        return true;
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->value() + before.x());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->value() + before.y());
    return viewport->rect().contains(shownPart(control, viewport));
}

} // namespace

class TstWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void aFileWrittenFromOutsideShowsInEveryList();
    void everyControlCanBeScrolledIntoView_data();
    void everyControlCanBeScrolledIntoView();
    void shortcutsRunTheActiveWindowsEntries_data();
    void shortcutsRunTheActiveWindowsEntries();
    void openRefreshAndClose();
    void everyMenuEntryHasAMnemonicOfItsOwn_data();
    void everyMenuEntryHasAMnemonicOfItsOwn();
    void aSetWallpaperIsToldInTheStatusBar();
    void wallpaperOptionsLeaveEachOtherRoom();
    void thePhotographCoversALargeWorkspace();
};

void TstWorkspace::aFileWrittenFromOutsideShowsInEveryList()
{
    Main m;
    MosaicWindow *mosaic = m.w.showMosaicWindow();
    FileList *browserList = m.w.browser()->file1();
    FileList *mosaicList = mosaic->frame1()->file1();
    QImage(160, 144, QImage::Format_RGB32).save(m.shot("old.bmp"), "BMP");
    QTRY_VERIFY_WITH_TIMEOUT(mosaicList->fileNames().contains("old.bmp"), kWaitMs);
    QVERIFY(mosaicList->selectFile("old.bmp"));

    // Another program (the camera dump) writes a photo: no click anywhere.
    QVERIFY(test::rgb32(QImage(160, 144, QImage::Format_RGB32)).save(m.shot("camera-01.bmp")));
    QTRY_VERIFY_WITH_TIMEOUT(browserList->fileNames().contains("camera-01.bmp"), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(mosaicList->fileNames().contains("camera-01.bmp"), kWaitMs);
    QCOMPARE(mosaicList->fileName(), QString("old.bmp"));

    QVERIFY(QFile::remove(m.shot("camera-01.bmp")));
    QTRY_VERIFY_WITH_TIMEOUT(!browserList->fileNames().contains("camera-01.bmp"), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!mosaicList->fileNames().contains("camera-01.bmp"), kWaitMs);
}

void TstWorkspace::everyControlCanBeScrolledIntoView_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("6 x 5 mosaic") << "Mosaik";
    QTest::newRow("panorama") << "Panorama";
    QTest::newRow("wild frames") << "Wild Wild Frames";
    QTest::newRow("browser") << "";
}

void TstWorkspace::everyControlCanBeScrolledIntoView()
{
    QFETCH(QString, kind);
    Main m;
    m.w.resize(kSmallScreenWindow);
    QWidget *form = m.w.browser();
    if (!kind.isEmpty())
        form = openWindow(m, kind);
    QVERIFY(form);
    if (auto *mosaic = qobject_cast<MosaicWindow *>(form)) {
        while (mosaic->columns() < 6)
            QTest::mouseClick(mosaic->command2(), Qt::LeftButton);
        while (mosaic->lines() < 5)
            QTest::mouseClick(mosaic->command3(), Qt::LeftButton);
    }
    QApplication::processEvents();

    QList<QWidget *> controls;
    for (QWidget *child : form->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(child) ||
                             qobject_cast<QLabel *>(child) || qobject_cast<DropSquare *>(child) ||
                             qobject_cast<FileList *>(child) || qobject_cast<FolderList *>(child);
        if (control && child->isVisibleTo(form))
            controls << child;
    }
    QVERIFY(controls.size() > 5);
    for (QWidget *control : std::as_const(controls)) {
        QVERIFY2(scrollIntoView(m.w.workspace(), control),
                 qPrintable(control->objectName() + " " + control->metaObject()->className()));
    }
    // The browser's last button in particular.
    if (kind.isEmpty())
        QVERIFY(controls.contains(m.w.browser()->command4()));
}

void TstWorkspace::shortcutsRunTheActiveWindowsEntries_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("save");
    QTest::addColumn<QString>("saveAs");
    QTest::newRow("editor") << "editor"
                            << "save"
                            << "savecopy";
    QTest::newRow("mosaic") << "Mosaik"
                            << "savepano"
                            << "savepano";
    QTest::newRow("panorama") << "Panorama"
                              << "savepano"
                              << "savepano";
    QTest::newRow("wild frames") << "Wild Wild Frames"
                                 << "savewf"
                                 << "savewf";
    QTest::newRow("converter") << "DuduRed Idarer"
                               << "save"
                               << "save";
}

void TstWorkspace::shortcutsRunTheActiveWindowsEntries()
{
    QFETCH(QString, kind);
    QFETCH(QString, save);
    QFETCH(QString, saveAs);
    Main m;
    QVERIFY(QTest::qWaitForWindowActive(&m.w));
    QWidget *form = openWindow(m, kind);
    QVERIFY(form);
    QStringList triggered;
    for (QAction *action : m.w.menuBar()->actions()) {
        connect(action, &QAction::triggered, this,
                [&triggered, action] { triggered << action->objectName(); });
    }
    m.desktop.saveFiles = {std::nullopt, std::nullopt}; // the user cancels each dialog

    QTest::keyClick(&m.w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(triggered, QStringList{save});
    QTest::keyClick(&m.w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(triggered, (QStringList{save, saveAs}));
}

void TstWorkspace::openRefreshAndClose()
{
    Main m;
    QVERIFY(QTest::qWaitForWindowActive(&m.w));
    MosaicWindow *mosaic = m.w.showMosaicWindow();

    // Ctrl+O is "Load external...": its dialog opens in the application folder.
    m.desktop.openFiles = {std::nullopt};
    QTest::keyClick(&m.w, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m.desktop.fileDialogs.size(), 1);
    QCOMPARE(m.desktop.fileDialogs[0].folder, m.app.paths().folder);

    // F5 rereads every list at once, before any watch could tell it.
    QImage(160, 144, QImage::Format_RGB32).save(m.shot("new.bmp"), "BMP");
    QVERIFY(QDir(m.app.paths().shotsFolder()).mkdir("sub"));
    QTest::keyClick(&m.w, Qt::Key_F5);
    QVERIFY(m.w.browser()->file1()->fileNames().contains("new.bmp"));
    QVERIFY(mosaic->frame1()->file1()->fileNames().contains("new.bmp"));
    QVERIFY(mosaic->frame1()->dir1()->itemFor(m.shot("sub")));

    // Ctrl+W closes the active child window, never the browser.
    QPointer<QMdiSubWindow> child = m.active();
    QCOMPARE(child->widget(), mosaic);
    QTest::keyClick(&m.w, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(child.isNull());
    m.w.workspace()->setActiveSubWindow(m.w.browserSubWindow());
    QTest::keyClick(&m.w, Qt::Key_W, Qt::ControlModifier);
    QApplication::processEvents();
    QVERIFY(m.w.browserSubWindow()->isVisible());
}

void TstWorkspace::everyMenuEntryHasAMnemonicOfItsOwn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("entries"); // as shown; empty: not looked at
    QTest::newRow("nothing active") << "" << QStringList();
    QTest::newRow("editor, a file name with an ampersand")
        << "editor"
        << QStringList{"Save Tom & Jerry.bmp (overwrite original)",
                       "Save a copy of Tom & Jerry.bmp (Tom & Jerrycopy.bmp)",
                       "Save Tom & Jerry.bmp as...",
                       "Reload the shot (Cancel current step changes)"};
    QTest::newRow("mosaic") << "Mosaik" << QStringList();
    QTest::newRow("panorama") << "Panorama" << QStringList();
    QTest::newRow("wild frames") << "Wild Wild Frames" << QStringList();
    QTest::newRow("converter") << "DuduRed Idarer" << QStringList{"Save generated shot as..."};
}

void TstWorkspace::everyMenuEntryHasAMnemonicOfItsOwn()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, entries);
    Main m;
    if (!kind.isEmpty())
        QVERIFY(openWindow(m, kind, "Tom & Jerry.bmp"));
    QList<QKeySequence> keys;
    QStringList shown;
    for (QAction *action : m.w.menuBar()->actions()) {
        if (!action->isEnabled())
            continue; // the switched-off divider
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        QVERIFY2(!key.isEmpty(), qPrintable(action->text()));
        QVERIFY2(!keys.contains(key), qPrintable(action->text()));
        keys << key;
        if (action->objectName() != "about" && action->objectName() != "quitf"
            && action->objectName() != "exportShots")
            shown << test::shownMenuText(action->text());
    }
    QCOMPARE(shown.isEmpty(), kind.isEmpty());
    if (!entries.isEmpty())
        QCOMPARE(shown, entries);
}

void TstWorkspace::aSetWallpaperIsToldInTheStatusBar()
{
    Main m;
    qputenv("CAMVISTA_DRIVE_C", m.app.file("drive_c").toLocal8Bit());
    PanoramaWindow *panorama = m.w.showPanoramaWindow();
    QTest::mouseClick(panorama->wallpaperControls().option2, Qt::LeftButton);
    QTest::mouseClick(panorama->wallpaperControls().button, Qt::LeftButton);
    qunsetenv("CAMVISTA_DRIVE_C");
    QCOMPARE(m.desktop.wallpapers.size(), 1);
    QVERIFY(m.desktop.messages.isEmpty()); // no box to close
    const QString told = m.w.statusText()->text();
    QVERIFY2(told.contains("Stretched"), qPrintable(told));
    QVERIFY2(told.contains(QDir::toNativeSeparators(m.desktop.wallpapers[0].first)),
             qPrintable(told));
    QVERIFY(m.w.statusText()->isVisible());
}

void TstWorkspace::wallpaperOptionsLeaveEachOtherRoom()
{
    Main m;
    for (const WallpaperControls &c : {m.w.showMosaicWindow()->wallpaperControls(),
                                       m.w.showPanoramaWindow()->wallpaperControls()}) {
        // Each caption ends before the next option's circle begins.
        QVERIFY(c.option1->x() + c.option1->sizeHint().width() <= c.option2->x());
        QVERIFY(c.option2->x() + c.option2->sizeHint().width() <= c.option3->x());
    }
}

void TstWorkspace::thePhotographCoversALargeWorkspace()
{
    Main m;
    m.w.resize(1920, 1050); // wider than the 1500 pixels of the photograph
    QWidget *viewport = m.w.workspace()->viewport();
    QTRY_VERIFY(viewport->width() > 1500);
    const QImage shown = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb ground = m.w.workspace()->palette().color(QPalette::Dark).rgb();
    // No band of the workspace colour at the right or the bottom.
    int bare = 0;
    for (int y = 0; y < shown.height(); ++y)
        bare += shown.pixel(shown.width() - 1, y) == ground ? 1 : 0;
    for (int x = 200; x < shown.width(); ++x)
        bare += shown.pixel(x, shown.height() - 1) == ground ? 1 : 0;
    QCOMPARE(bare, 0);
}

QTEST_MAIN(TstWorkspace)
#include "tst_workspace.moc"
