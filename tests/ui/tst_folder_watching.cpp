#include "ui/file_list.h"
#include "ui/folder_list.h"
#include "ui/folder_watcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace camvista;

namespace
{

// Generous: the lists follow within a second; a loaded machine may take longer to tell them.
constexpr int kWaitMs = 10000;

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("x");
}

QStringList subfolderNames(const FolderList &list)
{
    QStringList names;
    const QTreeWidgetItem *current = list.itemFor(list.path());
    for (int i = 0; current && i < current->childCount(); ++i)
        names << current->child(i)->text(0);
    return names;
}

} // namespace

class TstFolderWatching : public QObject
{
    Q_OBJECT

private slots:
    void fileListFollowsItsFolder_data();
    void fileListFollowsItsFolder();
    void folderListFollowsItsSubfolders();
    void aFolderThatGoesGivesWayToTheOneAbove();
    void aBurstGivesOneUpdate();
};

void TstFolderWatching::fileListFollowsItsFolder_data()
{
    QTest::addColumn<QString>("change"); // written, removed, renamed
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("selected");
    QTest::newRow("a file appears")
        << "written" << QStringList{"a.bmp", "b.bmp", "new.bmp"} << "b.bmp";
    QTest::newRow("the selected file vanishes") << "removed" << QStringList{"a.bmp"} << "";
    QTest::newRow("the selected file is renamed")
        << "renamed" << QStringList{"a.bmp", "z.bmp"} << "";
}

void TstFolderWatching::fileListFollowsItsFolder()
{
    QFETCH(QString, change);
    QFETCH(QStringList, listed);
    QFETCH(QString, selected);
    QTemporaryDir dir;
    touch(dir.filePath("a.bmp"));
    touch(dir.filePath("b.bmp"));
    touch(dir.filePath("notes.txt"));
    FileList list;
    list.setPattern(QStringLiteral("*.bmp"));
    list.setPath(dir.path());
    QVERIFY(list.selectFile(QStringLiteral("b.bmp")));

    if (change == "written")
        touch(dir.filePath("new.bmp"));
    else if (change == "removed")
        QVERIFY(QFile::remove(dir.filePath("b.bmp")));
    else
        QVERIFY(QFile::rename(dir.filePath("b.bmp"), dir.filePath("z.bmp")));
    QTRY_COMPARE_WITH_TIMEOUT(list.fileNames(), listed, kWaitMs);
    QCOMPARE(list.fileName(), selected);
}

void TstFolderWatching::folderListFollowsItsSubfolders()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("old"));
    QVERIFY(QDir(dir.path()).mkdir("kept"));
    FolderList list;
    QVERIFY(list.setPath(dir.path()));
    // The user picked a folder without opening it: it stays picked.
    list.setCurrentItem(list.itemFor(dir.filePath("kept")));

    QVERIFY(QDir(dir.path()).mkdir("fresh"));
    QVERIFY(QDir(dir.path()).rename("old", "renamed"));
    QTRY_COMPARE_WITH_TIMEOUT(subfolderNames(list), (QStringList{"fresh", "kept", "renamed"}),
                              kWaitMs);
    QCOMPARE(FolderList::folderOf(list.currentItem()), dir.filePath("kept"));
    QCOMPARE(list.path(), QDir::cleanPath(dir.path()));
}

void TstFolderWatching::aFolderThatGoesGivesWayToTheOneAbove()
{
    QTemporaryDir dir;
    const QString deep = dir.filePath("shots/2024");
    QVERIFY(QDir().mkpath(deep));
    touch(deep + "/a.bmp");
    FolderList folders;
    FileList files;
    QObject::connect(&folders, &FolderList::changed, &files, &FileList::setPath);
    QVERIFY(folders.setPath(deep));
    QCOMPARE(files.fileNames(), QStringList{"a.bmp"});

    QVERIFY(QDir(dir.filePath("shots")).removeRecursively());
    QTRY_COMPARE_WITH_TIMEOUT(folders.path(), QDir::cleanPath(dir.path()), kWaitMs);
    QCOMPARE(files.path(), folders.path());
    QVERIFY(files.fileNames().isEmpty());

    // The new current folder is watched in turn.
    QVERIFY(QDir(dir.path()).mkdir("later"));
    QTRY_COMPARE_WITH_TIMEOUT(subfolderNames(folders), QStringList{"later"}, kWaitMs);
}

void TstFolderWatching::aBurstGivesOneUpdate()
{
    QTemporaryDir dir;
    FileList list;
    list.setPath(dir.path());
    QSignalSpy refills(list.model(), &QAbstractItemModel::modelReset);
    // Written without the event loop running: every change is waiting when the list looks.
    for (int i = 0; i < 30; ++i)
        touch(dir.filePath(QStringLiteral("shot%1.bmp").arg(i, 2, 10, QLatin1Char('0'))));
    QTRY_COMPARE_WITH_TIMEOUT(list.fileNames().size(), 30, kWaitMs);
    QTest::qWait(2 * FolderWatcher::kSettleMs); // a second update would come by now
    QCOMPARE(refills.count(), 1);
}

QTEST_MAIN(TstFolderWatching)
#include "tst_folder_watching.moc"
