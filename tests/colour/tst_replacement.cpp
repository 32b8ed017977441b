#include "colour/replacement.h"
#include "colour/shades.h"

#include <QtTest>

#include <random>
#include <vector>

using namespace camvista;

namespace
{

// The pass written the plain way, one pixel read and write at a time: columns outside, rows
// inside, both ends included; a read outside the picture gives -1, which matches nothing.
void referencePass(QImage &img, QRgb source, QRgb target)
{
    const qint64 wanted = source & 0xFFFFFFu;
    for (int x = 0; x <= img.width(); ++x) {
        for (int y = 0; y <= img.height(); ++y) {
            const qint64 read = img.valid(x, y) ? qint64(img.pixel(x, y) & 0xFFFFFFu) : -1;
            if (read == wanted)
                img.setPixel(x, y, (img.pixel(x, y) & 0xFF000000u) | (target & 0xFFFFFFu));
        }
    }
}

void referencePasses(QImage &img, const std::vector<ColourPass> &passes)
{
    for (const ColourPass &pass : passes)
        referencePass(img, pass.source, pass.target);
}

QString hexColour(QRgb c)
{
    return QStringLiteral("#%1").arg(c, 8, 16, QChar(u'0'));
}

// Compares two pictures pixel by pixel and names the first difference.
bool samePixels(const QImage &actual, const QImage &expected, QString *why)
{
    if (actual.size() != expected.size() || actual.format() != expected.format()) {
        *why = QStringLiteral("size or format differs");
        return false;
    }
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                *why = QStringLiteral("(%1,%2): %3, expected %4")
                           .arg(x)
                           .arg(y)
                           .arg(hexColour(actual.pixel(x, y)), hexColour(expected.pixel(x, y)));
                return false;
            }
    return true;
}

} // namespace

class TstReplacement : public QObject
{
    Q_OBJECT

private slots:
    void matchesThePlainLoop_data();
    void matchesThePlainLoop();
    void matchingIsExactInTwentyFourBits_data();
    void matchingIsExactInTwentyFourBits();
    void passesChainInOrder_data();
    void passesChainInOrder();
    void otherFormatsBecomeRgb32_data();
    void otherFormatsBecomeRgb32();
    void nothingToDoLeavesThePictureAlone();
    void sharedPixelsStayWithTheirOwner();
};

void TstReplacement::matchesThePlainLoop_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("withAlpha");
    QTest::addColumn<uint>("seed");
    QTest::newRow("one pixel") << 1 << 1 << false << 1u;
    QTest::newRow("one row") << 37 << 1 << false << 2u;
    QTest::newRow("one column") << 1 << 29 << false << 3u;
    QTest::newRow("framed shot") << 160 << 144 << false << 4u;
    QTest::newRow("unframed shot") << 128 << 112 << false << 5u;
    QTest::newRow("odd width, vector tail") << 161 << 13 << false << 6u;
    QTest::newRow("wide") << 1031 << 3 << false << 7u;
    QTest::newRow("another shot") << 160 << 144 << false << 8u;
    QTest::newRow("with alpha") << 97 << 31 << true << 9u;
    QTest::newRow("with alpha, shot") << 160 << 144 << true << 10u;
}

// Random pictures of a few colours and random palettes over them, with targets that are later
// sources, so chains, merges and swaps all occur.
void TstReplacement::matchesThePlainLoop()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, withAlpha);
    QFETCH(uint, seed);
    std::mt19937 rng(seed);
    const std::vector<QRgb> colours{kWhite,           kLightGrey,          kDarkGrey,
                                    kBlack,           qRgb(127, 128, 128), qRgb(2, 2, 2),
                                    qRgb(252, 50, 4), qRgb(4, 250, 4)};
    auto anyColour = [&] { return colours[rng() % colours.size()]; };

    for (int round = 0; round < 20; ++round) {
        QImage picture(width, height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < width; ++x) {
                // Mostly palette colours, some noise that nearly never matches.
                const QRgb colour = rng() % 8 ? anyColour() : QRgb(rng() & 0xFFFFFFu);
                const QRgb alpha = withAlpha ? (rng() & 0xFF000000u) : 0xFF000000u;
                row[x] = alpha | (colour & 0xFFFFFFu);
            }
        }
        std::vector<ColourPass> passes(1 + rng() % 9);
        for (ColourPass &pass : passes) {
            // Sometimes the source comes with a stray high byte: it must not matter.
            pass.source = anyColour() & (rng() % 2 ? 0xFFFFFFFFu : 0x00FFFFFFu);
            pass.target = rng() % 4 ? anyColour() : QRgb(0xFF000000u | (rng() & 0xFFFFFFu));
        }

        QImage expected = picture.copy();
        referencePasses(expected, passes);
        // In place on pixels of its own, and from pixels shared with `picture`.
        QImage actual = picture.copy();
        QVERIFY(runPasses(actual, passes));
        QImage fromShared = picture;
        QVERIFY(runPasses(fromShared, passes));
        QString why;
        QVERIFY2(
            samePixels(actual, expected, &why),
            qPrintable(
                QStringLiteral("round %1, %2 passes: %3").arg(round).arg(passes.size()).arg(why)));
        QVERIFY2(samePixels(fromShared, expected, &why), qPrintable(why));
        QVERIFY(fromShared.constBits() != picture.constBits());

        // One pass alone, through the single-pass call.
        QImage single = picture.copy();
        replaceColour(single, passes.front().source, passes.front().target);
        QImage singleExpected = picture.copy();
        referencePass(singleExpected, passes.front().source, passes.front().target);
        QVERIFY2(samePixels(single, singleExpected, &why), qPrintable(why));
    }
}

void TstReplacement::matchingIsExactInTwentyFourBits_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<QRgb>("source");
    QTest::addColumn<QRgb>("after");
    const QRgb target = qRgb(10, 20, 30);
    QTest::newRow("dark grey") << kDarkGrey << kDarkGrey << target;
    QTest::newRow("red one below") << qRgb(127, 128, 128) << kDarkGrey << qRgb(127, 128, 128);
    QTest::newRow("green one above") << qRgb(128, 129, 128) << kDarkGrey << qRgb(128, 129, 128);
    QTest::newRow("blue one below") << qRgb(192, 192, 191) << kLightGrey << qRgb(192, 192, 191);
    QTest::newRow("near white") << qRgb(255, 255, 254) << kWhite << qRgb(255, 255, 254);
    QTest::newRow("near black") << qRgb(1, 0, 0) << kBlack << qRgb(1, 0, 0);
    QTest::newRow("source without alpha byte") << kBlack << QRgb(0x000000u) << target;
    QTest::newRow("source with odd high byte") << kWhite << QRgb(0x12FFFFFFu) << target;
}

void TstReplacement::matchingIsExactInTwentyFourBits()
{
    QFETCH(QRgb, pixel);
    QFETCH(QRgb, source);
    QFETCH(QRgb, after);
    // Wide enough for the vector body and its tail.
    QImage picture(67, 2, QImage::Format_RGB32);
    picture.fill(pixel);
    replaceColour(picture, source, qRgb(10, 20, 30));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            QCOMPARE(hexColour(picture.pixel(x, y)), hexColour(after));
}

void TstReplacement::passesChainInOrder_data()
{
    const QRgb a = qRgb(1, 1, 1);
    const QRgb b = qRgb(2, 2, 2);
    const QRgb c = qRgb(3, 3, 3);
    QTest::addColumn<std::vector<ColourPass>>("passes");
    QTest::addColumn<QRgb>("start");
    QTest::addColumn<QRgb>("end");
    QTest::newRow("a to b, then b to c") << std::vector<ColourPass>{{a, b}, {b, c}} << a << c;
    QTest::newRow("b to c, then a to b") << std::vector<ColourPass>{{b, c}, {a, b}} << a << b;
    QTest::newRow("swap goes round") << std::vector<ColourPass>{{a, b}, {b, a}} << a << a;
    QTest::newRow("black to white to black")
        << std::vector<ColourPass>{{kBlack, kWhite}, {kWhite, kBlack}} << kWhite << kBlack;
    QTest::newRow("same colour is a no-op") << std::vector<ColourPass>{{a, a}} << a << a;
    QTest::newRow("untouched") << std::vector<ColourPass>{{a, b}, {b, c}} << c << c;
}

void TstReplacement::passesChainInOrder()
{
    QFETCH(std::vector<ColourPass>, passes);
    QFETCH(QRgb, start);
    QFETCH(QRgb, end);
    QImage picture(19, 5, QImage::Format_RGB32);
    picture.fill(start);
    runPasses(picture, passes);
    QCOMPARE(hexColour(picture.pixel(0, 0)), hexColour(end));
    QCOMPARE(hexColour(picture.pixel(18, 4)), hexColour(end));
}

void TstReplacement::otherFormatsBecomeRgb32_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<QImage::Format>("result");
    QTest::newRow("RGB32 in place") << QImage::Format_RGB32 << QImage::Format_RGB32;
    QTest::newRow("ARGB32 in place") << QImage::Format_ARGB32 << QImage::Format_ARGB32;
    QTest::newRow("premultiplied") << QImage::Format_ARGB32_Premultiplied << QImage::Format_RGB32;
    QTest::newRow("24-bit") << QImage::Format_RGB888 << QImage::Format_RGB32;
    QTest::newRow("indexed") << QImage::Format_Indexed8 << QImage::Format_RGB32;
    QTest::newRow("16-bit per channel") << QImage::Format_RGBX64 << QImage::Format_RGB32;
}

void TstReplacement::otherFormatsBecomeRgb32()
{
    QFETCH(QImage::Format, format);
    QFETCH(QImage::Format, result);
    // The four shades side by side, in the format under test.
    QImage source(4, 1, QImage::Format_RGB32);
    const QRgb shades[] = {kWhite, kLightGrey, kDarkGrey, kBlack};
    for (int x = 0; x < 4; ++x)
        source.setPixel(x, 0, shades[x]);
    QImage picture = source.convertToFormat(format);
    QCOMPARE(picture.format(), format);

    runPasses(picture, std::vector<ColourPass>{{kLightGrey, qRgb(9, 8, 7)}, {kBlack, kWhite}});

    QCOMPARE(picture.format(), result);
    QCOMPARE(hexColour(picture.pixel(0, 0)), hexColour(kWhite));
    QCOMPARE(hexColour(picture.pixel(1, 0)), hexColour(qRgb(9, 8, 7)));
    QCOMPARE(hexColour(picture.pixel(2, 0)), hexColour(kDarkGrey));
    QCOMPARE(hexColour(picture.pixel(3, 0)), hexColour(kWhite));
}

void TstReplacement::nothingToDoLeavesThePictureAlone()
{
    QImage null;
    QVERIFY(runPasses(null, std::vector<ColourPass>{{kBlack, kWhite}}));
    QVERIFY(null.isNull());

    // No passes: not even a format change or a copy of shared pixels.
    QImage indexed(3, 3, QImage::Format_Indexed8);
    indexed.setColorTable({kBlack});
    indexed.fill(0);
    const QImage before = indexed;
    QVERIFY(runPasses(indexed, {}));
    QCOMPARE(indexed.format(), QImage::Format_Indexed8);
    QCOMPARE(indexed.constBits(), before.constBits());
}

// Recolouring pixels shared with another picture leaves that picture as it was and keeps
// what a copy would keep besides the pixels.
void TstReplacement::sharedPixelsStayWithTheirOwner()
{
    QImage shot(8, 8, QImage::Format_ARGB32);
    shot.fill(kBlack);
    shot.setPixel(3, 3, qRgba(0, 0, 0, 7));
    shot.setDotsPerMeterX(1234);
    shot.setDotsPerMeterY(4321);
    shot.setOffset(QPoint(5, 6));
    shot.setText(QStringLiteral("Title"), QStringLiteral("a shot"));
    QImage shared = shot;
    QVERIFY(runPasses(shared, std::vector<ColourPass>{{kBlack, kWhite}}));
    QCOMPARE(hexColour(shared.pixel(0, 0)), hexColour(kWhite));
    QCOMPARE(hexColour(shared.pixel(3, 3)), hexColour(qRgba(255, 255, 255, 7)));
    QCOMPARE(hexColour(shot.pixel(0, 0)), hexColour(kBlack));
    QCOMPARE(shared.format(), QImage::Format_ARGB32);
    QCOMPARE(shared.dotsPerMeterX(), 1234);
    QCOMPARE(shared.dotsPerMeterY(), 4321);
    QCOMPARE(shared.offset(), QPoint(5, 6));
    QCOMPARE(shared.text(QStringLiteral("Title")), QStringLiteral("a shot"));
}

QTEST_GUILESS_MAIN(TstReplacement)
#include "tst_replacement.moc"
