#pragma once
// Mouse positions on the tile editor's views, turned into cells. Positions are in view
// pixels and may be fractional or outside the view while a drag leaves it.

#include "screen_size.h"

#include <algorithm>
#include <cmath>

namespace tile {

// View scales: view pixels per character or sprite pixel.
constexpr int charViewScale = 10;   // the character editor
constexpr int patternViewScale = 2; // the pattern table
constexpr int screenViewScale = 1;  // the screen
constexpr int spriteViewScale = 8;  // the sprite editor
// A character's cell in the pattern table, in view pixels.
constexpr int patternCellSize = 8 * patternViewScale; // 16

// Mouse button values as the handlers receive them.
enum MouseButtonValue { NoButton = 0, LeftButton = 1, RightButton = 2 };

// Nearest whole pixel; a half rounds up.
inline int wholePixel(double v)
{
    return int(std::floor(v + 0.5));
}

// Whole-pixel position divided by cell size, clamped to 0..last. Negative positions
// land in cell 0 like any position left of the view.
inline int clampedCell(double v, int cellSize, int last)
{
    const int pixel = wholePixel(v);
    return pixel < 0 ? 0 : std::min(pixel / cellSize, last);
}

struct CellPos {
    int column;
    int row;
    bool operator==(const CellPos&) const = default;
};

// Character editor: 10 view pixels per character pixel.
inline CellPos charPixelAt(double x, double y)
{
    return {clampedCell(x, charViewScale, 7), clampedCell(y, charViewScale, 7)};
}

// Pattern table: character n sits in column n div 8, row n mod 8 of 16x16 cells.
inline int patternCharAt(double x, double y)
{
    return 8 * clampedCell(x, patternCellSize, 31) + clampedCell(y, patternCellSize, 7);
}

inline int patternCellLeft(int n)
{
    return patternCellSize * (n / 8);
}
inline int patternCellTop(int n)
{
    return patternCellSize * (n % 8);
}

// Screen: 8x8 cells, clamped to the name table.
inline CellPos screenCellAt(double x, double y)
{
    return {clampedCell(x, 8 * screenViewScale, 31), clampedCell(y, 8 * screenViewScale, 23)};
}

// The screen reports a position only while the mouse is over it.
inline bool insideScreen(double x, double y)
{
    return x >= 0 && x <= tms::screenWidth - 1 && y >= 0 && y <= tms::screenHeight - 1;
}

// Sprite editor: 8 view pixels per sprite pixel.
inline CellPos spritePixelAt(double x, double y)
{
    return {clampedCell(x, spriteViewScale, 15), clampedCell(y, spriteViewScale, 15)};
}

} // namespace tile
