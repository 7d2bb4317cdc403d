#pragma once
// After the merging, a cell shows the character its look merged into, which is chosen
// by changed pixels, not by how the cell looks from a normal distance. Here every cell
// of a photograph takes, among all the characters kept, the one that after a 1-pixel
// blur is nearest the picture under the cell.

#include "picture.h"
#include "screen_tiles.h"

namespace tile {

// Repoints the name table; the characters stay. palette draws the characters; picture
// is the screen-sized picture the tiles were made from.
void pointCellsAtNearestCharacters(ScreenTiles& tiles, Edition edition, const tms::Palette& palette,
                                   const dither::Picture& picture);

// Screen mode 2: every cell to its nearest character, then, twice, the characters left
// unused take the looks (from the converted screen in patterns and colors) of the cells
// shown worst, and the cells choose again.
void refineCharacters(ScreenTiles& tiles, const tms::BitmapTable& patterns, const tms::BitmapTable& colors,
                      const tms::Palette& palette, const dither::Picture& picture);

} // namespace tile
