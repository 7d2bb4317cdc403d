// Full 256x192 conversions with all fifteen colours, one benchmark per method: the
// window wants to preview a conversion live while a slider moves.

#include "conversion.h"
#include "method_names.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

// A photograph-like test card: smooth gradients with some noise, so the pair searches
// and the error planes do real work.
const dither::Picture& testPicture()
{
    static const dither::Picture picture = [] {
        dither::Picture p = dither::blackPicture();
        std::mt19937 random(7);
        std::uniform_int_distribution<int> noise(-24, 24);
        auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
        for (int y = 0; y < dither::pictureHeight; ++y)
            for (int x = 0; x < dither::pictureWidth; ++x)
                p[dither::pixelIndex(x, y)] = tms::rgbValue(clamp(x + noise(random)), clamp(y * 4 / 3 + noise(random)),
                                                            clamp(255 - (x + y) / 2 + noise(random)));
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
