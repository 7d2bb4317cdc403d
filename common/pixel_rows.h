#pragma once
// Painting pattern rows into RGB32 images, enlarged: every view of the tile editor and
// the paint program's picture go through here. A pattern row of 0 or 255 is one block
// in the background or foreground, any other row a block per pixel (bit 7 leftmost).

#include "palette.h"

#include <QImage>

namespace tms {

// Fills a rectangle of an RGB32 image, clipped to the image.
void fillBlock(QImage& image, int x, int y, int width, int height, ColorValue color);

// Paints one 8-pixel row whose top-left corner is (left, top): each pixel a block of
// pixelWidth x height image pixels, clipped to the image.
void paintPatternRow(QImage& image, std::uint8_t pattern, ColorValue foreground, ColorValue background, int left,
                     int top, int pixelWidth, int height);

} // namespace tms
