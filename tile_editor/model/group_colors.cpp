#include "group_colors.h"

#include "palette.h"

namespace tile {

bool applyGroupColor(TileDocument& doc, ColorTarget target, int c)
{
    // The sixteen palette entries are distinct colours, so "the swatch already shows
    // this colour" is "the nibble already holds this index".
    Byte& color = doc.groupColors[colorGroupOf(doc.currentChar)];
    const int shown = target == ForegroundTarget ? tms::foregroundOf(color) : tms::backgroundOf(color);
    if (shown == c)
        return false;
    color = target == ForegroundTarget ? tms::colorByte(c, tms::backgroundOf(color))
                                       : tms::colorByte(tms::foregroundOf(color), c);
    doc.modified = true;
    return true;
}

CharacterSetCopy copyCharacterSet(const TileDocument& doc)
{
    return {doc.charPatterns, doc.groupColors};
}

void pasteCharacterSet(TileDocument& doc, const CharacterSetCopy& copy)
{
    doc.charPatterns = copy.patterns;
    doc.groupColors = copy.groupColors;
    doc.modified = true;
}

void clearCharacterSet(TileDocument& doc)
{
    for (CharRows& rows : doc.charPatterns)
        rows.fill(blankPattern);
    doc.groupColors.fill(defaultRowColor);
    doc.modified = true;
}

} // namespace tile
