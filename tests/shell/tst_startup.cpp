#include "shell/captions.h"
#include "shell/ini.h"
#include "shell/main_window.h"
#include "shell/open_browser.h"
#include "shell/splash_window.h"

#include "browser/browser_window.h"
#include "data/shell_pictures.h"
#include "editor/editor_window.h"
#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "ui/file_list.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using namespace camvista;

namespace
{

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The docked browser is as tall as the workspace shows, and never shorter than its controls
// (the bottom of "Refresh the shotlist", 10335 twips down).
int dockedHeight(const MainWindow &w)
{
    return qMax(w.workspace()->viewport()->height(), 689);
}

QAction *menuEntry(QMainWindow &w, const char *name)
{
    return w.menuBar()->findChild<QAction *>(QString::fromLatin1(name));
}

} // namespace

class TstStartup : public QObject
{
    Q_OBJECT

private slots:
    void splashShowsOneSecondThenHandsOver();
    void settingsAndCaptionAtFirstStart_data();
    void settingsAndCaptionAtFirstStart();
    void shotsFolderCreatedOrLeftAlone();
    void resizingRedocksTheBrowser();
    void opensMaximisedAndRestoresCentred();
    void theMoonShowsAtTheOpeningSize();
    void aNewEditorIsActiveAtOnce_data();
    void aNewEditorIsActiveAtOnce();
    void toolbarButtonsInOrder();
    void toolbarCommands_data();
    void toolbarCommands();
    void menuBar();
    void editorMenusFollowTheActiveEditor();
    void openBrowserPrefixesAddresses_data();
    void openBrowserPrefixesAddresses();
};

void TstStartup::splashShowsOneSecondThenHandsOver()
{
    QPointer<SplashWindow> splash = new SplashWindow; // deletes itself when it closes
    QCOMPARE(splash->objectName(), QString("spls"));
    QCOMPARE(splash->size(), QSize(334, 250));
    QCOMPARE(splash->timer()->interval(), 1000);
    QCOMPARE(splash->timer()->timerType(), Qt::PreciseTimer);
    QVERIFY(splash->timer()->isActive());
    QSignalSpy exposed(splash.data(), &SplashWindow::exposed);
    QSignalSpy finished(splash.data(), &SplashWindow::finished);
    splash->show();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(finished.wait(3000));
    QVERIFY(clock.elapsed() >= 900);
    QCOMPARE(finished.count(), 1);
    // The time to build the main window came while the splash showed, once.
    QCOMPARE(exposed.count(), 1);
    QTRY_VERIFY(splash.isNull());
}

void TstStartup::settingsAndCaptionAtFirstStart_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no settings file
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("no settings file")
        << QByteArray() << false << "Camvista v.7.0.3 - Welcome, GC-???????? !"
        << QByteArray("[Camvista]\nUser ID=????????\n");
    QTest::newRow("an ID is kept") << QByteArray("[Camvista]\nUser ID=12345678\n") << false
                                   << "Camvista v.7.0.3 - Welcome, GC-12345678 !"
                                   << QByteArray("[Camvista]\nUser ID=12345678\n");
    QTest::newRow("an emptied ID gets the default again")
        << QByteArray("[Camvista]\nUser ID=\nName=ANNA\n") << false
        << "Camvista v.7.0.3 - Welcome, GC-???????? !"
        << QByteArray("[Camvista]\nUser ID=????????\nName=ANNA\n");
    QTest::newRow("unwritable file without ID")
        << QByteArray("[Camvista]\nName=ANNA\n") << true << "Camvista v.7.0.3 - Welcome, GC- !"
        << QByteArray("[Camvista]\nName=ANNA\n");
    QTest::newRow("garbage file") << QByteArray("\x01\x02\xff[[[\n") << false
                                  << "Camvista v.7.0.3 - Welcome, GC-???????? !"
                                  << QByteArray("\x01\x02\xff[[[\n[Camvista]\nUser ID=????????\n");
}

void TstStartup::settingsAndCaptionAtFirstStart()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, readOnly);
    QFETCH(QString, caption);
    QFETCH(QByteArray, after);
    test::TempAppFolder app;
    const QString ini = app.file("camvista.ini");
    if (!before.isNull())
        app.write("camvista.ini", before);
    if (readOnly)
        QVERIFY(QFile::setPermissions(ini, QFile::ReadOwner));

    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    QCOMPARE(w.objectName(), QString("frmMDI"));
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(readAll(ini), after);
    QVERIFY(desktop.messages.isEmpty()); // start-up reports nothing
}

void TstStartup::shotsFolderCreatedOrLeftAlone()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    {
        MainWindow w(desktop, app.paths());
        QVERIFY(QFileInfo(app.file("VUDavizi Shots")).isDir());
        QCOMPARE(w.browser()->folder(), app.file("VUDavizi Shots"));
    }
    const QString shot = app.write("VUDavizi Shots/shot1.bmp", "keep me");
    const QDateTime stamp = QFileInfo(shot).lastModified();
    MainWindow again(desktop, app.paths());
    QCOMPARE(QDir(app.file("VUDavizi Shots")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"shot1.bmp"});
    QCOMPARE(readAll(shot), QByteArray("keep me"));
    QCOMPARE(QFileInfo(shot).lastModified(), stamp);
}

void TstStartup::resizingRedocksTheBrowser()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    QCOMPARE(w.browser()->objectName(), QString("browser"));
    QVERIFY(!w.browserSubWindow()->isVisible());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QMdiSubWindow *docked = w.browserSubWindow();
    QVERIFY(docked->isVisible());
    QCOMPARE(docked->pos(), QPoint(0, 0));
    QCOMPARE(w.browser()->width(), 161);
    QCOMPARE(docked->height(), dockedHeight(w));

    const QSize sizes[] = {{900, 700}, {500, 400}};
    for (const QSize &size : sizes) {
        docked->move(40, 60);
        docked->hide();
        w.resize(size);
        QTRY_COMPARE(docked->pos(), QPoint(0, 0));
        QVERIFY(docked->isVisible());
        QCOMPARE(docked->height(), dockedHeight(w));
        QCOMPARE(w.browser()->width(), 161);
    }
}

void TstStartup::opensMaximisedAndRestoresCentred()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    const int menuHeight = w.menuBar()->sizeHint().height();
    const QSize opening(640, 341 + menuHeight);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QRect centred(
        QPoint((screen.width() - opening.width()) / 2, (screen.height() - opening.height()) / 2),
        opening);
    // The window with its frame stands in the middle of the screen.
    QCOMPARE(w.pos(), centred.topLeft());
    QCOMPARE(w.size(), opening);

    w.showAtStart();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.isMaximized());
    QTRY_COMPARE(w.frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
    QCOMPARE(w.normalGeometry().size(), opening);
    // The browser is docked at its full height in the large window.
    QTRY_COMPARE(w.browserSubWindow()->height(), dockedHeight(w));
    QVERIFY(w.browserSubWindow()->isVisible());

    w.showNormal();
    QTRY_VERIFY(!w.isMaximized());
    QTRY_COMPARE(w.pos(), centred.topLeft());
    QCOMPARE(w.size(), opening);
    QTRY_COMPARE(w.browserSubWindow()->height(), dockedHeight(w));
}

void TstStartup::theMoonShowsAtTheOpeningSize()
{
    const QImage photo = data::backgroundPhotograph().convertToFormat(QImage::Format_RGB32);
    const QRect moon = data::backgroundMoonBounds();
    // The bounds hold the moon: its bright crescent lies inside them.
    int bright = 0;
    for (int y = moon.top(); y <= moon.bottom(); ++y)
        for (int x = moon.left(); x <= moon.right(); ++x)
            bright += qGray(photo.pixel(x, y)) > 180 ? 1 : 0;
    QVERIFY2(bright >= 40, qPrintable(QString::number(bright)));

    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size().width(), 640);
    QWidget *viewport = w.workspace()->viewport();
    QTRY_VERIFY(w.browserSubWindow()->isVisible());
    // Wholly in view, clear of the browser and of an editor beside it, and drawn as it is in
    // the photograph.
    QMdiSubWindow *editor = w.addEditor(new EditorWindow(desktop, app.paths()));
    QVERIFY(viewport->rect().contains(moon));
    QVERIFY(!w.browserSubWindow()->geometry().intersects(moon));
    QVERIFY(!editor->geometry().intersects(moon));
    const QImage shown = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.copy(moon), photo.copy(moon));
}

void TstStartup::aNewEditorIsActiveAtOnce_data()
{
    QTest::addColumn<bool>("external"); // "Load external...", else a double click in the list
    QTest::newRow("from the list") << false;
    QTest::newRow("Load external...") << true;
}

void TstStartup::aNewEditorIsActiveAtOnce()
{
    QFETCH(bool, external);
    test::TempAppFolder app;
    QVERIFY(QDir().mkpath(app.file("VUDavizi Shots")));
    QImage shot(160, 144, QImage::Format_RGB32);
    shot.fill(Qt::gray);
    const QString path = app.file("VUDavizi Shots/shot1.bmp");
    QVERIFY(shot.save(path));

    FakeDesktop desktop;
    desktop.openFiles.push_back(path);
    MainWindow w(desktop, app.paths());
    w.resize(1100, 800);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    BrowserWindow *browser = w.browser();
    FileList *list = browser->file1();
    auto *load = browser->findChild<QPushButton *>("Command3");
    QVERIFY(load);

    if (external) {
        // The open dialog has the focus while the user chooses; the editor opens as it closes,
        // before this window has the focus back.
        load->setFocus();
        QWidget dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        load->click();
        dialog.hide();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    } else {
        QVERIFY(list->selectFile("shot1.bmp"));
        list->setFocus();
        const QPoint at = list->visualItemRect(list->currentItem()).center();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }
    const QList<EditorWindow *> editors = w.findChildren<EditorWindow *>();
    QCOMPARE(editors.size(), 1);
    QTest::qWait(50); // whatever focus and activation events were queued
    QMdiSubWindow *active = w.workspace()->activeSubWindow();
    QVERIFY(active);
    QCOMPARE(active->widget(), editors.front());
    // Its menu entries stand in the menu bar without a click.
    QStringList inMenu;
    for (QAction *a : w.menuBar()->actions())
        inMenu << a->objectName();
    QVERIFY(inMenu.contains("savecopy"));
    QVERIFY(inMenu.contains("reload"));
}

void TstStartup::toolbarButtonsInOrder()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    QToolBar *bar = w.findChild<QToolBar *>("Toolbar1");
    QVERIFY(bar);
    QCOMPARE(bar->iconSize(), QSize(48, 48));
    const QStringList keys = {"Mosaik",
                              "Panorama",
                              "Wild Wild Frames",
                              "DuduRed Idarer",
                              "NBU",
                              "Extract shots from a .sav file with VUDaviziDump",
                              "MC",
                              "frgbc"};
    const QStringList tips = {"MosaiK Editor",
                              "Panorama Maker",
                              "Wild Wild Frames!",
                              "DuduRed Idarer - Convert pictures to GBCam ones!",
                              "Set your User ID!",
                              "Extract shots from a .sav file with VUDaviziDump",
                              "Transfer your shots using the MadCatz Camera Link",
                              "Join the Game Boy Camera Community on Flickr!"};
    const QList<QAction *> actions = bar->actions();
    QCOMPARE(actions.size(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(actions[i]->data().toString(), keys[i]);
        QCOMPARE(actions[i]->toolTip(), tips[i]);
        QVERIFY(!actions[i]->icon().isNull());
    }
}

void TstStartup::toolbarCommands_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("program"); // relative to the application folder
    QTest::addColumn<QString>("address");
    QTest::newRow("dump") << "Extract shots from a .sav file with VUDaviziDump"
                          << "VUDaviziDump/VUDaviziDump.exe"
                          << "";
    QTest::newRow("camera link") << "MC"
                                 << "MCCL/cls.exe"
                                 << "";
    QTest::newRow("community") << "frgbc"
                               << "" << kCommunityPage;
    QTest::newRow("case matters") << "mc"
                                  << ""
                                  << "";
    QTest::newRow("unknown key") << "Nothing"
                                 << ""
                                 << "";
}

void TstStartup::toolbarCommands()
{
    QFETCH(QString, key);
    QFETCH(QString, program);
    QFETCH(QString, address);
    test::TempAppFolder app;
    FakeDesktop desktop;
    desktop.servicesSucceed = false; // a missing program changes nothing and says nothing
    MainWindow w(desktop, app.paths());
    if (QAction *action = w.toolbarAction(key))
        action->trigger();
    else
        w.Toolbar1_ButtonClick(key);
    if (program.isEmpty()) {
        QVERIFY(desktop.startedPrograms.isEmpty());
    } else {
        QCOMPARE(desktop.startedPrograms.size(), 1);
        QCOMPARE(desktop.startedPrograms[0].first, app.file(program));
        QVERIFY(desktop.startedPrograms[0].second == Desktop::WindowStyle::Minimized);
    }
    QCOMPARE(desktop.openedAddresses, address.isEmpty() ? QStringList() : QStringList{address});
    QVERIFY(desktop.messages.isEmpty());
    QCOMPARE(w.workspace()->subWindowList().size(), 1); // only the browser
}

void TstStartup::menuBar()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAction *about = menuEntry(w, "about");
    QAction *divider = menuEntry(w, "t");
    QAction *quit = menuEntry(w, "quitf");
    QVERIFY(about && divider && quit);
    QCOMPARE(about->text(), QString("&About..."));
    QCOMPARE(divider->text(), QString("|"));
    QVERIFY(!divider->isEnabled());
    QCOMPARE(quit->text(), QString("See &ya!"));

    about->trigger();
    QVERIFY(w.findChild<QWidget *>("frmabout"));
    w.toolbarAction("NBU")->trigger();
    QVERIFY(w.findChild<QWidget *>("setmyid"));
    // Shown again: brought to the front, not opened twice.
    about->trigger();
    QCOMPARE(w.workspace()->subWindowList().size(), 3);
    QCOMPARE(w.workspace()->activeSubWindow()->widget()->objectName(), QString("frmabout"));

    quit->trigger();
    QVERIFY(!w.isVisible());
}

void TstStartup::editorMenusFollowTheActiveEditor()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *first = new EditorWindow(desktop, app.paths());
    auto *second = new EditorWindow(desktop, app.paths());
    QMdiSubWindow *firstWindow = w.addEditor(first);
    QMdiSubWindow *secondWindow = w.addEditor(second);
    QCOMPARE(firstWindow->pos(), QPoint(161, 0));
    QCOMPARE(firstWindow->size(), EditorWindow::kOpenSize);
    // A fixed border: the user cannot resize it.
    QCOMPARE(firstWindow->minimumSize(), EditorWindow::kOpenSize);
    QCOMPARE(firstWindow->maximumSize(), EditorWindow::kOpenSize);

    const auto entriesOf = [&w] {
        QList<QAction *> found;
        for (QAction *a : w.menuBar()->actions())
            if (qobject_cast<EditorWindow *>(a->parent()))
                found.append(a);
        return found;
    };
    w.workspace()->setActiveSubWindow(firstWindow);
    QCOMPARE(entriesOf(), first->menuActions());
    w.workspace()->setActiveSubWindow(secondWindow);
    QCOMPARE(entriesOf(), second->menuActions());
    QStringList names;
    for (QAction *a : entriesOf())
        names << a->objectName();
    QCOMPARE(names, (QStringList{"save", "savcopy", "savecopy", "reload"}));
    // The entries act on their own editor: reload restores that editor's saved state only.
    QImage held(4, 4, QImage::Format_RGB32);
    held.fill(Qt::gray);
    second->picture3()->setPicture(held);
    second->reloadAction()->trigger();
    QCOMPARE(second->picture1()->picture(), held);
    QVERIFY(first->picture1()->picture().isNull());

    w.showAboutWindow();
    QVERIFY(entriesOf().isEmpty());
    secondWindow->close();
    w.workspace()->setActiveSubWindow(firstWindow);
    QCOMPARE(entriesOf(), first->menuActions());
}

void TstStartup::openBrowserPrefixesAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");
    QTest::newRow("no scheme") << "www.example.org"
                               << "http://www.example.org";
    QTest::newRow("http") << "http://a.org"
                          << "http://a.org";
    QTest::newRow("HTTPS") << "HTTPS://a.org"
                           << "HTTPS://a.org";
    QTest::newRow("mixed capitals") << "hTtP://a.org"
                                    << "hTtP://a.org";
    QTest::newRow("http later in the text") << "a.org/http"
                                            << "http://a.org/http";
    QTest::newRow("empty") << ""
                           << "http://";
}

void TstStartup::openBrowserPrefixesAddresses()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);
    FakeDesktop desktop;
    QVERIFY(OpenBrowser(desktop, address));
    desktop.servicesSucceed = false;
    QVERIFY(!OpenBrowser(desktop, address));
    QCOMPARE(desktop.openedAddresses, (QStringList{opened, opened}));
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
