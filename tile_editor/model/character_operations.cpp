#include "character_operations.h"

#include "palette.h"
#include "pattern_bits.h"

#include <algorithm>

namespace tile {

namespace {

bool pixelAt(const CharRows& rows, int r, int c)
{
    return rows[r] & tms::bitMask[c];
}

void setPixel(CharRows& rows, int r, int c, bool on)
{
    if (on)
        rows[r] = Byte(rows[r] | tms::bitMask[c]);
    else
        rows[r] = Byte(rows[r] & ~tms::bitMask[c]);
}

// Scroll left moves the leftmost pixel round to the right end, scroll right the reverse.
Byte rotatedLeft(Byte b)
{
    return Byte(((b & 127) << 1) | (b >= 128 ? 1 : 0));
}
Byte rotatedRight(Byte b)
{
    return Byte((b >> 1) | ((b & 1) ? 128 : 0));
}

CharRows& currentRows(TileDocument& doc)
{
    return doc.charPatterns[doc.currentChar];
}
CharRows& currentColors(TileDocument& doc)
{
    return doc.charColors[doc.currentChar];
}

} // namespace

bool flipCharacterX(TileDocument& doc)
{
    bool changed = false;
    for (Byte& row : currentRows(doc)) {
        const Byte mirrored = mirrorByte(row);
        changed = changed || mirrored != row;
        row = mirrored;
    }
    if (changed)
        doc.modified = true;
    return changed;
}

void flipCharacterY(TileDocument& doc)
{
    CharRows& rows = currentRows(doc);
    CharRows& colors = currentColors(doc);
    for (int r = 0; r < 4; ++r) {
        std::swap(rows[r], rows[7 - r]);
        std::swap(colors[r], colors[7 - r]);
    }
    doc.modified = true;
}

void rotateCharacter(TileDocument& doc)
{
    CharRows& rows = currentRows(doc);
    rotateSquare<8>([&](int r, int c) { return pixelAt(rows, r, c); },
                    [&](int r, int c, bool on) { setPixel(rows, r, c, on); });
    doc.modified = true;
}

void invertCharacter(TileDocument& doc)
{
    for (Byte& row : currentRows(doc))
        row = Byte(255 - row);
    doc.modified = true;
}

void clearCharacter(TileDocument& doc)
{
    currentRows(doc).fill(0);
    doc.modified = true;
}

void scrollCharacter(TileDocument& doc, Direction direction)
{
    CharRows& rows = currentRows(doc);
    CharRows& colors = currentColors(doc);
    switch (direction) {
    case Direction::Up:
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
        std::rotate(colors.begin(), colors.begin() + 1, colors.end());
        break;
    case Direction::Down:
        std::rotate(rows.rbegin(), rows.rbegin() + 1, rows.rend());
        std::rotate(colors.rbegin(), colors.rbegin() + 1, colors.rend());
        break;
    case Direction::Left:
        for (Byte& row : rows)
            row = rotatedLeft(row);
        break;
    case Direction::Right:
        for (Byte& row : rows)
            row = rotatedRight(row);
        break;
    }
    doc.modified = true;
}

void copyCharacter(TileDocument& doc, CopyBuffers& copies)
{
    copies.charCopyPattern = currentRows(doc);
    copies.charCopyColor = currentColors(doc);
}

void pasteCharacter(TileDocument& doc, const CopyBuffers& copies)
{
    currentRows(doc) = copies.charCopyPattern;
    currentColors(doc) = copies.charCopyColor;
    doc.modified = true;
}

bool copyBlock(const TileDocument& doc, CopyBuffers& copies)
{
    if (!doc.blockIsValid())
        return false;
    const int first = doc.markedBlock[0];
    const int count = doc.markedBlock[1] - first + 1;
    for (int i = 0; i < charCount; ++i) {
        if (i < count) {
            copies.blockCopyPattern[i] = doc.charPatterns[first + i];
            copies.blockCopyColor[i] = doc.charColors[first + i];
        } else {
            copies.blockCopyPattern[i].fill(blankPattern);
            copies.blockCopyColor[i].fill(defaultRowColor);
        }
    }
    return true;
}

bool pasteBlock(TileDocument& doc, const CopyBuffers& copies)
{
    if (!doc.blockIsValid())
        return false;
    // The markers as they stand now decide the target; the buffer is always read from
    // its first entry.
    const int first = doc.markedBlock[0];
    const int count = doc.markedBlock[1] - first + 1;
    for (int i = 0; i < count; ++i) {
        doc.charPatterns[first + i] = copies.blockCopyPattern[i];
        doc.charColors[first + i] = copies.blockCopyColor[i];
    }
    doc.modified = true;
    return true;
}

bool clearBlock(TileDocument& doc)
{
    if (!doc.blockIsValid())
        return false;
    for (int n = doc.markedBlock[0]; n <= doc.markedBlock[1]; ++n) {
        doc.charPatterns[n].fill(blankPattern);
        doc.charColors[n].fill(defaultRowColor);
    }
    doc.modified = true;
    return true;
}

} // namespace tile
