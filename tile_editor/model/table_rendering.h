#pragma once
// Paints the tables into the off-screen images of the views. A pattern row of 0 or
// 255 is painted as one block in the background or foreground, any other row pixel by
// pixel. Colours come from the palette; colour 0 is never treated specially.

#include "palette.h"
#include "tile_document.h"
#include "view_geometry.h"

#include <QImage>

namespace tile {

// Image sizes of the views.
constexpr int charViewSize = 8 * charViewScale;                                                 // 80
constexpr int patternViewWidth = 32 * patternCellSize, patternViewHeight = 8 * patternCellSize; // 512 x 128
constexpr int screenViewWidth = tms::screenWidth * screenViewScale;
constexpr int screenViewHeight = tms::screenHeight * screenViewScale;
constexpr int spriteViewSize = 16 * spriteViewScale; // 128

QImage blankViewImage(int width, int height);

// Paints the rows of a character with each pixel as a scale x scale block at (left, top).
void paintCharacter(QImage& image, const TileDocument& doc, const tms::Palette& palette, int character, int left,
                    int top, int scale);

void drawCurrentChar(QImage& charView, const TileDocument& doc, const tms::Palette& palette);
void drawPatternTable(QImage& patternView, const TileDocument& doc, const tms::Palette& palette);
void drawPatternCell(QImage& patternView, const TileDocument& doc, const tms::Palette& palette, int character);
void drawScreen(QImage& screenView, const TileDocument& doc, const tms::Palette& palette);
void drawScreenCell(QImage& screenView, const TileDocument& doc, const tms::Palette& palette, int column, int row);
void drawSprite(QImage& spriteView, const TileDocument& doc, const tms::Palette& palette);

// The display colour of a sprite. A colour byte read from a file may exceed 15; only
// its low nibble selects the colour, the byte itself is kept as read.
tms::ColorValue spriteDisplayColor(const TileDocument& doc, const tms::Palette& palette, int sprite);

} // namespace tile
