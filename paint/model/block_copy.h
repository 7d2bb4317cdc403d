#pragma once
// The block tool's data side: a block is whole character columns wide and any range
// of pixel lines high; Put copies it from a snapshot taken at Get, so a destination
// that overlaps the source still receives the old contents.

#include "picture.h"

namespace paint {

struct Block {
    int left = 0, right = 0; // first and last character column, 0..31
    int top = 0, bottom = 0; // first and last pixel line, 0..191
    int columns() const { return right - left + 1; }
    int lines() const { return bottom - top + 1; }
};

// Copies block of snapshot so that its top-left lands on destColumn, destLine of
// picture. Rows that would fall outside the screen are skipped.
void putBlock(Picture& picture, const Picture& snapshot, const Block& block, int destColumn, int destLine);

// Where the floating block may go: the column and pixel line of its top-left corner
// for a corner wanted at surface position (x, y) of the 512x384 view, limited so
// that the block stays inside the screen.
int blockColumnAt(const Block& block, int x);
int blockLineAt(const Block& block, int y);

} // namespace paint
