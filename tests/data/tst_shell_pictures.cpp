#include "data/shell_pictures.h"

#include <QtTest>

#include <functional>
#include <set>

using namespace camvista::data;

namespace
{

bool everyPixelOpaque(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

int countPixels(const QImage &image, const std::function<bool(QRgb)> &test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            n += test(line[x]) ? 1 : 0;
    }
    return n;
}

// Where the user ID dialog lays its text boxes over the card.
const QRect kNameBox(64, 64, 65, 19);
const QRect kMonthBox(63, 88, 18, 19);
const QRect kDayBox(88, 88, 17, 19);
const QRect kYearBox(112, 88, 33, 19);
const QRect kUserIdBox(80, 112, 65, 19);

} // namespace

class TstShellPictures : public QObject
{
    Q_OBJECT

private slots:
    void sizeFormatAndOpacity_data();
    void sizeFormatAndOpacity();
    void cameraArtUsesOnlyTheFourShades_data();
    void cameraArtUsesOnlyTheFourShades();
    void toolbarIconsAreDrawnAndDistinct();
    void idCardKeepsTheBoxesClearWithLabelsBeside_data();
    void idCardKeepsTheBoxesClearWithLabelsBeside();
    void surpriseIsATwistOfTheAboutShot();
    void applicationIconRefusesEmptySizes();
};

void TstShellPictures::sizeFormatAndOpacity_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QImage>("again");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("opaque");

    const auto row = [](const char *name, QImage (*draw)(), QSize size, bool opaque) {
        QTest::newRow(name) << draw() << draw() << size << opaque;
    };
    row("splash", &splashPicture, QSize(334, 250), true);
    row("background", &backgroundPhotograph, QSize(1500, 1004), true);
    row("id card", &idCardPicture, QSize(160, 144), true);
    row("about", &aboutPicture, QSize(160, 144), true);
    row("about surprise", &aboutSurprisePicture, QSize(160, 144), true);
    for (const int s : {16, 24, 32, 48, 256})
        QTest::addRow("application icon %d", s)
            << applicationIcon(s) << applicationIcon(s) << QSize(s, s) << false;
    for (int i = 0; i < 8; ++i) {
        const auto which = static_cast<ToolbarIcon>(i);
        QTest::addRow("toolbar icon %d", i)
            << toolbarIcon(which) << toolbarIcon(which) << QSize(48, 48) << false;
    }
}

void TstShellPictures::sizeFormatAndOpacity()
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
        // Icons go onto toolbars and title bars: premultiplied, with a see-through ground.
        QCOMPARE(image.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(qAlpha(image.pixel(0, 0)) == 0 || qAlpha(image.pixel(size.width() - 1, 0)) == 0 ||
                     qAlpha(image.pixel(0, size.height() - 1)) == 0,
                 true);
    }
}

void TstShellPictures::cameraArtUsesOnlyTheFourShades_data()
{
    QTest::addColumn<QImage>("image");
    QTest::newRow("id card") << idCardPicture();
    QTest::newRow("about") << aboutPicture();
    QTest::newRow("about surprise") << aboutSurprisePicture();
}

void TstShellPictures::cameraArtUsesOnlyTheFourShades()
{
    QFETCH(QImage, image);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const std::set<QRgb> shades = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                                   qRgb(255, 255, 255)};
    std::set<QRgb> used;
    countPixels(rgb, [&](QRgb p) {
        used.insert(p | 0xff000000u);
        return true;
    });
    for (const QRgb p : used)
        QVERIFY2(shades.count(p) == 1, qPrintable(QString::number(p, 16)));
    QVERIFY(used.size() >= 3); // a real picture, not a flat fill
}

void TstShellPictures::toolbarIconsAreDrawnAndDistinct()
{
    QList<QImage> icons;
    for (int i = 0; i < 8; ++i) {
        const QImage icon = toolbarIcon(static_cast<ToolbarIcon>(i));
        const int solid = countPixels(icon, [](QRgb p) { return qAlpha(p) == 255; });
        QVERIFY2(solid > 48 * 48 / 4, qPrintable(QString("icon %1 is nearly empty").arg(i)));
        for (const QImage &other : icons)
            QVERIFY2(icon != other, qPrintable(QString("icon %1 repeats another").arg(i)));
        icons << icon;
    }
}

void TstShellPictures::idCardKeepsTheBoxesClearWithLabelsBeside_data()
{
    QTest::addColumn<QRect>("box");
    QTest::addColumn<bool>("labelled");
    QTest::newRow("name") << kNameBox << true;
    QTest::newRow("month") << kMonthBox << true;
    QTest::newRow("day") << kDayBox << false;
    QTest::newRow("year") << kYearBox << false;
    QTest::newRow("user id") << kUserIdBox << true;
}

void TstShellPictures::idCardKeepsTheBoxesClearWithLabelsBeside()
{
    QFETCH(QRect, box);
    QFETCH(bool, labelled);
    const QImage card = idCardPicture();

    // The text box sits on one flat field.
    const QRgb field = card.pixel(box.topLeft());
    QCOMPARE(countPixels(card.copy(box), [field](QRgb p) { return p != field; }), 0);

    // Its label is black pixel-font lettering in the band of rows beside it, left of it.
    if (labelled) {
        const QRect band(6, box.y(), box.x() - 8, box.height());
        const int ink = countPixels(card.copy(band), [](QRgb p) { return p == qRgb(0, 0, 0); });
        QVERIFY2(ink >= 20, qPrintable(QString("only %1 label pixels").arg(ink)));
    }
}

void TstShellPictures::surpriseIsATwistOfTheAboutShot()
{
    const QImage about = aboutPicture();
    const QImage surprise = aboutSurprisePicture();
    QVERIFY(about != surprise);
    // Same 16-pixel camera frame, and most of the scene unchanged.
    const QRect scene(16, 16, 128, 112);
    int changed = 0;
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 160; ++x) {
            if (about.pixel(x, y) == surprise.pixel(x, y))
                continue;
            QVERIFY2(scene.contains(x, y),
                     qPrintable(QString("frame differs at %1,%2").arg(x).arg(y)));
            ++changed;
        }
    QVERIFY(changed < scene.width() * scene.height() / 4);
}

void TstShellPictures::applicationIconRefusesEmptySizes()
{
    QVERIFY(applicationIcon(0).isNull());
    QVERIFY(applicationIcon(-16).isNull());
}

QTEST_GUILESS_MAIN(TstShellPictures)
#include "tst_shell_pictures.moc"
