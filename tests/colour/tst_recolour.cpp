#include "ui/recolour.h"

#include "colour/palette_catalogue.h"
#include "colour/shades.h"
#include "platform/fake_desktop.h"
#include "ui/picture_surface.h"

#include <QtTest>

#include <map>
#include <random>

using namespace camvista;

using ColourMap = std::map<QRgb, QRgb>;

namespace
{

// A framed shot in the four shades, with a few pixels of colours that are none of them.
QImage shot(uint seed)
{
    std::mt19937 rng(seed);
    const QRgb shades[] = {kWhite, kLightGrey, kDarkGrey, kBlack};
    const QRgb strangers[] = {qRgb(127, 128, 128), qRgb(200, 10, 10), qRgb(2, 2, 2)};
    QImage img(160, 144, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            row[x] = rng() % 16 ? shades[rng() % 4] : strangers[rng() % 3];
    }
    return img;
}

// The shot as the palette should leave it, from a colour map written in the test.
QImage mapped(const QImage &picture, const ColourMap &colours)
{
    QImage out = picture.copy();
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (const auto it = colours.find(row[x]); it != colours.end())
                row[x] = it->second;
    }
    return out;
}

std::span<const ColourPass> passesOf(const QString &control)
{
    const NamedPalette *palette = findPalette(control);
    if (!palette)
        qFatal("no palette %s", qPrintable(control));
    return palette->passes();
}

// A surface as the editor's working picture is: the size of a framed shot.
struct Working {
    Working()
    {
        surface.setAutoSize(true);
        surface.setPicture(shot(99));
    }
    PictureSurface surface;
    FakeDesktop desktop;
};

// The working picture after the palette; a null picture when the application failed.
QImage apply(Working &w, const QImage &held, const QString &control)
{
    if (!applyPalette(w.surface, held, passesOf(control), w.desktop))
        return {};
    return w.surface.picture();
}

bool same(const QImage &a, const QImage &b)
{
    return !a.isNull() &&
           a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TstRecolour : public QObject
{
    Q_OBJECT

private slots:
    void recoloursTheHeldShotAndCommits_data();
    void recoloursTheHeldShotAndCommits();
    void sameTwiceIsOnce_data();
    void sameTwiceIsOnce();
    void laterPaletteReplacesEarlier_data();
    void laterPaletteReplacesEarlier();
    void nearShadesNeverChange();
};

void TstRecolour::recoloursTheHeldShotAndCommits_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<ColourMap>("colours");
    QTest::newRow("Game Boy Mono") << QStringLiteral("Command1")
                                   << ColourMap{{kWhite, qRgb(155, 188, 15)},
                                                {kLightGrey, qRgb(139, 172, 15)},
                                                {kDarkGrey, qRgb(48, 98, 48)},
                                                {kBlack, qRgb(15, 56, 15)}};
    // Black ends white, never (2,2,2): no pixel is changed twice.
    QTest::newRow("Negative") << QStringLiteral("Command6")
                              << ColourMap{{kWhite, qRgb(2, 2, 2)},
                                           {kLightGrey, qRgb(63, 63, 63)},
                                           {kDarkGrey, qRgb(127, 127, 127)},
                                           {kBlack, qRgb(255, 255, 255)}};
    // White ends black, not (252,250,252).
    QTest::newRow("Reverse") << QStringLiteral("Label13")
                             << ColourMap{{kWhite, qRgb(0, 0, 0)},
                                          {kLightGrey, qRgb(4, 162, 164)},
                                          {kDarkGrey, qRgb(244, 254, 4)},
                                          {kBlack, qRgb(252, 250, 252)}};
    QTest::newRow("Matrix keeps black") << QStringLiteral("Command20")
                                        << ColourMap{{kWhite, qRgb(154, 255, 215)},
                                                     {kLightGrey, qRgb(0, 196, 91)},
                                                     {kDarkGrey, qRgb(0, 126, 29)}};
    QTest::newRow("Gold keeps black and white")
        << QStringLiteral("Command16")
        << ColourMap{{kLightGrey, qRgb(238, 193, 66)}, {kDarkGrey, qRgb(179, 77, 29)}};
}

void TstRecolour::recoloursTheHeldShotAndCommits()
{
    QFETCH(QString, control);
    QFETCH(ColourMap, colours);
    Working w;
    // Something already drawn on the working picture: the palette must start from the held shot.
    w.surface.layer().fill(qRgb(9, 9, 9));
    const QImage held = shot(1);
    const QImage heldBefore = held.copy();

    const QImage result = apply(w, held, control);

    const QImage expected = mapped(held, colours);
    QVERIFY(same(result, expected));
    QVERIFY(same(w.surface.image(), expected));
    QCOMPARE(w.desktop.clipboardWrites, 1);
    QVERIFY(same(w.desktop.clipboard, result));
    QVERIFY(same(held, heldBefore));
}

void TstRecolour::sameTwiceIsOnce_data()
{
    QTest::addColumn<QString>("control");
    for (const NamedPalette &palette : namedPalettes())
        QTest::newRow(palette.caption.toUtf8().constData()) << palette.control.toString();
}

void TstRecolour::sameTwiceIsOnce()
{
    QFETCH(QString, control);
    Working w;
    const QImage held = shot(2);
    const QImage once = apply(w, held, control);
    QVERIFY(!same(once, held));
    const QImage twice = apply(w, held, control);
    QVERIFY(same(twice, once));
    QVERIFY(same(w.desktop.clipboard, once));
    QCOMPARE(w.desktop.clipboardWrites, 2);
}

void TstRecolour::laterPaletteReplacesEarlier_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QRgb>("lightEnds");
    QTest::addColumn<QRgb>("darkEnds");
    QTest::newRow("Orange then Green") << QStringLiteral("Label6") << QStringLiteral("Label11")
                                       << qRgb(4, 250, 4) << qRgb(252, 50, 4);
    QTest::newRow("Negative then Mono") << QStringLiteral("Command6") << QStringLiteral("Command1")
                                        << qRgb(139, 172, 15) << qRgb(48, 98, 48);
    QTest::newRow("Reverse then Gray") << QStringLiteral("Label13") << QStringLiteral("Label10")
                                       << qRgb(188, 186, 188) << qRgb(116, 114, 116);
    QTest::newRow("Bridge then Poker") << QStringLiteral("Command14") << QStringLiteral("Command21")
                                       << qRgb(122, 145, 108) << qRgb(0, 61, 108);
}

void TstRecolour::laterPaletteReplacesEarlier()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QRgb, lightEnds);
    QFETCH(QRgb, darkEnds);
    const QImage held = shot(3);
    Working both;
    apply(both, held, first);
    const QImage result = apply(both, held, second);
    Working alone;
    QVERIFY(same(result, apply(alone, held, second)));
    QVERIFY(same(both.desktop.clipboard, result));

    // Pixel (x, y) of a light or dark grey in the held shot.
    for (int y = 0; y < held.height(); ++y)
        for (int x = 0; x < held.width(); ++x) {
            if (held.pixel(x, y) == kLightGrey)
                QCOMPARE(result.pixel(x, y), lightEnds);
            else if (held.pixel(x, y) == kDarkGrey)
                QCOMPARE(result.pixel(x, y), darkEnds);
        }
}

void TstRecolour::nearShadesNeverChange()
{
    // One step off a shade in one channel, and colours that are targets elsewhere.
    const QRgb near[] = {qRgb(127, 128, 128), qRgb(128, 127, 128), qRgb(128, 128, 129),
                         qRgb(191, 192, 192), qRgb(192, 193, 192), qRgb(254, 255, 255),
                         qRgb(255, 255, 254), qRgb(1, 0, 0),       qRgb(0, 0, 1),
                         qRgb(2, 2, 2),       qRgb(252, 250, 252), qRgb(4, 250, 4)};
    QImage held(160, 144, QImage::Format_RGB32);
    for (int y = 0; y < held.height(); ++y)
        for (int x = 0; x < held.width(); ++x)
            held.setPixel(x, y, near[(x + 3 * y) % std::size(near)]);
    Working w;
    for (const NamedPalette &palette : namedPalettes()) {
        QVERIFY(applyPalette(w.surface, held, palette.passes(), w.desktop));
        QVERIFY2(same(w.surface.picture(), held), qPrintable(palette.caption.toString()));
    }
}

QTEST_MAIN(TstRecolour)
#include "tst_recolour.moc"
