#include "sprite_editing.h"

#include "palette.h"
#include "pattern_bits.h"
#include <algorithm>

namespace tile {

namespace {

constexpr int halfSize = 16; // bytes per half: one per pixel row

int byteIndex(int r, int c)
{
    return halfSize * (c / 8) + r;
}

void setSpritePixel(SpriteBytes& bytes, int r, int c, bool on)
{
    Byte& b = bytes[byteIndex(r, c)];
    const Byte mask = tms::bitMask[c % 8];
    b = on ? Byte(b | mask) : Byte(b & ~mask);
}

SpriteBytes& currentBytes(TileDocument& doc)
{
    return doc.spritePatterns[doc.currentSprite];
}

} // namespace

bool spritePixel(const SpriteBytes& bytes, int r, int c)
{
    return bytes[byteIndex(r, c)] & tms::bitMask[c % 8];
}

bool drawSpritePixel(TileDocument& doc, int button, CellPos pixel)
{
    if (button != LeftButton && button != RightButton)
        return false;
    Byte& b = currentBytes(doc)[byteIndex(pixel.row, pixel.column)];
    const Byte mask = tms::bitMask[pixel.column % 8];
    const Byte updated = button == LeftButton ? Byte(b | mask) : Byte(b & ~mask);
    if (updated == b)
        return false;
    b = updated;
    doc.modified = true;
    return true;
}

void previousSprite(TileDocument& doc)
{
    doc.currentSprite = (doc.currentSprite + spriteCount - 1) % spriteCount;
}

void nextSprite(TileDocument& doc)
{
    doc.currentSprite = (doc.currentSprite + 1) % spriteCount;
}

void cycleSpriteColor(TileDocument& doc)
{
    Byte& color = doc.spriteColors[doc.currentSprite];
    color = Byte((color + 1) % 16);
    if (color == 0)
        color = 1;
    doc.modified = true;
}

bool flipSpriteX(TileDocument& doc)
{
    SpriteBytes& bytes = currentBytes(doc);
    bool changed = false;
    for (int r = 0; r < halfSize; ++r) {
        const Byte left = mirrorByte(bytes[halfSize + r]);
        const Byte right = mirrorByte(bytes[r]);
        changed = changed || left != bytes[r] || right != bytes[halfSize + r];
        bytes[r] = left;
        bytes[halfSize + r] = right;
    }
    if (changed)
        doc.modified = true;
    return changed;
}

void flipSpriteY(TileDocument& doc)
{
    SpriteBytes& bytes = currentBytes(doc);
    for (int half = 0; half < 2; ++half)
        std::reverse(bytes.begin() + half * halfSize, bytes.begin() + (half + 1) * halfSize);
    doc.modified = true;
}

void rotateSprite(TileDocument& doc)
{
    SpriteBytes& bytes = currentBytes(doc);
    rotateSquare<16>([&](int r, int c) { return spritePixel(bytes, r, c); },
                     [&](int r, int c, bool on) { setSpritePixel(bytes, r, c, on); });
    doc.modified = true;
}

void scrollSprite(TileDocument& doc, Direction direction)
{
    SpriteBytes& bytes = currentBytes(doc);
    const auto left = bytes.begin(), right = bytes.begin() + halfSize, end = bytes.end();
    switch (direction) {
    case Direction::Up: // each half on its own, so row 0 of each half wraps to row 15
        std::rotate(left, left + 1, right);
        std::rotate(right, right + 1, end);
        break;
    case Direction::Down:
        std::rotate(left, right - 1, right);
        std::rotate(right, end - 1, end);
        break;
    case Direction::Left:
        // The row L.R as one 16-bit value turned left by a pixel: the top bit of R
        // enters L from the right and the top bit of L wraps round into R.
        for (int r = 0; r < halfSize; ++r) {
            const Byte l = bytes[r], rr = bytes[halfSize + r];
            bytes[r] = Byte((l << 1) | (rr >> 7));
            bytes[halfSize + r] = Byte((rr << 1) | (l >> 7));
        }
        break;
    case Direction::Right:
        for (int r = 0; r < halfSize; ++r) {
            const Byte l = bytes[r], rr = bytes[halfSize + r];
            bytes[r] = Byte((l >> 1) | ((rr & 1) << 7));
            bytes[halfSize + r] = Byte((rr >> 1) | ((l & 1) << 7));
        }
        break;
    }
    doc.modified = true;
}

void copySprite(TileDocument& doc, CopyBuffers& copies)
{
    copies.spriteCopy = currentBytes(doc);
}

void pasteSprite(TileDocument& doc, const CopyBuffers& copies)
{
    currentBytes(doc) = copies.spriteCopy;
    doc.modified = true;
}

void clearSprite(TileDocument& doc)
{
    currentBytes(doc).fill(0);
    doc.modified = true;
}

} // namespace tile
