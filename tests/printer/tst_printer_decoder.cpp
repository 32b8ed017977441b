#include "printer/capture_file.h"
#include "printer/printer_encoder.h"
#include "support/test_pictures.h"

#include <QtTest>

using namespace camvista;
using namespace camvista::printer;
using test::CaptureStyle;

Q_DECLARE_METATYPE(CaptureStyle)

namespace
{

QList<PrintResult> decodeAtOnce(const QByteArray &text, CaptureReader &reader)
{
    QList<PrintResult> prints = reader.feed(text);
    prints += reader.finish();
    return prints;
}

// Only the shades a palette prints can be encoded: the others become the lightest it has.
QImage asPrinted(const QImage &shot, int palette)
{
    QImage out = test::rgb32(shot);
    static const QRgb shades[] = {qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(128, 128, 128),
                                  qRgb(0, 0, 0)};
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const int shade = test::shadeIndexOf(out.pixel(x, y));
            bool printable = false;
            int lightest = 3;
            for (int v = 0; v < 4; ++v) {
                const int s = (palette >> (2 * v)) & 3;
                printable = printable || s == shade;
                lightest = std::min(lightest, s);
            }
            if (!printable)
                out.setPixel(x, y, shades[lightest]);
        }
    }
    return out;
}

} // namespace

class TstPrinterDecoder : public QObject
{
    Q_OBJECT

private slots:
    void givesTheShotsBack_data();
    void givesTheShotsBack();
    void readsTextInAnyPieces_data();
    void readsTextInAnyPieces();
    void tellsMismatchedChecksums();
    void refusesBrokenPrints_data();
    void refusesBrokenPrints();
    void countsWhatIsNoCapture();
    void undoesTheRunLengthCoding_data();
    void undoesTheRunLengthCoding();
};

void TstPrinterDecoder::givesTheShotsBack_data()
{
    QTest::addColumn<CaptureStyle>("style");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    CaptureStyle plain;
    QTest::newRow("one packet a line") << plain << 144 << 3;
    CaptureStyle compressed;
    compressed.compressed = true;
    QTest::newRow("compressed") << compressed << 144 << 2;
    CaptureStyle cArray;
    cArray.cArray = true;
    QTest::newRow("C array") << cArray << 144 << 2;
    CaptureStyle cCompressed = cArray;
    cCompressed.compressed = true;
    cCompressed.cArrayWidth = 1;
    QTest::newRow("C array, compressed, a byte a line") << cCompressed << 144 << 1;
    CaptureStyle reversed;
    reversed.palette = 0x1B;
    reversed.marginBefore = 0;
    reversed.marginAfter = 0;
    QTest::newRow("reversed palette, no margins") << reversed << 144 << 1;
    CaptureStyle twoShades;
    twoShades.palette = 0xCC; // 0 and 2 white, 1 and 3 black
    twoShades.marginBefore = 15;
    twoShades.marginAfter = 15;
    twoShades.sheets = 3;
    QTest::newRow("two shades, widest margins") << twoShades << 144 << 1;
    CaptureStyle bare;
    bare.replies = false;
    bare.chatter = false;
    bare.compressed = true;
    QTest::newRow("no replies, nothing between") << bare << 144 << 2;
    QTest::newRow("one band") << plain << 16 << 1;
    QTest::newRow("one row of tiles") << plain << 8 << 1;
    QTest::newRow("tallest a printer holds") << compressed << 256 << 1;
}

void TstPrinterDecoder::givesTheShotsBack()
{
    QFETCH(CaptureStyle, style);
    QFETCH(int, height);
    QFETCH(int, count);
    QList<QImage> shots;
    for (int i = 0; i < count; ++i) {
        shots << (i % 2 == 0 ? test::fourShadeShot(160, height, quint32(7 + i))
                             : test::stripedShot(160, height, quint32(9 + i)));
    }
    CaptureReader reader;
    const QList<PrintResult> prints = decodeAtOnce(test::captureOf(shots, style), reader);
    QCOMPARE(prints.size(), count);
    for (int i = 0; i < count; ++i) {
        const PrintResult &print = prints[i];
        QVERIFY2(print.printed(), qPrintable(print.reason()));
        QCOMPARE(print.number, i + 1);
        QCOMPARE(print.picture.size(), QSize(160, height));
        QCOMPARE(print.picture, asPrinted(shots[i], style.palette));
        QCOMPARE(print.palette, style.palette);
        QCOMPARE(print.marginBefore, style.marginBefore);
        QCOMPARE(print.marginAfter, style.marginAfter);
        QCOMPARE(print.sheets, style.sheets);
        QCOMPARE(print.exposure, style.exposure);
        QVERIFY(print.mismatchedPackets.isEmpty());
    }
    QCOMPARE(reader.counts().checksumErrors, 0);
    QCOMPARE(reader.counts().strayBytes, 0);
    const qint64 packetsPerPrint = (height * 20 * 16 / 8 + 639) / 640 + 4;
    QCOMPARE(reader.counts().packets, packetsPerPrint * count);
    QVERIFY(!reader.endedInsidePacket());
}

void TstPrinterDecoder::readsTextInAnyPieces_data()
{
    QTest::addColumn<bool>("cArray");
    QTest::addColumn<int>("piece");
    QTest::newRow("lines, a character at a time") << false << 1;
    QTest::newRow("lines, 7 at a time") << false << 7;
    QTest::newRow("C array, a character at a time") << true << 1;
    QTest::newRow("C array, 1000 at a time") << true << 1000;
}

void TstPrinterDecoder::readsTextInAnyPieces()
{
    // A serial port hands over what has arrived, cut anywhere, even inside a byte's digits.
    QFETCH(bool, cArray);
    QFETCH(int, piece);
    CaptureStyle style;
    style.cArray = cArray;
    style.compressed = true;
    const QList<QImage> shots = {test::stripedShot(160, 144, 3), test::fourShadeShot(160, 144, 4)};
    const QByteArray text = test::captureOf(shots, style);
    CaptureReader reader;
    QList<PrintResult> prints;
    for (qsizetype at = 0; at < text.size(); at += piece)
        prints += reader.feed(text.constData() + at, std::min<qsizetype>(piece, text.size() - at));
    prints += reader.finish();
    QCOMPARE(prints.size(), 2);
    QCOMPARE(prints[0].picture, shots[0]);
    QCOMPARE(prints[1].picture, shots[1]);
    CaptureReader atOnce;
    decodeAtOnce(text, atOnce);
    QCOMPARE(reader.counts().lines, atOnce.counts().lines);
    QCOMPARE(reader.counts().unknownLines, atOnce.counts().unknownLines);
    QCOMPARE(reader.counts().bytes, atOnce.counts().bytes);
}

void TstPrinterDecoder::tellsMismatchedChecksums()
{
    // Packets 3 (a data packet of the first print), 12 (its print command) and 20 (a data
    // packet of the second): the prints are still there, each with its own packets named.
    CaptureStyle style;
    style.wrongChecksums = {3, 12, 20};
    const QList<QImage> shots = {test::fourShadeShot(160, 144, 1),
                                 test::fourShadeShot(160, 144, 2)};
    CaptureReader reader;
    const QList<PrintResult> prints = decodeAtOnce(test::captureOf(shots, style), reader);
    QCOMPARE(prints.size(), 2);
    QVERIFY(prints[0].printed());
    QCOMPARE(prints[0].picture, shots[0]);
    QCOMPARE(prints[0].mismatchedPackets, QList<int>({3, 12}));
    QCOMPARE(prints[1].mismatchedPackets, QList<int>({20}));
    QCOMPARE(prints[1].picture, shots[1]);
    QCOMPARE(reader.counts().checksumErrors, 3);
}

void TstPrinterDecoder::refusesBrokenPrints_data()
{
    QTest::addColumn<QByteArray>("capture");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("insidePacket");
    QTest::addColumn<QString>("reason");

    // Every broken print follows a good one, which stays.
    const QByteArray good = test::captureOf({test::fourShadeShot(160, 144, 5)});
    CaptureStyle noChatter;
    noChatter.chatter = false;
    const QList<QByteArray> packets =
        test::printPackets({test::fourShadeShot(160, 144, 6)}, noChatter);
    const QByteArray second = test::captureText(packets, noChatter);
    const qsizetype fifthLine = second.indexOf('\n', second.indexOf("88 33 04") + 2000);
    QTest::newRow("cut inside a data packet")
        << good + second.left(second.lastIndexOf(' ', fifthLine - 400))
        << int(PrintResult::Outcome::CutShort) << true << "Print 2 is cut short";
    QTest::newRow("no print command")
        << good + test::captureText(packets.mid(0, 5), noChatter)
        << int(PrintResult::Outcome::CutShort) << false << "Print 2 is cut short";

    const auto command = [&](int cmd, bool compressed, const QByteArray &data) {
        return test::captureText({test::packetBytes(cmd, compressed, data, false)}, noChatter);
    };
    const QByteArray print = command(0x02, false, QByteArray("\x01\x13\xE4\x40", 4));
    QByteArray tall;
    for (int band = 0; band < 17; ++band)
        tall += command(0x04, true, QByteArray("\xFF\x00\xFF\x00\xFF\x00\xFF\x00\xFA\x00", 10));
    QTest::newRow("seventeen bands")
        << good + tall + print << int(PrintResult::Outcome::TooTall) << false
        << "Print 2 is refused: it is more than 32 rows of tiles";
    QTest::newRow("half a tile row")
        << good + command(0x04, false, QByteArray(160, '\x55')) + print
        << int(PrintResult::Outcome::BadWidth) << false << "twenty tiles";
    QTest::newRow("a run past the end")
        << good + command(0x04, true, QByteArray("\x05\x01\x02", 3)) + print
        << int(PrintResult::Outcome::BadData) << false << "packet 14";
}

void TstPrinterDecoder::refusesBrokenPrints()
{
    QFETCH(QByteArray, capture);
    QFETCH(int, outcome);
    QFETCH(bool, insidePacket);
    QFETCH(QString, reason);
    CaptureReader reader;
    const QList<PrintResult> prints = decodeAtOnce(capture, reader);
    QCOMPARE(prints.size(), 2);
    QVERIFY(prints[0].printed());
    QCOMPARE(prints[0].picture, test::fourShadeShot(160, 144, 5));
    QCOMPARE(int(prints[1].outcome), outcome);
    QVERIFY(prints[1].picture.isNull());
    QVERIFY2(prints[1].reason().contains(reason), qPrintable(prints[1].reason()));
    QCOMPARE(reader.endedInsidePacket(), insidePacket);
}

void TstPrinterDecoder::countsWhatIsNoCapture()
{
    const QByteArray init = "88 33 01 00 00 00 01 00 81 00\n";
    const QByteArray text = "/* a block\n"
                            "   over lines 88 33 01 00 00 00 01 00 */ 88 33 0F\n"
                            "00 00 00 0F 00 // the rest of a status packet\n"
                            "# 88 33 01 00 00 00 01 00\n"
                            "\n"
                            "   \r\n"
                            "hello printer 88 33 01 00 00 00 01 00\n"
                            "88 33 01 00 00 00 01 0x00 zz\n"
                            "12 34 88 33 77 00 00 00\n" // an unknown command: stray bytes
                            "0x88,0x33,0x01,0x00,0x00,0x00,0x01,0x00,\n" +
                            init + "\xFF\xFE garbage \x01\x02\n" + "88 33 01 00 00 00";
    CaptureReader reader;
    const QList<PrintResult> prints = decodeAtOnce(text, reader);
    QVERIFY(prints.isEmpty());
    const CaptureCounts &c = reader.counts();
    QCOMPARE(c.lines, 13);
    QCOMPARE(c.commentLines, 2);
    QCOMPARE(c.blankLines, 2);
    QCOMPARE(c.unknownLines, 3);
    QCOMPARE(c.byteLines, 6);
    QCOMPARE(c.packets, 3);
    QCOMPARE(c.strayBytes, 6);
    QCOMPARE(c.checksumErrors, 0);
    QVERIFY(reader.endedInsidePacket());
}

void TstPrinterDecoder::undoesTheRunLengthCoding_data()
{
    QTest::addColumn<QByteArray>("in");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("literal") << QByteArray("\x02\x0A\x0B\x0C", 4) << true
                             << QByteArray("\x0A\x0B\x0C");
    QTest::newRow("shortest run") << QByteArray("\x80\x07", 2) << true << QByteArray("\x07\x07");
    QTest::newRow("longest run") << QByteArray("\xFF\x00", 2) << true << QByteArray(129, '\0');
    QTest::newRow("longest literal")
        << QByteArray(1, '\x7F') + QByteArray(128, 'x') << true << QByteArray(128, 'x');
    QTest::newRow("literal cut short") << QByteArray("\x03\x01\x02", 3) << false << QByteArray();
    QTest::newRow("run without its byte")
        << QByteArray("\x01\x01\x02\x85", 4) << false << QByteArray();
    QTest::newRow("nothing") << QByteArray() << true << QByteArray();
}

void TstPrinterDecoder::undoesTheRunLengthCoding()
{
    QFETCH(QByteArray, in);
    QFETCH(bool, ok);
    QFETCH(QByteArray, out);
    QByteArray plain;
    QCOMPARE(decompress(in, plain), ok);
    if (ok)
        QCOMPARE(plain, out);
    // Our encoder and the decoder agree on every picture's data.
    const QByteArray tiles = test::tilesOf(test::stripedShot(160, 16, 11), 0xE4);
    QByteArray back;
    QVERIFY(decompress(test::compressTiles(tiles), back));
    QCOMPARE(back, tiles);
}

QTEST_GUILESS_MAIN(TstPrinterDecoder)
#include "tst_printer_decoder.moc"
