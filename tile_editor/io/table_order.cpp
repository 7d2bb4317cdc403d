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

std::vector<Byte> patternBytes(const TileDocument& doc)
{
    return characterBytes(doc.charPatterns);
}

std::vector<Byte> colorBytes(const TileDocument& doc)
{
    if (doc.traits().groupColors())
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

tms::SourceTables sourceTables(const TileDocument& doc, tms::Compression compression, TableTarget target, int firstRow,
                               int lastRow)
{
    const bool compressed = compression != tms::Compression::None;
    const QString suffix = tms::compressedNameSuffix(compression);
    auto table = [&](const char* name, const std::vector<Byte>& bytes, bool compressible = true) {
        tms::SourceTable t;
        t.name = QLatin1String(name);
        if (!compressed || !compressible) {
            t.bytes = bytes;
        } else {
            t.name += suffix;
            t.bytes = tms::compress(compression, bytes);
        }
        return t;
    };
    tms::SourceTables tables{
        table("NAME", compressed ? nameTableBytes(doc, firstRow, lastRow) : nameTableBytes(doc)),
        table("PATTERN", patternBytes(doc)),
        table("COLOR", colorBytes(doc), doc.traits().colorTableCompressible),
    };
    const std::optional<int> last = lastDrawnSprite(doc);
    if (!last)
        return tables;
    tables.push_back(table("SPATTERN", spritePatternBytes(doc, compressed ? *last + 1 : spriteCount)));
    std::vector<Byte> attributes;
    if (target == TableTarget::Assembler) {
        // No positions are kept: every sprite starts at Y $D0, X $00 with pattern 4 x s.
        for (int sprite = 0; sprite < spriteCount; ++sprite)
            attributes.insert(attributes.end(), {0xD0, 0x00, Byte(4 * sprite), doc.spriteColors[sprite]});
        tables.push_back({QStringLiteral("SATTRIB"), attributes, 4, QStringLiteral(";      Y , X , No, Color")});
    } else {
        for (int sprite = 0; sprite <= *last; ++sprite)
            attributes.insert(attributes.end(), {204, 0, Byte(4 * sprite), doc.spriteColors[sprite]});
        tables.push_back({QStringLiteral("SPRITESINIT"), attributes, 4, QString()});
    }
    return tables;
}

} // namespace tile
