#include "screen_editing.h"

#include <algorithm>

namespace tile {

bool placeChar(TileDocument& doc, int column, int row)
{
    if (column < 0 || column >= screenColumns || row < 0 || row >= screenRows)
        return false;
    Byte& cell = doc.nameTable[column][row];
    if (cell == doc.currentChar)
        return false;
    cell = Byte(doc.currentChar);
    doc.modified = true;
    return true;
}

void scrollScreen(TileDocument& doc, Direction direction)
{
    auto& table = doc.nameTable;
    switch (direction) {
    case Direction::Up:
        for (auto& column : table)
            std::rotate(column.begin(), column.begin() + 1, column.end());
        break;
    case Direction::Down:
        for (auto& column : table)
            std::rotate(column.rbegin(), column.rbegin() + 1, column.rend());
        break;
    case Direction::Left: std::rotate(table.begin(), table.begin() + 1, table.end()); break;
    case Direction::Right: std::rotate(table.rbegin(), table.rbegin() + 1, table.rend()); break;
    }
    doc.modified = true;
}

void setBlockMarker(TileDocument& doc)
{
    doc.markedBlock[doc.markerTurn] = doc.currentChar;
    doc.markerTurn = (doc.markerTurn + 1) % 2;
}

} // namespace tile
