#include "table_order.h"

#include <algorithm>

namespace tile {

std::vector<Byte> nameTableBytes(const TileDocument& doc, int firstRow, int lastRow)
{
    // Rows outside the screen are not part of the table: they are left out.
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, screenRows - 1);
    std::vector<Byte> bytes;
    bytes.reserve(std::size_t(std::max(0, lastRow - firstRow + 1)) * screenColumns);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = 0; column < screenColumns; ++column)
            bytes.push_back(doc.nameTable[column][row]);
    return bytes;
}

namespace {

std::vector<Byte> characterBytes(const std::array<CharRows, charCount>& table)
{
    std::vector<Byte> bytes;
    bytes.reserve(charCount * 8);
    for (const CharRows& rows : table)
        bytes.insert(bytes.end(), rows.begin(), rows.end());
    return bytes;
}

} // namespace

std::vector<Byte> patternBytes(const TileDocument& doc) { return characterBytes(doc.charPatterns); }

std::vector<Byte> colorBytes(const TileDocument& doc)
{
    if (doc.edition == Edition::ScreenMode1)
        return std::vector<Byte>(doc.groupColors.begin(), doc.groupColors.end());
    return characterBytes(doc.charColors);
}

std::vector<Byte> spritePatternBytes(const TileDocument& doc, int spriteCountToWrite)
{
    spriteCountToWrite = std::clamp(spriteCountToWrite, 0, spriteCount);
    std::vector<Byte> bytes;
    bytes.reserve(std::size_t(spriteCountToWrite) * 32);
    for (int sprite = 0; sprite < spriteCountToWrite; ++sprite)
        bytes.insert(bytes.end(), doc.spritePatterns[sprite].begin(), doc.spritePatterns[sprite].end());
    return bytes;
}

std::optional<int> lastDrawnSprite(const TileDocument& doc)
{
    for (int sprite = spriteCount - 1; sprite >= 0; --sprite)
        for (Byte b : doc.spritePatterns[sprite])
            if (b != 0)
                return sprite;
    return std::nullopt;
}

} // namespace tile
