// The table codecs on 6 KB tables: each must compress one in well under 100 ms.

#include "compression.h"
#include "powerpaint.h"

#include <QFile>
#include <benchmark/benchmark.h>

#include <random>

namespace {

struct Tables {
    tms::BitmapTable patterns{}, colors{};
};

const Tables& landscape()
{
    static const Tables tables = [] {
        Tables t;
        QFile file(QStringLiteral(EXAMPLES_DIR "/landscape.pp"));
        if (!file.open(QIODevice::ReadOnly) || !tms::powerpaint::decode(file.readAll(), t.patterns, t.colors))
            std::abort();
        return t;
    }();
    return tables;
}

std::vector<std::uint8_t> table(int kind)
{
    switch (kind) {
    case 0: return {landscape().patterns.begin(), landscape().patterns.end()};
    case 1: return {landscape().colors.begin(), landscape().colors.end()};
    case 2: return std::vector<std::uint8_t>(6144, 0);
    case 4: { // few values, no long runs: a match at most offsets, the parser's worst case
        std::mt19937 random(1);
        std::vector<std::uint8_t> bytes(6144);
        for (std::uint8_t& b : bytes)
            b = (random() & 1) != 0 ? 0xff : 0x00;
        return bytes;
    }
    default: {
        std::mt19937 random(1);
        std::vector<std::uint8_t> bytes(6144);
        for (std::uint8_t& b : bytes)
            b = std::uint8_t(random());
        return bytes;
    }
    }
}

void compressTable(benchmark::State& state, tms::Compression compression)
{
    const std::vector<std::uint8_t> input = table(int(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(size = tms::compress(compression, input).size());
    state.counters["bytes"] = double(size);
}

void zx0(benchmark::State& state)
{
    compressTable(state, tms::Compression::Zx0);
}
void pletter(benchmark::State& state)
{
    compressTable(state, tms::Compression::Pletter);
}

// 0: landscape patterns, 1: landscape colours, 2: 6144 zeros, 3: 6144 random bytes,
// 4: 6144 random bytes of 00 or FF.
BENCHMARK(zx0)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(pletter)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
