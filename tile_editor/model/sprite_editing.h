#pragma once
// Editing the current sprite: pixels, stepping through the 64 sprites, its colour and
// the transforms of its 16x16 pattern. Pixel (r, c) is bit bitMask[c mod 8] of byte
// 16 * (c div 8) + r: bytes 0..15 hold the left half, 16..31 the right half.
// Each command sets doc.modified when it changes document data.

#include "direction.h"
#include "editing_state.h"
#include "tile_document.h"
#include "view_geometry.h"

namespace tile {

// Reads pixel (r, c) of a sprite pattern.
bool spritePixel(const SpriteBytes& bytes, int r, int c);

// Sets (left button) or clears (right button) a pixel of the current sprite.
// Returns true when the byte changed; any other button changes nothing.
bool drawSpritePixel(TileDocument& doc, int button, CellPos pixel);

// Step through the sprites with wrap-around; the document is not modified.
void previousSprite(TileDocument& doc);
void nextSprite(TileDocument& doc);

// Next colour 1, 2, ..., 15, 1, ...: the transparent colour 0 is skipped.
void cycleSpriteColor(TileDocument& doc);

// Mirrors left to right (the halves swap); true, and modified, only when a row changed.
bool flipSpriteX(TileDocument& doc);

// The remaining commands always mark the document modified, even when the pattern
// comes out the same.
void flipSpriteY(TileDocument& doc);
void rotateSprite(TileDocument& doc); // 90 degrees clockwise
// One pixel with wrap-around over the whole 16-pixel width or height.
void scrollSprite(TileDocument& doc, Direction direction);
void pasteSprite(TileDocument& doc, const CopyBuffers& copies); // the pattern only; the colour stays
void clearSprite(TileDocument& doc);                            // the pattern only; the colour stays

// Copies the pattern (not the colour); changes no document data.
void copySprite(TileDocument& doc, CopyBuffers& copies);

} // namespace tile
