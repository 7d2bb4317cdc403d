#include "kernels.h"

#include <initializer_list>

namespace dither {

namespace {

// Rows given left to right in full width; entries at or left of the pixel in row 0
// are never used and are written as 0 here.
Kernel makeKernel(int largeur, int divisor, std::initializer_list<std::initializer_list<int>> rows)
{
    Kernel k;
    k.largeur = largeur;
    k.hauteur = int(rows.size());
    int r = 0;
    for (const auto& row : rows) {
        int column = 0;
        for (int weight : row) {
            // Each weight is the quotient in double, stored in single precision.
            k.filter[column][r] = float(double(weight) / double(divisor));
            ++column;
        }
        ++r;
    }
    return k;
}

const std::array<Kernel, 8> kernels = {
    makeKernel(3, 16, {{0, 0, 7}, {3, 5, 1}}),
    makeKernel(5, 32, {{0, 0, 0, 8, 4}, {2, 4, 8, 4, 2}}),
    makeKernel(5, 42, {{0, 0, 0, 8, 4}, {2, 4, 8, 4, 2}, {1, 2, 4, 2, 1}}),
    makeKernel(5, 32, {{0, 0, 0, 5, 3}, {2, 4, 5, 4, 2}, {0, 2, 3, 2, 0}}),
    makeKernel(5, 48, {{0, 0, 0, 7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}}),
    makeKernel(7, 200,
               {{0, 0, 0, 0, 0, 32, 0}, {12, 0, 26, 0, 30, 0, 16}, {0, 12, 0, 26, 0, 12, 0}, {5, 0, 12, 0, 12, 0, 5}}),
    makeKernel(5, 64, {{0, 0, 0, 21, 7}, {0, 9, 15, 3, 0}, {3, 0, 5, 0, 1}}),
    makeKernel(3, 8, {{0, 0, 3}, {1, 3, 1}}),
};

} // namespace

std::vector<Kernel::Tap> Kernel::taps() const
{
    std::vector<Tap> result;
    const int half = (largeur - 1) / 2;
    for (int r = 0; r < hauteur; ++r)
        for (int j = -half; j <= half; ++j) {
            if (r == 0 && j < 1)
                continue;
            const float w = filter[j + half][r];
            if (w != 0.0f)
                result.push_back({j, r, w});
        }
    return result;
}

const Kernel& kernel(KernelName name)
{
    return kernels[int(name)];
}

} // namespace dither
