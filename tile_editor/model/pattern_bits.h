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

// Turns a square of size x size pixels a quarter turn clockwise in place, through the
// pattern's own pixel(r, c) and setPixel(r, c, on): new pixel (r, c) is old pixel
// (size - 1 - c, r). Each pixel of the top-left quadrant starts one cycle of four
// positions, so rotating every cycle covers the square without a second buffer.
// Used for 8x8 characters and 16x16 sprites.
template <int size, typename Pixel, typename SetPixel>
void rotateSquare(Pixel pixel, SetPixel setPixel)
{
    constexpr int last = size - 1;
    for (int i = 0; i < size / 2; ++i) {
        for (int j = 0; j < size / 2; ++j) {
            const bool a = pixel(last - i, j);
            const bool b = pixel(j, i);
            const bool c = pixel(i, last - j);
            const bool d = pixel(last - j, last - i);
            setPixel(j, i, a);
            setPixel(i, last - j, b);
            setPixel(last - j, last - i, c);
            setPixel(last - i, j, d);
        }
    }
}

} // namespace tile
