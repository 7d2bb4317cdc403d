#include "pair_choice.h"

#include "colour_metrics.h"

#include <cstring>

namespace dither {

namespace {

// Four single-precision lanes; each lane does exactly the scalar arithmetic.
using Float4 = float __attribute__((vector_size(16)));

Float4 broadcast(float v) { return Float4{v, v, v, v}; }

Float4 quad(const PixelDistances& d, int q)
{
    Float4 v;
    std::memcpy(&v, d.to.data() + 4 * q, sizeof v);
    return v;
}

} // namespace

DistanceCalculator::DistanceCalculator(const ActiveColours& active)
{
    for (int c = 0; c < active.active_count; ++c) {
        red_[c] = rouge(active.active_palette[c]);
        green_[c] = vert(active.active_palette[c]);
        blue_[c] = bleu(active.active_palette[c]);
    }
}

void DistanceCalculator::compute(ColorValue pixel, PixelDistances& out) const
{
    const std::int32_t r = rouge(pixel), g = vert(pixel), b = bleu(pixel);
    // All sixteen lanes, so the loop vectorises; unused lanes hold harmless values.
    for (int c = 0; c < 16; ++c) {
        const std::int32_t dr = r - red_[c], dg = g - green_[c], db = b - blue_[c];
        out.to[c] = rootOfSum(dr * dr + dg * dg + db * db);
    }
}

ColourPair fullPairSearch(const PixelDistances* pixels, int count, int activeCount,
                          const SqrtEcartTable& sqrt_ecart)
{
    float best = pairSearchStart;
    ColourPair pair;
    const int quads = (activeCount + 3) / 4;
    for (int i = 0; i + 1 < activeCount; ++i) {
        // acc[j] is the sum for pair (i, j), built pixel by pixel as
        // acc = acc + (e_i + e_j) in single precision; four j at a time, only j > i.
        const int firstQuad = (i + 1) / 4;
        Float4 acc[4] = {};
        for (int k = 0; k < count; ++k) {
            const Float4 ei = broadcast(pixels[k].to[i]);
            for (int q = firstQuad; q < quads; ++q)
                acc[q] = acc[q] + (ei + quad(pixels[k], q));
        }
        alignas(16) float sums[16];
        std::memcpy(sums, acc, sizeof sums);
        for (int j = i + 1; j < activeCount; ++j) {
            const float v = sums[j] / sqrt_ecart[i][j];
            if (best >= v) {
                best = v;
                pair = {i, j};
            }
        }
    }
    return pair;
}

int firstColourChoice(const PixelDistances& p0, const PixelDistances& p1, int activeCount)
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

int secondColourChoice(const PixelDistances* pixels, int count, int c1, int activeCount,
                       const SqrtEcartTable& sqrt_ecart)
{
    alignas(64) std::array<float, 16> acc{};
    for (int k = 0; k < count; ++k) {
        const float e1 = pixels[k].to[c1];
        for (int c = 0; c < 16; ++c)
            acc[c] = acc[c] + (e1 + pixels[k].to[c]);
    }
    float best = pairSearchStart;
    int chosen = c1 == 0 ? 1 : 0;
    for (int c = 0; c < activeCount; ++c) {
        if (c == c1)
            continue;
        const float v = acc[c] / sqrt_ecart[c1][c];
        if (best >= v) {
            best = v;
            chosen = c;
        }
    }
    return chosen;
}

ColourPair nearestPairSearch(const PixelDistances* pixels, int count, int activeCount)
{
    float best = nearestSearchStart;
    ColourPair pair;
    const int quads = (activeCount + 3) / 4;
    for (int i = 0; i + 1 < activeCount; ++i) {
        const int firstQuad = (i + 1) / 4;
        Float4 acc[4] = {};
        for (int k = 0; k < count; ++k) {
            const Float4 ei = broadcast(pixels[k].to[i]);
            for (int q = firstQuad; q < quads; ++q) {
                const Float4 ej = quad(pixels[k], q);
                acc[q] = acc[q] + (ei < ej ? ei : ej);
            }
        }
        alignas(16) float sums[16];
        std::memcpy(sums, acc, sizeof sums);
        for (int j = i + 1; j < activeCount; ++j) {
            if (best >= sums[j]) {
                best = sums[j];
                pair = {i, j};
            }
        }
    }
    return pair;
}

bool projectsOntoSecond(const ActiveColours& active, ColourPair pair, ColorValue pixel)
{
    // pourcentage > 0.5 holds exactly when e1 > e2 (the squared distances to c1 and c2):
    // t = ((e12 + e1 - e2) / e12) / 2 with integers below 2^24 that single precision
    // holds exactly, and e12 < 2^18, so the quotient exceeds 1 by at least 2^-18 when
    // e1 > e2, far more than its rounding error, and is at most 1 otherwise.
    return sumOfSquares(active.active_palette[pair.c1], pixel) > sumOfSquares(active.active_palette[pair.c2], pixel);
}

} // namespace dither
