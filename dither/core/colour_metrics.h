#pragma once
// Colour components, the two distances and the projection ratio on which every
// method rests. The arithmetic is kept in the precision the results depend on:
// integer sums of squares, single-precision distances and ratios.

#include "picture.h"

#include <cmath>
#include <cstdint>

namespace dither {

constexpr std::int16_t redPart(ColorValue c)
{
    return std::int16_t(c & 255);
}
constexpr std::int16_t greenPart(ColorValue c)
{
    return std::int16_t((c / 256) & 255);
}
constexpr std::int16_t bluePart(ColorValue c)
{
    return std::int16_t((c / 65536) & 255);
}

// Callers pass components already clamped to 0..255.
constexpr ColorValue RGB(int red, int green, int blue)
{
    return ColorValue(red) + ColorValue(green) * 256 + ColorValue(blue) * 65536;
}

// Red, green and blue in the first three lanes; the fourth is 0. The per-pixel steps
// work on colours in this form.
using ColourParts = std::int32_t __attribute__((vector_size(16)));

[[gnu::always_inline]] inline ColourParts partsOf(ColorValue c)
{
    // One shift per lane (a single instruction with AVX2).
    return ((ColourParts{} + std::int32_t(c)) >> ColourParts{0, 8, 16, 24}) & ColourParts{255, 255, 255, 0};
}

constexpr std::int16_t redDifference(ColorValue a, ColorValue b)
{
    return std::int16_t(redPart(a) - redPart(b));
}
constexpr std::int16_t greenDifference(ColorValue a, ColorValue b)
{
    return std::int16_t(greenPart(a) - greenPart(b));
}
constexpr std::int16_t blueDifference(ColorValue a, ColorValue b)
{
    return std::int16_t(bluePart(a) - bluePart(b));
}

constexpr std::int32_t sumOfSquares(ColorValue a, ColorValue b)
{
    const std::int32_t dr = redDifference(a, b), dg = greenDifference(a, b), db = blueDifference(a, b);
    return dr * dr + dg * dg + db * db;
}

// Square root of an integer sum of squares, rounded to single precision. Taking the
// root in single precision gives the same value as rounding the double root (double
// has more than twice the bits of single), which lets the compiler vectorise it.
inline float rootOfSum(std::int32_t sum)
{
    return std::sqrt(float(sum));
}

inline float colourDistance(ColorValue a, ColorValue b)
{
    return rootOfSum(sumOfSquares(a, b));
}

inline float squaredDistance(ColorValue a, ColorValue b)
{
    return float(sumOfSquares(a, b));
}

// Where c3 lies along the line from c1 (0) to c2 (1); outside 0..1 beyond the ends.
inline float projectionRatio(ColorValue c1, ColorValue c2, ColorValue c3)
{
    const float e12 = squaredDistance(c1, c2);
    const float e1 = squaredDistance(c1, c3);
    const float e2 = squaredDistance(c2, c3);
    return ((e12 + e1 - e2) / e12) / 2.0f;
}

} // namespace dither
