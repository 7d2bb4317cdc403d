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

// The edition's menu (EditionTraits::fontMenu): 1..6 in kardo3, 1..8 in kardo2.
inline std::span<const int> fontMenuFaces(Edition edition)
{
    return editionTraits(edition).fontMenu;
}

// The row byte of a glyph. Indices outside the table are a programming error (they
// assert, and read as a blank row in a release build).
Byte fontByte(int font, int glyph, int row);

// Puts face `font` into characters 33..90 of the document's patterns. Colours, the
// other characters, the name table, the sprites and `modified` stay as they were.
void applyFont(TileDocument& doc, int font);

} // namespace tile
