#include "error_planes.h"

namespace dither {

ErrorPlanes::ErrorPlanes(int diffusionPercent)
    : cells_((pictureHeight + margin) * stride), diffusionFactor_(diffusionPercent / 100.0)
{
    // std::lrint rounds to nearest, halves to even, in the default rounding mode.
    for (int difference = -255; difference <= 255; ++difference)
        scaled_[std::size_t(difference + 255)] = std::int32_t(std::lrint(double(difference) * diffusionFactor_));
}

void ErrorPlanes::add(int x, int y, float weight, const CurrentError& error)
{
    if (x < 0 || x >= pictureWidth || y < 0 || y >= pictureHeight)
        return;
    Cell& cell = cells_[cellIndex(x, y)];
    cell.red += flooredShare(weight, error.red);
    cell.green += flooredShare(weight, error.green);
    cell.blue += flooredShare(weight, error.blue);
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
