#pragma once
// FONTS: the built-in fonts. Each face fills the printable characters "!" (33) to "Z"
// (90) with a ready-made glyph set; the at sign is blank and "%" is the same box in
// every face. The table holds the eight faces of both editions: the screen mode 2
// edition offers faces 0..5 as "Font #1" to "Font #6", the screen mode 1 edition
// offers all eight in the order of its own menu (fontMenuFaces).

#include "tile_document.h"

#include <array>
#include <span>

namespace tile {

constexpr int fontFaceCount = 8;
constexpr int fontGlyphCount = 58; // characters 33..90
constexpr int firstFontChar = 33;

using FontFace = std::array<CharRows, fontGlyphCount>;

// fontData[face][glyph][row]; glyph g is the pattern of character 33 + g.
extern const std::array<FontFace, fontFaceCount> fontData;

// The faces behind the items "Font #1", "Font #2"... of each edition's Fonts menu.
constexpr std::array<int, 6> screenMode2FontMenu = {0, 1, 2, 3, 4, 5};
// The mode 1 edition's "Font #8" is the mode 2 edition's "Font #4"; its "Font #4" and
// "Font #7" are faces of its own.
constexpr std::array<int, 8> screenMode1FontMenu = {0, 1, 2, 6, 4, 5, 7, 3};
// The edition's menu: 1..6 in kardo3, 1..8 in kardo2.
std::span<const int> fontMenuFaces(Edition edition);

// The row byte of a glyph. Indices outside the table are a programming error (they
// assert, and read as a blank row in a release build).
Byte GetFontByte(int font, int glyph, int row);

// Puts face `font` into characters 33..90 of the document's patterns. Colours, the
// other characters, the name table, the sprites and `modified` stay as they were.
void ApplyFont(TileDocument& doc, int font);

} // namespace tile
