#include "block_copy.h"

#include <algorithm>

namespace paint {

void putBlock(Picture& picture, const Picture& snapshot, const Block& block, int destColumn, int destLine)
{
    for (int sy = block.top; sy <= block.bottom; ++sy) {
        const int dy = destLine + (sy - block.top);
        if (sy < 0 || sy >= screenHeight || dy < 0 || dy >= screenHeight)
            continue;
        for (int sc = block.left; sc <= block.right; ++sc) {
            const int dc = destColumn + (sc - block.left);
            if (sc < 0 || sc >= screenColumns || dc < 0 || dc >= screenColumns)
                continue;
            const int from = rowIndexOfLine(sc, sy);
            const int to = rowIndexOfLine(dc, dy);
            picture.bitmapPatterns[to] = snapshot.bitmapPatterns[from];
            picture.bitmapColors[to] = snapshot.bitmapColors[from];
        }
    }
}

int blockColumnAt(const Block& block, int x)
{
    // Floor division, so that a corner left of the view clamps to column 0.
    const int column = x < 0 ? -1 : x / 16;
    return std::clamp(column, 0, (screenColumns - 1) - (block.right - block.left));
}

int blockLineAt(const Block& block, int y)
{
    const int row = std::clamp(y / 16, 0, screenRows - 1);
    const int line = std::clamp(y / 2 - (y / 16) * 8, 0, 7);
    return std::min(row * 8 + line, (screenHeight - 1) - (block.bottom - block.top));
}

} // namespace paint
