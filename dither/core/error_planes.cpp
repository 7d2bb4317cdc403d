#include "error_planes.h"

#include "colour_metrics.h"

#include <algorithm>

namespace dither {

ErrorPlanes::ErrorPlanes(int diffusionPercent)
    : cells_(pictureSize)
    , diffusion_factor_(diffusionPercent / 100.0)
{
}

ColorValue ErrorPlanes::mapped(const Picture& adjusted, int x, int y) const
{
    const int i = pixelIndex(x, y);
    const ColorValue a = adjusted[i];
    const Cell& e = cells_[i];
    return RGB(std::clamp(rouge(a) + e.red, 0, 255), std::clamp(vert(a) + e.green, 0, 255),
               std::clamp(bleu(a) + e.blue, 0, 255));
}

CurrentError ErrorPlanes::lerreur(ColorValue lineMapColour, ColorValue placed) const
{
    // std::lrint rounds to nearest, halves to even, in the default rounding mode.
    auto scaled = [this](int difference) {
        return std::int32_t(std::lrint(double(difference) * diffusion_factor_));
    };
    return {scaled(diff_rouge(lineMapColour, placed)), scaled(diff_vert(lineMapColour, placed)),
            scaled(diff_bleu(lineMapColour, placed))};
}

void ErrorPlanes::add(int x, int y, float pourcent, const CurrentError& error)
{
    if (x < 0 || x >= pictureWidth || y < 0 || y >= pictureHeight)
        return;
    Cell& cell = cells_[pixelIndex(x, y)];
    cell.red += flooredShare(pourcent, error.red);
    cell.green += flooredShare(pourcent, error.green);
    cell.blue += flooredShare(pourcent, error.blue);
}

void ErrorPlanes::spread(const std::vector<SpreadTap>& taps, int x, int y, int s, const CurrentError& error)
{
    if (error.red == 0 && error.green == 0 && error.blue == 0)
        return; // every share would be floor(0) = 0
    for (const SpreadTap& tap : taps) {
        const int tx = x + s * tap.dx, ty = y + tap.dy;
        if (tx < 0 || tx >= pictureWidth || ty >= pictureHeight)
            continue;
        Cell& cell = cells_[pixelIndex(tx, ty)];
        cell.red += tap.of(error.red);
        cell.green += tap.of(error.green);
        cell.blue += tap.of(error.blue);
    }
}

std::vector<SpreadTap> spreadTaps(const Kernel& kernel, float weightScale)
{
    std::vector<SpreadTap> taps;
    for (const Kernel::Tap& tap : kernel.taps()) {
        SpreadTap& t = taps.emplace_back();
        t.dx = tap.dx;
        t.dy = tap.dy;
        const float w = tap.w * weightScale;
        for (int e = -maxError; e <= maxError; ++e)
            t.share[std::size_t(e + maxError)] = flooredShare(w, e);
    }
    return taps;
}

} // namespace dither
