#pragma once
// A full-screen bitmap (two colours in every 8-pixel row) turned into the tables of a
// tile document: characters, their colours and the name table.
//
// Screen mode 2 (row colours): cells that look the same share a character (a row with
// its pattern inverted and its colours swapped looks the same); above 256 distinct
// cells the looks merge (cell_merging.h) until 256 remain.
//
// Screen mode 1 (one colour pair per group of eight characters): every cell is first
// fitted to one colour pair, with the least colour change; cells of the same pair (in
// either order) share groups; while more than 32 pairs remain, the pair that is
// cheapest to redraw moves into its nearest pair; the 32 groups are then shared out by
// need, and each pair's looks merge down to the characters of its groups.
//
// A screen that already keeps the edition's rules within its budget comes back exactly.

#include "powerpaint.h"
#include "tile_document.h"

namespace tile {

struct ScreenTiles {
    std::array<CharRows, charCount> patterns{};
    std::array<CharRows, charCount> colors{};        // screen mode 2
    std::array<Byte, colorGroupCount> groupColors{}; // screen mode 1
    std::array<std::array<Byte, screenRows>, screenColumns> nameTable{};
    int distinctCells = 0; // distinct looks of the screen
    int characters = 0;    // characters used
    int merges = 0;        // looks merged into others, pairs moved included
    int changedPixels = 0; // screen pixels that now show another colour
};

// patterns and colors are in the bitmap order (tms::bitmapIndex); palette gives the
// colour distances.
ScreenTiles tilesFromScreen(const tms::BitmapTable& patterns, const tms::BitmapTable& colors, Edition edition,
                            const tms::Palette& palette);

// Puts the characters, their colours and the name table into the document (the
// sprites stay) and marks it modified.
void applyTiles(TileDocument& doc, const ScreenTiles& tiles);

// The screen a document shows, in the bitmap order: what tilesFromScreen reads.
void screenOfDocument(const TileDocument& doc, tms::BitmapTable& patterns, tms::BitmapTable& colors);

} // namespace tile
