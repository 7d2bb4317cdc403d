#pragma once
// Commands that transform the current character as a whole, and the copy, paste and
// clear of the marked block of characters. Row colours belong to row positions: a
// command that moves whole rows moves their colours along, one that moves pixels within
// rows leaves them alone. Each command sets doc.modified when it changes document data.

#include "direction.h"
#include "editing_state.h"
#include "tile_document.h"

namespace tile {

// Mirrors every row left to right. Returns true (and marks the document modified) only
// when a row changed, so a symmetric character leaves a clean document clean.
bool flipCharacterX(TileDocument& doc);

// The remaining character commands always mark the document modified.
void flipCharacterY(TileDocument& doc);  // rows and their colours swap top to bottom
void rotateCharacter(TileDocument& doc); // 90 degrees clockwise, colours stay
void invertCharacter(TileDocument& doc);
void clearCharacter(TileDocument& doc); // pattern 0, colours kept
// One row or column with wrap-around; vertical scrolls carry the row colours.
void scrollCharacter(TileDocument& doc, Direction direction);

// The character clipboard. Copy changes no document data.
void copyCharacter(TileDocument& doc, CopyBuffers& copies);
void pasteCharacter(TileDocument& doc, const CopyBuffers& copies);

// Block commands on markedBlock[0]..markedBlock[1]. Each returns false and does nothing
// when the block is invalid (first marker after the second).
//
// Copy fills the block buffer with the block's characters and pads the rest of the 256
// entries with blank characters (pattern 0, colour 65), so that a longer target block
// receives blanks after the copied characters.
bool copyBlock(const TileDocument& doc, CopyBuffers& copies);
bool pasteBlock(TileDocument& doc, const CopyBuffers& copies);
bool clearBlock(TileDocument& doc);

} // namespace tile
