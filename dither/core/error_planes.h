#pragma once
// The error accumulated for every pixel, per component, and the three operations that
// read and feed it: calcul_map_erreur, calcul_lerreur and calcul_erreurs.

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
    // erreurs_zero: all planes 0; diffusion_factor = diffusionPercent / 100.
    explicit ErrorPlanes(int diffusionPercent);

    // calcul_map_erreur: the adjusted colour plus the error so far, clamped per component.
    ColorValue mapped(const Picture& adjusted, int x, int y) const;

    // calcul_lerreur: (line_map component - colour component) * diffusion_factor,
    // rounded to nearest with halves to even.
    CurrentError lerreur(ColorValue lineMapColour, ColorValue placed) const;

    // calcul_erreurs: adds floor(pourcent * error) per component; positions outside
    // the picture are ignored.
    void add(int x, int y, float pourcent, const CurrentError& error);

    // Spreads the error of the pixel at (x, y) along the kernel, mirrored by the scan
    // step s (+1 or -1).
    void spread(const std::vector<SpreadTap>& taps, int x, int y, int s, const CurrentError& error);

private:
    struct Cell {
        std::int32_t red = 0, green = 0, blue = 0;
    };
    std::vector<Cell> cells_;
    double diffusion_factor_;
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

} // namespace dither
