#include "ordered_matrices.h"

#include <array>
#include <initializer_list>

namespace dither {

namespace {

OrderedMatrix fromRows(int n, std::initializer_list<int> values)
{
    OrderedMatrix m{n, n * n, {}};
    for (int v : values)
        m.cells.push_back(std::int16_t(v));
    return m;
}

} // namespace

OrderedMatrix generatedMatrix(int levels)
{
    constexpr std::array<int, 4> X = {0, 1, 1, 0};
    constexpr std::array<int, 4> Y = {1, 0, 1, 0};
    const int n = 1 << levels;
    OrderedMatrix m{n, n * n, std::vector<std::int16_t>(std::size_t(n * n), 0)};
    for (int v = 1; v <= n * n; ++v) {
        int x = 0, y = 0;
        for (int k = 1; k <= levels; ++k) {
            // digit dk of v - 1, counting d1 as the most significant
            const int d = ((v - 1) >> (2 * (levels - k))) & 3;
            x |= X[d] << (k - 1);
            y |= Y[d] << (k - 1);
        }
        m.cells[y * n + x] = std::int16_t(v);
    }
    return m;
}

const OrderedMatrix& orderedMatrix(MatrixName name)
{
    static const std::array<OrderedMatrix, 7> matrices = {
        fromRows(2, {4, 2, 2, 4}),
        generatedMatrix(1),
        fromRows(4, {16, 8, 14, 6, 4, 12, 2, 10, 14, 6, 16, 8, 2, 10, 4, 12}),
        generatedMatrix(2),
        fromRows(4, {16, 9, 4, 5, 6, 3, 10, 15, 2, 7, 14, 11, 12, 13, 8, 1}),
        generatedMatrix(3),
        generatedMatrix(4),
    };
    return matrices[int(name)];
}

} // namespace dither
