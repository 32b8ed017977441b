// The fourth step as the user drives it: one movement of the gamma slider (table, correction,
// the display painted onto the working picture and the picture repainted) and one click on a
// colour-levels swatch, in a shown editor window on a shot.

#include "editor/editor_window.h"
#include "editor/fourth_step_panel.h"
#include "platform/app_paths.h"
#include "platform/fake_desktop.h"
#include "ui/picture_surface.h"

#include "bench_main.h"
#include "bench_pictures.h"

#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace camvista;

namespace
{

struct GammaStep {
    QTemporaryDir folder;
    FakeDesktop desktop;
    EditorWindow window{desktop, AppPaths{folder.path(), QStringLiteral("camvista")}};

    GammaStep()
    {
        const QImage shot = bench::noisyShots(1, bench::kShotWidth, bench::kShotHeight, 3).front();
        window.picture1()->setPicture(shot);
        window.picture3()->setPicture(shot);
        window.show();
        window.firstcom()->click();
        window.scdcom()->click();
        window.thirdcom()->click();
        QCoreApplication::processEvents();
    }
    FourthStepPanel &fourth() const { return *window.fourthStepPanel(); }
};

void gammaSliderStep(benchmark::State &state)
{
    GammaStep editor;
    QSlider *slider = editor.fourth().hscGamma();
    int value = 100;
    int direction = 1;
    for (auto _ : state) {
        // Back and forth over the whole range, one step at a time, as a drag does.
        if (value == 200 || value == 0)
            direction = -direction;
        value += direction;
        slider->setValue(value);
        editor.window.picture1()->repaint();
    }
}

void levelsSwatchClick(benchmark::State &state)
{
    GammaStep editor;
    int swatch = 0;
    for (auto _ : state) {
        editor.fourth().lvcol_Click(swatch);
        editor.window.picture1()->repaint();
        swatch = (swatch + 1) % 8;
    }
}

} // namespace

BENCHMARK(gammaSliderStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(levelsSwatchClick)->Unit(benchmark::kMicrosecond);

CAMVISTA_BENCHMARK_MAIN()
