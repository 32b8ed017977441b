#include "link/link_window.h"

#include "imaging/picture_file.h"
#include "platform/fake_desktop.h"
#include "printer/printer_encoder.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"

#include <QCheckBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using namespace camvista;

class TstLinkWindow : public QObject
{
    Q_OBJECT

private slots:
    void writesTheCapturesPrints_data();
    void writesTheCapturesPrints();
    void tellsAFileThatIsNoCapture();
};

void TstLinkWindow::writesTheCapturesPrints_data()
{
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<bool>("strict");
    QTest::addColumn<bool>("png");
    QTest::newRow("opened, BMP") << false << false << false;
    QTest::newRow("dropped, PNG") << true << false << true;
    QTest::newRow("strict") << false << true << false;
}

void TstLinkWindow::writesTheCapturesPrints()
{
    QFETCH(bool, dropped);
    QFETCH(bool, strict);
    QFETCH(bool, png);
    test::TempAppFolder app;
    const QList<QImage> shots = {test::fourShadeShot(160, 144, 51),
                                 test::stripedShot(160, 144, 52)};
    test::CaptureStyle style;
    style.wrongChecksums = {16}; // a data packet of the second print
    const QString capture = app.write("capture.txt", test::captureOf(shots, style));
    FakeDesktop desktop;
    link::LinkWindow window(desktop, app.paths());
    window.findChild<QCheckBox *>("strictBox")->setChecked(strict);
    window.findChild<QCheckBox *>("pngBox")->setChecked(png);
    if (dropped) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(capture)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
    } else {
        desktop.openFiles.push_back(capture);
        window.findChild<QPushButton *>("openButton")->click();
    }
    QCOMPARE(window.reports().size(), 2);
    QCOMPARE(test::rgb32(loadPictureFile(window.reports()[0].path).image), shots[0]);
    QCOMPARE(test::fileFormatOf(window.reports()[0].path), png ? "png" : "bmp");
    const link::PrintReport &second = window.reports()[1];
    QVERIFY(second.problem.contains("Print 2: packet 16 does not match its checksum."));
    QCOMPARE(second.path.isEmpty(), strict);
    QCOMPARE(second.failed, strict);
    // Shown either way, with its fault in red.
    QVERIFY(window.findChild<QLabel *>("print_1"));
    QVERIFY(window.findChild<QLabel *>("caption_1")->styleSheet().contains("#a00000"));
    QCOMPARE(QDir(app.paths().shotsFolder()).entryList(QDir::Files).size(), strict ? 1 : 2);
    QVERIFY(window.findChild<QLabel *>("liveLabel")->text().contains("2 prints, 1 checksum error"));
    QVERIFY(desktop.messages.isEmpty());
}

void TstLinkWindow::tellsAFileThatIsNoCapture()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    link::LinkWindow window(desktop, app.paths());
    QVERIFY(!window.openCapture(app.write("photo.bmp", QByteArray("BM\0\0\0\0", 6))));
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages[0].text.contains("holds binary data"));
    QVERIFY(window.reports().isEmpty());
}

QTEST_MAIN(TstLinkWindow)
#include "tst_link_window.moc"
