#pragma once
// The document as pictures and back: the screen as shown, the 256 characters as a
// sheet of 16 per row, and the 64 sprites as a sheet of 8 per row. Sheets read back
// are fitted to the chip's rules: a character sheet to two colours per row (one pair
// per group of eight in screen mode 1), a sprite sheet to one colour per sprite.

#include "tile_document.h"

#include <QImage>
#include <QString>

namespace tile {

constexpr int tilesetColumns = 16;                       // characters per sheet row
constexpr int tilesetSize = tilesetColumns * 8;          // 128 x 128 pixels
constexpr int spriteSheetColumns = 8;                    // sprites per sheet row
constexpr int spriteSheetSize = spriteSheetColumns * 16; // 128 x 128 pixels

// The screen as the window shows it, 256x192, in the edition's palette.
QImage screenPicture(const TileDocument& doc);

// The 256 characters, each in its row colours: character n at column n % 16, row n / 16.
QImage tilesetPicture(const TileDocument& doc);

// Reads a sheet of whole 8x8 cells (128x128, or any size in cells with at most 256 of
// them), cell by cell along the rows, into characters 0, 1, ... The name table is not
// touched. Returns a message, and changes nothing, when the size is wrong.
QString importTileset(const QImage& sheet, TileDocument& doc);

// The 64 sprites: sprite n at column n % 8, row n / 8, its set pixels in its colour on
// a transparent ground.
QImage spriteSheetPicture(const TileDocument& doc);

// Reads a 128x128 sheet laid out as spriteSheetPicture: each sprite takes its most
// common opaque colour; every other opaque pixel is set too; transparent pixels, and
// on a sheet without transparency the colour of most of its pixels (the ground), are
// clear. A sprite with no set pixel keeps its colour. Returns a message, and changes
// nothing, when the size is wrong.
QString importSpriteSheet(const QImage& sheet, TileDocument& doc);

// The files: read with the converter's picture reader (a damaged file is refused),
// then as above. The document changes only when the whole file was taken.
QString importTilesetFile(const QString& path, TileDocument& doc);
QString importSpriteSheetFile(const QString& path, TileDocument& doc);

} // namespace tile
