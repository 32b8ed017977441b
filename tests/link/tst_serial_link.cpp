#include "link/link_cli.h"
#include "link/link_window.h"

#include "imaging/picture_file.h"
#include "link_test_support.h"
#include "platform/fake_desktop.h"
#include "printer/printer_encoder.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace camvista;

// The printer emulator's port, played by a pseudo-terminal fed one byte at a time at 115200
// baud; the timeouts below only keep a broken build from hanging.
class TstSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void windowShowsAndWritesPrintsAsTheyCome_data();
    void windowShowsAndWritesPrintsAsTheyCome();
    void commandLineReadsAPort();
    void portThatCannotBeOpened_data();
    void portThatCannotBeOpened();
};

namespace
{

QList<QImage> twoShots()
{
    return {test::stripedShot(160, 144, 41), test::fourShadeShot(160, 144, 42)};
}

QByteArray compressedCapture(const QList<QImage> &shots)
{
    test::CaptureStyle style;
    style.compressed = true;
    return test::captureOf(shots, style);
}

bool connectTo(link::LinkWindow &window, const QString &device)
{
    window.findChild<QComboBox *>("portBox")->setCurrentText(device);
    return window.connectPort();
}

} // namespace

void TstSerialLink::windowShowsAndWritesPrintsAsTheyCome_data()
{
    QTest::addColumn<bool>("unplugged");
    QTest::newRow("both prints") << false;
    // The board goes away in the middle of the second print's data.
    QTest::newRow("unplugged during the second") << true;
}

void TstSerialLink::windowShowsAndWritesPrintsAsTheyCome()
{
    QFETCH(bool, unplugged);
    test::PtyPair pty;
    QVERIFY(pty.isValid());
    test::TempAppFolder app;
    FakeDesktop desktop;
    link::LinkWindow window(desktop, app.paths());
    QVERIFY(connectTo(window, pty.device()));
    QCOMPARE(window.findChild<QPushButton *>("connectButton")->text(), "Disconnect");
    QByteArray capture = compressedCapture(twoShots());
    if (unplugged)
        capture.truncate(capture.indexOf("88 33 04", capture.indexOf("88 33 02") + 1) + 2000);
    pty.feed(capture);
    if (unplugged) {
        // Unplugging loses what the system had not handed over yet; wait until it has.
        QTRY_COMPARE_WITH_TIMEOUT(window.serialLink().bytesReceived(), capture.size(), 120000);
        pty.wait();
        pty.closeMaster();
        QTRY_COMPARE_WITH_TIMEOUT(desktop.messages.size(), 1, 120000);
        QVERIFY2(desktop.messages[0].text.contains("went away") &&
                     desktop.messages[0].text.contains(pty.device()),
                 qPrintable(desktop.messages[0].text));
        QVERIFY(!window.serialLink().isOpen());
        QCOMPARE(window.findChild<QPushButton *>("connectButton")->text(), "Connect");
    }
    QTRY_COMPARE_WITH_TIMEOUT(window.reports().size(), 2, 120000);
    for (int i = 0; i < 2; ++i) {
        const link::PrintReport &report = window.reports()[i];
        if (unplugged && i == 1) {
            QVERIFY(report.failed && report.path.isEmpty());
            QVERIFY(report.problem.contains("Print 2 is cut short"));
            continue;
        }
        QVERIFY2(!report.failed && report.problem.isEmpty(), qPrintable(report.problem));
        QCOMPARE(QFileInfo(report.path).absolutePath(), app.paths().shotsFolder());
        QCOMPARE(test::rgb32(loadPictureFile(report.path).image), twoShots()[i]);
        const QLabel *thumbnail = window.findChild<QLabel *>(QStringLiteral("print_%1").arg(i));
        QVERIFY(thumbnail);
        QCOMPARE(thumbnail->pixmap().size(), QSize(320, 288));
    }
    QCOMPARE(QDir(app.paths().shotsFolder()).entryList(QDir::Files).size(), unplugged ? 1 : 2);
    if (!unplugged) {
        QTRY_VERIFY(
            window.findChild<QLabel *>("liveLabel")->text().contains(", 2 prints, 0 checksum"));
        window.disconnectPort();
        QVERIFY(desktop.messages.isEmpty());
    }
}

void TstSerialLink::commandLineReadsAPort()
{
    test::PtyPair pty;
    QVERIFY(pty.isValid());
    test::TempAppFolder app;
    QProcess process;
    process.start(CAMVISTA_CLS_PROGRAM,
                  {"--port", pty.device(), "--count", "1", "--out", app.path(), "--png"});
    // It says when it listens; the printer's bytes come after that.
    process.setReadChannel(QProcess::StandardError);
    QVERIFY(process.waitForReadyRead(30000) || process.state() != QProcess::Running);
    QVERIFY2(process.state() == QProcess::Running, qPrintable(process.readAllStandardError()));
    const QList<QImage> shots = twoShots();
    pty.feed(compressedCapture(shots));
    QVERIFY(process.waitForFinished(120000));
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(process.exitCode() == link::kExitOk, qPrintable(err));
    const QStringList written =
        QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(written.size(), 1);
    QVERIFY(written[0].endsWith("-1.png"));
    QCOMPARE(test::rgb32(loadPictureFile(written[0]).image), shots[0]);
    QVERIFY2(err.contains(pty.device() + ": 1 print, "), qPrintable(err));
}

void TstSerialLink::portThatCannotBeOpened_data()
{
    QTest::addColumn<bool>("unprivileged");
    QTest::addColumn<QString>("words");
    QTest::newRow("no such port") << false << "There is no serial port /dev/ttyGONE";
    QTest::newRow("no permission") << true << "You are not allowed to open the serial port";
}

void TstSerialLink::portThatCannotBeOpened()
{
    QFETCH(bool, unprivileged);
    QFETCH(QString, words);
    test::PtyPair pty;
    QVERIFY(pty.isValid());
    test::TempAppFolder app;
    QFile::setPermissions(app.path(), QFileDevice::Permissions(0x7777));
    const QString port = unprivileged ? pty.device() : QStringLiteral("ttyGONE");
    QStringList command{CAMVISTA_CLS_PROGRAM, "--port", port, "--out", app.path()};
    if (unprivileged) {
        QString why;
        command = test::asUnprivileged(command, why);
        if (command.isEmpty())
            QSKIP(qPrintable(why));
    }
    QProcess process;
    process.start(command.takeFirst(), command);
    QVERIFY(process.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitCode(), link::kExitFailed);
    QVERIFY2(err.contains(words), qPrintable(err));
    if (unprivileged)
        QVERIFY2(err.contains("sudo usermod -aG"), qPrintable(err));

    // The window tells the same.
    FakeDesktop desktop;
    link::LinkWindow window(desktop, app.paths());
    if (!unprivileged) {
        QVERIFY(!connectTo(window, port));
        QCOMPARE(desktop.messages.size(), 1);
        QVERIFY(desktop.messages[0].text.contains(words));
    }
}

QTEST_MAIN(TstSerialLink)
#include "tst_serial_link.moc"
