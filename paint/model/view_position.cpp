#include "view_position.h"

#include <algorithm>

namespace paint {

PicturePosition positionAt(const ViewArea& area, int x, int y)
{
    const int cellSize = 8 * area.scale;
    PicturePosition p;
    // Integer division truncates toward zero; the clamps then bring any point
    // left of or above the view back to the first cell and pixel.
    p.column = std::clamp(x / cellSize, 0, area.columns - 1);
    p.row = std::clamp(y / cellSize, 0, area.rows - 1);
    p.pixel = std::clamp(x / area.scale - p.column * 8, 0, 7);
    p.line = std::clamp(y / area.scale - p.row * 8, 0, 7);
    p.column += area.firstColumn;
    p.row += area.firstRow;
    return p;
}

} // namespace paint
