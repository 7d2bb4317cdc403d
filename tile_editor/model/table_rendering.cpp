#include "table_rendering.h"

#include "pixel_rows.h"

namespace tile {

QImage blankViewImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void paintCharacter(QImage& image, const TileDocument& doc, const tms::Palette& palette, int character, int left,
                    int top, int scale)
{
    for (int y = 0; y < 8; ++y) {
        const Byte color = Byte(doc.rowColor(character, y));
        tms::paintPatternRow(image, doc.charPatterns[character][y], palette[tms::foregroundOf(color)],
                             palette[tms::backgroundOf(color)], left, top + y * scale, scale, scale);
    }
}

void drawCurrentChar(QImage& charView, const TileDocument& doc, const tms::Palette& palette)
{
    paintCharacter(charView, doc, palette, doc.currentChar, 0, 0, charViewScale);
}

void drawPatternTable(QImage& patternView, const TileDocument& doc, const tms::Palette& palette)
{
    for (int n = 0; n < charCount; ++n)
        drawPatternCell(patternView, doc, palette, n);
}

void drawPatternCell(QImage& patternView, const TileDocument& doc, const tms::Palette& palette, int character)
{
    paintCharacter(patternView, doc, palette, character, patternCellLeft(character), patternCellTop(character),
                   patternViewScale);
}

void drawScreen(QImage& screenView, const TileDocument& doc, const tms::Palette& palette)
{
    for (int column = 0; column < screenColumns; ++column)
        for (int row = 0; row < screenRows; ++row)
            drawScreenCell(screenView, doc, palette, column, row);
}

void drawScreenCell(QImage& screenView, const TileDocument& doc, const tms::Palette& palette, int column, int row)
{
    const int cell = 8 * screenViewScale;
    paintCharacter(screenView, doc, palette, doc.nameTable[column][row], cell * column, cell * row, screenViewScale);
}

tms::ColorValue spriteDisplayColor(const TileDocument& doc, const tms::Palette& palette, int sprite)
{
    return palette[doc.spriteColors[sprite] & 0x0F];
}

void drawSprite(QImage& spriteView, const TileDocument& doc, const tms::Palette& palette)
{
    const int s = doc.currentSprite;
    const tms::ColorValue foreground = spriteDisplayColor(doc, palette, s);
    for (int half = 0; half < 2; ++half)
        for (int r = 0; r < 16; ++r)
            tms::paintPatternRow(spriteView, doc.spritePatterns[s][16 * half + r], foreground, palette[0],
                                 8 * spriteViewScale * half, spriteViewScale * r, spriteViewScale, spriteViewScale);
}

} // namespace tile
