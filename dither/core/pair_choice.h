#pragma once
// How a segment of eight pixels gets its two colours, and how a pixel is given one of
// them. The searches work on distances computed once per pixel (PixelDistances), which
// hold exactly the values `colourDistance` would return, so the results are those of computing
// every distance afresh. They run for every pixel or segment, so they are defined here
// to be inlined into each method (and into each of its builds, see dithering_run.h).

#include "colour_metrics.h"
#include "palettes.h"

#include <array>
#include <cstring>

namespace dither {

// colourDistance from one pixel colour to each active colour (entries past count unused).
struct PixelDistances {
    alignas(64) std::array<float, 16> to{};
};

class DistanceCalculator {
public:
    explicit DistanceCalculator(const ActiveColours& active);

    void compute(ColorValue pixel, PixelDistances& out) const
    {
        const std::int32_t r = redPart(pixel), g = greenPart(pixel), b = bluePart(pixel);
        // All sixteen lanes, so the loop vectorises; unused lanes hold harmless values.
        for (int c = 0; c < 16; ++c) {
            const std::int32_t dr = r - red_[c], dg = g - green_[c], db = b - blue_[c];
            out.to[c] = rootOfSum(dr * dr + dg * dg + db * db);
        }
    }

private:
    alignas(64) std::array<std::int32_t, 16> red_{}, green_{}, blue_{};
};

namespace lanes {

// Four single-precision lanes; each lane does exactly the scalar arithmetic.
using Float4 = float __attribute__((vector_size(16)));

inline Float4 broadcast(float v)
{
    return Float4{v, v, v, v};
}

inline Float4 quad(const PixelDistances& d, int q)
{
    Float4 v;
    std::memcpy(&v, d.to.data() + 4 * q, sizeof v);
    return v;
}

using Sums = std::array<float, 16>;

inline Sums unpack(Float4 a, Float4 b, Float4 c, Float4 d)
{
    Sums sums;
    std::memcpy(sums.data(), &a, sizeof a);
    std::memcpy(sums.data() + 4, &b, sizeof b);
    std::memcpy(sums.data() + 8, &c, sizeof c);
    std::memcpy(sums.data() + 12, &d, sizeof d);
    return sums;
}

// Sum over the pixels, for pair (i, j) and every j in the quads from First on (the quads
// below hold only j <= i): acc = acc + combine(e_i, e_j), pixel after pixel.
template <int First, typename Combine>
inline Sums pairSums(const PixelDistances* pixels, int count, int i, Combine combine)
{
    Float4 acc[4] = {};
    for (int k = 0; k < count; ++k) {
        const Float4 ei = broadcast(pixels[k].to[i]);
        if constexpr (First <= 0)
            acc[0] = acc[0] + combine(ei, quad(pixels[k], 0));
        if constexpr (First <= 1)
            acc[1] = acc[1] + combine(ei, quad(pixels[k], 1));
        if constexpr (First <= 2)
            acc[2] = acc[2] + combine(ei, quad(pixels[k], 2));
        acc[3] = acc[3] + combine(ei, quad(pixels[k], 3));
    }
    return unpack(acc[0], acc[1], acc[2], acc[3]);
}

template <typename Combine>
inline Sums pairSumsFrom(const PixelDistances* pixels, int count, int i, Combine combine)
{
    switch ((i + 1) / 4) {
    case 0: return pairSums<0>(pixels, count, i, combine);
    case 1: return pairSums<1>(pixels, count, i, combine);
    case 2: return pairSums<2>(pixels, count, i, combine);
    default: return pairSums<3>(pixels, count, i, combine);
    }
}

inline Float4 sumOf(Float4 a, Float4 b)
{
    return a + b;
}
inline Float4 nearerOf(Float4 a, Float4 b)
{
    return a < b ? a : b;
}

// sums(j) / roots(j) for all sixteen lanes at once: the same IEEE quotients as one
// divide per pair, without the divide's latency on every candidate.
inline Sums pairQuotients(const Sums& sums, const std::array<float, 16>& roots)
{
    Sums quotients;
    for (int j = 0; j < 16; ++j)
        quotients[j] = sums[j] / roots[j];
    return quotients;
}

} // namespace lanes

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
inline ColourPair fullPairSearch(const PixelDistances* pixels, int count, int activeCount,
                                 const DistanceRootTable& distanceRoots)
{
    using namespace lanes;
    float best = pairSearchStart;
    ColourPair pair;
    for (int i = 0; i + 1 < activeCount; ++i) {
        // Each pair's sum is built as acc = acc + (e_i + e_j) in single precision.
        const Sums quotients = pairQuotients(pairSumsFrom(pixels, count, i, sumOf), distanceRoots[i]);
        for (int j = i + 1; j < activeCount; ++j) {
            const float v = quotients[j];
            if (best >= v) {
                best = v;
                pair = {i, j};
            }
        }
    }
    return pair;
}

// First colour of the fast method from the first two pixels in scan order; ties go to
// the lowest index.
inline int firstColourChoice(const PixelDistances& p0, const PixelDistances& p1, int activeCount)
{
    float best = pairSearchStart;
    int chosen = 0;
    for (int c = 0; c < activeCount; ++c) {
        float v = 3.0f * p0.to[c];
        v = v + p1.to[c];
        if (v < best) {
            best = v;
            chosen = c;
        }
    }
    return chosen;
}

// Second colour of the fast method over the remaining pixels in scan order; ties go to
// the later index. The result may be lower than c1.
inline int secondColourChoice(const PixelDistances* pixels, int count, int c1, int activeCount,
                              const DistanceRootTable& distanceRoots)
{
    using namespace lanes;
    alignas(64) std::array<float, 16> acc{};
    for (int k = 0; k < count; ++k) {
        const float e1 = pixels[k].to[c1];
        for (int c = 0; c < 16; ++c)
            acc[c] = acc[c] + (e1 + pixels[k].to[c]);
    }
    const Sums quotients = pairQuotients(acc, distanceRoots[c1]);
    float best = pairSearchStart;
    int chosen = c1 == 0 ? 1 : 0;
    for (int c = 0; c < activeCount; ++c) {
        if (c == c1)
            continue;
        const float v = quotients[c];
        if (best >= v) {
            best = v;
            chosen = c;
        }
    }
    return chosen;
}

// Pair of "Nearest": the smallest sum of each pixel's distance to the nearer colour.
inline ColourPair nearestPairSearch(const PixelDistances* pixels, int count, int activeCount)
{
    using namespace lanes;
    float best = nearestSearchStart;
    ColourPair pair;
    for (int i = 0; i + 1 < activeCount; ++i) {
        const Sums sums = pairSumsFrom(pixels, count, i, nearerOf);
        for (int j = i + 1; j < activeCount; ++j) {
            if (best >= sums[j]) {
                best = sums[j];
                pair = {i, j};
            }
        }
    }
    return pair;
}

// Projection rule: true when the pixel takes c2 (t > 0.5).
inline bool projectsOntoSecond(const ActiveColours& active, ColourPair pair, ColorValue pixel)
{
    // projectionRatio > 0.5 holds exactly when e1 > e2 (the squared distances to c1 and c2):
    // t = ((e12 + e1 - e2) / e12) / 2 with integers below 2^24 that single precision
    // holds exactly, and e12 < 2^18, so the quotient exceeds 1 by at least 2^-18 when
    // e1 > e2, far more than its rounding error, and is at most 1 otherwise.
    return sumOfSquares(active.colours[pair.c1], pixel) > sumOfSquares(active.colours[pair.c2], pixel);
}

// Distance rule of "Nearest": true when the pixel takes c2 (equal distances give c2).
inline bool nearerToSecond(const PixelDistances& d, ColourPair pair)
{
    return d.to[pair.c1] >= d.to[pair.c2];
}

} // namespace dither
