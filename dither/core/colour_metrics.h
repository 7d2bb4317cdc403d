#pragma once
// Colour components, the two distances and the projection ratio on which every
// method rests. The arithmetic is kept in the precision the results depend on:
// integer sums of squares, single-precision distances and ratios.

#include "picture.h"

#include <cmath>
#include <cstdint>

namespace dither {

constexpr std::int16_t rouge(ColorValue c) { return std::int16_t(c & 255); }
constexpr std::int16_t vert(ColorValue c) { return std::int16_t((c / 256) & 255); }
constexpr std::int16_t bleu(ColorValue c) { return std::int16_t((c / 65536) & 255); }

// Callers pass components already clamped to 0..255.
constexpr ColorValue RGB(int red, int green, int blue)
{
    return ColorValue(red) + ColorValue(green) * 256 + ColorValue(blue) * 65536;
}

constexpr std::int16_t diff_rouge(ColorValue a, ColorValue b) { return std::int16_t(rouge(a) - rouge(b)); }
constexpr std::int16_t diff_vert(ColorValue a, ColorValue b) { return std::int16_t(vert(a) - vert(b)); }
constexpr std::int16_t diff_bleu(ColorValue a, ColorValue b) { return std::int16_t(bleu(a) - bleu(b)); }

constexpr std::int32_t sumOfSquares(ColorValue a, ColorValue b)
{
    const std::int32_t dr = diff_rouge(a, b), dg = diff_vert(a, b), db = diff_bleu(a, b);
    return dr * dr + dg * dg + db * db;
}

// Square root of an integer sum of squares, rounded to single precision. Taking the
// root in single precision gives the same value as rounding the double root (double
// has more than twice the bits of single), which lets the compiler vectorise it.
inline float rootOfSum(std::int32_t sum) { return std::sqrt(float(sum)); }

inline float ecart(ColorValue a, ColorValue b) { return rootOfSum(sumOfSquares(a, b)); }

inline float ecart_2(ColorValue a, ColorValue b) { return float(sumOfSquares(a, b)); }

// Where c3 lies along the line from c1 (0) to c2 (1); outside 0..1 beyond the ends.
inline float pourcentage(ColorValue c1, ColorValue c2, ColorValue couleur3)
{
    const float e12 = ecart_2(c1, c2);
    const float e1 = ecart_2(c1, couleur3);
    const float e2 = ecart_2(c2, couleur3);
    return ((e12 + e1 - e2) / e12) / 2.0f;
}

} // namespace dither
