// A photograph imported as tiles: the dither conversion, then the de-duplication and
// the merging down to 256 characters (kardo3) or 32 groups (kardo2). The window's
// preview runs the same on every change of a choice.

#include "bench_picture.h"
#include "picture_tiles.h"

#include <benchmark/benchmark.h>

namespace {

const QImage& photo()
{
    static const QImage picture = bench::photoLikeImage();
    return picture;
}

void importPhoto(benchmark::State& state, tile::Edition edition)
{
    dither::PictureImportSettings settings; // Floyd-Steinberg, all colours
    for (auto _ : state) {
        auto result = tile::pictureToTiles(photo(), settings, edition);
        benchmark::DoNotOptimize(result);
    }
    const auto result = tile::pictureToTiles(photo(), settings, edition);
    state.counters["distinct"] = result->tiles.distinctCells;
    state.counters["merges"] = result->tiles.merges;
}

void tilesOnly(benchmark::State& state, tile::Edition edition)
{
    const auto converted = tile::pictureToTiles(photo(), dither::PictureImportSettings{}, edition);
    for (auto _ : state) {
        auto tiles = tile::tilesFromScreen(converted->screenPatterns, converted->screenColors, edition,
                                           tile::editionPalette(edition));
        benchmark::DoNotOptimize(tiles);
    }
}

BENCHMARK_CAPTURE(importPhoto, kardo3, tile::Edition::ScreenMode2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(importPhoto, kardo2, tile::Edition::ScreenMode1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tilesOnly, kardo3, tile::Edition::ScreenMode2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tilesOnly, kardo2, tile::Edition::ScreenMode1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
