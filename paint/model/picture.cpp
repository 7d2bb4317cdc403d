#include "picture.h"

#include "palette.h"

namespace paint {

void clearPicture(Picture& picture)
{
    picture.bitmapPatterns.fill(0);
    picture.bitmapColors.fill(clearedColorByte);
}

bool pixelIsForeground(const Picture& picture, int x, int y)
{
    return picture.bitmapPatterns[rowIndexOfLine(x / 8, y)] & tms::bitMask[x % 8];
}

int pixelColor(const Picture& picture, int x, int y)
{
    const std::uint8_t color = picture.bitmapColors[rowIndexOfLine(x / 8, y)];
    return pixelIsForeground(picture, x, y) ? tms::foregroundOf(color) : tms::backgroundOf(color);
}

} // namespace paint
