// The window's two speed promises on a 256x192 picture with all fifteen colours:
// a live-preview re-conversion with its redraw within a frame (16 ms), and the 18
// thumbnails of "Compare All Methods" within 50 ms, spread over the cores.

#include "bench_picture.h"
#include "dither_window.h"
#include "method_comparison.h"
#include "method_controls.h"
#include "method_names.h"
#include "pixel_view.h"
#include "result_output.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

dither::Picture photoLike()
{
    dither::Picture p = dither::blackPicture();
    bench::paintPhotoLike(dither::pictureWidth, dither::pictureHeight, [&](int x, int y, int r, int g, int b) {
        p[dither::pixelIndex(x, y)] = tms::rgbValue(r, g, b);
    });
    return p;
}

// One slider step with live preview on: the change, the conversion by the method chosen
// last, and the repaint of the picture area.
void livePreview(benchmark::State& state, dither::Method method)
{
    dither::DitherWindow window;
    window.show();
    window.takePicture(dither::pictureImage(photoLike()));
    window.findChild<QAction*>("menu_color_select_all")->trigger();
    window.onMethodTriggered(method);
    if (!window.livePreview())
        window.livePreviewAction->trigger();
    int gamma = 100;
    for (auto _ : state) {
        gamma = gamma == 100 ? 101 : 100;
        window.gammaSlider->setValue(gamma);
        window.runLivePreview();
        window.pictureView->repaint();
    }
    window.livePreviewAction->trigger();
}

void compareAllMethods(benchmark::State& state)
{
    const dither::Picture source = photoLike();
    const auto entries = dither::comparisonEntries(false);
    for (auto _ : state) {
        auto pictures = dither::convertAll(source, dither::ConversionSettings{}, entries);
        benchmark::DoNotOptimize(pictures);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Settings of its own, never the user's.
    QTemporaryDir settings;
    QCoreApplication::setOrganizationName(QStringLiteral("dither-window-bench"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    for (const dither::MethodName& m : dither::methodNames)
        benchmark::RegisterBenchmark((std::string("live_preview/") + m.commandLineName).c_str(), livePreview, m.method)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    benchmark::RegisterBenchmark("compare_all_18_methods", compareAllMethods)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime() // the CPU column counts every thread
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
