#include "export_test_support.h"

#include "editor/custom_palette_row.h"
#include "editor/editor_window.h"
#include "editor/first_step_panel.h"
#include "editor/fourth_step_panel.h"
#include "editor/output_panel.h"
#include "editor/third_step_panel.h"

#include "colour/gamma_correct.h"
#include "colour/palette_catalogue.h"
#include "platform/fake_desktop.h"
#include "shotwork/shot_operations.h"
#include "ui/clickable_label.h"
#include "ui/picture_surface.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QSlider>

using namespace camvista;
using namespace camvista::exporting;

namespace
{

// One choice for both: a palette caption ("" keeps the greys, "custom" picks the four colours
// below), a frame ("keep", "none", a number, or "mine"), the slider and the factor.
struct Steps {
    QString palette;
    QString frame;
    int slider;
    int factor;
};

const std::array<QRgb, 4> kCustom{qRgb(250, 10, 10), qRgb(10, 200, 10), qRgb(10, 10, 160),
                                  qRgb(30, 0, 30)};

int paletteIndex(const QString &caption)
{
    const auto palettes = namedPalettes();
    for (std::size_t i = 0; i < palettes.size(); ++i)
        if (palettes[i].caption == caption)
            return int(i);
    return -1;
}

// Walks the editor through its four steps and the output panel, as a user would.
QImage editorResult(const test::ExportFolder &folder, const QImage &picture, const Steps &s)
{
    FakeDesktop desktop;
    EditorWindow editor(desktop, folder.app.paths());
    PictureSurface *picture1 = editor.picture1();
    if (picture.size() == QSize(128, 112)) {
        // What the browser does with an unframed shot.
        picture1->setBackgroundColour(Qt::white);
        picture1->resize(160, 144);
        picture1->setPicture(QImage());
        picture1->paintPicture(picture, 16, 16, 128, 112);
        picture1->setPicture(picture1->image());
    } else {
        picture1->setPicture(picture);
    }
    editor.picture3()->setPicture(picture);
    bool isNumber = false;
    const int number = s.frame.toInt(&isNumber);
    if (isNumber)
        editor.firstStepPanel()->layDefaultFrame(number);
    else if (s.frame == "mine")
        editor.firstStepPanel()->layFrame(folder.app.file("frames/custom/mine.gif"));
    editor.firstcom()->click();
    editor.scdcom()->click();
    auto *third = static_cast<ThirdStepPanel *>(editor.thirdstep());
    if (s.palette == "custom") {
        const Shade order[] = {Shade::White, Shade::LightGrey, Shade::DarkGrey, Shade::Black};
        for (int k = 0; k < 4; ++k) {
            desktop.colours.push_back(QColor::fromRgb(kCustom[std::size_t(k)]));
            QTest::mouseClick(third->customPalette()->swatch(order[k]), Qt::LeftButton);
        }
    } else if (!s.palette.isEmpty()) {
        const int index = paletteIndex(s.palette);
        third->paletteButton(namedPalettes()[std::size_t(index)].control.toString())->click();
    }
    editor.thirdcom()->click();
    editor.fourthStepPanel()->hscGamma()->setValue(s.slider);
    editor.command7()->click();
    OutputPanel *output = editor.outputPanel();
    if (s.frame == "none")
        output->withoutFrameBox()->click();
    output->factorButton(s.factor)->click();
    if (!desktop.messages.isEmpty())
        return {};
    return output->picture6()->picture().convertToFormat(QImage::Format_RGB32);
}

ExportOptions optionsFor(const test::ExportFolder &folder, const Steps &s)
{
    ExportOptions o = folder.options();
    if (s.palette == "custom")
        o.palette = PaletteChoice::customColours(kCustom);
    else if (!s.palette.isEmpty())
        o.palette = PaletteChoice::named(paletteIndex(s.palette));
    bool isNumber = false;
    const int number = s.frame.toInt(&isNumber);
    o.frame = isNumber            ? FrameChoice::defaultFrame(number)
              : s.frame == "none" ? FrameChoice::none()
              : s.frame == "mine" ? FrameChoice::customFrame("mine")
                                  : FrameChoice::keep();
    o.gamma = sliderToGamma(s.slider);
    o.scale = s.factor;
    return o;
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TstExportSteps : public QObject
{
    Q_OBJECT

private slots:
    void exportEqualsTheEditorsSteps_data();
    void exportEqualsTheEditorsSteps();
    void customColoursDoNotChainIntoEachOther();
};

void TstExportSteps::exportEqualsTheEditorsSteps_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<ExportFormat>("format");
    const QSize photo(128, 112);
    const QSize shot(160, 144);
    QTest::newRow("photo, Pocket, frame 3, 4x")
        << photo << Steps{"Game Boy Pocket", "3", 100, 4} << ExportFormat::Png;
    QTest::newRow("shot, Mono, no frame, 2x")
        << shot << Steps{"Game Boy Mono", "none", 100, 2} << ExportFormat::Png;
    QTest::newRow("shot, Zelda, frame 1, brighter, 1x")
        << shot << Steps{"Zelda DX Shots", "1", 150, 1} << ExportFormat::Bmp;
    QTest::newRow("photo, Negative, custom frame, darker, 3x")
        << photo << Steps{"Negative", "mine", 60, 3} << ExportFormat::Png;
    QTest::newRow("photo, Matrix, frame 21, darkest, 3x")
        << photo << Steps{"Matrix", "21", 0, 3} << ExportFormat::Gif;
    QTest::newRow("shot kept as it is, 4x")
        << shot << Steps{"", "keep", 100, 4} << ExportFormat::Png;
    QTest::newRow("shot, own colours, frame 5, 2x")
        << shot << Steps{"custom", "5", 125, 2} << ExportFormat::Png;
}

void TstExportSteps::exportEqualsTheEditorsSteps()
{
    QFETCH(QSize, size);
    QFETCH(Steps, steps);
    QFETCH(ExportFormat, format);
    test::ExportFolder folder;
    const QImage picture = test::shadesPicture(size, steps.slider);
    const QString source = folder.shot("roll.bmp", picture);

    const QImage expected = editorResult(folder, picture, steps);
    QVERIFY(!expected.isNull());

    ExportOptions options = optionsFor(folder, steps);
    options.format = format;
    const ExportSummary summary = runExport({source}, options, folder.app.paths());
    QVERIFY2(summary.allWritten(), qPrintable(summary.stopReason));
    QCOMPARE(summary.written, 1);
    const QString written =
        QDir(folder.out())
            .filePath(outputBaseName(options, source) + "." + outputExtension(options));
    QCOMPARE(test::loaded(written), expected);

    // Past the editor's 4x the export goes on repeating the pixels of the editor's 1x.
    Steps oneX = steps;
    oneX.factor = 1;
    options.scale = 10;
    QCOMPARE(runExport({source}, options, folder.app.paths()).written, 1);
    QCOMPARE(test::loaded(QDir(folder.out()).filePath("roll-10x." + outputExtension(options))),
             shotwork::enlargeByWholeFactor(editorResult(folder, picture, oneX), 10, 10)
                 .convertToFormat(QImage::Format_RGB32));
}

void TstExportSteps::customColoursDoNotChainIntoEachOther()
{
    // White becomes light grey and light grey becomes dark grey: picked one after another in
    // the editor, white would end up dark grey; the export gives each shade its own colour.
    QImage picture = test::shadesPicture({128, 112}, 1);
    shotwork::recolourShades(picture, {0xFFC0C0C0u, 0xFF808080u, 0xFF808080u, 0xFFFFFFFFu});
    const QImage before = test::shadesPicture({128, 112}, 1);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const QRgb grey = before.pixel(x, y);
            const QRgb want = grey == 0xFFFFFFFFu   ? 0xFFC0C0C0u
                              : grey == 0xFF000000u ? 0xFFFFFFFFu
                                                    : 0xFF808080u;
            QCOMPARE(picture.pixel(x, y), want);
        }
}

QTEST_MAIN(TstExportSteps)
#include "tst_export_steps.moc"
