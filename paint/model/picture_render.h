#pragma once
// Drawing the picture into an image: each picture pixel becomes a square block of
// scale x scale image pixels. The window's view uses scale 2, the zoom view scale 4
// on a quarter of the screen, the PNG export scale 1.

#include "palette.h"
#include "picture.h"

#include <QImage>

namespace paint {

struct ViewArea {
    int scale = 2;
    int firstColumn = 0; // first character column shown
    int firstRow = 0;    // first character row shown
    int columns = screenColumns;
    int rows = screenRows;

    int width() const { return columns * 8 * scale; }
    int height() const { return rows * 8 * scale; }
    bool shows(int column, int row) const
    {
        return column >= firstColumn && column < firstColumn + columns && row >= firstRow && row < firstRow + rows;
    }
};

constexpr ViewArea normalView() { return {2, 0, 0, screenColumns, screenRows}; }
// The zoom view: 16 columns by 12 rows at four times the picture's size.
constexpr ViewArea zoomView(int zoomColumn, int zoomRow) { return {4, zoomColumn, zoomRow, 16, 12}; }
constexpr ViewArea actualSize() { return {1, 0, 0, screenColumns, screenRows}; }

// An image of the view's size in the format the renderer writes.
QImage makeViewImage(const ViewArea& area);

// Draws every row of the area. The image must be at least area.width() x area.height().
void renderPicture(QImage& image, const Picture& picture, const tms::Palette& palette, const ViewArea& area);

// Draws the one 8-pixel row at (column, row, line) when the area shows it.
void renderRow(QImage& image, const Picture& picture, const tms::Palette& palette, const ViewArea& area,
               int column, int row, int line);

// The picture as the console shows it, 256x192 pixels.
QImage pictureImage(const Picture& picture, const tms::Palette& palette);

} // namespace paint
