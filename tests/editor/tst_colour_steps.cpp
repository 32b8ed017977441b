#include "editor/custom_palette_row.h"
#include "editor/editor_window.h"
#include "editor/fourth_step_panel.h"
#include "editor/third_step_panel.h"

#include "colour/custom_palette.h"
#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "ui/clickable_label.h"
#include "ui/picture_surface.h"
#include "ui/program_font.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

using namespace camvista;

namespace
{

constexpr QRgb kB = 0xFF000000u;
constexpr QRgb kD = 0xFF808080u;
constexpr QRgb kL = 0xFFC0C0C0u;
constexpr QRgb kW = 0xFFFFFFFFu;
constexpr QRgb kCancel = 0; // a script entry for "the user cancels the colour dialog"

QRgb rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

// A shot in the four shades, bands of 8 pixels; (5, 0) is the odd colour (127,128,128).
QImage shot()
{
    const QRgb shades[] = {kB, kD, kL, kW};
    QImage img(160, 144, QImage::Format_RGB32);
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 160; ++x)
            img.setPixel(x, y, shades[(x / 8) % 4]);
    img.setPixel(5, 0, rgb(127, 128, 128));
    return img;
}

// Pixels standing for each original shade in shot().
const QPoint kBlackAt{1, 10};
const QPoint kDarkAt{9, 10};
const QPoint kLightAt{17, 10};
const QPoint kWhiteAt{25, 10};
const QPoint kOddAt{5, 0};

struct Editor {
    test::TempAppFolder app;
    FakeDesktop desktop;
    EditorWindow window{desktop, app.paths()};

    Editor()
    {
        window.picture1()->setPicture(shot());
        window.picture3()->setPicture(shot());
    }
    void toColourStep()
    {
        window.firstcom()->click();
        window.scdcom()->click();
    }
    void toGammaStep()
    {
        toColourStep();
        window.thirdcom()->click();
    }
    ThirdStepPanel *third() const { return static_cast<ThirdStepPanel *>(window.thirdstep()); }
    CustomPaletteRow *custom() const { return third()->customPalette(); }
    FourthStepPanel *fourth() const { return window.fourthStepPanel(); }
    QRgb shown(QPoint at) const { return window.picture1()->layer().pixel(at) | 0xFF000000u; }
    QList<QRgb> shownShades() const
    {
        return {shown(kBlackAt), shown(kDarkAt), shown(kLightAt), shown(kWhiteAt)};
    }
    void clickSwatch(Shade shade) { QTest::mouseClick(custom()->swatch(shade), Qt::LeftButton); }
    static QRgb background(const QWidget *w) { return w->palette().color(QPalette::Window).rgb(); }
};

} // namespace

Q_DECLARE_METATYPE(Shade)

class TstColourSteps : public QObject
{
    Q_OBJECT

private slots:
    void customPicks_data();
    void customPicks();
    void pickAfterMonoFindsNothingButCommits();
    void resetButtonKeepsThePicture();
    void colourDialogFailureSaysSo();
    void reloadResets();
    void gammaDisplay_data();
    void gammaDisplay();
    void labelClickResetsTheSlider();
    void gammaCaptionStaysInItsLabel();
    void swatchesApplyTheirTints_data();
    void swatchesApplyTheirTints();
    void tintsInTheFourthStep_data();
    void tintsInTheFourthStep();
    void tintHoldsTheEditorBack();
};

void TstColourSteps::customPicks_data()
{
    QTest::addColumn<QList<int>>("shades");
    QTest::addColumn<QList<QRgb>>("picks");
    QTest::addColumn<QList<QRgb>>("expected"); // black, dark grey, light grey, white pixels
    QTest::addColumn<int>("commits");

    const int B = int(Shade::Black), D = int(Shade::DarkGrey), L = int(Shade::LightGrey),
              W = int(Shade::White);
    QTest::newRow("one pick") << QList<int>{D} << QList<QRgb>{rgb(255, 0, 0)}
                              << QList<QRgb>{kB, rgb(255, 0, 0), kL, kW} << 1;
    QTest::newRow("two picks of the same shade")
        << QList<int>{D, D} << QList<QRgb>{rgb(255, 0, 0), rgb(0, 0, 255)}
        << QList<QRgb>{kB, rgb(0, 0, 255), kL, kW} << 2;
    QTest::newRow("dark grey merges into white")
        << QList<int>{D, W} << QList<QRgb>{kW, rgb(0, 160, 0)}
        << QList<QRgb>{kB, rgb(0, 160, 0), kL, rgb(0, 160, 0)} << 2;
    QTest::newRow("black merges into white")
        << QList<int>{B, W} << QList<QRgb>{kW, rgb(9, 9, 90)}
        << QList<QRgb>{rgb(9, 9, 90), kD, kL, rgb(9, 9, 90)} << 2;
    QTest::newRow("every shade") << QList<int>{B, D, L, W}
                                 << QList<QRgb>{rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9),
                                                rgb(10, 11, 12)}
                                 << QList<QRgb>{rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9),
                                                rgb(10, 11, 12)}
                                 << 4;
    QTest::newRow("cancel changes nothing")
        << QList<int>{D} << QList<QRgb>{kCancel} << QList<QRgb>{kB, kD, kL, kW} << 0;
    QTest::newRow("cancel after a pick")
        << QList<int>{L, L} << QList<QRgb>{rgb(200, 0, 200), kCancel}
        << QList<QRgb>{kB, kD, rgb(200, 0, 200), kW} << 1;
    QTest::newRow("the colour it already has")
        << QList<int>{D} << QList<QRgb>{kD} << QList<QRgb>{kB, kD, kL, kW} << 1;
}

void TstColourSteps::customPicks()
{
    QFETCH(QList<int>, shades);
    QFETCH(QList<QRgb>, picks);
    QFETCH(QList<QRgb>, expected);
    QFETCH(int, commits);
    Editor e;
    e.toColourStep();
    const int before = e.desktop.clipboardWrites;
    for (int i = 0; i < shades.size(); ++i) {
        if (picks[i] == kCancel)
            e.desktop.colours.push_back(std::nullopt);
        else
            e.desktop.colours.push_back(QColor::fromRgb(picks[i]));
        e.clickSwatch(Shade(shades[i]));
    }
    QCOMPARE(e.shownShades(), expected);
    QCOMPARE(e.desktop.clipboardWrites - before, commits);
    // Each pick is committed: the stored picture and the clipboard hold what is shown.
    QCOMPARE(e.window.picture1()->picture().pixel(kDarkAt), expected[1]);
    QCOMPARE(e.desktop.clipboard.pixel(kWhiteAt), expected[3]);
    QVERIFY(e.desktop.messages.isEmpty());
    // The held shot is untouched.
    QCOMPARE(e.window.picture3()->picture().pixel(kDarkAt), kD);
}

void TstColourSteps::pickAfterMonoFindsNothingButCommits()
{
    Editor e;
    e.toColourStep();
    e.third()->paletteButton(QStringLiteral("Command1"))->click();
    const QImage mono = e.window.picture1()->picture().copy();
    QVERIFY(mono.pixel(kDarkAt) != kD);
    const int before = e.desktop.clipboardWrites;
    e.desktop.colours.push_back(QColor(255, 0, 0));
    e.clickSwatch(Shade::DarkGrey);
    QCOMPARE(e.window.picture1()->picture(), mono);
    QCOMPARE(e.desktop.clipboardWrites, before + 1);
    QCOMPARE(Editor::background(e.custom()->swatch(Shade::DarkGrey)), rgb(255, 0, 0));
    QCOMPARE(Editor::background(e.custom()->trackingLabel(Shade::DarkGrey)), rgb(255, 0, 0));
}

void TstColourSteps::resetButtonKeepsThePicture()
{
    Editor e;
    e.toColourStep();
    e.desktop.colours.push_back(QColor(255, 0, 0));
    e.clickSwatch(Shade::DarkGrey);
    e.custom()->resetButton()->click();
    QCOMPARE(Editor::background(e.custom()->swatch(Shade::DarkGrey)), kD);
    QCOMPARE(Editor::background(e.custom()->trackingLabel(Shade::DarkGrey)), rgb(255, 0, 0));
    QCOMPARE(e.shown(kDarkAt), rgb(255, 0, 0));
    // The next pick still looks for the tracking colour.
    e.desktop.colours.push_back(QColor(0, 0, 255));
    e.clickSwatch(Shade::DarkGrey);
    QCOMPARE(e.shown(kDarkAt), rgb(0, 0, 255));
}

void TstColourSteps::colourDialogFailureSaysSo()
{
    Editor e;
    e.toColourStep();
    const int before = e.desktop.clipboardWrites;
    e.desktop.colours.push_back(QColor()); // the dialog answered without a colour
    e.clickSwatch(Shade::White);
    QCOMPARE(e.desktop.messages.size(), 1);
    QCOMPARE(e.desktop.messages[0].text,
             QStringLiteral("Error -32768 selecting color.\r\nThe color dialog failed."));
    QCOMPARE(e.desktop.messages[0].title, QStringLiteral("Camvista"));
    QCOMPARE(e.desktop.clipboardWrites, before);
    QCOMPARE(e.shown(kWhiteAt), kW);
    QCOMPARE(Editor::background(e.custom()->swatch(Shade::White)), kW);
}

void TstColourSteps::reloadResets()
{
    Editor e;
    e.toColourStep();
    e.desktop.colours.push_back(QColor(255, 0, 0));
    e.clickSwatch(Shade::DarkGrey);
    e.window.reloadAction()->trigger();
    QCOMPARE(e.shown(kDarkAt), kD);
    QCOMPARE(Editor::background(e.custom()->trackingLabel(Shade::DarkGrey)), kD);
    QCOMPARE(Editor::background(e.custom()->swatch(Shade::DarkGrey)), rgb(255, 0, 0));

    // In the fourth step the slider goes back to 100 and the gamma 1 display shows again.
    e.window.thirdcom()->click();
    e.fourth()->hscGamma()->setValue(200);
    QCOMPARE(e.shown(kDarkAt), rgb(223, 223, 223));
    e.fourth()->bicol(0)->clicked();
    e.window.reloadAction()->trigger();
    QCOMPARE(e.fourth()->hscGamma()->value(), 100);
    QCOMPARE(e.fourth()->lblgammaamount()->text(),
             QStringLiteral("Current gamma value: 1 - CLICK HERE TO RESET"));
    QCOMPARE(e.shown(kDarkAt), kD);
    QCOMPARE(e.shown(kOddAt), kD); // gamma 1 moves 127 up to 128
    QCOMPARE(e.window.step(), EditorWindow::Step::Gamma);
}

void TstColourSteps::gammaDisplay_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<QList<QRgb>>("expected"); // black, dark grey, light grey, white, odd

    QTest::newRow("100") << 100 << QList<QRgb>{kB, kD, kL, kW, rgb(128, 128, 128)};
    QTest::newRow("200") << 200
                         << QList<QRgb>{kB, rgb(223, 223, 223), rgb(241, 241, 241), kW,
                                        rgb(222, 223, 223)};
    QTest::newRow("0") << 0 << QList<QRgb>{kB, rgb(9, 9, 9), rgb(62, 62, 62), kW, rgb(8, 9, 9)};
    QTest::newRow("75") << 75
                        << QList<QRgb>{kB, rgb(65, 65, 65), rgb(145, 145, 145), kW,
                                       rgb(64, 65, 65)};
}

void TstColourSteps::gammaDisplay()
{
    QFETCH(int, slider);
    QFETCH(QList<QRgb>, expected);
    Editor e;
    e.toGammaStep();
    e.fourth()->hscGamma()->setValue(slider);
    const QList<QRgb> shown{e.shown(kBlackAt), e.shown(kDarkAt), e.shown(kLightAt),
                            e.shown(kWhiteAt), e.shown(kOddAt)};
    QCOMPARE(shown, expected);
    // The held shot stays as it was; the commit of the last move takes what is shown.
    QCOMPARE(e.window.picture3()->picture().pixel(kDarkAt), kD);
    e.window.command7()->click();
    const QImage committed = e.window.picture3()->picture();
    QCOMPARE(committed.pixel(kDarkAt) | 0xFF000000u, expected[1]);
    QCOMPARE(committed.pixel(kOddAt) | 0xFF000000u, expected[4]);
    QCOMPARE(e.desktop.clipboard.pixel(kLightAt) | 0xFF000000u, expected[2]);
}

void TstColourSteps::labelClickResetsTheSlider()
{
    Editor e;
    e.toGammaStep();
    QCOMPARE(e.fourth()->lblgammaamount()->text(),
             QStringLiteral("Current gamma value: 1 - CLICK HERE TO RESET"));
    e.fourth()->hscGamma()->setValue(50);
    QCOMPARE(e.fourth()->lblgammaamount()->text(),
             QStringLiteral("Current gamma value: 0.333333333333333 - CLICK HERE TO RESET")
                 .replace(QLatin1Char('.'), QLocale().decimalPoint().at(0)));
    QTest::mouseClick(e.fourth()->lblgammaamount(), Qt::LeftButton);
    QCOMPARE(e.fourth()->hscGamma()->value(), 100);
    QCOMPARE(e.shown(kDarkAt), kD);
}

void TstColourSteps::gammaCaptionStaysInItsLabel()
{
    // In the program's font, every caption the slider can produce, fifteen digits included,
    // lies wholly inside the label once wrapped.
    const QFont before = QApplication::font();
    useProgramFont();
    {
        Editor e;
        e.toGammaStep();
        QLabel *label = e.fourth()->lblgammaamount();
        const QRect room = label->contentsRect();
        for (int v = 0; v <= 200; ++v) {
            e.fourth()->hscGamma()->setValue(v);
            const QRect needed = label->fontMetrics().boundingRect(
                room, int(label->alignment()) | Qt::TextWordWrap, label->text());
            QVERIFY2(room.contains(needed),
                     qPrintable(QStringLiteral("slider %1: %2").arg(v).arg(label->text())));
        }
        // The longest caption did need a second line.
        e.fourth()->hscGamma()->setValue(50);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) > room.width());
    }
    QApplication::setFont(before);
}

void TstColourSteps::swatchesApplyTheirTints_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRgb>("onBlack");
    QTest::addColumn<QRgb>("onWhite");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("toolTip");

    // Bicolour: the swatch's colour on black, white on white.
    const QRgb bicolour[] = {rgb(0, 0, 0),     rgb(255, 0, 0),  rgb(0, 0, 255),   rgb(0, 192, 0),
                             rgb(255, 255, 0), rgb(192, 64, 0), rgb(0, 192, 192), rgb(255, 128, 0)};
    const char *bicolourTags[] = {"noir",  "rouge", "bleu",      "vert",
                                  "jaune", "sépia", "gris-bleu", "orange"};
    const char *bicolourNames[] = {"Black",  "Red",   "Blue",      "Green",
                                   "Yellow", "Sepia", "Grey-blue", "Orange"};
    for (int i = 0; i < 8; ++i)
        QTest::addRow("bicol_%d", i) << "bicol" << i << bicolour[i] << kW
                                     << QString::fromUtf8(bicolourTags[i]) << bicolourNames[i];
    // Levels: the tag's formula, black stays black.
    const QRgb levelsOnWhite[] = {kW,
                                  rgb(255, 85, 0),
                                  rgb(0, 255, 85),
                                  rgb(0, 191, 255),
                                  rgb(255, 255, 0),
                                  rgb(255, 128, 255),
                                  rgb(255, 191, 85),
                                  rgb(255, 128, 0)};
    const char *levelTags[] = {"gris",  "rouge",  "vert",  "bleu",
                               "jaune", "violet", "beige", "orange"};
    const char *levelNames[] = {"Grey",   "Red",    "Green", "Blue",
                                "Yellow", "Violet", "Beige", "Orange"};
    for (int i = 0; i < 8; ++i)
        QTest::addRow("lvcol_%d", i)
            << "lvcol" << i << kB << levelsOnWhite[i] << levelTags[i] << levelNames[i];
}

void TstColourSteps::swatchesApplyTheirTints()
{
    QFETCH(QString, array);
    QFETCH(int, index);
    QFETCH(QRgb, onBlack);
    QFETCH(QRgb, onWhite);
    QFETCH(QString, tag);
    QFETCH(QString, toolTip);
    Editor e;
    e.toGammaStep();
    auto *swatch =
        e.window.findChild<ClickableLabel *>(array + QLatin1Char('_') + QString::number(index));
    QVERIFY(swatch);
    QCOMPARE(swatch->property("Tag").toString(), tag);
    QCOMPARE(swatch->toolTip(), toolTip);
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(e.shown(kBlackAt), onBlack);
    QCOMPARE(e.shown(kWhiteAt), onWhite);
}

void TstColourSteps::tintsInTheFourthStep_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<QString>("then");
    QTest::addColumn<QRgb>("darkGrey"); // what the dark grey pixels show and the commit holds

    // Bicolour black: dark grey (sum 384) turns black at gamma 1, but the tint reads the
    // gamma display, and at gamma 5 dark grey shows as 223 (sum 669): white.
    QTest::newRow("bicolour, gamma 1, commit") << 100 << "commit" << kB;
    QTest::newRow("bicolour, gamma 5, commit") << 200 << "commit" << kW;
    QTest::newRow("bicolour, then the slider moves") << 100 << "slider" << rgb(65, 65, 65);
    QTest::newRow("rouge then gris: no accumulation") << 100 << "gris" << kD;
    QTest::newRow("bicolour, then save") << 100 << "save" << kB;
}

void TstColourSteps::tintsInTheFourthStep()
{
    QFETCH(int, slider);
    QFETCH(QString, then);
    QFETCH(QRgb, darkGrey);
    Editor e;
    e.toGammaStep();
    e.fourth()->hscGamma()->setValue(slider);
    if (then == QLatin1String("gris")) {
        e.fourth()->lvcol_Click(1); // rouge
        QCOMPARE(e.shown(kDarkAt), rgb(128, 43, 0));
        e.fourth()->lvcol_Click(0); // gris
    } else {
        e.fourth()->bicol_Click(0);
    }
    // A tint is drawn, not committed.
    QCOMPARE(e.window.picture1()->picture().pixel(kDarkAt), kD);
    if (then == QLatin1String("slider"))
        e.fourth()->hscGamma()->setValue(75);
    QCOMPARE(e.shown(kDarkAt), darkGrey);

    if (then == QLatin1String("save")) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("saved.bmp"));
        e.window.text1()->setText(path);
        e.window.saveAction()->trigger();
        QImage saved(path);
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.pixel(kDarkAt) | 0xFF000000u, darkGrey);
        QCOMPARE(saved.pixel(kLightAt) | 0xFF000000u, kW);
    } else {
        e.window.command7()->click();
        QCOMPARE(e.window.picture3()->picture().pixel(kDarkAt) | 0xFF000000u, darkGrey);
    }
}

void TstColourSteps::tintHoldsTheEditorBack()
{
    Editor e;
    e.window.show();
    e.toGammaStep();
    e.fourth()->hscGamma()->setValue(150);
    // While the tint lets events run, the user clicks "Done? So, you can resize it now!",
    // turns the slider with the keyboard and picks Reload from the menu: all held back, and
    // nothing is disabled (the window keeps its look).
    bool heldDuringTint = false;
    connect(e.fourth(), &FourthStepPanel::tintStarted, this, [&] {
        heldDuringTint = e.window.commandsHeld() && e.fourth()->tintRunning() &&
                         e.window.isEnabled() && e.window.reloadAction()->isEnabled();
        QTest::mouseClick(e.window.command7(), Qt::LeftButton);
        QTest::keyClick(e.fourth()->hscGamma(), Qt::Key_Home);
        e.window.reloadAction()->trigger();
    });
    e.fourth()->lvcol_Click(3);
    QVERIFY(heldDuringTint);
    QVERIFY(!e.window.commandsHeld());
    QVERIFY(!e.fourth()->tintRunning());
    QCOMPARE(e.window.step(), EditorWindow::Step::Gamma);
    QCOMPARE(e.fourth()->hscGamma()->value(), 150);
    QCOMPARE(e.shown(kWhiteAt), rgb(0, 191, 255));

    // Afterwards the same input works again.
    QTest::keyClick(e.fourth()->hscGamma(), Qt::Key_Home);
    QCOMPARE(e.fourth()->hscGamma()->value(), 0);
    QTest::mouseClick(e.window.command7(), Qt::LeftButton);
    QCOMPARE(e.window.step(), EditorWindow::Step::Output);
}

QTEST_MAIN(TstColourSteps)
#include "tst_colour_steps.moc"
