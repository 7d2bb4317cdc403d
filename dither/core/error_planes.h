#pragma once
// The error accumulated for every pixel, per component, and the three operations that
// read and feed it: mapped, errorFor and add.

#include "colour_metrics.h"
#include "kernels.h"
#include "picture.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace dither {

// Error of the pixel just placed, already scaled by the diffusion factor.
struct CurrentError {
    std::int32_t red = 0, green = 0, blue = 0;
};

struct SpreadTap;

class ErrorPlanes {
public:
    // All planes start at 0; diffusion factor = diffusionPercent / 100.
    explicit ErrorPlanes(int diffusionPercent);

    // The adjusted colour plus the error so far, clamped per component.
    ColorValue mapped(const Picture& adjusted, int x, int y) const
    {
        const ColorValue a = adjusted[pixelIndex(x, y)];
        const Cell& e = cells_[cellIndex(x, y)];
        return RGB(clampComponent(redPart(a) + e.red), clampComponent(greenPart(a) + e.green),
                   clampComponent(bluePart(a) + e.blue));
    }

    // (lineMap component - colour component) * diffusion factor,
    // rounded to nearest with halves to even.
    CurrentError errorFor(ColorValue lineMapColour, ColorValue placed) const
    {
        return {scaledOf(redDifference(lineMapColour, placed)), scaledOf(greenDifference(lineMapColour, placed)),
                scaledOf(blueDifference(lineMapColour, placed))};
    }

    // Adds floor(weight * error) per component; positions outside
    // the picture are ignored.
    void add(int x, int y, float weight, const CurrentError& error);

    // Spreads the error of the pixel at (x, y) along the kernel, mirrored by the scan
    // step s (+1 or -1). Shares that fall outside the picture land in the margin, which
    // nothing reads, so no tap needs a bounds check.
    inline void spread(const std::vector<SpreadTap>& taps, int x, int y, int s, const CurrentError& error);

private:
    struct Cell {
        std::int32_t red = 0, green = 0, blue = 0;
    };
    // A kernel reaches at most 3 columns either side and 3 lines down (Kernel::filter is
    // 7 columns by 4 rows).
    static constexpr int margin = 3;
    static constexpr int stride = pictureWidth + 2 * margin;
    static constexpr int cellIndex(int x, int y) { return y * stride + x + margin; }
    static constexpr int clampComponent(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
    std::int32_t scaledOf(int difference) const { return scaled_[std::size_t(difference + 255)]; }

    std::vector<Cell> cells_;
    double diffusionFactor_;
    // errorFor of every difference -255..255, worked out once per run.
    std::array<std::int32_t, 511> scaled_;
};

// The largest error a pixel can carry: components are clamped to 0..255 before every
// comparison and the diffusion factor is at most 1.
constexpr int maxError = 255;

// floor(w * e) with the product formed exactly in double (a single times a small
// integer fits in double's mantissa) and rounded toward minus infinity.
inline std::int32_t flooredShare(float w, std::int32_t e)
{
    const double product = double(w) * double(e);
    const std::int32_t truncated = std::int32_t(product);
    return double(truncated) > product ? truncated - 1 : truncated;
}

// One kernel tap with every share it can add, floor(w * e) for e = -255..255, worked out
// once per run instead of once per pixel and component.
struct SpreadTap {
    int dx, dy;
    std::array<std::int32_t, 2 * maxError + 1> share;

    std::int32_t of(std::int32_t e) const { return share[std::size_t(e + maxError)]; }
};

// The taps of a kernel with every weight multiplied by weightScale (1, or 0.5 for the
// 8x8 method).
std::vector<SpreadTap> spreadTaps(const Kernel& kernel, float weightScale);

inline void ErrorPlanes::spread(const std::vector<SpreadTap>& taps, int x, int y, int s, const CurrentError& error)
{
    if (error.red == 0 && error.green == 0 && error.blue == 0)
        return; // every share would be floor(0) = 0
    Cell* origin = cells_.data() + cellIndex(x, y);
    for (const SpreadTap& tap : taps) {
        Cell& cell = origin[tap.dy * stride + s * tap.dx];
        cell.red += tap.of(error.red);
        cell.green += tap.of(error.green);
        cell.blue += tap.of(error.blue);
    }
}

} // namespace dither
