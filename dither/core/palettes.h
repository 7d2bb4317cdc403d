#pragma once
// The display palette with its presets, the user's choice of console colours and the
// active colour lists a conversion works with.

#include "picture.h"

#include <array>
#include <cstdint>

namespace dither {

// palette_mode: 0 = "Palette #1", 1 = "Palette #2", 2 = "Palette #3" (same values as #1).
tms::Palette init_palette(int palette_mode);

// chk_palette(k) chooses console colour k + 1; colour 0 (transparent) cannot be chosen.
using ColourChoice = std::array<bool, 15>;

constexpr ColourChoice allColours()
{
    ColourChoice all{};
    all.fill(true);
    return all;
}

struct ActiveColours {
    std::array<ColorValue, 16> active_palette{};
    std::array<std::uint8_t, 16> active_codes{};
    int active_count = 0;
};

// The checked colours in ascending console order, so a pair index i < j always means
// the lower colour number first.
ActiveColours optimize_color_palette(const tms::Palette& palette, const ColourChoice& checked);

// sqrt_ecart(i, j): square root of the distance between active colours i and j.
using SqrtEcartTable = std::array<std::array<float, 16>, 16>;
SqrtEcartTable init_sqrt_ecart(const ActiveColours& active);

// The colour byte of a segment: c2 (the 1-bits) in the high nibble, c1 in the low one.
constexpr std::uint8_t segmentColourByte(const ActiveColours& active, int c1, int c2)
{
    return std::uint8_t(active.active_codes[c2] * 16 + active.active_codes[c1]);
}

} // namespace dither
