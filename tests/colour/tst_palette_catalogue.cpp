#include "colour/palette_catalogue.h"
#include "colour/shades.h"

#include <QSet>
#include <QtTest>

using namespace camvista;

namespace
{

constexpr QRgb W = qRgb(255, 255, 255);
constexpr QRgb L = qRgb(192, 192, 192);
constexpr QRgb D = qRgb(128, 128, 128);
constexpr QRgb B = qRgb(0, 0, 0);

QChar shadeLetter(QRgb shade)
{
    switch (shade & 0xFFFFFFu) {
    case 0xFFFFFFu:
        return u'W';
    case 0xC0C0C0u:
        return u'L';
    case 0x808080u:
        return u'D';
    case 0x000000u:
        return u'B';
    default:
        return u'?';
    }
}

const NamedPalette &fetchPalette(const QString &control)
{
    const NamedPalette *palette = findPalette(control);
    if (!palette)
        qFatal("no palette %s", qPrintable(control));
    return *palette;
}

// Every row of the catalogue, copied by hand: what each button is, where it sits, and what it
// makes of each shade.
void catalogueRows()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QRgb>("white");
    QTest::addColumn<QRgb>("light");
    QTest::addColumn<QRgb>("dark");
    QTest::addColumn<QRgb>("black");
    QTest::addColumn<QString>("module");
    QTest::addColumn<int>("stripWidth");
    QTest::addColumn<QRect>("twips"); // left, top, width, height

    const QString p1 = QStringLiteral("Palettes");
    const QString p2 = QStringLiteral("PalettesSpec2");
    auto row = [](const char *control, const char *caption, const char *order, QRgb w, QRgb l,
                  QRgb d, QRgb b, const QString &module, int strip, QRect twips) {
        QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(caption)
                               << QString::fromLatin1(order) << w << l << d << b << module << strip
                               << twips;
    };
    row("Command1", "Game Boy Mono", "WDLB", qRgb(155, 188, 15), qRgb(139, 172, 15),
        qRgb(48, 98, 48), qRgb(15, 56, 15), p1, 115, {120, 240, 2895, 375});
    row("Command2", "Game Boy Pocket", "WDLB", qRgb(196, 207, 161), qRgb(139, 149, 109),
        qRgb(77, 83, 60), qRgb(31, 31, 31), p1, 115, {120, 600, 2895, 375});
    row("Command12", "GBA-SP", "WDL", qRgb(240, 240, 240), qRgb(192, 216, 168), qRgb(0, 144, 168),
        B, p1, 115, {120, 960, 2895, 375});
    row("Label3", "Red", "DL", W, qRgb(236, 138, 140), qRgb(172, 38, 36), B, p1, 36,
        {120, 1560, 975, 495});
    row("Label2", "Brown", "DL", W, qRgb(236, 154, 84), qRgb(132, 66, 4), B, p1, 36,
        {1080, 1560, 975, 495});
    row("Label4", "DarkBrown", "DLB", W, qRgb(196, 174, 148), qRgb(148, 122, 76), qRgb(76, 42, 4),
        p1, 36, {2040, 1560, 975, 495});
    row("Label5", "Pastel Mix", "DL", W, qRgb(236, 138, 140), qRgb(156, 146, 244), B, p1, 36,
        {120, 2040, 975, 495});
    row("Label6", "Orange", "DL", W, qRgb(244, 254, 4), qRgb(252, 50, 4), B, p1, 36,
        {1080, 2040, 975, 495});
    row("Label7", "Yellow", "DL", W, qRgb(244, 254, 4), qRgb(132, 66, 4), B, p1, 36,
        {2040, 2040, 975, 495});
    row("Label8", "Blue", "DL", W, qRgb(124, 170, 252), qRgb(4, 50, 252), B, p1, 36,
        {120, 2520, 975, 495});
    row("Label9", "DarkBlue", "DL", W, qRgb(156, 146, 244), qRgb(68, 50, 164), B, p1, 36,
        {1080, 2520, 975, 495});
    row("Label10", "Gray", "DL", W, qRgb(188, 186, 188), qRgb(116, 114, 116), B, p1, 36,
        {2040, 2520, 975, 495});
    row("Label11", "Green", "DL", W, qRgb(4, 250, 4), qRgb(252, 50, 4), B, p1, 36,
        {120, 3000, 975, 495});
    row("Label12", "DarkGreen", "DL", W, qRgb(4, 250, 4), qRgb(4, 50, 252), B, p1, 36,
        {1080, 3000, 975, 495});
    row("Label13", "Reverse", "DLBW", qRgb(0, 0, 0), qRgb(4, 162, 164), qRgb(244, 254, 4),
        qRgb(252, 250, 252), p1, 36, {2040, 3000, 975, 495});
    row("Command6", "Negative", "WDLB", qRgb(2, 2, 2), qRgb(63, 63, 63), qRgb(127, 127, 127),
        qRgb(255, 255, 255), p1, 115, {120, 3960, 2895, 735});
    row("Command5", "Old Times", "DL", W, qRgb(178, 163, 117), qRgb(96, 82, 73), B, p1, 115,
        {3120, 240, 2295, 375});
    row("Command3", "Zelda DX Shots", "WDLB", qRgb(255, 222, 181), qRgb(165, 132, 90),
        qRgb(115, 82, 49), qRgb(74, 41, 24), p1, 87, {3120, 600, 2295, 375});
    row("Command13", "Balloons", "LD", W, qRgb(225, 210, 85), qRgb(27, 102, 145), B, p2, 115,
        {3120, 1080, 2295, 375});
    row("Command14", "Bridge", "WLD", qRgb(232, 254, 190), qRgb(235, 53, 39), qRgb(148, 0, 154), B,
        p2, 115, {3120, 1440, 2295, 375});
    row("Command15", "OldTown", "LDB", W, qRgb(139, 171, 69), qRgb(216, 25, 0), qRgb(32, 32, 32),
        p2, 115, {3120, 1800, 2295, 375});
    row("Command16", "Gold", "LD", W, qRgb(238, 193, 66), qRgb(179, 77, 29), B, p2, 115,
        {3120, 2160, 2295, 375});
    row("Command17", "Pueblo", "LD", W, qRgb(217, 220, 0), qRgb(158, 166, 170), B, p2, 115,
        {3120, 2520, 2295, 375});
    row("Command18", "Ectoplasma", "LD", W, qRgb(101, 253, 26), qRgb(200, 193, 0), B, p2, 115,
        {3120, 2880, 2295, 375});
    row("Command19", "Marble", "LDB", W, qRgb(125, 163, 136), qRgb(86, 83, 86), qRgb(27, 65, 38),
        p2, 115, {3120, 3240, 2295, 375});
    row("Command20", "Matrix", "WLD", qRgb(154, 255, 215), qRgb(0, 196, 91), qRgb(0, 126, 29), B,
        p2, 115, {3120, 3600, 2295, 375});
    row("Command22", "NightClubbing", "LD", W, qRgb(255, 0, 255), qRgb(0, 0, 255), B, p2, 115,
        {3120, 3960, 2295, 375});
    row("Command21", "Poker", "LD", W, qRgb(122, 145, 108), qRgb(0, 61, 108), B, p2, 115,
        {3120, 4320, 2295, 375});
}

// Colours that are none of the shades, some of them one step away from one.
const QList<QRgb> kStrangers{qRgb(127, 128, 128), qRgb(192, 192, 193), qRgb(254, 255, 255),
                             qRgb(0, 0, 1),       qRgb(2, 2, 2),       qRgb(252, 50, 4)};

} // namespace

class TstPaletteCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void describesEachButton_data() { catalogueRows(); }
    void describesEachButton();
    void recoloursEachShade_data() { catalogueRows(); }
    void recoloursEachShade();
    void stripShowsTheFinalColours_data() { catalogueRows(); }
    void stripShowsTheFinalColours();
    void catalogueHoldsEveryButtonOnce();
    void buttonsOnlyShareEdges();
    void gameBoyColourHeading();
};

void TstPaletteCatalogue::describesEachButton()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QString, order);
    QFETCH(QString, module);
    QFETCH(int, stripWidth);
    QFETCH(QRect, twips);
    const NamedPalette &palette = fetchPalette(control);
    QCOMPARE(palette.control.toString(), control);
    QCOMPARE(palette.caption.toString(), caption);
    QCOMPARE(moduleName(palette.module), module);
    QCOMPARE(palette.stripWidth, stripWidth);
    QCOMPARE(palette.gameBoyColour, stripWidth == 36);
    QCOMPARE(QRect(palette.geometry.left, palette.geometry.top, palette.geometry.width,
                   palette.geometry.height),
             twips);
    QString passOrder;
    for (const ColourPass &pass : palette.passes())
        passOrder += shadeLetter(pass.source);
    QCOMPARE(passOrder, order);
}

void TstPaletteCatalogue::recoloursEachShade()
{
    QFETCH(QString, control);
    QFETCH(QRgb, white);
    QFETCH(QRgb, light);
    QFETCH(QRgb, dark);
    QFETCH(QRgb, black);
    const NamedPalette &palette = fetchPalette(control);

    // Several pixels of each shade, mixed with strangers, so each pass sees the others' output.
    const QList<QRgb> shades{W, L, D, B};
    const QList<QRgb> expected{white, light, dark, black};
    QImage picture(24, 3, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, x % 2 ? shades[(x / 2 + y) % 4] : kStrangers[(x / 2 + y) % 6]);

    runPasses(picture, palette.passes());

    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb want = x % 2 ? expected[(x / 2 + y) % 4] : kStrangers[(x / 2 + y) % 6];
            if (picture.pixel(x, y) != want)
                QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(picture.pixel(x, y) & 0xFFFFFF, 6, 16, QChar(u'0'))
                                     .arg(want & 0xFFFFFF, 6, 16, QChar(u'0'))));
        }
}

void TstPaletteCatalogue::stripShowsTheFinalColours()
{
    QFETCH(QString, control);
    QFETCH(QRgb, white);
    QFETCH(QRgb, light);
    QFETCH(QRgb, dark);
    QFETCH(QRgb, black);
    QFETCH(int, stripWidth);
    const QImage strip = paletteStrip(fetchPalette(control));
    QCOMPARE(strip.size(), QSize(stripWidth, 7));

    // Across the middle: line, white block, line, light block, line, dark, line, black, line.
    QList<QRgb> runs;
    QList<int> lengths;
    for (int x = 0; x < strip.width(); ++x) {
        const QRgb px = strip.pixel(x, 3);
        if (runs.isEmpty() || runs.last() != px) {
            runs.append(px);
            lengths.append(0);
        }
        ++lengths.last();
    }
    QCOMPARE(runs.size(), 9);
    const QRgb line = runs[0];
    for (int i = 0; i < 9; i += 2) {
        QCOMPARE(runs[i], line);
        QCOMPARE(lengths[i], 1);
    }
    QCOMPARE(runs[1], white);
    QCOMPARE(runs[3], light);
    QCOMPARE(runs[5], dark);
    QCOMPARE(runs[7], black);
    // Blocks share the width evenly.
    const auto [shortest, longest] = std::minmax({lengths[1], lengths[3], lengths[5], lengths[7]});
    QVERIFY(longest - shortest <= 1);
    // A line frames the strip top and bottom; every column of a block is one colour inside.
    for (int x = 0; x < strip.width(); ++x) {
        QCOMPARE(strip.pixel(x, 0), line);
        QCOMPARE(strip.pixel(x, 6), line);
        for (int y = 1; y < 6; ++y)
            QCOMPARE(strip.pixel(x, y), strip.pixel(x, 3));
    }
}

void TstPaletteCatalogue::catalogueHoldsEveryButtonOnce()
{
    const auto palettes = namedPalettes();
    QCOMPARE(palettes.size(), size_t(28));
    QSet<QString> controls;
    int colourButtons = 0;
    for (const NamedPalette &palette : palettes) {
        controls.insert(palette.control.toString());
        QCOMPARE(findPalette(palette.control), &palette);
        QVERIFY(!palette.passes().empty());
        colourButtons += palette.gameBoyColour ? 1 : 0;
    }
    QCOMPARE(controls.size(), 28);
    QCOMPARE(colourButtons, 12);
    QVERIFY(!controls.contains(QStringLiteral("Label15")));
    QCOMPARE(findPalette(u"Command4"), nullptr);
    QCOMPARE(findPalette(u"command1"), nullptr);
    QCOMPARE(findPalette(u""), nullptr);
}

void TstPaletteCatalogue::buttonsOnlyShareEdges()
{
    QList<std::pair<QString, QRect>> boxes;
    for (const NamedPalette &palette : namedPalettes())
        boxes.append(
            {palette.control.toString(), QRect(palette.geometry.left, palette.geometry.top,
                                               palette.geometry.width, palette.geometry.height)});
    const CatalogueLabel &label = gameBoyColourLabel();
    boxes.append({label.control.toString(), QRect(label.geometry.left, label.geometry.top,
                                                  label.geometry.width, label.geometry.height)});
    // Neighbours share their one-pixel (15-twip) edge, as the window was laid out; anything more
    // is a wrong number in the table.
    for (qsizetype i = 0; i < boxes.size(); ++i)
        for (qsizetype j = i + 1; j < boxes.size(); ++j) {
            const QRect common = boxes[i].second.intersected(boxes[j].second);
            QVERIFY2(std::min(common.width(), common.height()) <= 15,
                     qPrintable(boxes[i].first + QStringLiteral(" overlaps ") + boxes[j].first));
        }
}

void TstPaletteCatalogue::gameBoyColourHeading()
{
    const CatalogueLabel &label = gameBoyColourLabel();
    QCOMPARE(label.control.toString(), QStringLiteral("Label15"));
    QCOMPARE(label.caption.toString(), QStringLiteral("Game Boy Color Palettes:"));
    QCOMPARE(
        QRect(label.geometry.left, label.geometry.top, label.geometry.width, label.geometry.height),
        QRect(120, 1320, 2055, 255));
}

QTEST_GUILESS_MAIN(TstPaletteCatalogue)
#include "tst_palette_catalogue.moc"
