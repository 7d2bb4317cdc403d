#include "pair_choice.h"

#include "colour_metrics.h"

namespace dither {

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
    for (int i = 0; i + 1 < activeCount; ++i) {
        // acc[j] is the sum for pair (i, j), built pixel by pixel as
        // acc = acc + (e_i + e_j) in single precision; all j at once for speed.
        alignas(64) std::array<float, 16> acc{};
        for (int k = 0; k < count; ++k) {
            const float ei = pixels[k].to[i];
            for (int j = 0; j < 16; ++j)
                acc[j] = acc[j] + (ei + pixels[k].to[j]);
        }
        for (int j = i + 1; j < activeCount; ++j) {
            const float v = acc[j] / sqrt_ecart[i][j];
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
    for (int i = 0; i + 1 < activeCount; ++i) {
        alignas(64) std::array<float, 16> acc{};
        for (int k = 0; k < count; ++k) {
            const float ei = pixels[k].to[i];
            for (int j = 0; j < 16; ++j) {
                const float ej = pixels[k].to[j];
                acc[j] = acc[j] + (ei < ej ? ei : ej);
            }
        }
        for (int j = i + 1; j < activeCount; ++j) {
            if (best >= acc[j]) {
                best = acc[j];
                pair = {i, j};
            }
        }
    }
    return pair;
}

bool projectsOntoSecond(const ActiveColours& active, ColourPair pair, ColorValue pixel)
{
    return pourcentage(active.active_palette[pair.c1], active.active_palette[pair.c2], pixel) > 0.5f;
}

} // namespace dither
