#include "picture_render.h"

#include <algorithm>

namespace paint {

QImage makeViewImage(const ViewArea& area)
{
    return QImage(area.width(), area.height(), QImage::Format_RGB32);
}

void renderRow(QImage& image, const Picture& picture, const tms::Palette& palette, const ViewArea& area,
               int column, int row, int line)
{
    if (!area.shows(column, row) || line < 0 || line > 7)
        return;
    const int index = tms::bitmapIndex(row, column, line);
    const std::uint8_t pattern = picture.bitmapPatterns[index];
    const std::uint8_t color = picture.bitmapColors[index];
    const QRgb foreground = tms::toQRgb(palette[tms::foregroundOf(color)]);
    const QRgb background = tms::toQRgb(palette[tms::backgroundOf(color)]);

    const int scale = area.scale;
    const int left = (column - area.firstColumn) * 8 * scale;
    const int top = ((row - area.firstRow) * 8 + line) * scale;
    for (int dy = 0; dy < scale; ++dy) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(top + dy)) + left;
        // Plain rows, the common case, are one fill instead of eight blocks.
        if (pattern == 0 || pattern == 255) {
            std::fill(pixels, pixels + 8 * scale, pattern ? foreground : background);
            continue;
        }
        for (int b = 0; b < 8; ++b)
            std::fill(pixels + b * scale, pixels + (b + 1) * scale,
                      (pattern & tms::bitMask[b]) ? foreground : background);
    }
}

void renderPicture(QImage& image, const Picture& picture, const tms::Palette& palette, const ViewArea& area)
{
    for (int row = area.firstRow; row < area.firstRow + area.rows; ++row)
        for (int column = area.firstColumn; column < area.firstColumn + area.columns; ++column)
            for (int line = 0; line < 8; ++line)
                renderRow(image, picture, palette, area, column, row, line);
}

QImage pictureImage(const Picture& picture, const tms::Palette& palette)
{
    QImage image = makeViewImage(actualSize());
    renderPicture(image, picture, palette, actualSize());
    return image;
}

} // namespace paint
