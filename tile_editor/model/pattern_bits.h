#pragma once
// Bit helpers shared by the character and sprite transforms. Pixel column x of a
// pattern byte is bit tms::bitMask[x]: column 0 is the most significant bit.

#include "palette.h"

#include <cstdint>

namespace tile {

// The byte read right to left: bit bitMask[x] goes to bitMask[7 - x].
constexpr std::uint8_t mirrorByte(std::uint8_t b)
{
    std::uint8_t mirrored = 0;
    for (int x = 0; x < 8; ++x)
        if (b & tms::bitMask[x])
            mirrored |= tms::bitMask[7 - x];
    return mirrored;
}

} // namespace tile
