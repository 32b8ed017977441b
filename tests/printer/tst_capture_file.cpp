#include "printer/capture_file.h"
#include "printer/printer_encoder.h"
#include "support/test_pictures.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace camvista;
using namespace camvista::printer;

class TstCaptureFile : public QObject
{
    Q_OBJECT

private slots:
    void readsAFile();
    void refusesWhatIsNoCapture_data();
    void refusesWhatIsNoCapture();
};

void TstCaptureFile::readsAFile()
{
    QTemporaryDir dir;
    const QList<QImage> shots = {test::fourShadeShot(160, 144, 21),
                                 test::stripedShot(160, 144, 22)};
    test::CaptureStyle style;
    style.cArray = true;
    QFile file(dir.filePath("capture.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(test::captureOf(shots, style));
    file.close();
    const CaptureRead read = readCaptureFile(file.fileName());
    QVERIFY2(read.ok(), qPrintable(read.message()));
    QCOMPARE(read.prints.size(), 2);
    QCOMPARE(read.prints[0].picture, shots[0]);
    QCOMPARE(read.prints[1].picture, shots[1]);
    QCOMPARE(read.counts.packets, 26);
}

void TstCaptureFile::refusesWhatIsNoCapture_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("words");
    QTest::newRow("missing") << "missing" << int(CaptureRead::Error::Missing)
                             << "could not be found";
    QTest::newRow("folder") << "folder" << int(CaptureRead::Error::NotAFile)
                            << "not a capture file";
    QTest::newRow("pipe") << "pipe" << int(CaptureRead::Error::NotAFile) << "not a capture file";
    QTest::newRow("binary") << "binary" << int(CaptureRead::Error::Binary) << "binary data";
    QTest::newRow("huge") << "huge" << int(CaptureRead::Error::TooLarge) << "268435457 bytes long";
}

void TstCaptureFile::refusesWhatIsNoCapture()
{
    QFETCH(QString, kind);
    QFETCH(int, error);
    QFETCH(QString, words);
    QTemporaryDir dir;
    const QString path = dir.filePath(kind);
    if (kind == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == "pipe") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "binary") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("88 33 01 00 00 00 01 00\n\0\x01\x02\n", 28));
    } else if (kind == "huge") {
        // Sparse: it costs no disk, and must be refused before it is read.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(kMaxCaptureFileSize + 1));
    }
    const CaptureRead read = readCaptureFile(path);
    QCOMPARE(int(read.error), error);
    QVERIFY(read.prints.isEmpty());
    QVERIFY2(read.message().contains(words), qPrintable(read.message()));
    QVERIFY(read.message().contains(QFileInfo(path).fileName()));
}

QTEST_GUILESS_MAIN(TstCaptureFile)
#include "tst_capture_file.moc"
