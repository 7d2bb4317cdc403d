// Loading, saving and both exports of a full document of random bytes.
#include "asm_export.h"
#include "c_export.h"
#include "project_file.h"
#include "rle.h"
#include "table_order.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tile;

namespace {

TileDocument fullDocument()
{
    QRandomGenerator random(42);
    TileDocument doc;
    auto fill = [&](auto& table) {
        for (auto& row : table)
            for (auto& b : row)
                b = Byte(random.bounded(256));
    };
    fill(doc.charPatterns);
    fill(doc.charColors);
    fill(doc.nameTable);
    fill(doc.spritePatterns);
    for (auto& c : doc.spriteColors)
        c = Byte(random.bounded(16));
    return doc;
}

void loadProject(benchmark::State& state)
{
    QByteArray bytes = projectFileBytes(fullDocument());
    TileDocument doc;
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(tile::loadProject(buffer, doc).valuesStored);
    }
}

void SaveProject(benchmark::State& state)
{
    const TileDocument doc = fullDocument();
    for (auto _ : state)
        benchmark::DoNotOptimize(projectFileBytes(doc).size());
}

void ExportCPlain(benchmark::State& state)
{
    const TileDocument doc = fullDocument();
    for (auto _ : state)
        benchmark::DoNotOptimize(exportC(doc, {}).size());
}

void ExportCCompressed(benchmark::State& state)
{
    const TileDocument doc = fullDocument();
    for (auto _ : state)
        benchmark::DoNotOptimize(exportC(doc, {true, 0, 23}).size());
}

void ExportAssembler(benchmark::State& state)
{
    const TileDocument doc = fullDocument();
    for (auto _ : state)
        benchmark::DoNotOptimize(exportAsm(doc).size());
}

// A project followed by hundreds of megabytes (sparse): reading stops after the sprite
// colours, so this takes as long as a plain load, not as long as reading the tail.
void LoadProjectWithHugeTail(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.dat");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(projectFileBytes(fullDocument())) < 0
        || !file.resize(qint64(400) * 1024 * 1024)) {
        state.SkipWithError("cannot prepare the file");
        return;
    }
    file.close();
    TileDocument doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(loadProjectFile(path, doc).valuesStored);
}

void RleEncodePatterns(benchmark::State& state)
{
    const std::vector<Byte> patterns = patternBytes(fullDocument());
    for (auto _ : state)
        benchmark::DoNotOptimize(tms::RleEncode(patterns).size());
}

} // namespace

BENCHMARK(loadProject)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadProjectWithHugeTail)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveProject)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExportCPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExportCCompressed)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExportAssembler)->Unit(benchmark::kMicrosecond);
BENCHMARK(RleEncodePatterns)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
