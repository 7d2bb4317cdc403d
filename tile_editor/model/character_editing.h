#pragma once
// Drawing a character pixel by pixel, colouring its rows and typing it in hex.
// Each operation sets the document's modified flag when it changes document data.

#include "tile_document.h"

#include <QString>

namespace tile {

// The two wide swatches that recolour all eight rows at once.
constexpr int allRowsBackgroundSwatch = 16;
constexpr int allRowsForegroundSwatch = 17;

// Sets (left button) or clears (right button) pixel (px, py) of the current character.
// Returns true when the row changed; any other button changes nothing.
bool drawCharPixel(TileDocument& doc, int button, int px, int py);

// Applies palette colour c through swatch s: an odd swatch below 16 is the foreground
// of row s div 2, an even one its background; 17 and 16 are the foreground and
// background of every row. Returns true when a colour byte was stored (the two
// all-rows swatches always store).
bool applyPaletteColor(TileDocument& doc, int swatch, int c);

// The eight pattern bytes of the current character as 16 upper-case hex digits.
QString charHexText(const TileDocument& doc);

// What a typed key puts into the hex box: the upper-case hex digit, or a null QChar
// when the key is discarded.
QChar filterHexKey(QChar typed);

// Reads the first 16 characters of text (padded with zeros) as the eight rows of the
// current character; characters that are no hex digit count 0. Always modifies.
void applyHex(TileDocument& doc, QStringView text);

} // namespace tile
