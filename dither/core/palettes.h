#pragma once
// The display palette with its presets, the user's choice of console colours and the
// active colour lists a conversion works with.

#include "picture.h"

#include <array>
#include <cstdint>

namespace dither {

// paletteMode: 0 = "Palette #1", 1 = "Palette #2", 2 = "Palette #3" (same values as #1).
tms::Palette presetPalette(int paletteMode);

// colourBoxes(k) chooses console colour k + 1; colour 0 (transparent) cannot be chosen.
using ColourChoice = std::array<bool, 15>;

constexpr ColourChoice allColours()
{
    ColourChoice all{};
    all.fill(true);
    return all;
}

struct ActiveColours {
    std::array<ColorValue, 16> colours{};
    std::array<std::uint8_t, 16> codes{};
    int count = 0;
};

// The checked colours in ascending console order, so a pair index i < j always means
// the lower colour number first.
ActiveColours chooseActiveColours(const tms::Palette& palette, const ColourChoice& checked);

// distanceRoots(i, j): square root of the distance between active colours i and j.
using DistanceRootTable = std::array<std::array<float, 16>, 16>;
DistanceRootTable makeDistanceRoots(const ActiveColours& active);

// The roots of the pairs (i, j) with i < j < count, 0 everywhere else: the full pair search
// divides every lane by this table, and a quotient by 0 (infinite, or not a number) is
// never taken, so the search needs no mask of the lanes it may take.
struct PairRootTable {
    DistanceRootTable roots{};
};
PairRootTable pairRootsOf(const DistanceRootTable& roots, int count);

// The colour byte of a segment: c2 (the 1-bits) in the high nibble, c1 in the low one.
constexpr std::uint8_t segmentColourByte(const ActiveColours& active, int c1, int c2)
{
    return std::uint8_t(active.codes[c2] * 16 + active.codes[c1]);
}

} // namespace dither
