// Full 256x192 conversions with all fifteen colours, one benchmark per method: the
// window wants to preview a conversion live while a slider moves.

#include "bench_picture.h"
#include "conversion.h"
#include "method_names.h"

#include <benchmark/benchmark.h>

namespace {

const dither::Picture& testPicture()
{
    static const dither::Picture picture = [] {
        dither::Picture p = dither::blackPicture();
        bench::paintPhotoLike(dither::pictureWidth, dither::pictureHeight, [&](int x, int y, int r, int g, int b) {
            p[dither::pixelIndex(x, y)] = tms::rgbValue(r, g, b);
        });
        return p;
    }();
    return picture;
}

void convertWith(benchmark::State& state, dither::Method method, bool orderedError, bool linearLight = false)
{
    dither::ConversionSettings settings;
    settings.method = method;
    settings.orderedError = orderedError;
    settings.linearLight = linearLight;
    for (auto _ : state) {
        auto result = dither::convert(testPicture(), settings);
        benchmark::DoNotOptimize(result);
    }
}

const bool registered = [] {
    for (const dither::MethodName& m : dither::methodNames)
        benchmark::RegisterBenchmark(m.commandLineName, convertWith, m.method, false, false)
            ->Unit(benchmark::kMillisecond);
    for (const dither::MethodName& m : dither::methodNames)
        if (m.method >= dither::Method::Tritone)
            benchmark::RegisterBenchmark((std::string(m.commandLineName) + "/ordered-error").c_str(), convertWith,
                                         m.method, true, false)
                ->Unit(benchmark::kMillisecond);
    for (const dither::MethodName& m : dither::methodNames)
        if (m.method != dither::Method::Nearest && m.method < dither::Method::Tritone)
            benchmark::RegisterBenchmark((std::string(m.commandLineName) + "/linear-light").c_str(), convertWith,
                                         m.method, false, true)
                ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
