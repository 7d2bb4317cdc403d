#include "tile_document.h"

namespace tile {

void TileDocument::resetTables()
{
    for (CharRows& rows : charPatterns)
        rows.fill(blankPattern);
    for (CharRows& rows : charColors)
        rows.fill(defaultRowColor);
    groupColors.fill(defaultRowColor);
    for (auto& column : nameTable)
        column.fill(blankCharacter);
    for (SpriteBytes& sprite : spritePatterns)
        sprite.fill(0);
    spriteColors.fill(defaultSpriteColor);
    modified = false;
}

bool TileDocument::sameTablesAs(const TileDocument& other) const
{
    return charPatterns == other.charPatterns && charColors == other.charColors && groupColors == other.groupColors
           && nameTable == other.nameTable && spritePatterns == other.spritePatterns
           && spriteColors == other.spriteColors;
}

} // namespace tile
