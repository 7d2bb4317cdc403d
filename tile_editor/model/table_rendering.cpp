#include "table_rendering.h"

#include "view_geometry.h"

#include <algorithm>

namespace tile {

QImage blankViewImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void fillBlock(QImage& image, int x, int y, int width, int height, tms::ColorValue color)
{
    const int x0 = std::max(x, 0), x1 = std::min(x + width, image.width());
    const int y0 = std::max(y, 0), y1 = std::min(y + height, image.height());
    const QRgb rgb = tms::toQRgb(color);
    for (int row = y0; row < y1; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + x0, line + x1, rgb);
    }
}

namespace {

// One pattern row: a whole block for 0 and 255, else a block per pixel.
void paintRow(QImage& image, Byte pattern, tms::ColorValue foreground, tms::ColorValue background, int left,
              int top, int scale, int rowHeight)
{
    if (pattern == 0 || pattern == 255) {
        fillBlock(image, left, top, 8 * scale, rowHeight, pattern ? foreground : background);
        return;
    }
    for (int x = 0; x < 8; ++x)
        fillBlock(image, left + x * scale, top, scale, rowHeight,
                  (pattern & tms::bitMask[x]) ? foreground : background);
}

} // namespace

void paintCharacter(QImage& image, const TileDocument& doc, const tms::Palette& palette, int character, int left,
                    int top, int scale)
{
    for (int y = 0; y < 8; ++y) {
        const Byte color = Byte(doc.lecolor(character, y));
        paintRow(image, doc.charPatterns[character][y], palette[tms::foregroundOf(color)],
                 palette[tms::backgroundOf(color)], left, top + y * scale, scale, scale);
    }
}

void DrawCurrentChar(QImage& charView, const TileDocument& doc, const tms::Palette& palette)
{
    paintCharacter(charView, doc, palette, doc.currentChar, 0, 0, 10);
}

void DrawPatternTable(QImage& patternView, const TileDocument& doc, const tms::Palette& palette)
{
    for (int n = 0; n < charCount; ++n)
        DrawPatternCell(patternView, doc, palette, n);
}

void DrawPatternCell(QImage& patternView, const TileDocument& doc, const tms::Palette& palette, int character)
{
    paintCharacter(patternView, doc, palette, character, patternCellLeft(character), patternCellTop(character), 2);
}

void DrawScreen(QImage& screenView, const TileDocument& doc, const tms::Palette& palette)
{
    for (int column = 0; column < screenColumns; ++column)
        for (int row = 0; row < screenRows; ++row)
            DrawScreenCell(screenView, doc, palette, column, row);
}

void DrawScreenCell(QImage& screenView, const TileDocument& doc, const tms::Palette& palette, int column, int row)
{
    paintCharacter(screenView, doc, palette, doc.nameTable[column][row], 8 * column, 8 * row, 1);
}

tms::ColorValue spriteDisplayColor(const TileDocument& doc, const tms::Palette& palette, int sprite)
{
    return palette[doc.spriteColors[sprite] & 0x0F];
}

void DrawSprite(QImage& spriteView, const TileDocument& doc, const tms::Palette& palette)
{
    const int s = doc.currentSprite;
    const tms::ColorValue foreground = spriteDisplayColor(doc, palette, s);
    for (int half = 0; half < 2; ++half)
        for (int r = 0; r < 16; ++r)
            paintRow(spriteView, doc.spritePatterns[s][16 * half + r], foreground, palette[0], 64 * half, 8 * r, 8, 8);
}

} // namespace tile
