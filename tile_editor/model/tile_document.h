#pragma once
// The document of the tile editor: a complete set of screen mode 2 tables (256
// characters with a colour byte per pattern row, the 32x24 name table, 64 sprites of
// 16x16 pixels with one colour each) and the editing state the views share.
//
// Two-index tables are indexed [first][second] in the order the names give:
// charPatterns[character][row], nameTable[column][row], spritePatterns[sprite][byte].

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

constexpr Byte blankPattern = 0;
constexpr Byte defaultRowColor = 0x41; // foreground 4 (dark blue), background 1 (black)
constexpr Byte blankCharacter = 32;
constexpr Byte defaultSpriteColor = 15;

struct TileDocument {
    // Tables.
    std::array<CharRows, charCount> charPatterns;
    std::array<CharRows, charCount> charColors;
    std::array<std::array<Byte, screenRows>, screenColumns> nameTable;
    std::array<SpriteBytes, spriteCount> spritePatterns;
    std::array<Byte, spriteCount> spriteColors;

    // Editing state.
    int currentChar = 32;
    int currentSprite = 0;
    int selectedSwatch = 1;
    std::array<int, 2> markedBlock = {0, 255};
    int markerTurn = 0;
    CharRows charCopyPattern{};
    CharRows charCopyColor{};
    std::array<CharRows, charCount> blockCopyPattern{};
    std::array<CharRows, charCount> blockCopyColor{};
    SpriteBytes spriteCopy{};
    bool modified = false;
    bool tick = false;
    QString fileName;

    TileDocument() { ResetTables(); }

    // Every table to its reset value; clears modified. Leaves the current character and
    // sprite, the block markers and the copy buffers alone.
    void ResetTables();

    int lepattern(int car, int y) const { return charPatterns[car][y]; }
    int lecolor(int car, int y) const { return charColors[car][y]; }

    bool BlockIsValid() const { return markedBlock[0] <= markedBlock[1]; }

    // Tables only: what a project file holds.
    bool sameTablesAs(const TileDocument& other) const;
};

} // namespace tile
