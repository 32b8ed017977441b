#include "data/browser_pictures.h"
#include "data/editor_pictures.h"
#include "data/tool_pictures.h"

#include <QtTest>

#include <set>

using namespace camvista::data;

namespace
{

constexpr QRgb kBlack = 0xff000000;

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y);
}

bool everyPixelOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(at(image, x, y)) != 255)
                return false;
    return true;
}

// The rectangle of the console body that the editor's working picture covers.
const QRect kScreen(80, 64, 160, 144);

} // namespace

class TstWindowPictures : public QObject
{
    Q_OBJECT

private slots:
    void sizeFormatAndOpacity_data();
    void sizeFormatAndOpacity();
    void placeholderUsesOnlyTheFourShades_data();
    void placeholderUsesOnlyTheFourShades();
    void iconsAreDistinctOnASeeThroughGround();
    void cursorLensIsCentredOnTheHotSpot_data();
    void cursorLensIsCentredOnTheHotSpot();
    void consoleVersionsShareOneOutline();
    void consoleScreenSitsInsideTheBody_data();
    void consoleScreenSitsInsideTheBody();
};

void TstWindowPictures::sizeFormatAndOpacity_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QImage>("again");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("opaque");

    QTest::newRow("placeholder") << previewPlaceholder() << previewPlaceholder() << QSize(160, 144)
                                 << true;
    QTest::newRow("tools' placeholder")
        << toolPreviewPlaceholder() << toolPreviewPlaceholder() << QSize(160, 144) << true;
    QTest::newRow("mosaic wallpaper button")
        << wallpaperButtonPicture(ToolKind::Mosaic) << wallpaperButtonPicture(ToolKind::Mosaic)
        << QSize(96, 96) << false;
    QTest::newRow("panorama wallpaper button")
        << wallpaperButtonPicture(ToolKind::Panorama) << wallpaperButtonPicture(ToolKind::Panorama)
        << QSize(96, 96) << false;
    QTest::newRow("cursor") << previewCursor() << previewCursor() << QSize(32, 32) << false;
    for (int i = 0; i < 4; ++i) {
        const auto which = static_cast<BrowserIcon>(i);
        QTest::addRow("icon %d", i)
            << browserIcon(which) << browserIcon(which) << QSize(24, 24) << false;
    }
    QTest::newRow("blue console") << consoleBody(ConsoleColour::Blue)
                                  << consoleBody(ConsoleColour::Blue) << QSize(319, 480) << true;
    QTest::newRow("green console") << consoleBody(ConsoleColour::Green)
                                   << consoleBody(ConsoleColour::Green) << QSize(319, 480) << true;
}

void TstWindowPictures::sizeFormatAndOpacity()
{
    QFETCH(QImage, image);
    QFETCH(QImage, again);
    QFETCH(QSize, size);
    QFETCH(bool, opaque);

    QCOMPARE(image.size(), size);
    QCOMPARE(image, again); // drawn the same way every time
    if (opaque) {
        QVERIFY(everyPixelOpaque(image));
    } else {
        QCOMPARE(image.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(qAlpha(at(image, 0, 0)), 0);
    }
}

void TstWindowPictures::placeholderUsesOnlyTheFourShades_data()
{
    QTest::addColumn<QImage>("image");
    QTest::newRow("browser") << previewPlaceholder();
    QTest::newRow("tools") << toolPreviewPlaceholder();
}

void TstWindowPictures::placeholderUsesOnlyTheFourShades()
{
    QFETCH(QImage, image);
    const std::set<QRgb> shades = {kBlack, qRgb(128, 128, 128), qRgb(192, 192, 192),
                                   qRgb(255, 255, 255)};
    std::set<QRgb> used;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            used.insert(at(image, x, y));
    for (const QRgb p : used)
        QVERIFY2(shades.count(p) == 1, qPrintable(QString::number(p, 16)));
    QCOMPARE(used.size(), shades.size());
}

void TstWindowPictures::iconsAreDistinctOnASeeThroughGround()
{
    QList<QImage> icons;
    for (int i = 0; i < 4; ++i) {
        const QImage icon = browserIcon(static_cast<BrowserIcon>(i));
        int solid = 0, clear = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) {
                solid += qAlpha(at(icon, x, y)) == 255 ? 1 : 0;
                clear += qAlpha(at(icon, x, y)) == 0 ? 1 : 0;
            }
        QVERIFY2(solid > 24 * 24 / 3, qPrintable(QString("icon %1 is nearly empty").arg(i)));
        QVERIFY2(clear > 24 * 24 / 10, qPrintable(QString("icon %1 has no ground").arg(i)));
        for (const QImage &other : icons)
            QVERIFY2(icon != other, qPrintable(QString("icon %1 repeats another").arg(i)));
        icons << icon;
    }
}

void TstWindowPictures::cursorLensIsCentredOnTheHotSpot_data()
{
    QTest::addColumn<QPoint>("step");
    QTest::newRow("up") << QPoint(0, -1);
    QTest::newRow("down") << QPoint(0, 1);
    QTest::newRow("left") << QPoint(-1, 0);
    QTest::newRow("right") << QPoint(1, 0);
}

void TstWindowPictures::cursorLensIsCentredOnTheHotSpot()
{
    QFETCH(QPoint, step);
    const QImage cursor = previewCursor();
    const QPoint hotSpot(16, 16);
    QCOMPARE(qAlpha(at(cursor, hotSpot.x(), hotSpot.y())), 0); // the picture shows through

    // From the hot spot outwards: clear glass, then a black, white, black rim at the same
    // distance whichever way one goes.
    QPoint p = hotSpot;
    int glass = 0;
    while (qAlpha(at(cursor, p.x(), p.y())) == 0) {
        p += step;
        ++glass;
    }
    QCOMPARE(glass, 7);
    QList<QRgb> rim;
    while (qAlpha(at(cursor, p.x(), p.y())) == 255 && rim.size() < 8) {
        const QRgb c = at(cursor, p.x(), p.y());
        if (rim.isEmpty() || rim.last() != c)
            rim << c;
        p += step;
    }
    QCOMPARE(rim, (QList<QRgb>{kBlack, qRgb(255, 255, 255), kBlack}));
}

void TstWindowPictures::consoleVersionsShareOneOutline()
{
    const QImage blue = consoleBody(ConsoleColour::Blue);
    const QImage green = consoleBody(ConsoleColour::Green);
    QVERIFY(blue != green);
    for (int y = 0; y < blue.height(); ++y)
        for (int x = 0; x < blue.width(); ++x)
            if ((at(blue, x, y) == kBlack) != (at(green, x, y) == kBlack))
                QFAIL(qPrintable(QString("outlines differ at %1,%2").arg(x).arg(y)));
    // Rounded corners blend into the window's black; the body reaches the last column.
    for (const QPoint corner : {QPoint(0, 0), QPoint(318, 0), QPoint(0, 479), QPoint(318, 479)})
        QCOMPARE(at(blue, corner.x(), corner.y()), kBlack);
    QVERIFY(at(blue, 318, 240) != kBlack);
    QVERIFY(at(blue, 0, 240) != kBlack);
}

void TstWindowPictures::consoleScreenSitsInsideTheBody_data()
{
    QTest::addColumn<QImage>("body");
    QTest::newRow("blue") << consoleBody(ConsoleColour::Blue);
    QTest::newRow("green") << consoleBody(ConsoleColour::Green);
}

void TstWindowPictures::consoleScreenSitsInsideTheBody()
{
    QFETCH(QImage, body);
    // The picture and a margin of bezel round it lie on the body, never on the black ground.
    const QRect around = kScreen.adjusted(-16, -16, 16, 16);
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            if (at(body, x, y) == kBlack)
                QFAIL(qPrintable(QString("black at %1,%2").arg(x).arg(y)));
    // The bezel round the screen is one dark colour on all four sides.
    const QRgb bezel = at(body, kScreen.left() - 10, kScreen.center().y());
    QVERIFY(qGray(bezel) < 96);
    QCOMPARE(at(body, kScreen.right() + 10, kScreen.center().y()), bezel);
    QCOMPARE(at(body, kScreen.center().x(), kScreen.top() - 10), bezel);
}

QTEST_GUILESS_MAIN(TstWindowPictures)
#include "tst_window_pictures.moc"
