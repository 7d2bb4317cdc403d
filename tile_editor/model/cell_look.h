#pragma once
// The look of one 8x8 screen cell: the palette index of each of its 64 pixels, four
// bits each, two pixel rows to a 64-bit word. Two cells that show the same pixels have
// the same look whatever bytes draw them (a row with its pattern inverted and its two
// colours swapped looks the same), so looks are what the picture import compares.

#include "palette.h"

#include <array>
#include <bit>
#include <cstdint>
#include <functional>

namespace tile {

struct CellLook {
    std::array<std::uint64_t, 4> words{};

    int pixel(int x, int y) const { return int((words[y / 2] >> (4 * ((y % 2) * 8 + x))) & 15); }
    void setPixel(int x, int y, int colour)
    {
        const int shift = 4 * ((y % 2) * 8 + x);
        words[y / 2] = (words[y / 2] & ~(std::uint64_t(15) << shift)) | (std::uint64_t(colour & 15) << shift);
    }
    bool operator==(const CellLook&) const = default;
};

// A look from eight pattern bytes and their colour bytes (foreground for set bits).
CellLook lookOfRows(const std::uint8_t* patterns, const std::uint8_t* colors);

// How many of the 64 pixels differ.
inline int differingPixels(const CellLook& a, const CellLook& b)
{
    int count = 0;
    for (int w = 0; w < 4; ++w) {
        std::uint64_t d = a.words[w] ^ b.words[w];
        d = (d | (d >> 1) | (d >> 2) | (d >> 3)) & 0x1111111111111111ULL;
        count += std::popcount(d);
    }
    return count;
}

// Distances between the palette colours (Euclidean in RGB, rounded), the measure of how
// far a pixel changes when its colour changes.
using ColourDistances = std::array<std::array<std::uint16_t, 16>, 16>;
ColourDistances colourDistances(const tms::Palette& palette);

// The sum of the colour distances over the pixels that differ.
int colourChange(const CellLook& a, const CellLook& b, const ColourDistances& distances);

// Two colours, the lower index first; both the same when one colour is enough.
struct ColourPair {
    int low = 0, high = 0;
    bool operator==(const ColourPair&) const = default;
};

// The nearer of the pair's colours (the low one on a tie).
inline int nearestOf(int colour, ColourPair pair, const ColourDistances& distances)
{
    return distances[colour][pair.low] <= distances[colour][pair.high] ? pair.low : pair.high;
}

// The pair of colours, among those counted, that draws the counted pixels with the
// least colour change when each pixel takes the nearer colour of the pair; then the
// fewest changed pixels; then the lowest colours. count[c] is how many pixels have
// colour c; at least one pixel is counted.
ColourPair fitColourPair(const std::array<int, 16>& count, const ColourDistances& distances);

struct CellLookHash {
    std::size_t operator()(const CellLook& look) const
    {
        std::uint64_t h = 0x9E3779B97F4A7C15ULL;
        for (std::uint64_t w : look.words)
            h = (h ^ w) * 0xBF58476D1CE4E5B9ULL + (h >> 31);
        return std::size_t(h);
    }
};

} // namespace tile
