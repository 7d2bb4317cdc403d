#pragma once
// Colour editing of the screen mode 1 edition. One colour byte serves each group of
// eight consecutive characters (groupColors), so a character has no row colours of its
// own: the character commands that move rows move only the patterns, and the colours
// stay with the group. The pattern-table commands work on the whole character set.

#include "tile_document.h"

namespace tile {

// The character editor's colour selector: which nibble of the current character's
// group colour a palette press sets.
enum ColorTarget { BackgroundTarget = 0, ForegroundTarget = 1 };

constexpr int colorGroupOf(int character)
{
    return character / 8;
}

// Sets the foreground (ForegroundTarget) or background nibble of the current
// character's group colour to palette index c, the other nibble unchanged. Returns
// false, and changes nothing, when the nibble already holds c; otherwise marks the
// document modified.
bool applyGroupColor(TileDocument& doc, ColorTarget target, int c);

// The block buffer of this edition: the whole character set.
struct CharacterSetCopy {
    std::array<CharRows, charCount> patterns{};
    std::array<Byte, colorGroupCount> groupColors{};
};

CharacterSetCopy copyCharacterSet(const TileDocument& doc);
// Puts every pattern and group colour of the copy back; marks the document modified.
void pasteCharacterSet(TileDocument& doc, const CharacterSetCopy& copy);
// Every pattern row to 0 and every group colour to 65; marks the document modified.
void clearCharacterSet(TileDocument& doc);

} // namespace tile
