#include "error_planes.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numeric>
#include <tuple>

namespace dither {

ErrorPlanes::ErrorPlanes(int diffusionPercent)
    : cells_(lineSlots * stride, ColourParts{}), diffusionFactor_(diffusionPercent / 100.0)
{
}

void ErrorPlanes::add(int x, int y, float weight, const CurrentError& error)
{
    if (x < 0 || x >= pictureWidth || y < 0 || y >= pictureHeight)
        return;
    cells_[cellIndex(x, y)] += flooredShares(weight, error);
}

IntegerWeight::IntegerWeight(float w)
{
    assert(w >= smallestTapWeight && w <= 1.0f);
    int exponent = 0;
    const double fraction = std::frexp(double(w), &exponent); // w = fraction * 2^exponent, fraction in [0.5, 1)
    const auto m = std::int32_t(std::ldexp(fraction, 24));    // exact: a single has 24 bits
    high = m >> 12;
    low = m & 4095;
    shift = 24 - exponent - 12;
}

SpreadTaps::SpreadTaps(const Kernel& kernel, float weightScale, int diffusionPercent)
{
    const double factor = diffusionPercent / 100.0;
    for (const Kernel::Tap& tap : kernel.taps()) {
        const float w = tap.w * weightScale;
        assert(w >= smallestTapWeight && w <= 1.0f); // every kernel's weights, halved at most
        if (tap.dy > 0) {
            const IntegerWeight weight(w);
            const auto known = std::find_if(weights.begin(), weights.end(), [&](const IntegerWeight& other) {
                return other.high == weight.high && other.low == weight.low && other.shift == weight.shift;
            });
            if (linesBelow.empty() || linesBelow.back().dy != tap.dy)
                linesBelow.push_back({tap.dy, {}}); // taps come line by line
            assert(linesBelow.back().taps.size() < std::size_t(maxTapsPerLine));
            linesBelow.back().taps.push_back({tap.dx, int(known - weights.begin())});
            if (known == weights.end())
                weights.push_back(weight);
            continue;
        }
        assert(tap.dx == 1 || tap.dx == 2);
        ShareTable& share = tap.dx == 1 ? next : afterNext;
        for (int d = -maxError; d <= maxError; ++d)
            share[std::size_t(d + maxError)] = flooredShares(w, scaledError(ColourParts{d, 0, 0, 0}, factor))[0];
    }
    // Weights that differ by a power of two (as most of a kernel's do) share their
    // product: floor(floor(p / 2^a) / 2^b) = floor(p / 2^(a + b)), so each share of such a
    // weight follows from the one before it by a shift. Order them product by product,
    // the largest weight (least shift) first.
    std::vector<int> order(weights.size());
    std::iota(order.begin(), order.end(), 0);
    auto key = [&](int w) { return std::tuple(weights[w].high, weights[w].low, weights[w].shift); };
    std::sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    std::vector<int> position(weights.size());
    std::vector<IntegerWeight> ordered;
    for (int w : order) {
        position[std::size_t(w)] = int(ordered.size());
        ordered.push_back(weights[std::size_t(w)]);
    }
    weights = std::move(ordered);
    for (LineBelow& line : linesBelow)
        for (Below& tap : line.taps)
            tap.weight = position[std::size_t(tap.weight)];
    shareSteps.assign(weights.size(), -1);
    for (std::size_t w = 1; w < weights.size(); ++w)
        if (weights[w].high == weights[w - 1].high && weights[w].low == weights[w - 1].low)
            shareSteps[w] = weights[w].shift - weights[w - 1].shift;
}

} // namespace dither
