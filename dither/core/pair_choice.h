#pragma once
// How a segment of eight pixels gets its two colours, and how a pixel is given one of
// them. The searches work on distances computed once per pixel (PixelDistances), which
// hold exactly the values `colourDistance` would return, so the results are those of computing
// every distance afresh. They run for every pixel or segment, so they are defined here
// to be inlined into each method (and into each of its builds, see dithering_run.h).

#include "colour_metrics.h"
#include "error_planes.h"
#include "palettes.h"

#include <array>
#include <cstring>

namespace dither {

// colourDistance from one pixel colour to each active colour (entries past count unused).
struct PixelDistances {
    alignas(64) std::array<float, 16> to{};
};

namespace lanes {

// Eight single-precision lanes (one AVX register, two SSE ones); each lane does exactly
// the scalar arithmetic. Comparisons give masks of all ones in 32-bit integer lanes.
// These vectors never cross a call (everything here is inlined), so they are passed by
// reference only.
using Float8 = float __attribute__((vector_size(32)));
using Mask8 = std::int32_t __attribute__((vector_size(32)));

// Colours j = 8 * half + lane.
[[gnu::always_inline]] inline void loadOctet(Float8& v, const float* values, int half)
{
    std::memcpy(&v, values + 8 * half, sizeof v);
}

} // namespace lanes

class DistanceCalculator {
public:
    explicit DistanceCalculator(const ActiveColours& active);

    [[gnu::always_inline]] void compute(ColorValue pixel, PixelDistances& out) const { compute(partsOf(pixel), out); }
    [[gnu::always_inline]] void compute(const ColourParts& pixel, PixelDistances& out) const
    {
        using namespace lanes;
        // The differences, their squares and the sum of squares are integers below 2^24,
        // exact in single precision, so this is the integer sum of squares of
        // colourDistance, converted; all sixteen lanes, unused ones harmlessly.
        using Float4 = float __attribute__((vector_size(16)));
        const Float4 parts = __builtin_convertvector(pixel, Float4);
        const Float8 r = Float8{} + parts[0], g = Float8{} + parts[1], b = Float8{} + parts[2];
        for (int half = 0; half < 2; ++half) {
            Float8 red, green, blue;
            loadOctet(red, red_.data(), half);
            loadOctet(green, green_.data(), half);
            loadOctet(blue, blue_.data(), half);
            const Float8 dr = r - red, dg = g - green, db = b - blue;
            const Float8 sum = dr * dr + dg * dg + db * db;
            std::memcpy(out.to.data() + 8 * half, &sum, sizeof sum);
        }
        for (float& d : out.to)
            d = std::sqrt(d);
    }

private:
    alignas(64) std::array<float, 16> red_{}, green_{}, blue_{};
};

namespace lanes {

inline constexpr Mask8 laneNumbers[2] = {{0, 1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14, 15}};

// The best value and the last index that reached it, kept per lane while a search
// visits its candidates in order; the per-lane comparison `best >= v` is the sequential
// scan's own test, so a value that is not a number is never taken.
struct LaneBest {
    Float8 value;
    Mask8 index;

    [[gnu::always_inline]] void start(float v)
    {
        value = Float8{} + v;
        index = Mask8{} - 1;
    }
    [[gnu::always_inline]] void take(const Mask8& candidate, const Float8& v, int i)
    {
        takeWhere(candidate & (v <= value), v, i);
    }
    // For values that are never taken where they are not candidates (infinite or not a number).
    [[gnu::always_inline]] void take(const Float8& v, int i) { takeWhere(v <= value, v, i); }
    [[gnu::always_inline]] void takeWhere(const Mask8& better, const Float8& v, int i)
    {
        value = better ? v : value;
        index = better ? Mask8{} + i : index;
    }
};

// Lane-wise least (or greatest) of two vectors; the values are never NaN here.
[[gnu::always_inline]] inline void keepLeast(Float8& a, const Float8& b)
{
    a = b < a ? b : a;
}
[[gnu::always_inline]] inline void keepGreatest(Mask8& a, const Mask8& b)
{
    a = b > a ? b : a;
}

// The winner of a scan that visits i ascending and, for each i, j ascending: the least
// value, ties to the largest (i, j). Lanes that took nothing hold index -1.
[[gnu::always_inline]] inline bool lastOfLeast(const LaneBest (&halves)[2], int& bestI, int& bestJ)
{
    // Folding the lanes onto themselves leaves the least value (the greatest key) in every lane.
    Float8 least = halves[0].value;
    keepLeast(least, halves[1].value);
    keepLeast(least, __builtin_shufflevector(least, least, 4, 5, 6, 7, 0, 1, 2, 3));
    keepLeast(least, __builtin_shufflevector(least, least, 2, 3, 0, 1, 6, 7, 4, 5));
    keepLeast(least, __builtin_shufflevector(least, least, 1, 0, 3, 2, 5, 4, 7, 6));
    Mask8 key[2];
    for (int half = 0; half < 2; ++half) {
        const Mask8 candidate = (halves[half].value == least) & (halves[half].index >= 0);
        key[half] = candidate ? halves[half].index * 16 + laneNumbers[half] : Mask8{} - 1;
    }
    keepGreatest(key[0], key[1]);
    keepGreatest(key[0], __builtin_shufflevector(key[0], key[0], 4, 5, 6, 7, 0, 1, 2, 3));
    keepGreatest(key[0], __builtin_shufflevector(key[0], key[0], 2, 3, 0, 1, 6, 7, 4, 5));
    keepGreatest(key[0], __builtin_shufflevector(key[0], key[0], 1, 0, 3, 2, 5, 4, 7, 6));
    const int k = key[0][0];
    if (k < 0)
        return false;
    bestI = k / 16;
    bestJ = k % 16;
    return true;
}

enum class PairMeasure {
    SumOverRoot, // sum over the pixels of (e_i + e_j), divided by distanceRoots(i, j)
    NearerSum,   // sum over the pixels of the smaller of e_i and e_j
};

template <PairMeasure measure>
[[gnu::always_inline]] inline void combineInto(Float8& acc, const Float8& ei, const float* distances, int half)
{
    Float8 ej;
    loadOctet(ej, distances, half);
    if constexpr (measure == PairMeasure::SumOverRoot)
        acc = acc + (ei + ej);
    else
        acc = acc + (ei < ej ? ei : ej);
}

// acc = acc + combine(e_i, e_j) pixel after pixel, for the colours j of the halves from
// `first` on.
template <PairMeasure measure, int first>
[[gnu::always_inline]] inline void accumulate(Float8 (&acc)[2], const PixelDistances* pixels, int count, int i)
{
    acc[0] = acc[1] = Float8{};
    for (int k = 0; k < count; ++k) {
        const Float8 ei = Float8{} + pixels[k].to[i];
        if constexpr (first == 0)
            combineInto<measure>(acc[0], ei, pixels[k].to.data(), 0);
        combineInto<measure>(acc[1], ei, pixels[k].to.data(), 1);
    }
}

template <PairMeasure measure, int first>
[[gnu::always_inline]] inline void offerRow(LaneBest (&best)[2], const Mask8 (&active)[2], const PixelDistances* pixels,
                                            int count, int i, const PairRootTable* roots)
{
    Float8 v[2];
    accumulate<measure, first>(v, pixels, count, i);
    for (int half = first; half < 2; ++half) {
        if constexpr (measure == PairMeasure::SumOverRoot) {
            Float8 root;
            loadOctet(root, roots->roots[i].data(), half);
            best[half].take(v[half] / root, i); // lanes that are no pair divide by 0
        } else if (first == 0 && half == 1) {
            best[half].take(active[half], v[half], i); // rows below 7 reach every colour of the high half
        } else {
            best[half].take(active[half] & (laneNumbers[half] > i), v[half], i);
        }
    }
}

// Offers the pairs (i, j > i) of every i = 0 .. activeCount - 2 to the per-lane best.
// Pairs with j <= 7 exist only for i < 7, so the low half is skipped from there on.
template <PairMeasure measure>
[[gnu::always_inline]] inline bool searchPairs(const PixelDistances* pixels, int count, int activeCount, float start,
                                               const PairRootTable* roots, int& bestI, int& bestJ)
{
    LaneBest best[2];
    best[0].start(start);
    best[1].start(start);
    const Mask8 active[2] = {laneNumbers[0] < activeCount, laneNumbers[1] < activeCount};
    int i = 0;
    for (; i + 1 < activeCount && i < 7; ++i)
        offerRow<measure, 0>(best, active, pixels, count, i, roots);
    for (; i + 1 < activeCount; ++i)
        offerRow<measure, 1>(best, active, pixels, count, i, roots);
    return lastOfLeast(best, bestI, bestJ);
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
// by line): the least sum(e_i + e_j) / distanceRoots(i, j), each sum built as
// acc = acc + (e_i + e_j) in single precision in the order given. Ties go to the pair
// evaluated last (i, then j, ascending).
[[gnu::always_inline]] inline ColourPair fullPairSearch(const PixelDistances* pixels, int count, int activeCount,
                                                        const PairRootTable& pairRoots)
{
    ColourPair pair;
    lanes::searchPairs<lanes::PairMeasure::SumOverRoot>(pixels, count, activeCount, pairSearchStart, &pairRoots,
                                                        pair.c1, pair.c2);
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
[[gnu::always_inline]] inline int secondColourChoice(const PixelDistances* pixels, int count, int c1, int activeCount,
                                                     const DistanceRootTable& distanceRoots)
{
    using namespace lanes;
    // One row of candidates: every active colour but c1.
    LaneBest best[2];
    Float8 v[2];
    accumulate<PairMeasure::SumOverRoot, 0>(v, pixels, count, c1);
    for (int half = 0; half < 2; ++half) {
        Float8 root;
        loadOctet(root, distanceRoots[c1].data(), half);
        best[half].start(pairSearchStart);
        best[half].take((laneNumbers[half] < activeCount) & (laneNumbers[half] != c1), v[half] / root, 0);
    }
    int unused = 0, chosen = c1 == 0 ? 1 : 0;
    lastOfLeast(best, unused, chosen);
    return chosen;
}

// Pair of "Nearest": the smallest sum of each pixel's distance to the nearer colour.
[[gnu::always_inline]] inline ColourPair nearestPairSearch(const PixelDistances* pixels, int count, int activeCount)
{
    ColourPair pair;
    lanes::searchPairs<lanes::PairMeasure::NearerSum>(pixels, count, activeCount, nearestSearchStart, nullptr, pair.c1,
                                                      pair.c2);
    return pair;
}

// The projection rule (the pixel takes c2 when t > 0.5), worked out once per segment.
// t = ((e12 + e1 - e2) / e12) / 2 with e1, e2, e12 the squared distances to c1, to c2 and
// between them: integers below 2^24 that single precision holds exactly, and e12 < 2^18,
// so the quotient exceeds 1 by at least 2^-18 when e1 > e2, far more than its rounding
// error, and is at most 1 otherwise: t > 0.5 exactly when e1 > e2. And e1 - e2 is linear
// in the pixel p: 2 p . (c2 - c1) + |c1|^2 - |c2|^2, all small integers, so e1 > e2
// exactly when p . 2 (c2 - c1) > |c2|^2 - |c1|^2.
class ProjectionRule {
public:
    ProjectionRule(const ActiveColours& active, ColourPair pair)
        : first_(scalarPartsOf(active.colours[pair.c1])), second_(scalarPartsOf(active.colours[pair.c2]))
    {
        step_ = {second_.r - first_.r, second_.g - first_.g, second_.b - first_.b};
        towardsSecond_ = {2 * step_.r, 2 * step_.g, 2 * step_.b};
        threshold_ = second_.r * second_.r + second_.g * second_.g + second_.b * second_.b
                     - (first_.r * first_.r + first_.g * first_.g + first_.b * first_.b);
    }
    [[gnu::always_inline]] bool takesSecond(const ScalarParts& pixel) const
    {
        return pixel.r * towardsSecond_.r + pixel.g * towardsSecond_.g + pixel.b * towardsSecond_.b > threshold_;
    }
    // pixel - c2 where `second` is all ones, else pixel - c1; without a branch, which the
    // dithered pattern would make unpredictable.
    [[gnu::always_inline]] ScalarParts difference(const ScalarParts& pixel, int second) const
    {
        return {pixel.r - first_.r - (step_.r & second), pixel.g - first_.g - (step_.g & second),
                pixel.b - first_.b - (step_.b & second)};
    }

private:
    ScalarParts first_, second_;
    ScalarParts step_;          // c2 - c1
    ScalarParts towardsSecond_; // 2 (c2 - c1)
    std::int32_t threshold_;
};

// Distance rule of "Nearest": true when the pixel takes c2 (equal distances give c2).
inline bool nearerToSecond(const PixelDistances& d, ColourPair pair)
{
    return d.to[pair.c1] >= d.to[pair.c2];
}

} // namespace dither
