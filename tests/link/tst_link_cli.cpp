#include "link/link_cli.h"
#include "link/print_output.h"

#include "imaging/picture_file.h"
#include "link_test_support.h"
#include "printer/printer_encoder.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"

#include <QRegularExpression>
#include <QtTest>

using namespace camvista;
using test::CaptureStyle;

Q_DECLARE_METATYPE(CaptureStyle)

namespace
{

struct Run {
    int status = -1;
    QStringList written;
    QString err;
};

Run runCls(const QStringList &arguments, const QString &programFolder = QDir::tempPath())
{
    QString out;
    Run run;
    QTextStream outStream(&out);
    QTextStream errStream(&run.err);
    run.status = link::runCommandLine(arguments, programFolder, outStream, errStream);
    run.written = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

QString writeCapture(const test::TempAppFolder &app, const QByteArray &text)
{
    return app.write(QStringLiteral("capture.txt"), text);
}

const QList<QImage> &shots()
{
    static const QList<QImage> list = {test::fourShadeShot(160, 144, 31),
                                       test::stripedShot(160, 144, 32),
                                       test::fourShadeShot(160, 256, 33)};
    return list;
}

} // namespace

class TstLinkCli : public QObject
{
    Q_OBJECT

private slots:
    void writesEveryPrint_data();
    void writesEveryPrint();
    void mismatchedChecksums_data();
    void mismatchedChecksums();
    void keepsWhatACutCaptureHeld();
    void neverWritesOverAFile();
    void refusesWrongUse_data();
    void refusesWrongUse();
    void failsWhenNothingCanBeRead_data();
    void failsWhenNothingCanBeRead();
};

void TstLinkCli::writesEveryPrint_data()
{
    QTest::addColumn<CaptureStyle>("style");
    QTest::addColumn<bool>("png");
    CaptureStyle lines;
    QTest::newRow("lines, BMP") << lines << false;
    CaptureStyle cArray;
    cArray.cArray = true;
    cArray.compressed = true;
    QTest::newRow("C array, compressed, PNG") << cArray << true;
}

void TstLinkCli::writesEveryPrint()
{
    QFETCH(CaptureStyle, style);
    QFETCH(bool, png);
    test::TempAppFolder app;
    QDir().mkpath(app.file("MCCL"));
    QStringList arguments{writeCapture(app, test::captureOf(shots(), style))};
    if (png)
        arguments << "--png";
    // Without --out the prints go to the shots folder beside MCCL, made when missing.
    const Run run = runCls(arguments, app.file("MCCL"));
    QVERIFY2(run.status == link::kExitOk, qPrintable(run.err));
    QCOMPARE(run.written.size(), shots().size());
    const QRegularExpression name(png ? "^print-\\d{8}-\\d{6}-(\\d)\\.png$"
                                      : "^print-\\d{8}-\\d{6}-(\\d)\\.bmp$");
    for (qsizetype i = 0; i < run.written.size(); ++i) {
        const QFileInfo file(run.written[i]);
        QCOMPARE(file.absolutePath(), app.paths().shotsFolder());
        const QRegularExpressionMatch match = name.match(file.fileName());
        QVERIFY2(match.hasMatch(), qPrintable(file.fileName()));
        QCOMPARE(match.captured(1).toInt(), i + 1);
        QCOMPARE(test::fileFormatOf(file.filePath()), png ? "png" : "bmp");
        const PictureLoad load = loadPictureFile(file.filePath());
        QVERIFY(load.ok());
        // The tall print is kept whole.
        QCOMPARE(test::rgb32(load.image), shots()[i]);
    }
    QVERIFY2(run.err.contains("3 prints, 46 packets"), qPrintable(run.err));
}

void TstLinkCli::mismatchedChecksums_data()
{
    QTest::addColumn<bool>("strict");
    QTest::newRow("written all the same") << false;
    QTest::newRow("--strict") << true;
}

void TstLinkCli::mismatchedChecksums()
{
    QFETCH(bool, strict);
    test::TempAppFolder app;
    CaptureStyle style;
    style.wrongChecksums = {5, 12}; // a data packet and the print command of the first print
    QStringList arguments{writeCapture(app, test::captureOf(shots().mid(0, 2), style)), "--out",
                          app.path()};
    if (strict)
        arguments << "--strict";
    const Run run = runCls(arguments);
    QCOMPARE(run.status, strict ? link::kExitFailed : link::kExitOk);
    QVERIFY2(run.err.contains("Print 1: packets 5, 12 do not match their checksum."),
             qPrintable(run.err));
    QVERIFY(!run.err.contains("Print 2:"));
    QCOMPARE(run.written.size(), strict ? 1 : 2);
    QCOMPARE(run.written.last().endsWith("-2.bmp"), true);
    QCOMPARE(QDir(app.path()).entryList({"print-*"}).size(), run.written.size());
}

void TstLinkCli::keepsWhatACutCaptureHeld()
{
    test::TempAppFolder app;
    const QByteArray text = test::captureOf(shots().mid(0, 2));
    // Cut inside the second print's fifth data packet, at the end of a byte.
    const qsizetype cut = text.lastIndexOf(' ', text.size() - 5 * 1950);
    const Run run = runCls({writeCapture(app, text.left(cut)), "--out", app.path()});
    QCOMPARE(run.status, link::kExitFailed);
    QCOMPARE(run.written.size(), 1);
    QCOMPARE(test::rgb32(loadPictureFile(run.written[0]).image), shots()[0]);
    QVERIFY2(run.err.contains("Print 2 is cut short"), qPrintable(run.err));
    QVERIFY(run.err.contains("ends inside a packet"));
}

void TstLinkCli::neverWritesOverAFile()
{
    test::TempAppFolder app;
    const QDateTime when(QDate(2026, 1, 2), QTime(3, 4, 5));
    const QString taken = app.write("print-20260102-030405-1.bmp", "mine");
    printer::CaptureReader reader;
    const QList<printer::PrintResult> prints = reader.feed(test::captureOf({shots()[0]}));
    QCOMPARE(prints.size(), 1);
    const link::PrintReport report = link::writePrint(prints[0], {app.path()}, when);
    QVERIFY2(!report.failed, qPrintable(report.problem));
    QCOMPARE(QFileInfo(report.path).fileName(), "print-20260102-030405-1 (2).bmp");
    QFile mine(taken);
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("mine"));
}

void TstLinkCli::refusesWrongUse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("words");
    QTest::newRow("nothing") << QStringList{} << "Which capture file, or which --port?";
    QTest::newRow("both") << QStringList{"a.txt", "--port", "ttyACM0"} << "not both";
    QTest::newRow("two captures") << QStringList{"a.txt", "b.txt"} << "one too many";
    QTest::newRow("baud of nothing") << QStringList{"--port", "ttyACM0", "--baud", "fast"}
                                     << "--baud needs a whole number above 0, not fast.";
    QTest::newRow("count of 0") << QStringList{"--port", "x", "--count", "0"} << "--count needs";
    QTest::newRow("out without folder") << QStringList{"a.txt", "--out"} << "--out needs a value.";
    QTest::newRow("unknown") << QStringList{"a.txt", "--colour"} << "Unknown option --colour.";
}

void TstLinkCli::refusesWrongUse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, words);
    const Run run = runCls(arguments);
    QCOMPARE(run.status, link::kExitUsage);
    QVERIFY2(run.err.contains(words) && run.err.contains("Usage: cls"), qPrintable(run.err));
    QVERIFY(run.written.isEmpty());
}

void TstLinkCli::failsWhenNothingCanBeRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("words");
    QTest::newRow("no packets") << "text"
                                << "holds no printer packets";
    QTest::newRow("binary") << "binary"
                            << "holds binary data";
    QTest::newRow("--out is a file") << "out-file"
                                     << "is not a folder";
    QTest::newRow("standard output full") << "dev-full"
                                          << "No space left on device";
    QTest::newRow("capture not readable") << "unreadable"
                                          << "could not be read (Permission denied)";
}

void TstLinkCli::failsWhenNothingCanBeRead()
{
    QFETCH(QString, kind);
    QFETCH(QString, words);
    test::TempAppFolder app;
    QString capture = writeCapture(app, test::captureOf({shots()[0]}));
    QString out = app.path();
    if (kind == "text")
        capture = app.write("notes.txt", "Dear diary,\nno printer today.\n");
    else if (kind == "binary")
        capture = app.write("photo.bin", QByteArray("\x88\x33\x01\0\0\0\x01\0", 8));
    else if (kind == "out-file")
        out = capture;
    // The program itself, where the process around it matters: its standard output, its user.
    if (kind == "dev-full" || kind == "unreadable") {
        QStringList command{CAMVISTA_CLS_PROGRAM, capture, "--out", out};
        QProcess process;
        if (kind == "dev-full") {
            process.setStandardOutputFile("/dev/full");
        } else {
            QFile::setPermissions(capture, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QFile::setPermissions(app.path(), QFileDevice::Permissions(0x7777));
            QString why;
            command = test::asUnprivileged(command, why);
            if (command.isEmpty())
                QSKIP(qPrintable(why));
        }
        process.start(command.takeFirst(), command);
        QVERIFY(process.waitForFinished(60000));
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(process.exitCode(), link::kExitFailed);
        QVERIFY2(err.contains(words), qPrintable(err));
        return;
    }
    const Run run = runCls({capture, "--out", out});
    QCOMPARE(run.status, link::kExitFailed);
    QVERIFY2(run.err.contains(words), qPrintable(run.err));
    QVERIFY(run.written.isEmpty());
}

QTEST_GUILESS_MAIN(TstLinkCli)
#include "tst_link_cli.moc"
