// The companion's framed photos in the rest of the program: the editor makes the very same shot
// from the photo and frame, and the composition tools take it without the "Bad!" size check.

#include "dump/dump_cli.h"

#include "camera/save_writer.h"
#include "data/frame_pictures.h"
#include "editor/editor_window.h"
#include "editor/first_step_panel.h"
#include "imaging/gif_writer.h"
#include "tools/mosaic_window.h"
#include "tools/tool_test_support.h"
#include "ui/drop_square.h"
#include "ui/picture_surface.h"

#include <QPushButton>
#include <QtTest>

using namespace camvista;
using camvista::test::SaveWriter;

namespace
{

// Writes the save's album through the command line and gives the files written.
QStringList extract(const test::TempAppFolder &app, const QString &save, const QString &out,
                    const QStringList &more)
{
    QString listing;
    QString errors;
    QTextStream toListing(&listing);
    QTextStream toErrors(&errors);
    const int status = dump::runCommandLine(QStringList{save, "--out", out} + more,
                                            app.file("VUDaviziDump"), toListing, toErrors);
    toListing.flush();
    return status == dump::kExitOk ? listing.split('\n', Qt::SkipEmptyParts) : QStringList{};
}

} // namespace

class TstDumpFrames : public QObject
{
    Q_OBJECT

private slots:
    void defaultFrameMakesTheEditorsShot_data();
    void defaultFrameMakesTheEditorsShot();
};

void TstDumpFrames::defaultFrameMakesTheEditorsShot_data()
{
    QTest::addColumn<QStringList>("frameArguments");
    QTest::addColumn<bool>("framed");
    QTest::newRow("default frame") << QStringList{} << true;
    QTest::newRow("no frame") << QStringList{"--frame", "none"} << false;
}

void TstDumpFrames::defaultFrameMakesTheEditorsShot()
{
    QFETCH(QStringList, frameArguments);
    QFETCH(bool, framed);
    test::TempAppFolder app;
    QVERIFY(QDir().mkpath(app.file("frames/default")));
    QVERIFY(saveGif(data::defaultFrame(1), app.file("frames/default/1.gif")).ok());
    SaveWriter save;
    save.photo(3, test::patternValues(42), 1);
    const QString out = app.file("VUDavizi Shots");
    QVERIFY(QDir().mkpath(out));
    const QStringList written =
        extract(app, app.write("cam.sav", save.bytes()), out, frameArguments);
    QCOMPARE(written.size(), 1);
    const QImage shot = test::readBack(written[0]);

    // The editor's way: the photo on the browser's white canvas, frame 1 laid, "Done!".
    QVERIFY(QDir().mkpath(app.file("bare")));
    const QStringList bare =
        extract(app, app.file("cam.sav"), app.file("bare"), {"--frame", "none"});
    QCOMPARE(bare.size(), 1);
    const QImage photo = test::readBack(bare[0]);
    QCOMPARE(photo.size(), QSize(128, 112));
    QImage canvas(160, 144, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            canvas.setPixel(16 + x, 16 + y, photo.pixel(x, y));
    FakeDesktop desktop;
    EditorWindow editor(desktop, app.paths());
    editor.picture1()->setPicture(canvas);
    editor.picture3()->setPicture(canvas);
    QVERIFY(editor.firstStepPanel()->layDefaultFrame(1));
    editor.firstcom()->click();
    if (framed)
        QCOMPARE(shot, test::rgb32(editor.picture3()->picture()));
    else
        QCOMPARE(shot, photo);

    // Dropped on a mosaic square: taken as it is when framed, refused with "Bad!" when not.
    MosaicWindow mosaic(desktop, app.paths());
    mosaic.show();
    desktop.messages.clear();
    test::dropOn(mosaic.square(0, 0), test::fileManagerDrop(written[0]));
    if (framed) {
        QVERIFY(desktop.messages.isEmpty());
        QCOMPARE(test::rgb32(mosaic.square(0, 0)->picture()), shot);
    } else {
        QCOMPARE(desktop.messages.size(), 1);
        QCOMPARE(desktop.messages[0].title, QStringLiteral("Bad!"));
    }
}

QTEST_MAIN(TstDumpFrames)
#include "tst_dump_frames.moc"
