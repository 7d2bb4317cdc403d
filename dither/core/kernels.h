#pragma once
// The eight error-diffusion kernels. filter(column, row): the pixel being placed sits
// in row 0 at column half = (largeur - 1) / 2; row 0 takes error only ahead of the
// pixel, the rows below on both sides. Weights are stored already divided.

#include <array>
#include <vector>

namespace dither {

struct Kernel {
    int largeur = 0;
    int hauteur = 0;
    std::array<std::array<float, 4>, 7> filter{}; // [column][row]

    // One share of the error: to (x + s * dx, y + dy) with weight w.
    struct Tap {
        int dx, dy;
        float w;
    };
    // The taps that can change a plane, in kernel order. Zero weights are left out:
    // floor(0 * e) adds nothing.
    std::vector<Tap> taps() const;
};

enum class KernelName {
    FloydSteinberg,
    Burkes,
    Stucki,
    Sierra,
    JarvisJudiceNinke,
    StevensonArce,
    DbSpecial,
    TinySpecial,
};

const Kernel& kernel(KernelName name);

} // namespace dither
