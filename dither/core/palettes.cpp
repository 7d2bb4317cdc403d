#include "palettes.h"

#include "colour_metrics.h"

#include <cmath>

namespace dither {

namespace {

// Indices 2..15 of the second preset; the first is the console palette that every
// program shows, and 0 and 1 are fixed.
constexpr std::array<std::array<int, 3>, 14> presetTwo = {{
    {71, 183, 59},
    {124, 207, 111},
    {93, 78, 255},
    {128, 114, 255},
    {182, 98, 71},
    {93, 200, 237},
    {215, 107, 72},
    {251, 143, 108},
    {195, 205, 65},
    {211, 218, 118},
    {62, 159, 47},
    {182, 100, 199},
    {204, 204, 204},
    {255, 255, 255},
}};

} // namespace

tms::Palette presetPalette(int paletteMode)
{
    tms::Palette palette = tms::standardPalette();
    if (paletteMode == 1)
        for (int i = 0; i < 14; ++i)
            palette[i + 2] = RGB(presetTwo[i][0], presetTwo[i][1], presetTwo[i][2]);
    return palette;
}

ActiveColours chooseActiveColours(const tms::Palette& palette, const ColourChoice& checked)
{
    ActiveColours active;
    for (int c = 1; c <= 15; ++c) {
        if (!checked[c - 1])
            continue;
        active.colours[active.count] = palette[c];
        active.codes[active.count] = std::uint8_t(c);
        ++active.count;
    }
    return active;
}

DistanceRootTable makeDistanceRoots(const ActiveColours& active)
{
    DistanceRootTable table{};
    for (int i = 0; i + 1 < active.count; ++i)
        for (int j = i + 1; j < active.count; ++j) {
            // The root of the (single-precision) distance, taken in double and stored as single.
            const float root = float(std::sqrt(double(colourDistance(active.colours[i], active.colours[j]))));
            table[i][j] = root;
            table[j][i] = root;
        }
    return table;
}

PairRootTable pairRootsOf(const DistanceRootTable& roots, int count)
{
    PairRootTable pairs;
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            pairs.roots[i][j] = roots[i][j];
    return pairs;
}

} // namespace dither
