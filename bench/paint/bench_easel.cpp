// Timings of the paint program's interactive paths: painting one pixel (the rule
// alone and the whole mouse handler with its redraw), rendering the whole picture,
// saving a picture, and the export stream (packColors plus both compressions).
#include "easel_window.h"
#include "pack_colors.h"
#include "painting_rule.h"
#include "picture_render.h"
#include "pp_file.h"
#include "rle.h"
#include "source_export.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace paint;

namespace {

// Random bytes: no plain rows, the slowest case for the renderer. Made once for every
// benchmark.
const Picture& busyPicture()
{
    static const Picture picture = [] {
        QRandomGenerator random(42);
        Picture made;
        for (int i = 0; i < 6144; ++i) {
            made.bitmapPatterns[i] = std::uint8_t(1 + random.bounded(254));
            made.bitmapColors[i] = std::uint8_t(random.bounded(256));
        }
        return made;
    }();
    return picture;
}

void BM_PaintingRule(benchmark::State& state)
{
    const tms::Palette palette = tms::standardPalette();
    std::uint8_t pattern = 0x0F, color = 0xF1;
    int brush = 2;
    for (auto _ : state) {
        const PaintedRow row = paintRowPixel(pattern, color, brush & 7, brush, palette);
        pattern = row.pattern;
        color = row.color;
        brush = (brush + 5) & 15;
        benchmark::DoNotOptimize(pattern);
    }
}
BENCHMARK(BM_PaintingRule);

void BM_PaintPixelInWindow(benchmark::State& state)
{
    EaselWindow window;
    window.document().picture = busyPicture();
    window.showPicture();
    window.gridShown = state.range(0) != 0;
    window.allowPainting();
    int x = 0;
    for (auto _ : state) {
        window.onScreenPressed(1 + (x & 1), 0, x % 512, (x * 7) % 384);
        x += 13;
    }
}
BENCHMARK(BM_PaintPixelInWindow)->Arg(0)->Arg(1)->ArgName("grid");

void BM_RenderWholePicture(benchmark::State& state)
{
    const tms::Palette palette = tms::standardPalette();
    const Picture& picture = busyPicture();
    QImage image = makeViewImage(normalView());
    for (auto _ : state) {
        renderPicture(image, picture, palette, normalView());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderWholePicture);

void BM_WindowShowPicture(benchmark::State& state)
{
    EaselWindow window;
    window.document().picture = busyPicture();
    for (auto _ : state)
        window.showPicture();
}
BENCHMARK(BM_WindowShowPicture);

void BM_EncodePicture(benchmark::State& state)
{
    const Picture& picture = busyPicture();
    const bool fullScreen = state.range(0) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(tms::powerpaint::encode(picture.bitmapPatterns, picture.bitmapColors, fullScreen));
}
BENCHMARK(BM_EncodePicture)->Arg(0)->Arg(1)->ArgName("full");

// Writes into TMPDIR (or /tmp): the whole-file writer flushes the file to disk before
// it replaces the old one, so on a disk this measures the flush as well.
void BM_SavePicture(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.pp");
    const Picture& picture = busyPicture();
    const bool fullScreen = state.range(0) != 0;
    for (auto _ : state) {
        if (!savePowerPaintFile(path, picture, fullScreen)) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_SavePicture)->Arg(0)->Arg(1)->ArgName("full");

// The work of an export before its text is written: packColors on a copy of a full
// random picture, then the run-length compression of the colour and pattern tables.
void BM_PackAndCompress(benchmark::State& state)
{
    const Picture& picture = busyPicture();
    for (auto _ : state) {
        Picture packed = picture;
        packColors(packed);
        benchmark::DoNotOptimize(tms::RleEncode(packed.bitmapColors));
        benchmark::DoNotOptimize(tms::RleEncode(packed.bitmapPatterns));
    }
}
BENCHMARK(BM_PackAndCompress)->Unit(benchmark::kMicrosecond);

// The whole C source, text included.
void BM_ExportCSource(benchmark::State& state)
{
    const Picture& picture = busyPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(cSource(picture, QStringLiteral("IMAGE")));
}
BENCHMARK(BM_ExportCSource)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
