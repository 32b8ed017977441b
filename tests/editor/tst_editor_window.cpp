#include "editor/editor_window.h"
#include "editor/third_step_panel.h"

#include "colour/shades.h"
#include "data/editor_pictures.h"
#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "ui/clickable_label.h"
#include "ui/picture_surface.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace camvista;

namespace
{

// A shot in the four shades with one odd pixel, different for every seed.
QImage shot(int w, int h, int seed)
{
    const QRgb shades[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                           qRgb(255, 255, 255)};
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, shades[(x / 8 + y / 8 + seed) % 4]);
    img.setPixel(seed % w, 0, qRgb(127, 128, 128));
    return img;
}

QImage rgb32(const QImage &img)
{
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage throughGammaOne(const QImage &img)
{
    const auto up = [](int v) { return v % 2 == 1 && v <= 253 ? v + 1 : v; };
    QImage out = rgb32(img);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            out.setPixel(x, y, qRgb(up(qRed(c)), up(qGreen(c)), up(qBlue(c))));
        }
    return out;
}

struct Editor {
    test::TempAppFolder app;
    FakeDesktop desktop;
    EditorWindow window{desktop, app.paths()};

    explicit Editor(const QImage &picture)
    {
        window.picture1()->setPicture(picture);
        window.picture3()->setPicture(picture);
    }
    void clickStepButton(int index)
    {
        QPushButton *buttons[] = {window.firstcom(), window.scdcom(), window.thirdcom(),
                                  window.command7()};
        buttons[index]->click();
    }
};

} // namespace

class TstEditorWindow : public QObject
{
    Q_OBJECT

private slots:
    void buttonColumnAfterEachMove_data();
    void buttonColumnAfterEachMove();
    void everyMoveCommitsThePictureAsShown();
    void firstMoveBakesTheFrameInSecondDropsTheStamp();
    void reload_data();
    void reload();
    void paletteButtonsRecolourFromTheHeldShot();
    void twoEditorsKeepTheirOwnPictures();
    void consoleBodySwapsColourOnClick();
    void logoShowsAtEveryStep_data();
    void logoShowsAtEveryStep();
};

void TstEditorWindow::buttonColumnAfterEachMove_data()
{
    QTest::addColumn<int>("moves");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::addColumn<QString>("panel");
    QTest::newRow("opening") << 0
                             << QStringList{"Done!", "Second Step", "Third Step", "Fourth Step"}
                             << QList<bool>{true, false, false, false} << "firststep";
    QTest::newRow("after step 1") << 1 << QStringList{"Done!", "Done!", "Third Step", "Fourth Step"}
                                  << QList<bool>{false, true, false, false} << "scdstep";
    QTest::newRow("after step 2") << 2 << QStringList{"Done!", "Done!", "Done!", "Fourth Step"}
                                  << QList<bool>{false, false, true, false} << "thirdstep";
    QTest::newRow("after step 3") << 3 << QStringList{"Done!", "Done!", "Done!", "Final Step"}
                                  << QList<bool>{false, false, false, false} << "forthstep";
    QTest::newRow("after step 4") << 4 << QStringList{"Done!", "Done!", "Done!", "Final Step"}
                                  << QList<bool>{false, false, false, false} << "forthstep";
}

void TstEditorWindow::buttonColumnAfterEachMove()
{
    QFETCH(int, moves);
    QFETCH(QStringList, captions);
    QFETCH(QList<bool>, enabled);
    QFETCH(QString, panel);
    Editor e(shot(160, 144, 1));
    e.window.show();
    for (int i = 0; i < moves; ++i)
        e.clickStepButton(i);
    QPushButton *buttons[] = {e.window.firstcom(), e.window.scdcom(), e.window.thirdcom(),
                              e.window.forthcom()};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(buttons[i]->text(), captions[i]);
        QCOMPARE(buttons[i]->isEnabled(), enabled[i]);
    }
    for (QGroupBox *p :
         {e.window.firststep(), e.window.scdstep(), e.window.thirdstep(), e.window.forthstep()})
        QCOMPARE(p->isVisible(), p->objectName() == panel);
    QCOMPARE(e.window.frame1()->isVisible(), moves == 4);
    if (moves == 4)
        QCOMPARE(e.window.frame1()->x(), 0);
}

void TstEditorWindow::everyMoveCommitsThePictureAsShown()
{
    Editor e(shot(160, 144, 2));
    for (int move = 0; move < 4; ++move) {
        // Something drawn on the layer only: the commit must take it.
        e.window.picture1()->setPixelV(10 + move, 10, colourValue(200, 10, 20 + move));
        QImage expected = e.window.picture1()->image();
        const int writes = e.desktop.clipboardWrites;
        e.clickStepButton(move);
        QCOMPARE(e.desktop.clipboardWrites, writes + 1);
        QCOMPARE(rgb32(e.desktop.clipboard), expected);
        QCOMPARE(rgb32(e.window.picture3()->picture()), expected);
        if (move < 2)
            QCOMPARE(e.window.picture1()->image(), expected);
        // In the fourth step the picture shows the gamma display, at gamma 1 every odd value
        // from 1 to 253 one higher.
        if (move == 2)
            QCOMPARE(e.window.picture1()->image(), throughGammaOne(expected));
    }
}

void TstEditorWindow::firstMoveBakesTheFrameInSecondDropsTheStamp()
{
    Editor e(shot(160, 144, 3));
    // A frame overlay: red border, transparent centre.
    QImage frame(160, 144, QImage::Format_ARGB32);
    frame.fill(qRgb(255, 0, 0));
    for (int y = 16; y < 128; ++y)
        for (int x = 16; x < 144; ++x)
            frame.setPixel(x, y, qRgba(0, 0, 0, 0));
    e.window.frameOverlay()->setPixmap(QPixmap::fromImage(frame));
    e.window.frameOverlay()->setGeometry(0, 0, 160, 144);
    e.window.frameOverlay()->show();
    e.clickStepButton(0);
    QVERIFY(!e.window.frameOverlay()->isVisibleTo(&e.window));
    const QImage after1 = e.window.picture3()->picture();
    QCOMPARE(after1.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(after1.pixel(20, 20), shot(160, 144, 3).pixel(20, 20));

    // A stamp placed but not merged is dropped by the second move.
    QImage stamp(8, 8, QImage::Format_RGB32);
    stamp.fill(qRgb(0, 255, 0));
    e.window.stampBox()->setPixmap(QPixmap::fromImage(stamp));
    e.window.stampBox()->setGeometry(40, 40, 8, 8);
    e.window.stampBox()->show();
    e.clickStepButton(1);
    QCOMPARE(rgb32(e.window.picture3()->picture()), rgb32(after1));
}

void TstEditorWindow::reload_data()
{
    QTest::addColumn<int>("moves");
    QTest::newRow("step 1") << 0;
    QTest::newRow("step 3") << 2;
}

void TstEditorWindow::reload()
{
    QFETCH(int, moves);
    // An unframed shot: the saved state holds it as loaded, the working picture its canvas.
    const QImage unframed = shot(128, 112, 4);
    Editor e(unframed);
    QImage canvas(160, 144, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 128; ++x)
            canvas.setPixel(16 + x, 16 + y, unframed.pixel(x, y));
    e.window.picture1()->setPicture(canvas);
    for (int i = 0; i < moves; ++i)
        e.clickStepButton(i);
    const QImage heldAtStart = e.window.picture3()->picture();
    const EditorWindow::Step step = e.window.step();

    if (moves == 2)
        static_cast<ThirdStepPanel *>(e.window.thirdstep())->paletteButton("Command6")->click();
    e.window.picture1()->setPixelV(1, 1, colourValue(1, 2, 3));
    e.window.frameOverlay()->show();
    e.window.reloadAction()->trigger();

    QCOMPARE(rgb32(e.window.picture1()->image()), rgb32(heldAtStart));
    QCOMPARE(e.window.picture1()->size(), heldAtStart.size());
    if (moves == 0)
        QCOMPARE(e.window.picture1()->size(), QSize(128, 112));
    QCOMPARE(rgb32(e.window.picture4()->picture()), rgb32(heldAtStart));
    QVERIFY(e.window.frameOverlay()->isHidden());
    QCOMPARE(e.window.step(), step);
}

void TstEditorWindow::paletteButtonsRecolourFromTheHeldShot()
{
    Editor e(shot(160, 144, 5));
    e.clickStepButton(0);
    e.clickStepButton(1);
    auto *third = static_cast<ThirdStepPanel *>(e.window.thirdstep());
    // The 28 palettes and the custom palette's "X".
    QCOMPARE(third->findChildren<QAbstractButton *>().size(), 29);
    third->paletteButton("Label6")->click();  // Orange
    third->paletteButton("Label11")->click(); // Green: the result of Green alone
    const QImage held = e.window.picture3()->picture();
    const QImage now = e.window.picture1()->picture();
    for (int y = 0; y < 144; ++y) {
        for (int x = 0; x < 160; ++x) {
            QRgb expected = held.pixel(x, y);
            if (expected == qRgb(128, 128, 128))
                expected = qRgb(252, 50, 4);
            else if (expected == qRgb(192, 192, 192))
                expected = qRgb(4, 250, 4);
            QCOMPARE(now.pixel(x, y), expected);
        }
    }
    QCOMPARE(rgb32(e.desktop.clipboard), rgb32(now));
}

void TstEditorWindow::twoEditorsKeepTheirOwnPictures()
{
    Editor a(shot(160, 144, 6));
    Editor b(shot(160, 144, 7));
    a.clickStepButton(0);
    b.clickStepButton(0);
    a.clickStepButton(1);
    QCOMPARE(rgb32(a.window.picture3()->picture()), rgb32(shot(160, 144, 6)));
    QCOMPARE(rgb32(b.window.picture3()->picture()), rgb32(shot(160, 144, 7)));
    QCOMPARE(a.window.step(), EditorWindow::Step::Colours);
    QCOMPARE(b.window.step(), EditorWindow::Step::Stamps);
}

void TstEditorWindow::consoleBodySwapsColourOnClick()
{
    Editor e(shot(160, 144, 8));
    e.window.show();
    auto *blue = e.window.findChild<ClickableLabel *>("Image3");
    auto *green = e.window.findChild<ClickableLabel *>("gbgreen");
    QVERIFY(blue->isVisible() && !green->isVisible());
    QTest::mouseClick(blue, Qt::LeftButton, {}, QPoint(10, 300));
    QVERIFY(!blue->isVisible() && green->isVisible());
    QTest::mouseClick(green, Qt::LeftButton, {}, QPoint(10, 300));
    QVERIFY(blue->isVisible() && !green->isVisible());
}

void TstEditorWindow::logoShowsAtEveryStep_data()
{
    QTest::addColumn<int>("moves");
    QTest::newRow("frames") << 0;
    QTest::newRow("stamps") << 1;
    QTest::newRow("colours") << 2;
    QTest::newRow("gamma") << 3;
}

void TstEditorWindow::logoShowsAtEveryStep()
{
    QFETCH(int, moves);
    const QImage body = data::consoleBody(data::ConsoleColour::Blue);
    const QRect logo = data::consoleLogoBounds();
    QVERIFY(body.rect().contains(logo));
    // The bounds hold the whole logo: the body round them is one plain colour.
    const QRgb plain = body.pixel(logo.topLeft() - QPoint(1, 1));
    const QRect ring = logo.adjusted(-1, -1, 1, 1);
    for (int x = ring.left(); x <= ring.right(); ++x)
        QVERIFY(body.pixel(x, ring.top()) == plain && body.pixel(x, ring.bottom()) == plain);
    for (int y = ring.top(); y <= ring.bottom(); ++y)
        QVERIFY(body.pixel(ring.left(), y) == plain && body.pixel(ring.right(), y) == plain);

    Editor e(shot(160, 144, 9));
    e.window.show();
    for (int i = 0; i < moves; ++i)
        e.clickStepButton(i);
    // Nothing of the window covers it: its pixels show as drawn.
    const QImage shown = rgb32(e.window.grab().toImage());
    QCOMPARE(shown.copy(logo), rgb32(body).copy(logo));
}

QTEST_MAIN(TstEditorWindow)
#include "tst_editor_window.moc"
