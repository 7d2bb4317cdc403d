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
    // std::nearbyint rounds to nearest, halves to even, in the default rounding mode.
    auto scaled = [this](int difference) {
        return std::int32_t(std::nearbyint(double(difference) * diffusion_factor_));
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

void ErrorPlanes::spread(const std::vector<Kernel::Tap>& taps, int x, int y, int s, const CurrentError& error,
                         float weightScale)
{
    if (error.red == 0 && error.green == 0 && error.blue == 0)
        return; // every share would be floor(0) = 0
    for (const Kernel::Tap& tap : taps)
        add(x + s * tap.dx, y + tap.dy, tap.w * weightScale, error);
}

} // namespace dither
