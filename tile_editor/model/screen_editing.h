#pragma once
// Composing the name table and marking a block of characters.

#include "direction.h"
#include "tile_document.h"

namespace tile {

// Stores the current character in a screen cell. Returns false, changing nothing,
// when the cell already holds it.
bool placeChar(TileDocument& doc, int column, int row);

// Scrolls the whole name table by one cell with wrap-around; always modifies.
void scrollScreen(TileDocument& doc, Direction direction);

// Sets the block marker whose turn it is to the current character; the turn alternates.
void setBlockMarker(TileDocument& doc);

} // namespace tile
