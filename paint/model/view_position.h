#pragma once
// Which picture pixel a point of a view falls on. Points outside the view are
// clamped to the nearest cell and pixel, so a drag past the edge still paints there.

#include "picture_render.h"

namespace paint {

struct PicturePosition {
    int column = 0; // character column 0..31
    int row = 0;    // character row 0..23
    int pixel = 0;  // pixel within the 8-pixel row, 0 = left
    int line = 0;   // pixel line within the cell, 0..7

    int y() const { return row * 8 + line; }
    int index() const { return tms::bitmapIndex(row, column, line); }
};

PicturePosition positionAt(const ViewArea& area, int x, int y);

} // namespace paint
