#pragma once
// Drawing the picture into an image: each picture pixel becomes a square block of
// scale x scale image pixels. The window's view uses scale 2, the zoom view scale 4
// on a quarter of the screen, the PNG export scale 1.

#include "palette.h"
#include "picture.h"

#include <QImage>

namespace paint {

constexpr int normalViewScale = 2;
constexpr int zoomViewScale = 4;
// The zoom view shows 16 columns by 12 rows; its first column and row go up to these.
constexpr int zoomColumns = 16, zoomRows = 12;
constexpr int lastZoomColumn = screenColumns - zoomColumns; // 16
constexpr int lastZoomRow = screenRows - zoomRows;          // 12
// A character cell of the normal view, in view pixels.
constexpr int normalCellSize = 8 * normalViewScale; // 16

struct ViewArea {
    int scale = normalViewScale;
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

constexpr ViewArea normalView()
{
    return {normalViewScale, 0, 0, screenColumns, screenRows};
}
// The zoom view: a quarter of the screen at four times the picture's size.
constexpr ViewArea zoomView(int zoomColumn, int zoomRow)
{
    return {zoomViewScale, zoomColumn, zoomRow, zoomColumns, zoomRows};
}
constexpr ViewArea actualSize()
{
    return {1, 0, 0, screenColumns, screenRows};
}

// An image of the view's size in the format the renderer writes.
QImage makeViewImage(const ViewArea& area);

// Draws every row of the area. The image must be at least area.width() x area.height().
void renderPicture(QImage& image, const Picture& picture, const tms::Palette& palette, const ViewArea& area);

// Draws the one 8-pixel row at (column, row, line) when the area shows it.
void renderRow(QImage& image, const Picture& picture, const tms::Palette& palette, const ViewArea& area, int column,
               int row, int line);
// Where renderRow draws that row in the image; empty when the area does not show it.
QRect rowArea(const ViewArea& area, int column, int row, int line);

// The picture as the console shows it, 256x192 pixels.
QImage pictureImage(const Picture& picture, const tms::Palette& palette);

} // namespace paint
