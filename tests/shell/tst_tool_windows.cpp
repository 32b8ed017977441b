#include "shell/main_window.h"

#include "browser/browser_window.h"
#include "editor/editor_window.h"
#include "editor/second_step_panel.h"
#include "imaging/picture_file.h"
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
#include "ui/picture_surface.h"
#include "ui/shot_drag.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileSystemModel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QtTest>

using namespace camvista;

namespace
{

QStringList menuTexts(QMainWindow &w)
{
    QStringList texts;
    for (QAction *action : w.menuBar()->actions())
        texts << test::shownMenuText(action->text());
    return texts;
}

// Drops the picker's selected shot on the square.
void dropSelected(QWidget *square)
{
    std::unique_ptr<QMimeData> data(shotDragData(QStringLiteral("/any")));
    QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(square, &enter);
    QDropEvent drop(QPointF(4, 4), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(square, &drop);
}

// The class names of the window's folder lists.
QStringList folderListClasses(QWidget *window)
{
    QStringList classes;
    for (QWidget *child : window->findChildren<QWidget *>(QStringLiteral("Dir1")))
        classes << QString::fromLatin1(child->metaObject()->className());
    // No folder view of another kind either.
    if (!window->findChildren<QFileSystemModel *>().isEmpty())
        classes << QStringLiteral("QFileSystemModel");
    return classes;
}

} // namespace

class TstToolWindows : public QObject
{
    Q_OBJECT

private slots:
    void toolbarShowsEachToolOnce_data();
    void toolbarShowsEachToolOnce();
    void newReplacesTheWindowByAFreshOne_data();
    void newReplacesTheWindowByAFreshOne();
    void quitClosesTheWindowAndAsksForAChangedOne();
    void activeToolPutsItsCommandsInTheMenuBar();
    void everyFolderListIsTheSharedOne();
};

void TstToolWindows::toolbarShowsEachToolOnce_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::newRow("mosaic") << "Mosaik"
                            << "frmMosaik"
                            << "Mosaik Editor";
    QTest::newRow("panorama") << "Panorama"
                              << "frmPano"
                              << "Panorama Maker";
    QTest::newRow("wild frames") << "Wild Wild Frames"
                                 << "frmWFrames"
                                 << "Wild Wild Frames! Tool";
}

void TstToolWindows::toolbarShowsEachToolOnce()
{
    QFETCH(QString, key);
    QFETCH(QString, form);
    QFETCH(QString, caption);
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    w.show();
    w.toolbarAction(key)->trigger();
    QList<QMdiSubWindow *> children = w.workspace()->subWindowList();
    QCOMPARE(children.size(), 2);
    QMdiSubWindow *tool = w.workspace()->activeSubWindow();
    QVERIFY(tool);
    QCOMPARE(tool->widget()->objectName(), form);
    QCOMPARE(tool->windowTitle(), caption);
    QVERIFY(tool->isVisible());
    // Shown again: the same window, brought to the front.
    w.workspace()->setActiveSubWindow(w.browserSubWindow());
    w.toolbarAction(key)->trigger();
    QCOMPARE(w.workspace()->subWindowList().size(), 2);
    QCOMPARE(w.workspace()->activeSubWindow(), tool);
    // Its lists are on the shots folder.
    auto *picker = tool->widget()->findChild<ShotPicker *>();
    QCOMPARE(picker->dir1()->path(), QDir::cleanPath(app.paths().shotsFolder()));
    QCOMPARE(picker->file1()->path(), picker->dir1()->path());
}

void TstToolWindows::newReplacesTheWindowByAFreshOne_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::newRow("New Mosaic") << true;
    QTest::newRow("New Panorama") << false;
}

void TstToolWindows::newReplacesTheWindowByAFreshOne()
{
    QFETCH(bool, mosaic);
    test::TempAppFolder app;
    FakeDesktop desktop;
    QDir().mkpath(app.paths().shotsFolder());
    savePictureBmp(test::fourShadeShot(160, 144, 5),
                   app.file(QStringLiteral("VUDavizi Shots/a.bmp")));
    MainWindow w(desktop, app.paths());
    w.show();
    CompositionWindow *old =
        mosaic ? static_cast<CompositionWindow *>(w.showMosaicWindow()) : w.showPanoramaWindow();
    QPointer<CompositionWindow> watch = old;
    old->frame1()->file1()->selectFile(QStringLiteral("a.bmp"));
    old->frame1()->File1_Click();
    dropSelected(old->square(0, 0));
    QVERIFY(!old->square(0, 0)->picture().isNull());
    old->Command4_Click();
    old->Command2_Click();
    if (!mosaic)
        old->square(1, 0)->move(50, 50);
    // The changed composition asks first: Cancel keeps it, Discard lets it go.
    desktop.answers = {Desktop::Answer::Cancel, Desktop::Answer::Discard};
    old->menuActions().at(0)->trigger(); // "New"
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch && watch->isVisible());
    QCOMPARE(w.workspace()->subWindowList().size(), 2);
    old->menuActions().at(0)->trigger();
    QTRY_VERIFY(watch.isNull());
    QCOMPARE(desktop.messages.size(), 2);

    CompositionWindow *fresh =
        mosaic ? static_cast<CompositionWindow *>(w.showMosaicWindow()) : w.showPanoramaWindow();
    QCOMPARE(w.workspace()->subWindowList().size(), 2);
    QVERIFY(fresh->square(0, 0)->picture().isNull());
    QCOMPARE(fresh->columns(), mosaic ? 4 : 2);
    QCOMPARE(fresh->lines(), mosaic ? 4 : 1);
    QCOMPARE(fresh->square(1, 0)->pos(), mosaic ? QPoint(160, 0) : QPoint(128, 0));
    QVERIFY(fresh->frame1()->selectedShot().isEmpty());
    // The fresh window answers "New" as well.
    QPointer<CompositionWindow> second = fresh;
    fresh->new_Click();
    QTRY_VERIFY(second.isNull());
    QCOMPARE(w.workspace()->subWindowList().size(), 2);
}

void TstToolWindows::quitClosesTheWindowAndAsksForAChangedOne()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    w.show();
    QPointer<MosaicWindow> mosaic = w.showMosaicWindow();
    mosaic->menuActions().at(2)->trigger();
    QTRY_VERIFY(mosaic.isNull());
    QCOMPARE(w.workspace()->subWindowList().size(), 1);
    QVERIFY(desktop.messages.isEmpty());
    // The toolbar makes a new one afterwards.
    QVERIFY(w.showMosaicWindow());
    QCOMPARE(w.workspace()->subWindowList().size(), 2);

    QPointer<PanoramaWindow> panorama = w.showPanoramaWindow();
    panorama->Command2_Click();
    // "See ya!": the unchanged mosaic goes without a word, the panorama asks and Cancel keeps
    // the program running.
    desktop.answers = {Desktop::Answer::Cancel};
    w.findChild<QAction *>(QStringLiteral("quitf"))->trigger();
    QVERIFY(w.isVisible() && panorama && panorama->isVisible());
    QCOMPARE(desktop.messages.size(), 1);
    QCOMPARE(desktop.messages[0].buttons, Desktop::Buttons::SaveDiscardCancel);
    desktop.answers = {Desktop::Answer::Discard};
    QVERIFY(w.close());
    QCOMPARE(desktop.messages.size(), 2);
}

void TstToolWindows::activeToolPutsItsCommandsInTheMenuBar()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    w.show();
    const QStringList base = menuTexts(w);
    w.showMosaicWindow();
    QCOMPARE(menuTexts(w), base + QStringList({"New Mosaic", "Save Mosaic", "Quit Mosaic Editor",
                                               "&Undo", "&Redo"}));
    w.showPanoramaWindow();
    QCOMPARE(menuTexts(w), base + QStringList({"New Panorama", "Save Panorama",
                                               "Quit Panorama Maker", "&Undo", "&Redo"}));
    w.showWildFrames();
    QCOMPARE(menuTexts(w), base + QStringList({"Save framed picture"}));
    w.workspace()->setActiveSubWindow(w.browserSubWindow());
    QCOMPARE(menuTexts(w), base);
}

void TstToolWindows::everyFolderListIsTheSharedOne()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    QDir().mkpath(app.file(QStringLiteral("stamps/animals")));
    QDir().mkpath(app.file(QStringLiteral("stamps/words")));
    MainWindow w(desktop, app.paths());
    w.show();
    auto *editor = new EditorWindow(desktop, app.paths());
    w.addEditor(editor);
    QList<QWidget *> windows{w.browser(), editor, w.showMosaicWindow(), w.showPanoramaWindow(),
                             w.showWildFrames()};
    for (QWidget *window : windows)
        QCOMPARE(folderListClasses(window), QStringList{"camvista::FolderList"});

    // The stamp step's list shows the chain down to the stamps folder and its subfolders, as
    // the browser's does.
    auto *stamps = editor->findChild<FolderList *>(QStringLiteral("Dir1"));
    QCOMPARE(stamps->path(), QDir::cleanPath(app.file(QStringLiteral("stamps"))));
    QTreeWidgetItem *current = stamps->currentItem();
    QVERIFY(current);
    QCOMPARE(FolderList::folderOf(current), stamps->path());
    QCOMPARE(current->childCount(), 2);
    QCOMPARE(current->child(0)->text(0), QStringLiteral("animals"));
    int depth = 0;
    for (QTreeWidgetItem *up = current; up->parent(); up = up->parent())
        ++depth;
    QCOMPARE(depth, stamps->path().count(QLatin1Char('/')));
    // Choosing a subfolder moves the stamp list there.
    stamps->setPath(app.file(QStringLiteral("stamps/words")));
    QCOMPARE(editor->findChild<SecondStepPanel *>()->file1()->path(),
             QDir::cleanPath(app.file(QStringLiteral("stamps/words"))));
}

QTEST_MAIN(TstToolWindows)
#include "tst_tool_windows.moc"
