#pragma once
// The error accumulated for every pixel, per component, and the three operations that
// read and feed it: mapped, errorFor and add.

#include "colour_metrics.h"
#include "kernels.h"
#include "picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace dither {

// Error of the pixel just placed, already scaled by the diffusion factor, per component.
using CurrentError = ColourParts;

// A colour or an error in three scalars. Placing a pixel waits for the error of the one
// placed before it, so that step is kept in scalar registers, free of vector lane moves.
struct ScalarParts {
    int r = 0, g = 0, b = 0;
};

[[gnu::always_inline]] inline ScalarParts scalarPartsOf(ColorValue c)
{
    return {redPart(c), greenPart(c), bluePart(c)};
}
[[gnu::always_inline]] inline ScalarParts operator+(const ScalarParts& a, const ScalarParts& b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

// The shares of the pixels just placed for the next two pixels ahead on the line, kept in
// registers until the line's next pixels are placed (see ErrorPlanes::spread).
struct CarriedShares {
    ScalarParts next;      // for x + s
    ScalarParts afterNext; // for x + 2s
};

// Four components in double precision; kept inlined, so never passed by value.
using Double4 = double __attribute__((vector_size(32)));

// difference * factor per component, rounded to nearest with halves to even (whole
// numbers, in double).
[[gnu::always_inline]] inline void scaleError(Double4& scaled, const ColourParts& difference, double factor)
{
    // Adding and taking away 1.5 * 2^52 leaves a double below 2^51 rounded to an integer
    // in the default rounding mode (to nearest, halves to even), as lrint does.
    constexpr double rounder = 6755399441055744.0;
    scaled = __builtin_convertvector(difference, Double4) * factor;
    scaled = (scaled + rounder) - rounder;
}
[[gnu::always_inline]] inline CurrentError scaledError(const ColourParts& difference, double factor)
{
    Double4 scaled;
    scaleError(scaled, difference, factor);
    return __builtin_convertvector(scaled, ColourParts);
}

struct SpreadTaps;

// A cell of the planes is one ColourParts (its fourth lane stays 0), so a share is added
// to a cell in one step.
class ErrorPlanes {
public:
    // All planes start at 0; diffusion factor = diffusionPercent / 100.
    explicit ErrorPlanes(int diffusionPercent);

    // The adjusted colour plus the error so far, clamped per component.
    [[gnu::always_inline]] ColourParts mappedParts(const Picture& adjusted, int x, int y) const
    {
        ColourParts v = partsOf(adjusted[pixelIndex(x, y)]) + cells_[cellIndex(x, y)];
        v = v < 0 ? ColourParts{} : v;
        return v > 255 ? ColourParts{} + 255 : v;
    }
    // The same in scalars, with the share `carried` from the pixels placed just before.
    [[gnu::always_inline]] ScalarParts mappedScalars(ColorValue adjusted, int x, int y,
                                                     const ScalarParts& carried) const
    {
        const ColourParts& cell = cells_[cellIndex(x, y)];
        auto clamped = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
        return {clamped(redPart(adjusted) + cell[0] + carried.r), clamped(greenPart(adjusted) + cell[1] + carried.g),
                clamped(bluePart(adjusted) + cell[2] + carried.b)};
    }

    // (lineMap component - colour component) * diffusion factor,
    // rounded to nearest with halves to even.
    [[gnu::always_inline]] CurrentError errorFor(const ColourParts& lineMap, ColorValue placed) const
    {
        return scaledError(lineMap - partsOf(placed), diffusionFactor_);
    }

    // Adds floor(weight * error) per component; positions outside
    // the picture are ignored.
    void add(int x, int y, float weight, const CurrentError& error);

    // Spreads the error of the pixel at x on the line being placed, the difference between
    // the picture with its error and the colour placed, to the pixels ahead on its line
    // along the kernel, and keeps it for spreadBelow. The shares for the next two pixels
    // stay in `carried` (the next pixel reads carried.next through mappedScalars), so that
    // no placement waits on memory; they reach the cells when settled. Shares that fall
    // outside the picture land in the margin, which nothing reads, so no tap needs a
    // bounds check.
    [[gnu::always_inline]] inline void spread(const SpreadTaps& taps, int x, const ScalarParts& difference,
                                              CarriedShares& carried);
    // Adds the carried shares to the cells at (x, y) and (x + s, y), x being the pixel after
    // the last one placed, before anything else reads them.
    [[gnu::always_inline]] void settle(int x, int y, int s, CarriedShares& carried)
    {
        addTo(cells_[cellIndex(x, y)], carried.next);
        addTo(cells_[cellIndex(x + s, y)], carried.afterNext);
        carried = CarriedShares{};
    }
    // Once every pixel of line y is placed (lines below are read only after that): the
    // shares of its errors for the lines below, one pass per line; then lineDone(y).
    inline void spreadBelow(const SpreadTaps& taps, int y, int s);
    // Line y is placed and will not be read again: its cells start line y + lineSlots.
    void lineDone(int y)
    {
        ColourParts* line = cells_.data() + cellIndex(-margin, y);
        std::fill(line, line + stride, ColourParts{});
    }

private:
    // A kernel reaches at most 3 columns either side and 3 lines down (Kernel::filter is
    // 7 columns by 4 rows), so only the line being placed and the three below hold error:
    // the cells are a ring of four lines, which stays in the nearest cache.
    static constexpr int margin = 3;
    static constexpr int stride = pictureWidth + 2 * margin;
    static constexpr int lineSlots = 4;
    static constexpr int cellIndex(int x, int y) { return (y % lineSlots) * stride + x + margin; }

    static void addTo(ColourParts& cell, const ScalarParts& share)
    {
        cell[0] += share.r;
        cell[1] += share.g;
        cell[2] += share.b;
    }

    std::vector<ColourParts> cells_;
    double diffusionFactor_;
    // The differences of the line being placed, by x, and their errors (scaled by the
    // diffusion factor in spreadBelow, when it is not 1).
    std::array<ColourParts, pictureWidth> lineDifferences_{}, lineErrors_{};
    // The shares of those errors for each distinct weight of the lines below, by x.
    std::vector<ColourParts> shares_;
};

// The largest error a pixel can carry: components are clamped to 0..255 before every
// comparison and the diffusion factor is at most 1.
constexpr int maxError = 255;

// The smallest weight a tap may have (see flooredShares).
constexpr double smallestTapWeight = 1.0 / 1048576.0; // 2^-20

// floor(w * e) per component, for 2^-20 <= w <= 1 and |e| <= maxError. The product of a
// single and a small integer is exact in double (24 + 9 bits); adding 512 keeps it exact
// (its lowest bit is at least 2^-43, and the sum is below 2^10) and positive, so
// truncating the sum and taking 512 away floors the product.
[[gnu::always_inline]] inline ColourParts flooredShares(double w, const Double4& e)
{
    const Double4 shifted = e * w + 512.0;
    return __builtin_convertvector(shifted, ColourParts) - 512;
}
[[gnu::always_inline]] inline ColourParts flooredShares(double w, const ColourParts& e)
{
    return flooredShares(w, __builtin_convertvector(e, Double4));
}

// floor(w * e) in 32-bit integers, for a weight w = m * 2^-k (m the 24 bits of a single,
// k >= 24 - 1 since w <= 1) and |e| <= maxError. Split m = high * 2^12 + low; then, floors
// nesting for integers, floor(w e) = (high e + ((low e) >> 12)) >> (k - 12), where every
// term stays below 2^21 and each arithmetic shift floors.
struct IntegerWeight {
    explicit IntegerWeight(float w);
    std::int32_t high, low;
    int shift; // k - 12
};

// Eight integer lanes; kept inlined, so never passed by value.
using Int8 = std::int32_t __attribute__((vector_size(32)));

[[gnu::always_inline]] inline void floorShares(Int8& shares, const IntegerWeight& w, const Int8& e)
{
    shares = (e * w.high + ((e * w.low) >> 12)) >> w.shift;
}

// A kernel's taps with every weight multiplied by weightScale (1, or 0.5 for the 8x8
// method), for one diffusion factor. The pixels ahead on the same line are read next, so
// their shares come from tables indexed by the unscaled difference (the shortest way from
// one pixel's choice to the next one's); the lines below take floor(w * e) a line at a
// time.
struct SpreadTaps {
    SpreadTaps(const Kernel& kernel, float weightScale, int diffusionPercent);

    // floor(w * errorFor(d)) of one tap for every difference d = -maxError..maxError.
    using ShareTable = std::array<std::int32_t, 2 * maxError + 1>;
    struct Below {
        int dx;
        int weight; // index in weights
    };
    // The taps of one line below the pixel (dy = 1 .. 3).
    struct LineBelow {
        int dy;
        std::vector<Below> taps;
    };
    static constexpr int maxTapsPerLine = 7; // Kernel::filter is 7 columns wide
    // Line 0 of a kernel reaches two pixels ahead at most (Kernel::filter is 7 columns
    // wide, the pixel in the middle).
    ShareTable next{};      // the tap to x + s (all 0 for a kernel without one)
    ShareTable afterNext{}; // the tap to x + 2s (all 0 for a kernel without one)
    std::vector<LineBelow> linesBelow;
    // The distinct weights of the taps below: most kernels give equal weights to two or
    // more taps, whose shares are worked out once.
    std::vector<IntegerWeight> weights;
    // For each weight, the shift that gives its shares from those of the weight before it
    // (-1 when they are worked out from the errors).
    std::vector<int> shareSteps;
};

[[gnu::always_inline]] inline void ErrorPlanes::spread(const SpreadTaps& taps, int x, const ScalarParts& difference,
                                                       CarriedShares& carried)
{
    ColourParts& kept = lineDifferences_[std::size_t(x)];
    kept[0] = difference.r;
    kept[1] = difference.g;
    kept[2] = difference.b;
    const std::size_t r = std::size_t(difference.r + maxError), g = std::size_t(difference.g + maxError),
                      b = std::size_t(difference.b + maxError);
    carried.next = carried.afterNext + ScalarParts{taps.next[r], taps.next[g], taps.next[b]};
    carried.afterNext = {taps.afterNext[r], taps.afterNext[g], taps.afterNext[b]};
}

// Adds `count` lines of shares to a line of cells, eight integers (two cells) at a time;
// integer sums, so the order of the taps does not matter.
template <int count>
[[gnu::always_inline]] inline void addShares(std::int32_t* to, const std::int32_t* const* from)
{
    for (int i = 0; i < 4 * pictureWidth; i += 8) {
        Int8 sum;
        std::memcpy(&sum, to + i, sizeof sum);
        for (int t = 0; t < count; ++t) {
            Int8 share;
            std::memcpy(&share, from[t] + i, sizeof share);
            sum += share;
        }
        std::memcpy(to + i, &sum, sizeof sum);
    }
}

[[gnu::always_inline]] inline void ErrorPlanes::spreadBelow(const SpreadTaps& taps, int y, int s)
{
    // Each weight's shares sit between zeros as wide as a kernel reaches, so that a line
    // below reads every tap's share for each of its cells without a bounds check.
    constexpr std::size_t shareStride = pictureWidth + 2 * margin;
    shares_.resize(taps.weights.size() * shareStride);
    // The errors: the differences themselves when the whole error is spread.
    static_assert(sizeof(lineErrors_) == sizeof(lineDifferences_));
    const auto* errors = reinterpret_cast<const std::int32_t*>(lineDifferences_.data());
    if (diffusionFactor_ != 1.0) {
        for (int x = 0; x < pictureWidth; ++x) {
            Double4 error;
            scaleError(error, lineDifferences_[std::size_t(x)], diffusionFactor_);
            lineErrors_[std::size_t(x)] = __builtin_convertvector(error, ColourParts);
        }
        errors = reinterpret_cast<const std::int32_t*>(lineErrors_.data());
    }
    for (std::size_t w = 0; w < taps.weights.size(); ++w) {
        auto* share = reinterpret_cast<std::int32_t*>(shares_.data() + w * shareStride + margin);
        const int step = taps.shareSteps[w];
        const std::int32_t* larger = share - 4 * shareStride; // the weight before
        for (int i = 0; i < 4 * pictureWidth; i += 8) {
            Int8 v, floored;
            if (step < 0) {
                std::memcpy(&v, errors + i, sizeof v);
                floorShares(floored, taps.weights[w], v);
            } else {
                std::memcpy(&v, larger + i, sizeof v);
                floored = v >> step;
            }
            std::memcpy(share + i, &floored, sizeof floored);
        }
    }
    // Each line below adds all its taps' shares in one pass over its cells.
    static_assert(sizeof(ColourParts) == 4 * sizeof(std::int32_t) && pictureWidth % 2 == 0);
    for (const SpreadTaps::LineBelow& line : taps.linesBelow) {
        std::array<const std::int32_t*, SpreadTaps::maxTapsPerLine> from;
        const int count = int(line.taps.size());
        for (int t = 0; t < count; ++t) {
            const SpreadTaps::Below& tap = line.taps[std::size_t(t)];
            // The cell at x takes the share of the pixel at x - s * dx.
            const ColourParts* share = shares_.data() + std::size_t(tap.weight) * shareStride + margin - s * tap.dx;
            from[std::size_t(t)] = reinterpret_cast<const std::int32_t*>(share);
        }
        auto* to = reinterpret_cast<std::int32_t*>(cells_.data() + cellIndex(0, y + line.dy));
        switch (count) {
        case 1: addShares<1>(to, from.data()); break;
        case 2: addShares<2>(to, from.data()); break;
        case 3: addShares<3>(to, from.data()); break;
        case 4: addShares<4>(to, from.data()); break;
        case 5: addShares<5>(to, from.data()); break;
        case 6: addShares<6>(to, from.data()); break;
        case 7: addShares<7>(to, from.data()); break;
        }
    }
    lineDone(y);
}

} // namespace dither
