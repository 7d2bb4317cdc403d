#include "picture_render.h"

#include "pixel_rows.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace paint {

namespace {

// For each pattern byte, its eight pixels as masks: all ones where the foreground shows,
// so a pixel is chosen without a branch per pixel.
using PixelMasks = std::array<std::uint32_t, 8>;
constexpr std::array<PixelMasks, 256> patternMasks = [] {
    std::array<PixelMasks, 256> masks{};
    for (int pattern = 0; pattern < 256; ++pattern)
        for (int x = 0; x < 8; ++x)
            masks[pattern][x] = (pattern & tms::bitMask[x]) ? 0xFFFFFFFFu : 0u;
    return masks;
}();

} // namespace

QImage makeViewImage(const ViewArea& area)
{
    return QImage(area.width(), area.height(), QImage::Format_RGB32);
}

void renderRow(QImage& image, const Picture& picture, const tms::Palette& palette, const ViewArea& area, int column,
               int row, int line)
{
    const QRect target = rowArea(area, column, row, line);
    if (!image.rect().contains(target))
        return;
    const int index = tms::bitmapIndex(row, column, line);
    const std::uint8_t color = picture.bitmapColors[index];
    const QRgb foreground = tms::toQRgb(palette[tms::foregroundOf(color)]);
    const QRgb background = tms::toQRgb(palette[tms::backgroundOf(color)]);
    const PixelMasks& masks = patternMasks[picture.bitmapPatterns[index]];
    const int scale = area.scale;
    // The first image line of the row, then the same pixels on the lines below it.
    QRgb* first = reinterpret_cast<QRgb*>(image.scanLine(target.top())) + target.left();
    for (int x = 0; x < 8; ++x)
        std::fill_n(first + x * scale, scale, (foreground & masks[x]) | (background & ~masks[x]));
    const auto rowBytes = std::size_t(target.width()) * sizeof(QRgb);
    for (int y = target.top() + 1; y <= target.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb*>(image.scanLine(y)) + target.left(), first, rowBytes);
}

QRect rowArea(const ViewArea& area, int column, int row, int line)
{
    if (!area.shows(column, row) || line < 0 || line > 7)
        return {};
    const int scale = area.scale;
    return {(column - area.firstColumn) * 8 * scale, ((row - area.firstRow) * 8 + line) * scale, 8 * scale, scale};
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
