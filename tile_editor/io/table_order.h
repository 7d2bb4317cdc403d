#pragma once
// The tables flattened in the orders every file and export of the tile editor uses:
// the name table row by row (screen order), characters with their eight rows, sprites
// with their 32 bytes.

#include "compression.h"
#include "source_table.h"
#include "tile_document.h"

#include <optional>
#include <vector>

namespace tile {

// Rows firstRow..lastRow of the name table, each row's 32 columns in order.
std::vector<Byte> nameTableBytes(const TileDocument& doc, int firstRow = 0, int lastRow = screenRows - 1);
// charPatterns: character 0..255 outer, row 0..7 inner (2048 bytes).
std::vector<Byte> patternBytes(const TileDocument& doc);
// charColors in the same order; in screen mode 1 the 32 groupColors.
std::vector<Byte> colorBytes(const TileDocument& doc);
// Sprites 0..spriteCountToWrite-1, byte 0..31 inner.
std::vector<Byte> spritePatternBytes(const TileDocument& doc, int spriteCountToWrite = spriteCount);

// The highest sprite with a non-zero pattern byte; nullopt when every sprite is blank.
std::optional<int> lastDrawnSprite(const TileDocument& doc);

// The tables of a source export, in their order: NAME, PATTERN, COLOR and, when a sprite
// is drawn, SPATTERN and the sprite attributes (SATTRIB for assembler: all 64 sprites
// at Y $D0; SPRITESINIT for C: sprites up to the last drawn one at Y 204). Compressed
// tables carry the codec's name after theirs: the name table (rows firstRow..lastRow),
// the patterns, the row colours (not the 32 group colours of screen mode 1) and the
// sprite patterns up to the last drawn sprite.
enum class TableTarget { Assembler, C };
tms::SourceTables sourceTables(const TileDocument& doc, tms::Compression compression, TableTarget target,
                               int firstRow = 0, int lastRow = screenRows - 1);

} // namespace tile
