#pragma once
// The 256x192 picture that every method reads and writes, as plain colour values.

#include "palette.h"
#include "screen_size.h"

#include <vector>

namespace dither {

using tms::ColorValue;

constexpr int pictureWidth = tms::screenWidth;
constexpr int pictureHeight = tms::screenHeight;
constexpr int pictureSize = pictureWidth * pictureHeight;

// Colour values (red in bits 0..7) indexed y * pictureWidth + x.
using Picture = std::vector<ColorValue>;

inline Picture blackPicture()
{
    return Picture(pictureSize, 0);
}

constexpr int pixelIndex(int x, int y)
{
    return y * pictureWidth + x;
}

} // namespace dither
