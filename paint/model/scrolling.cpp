#include "scrolling.h"

#include <algorithm>
#include <array>

namespace paint {

namespace {

using Table = tms::BitmapTable;

// Rotates the 192 pixel lines of every character column; shift > 0 moves lines up.
void rotateLines(Table& table, int shift)
{
    std::array<std::uint8_t, screenHeight> column{};
    for (int c = 0; c < screenColumns; ++c) {
        for (int y = 0; y < screenHeight; ++y)
            column[y] = table[rowIndexOfLine(c, y)];
        const int first = ((shift % screenHeight) + screenHeight) % screenHeight;
        std::rotate(column.begin(), column.begin() + first, column.end());
        for (int y = 0; y < screenHeight; ++y)
            table[rowIndexOfLine(c, y)] = column[y];
    }
}

// A character row is 256 contiguous bytes, so rows rotate as blocks of the table.
void rotateRows(Table& table, int shift)
{
    const int first = ((shift % screenRows) + screenRows) % screenRows;
    std::rotate(table.begin(), table.begin() + first * 256, table.end());
}

// Within each character row a column is 8 contiguous bytes.
void rotateColumns(Table& table, int shift)
{
    const int first = ((shift % screenColumns) + screenColumns) % screenColumns;
    for (int r = 0; r < screenRows; ++r) {
        auto rowStart = table.begin() + r * 256;
        std::rotate(rowStart, rowStart + first * 8, rowStart + 256);
    }
}

template <typename Rotate>
void onBothTables(Picture& picture, Rotate rotate, int shift)
{
    rotate(picture.bitmapPatterns, shift);
    rotate(picture.bitmapColors, shift);
}

} // namespace

void scrollUpOneLine(Picture& picture)
{
    onBothTables(picture, rotateLines, 1);
}
void scrollDownOneLine(Picture& picture)
{
    onBothTables(picture, rotateLines, -1);
}
void scrollUpOneRow(Picture& picture)
{
    onBothTables(picture, rotateRows, 1);
}
void scrollDownOneRow(Picture& picture)
{
    onBothTables(picture, rotateRows, -1);
}
void scrollLeftOneColumn(Picture& picture)
{
    onBothTables(picture, rotateColumns, 1);
}
void scrollRightOneColumn(Picture& picture)
{
    onBothTables(picture, rotateColumns, -1);
}

} // namespace paint
