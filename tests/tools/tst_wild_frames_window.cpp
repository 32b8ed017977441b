#include "tool_test_support.h"

#include "data/wild_frames.h"
#include "tools/wild_frames_window.h"
#include "ui/clickable_label.h"
#include "ui/drop_square.h"
#include "ui/picture_save.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QPainter>

using namespace camvista;
using namespace camvista::test;

namespace
{

const QString kBadText = QStringLiteral("Picture doesn't fit the required size (160x144)");

// The shots folder, and the wild frames written into frames/wild as the build writes them.
struct Fixture : ShotsFolder {
    std::unique_ptr<WildFramesWindow> window;

    Fixture()
    {
        for (const data::WildFrame &frame : data::wildFrames()) {
            savePictureBmp(frame.top, piece(frame.name, 1));
            savePictureBmp(frame.bottom, piece(frame.name, 2));
        }
        window = std::make_unique<WildFramesWindow>(desktop, app.paths());
        window->show();
    }
    QString piece(const QString &name, int n) const
    {
        QDir().mkpath(app.file(QStringLiteral("frames/wild")));
        return app.file(QStringLiteral("frames/wild/%1_%2.bmp").arg(name).arg(n));
    }
    ClickableLabel *thumbnailOf(const QString &baseName) const
    {
        for (int i = 0; i < WildFramesWindow::kThumbnailCount; ++i)
            if (QLatin1String(WildFramesWindow::kFrames[std::size_t(i)].baseName) == baseName)
                return window->thumbnail(i);
        return nullptr;
    }
    void choose(const QString &baseName)
    {
        QTest::mouseClick(thumbnailOf(baseName), Qt::LeftButton);
    }
    void doubleClickFile(const QString &name)
    {
        FileList *list = window->frame1()->file1();
        clickFile(list, name);
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->text() == name)
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                   list->visualItemRect(list->item(row)).center());
    }
    QImage save(const QString &name = QStringLiteral("framed.bmp"))
    {
        const QString path = app.file(QStringLiteral("out/") + name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        desktop.saveFiles.push_back(path);
        window->menuActions().at(0)->trigger();
        return readBack(path);
    }
    // The composition as the file must hold it: top piece, black sides, the picture, bottom.
    static QImage expected(const QImage &top, const QImage &picture, const QImage &bottom)
    {
        QImage out(160, 224, QImage::Format_RGB32);
        out.fill(Qt::black);
        QPainter p(&out);
        p.drawImage(0, 0, top);
        p.drawImage(16, 40, picture);
        p.drawImage(0, 152, bottom);
        return out;
    }
};

} // namespace

class TstWildFramesWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensWithItsStartingState();
    void savingFirstWritesTheBuiltInFrameAndPicture();
    void placingAShotShowsItsInnerPicture_data();
    void placingAShotShowsItsInnerPicture();
    void whatIsNoFramedShotIsRefused_data();
    void whatIsNoFramedShotIsRefused();
    void everyThumbnailLaysItsFrame_data();
    void everyThumbnailLaysItsFrame();
    void aPieceThatCannotBeReadKeepsTheFrame_data();
    void aPieceThatCannotBeReadKeepsTheFrame();
    void piecesOfAnotherSizeAreClipped_data();
    void piecesOfAnotherSizeAreClipped();
    void savingCommitsAndTellsOfFailures();
    void savesAsBmpOrPng_data();
    void savesAsBmpOrPng();
    void opensCentredHigh_data();
    void opensCentredHigh();
};

void TstWildFramesWindow::opensWithItsStartingState()
{
    Fixture f;
    WildFramesWindow *w = f.window.get();
    QCOMPARE(w->objectName(), QStringLiteral("frmWFrames"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Wild Wild Frames! Tool"));
    QCOMPARE(w->size(), QSize(369, 481));
    QCOMPARE(w->frame1()->title(), QStringLiteral("DblClick or drag your shot:"));
    QCOMPARE(w->frame1()->geometry(), QRect(8, 8, 177, 465));
    QCOMPARE(w->frame1()->preview()->geometry(), QRect(8, 160, 160, 144));
    QCOMPARE(w->frame1()->file1()->pattern(), QStringLiteral("*.bmp"));
    QCOMPARE(w->frame1()->file1()->path(), QDir::cleanPath(f.app.paths().shotsFolder()));
    QCOMPARE(w->composition()->geometry(), QRect(200, 8, 160, 224));
    QCOMPARE(w->topPiece()->geometry(), QRect(0, 0, 160, 40));
    QCOMPARE(w->picture2()->geometry(), QRect(16, 40, 128, 112));
    QCOMPARE(w->bottomPiece()->geometry(), QRect(0, 152, 160, 72));
    QCOMPARE(w->topPiece()->picture(), data::defaultWildTop());
    QCOMPARE(w->bottomPiece()->picture(), data::defaultWildBottom());
    QCOMPARE(w->picture2()->picture(), data::defaultWildPicture());
    QCOMPARE(w->menuActions().size(), 1);
    QCOMPARE(w->menuActions().at(0)->objectName(), QStringLiteral("savewf"));
    QCOMPARE(w->menuActions().at(0)->text(), QStringLiteral("Save framed picture"));
    // The thumbnails in their order, 24 pixels apart, without an Image9.
    const QList<data::WildFrame> frames = data::wildFrames();
    QStringList names;
    for (int i = 0; i < WildFramesWindow::kThumbnailCount; ++i) {
        ClickableLabel *image = w->thumbnail(i);
        names << image->objectName();
        QCOMPARE(image->geometry(), QRect(200, 240 + 24 * i, 160, 16));
        QCOMPARE(image->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 frames[i].thumbnail);
    }
    QCOMPARE(names, QStringList({"Image1", "Image2", "Image3", "Image5", "Image4", "Image6",
                                 "Image7", "Image8", "Image11", "Image10"}));
    QVERIFY(!w->findChild<QWidget *>(QStringLiteral("Image9")));
}

void TstWildFramesWindow::savingFirstWritesTheBuiltInFrameAndPicture()
{
    Fixture f;
    const QImage saved = f.save();
    QCOMPARE(saved, Fixture::expected(data::defaultWildTop(), data::defaultWildPicture(),
                                      data::defaultWildBottom()));
}

void TstWildFramesWindow::placingAShotShowsItsInnerPicture_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("double click in the list") << "double click";
    QTest::newRow("drag from the list") << "drag";
    QTest::newRow("file dropped from the file manager") << "file manager";
}

void TstWildFramesWindow::placingAShotShowsItsInnerPicture()
{
    QFETCH(QString, how);
    Fixture f;
    f.choose(QStringLiteral("clef"));
    if (how == QLatin1String("double click")) {
        f.doubleClickFile(QStringLiteral("a.bmp"));
    } else if (how == QLatin1String("drag")) {
        clickFile(f.window->frame1()->file1(), QStringLiteral("a.bmp"));
        QVERIFY(dragFromList(f.window->frame1(), f.window->picture2()));
    } else {
        QVERIFY(dropOn(f.window->picture2(), fileManagerDrop(f.shot(QStringLiteral("a.bmp")))));
    }
    QVERIFY(f.desktop.messages.isEmpty());
    const QImage inner = f.shotA.copy(16, 16, 128, 112);
    QCOMPARE(rgb32(f.window->picture2()->picture()), inner);
    const data::WildFrame clef = data::wildFrames().at(6);
    QCOMPARE(f.save(), Fixture::expected(clef.top, inner, clef.bottom));
    // Another frame keeps the shot; another shot keeps the frame.
    f.choose(QStringLiteral("zelda"));
    QCOMPARE(rgb32(f.window->picture2()->picture()), inner);
    QVERIFY(dropOn(f.window->picture2(), fileManagerDrop(f.shot(QStringLiteral("b.bmp")))));
    const data::WildFrame zelda = data::wildFrames().at(7);
    QCOMPARE(f.save(), Fixture::expected(zelda.top, f.shotB.copy(16, 16, 128, 112), zelda.bottom));
}

void TstWildFramesWindow::whatIsNoFramedShotIsRefused_data()
{
    QTest::addColumn<QString>("file"); // empty: nothing selected
    QTest::addColumn<bool>("fromFileManager");
    QTest::newRow("an unframed 128 x 112 shot") << "small.bmp" << false;
    QTest::newRow("a file that is no picture") << "broken.bmp" << false;
    QTest::newRow("nothing selected") << QString() << false;
    QTest::newRow("an unframed shot from the file manager") << "small.bmp" << true;
}

void TstWildFramesWindow::whatIsNoFramedShotIsRefused()
{
    QFETCH(QString, file);
    QFETCH(bool, fromFileManager);
    Fixture f;
    if (fromFileManager)
        QVERIFY(dropOn(f.window->picture2(), fileManagerDrop(f.shot(file))));
    else if (file.isEmpty())
        f.window->placeShot(ShotDrop{true, {}});
    else
        f.doubleClickFile(file);
    QCOMPARE(f.desktop.messages.size(), 1);
    QCOMPARE(f.desktop.messages[0].text, kBadText);
    QCOMPARE(f.desktop.messages[0].title, QStringLiteral("Bad!"));
    QCOMPARE(f.desktop.messages[0].icon, Desktop::Icon::Exclamation);
    QCOMPARE(f.window->picture2()->picture(), data::defaultWildPicture());
}

void TstWildFramesWindow::everyThumbnailLaysItsFrame_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < WildFramesWindow::kThumbnailCount; ++i)
        QTest::newRow(WildFramesWindow::kFrames[std::size_t(i)].image) << i;
}

void TstWildFramesWindow::everyThumbnailLaysItsFrame()
{
    QFETCH(int, index);
    Fixture f;
    QTest::mouseClick(f.window->thumbnail(index), Qt::LeftButton);
    const data::WildFrame frame = data::wildFrames().at(index);
    QCOMPARE(QLatin1String(WildFramesWindow::kFrames[std::size_t(index)].baseName), frame.name);
    QCOMPARE(rgb32(f.window->topPiece()->picture()), frame.top);
    QCOMPARE(rgb32(f.window->bottomPiece()->picture()), frame.bottom);
    // Read anew at each click: a changed file shows the next time.
    QImage changed = frame.top;
    changed.fill(qRgb(128, 128, 128));
    savePictureBmp(changed, f.piece(frame.name, 1));
    QTest::mouseClick(f.window->thumbnail(index), Qt::LeftButton);
    QCOMPARE(rgb32(f.window->topPiece()->picture()), changed);
    QCOMPARE(f.save().size(), QSize(160, 224));
}

void TstWildFramesWindow::aPieceThatCannotBeReadKeepsTheFrame_data()
{
    QTest::addColumn<int>("piece");
    QTest::addColumn<QByteArray>("content"); // empty: the file is removed
    QTest::newRow("top piece missing") << 1 << QByteArray();
    QTest::newRow("bottom piece missing") << 2 << QByteArray();
    QTest::newRow("bottom piece is no picture") << 2 << QByteArray("BM and nothing else");
}

void TstWildFramesWindow::aPieceThatCannotBeReadKeepsTheFrame()
{
    QFETCH(int, piece);
    QFETCH(QByteArray, content);
    Fixture f;
    f.choose(QStringLiteral("red"));
    const QImage top = f.window->topPiece()->picture();
    const QImage bottom = f.window->bottomPiece()->picture();
    const QString path = f.piece(QStringLiteral("wario"), piece);
    QFile::remove(path);
    if (!content.isEmpty())
        f.app.write(QStringLiteral("frames/wild/wario_%1.bmp").arg(piece), content);
    f.choose(QStringLiteral("wario"));
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY(f.desktop.messages[0].text.contains(QFileInfo(path).fileName()));
    QCOMPARE(f.window->topPiece()->picture(), top);
    QCOMPARE(f.window->bottomPiece()->picture(), bottom);
}

void TstWildFramesWindow::piecesOfAnotherSizeAreClipped_data()
{
    QTest::addColumn<QSize>("topSize");
    QTest::addColumn<QSize>("bottomSize");
    QTest::newRow("smaller pieces") << QSize(100, 20) << QSize(60, 50);
    QTest::newRow("larger pieces") << QSize(200, 90) << QSize(300, 100);
    QTest::newRow("a framed shot as the top piece") << QSize(160, 144) << QSize(160, 72);
}

void TstWildFramesWindow::piecesOfAnotherSizeAreClipped()
{
    QFETCH(QSize, topSize);
    QFETCH(QSize, bottomSize);
    Fixture f;
    const QImage top = fourShadeShot(topSize.width(), topSize.height(), 5);
    const QImage bottom = fourShadeShot(bottomSize.width(), bottomSize.height(), 6);
    savePictureBmp(top, f.piece(QStringLiteral("myosh"), 1));
    savePictureBmp(bottom, f.piece(QStringLiteral("myosh"), 2));
    f.choose(QStringLiteral("myosh"));
    const QImage saved = f.save();
    QCOMPARE(saved.size(), QSize(160, 224));
    // Drawn from their corners, clipped at their places; what they do not cover is black.
    QImage clippedTop(160, 40, QImage::Format_RGB32);
    clippedTop.fill(Qt::black);
    QPainter(&clippedTop).drawImage(0, 0, top);
    QImage clippedBottom(160, 72, QImage::Format_RGB32);
    clippedBottom.fill(Qt::black);
    QPainter(&clippedBottom).drawImage(0, 0, bottom);
    QCOMPARE(saved, Fixture::expected(clippedTop, data::defaultWildPicture(), clippedBottom));
}

void TstWildFramesWindow::savingCommitsAndTellsOfFailures()
{
    Fixture f;
    f.choose(QStringLiteral("tortank"));
    // A save puts the framed picture on the clipboard and in Picture7.
    const QImage saved = f.save();
    QCOMPARE(rgb32(f.desktop.clipboard), saved);
    QCOMPARE(rgb32(f.window->picture7()->picture()), saved);
    QVERIFY(f.desktop.fileDialogs.last().filter.startsWith(QStringLiteral("BMP Picture (*.bmp)")));

    // Cancelling writes nothing and says nothing.
    const int dialogs = int(f.desktop.fileDialogs.size());
    f.desktop.saveFiles.push_back(std::nullopt);
    f.window->menuActions().at(0)->trigger();
    QCOMPARE(int(f.desktop.fileDialogs.size()), dialogs + 1);
    QVERIFY(f.desktop.messages.isEmpty());

    // A folder that is not there: told, and nothing is written.
    const QString nowhere = f.app.file(QStringLiteral("gone/framed.bmp"));
    f.desktop.saveFiles.push_back(nowhere);
    f.window->menuActions().at(0)->trigger();
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY(f.desktop.messages[0].text.contains(QStringLiteral("framed.bmp")));
    QVERIFY(!QFileInfo::exists(nowhere));
}

void TstWildFramesWindow::savesAsBmpOrPng_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filter"); // empty: the dialog's default
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("format");
    QTest::newRow("default filter") << "framed" << QString() << "framed.bmp"
                                    << "bmp";
    QTest::newRow("PNG filter") << "framed" << kPngSaveFilter << "framed.png"
                                << "png";
    QTest::newRow("a .png name") << "framed.png" << kPngSaveFilter << "framed.png"
                                 << "png";
}

void TstWildFramesWindow::savesAsBmpOrPng()
{
    QFETCH(QString, name);
    QFETCH(QString, filter);
    QFETCH(QString, file);
    QFETCH(QString, format);
    Fixture f;
    f.choose(QStringLiteral("yosh"));
    QVERIFY(dropOn(f.window->picture2(), fileManagerDrop(f.shot(QStringLiteral("b.bmp")))));
    QDir().mkpath(f.app.file(QStringLiteral("out")));
    f.desktop.saveFiles.push_back(f.app.file(QStringLiteral("out/") + name));
    if (!filter.isEmpty())
        f.desktop.saveFilters.push_back(filter);
    f.window->menuActions().at(0)->trigger();
    const QString written = f.app.file(QStringLiteral("out/") + file);
    QCOMPARE(fileFormatOf(written), format);
    const data::WildFrame yosh = data::wildFrames().at(3);
    QCOMPARE(readBack(written),
             Fixture::expected(yosh.top, f.shotB.copy(16, 16, 128, 112), yosh.bottom));
}

void TstWildFramesWindow::opensCentredHigh_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("1280 x 1024") << QSize(1280, 1024) << QSize(377, 509) << QPoint(451, 124);
    QTest::newRow("1024 x 768") << QSize(1024, 768) << QSize(377, 509) << QPoint(323, 0);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize(377, 509) << QPoint(771, 152);
}

void TstWildFramesWindow::opensCentredHigh()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(QPoint, place);
    QCOMPARE(WildFramesWindow::openPosition(screen, window), place);
}

QTEST_MAIN(TstWildFramesWindow)
#include "tst_wild_frames_window.moc"
