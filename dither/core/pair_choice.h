#pragma once
// How a segment of eight pixels gets its two colours, and how a pixel is given one of
// them. The searches work on distances computed once per pixel (PixelDistances), which
// hold exactly the values `ecart` would return, so the results are those of computing
// every distance afresh.

#include "palettes.h"

#include <array>

namespace dither {

// ecart from one pixel colour to each active colour (entries past active_count unused).
struct PixelDistances {
    alignas(64) std::array<float, 16> to{};
};

class DistanceCalculator {
public:
    explicit DistanceCalculator(const ActiveColours& active);
    void compute(ColorValue pixel, PixelDistances& out) const;

private:
    alignas(64) std::array<std::int32_t, 16> red_{}, green_{}, blue_{};
};

struct ColourPair {
    int c1 = 0; // the 0-bits (background)
    int c2 = 1; // the 1-bits (foreground)
};

// Starting best-so-far values; every real candidate is smaller.
constexpr float pairSearchStart = 520200.0f;
constexpr float nearestSearchStart = 60000.0f;

// Full pair search over `count` pixels (8 for a segment; 64 for the block search, line
// by line). Pixel sums are accumulated in the order given; ties go to the pair
// evaluated last.
ColourPair fullPairSearch(const PixelDistances* pixels, int count, int activeCount,
                          const SqrtEcartTable& sqrt_ecart);

// First colour of the fast method from the first two pixels in scan order; ties go to
// the lowest index.
int firstColourChoice(const PixelDistances& p0, const PixelDistances& p1, int activeCount);

// Second colour of the fast method over the remaining pixels in scan order; ties go to
// the later index. The result may be lower than c1.
int secondColourChoice(const PixelDistances* pixels, int count, int c1, int activeCount,
                       const SqrtEcartTable& sqrt_ecart);

// Pair of "Nearest": the smallest sum of each pixel's distance to the nearer colour.
ColourPair nearestPairSearch(const PixelDistances* pixels, int count, int activeCount);

// Projection rule: true when the pixel takes c2 (t > 0.5).
bool projectsOntoSecond(const ActiveColours& active, ColourPair pair, ColorValue pixel);

// Distance rule of "Nearest": true when the pixel takes c2 (equal distances give c2).
inline bool nearerToSecond(const PixelDistances& d, ColourPair pair)
{
    return d.to[pair.c1] >= d.to[pair.c2];
}

} // namespace dither
