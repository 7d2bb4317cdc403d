#pragma once
// Threshold matrices of ordered dithering. M(x, y): x the column, y the line.

#include <cstdint>
#include <vector>

namespace dither {

struct OrderedMatrix {
    int n = 0;                       // side
    int size = 0;                    // number of cells, n * n: the `size` argument of ditherOrdered
    std::vector<std::int16_t> cells; // y * n + x

    int at(int x, int y) const { return cells[y * n + x]; }
};

enum class MatrixName { Tritone, Level5, Level9, Level17, Level17b, Level65, Level257 };

const OrderedMatrix& orderedMatrix(MatrixName name);

// The recursive matrix of side 2^levels holding 1..4^levels: v - 1 written in base 4
// with digits d1..dL (d1 most significant) puts bit k-1 of x at X(dk) and bit k-1 of y
// at Y(dk), with X = (0, 1, 1, 0) and Y = (1, 0, 1, 0).
OrderedMatrix generatedMatrix(int levels);

} // namespace dither
