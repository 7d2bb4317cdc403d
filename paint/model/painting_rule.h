#pragma once
// The painting rule: a row of 8 pixels has only two colours, so painting a third
// colour replaces one of them, chosen by brightness, and recolours every pixel of the
// replaced colour.

#include "palette.h"

#include <cstdint>

namespace paint {

// Brightness used by the rule: red + green + blue, 0..765.
int intensity(tms::ColorValue colour);

struct PaintedRow {
    std::uint8_t pattern;
    std::uint8_t color;
};

// The row after painting pixel (0..7, 0 = left) with palette index brush.
PaintedRow paintRowPixel(std::uint8_t pattern, std::uint8_t color, int pixel, int brush, const tms::Palette& palette);

} // namespace paint
