#include "editor/editor_window.h"
#include "editor/second_step_panel.h"

#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "ui/file_list.h"
#include "ui/picture_surface.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

using namespace camvista;

namespace
{

constexpr QRgb kGrey = 0xff808080;

// Blue 0x5a, red and green tell the position: any misplaced pixel shows.
QImage numberedShot()
{
    QImage img(160, 144, QImage::Format_RGB32);
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 160; ++x)
            img.setPixel(x, y, qRgb(x, y, 0x5a));
    return img;
}

// f x s + (1 - f) x p, f = a / 255 in single precision, each step rounded as the blend does.
int mixByHand(int a, int s, int p)
{
    const float f = float(double(a) / 255.0);
    const float g = 1.0f - f;
    const float mine = f * float(s);
    const float under = g * float(p);
    return int(std::nearbyint(double(mine + under)));
}

QRgb mixRgb(int a, QRgb s, QRgb p)
{
    return qRgb(mixByHand(a, qRed(s), qRed(p)), mixByHand(a, qGreen(s), qGreen(p)),
                mixByHand(a, qBlue(s), qBlue(p)));
}

// A 32 x 32 stamp in three bands of columns: alpha 0, 255 and 128, all in one colour.
constexpr QRgb kInk = qRgb(200, 40, 250);
QImage bandedStamp()
{
    QImage img(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int a = x < 8 ? 0 : x < 16 ? 255 : 128;
            img.setPixel(x, y, qRgba(qRed(kInk), qGreen(kInk), qBlue(kInk), a));
        }
    return img;
}

int alphaOfColumn(int x)
{
    return x < 8 ? 0 : x < 16 ? 255 : 128;
}

struct StampEditor {
    test::TempAppFolder app;
    FakeDesktop desktop;
    EditorWindow *window = nullptr;

    StampEditor()
    {
        QDir(app.path()).mkpath(QStringLiteral("stamps"));
        bandedStamp().save(app.file(QStringLiteral("stamps/banded.png")), "PNG");
        QImage half(4, 4, QImage::Format_ARGB32);
        half.fill(qRgba(255, 255, 255, 128));
        half.save(app.file(QStringLiteral("stamps/half.png")), "PNG");
        app.write(QStringLiteral("stamps/broken.png"), QByteArray("no picture here"));
        app.write(QStringLiteral("stamps/notes.txt"), QByteArray("not listed"));
        window = new EditorWindow(desktop, app.paths());
        window->picture1()->setPicture(numberedShot());
        window->picture3()->setPicture(numberedShot());
        window->firstcom()->click(); // into the second step
    }
    ~StampEditor() { delete window; }

    SecondStepPanel &panel() { return *window->secondStepPanel(); }
    QLabel &box() { return *window->stampBox(); }
    QString stamp(const QString &name) const { return app.file(QStringLiteral("stamps/") + name); }
    QImage shown() const { return window->picture1()->renderAsShown(); }

    void mouse(QEvent::Type type, QPoint local, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(local), box().mapToGlobal(QPointF(local)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&box(), &event);
    }
    // Presses at `grab` inside the box and moves the pointer by `by` with the button held.
    void drag(QPoint grab, QPoint by)
    {
        mouse(QEvent::MouseButtonPress, grab, Qt::LeftButton);
        mouse(QEvent::MouseMove, grab + by, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, grab + by, Qt::NoButton);
    }
};

// What the working picture must show with the banded stamp's top-left corner at `at`.
QRgb expectedAt(const QImage &under, QPoint at, int x, int y)
{
    const QRect stamp(at, QSize(32, 32));
    if (!stamp.contains(x, y))
        return under.pixel(x, y);
    return mixRgb(alphaOfColumn(x - at.x()), kInk, under.pixel(x, y));
}

QString compareShown(const QImage &shown, const QImage &under, QPoint at)
{
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb want = expectedAt(under, at, x, y);
            if (shown.pixel(x, y) != want)
                return QStringLiteral("(%1, %2) is %3, want %4")
                    .arg(x)
                    .arg(y)
                    .arg(shown.pixel(x, y), 8, 16)
                    .arg(want, 8, 16);
        }
    return {};
}

} // namespace

class TstStamps : public QObject
{
    Q_OBJECT

private slots:
    void panelListsThePngStamps();
    void previewShowsTheStampAtItsOwnSize();
    void loadedStampSitsAt16And16Blended();
    void draggingBlendsTheInsidePart_data();
    void draggingBlendsTheInsidePart();
    void draggingWhollyOutsideKeepsTheLastContent();
    void mergeThenLoadAgainBlendsOverTheMerged();
    void leavingTheStepOrReloadDropsAnUnmergedStamp_data();
    void leavingTheStepOrReloadDropsAnUnmergedStamp();
    void unreadableStampIsReportedAndTheStepGoesOn_data();
    void unreadableStampIsReportedAndTheStepGoesOn();
};

void TstStamps::panelListsThePngStamps()
{
    StampEditor e;
    QCOMPARE(e.panel().file1()->objectName(), QStringLiteral("File1"));
    QCOMPARE(e.panel().file1()->toolTip(), QStringLiteral("DoubleClick to stamp!"));
    QCOMPARE(e.panel().file1()->fileNames(),
             QStringList({QStringLiteral("banded.png"), QStringLiteral("broken.png"),
                          QStringLiteral("half.png")}));
    QCOMPARE(e.box().toolTip(), QStringLiteral("[ DoubleClick to Stamp ]"));
    QVERIFY(!e.box().isVisibleTo(e.window));
}

void TstStamps::previewShowsTheStampAtItsOwnSize()
{
    StampEditor e;
    const QRgb panel = e.panel().palette().color(QPalette::Window).rgb();
    e.panel().preview(e.stamp(QStringLiteral("banded.png")));
    const QImage shown = e.panel().picture5()->renderAsShown();
    QCOMPARE(shown.pixel(0, 0), panel); // alpha 0
    QCOMPARE(shown.pixel(8, 0), kInk);  // alpha 255
    // alpha 128: drawn by the painter, which may round the mix the other way
    const QRgb half = shown.pixel(20, 31);
    const QRgb mixed = mixRgb(128, kInk, panel);
    QVERIFY(qAbs(qRed(half) - qRed(mixed)) <= 1 && qAbs(qGreen(half) - qGreen(mixed)) <= 1 &&
            qAbs(qBlue(half) - qBlue(mixed)) <= 1);
    QCOMPARE(shown.pixel(32, 0), panel); // beyond the stamp
    QCOMPARE(shown.pixel(8, 32), panel);
    // An unreadable file leaves the last preview.
    e.panel().preview(e.stamp(QStringLiteral("broken.png")));
    QCOMPARE(e.panel().picture5()->renderAsShown(), shown);
}

void TstStamps::loadedStampSitsAt16And16Blended()
{
    StampEditor e;
    QVERIFY(e.panel().file1()->selectFile(QStringLiteral("banded.png")));
    emit e.panel().file1()->fileDoubleClicked();
    QVERIFY(e.box().isVisibleTo(e.window));
    QCOMPARE(e.box().geometry(), QRect(16, 16, 32, 32));
    QCOMPARE(compareShown(e.shown(), numberedShot(), QPoint(16, 16)), QString());
    // Worked by hand: at (36, 20) the picture is (36, 20, 0x5a); ink (200, 40, 250) at alpha 128
    // gives 100.39 + 17.93, 20.08 + 9.96, 125.49 + 44.82.
    QCOMPARE(e.shown().pixel(36, 20), qRgb(118, 30, 170));
}

void TstStamps::draggingBlendsTheInsidePart_data()
{
    QTest::addColumn<QPoint>("grab");
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("within") << QPoint(3, 3) << QPoint(40, 50) << QPoint(56, 66);
    QTest::newRow("half out at the left") << QPoint(5, 5) << QPoint(-32, 10) << QPoint(-16, 26);
    QTest::newRow("half out at the top") << QPoint(5, 5) << QPoint(10, -32) << QPoint(26, -16);
    QTest::newRow("out at the top left") << QPoint(0, 0) << QPoint(-40, -40) << QPoint(-24, -24);
    QTest::newRow("out at the bottom right")
        << QPoint(31, 31) << QPoint(120, 110) << QPoint(136, 126);
}

void TstStamps::draggingBlendsTheInsidePart()
{
    QFETCH(QPoint, grab);
    QFETCH(QPoint, by);
    QFETCH(QPoint, at);
    StampEditor e;
    QVERIFY(e.panel().loadstamp(e.stamp(QStringLiteral("banded.png"))));
    e.drag(grab, by);
    QCOMPARE(e.box().pos(), at);
    QCOMPARE(compareShown(e.shown(), numberedShot(), at), QString());
    // The stored picture is untouched until the merge.
    QCOMPARE(e.window->picture1()->picture().convertToFormat(QImage::Format_RGB32), numberedShot());
}

void TstStamps::draggingWhollyOutsideKeepsTheLastContent()
{
    StampEditor e;
    QVERIFY(e.panel().loadstamp(e.stamp(QStringLiteral("banded.png"))));
    e.drag(QPoint(0, 0), QPoint(-40, 0)); // at (-24, 16): one band inside
    const QImage last = e.box().pixmap().toImage();
    // A move without a button does nothing.
    e.mouse(QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
    QCOMPARE(e.box().pos(), QPoint(-24, 16));
    e.drag(QPoint(0, 0), QPoint(-100, 0));
    QCOMPARE(e.box().pos(), QPoint(-124, 16));
    QCOMPARE(e.box().pixmap().toImage(), last);
    QCOMPARE(e.shown(), numberedShot());
    // Back in, it blends afresh.
    e.drag(QPoint(0, 0), QPoint(150, 20));
    QCOMPARE(compareShown(e.shown(), numberedShot(), QPoint(26, 36)), QString());
}

void TstStamps::mergeThenLoadAgainBlendsOverTheMerged()
{
    StampEditor e;
    QVERIFY(e.panel().loadstamp(e.stamp(QStringLiteral("banded.png"))));
    e.drag(QPoint(0, 0), QPoint(4, 4)); // at (20, 20)
    e.mouse(QEvent::MouseButtonDblClick, QPoint(1, 1), Qt::LeftButton);
    QVERIFY(!e.box().isVisibleTo(e.window));
    const QImage shot = numberedShot();
    QImage merged(160, 144, QImage::Format_RGB32);
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 160; ++x)
            merged.setPixel(x, y, expectedAt(shot, QPoint(20, 20), x, y));
    QCOMPARE(e.window->picture1()->picture().convertToFormat(QImage::Format_RGB32), merged);
    QCOMPARE(e.window->picture4()->picture().convertToFormat(QImage::Format_RGB32), merged);
    QCOMPARE(e.desktop.clipboard.convertToFormat(QImage::Format_RGB32), merged);

    // The same stamp again, at (16, 16): over the merged one, so the half band mixes twice.
    QVERIFY(e.panel().loadstamp(e.stamp(QStringLiteral("banded.png"))));
    QCOMPARE(compareShown(e.shown(), merged, QPoint(16, 16)), QString());
    const QRgb once = mixRgb(128, kInk, qRgb(36, 36, 0x5a));
    QCOMPARE(e.shown().pixel(36, 36), mixRgb(128, kInk, once));
}

void TstStamps::leavingTheStepOrReloadDropsAnUnmergedStamp_data()
{
    QTest::addColumn<bool>("leave");
    QTest::newRow("leaving the step") << true;
    QTest::newRow("reload") << false;
}

void TstStamps::leavingTheStepOrReloadDropsAnUnmergedStamp()
{
    QFETCH(bool, leave);
    StampEditor e;
    QVERIFY(e.panel().loadstamp(e.stamp(QStringLiteral("half.png"))));
    e.mouse(QEvent::MouseButtonDblClick, QPoint(1, 1), Qt::LeftButton); // one merged
    const QImage withOne = e.window->picture1()->picture().convertToFormat(QImage::Format_RGB32);
    QVERIFY(e.panel().loadstamp(e.stamp(QStringLiteral("banded.png"))));
    e.drag(QPoint(0, 0), QPoint(30, 30));
    if (leave)
        e.window->scdcom()->click();
    else
        e.window->reloadAction()->trigger();
    QVERIFY(!e.box().isVisibleTo(e.window));
    if (leave) {
        QCOMPARE(e.window->picture3()->picture().convertToFormat(QImage::Format_RGB32), withOne);
        QCOMPARE(e.window->step(), EditorWindow::Step::Colours);
    } else {
        // Reload goes back to the start of the step: the merged stamp goes too.
        QCOMPARE(e.shown(), numberedShot());
        QCOMPARE(e.window->step(), EditorWindow::Step::Stamps);
    }
    QCOMPARE(withOne.pixel(17, 17), mixRgb(128, qRgb(255, 255, 255), qRgb(17, 17, 0x5a)));
}

void TstStamps::unreadableStampIsReportedAndTheStepGoesOn_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << QStringLiteral("gone.png");
    QTest::newRow("not a picture") << QStringLiteral("broken.png");
}

void TstStamps::unreadableStampIsReportedAndTheStepGoesOn()
{
    QFETCH(QString, name);
    StampEditor e;
    QVERIFY(!e.panel().loadstamp(e.stamp(name)));
    QCOMPARE(e.desktop.messages.size(), 1);
    QVERIFY(e.desktop.messages[0].text.startsWith(
        QStringLiteral("This stamp could not be put on your shot.")));
    QVERIFY(!e.box().isVisibleTo(e.window));
    QCOMPARE(e.shown(), numberedShot());
    // A good stamp still works afterwards.
    QVERIFY(e.panel().loadstamp(e.stamp(QStringLiteral("banded.png"))));
    QCOMPARE(compareShown(e.shown(), numberedShot(), QPoint(16, 16)), QString());
}

QTEST_MAIN(TstStamps)
#include "tst_stamps.moc"
