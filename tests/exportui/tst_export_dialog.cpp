#include "exportui/export_choices.h"
#include "exportui/export_dialog.h"

#include "colour/gamma_correct.h"
#include "colour/palette_catalogue.h"
#include "platform/fake_desktop.h"
#include "platform/profile_file.h"
#include "support/temp_app_folder.h"
#include "ui/clickable_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

using namespace camvista;
using namespace camvista::exporting;

namespace
{

const std::array<QRgb, 4> kGreys{0xFFFFFFFFu, 0xFFC0C0C0u, 0xFF808080u, 0xFF000000u};

// An application folder with default frames 1 and 3 and two custom frames; the dialog only
// lists them, so their content does not matter.
struct DialogFixture {
    DialogFixture()
    {
        for (const char *name : {"frames/default/1.gif", "frames/default/3.gif",
                                 "frames/custom/Zed.gif", "frames/custom/apple.gif"})
            app.write(QString::fromLatin1(name), "GIF89a");
    }
    std::unique_ptr<ExportDialog> dialog(const QStringList &shots = {"/shots/roll 1.bmp"})
    {
        auto d = std::make_unique<ExportDialog>(
            desktop, shotwork::availableFrames(app.file("frames")), shots);
        const ExportChoices choices = readExportChoices(app.paths());
        d->setCustomColours(choices.customColours);
        d->setOptions(choices.options);
        return d;
    }
    test::TempAppFolder app;
    FakeDesktop desktop;
};

QStringList itemsOf(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

void choose(QComboBox *box, const QString &text)
{
    const int row = box->findText(text);
    QVERIFY2(row >= 0, qPrintable(text));
    box->setCurrentIndex(row);
}

bool sameOptions(const ExportOptions &a, const ExportOptions &b)
{
    return a.palette.kind == b.palette.kind &&
           a.palette.catalogueIndex == b.palette.catalogueIndex &&
           (a.palette.kind != PaletteChoice::Kind::Custom ||
            a.palette.custom == b.palette.custom) &&
           a.frame.kind == b.frame.kind && a.frame.number == b.frame.number &&
           a.frame.name == b.frame.name && a.gamma == b.gamma && a.scale == b.scale &&
           a.format == b.format && a.animate == b.animate && a.delayMs == b.delayMs &&
           a.loopCount == b.loopCount && a.bounce == b.bounce && a.destination == b.destination &&
           a.namePattern == b.namePattern;
}

} // namespace

class TstExportDialog : public QObject
{
    Q_OBJECT

private slots:
    void offersEveryChoice();
    void controlsGiveOptions_data();
    void controlsGiveOptions();
    void customColoursComeFromTheColourDialog();
    void refusesWhatCannotRun_data();
    void refusesWhatCannotRun();
    void choicesAreRemembered();
    void damagedChoicesFallBack_data();
    void damagedChoicesFallBack();
};

void TstExportDialog::offersEveryChoice()
{
    DialogFixture f;
    auto d = f.dialog({"/shots/roll 1.bmp", "/shots/roll 2.bmp"});
    QStringList palettes{"Keep the greys"};
    for (const NamedPalette &p : namedPalettes())
        palettes.append(p.caption.toString());
    palettes.append("Custom palette");
    QCOMPARE(itemsOf(d->paletteChoice()), palettes);
    QCOMPARE(itemsOf(d->frameChoice()),
             (QStringList{"Keep as it is", "No frame", "Frame 1", "Frame 3", "apple", "Zed"}));
    QCOMPARE(itemsOf(d->formatChoice()), (QStringList{"PNG", "BMP", "GIF"}));

    // The defaults: greys, frames as they are, gamma at the slider's neutral point, 4x PNG.
    QCOMPARE(d->paletteChoice()->currentText(), QString("Keep the greys"));
    QCOMPARE(d->frameChoice()->currentText(), QString("Keep as it is"));
    QCOMPARE(d->gammaSlider()->value(), 100);
    QCOMPARE(d->gammaLabel()->text(), QString("Current gamma value: 1 - CLICK HERE TO RESET"));
    QCOMPARE(d->scaleChoice()->value(), 4);
    QCOMPARE(d->scaleChoice()->minimum(), 1);
    QCOMPARE(d->scaleChoice()->maximum(), 10);
    QCOMPARE(d->formatChoice()->currentText(), QString("PNG"));
    QVERIFY(!d->animateChoice()->isChecked());
    QVERIFY(!d->delayChoice()->isEnabled());
    QCOMPARE(d->delayChoice()->value(), 500);
    QVERIFY(d->loopForever()->isChecked());
    QCOMPARE(QDir::fromNativeSeparators(d->destination()->text()),
             f.app.paths().shotsFolder() + "/Exports");
    QCOMPARE(d->namePattern()->text(), QString("{name}-{scale}x"));
    QCOMPARE(d->example()->text(), QString("First file: roll 1-4x.png"));
    QVERIFY(d->findChild<QLabel *>("exportHeading")->text().contains("2 shots"));

    // An animation is one GIF: the format gives way to the animation's own choices.
    d->animateChoice()->setChecked(true);
    QVERIFY(!d->formatChoice()->isEnabled());
    QVERIFY(d->delayChoice()->isEnabled() && d->bounceChoice()->isEnabled());
    QVERIFY(!d->loopCount()->isEnabled());
    d->loopTimes()->setChecked(true);
    QVERIFY(d->loopCount()->isEnabled());
    QCOMPARE(d->example()->text(), QString("First file: roll 1-4x.gif"));
    // The folder chooser starts at the folder shown and gives the one picked.
    f.desktop.folders = {std::nullopt, QStringLiteral("/picked/here")};
    d->browseButton()->click();
    QCOMPARE(QDir::fromNativeSeparators(d->destination()->text()),
             f.app.paths().shotsFolder() + "/Exports");
    d->browseButton()->click();
    QCOMPARE(QDir::fromNativeSeparators(d->destination()->text()), QString("/picked/here"));
    QCOMPARE(QDir::fromNativeSeparators(f.desktop.fileDialogs.first().folder),
             f.app.paths().shotsFolder() + "/Exports");
    // Clicking the gamma caption puts the slider back at its neutral point.
    d->gammaSlider()->setValue(150);
    QTest::mouseClick(d->gammaLabel(), Qt::LeftButton);
    QCOMPARE(d->gammaSlider()->value(), 100);
}

void TstExportDialog::controlsGiveOptions_data()
{
    QTest::addColumn<QString>("palette");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("loops"); // -1: no animation
    QTest::addColumn<bool>("bounce");
    QTest::addColumn<int>("paletteIndex"); // -1 keep
    QTest::addColumn<int>("frameKind");
    QTest::addColumn<int>("frameNumber");
    QTest::addColumn<QString>("frameName");
    QTest::addColumn<double>("gamma");
    QTest::addColumn<int>("formatValue");

    QTest::newRow("greys as they are")
        << "Keep the greys"
        << "Keep as it is" << 100 << 1 << "PNG" << -1 << false << -1 << int(FrameChoice::Kind::Keep)
        << 0 << "" << 1.0 << int(ExportFormat::Png);
    QTest::newRow("pocket, frame 3, 6x")
        << "Game Boy Pocket"
        << "Frame 3" << 100 << 6 << "PNG" << -1 << false << 1 << int(FrameChoice::Kind::Default)
        << 3 << "" << 1.0 << int(ExportFormat::Png);
    QTest::newRow("last palette, custom frame")
        << "Poker"
        << "Zed" << 75 << 10 << "BMP" << -1 << false << 27 << int(FrameChoice::Kind::Custom) << 0
        << "Zed" << 0.5 << int(ExportFormat::Bmp);
    QTest::newRow("no frame, brightest gif")
        << "Negative"
        << "No frame" << 200 << 2 << "GIF" << -1 << false << 15 << int(FrameChoice::Kind::None) << 0
        << "" << 5.0 << int(ExportFormat::Gif);
    QTest::newRow("animation forever")
        << "Matrix"
        << "Frame 1" << 0 << 4 << "PNG" << 0 << true << 25 << int(FrameChoice::Kind::Default) << 1
        << "" << 0.2 << int(ExportFormat::Png);
    QTest::newRow("animation three loops")
        << "Keep the greys"
        << "apple" << 125 << 3 << "BMP" << 3 << false << -1 << int(FrameChoice::Kind::Custom) << 0
        << "apple" << 2.0 << int(ExportFormat::Bmp);
}

void TstExportDialog::controlsGiveOptions()
{
    QFETCH(QString, palette);
    QFETCH(QString, frame);
    QFETCH(int, slider);
    QFETCH(int, scale);
    QFETCH(QString, format);
    QFETCH(int, loops);
    QFETCH(bool, bounce);
    QFETCH(int, paletteIndex);
    QFETCH(int, frameKind);
    QFETCH(int, frameNumber);
    QFETCH(QString, frameName);
    QFETCH(double, gamma);
    QFETCH(int, formatValue);

    DialogFixture f;
    auto d = f.dialog();
    choose(d->paletteChoice(), palette);
    choose(d->frameChoice(), frame);
    d->gammaSlider()->setValue(slider);
    d->scaleChoice()->setValue(scale);
    choose(d->formatChoice(), format);
    d->animateChoice()->setChecked(loops >= 0);
    if (loops > 0) {
        d->loopTimes()->setChecked(true);
        d->loopCount()->setValue(loops);
    }
    d->bounceChoice()->setChecked(bounce);
    d->delayChoice()->setValue(250);
    d->destination()->setText(" /somewhere/else ");
    d->namePattern()->setText("{palette}_{name}");

    const ExportOptions o = d->options();
    QCOMPARE(o.palette.kind,
             paletteIndex < 0 ? PaletteChoice::Kind::Keep : PaletteChoice::Kind::Named);
    if (paletteIndex >= 0) {
        QCOMPARE(o.palette.catalogueIndex, paletteIndex);
        QCOMPARE(namedPalettes()[std::size_t(paletteIndex)].caption.toString(), palette);
    }
    QCOMPARE(int(o.frame.kind), frameKind);
    QCOMPARE(o.frame.number, frameNumber);
    QCOMPARE(o.frame.name, frameName);
    QCOMPARE(o.gamma, gamma);
    QCOMPARE(o.scale, scale);
    QCOMPARE(int(o.format), formatValue);
    QCOMPARE(o.animate, loops >= 0);
    QCOMPARE(o.loopCount, qMax(0, loops));
    QCOMPARE(o.bounce, bounce);
    QCOMPARE(o.delayMs, 250);
    QCOMPARE(o.destination, QString("/somewhere/else"));
    QCOMPARE(o.namePattern, QString("{palette}_{name}"));

    // Shown again (the next time the dialog opens), the same choices come back.
    auto again = f.dialog();
    again->setOptions(o);
    QVERIFY(sameOptions(again->options(), o));
    QCOMPARE(again->frameChoice()->currentText(), frame);
}

void TstExportDialog::customColoursComeFromTheColourDialog()
{
    DialogFixture f;
    auto d = f.dialog();
    choose(d->paletteChoice(), "Gold");
    f.desktop.colours = {QColor(10, 20, 30), std::nullopt, QColor(250, 0, 0)};

    QTest::mouseClick(d->customSwatch(Shade::DarkGrey), Qt::LeftButton);
    QCOMPARE(d->paletteChoice()->currentText(), QString("Custom palette"));
    QTest::mouseClick(d->customSwatch(Shade::White), Qt::LeftButton); // cancelled
    QTest::mouseClick(d->customSwatch(Shade::Black), Qt::LeftButton);
    ExportOptions o = d->options();
    QCOMPARE(o.palette.kind, PaletteChoice::Kind::Custom);
    const std::array<QRgb, 4> expected{0xFFFFFFFFu, 0xFFC0C0C0u, qRgb(10, 20, 30), qRgb(250, 0, 0)};
    QCOMPARE(o.palette.custom, expected);
    QCOMPARE(d->customSwatch(Shade::DarkGrey)->palette().color(QPalette::Window),
             QColor(10, 20, 30));

    // Choosing a named palette afterwards keeps the colours for the next custom export.
    choose(d->paletteChoice(), "Gold");
    QCOMPARE(d->options().palette.kind, PaletteChoice::Kind::Named);
    QCOMPARE(d->customColours(), expected);
}

void TstExportDialog::refusesWhatCannotRun_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("fine") << "/out"
                          << "{name}" << true;
    QTest::newRow("no folder") << "   "
                               << "{name}" << false;
    QTest::newRow("no pattern") << "/out"
                                << "  " << false;
}

void TstExportDialog::refusesWhatCannotRun()
{
    QFETCH(QString, destination);
    QFETCH(QString, pattern);
    QFETCH(bool, accepted);

    DialogFixture f;
    auto d = f.dialog();
    d->open();
    d->destination()->setText(destination);
    d->namePattern()->setText(pattern);
    QSignalSpy spy(d.get(), &QDialog::accepted);
    d->exportButton()->click();
    QCOMPARE(spy.size(), accepted ? 1 : 0);
    QCOMPARE(d->isVisible(), !accepted);
    QCOMPARE(f.desktop.messages.size(), accepted ? 0 : 1);
}

void TstExportDialog::choicesAreRemembered()
{
    DialogFixture f;
    profile::writeString(f.app.paths().settingsFile(), "Camvista", "User ID", "12345678");
    ExportChoices choices;
    choices.customColours = {qRgb(1, 2, 3), qRgb(200, 100, 50), qRgb(9, 9, 9), qRgb(0, 0, 255)};
    ExportOptions &o = choices.options;
    o.palette = PaletteChoice::named(17);
    o.frame = FrameChoice::customFrame(QString::fromUtf8("Fr\u00e9 \u201cquoted\u201d"));
    o.gamma = sliderToGamma(137);
    o.scale = 7;
    o.format = ExportFormat::Bmp;
    o.animate = true;
    o.delayMs = 1250;
    o.loopCount = 3;
    o.bounce = true;
    o.destination = QString::fromUtf8("/tmp/\u65e5\u672c 100% 'sure' ");
    o.namePattern = QStringLiteral(" \"{name}\" at {scale}x ");
    QVERIFY(writeExportChoices(f.app.paths(), choices));

    const ExportChoices back = readExportChoices(f.app.paths());
    QVERIFY(sameOptions(back.options, o));
    QCOMPARE(back.customColours, choices.customColours);
    // The profile keeps its own section.
    QCOMPARE(profile::readString(f.app.paths().settingsFile(), "Camvista", "User ID"),
             QString("12345678"));
    QCOMPARE(profile::readString(f.app.paths().settingsFile(), "Export", "Palette"),
             namedPalettes()[17].caption.toString());

    // Custom colours are remembered as the choice too.
    choices.options.palette = PaletteChoice::customColours(choices.customColours);
    QVERIFY(writeExportChoices(f.app.paths(), choices));
    auto d = f.dialog();
    QCOMPARE(d->paletteChoice()->currentText(), QString("Custom palette"));
    QCOMPARE(d->options().palette.custom, choices.customColours);
}

void TstExportDialog::damagedChoicesFallBack_data()
{
    QTest::addColumn<QByteArray>("section");

    QTest::newRow("scale too big") << QByteArray("Scale=11");
    QTest::newRow("scale not a number") << QByteArray("Scale=four");
    QTest::newRow("no such palette") << QByteArray("Palette=Neon");
    QTest::newRow("frame 22") << QByteArray("Frame=default\nFrame number=22");
    QTest::newRow("frame kind unknown") << QByteArray("Frame=sideways\nFrame number=3");
    QTest::newRow("negative gamma") << QByteArray("Gamma=-1");
    QTest::newRow("gamma not a number") << QByteArray("Gamma=nan");
    QTest::newRow("short colour list") << QByteArray("Custom colours=#FFFFFF,#000000");
    QTest::newRow("colour not hex") << QByteArray("Custom colours=#FFFFFF,#C0C0C0,#808080,red");
    QTest::newRow("unknown format") << QByteArray("Format=jpeg");
    QTest::newRow("loops too many") << QByteArray("Animate=1\nLoops=70000");
    QTest::newRow("empty folder") << QByteArray("Destination=");
    QTest::newRow("blank pattern") << QByteArray("Name pattern=%20%20");
}

void TstExportDialog::damagedChoicesFallBack()
{
    QFETCH(QByteArray, section);
    test::TempAppFolder app;
    app.write(app.paths().settingsFile().mid(app.path().size() + 1), "[Export]\n" + section + "\n");
    const ExportChoices back = readExportChoices(app.paths());
    ExportOptions defaults;
    defaults.destination = defaultExportFolder(app.paths());
    defaults.animate = section.contains("Animate=1");
    QVERIFY(sameOptions(back.options, defaults));
    QCOMPARE(back.customColours, kGreys);
}

QTEST_MAIN(TstExportDialog)
#include "tst_export_dialog.moc"
