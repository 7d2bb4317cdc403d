#include "picture_render.h"

#include "pixel_rows.h"

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
    const int scale = area.scale;
    tms::paintPatternRow(image, pattern, palette[tms::foregroundOf(color)], palette[tms::backgroundOf(color)],
                         (column - area.firstColumn) * 8 * scale, ((row - area.firstRow) * 8 + line) * scale, scale,
                         scale);
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
