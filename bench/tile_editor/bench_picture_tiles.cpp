// A photograph imported as tiles: the dither conversion, then the de-duplication and
// the merging down to 256 characters (kardo3) or 32 groups (kardo2). The window's
// preview runs the same on every change of a choice.

#include "picture_tiles.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

namespace {

// A photograph-like picture: smooth shapes, gradients and grain, so that hardly two
// cells are alike and the merging has all its work to do.
const QImage& photo()
{
    static const QImage picture = [] {
        QImage p(256, 192, QImage::Format_RGB32);
        std::mt19937 random(3);
        std::uniform_int_distribution<int> grain(-20, 20);
        auto clamp = [](double v) { return int(v < 0 ? 0 : v > 255 ? 255 : v); };
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x) {
                const double sky = 255.0 * y / 192;
                const double hill = 60 * std::sin(x / 23.0) + 40 * std::cos(y / 17.0 + x / 41.0);
                p.setPixel(x, y, qRgb(clamp(sky * 0.6 + hill + grain(random)), clamp(120 + hill + grain(random)),
                                      clamp(255 - sky + grain(random))));
            }
        return p;
    }();
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
