#include "tool_test_support.h"

#include "tools/mosaic_window.h"
#include "ui/drop_square.h"
#include "ui/picture_surface.h"

#include <QLineEdit>
#include <QSignalSpy>

using namespace camvista;
using namespace camvista::test;

class TstShotDragging : public QObject
{
    Q_OBJECT

private slots:
    void pressingAndMovingOnTheListStartsADrag();
    void dropsTellWhatTheyBring_data();
    void dropsTellWhatTheyBring();
    void squaresTakeOnlyShotDrags();
    void fileManagerDropsUseTheDroppedFile_data();
    void fileManagerDropsUseTheDroppedFile();
};

void TstShotDragging::pressingAndMovingOnTheListStartsADrag()
{
    ShotsFolder f;
    MosaicWindow window(f.desktop, f.app.paths());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    FileList *list = window.frame1()->file1();
    QSignalSpy started(list, &FileList::dragStarted);
    QListWidgetItem *item = list->findItems(QStringLiteral("b.bmp"), Qt::MatchExactly).value(0);
    QVERIFY(item);
    const QPoint from = list->visualItemRect(item).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, from);
    const QPoint to = from + QPoint(QApplication::startDragDistance() + 5, 0);
    // The first move arms the drag, the next one past the drag distance starts it.
    for (const QPoint at : {from + QPoint(1, 0), to}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), list->viewport()->mapToGlobal(at),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &move);
    }
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, to);

    QCOMPARE(started.size(), 1);
    QCOMPARE(started[0][0].toString(), f.shot(QStringLiteral("b.bmp")));
    // The press counts as a click: the dragged file is the selected shot and is previewed.
    QCOMPARE(window.frame1()->selectedShot(), f.shot(QStringLiteral("b.bmp")));
    QCOMPARE(rgb32(window.frame1()->preview()->picture()), f.shotB);
    // What the list drags is a shot drag, which the squares take.
    std::unique_ptr<QMimeData> data(list->dragData());
    QVERIFY(data);
    const std::optional<ShotDrop> drop = shotDropOf(data.get());
    QVERIFY(drop && drop->fromFileList);
    QCOMPARE(data->urls().value(0).toLocalFile(), f.shot(QStringLiteral("b.bmp")));
}

void TstShotDragging::dropsTellWhatTheyBring_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<bool>("fromList");
    QTest::addColumn<QString>("file"); // relative to the shots folder
    QTest::newRow("from the file list") << "list" << true << true << "";
    QTest::newRow("a file from the file manager") << "file" << true << false << "b.bmp";
    QTest::newRow("several files: the first") << "files" << true << false << "a.bmp";
    QTest::newRow("a folder") << "folder" << false << false << "";
    QTest::newRow("a web address") << "web" << false << false << "";
    QTest::newRow("plain text") << "text" << false << false << "";
}

void TstShotDragging::dropsTellWhatTheyBring()
{
    QFETCH(QString, kind);
    QFETCH(bool, taken);
    QFETCH(bool, fromList);
    QFETCH(QString, file);
    ShotsFolder f;
    std::unique_ptr<QMimeData> data;
    if (kind == QLatin1String("list")) {
        data.reset(shotDragData(f.shot(QStringLiteral("a.bmp"))));
    } else {
        data = std::make_unique<QMimeData>();
        if (kind == QLatin1String("file"))
            data->setUrls({QUrl::fromLocalFile(f.shot(QStringLiteral("b.bmp")))});
        else if (kind == QLatin1String("files"))
            data->setUrls({QUrl::fromLocalFile(f.shot(QStringLiteral("a.bmp"))),
                           QUrl::fromLocalFile(f.shot(QStringLiteral("b.bmp")))});
        else if (kind == QLatin1String("folder"))
            data->setUrls({QUrl::fromLocalFile(f.app.paths().shotsFolder())});
        else if (kind == QLatin1String("web"))
            data->setUrls({QUrl(QStringLiteral("https://example.org/a.bmp"))});
        else
            data->setText(f.shot(QStringLiteral("a.bmp")));
    }
    const std::optional<ShotDrop> drop = shotDropOf(data.get());
    QCOMPARE(drop.has_value(), taken);
    if (!drop)
        return;
    QCOMPARE(drop->fromFileList, fromList);
    QCOMPARE(drop->file, file.isEmpty() ? QString() : f.shot(file));
}

void TstShotDragging::squaresTakeOnlyShotDrags()
{
    DropSquare square;
    square.resize(160, 144);
    auto *text = new QMimeData;
    text->setText(QStringLiteral("hello"));
    QVERIFY(!dropOn(&square, text));
    QSignalSpy dropped(&square, &DropSquare::shotDropped);
    QVERIFY(dropOn(&square, shotDragData(QStringLiteral("/x/a.bmp"))));
    QCOMPARE(dropped.size(), 1);
}

void TstShotDragging::fileManagerDropsUseTheDroppedFile_data()
{
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<bool>("placed");
    QTest::newRow("framed shot") << "b.bmp" << true;
    QTest::newRow("unframed shot") << "small.bmp" << false;
    QTest::newRow("not a picture") << "broken.bmp" << false;
    QTest::newRow("missing file") << "gone.bmp" << false;
    // The address a.bmp%00.txt: the NUL must not cut the name down to a shot that exists.
    QTest::newRow("name with a NUL after a shot's name")
        << QStringLiteral("b.bmp") + QChar(0) + QStringLiteral(".txt") << false;
}

void TstShotDragging::fileManagerDropsUseTheDroppedFile()
{
    QFETCH(QString, dropped);
    QFETCH(bool, placed);
    ShotsFolder f;
    MosaicWindow window(f.desktop, f.app.paths());
    window.show();
    // Another shot is selected in the list: the drop still brings its own file.
    clickFile(window.frame1()->file1(), QStringLiteral("a.bmp"));
    QVERIFY(dropOn(window.square(2, 1), fileManagerDrop(f.shot(dropped))));
    if (placed) {
        QCOMPARE(rgb32(window.square(2, 1)->picture()), f.shotB);
        QVERIFY(f.desktop.messages.isEmpty());
    } else {
        QVERIFY(window.square(2, 1)->picture().isNull());
        QCOMPARE(f.desktop.messages.size(), 1);
        QCOMPARE(f.desktop.messages[0].title, QStringLiteral("Bad!"));
    }
    QCOMPARE(window.frame1()->selectedShot(), f.shot(QStringLiteral("a.bmp")));
}

QTEST_MAIN(TstShotDragging)
#include "tst_shot_dragging.moc"
