#include "browser_test_support.h"

#include "browser/drive_list.h"
#include "ui/folder_list.h"

#include <QStorageInfo>

using namespace camvista;
using namespace camvista::test;

namespace
{

// Double-clicks a folder of the folder list as the user would.
void doubleClickFolder(FolderList *list, const QString &folder)
{
    QTreeWidgetItem *item = list->itemFor(folder);
    QVERIFY2(item, qPrintable(folder));
    list->scrollToItem(item);
    doubleClickAt(list->viewport(), list->visualItemRect(item).center());
}

QStringList childTexts(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts.append(item->child(i)->text(0));
    return texts;
}

} // namespace

class TstBrowserLists : public QObject
{
    Q_OBJECT

private slots:
    void patternListsOnlyShotFiles_data();
    void patternListsOnlyShotFiles();
    void filesAreSortedWithoutRegardToCase();
    void folderListShowsAncestorsAndSubfolders();
    void choosingAFolderMovesTheFileList();
    void choosingADriveMovesBothLists();
    void unreadableFoldersLeaveTheListsAlone();
};

void TstBrowserLists::patternListsOnlyShotFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::newRow("upper-case bmp") << "SHOT.BMP" << true;
    QTest::newRow("jpg") << "a.jpg" << true;
    QTest::newRow("mixed-case jpeg") << "b.jPeG" << true;
    QTest::newRow("png") << "c.Png" << true;
    QTest::newRow("gif") << "d.gif" << true;
    QTest::newRow("space in the name") << "my shot.bmp" << true;
    QTest::newRow("text") << "notes.txt" << false;
    QTest::newRow("backup of a bmp") << "shot.bmp.bak" << false;
    QTest::newRow("tiff") << "scan.tiff" << false;
    QTest::newRow("extension only in the name") << "bmp" << false;
    QTest::newRow("jpe") << "old.jpe" << false;
    QTest::newRow("hidden") << ".secret.png" << false;
}

void TstBrowserLists::patternListsOnlyShotFiles()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    BrowserFixture f;
    f.addFile(name, QByteArray("x"));
    // A folder with a picture's name is never a file to open.
    QDir(f.shots).mkdir(QStringLiteral("folder.png"));
    f.browser->file1()->refresh();
    QCOMPARE(f.browser->file1()->fileNames(), listed ? QStringList{name} : QStringList());
}

void TstBrowserLists::filesAreSortedWithoutRegardToCase()
{
    BrowserFixture f;
    for (const char *name : {"b.png", "A.bmp", "c.GIF", "a2.jpg", "B1.jpeg", "_x.bmp", "10.gif"})
        f.addFile(QString::fromLatin1(name), QByteArray("x"));
    QCOMPARE(f.browser->file1()->fileNames(),
             (QStringList{"10.gif", "_x.bmp", "A.bmp", "a2.jpg", "b.png", "B1.jpeg", "c.GIF"}));
}

void TstBrowserLists::folderListShowsAncestorsAndSubfolders()
{
    BrowserFixture f;
    for (const char *name : {"Zeta", "alpha", "Beta", ".cache"})
        QVERIFY(QDir(f.shots).mkdir(QString::fromLatin1(name)));
    f.addFile(QStringLiteral("not a folder.bmp"), QByteArray("x"));
    FolderList *dir1 = f.browser->dir1();
    dir1->refresh();

    // One open folder per level from the root down, the current one selected.
    QCOMPARE(dir1->topLevelItemCount(), 1);
    QTreeWidgetItem *item = dir1->topLevelItem(0);
    QCOMPARE(item->text(0), QStringLiteral("/"));
    for (const QString &part : f.shots.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QVERIFY(item->childCount() >= 1);
        item = item->child(0);
        QCOMPARE(item->text(0), part);
    }
    QCOMPARE(FolderList::folderOf(item), f.shots);
    QCOMPARE(dir1->currentItem(), item);
    QCOMPARE(childTexts(item), (QStringList{"alpha", "Beta", "Zeta"}));
    QCOMPARE(FolderList::folderOf(item->child(1)), f.shots + QStringLiteral("/Beta"));
}

void TstBrowserLists::choosingAFolderMovesTheFileList()
{
    BrowserFixture f;
    const QString alpha = f.shots + QStringLiteral("/alpha");
    QVERIFY(QDir().mkpath(alpha));
    f.app.write(QStringLiteral("VUDavizi Shots/alpha/inner.bmp"), "x");
    f.addFile(QStringLiteral("top.png"), "x");
    f.browser->dir1()->refresh();
    FileList *file1 = f.browser->file1();
    QCOMPARE(file1->fileNames(), QStringList{QStringLiteral("top.png")});

    // A single click only points at the folder.
    QTreeWidgetItem *item = f.browser->dir1()->itemFor(alpha);
    QVERIFY(item);
    QTest::mouseClick(f.browser->dir1()->viewport(), Qt::LeftButton, {},
                      f.browser->dir1()->visualItemRect(item).center());
    QCOMPARE(file1->path(), f.shots);

    doubleClickFolder(f.browser->dir1(), alpha);
    QCOMPARE(f.browser->folder(), alpha);
    QCOMPARE(file1->path(), alpha);
    QCOMPARE(file1->fileNames(), QStringList{QStringLiteral("inner.bmp")});

    // Back up through an ancestor.
    doubleClickFolder(f.browser->dir1(), f.shots);
    QCOMPARE(f.browser->folder(), f.shots);
    QCOMPARE(file1->fileNames(), QStringList{QStringLiteral("top.png")});

    // Enter chooses too.
    f.browser->dir1()->setCurrentItem(f.browser->dir1()->itemFor(alpha));
    QTest::keyClick(f.browser->dir1(), Qt::Key_Return);
    QCOMPARE(file1->path(), alpha);
}

void TstBrowserLists::choosingADriveMovesBothLists()
{
    BrowserFixture f;
    DriveList *drive1 = f.browser->drive1();
    QVERIFY(drive1->count() >= 1);
    QCOMPARE(drive1->itemData(0).toString(), QStringLiteral("/"));
    QVERIFY(drive1->itemText(0).startsWith(QLatin1Char('/')));
    // The drive shown is the one that holds the folder.
    QCOMPARE(drive1->drive(), QStorageInfo(f.shots).rootPath());

    drive1->setCurrentIndex(0);
    emit drive1->activated(0);

    QCOMPARE(f.browser->folder(), QStringLiteral("/"));
    QCOMPARE(f.browser->file1()->path(), QStringLiteral("/"));
    QCOMPARE(drive1->drive(), QStringLiteral("/"));
    QTreeWidgetItem *current = f.browser->dir1()->currentItem();
    QVERIFY(current);
    QCOMPARE(FolderList::folderOf(current), QStringLiteral("/"));
    QVERIFY(current->childCount() > 0); // the root has folders
}

void TstBrowserLists::unreadableFoldersLeaveTheListsAlone()
{
    BrowserFixture f;
    const QString gone = f.shots + QStringLiteral("/gone");
    QVERIFY(QDir().mkpath(gone));
    f.addFile(QStringLiteral("keep.bmp"), "x");
    f.browser->dir1()->refresh();

    f.browser->setFolder(f.app.file(QStringLiteral("no such folder")));
    QCOMPARE(f.browser->folder(), f.shots);
    QCOMPARE(f.browser->file1()->fileNames(), QStringList{QStringLiteral("keep.bmp")});

    // A folder that vanished after it was listed.
    QVERIFY(QDir(gone).removeRecursively());
    doubleClickFolder(f.browser->dir1(), gone);
    QCOMPARE(f.browser->folder(), f.shots);
    QCOMPARE(f.browser->file1()->path(), f.shots);
    QCOMPARE(f.browser->file1()->fileNames(), QStringList{QStringLiteral("keep.bmp")});
}

QTEST_MAIN(TstBrowserLists)
#include "tst_browser_lists.moc"
