#pragma once
// What the tile window keeps beside the document while the user edits: the copy
// buffers, the selected colour swatch and the painting tick. None of it is saved, and
// closing or reloading a document leaves it alone.

#include "tile_document.h"

namespace tile {

// The three clipboards of the window: one character, a block of characters (padded to
// 256 with blank characters) and one sprite pattern.
struct CopyBuffers {
    CharRows charCopyPattern{};
    CharRows charCopyColor{};
    std::array<CharRows, charCount> blockCopyPattern{};
    std::array<CharRows, charCount> blockCopyColor{};
    SpriteBytes spriteCopy{};
};

struct EditingState {
    int selectedSwatch = 1; // the swatch of the character editor a palette click sets
    bool tick = false;      // set by the painting timer; screen painting needs it
    CopyBuffers copies;
};

} // namespace tile
