#include "dump/dump_window.h"

#include "camera/save_writer.h"
#include "data/frame_pictures.h"
#include "dump/dump_frames.h"
#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"
#include "platform/fake_desktop.h"
#include "platform/profile_file.h"
#include "support/temp_app_folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace camvista;
using namespace camvista::dump;
using camvista::test::SaveWriter;

namespace
{

QByteArray sampleSave()
{
    SaveWriter save;
    save.photo(2, test::patternValues(1), 2)
        .photo(5, test::patternValues(2), 1)
        .photo(6, test::patternValues(3), 0)
        .lastSeen(test::patternValues(4));
    return save.bytes();
}

QStringList captions(const DumpWindow &w)
{
    QStringList out;
    for (const QCheckBox *tick : w.tickBoxes())
        out.append(tick->text() + (tick->isChecked() ? "+" : "-"));
    return out;
}

QPushButton *button(const DumpWindow &w, const char *name)
{
    return w.findChild<QPushButton *>(QString::fromLatin1(name));
}

// Default frames 1 and 3 and the custom frame "mine" in the application folder.
void putFrames(const test::TempAppFolder &app)
{
    QVERIFY(QDir().mkpath(app.file("frames/default")));
    QVERIFY(QDir().mkpath(app.file("frames/custom")));
    for (const int n : {1, 3})
        QVERIFY(
            saveGif(data::defaultFrame(n), app.file(QStringLiteral("frames/default/%1.gif").arg(n)))
                .ok());
    QVERIFY(saveGif(data::defaultFrame(5), app.file("frames/custom/mine.gif")).ok());
}

QListWidget *frameList(const DumpWindow &w)
{
    return w.findChild<QListWidget *>("frameList");
}

} // namespace

class TstDumpWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensASave_data();
    void opensASave();
    void writesTheTickedShots();
    void reportsFailures_data();
    void reportsFailures();
    void badSaveKeepsWhatIsShown();
    void framesAreOfferedAndRemembered();
    void writesPngWhenAsked();
    void everyBankOfADumpIsNamed();
    void fitsTheScreenAndItsWidth_data();
    void fitsTheScreenAndItsWidth();
};

void TstDumpWindow::opensASave_data()
{
    QTest::addColumn<bool>("byDrop");
    QTest::newRow("file dialog") << false;
    QTest::newRow("drop") << true;
}

void TstDumpWindow::opensASave()
{
    QFETCH(bool, byDrop);
    test::TempAppFolder app;
    FakeDesktop desktop;
    DumpWindow w(desktop, app.paths());
    const QString save = app.write("cam.sav", sampleSave());
    QVERIFY(!button(w, "writeButton")->isEnabled());
    if (byDrop) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(save)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &drop);
        // Text, or several files, are not a save to open.
        QMimeData text;
        text.setText("cam.sav");
        QDragEnterEvent other(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, {});
        other.setAccepted(false);
        QApplication::sendEvent(&w, &other);
        QVERIFY(!other.isAccepted());
        QMimeData two;
        two.setUrls({QUrl::fromLocalFile(save), QUrl::fromLocalFile(save)});
        QDragEnterEvent several(QPoint(10, 10), Qt::CopyAction, &two, Qt::LeftButton, {});
        several.setAccepted(false);
        QApplication::sendEvent(&w, &several);
        QVERIFY(!several.isAccepted());
    } else {
        desktop.openFiles.push_back(save);
        QTest::mouseClick(button(w, "openButton"), Qt::LeftButton);
        QCOMPARE(desktop.fileDialogs.size(), 1);
        QVERIFY(desktop.fileDialogs[0].filter.contains("*.sav"));
    }
    QVERIFY(desktop.messages.isEmpty());
    // The album ticked in album order, the deleted photo and the extras offered unticked.
    QCOMPARE(captions(w), (QStringList{"Album 01+", "Album 02+", "Deleted, slot 07-", "Last seen-",
                                       "Game face-"}));
    const auto *picture = w.findChild<QLabel *>("picture_0");
    QCOMPARE(picture->pixmap().size(), QSize(256, 224));
    // At 2x every pixel of album photo 1 stands as a 2 x 2 block.
    const QImage shown = picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage photo = w.offeredShots()[0].picture;
    for (int y = 0; y < 224; ++y)
        for (int x = 0; x < 256; ++x)
            QCOMPARE(shown.pixel(x, y), photo.pixel(x / 2, y / 2));
    QVERIFY(w.windowTitle().contains("cam.sav"));
    QVERIFY(button(w, "writeButton")->isEnabled());
}

void TstDumpWindow::writesTheTickedShots()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    DumpWindow w(desktop, app.paths());
    QVERIFY(w.openSave(app.write("cam.sav", sampleSave())));
    const QString shots = app.file("VUDavizi Shots");
    QCOMPARE(w.outputFolder(), shots);

    // Into the shots folder, made when missing.
    QTest::mouseClick(button(w, "writeButton"), Qt::LeftButton);
    QCOMPARE(desktop.messages.size(), 1);
    QCOMPARE(desktop.messages[0].text, "2 shots written to " + shots + ".");
    QCOMPARE(desktop.messages[0].title, QString("VUDaviziDump"));
    QCOMPARE(QDir(shots).entryList(QDir::Files), (QStringList{"cam-01.bmp", "cam-02.bmp"}));
    const PictureLoad first = loadPictureFile(shots + "/cam-01.bmp");
    QCOMPARE(first.image.convertToFormat(QImage::Format_RGB32), w.offeredShots()[0].picture);

    // Everything, into a folder the user picks; nothing is overwritten.
    const QString picked = app.file("picked");
    QVERIFY(QDir().mkpath(picked));
    app.write("picked/cam-01.bmp", "mine");
    desktop.folders.push_back(picked);
    QTest::mouseClick(button(w, "folderButton"), Qt::LeftButton);
    QCOMPARE(w.outputFolder(), picked);
    QCOMPARE(w.findChild<QLabel *>("folderLabel")->text(), picked);
    QTest::mouseClick(button(w, "selectAllButton"), Qt::LeftButton);
    QCOMPARE(captions(w), (QStringList{"Album 01+", "Album 02+", "Deleted, slot 07+", "Last seen+",
                                       "Game face+"}));
    QTest::mouseClick(button(w, "writeButton"), Qt::LeftButton);
    QCOMPARE(desktop.messages.last().text, "5 shots written to " + picked + ".");
    QCOMPARE(QDir(picked).entryList(QDir::Files),
             (QStringList{"cam-01 (2).bmp", "cam-01.bmp", "cam-02.bmp", "cam-deleted-slot07.bmp",
                          "cam-game-face.bmp", "cam-last-seen.bmp"}));
    QFile mine(picked + "/cam-01.bmp");
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("mine"));

    // Written once already: counted as there, and no file is added. A cancelled chooser keeps
    // the folder.
    const QStringList before = QDir(picked).entryList(QDir::Files);
    for (QCheckBox *tick : w.tickBoxes())
        tick->setChecked(tick->text() == "Game face");
    QTest::mouseClick(button(w, "folderButton"), Qt::LeftButton);
    QCOMPARE(w.outputFolder(), picked);
    QTest::mouseClick(button(w, "writeButton"), Qt::LeftButton);
    QCOMPARE(desktop.messages.last().text, "0 shots written, 1 already in " + picked + ".");
    QCOMPARE(QDir(picked).entryList(QDir::Files), before);

    // One new shot: the summary says so in the singular.
    QVERIFY(QFile::remove(picked + "/cam-last-seen.bmp"));
    for (QCheckBox *tick : w.tickBoxes())
        tick->setChecked(tick->text() == "Last seen");
    QTest::mouseClick(button(w, "writeButton"), Qt::LeftButton);
    QCOMPARE(desktop.messages.last().text, "1 shot written to " + picked + ".");
}

void TstDumpWindow::reportsFailures_data()
{
    QTest::addColumn<QString>("folder"); // the folder picked, "" for the shots folder
    QTest::addColumn<bool>("untick");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing ticked") << "" << true << "No shot is ticked, so nothing was written.";
    QTest::newRow("picked folder gone")
        << "gone" << false << "does not exist. Nothing was written.";
    QTest::newRow("folder not writable")
        << "/proc" << false << "0 shots written to /proc.\n\n2 could not be written:";
    QTest::newRow("shots folder cannot be made")
        << "shots blocked" << false << "cannot be made (SHOTS: Not a directory)";
}

void TstDumpWindow::reportsFailures()
{
    QFETCH(QString, folder);
    QFETCH(bool, untick);
    QFETCH(QString, message);
    test::TempAppFolder app;
    FakeDesktop desktop;
    DumpWindow w(desktop, app.paths());
    QVERIFY(w.openSave(app.write("cam.sav", sampleSave())));
    if (folder == "gone") {
        QVERIFY(QDir().mkpath(app.file("gone")));
        desktop.folders.push_back(app.file("gone"));
        QTest::mouseClick(button(w, "folderButton"), Qt::LeftButton);
        QVERIFY(QDir(app.file("gone")).removeRecursively());
    } else if (folder == "shots blocked") {
        app.write("VUDavizi Shots", "a file where the folder would go");
    } else if (!folder.isEmpty()) {
        desktop.folders.push_back(folder);
        QTest::mouseClick(button(w, "folderButton"), Qt::LeftButton);
    }
    if (untick) {
        for (QCheckBox *tick : w.tickBoxes())
            tick->setChecked(false);
        QVERIFY(!button(w, "writeButton")->isEnabled());
    }
    w.writeClicked();
    QCOMPARE(desktop.messages.size(), 1);
    message.replace("SHOTS", app.file("VUDavizi Shots"));
    QVERIFY2(desktop.messages[0].text.contains(message), qPrintable(desktop.messages[0].text));
    QVERIFY(desktop.messages[0].icon != Desktop::Icon::None);
    QVERIFY(!QFileInfo::exists(app.file("gone")));
}

void TstDumpWindow::badSaveKeepsWhatIsShown()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    DumpWindow w(desktop, app.paths());
    QVERIFY(w.openSave(app.write("cam.sav", sampleSave())));
    const QStringList before = captions(w);
    QVERIFY(!w.openSave(app.write("notes.sav", QByteArray(0x20000, 'x'))));
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages[0].text.contains("not a Game Boy Camera save"));
    QVERIFY(desktop.messages[0].icon == Desktop::Icon::Exclamation);
    QCOMPARE(captions(w), before);
    QVERIFY(w.windowTitle().contains("cam.sav"));
    // Cancelling the dialog changes nothing and says nothing.
    QTest::mouseClick(button(w, "openButton"), Qt::LeftButton);
    QCOMPARE(desktop.messages.size(), 1);
    QCOMPARE(captions(w), before);
}

void TstDumpWindow::framesAreOfferedAndRemembered()
{
    test::TempAppFolder app;
    putFrames(app);
    FakeDesktop desktop;
    const QString save = app.write("cam.sav", sampleSave());
    {
        DumpWindow w(desktop, app.paths());
        QListWidget *list = frameList(w);
        QStringList labels;
        for (int i = 0; i < list->count(); ++i)
            labels << list->item(i)->text();
        QCOMPARE(labels, (QStringList{"No frame (128 x 112)", "Frame 1", "Frame 3", "mine"}));
        QCOMPARE(list->currentItem()->text(), "Frame 1"); // the first time
        QVERIFY(w.openSave(save));
        // The preview: the first photo in the frame.
        const QImage preview = w.findChild<QLabel *>("framePreview")->pixmap().toImage();
        QCOMPARE(preview.convertToFormat(QImage::Format_RGB32),
                 framedPhoto(w.offeredShots()[0].picture, data::defaultFrame(1))
                     .convertToFormat(QImage::Format_RGB32));

        list->setCurrentRow(3);
        QCOMPARE(profile::readString(app.file("camvista.ini"), "VUDaviziDump", "Frame"), "mine");
        QTest::mouseClick(button(w, "writeButton"), Qt::LeftButton);
        const PictureLoad written = loadPictureFile(app.file("VUDavizi Shots/cam-01.bmp"));
        QCOMPARE(written.image.convertToFormat(QImage::Format_RGB32),
                 framedPhoto(w.offeredShots()[0].picture, data::defaultFrame(5)));
    }
    {
        // The next run starts with the last choice; "none" writes the bare photos.
        DumpWindow w(desktop, app.paths());
        QCOMPARE(frameList(w)->currentItem()->text(), "mine");
        frameList(w)->setCurrentRow(0);
        QVERIFY(w.openSave(save));
        QTest::mouseClick(button(w, "writeButton"), Qt::LeftButton);
        QCOMPARE(loadPictureFile(app.file("VUDavizi Shots/cam-01 (2).bmp")).image.size(),
                 QSize(128, 112));
    }
    // A frame gone since: the next run falls back to frame 1; one that cannot be read stops the
    // writing with a message.
    QVERIFY(QFile::remove(app.file("frames/custom/mine.gif")));
    QVERIFY(profile::writeString(app.file("camvista.ini"), "VUDaviziDump", "Frame", "mine"));
    DumpWindow w(desktop, app.paths());
    QCOMPARE(frameList(w)->currentItem()->text(), "Frame 1");
    app.write("frames/default/1.gif", "GIF89a");
    QVERIFY(w.openSave(save));
    const QStringList before = QDir(app.file("VUDavizi Shots")).entryList(QDir::Files);
    desktop.messages.clear();
    QTest::mouseClick(button(w, "writeButton"), Qt::LeftButton);
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY2(desktop.messages[0].text.contains("Nothing was written."),
             qPrintable(desktop.messages[0].text));
    QCOMPARE(QDir(app.file("VUDavizi Shots")).entryList(QDir::Files), before);
}

void TstDumpWindow::writesPngWhenAsked()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    DumpWindow w(desktop, app.paths());
    QVERIFY(w.openSave(app.write("cam.sav", sampleSave())));
    auto *format = w.findChild<QComboBox *>("formatBox");
    QCOMPARE(format->currentText(), "BMP files");
    format->setCurrentIndex(1);
    QTest::mouseClick(button(w, "writeButton"), Qt::LeftButton);
    QCOMPARE(QDir(app.file("VUDavizi Shots")).entryList(QDir::Files),
             (QStringList{"cam-01.png", "cam-02.png"}));
    const PictureLoad png = loadPictureFile(app.file("VUDavizi Shots/cam-01.png"));
    QCOMPARE(png.image.convertToFormat(QImage::Format_RGB32), w.offeredShots()[0].picture);
}

void TstDumpWindow::everyBankOfADumpIsNamed()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    DumpWindow w(desktop, app.paths());
    SaveWriter second;
    second.photo(0, test::patternValues(7), 1);
    QVERIFY(w.openSave(
        app.write("dump.bin", test::dumpOfBanks(2, {{0, sampleSave()}, {1, second.bytes()}}))));
    QStringList albums = captions(w).filter("Album");
    QCOMPARE(albums, (QStringList{"Bank 1, Album 01+", "Bank 1, Album 02+", "Bank 2, Album 01+"}));
}

void TstDumpWindow::fitsTheScreenAndItsWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("wide") << 1400;
    QTest::newRow("1024 wide") << 1000;
    QTest::newRow("narrow") << 700;
    QTest::newRow("narrowest") << 100;
}

void TstDumpWindow::fitsTheScreenAndItsWidth()
{
    QFETCH(int, width);
    test::TempAppFolder app;
    putFrames(app);
    FakeDesktop desktop;
    DumpWindow w(desktop, app.paths());
    const QRect area = w.screen()->availableGeometry();
    QVERIFY2(area.contains(w.geometry()), "opens inside the screen's free area");
    QVERIFY(w.openSave(app.write("cam.sav", sampleSave())));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(width, 600);
    QCoreApplication::processEvents();

    // As many columns as the grid's width holds, and nothing to scroll sideways.
    auto *grid = w.findChild<QScrollArea *>("shotGrid");
    const int room = grid->viewport()->width();
    QVERIFY(w.columns() >= 1);
    const QList<QCheckBox *> &ticks = w.tickBoxes();
    int right = 0;
    for (const QCheckBox *tick : ticks)
        right = std::max(right, tick->parentWidget()->geometry().right());
    QVERIFY2(right < room, qPrintable(QStringLiteral("%1 >= %2").arg(right).arg(room)));
    const int cell = ticks[0]->parentWidget()->width();
    const bool oneRow = ticks.size() <= w.columns();
    QVERIFY2(oneRow || right + cell >= room, "a further column would have fitted");
    QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
    // Every button stays inside the window.
    for (const QPushButton *b : w.findChildren<QPushButton *>())
        QVERIFY2(w.rect().contains(b->geometry()), qPrintable(b->objectName()));
}

QTEST_MAIN(TstDumpWindow)
#include "tst_dump_window.moc"
