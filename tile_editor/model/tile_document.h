#pragma once
// The document of the tile editor: a complete set of screen mode 2 tables (256
// characters with a colour byte per pattern row, the 32x24 name table, 64 sprites of
// 16x16 pixels with one colour each), the positions the editing commands act on, the
// file name and the modified flag. The window's own state (copy buffers, selected
// swatch, painting tick) is in editing_state.h.
//
// Two-index tables are indexed [first][second] in the order the names give:
// charPatterns[character][row], nameTable[column][row], spritePatterns[sprite][byte].

#include "edition.h"
#include "screen_size.h"

#include <QString>
#include <array>
#include <cstdint>

namespace tile {

using Byte = std::uint8_t;
using CharRows = std::array<Byte, 8>;
using SpriteBytes = std::array<Byte, 32>;

constexpr int charCount = 256;
using tms::screenColumns;
using tms::screenRows;
constexpr int spriteCount = 64;
constexpr int colorGroupCount = 32; // screen mode 1: one colour byte per 8 characters

constexpr Byte blankPattern = 0;
constexpr Byte defaultRowColor = 0x41; // foreground 4 (dark blue), background 1 (black)
constexpr Byte blankCharacter = 32;
constexpr Byte defaultSpriteColor = 15;

struct TileDocument {
    // Which colour table the document has: charColors (screen mode 2) or groupColors
    // (screen mode 1). In screen mode 1 charColors is no part of the document: nothing
    // draws, writes or exports it, so the row-colour moves of the character commands
    // leave every visible colour with its group.
    Edition edition = Edition::ScreenMode2;

    // Tables.
    std::array<CharRows, charCount> charPatterns;
    std::array<CharRows, charCount> charColors;
    std::array<Byte, colorGroupCount> groupColors; // character c uses groupColors[c / 8]
    std::array<std::array<Byte, screenRows>, screenColumns> nameTable;
    std::array<SpriteBytes, spriteCount> spritePatterns;
    std::array<Byte, spriteCount> spriteColors;

    // Editing state.
    int currentChar = 32;
    int currentSprite = 0;
    std::array<int, 2> markedBlock = {0, 255};
    int markerTurn = 0;
    bool modified = false;
    QString fileName;

    explicit TileDocument(Edition documentEdition = Edition::ScreenMode2) : edition(documentEdition) { resetTables(); }

    // Every table to its reset value; clears modified. Leaves the current character and
    // sprite and the block markers alone.
    void resetTables();

    int rowPattern(int car, int y) const { return charPatterns[car][y]; }
    // The colour byte of row y of character car; in screen mode 1 every row of a
    // character has its group's colour.
    int rowColor(int car, int y) const { return traits().groupColors() ? groupColors[car / 8] : charColors[car][y]; }

    const EditionTraits& traits() const { return editionTraits(edition); }

    bool blockIsValid() const { return markedBlock[0] <= markedBlock[1]; }

    // Tables only: what a project file holds.
    bool sameTablesAs(const TileDocument& other) const;
};

} // namespace tile
