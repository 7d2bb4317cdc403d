#include "pixel_rows.h"

#include <algorithm>

namespace tms {

void fillBlock(QImage& image, int x, int y, int width, int height, ColorValue color)
{
    const int x0 = std::max(x, 0), x1 = std::min(x + width, image.width());
    const int y0 = std::max(y, 0), y1 = std::min(y + height, image.height());
    if (x0 >= x1)
        return; // wholly left or right of the image
    const QRgb rgb = toQRgb(color);
    for (int row = y0; row < y1; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + x0, line + x1, rgb);
    }
}

void paintPatternRow(QImage& image, std::uint8_t pattern, ColorValue foreground, ColorValue background, int left,
                     int top, int pixelWidth, int height)
{
    // Plain rows, the common case, are one fill instead of eight.
    if (pattern == 0 || pattern == 255) {
        fillBlock(image, left, top, 8 * pixelWidth, height, pattern ? foreground : background);
        return;
    }
    for (int x = 0; x < 8; ++x)
        fillBlock(image, left + x * pixelWidth, top, pixelWidth, height,
                  (pattern & bitMask[x]) ? foreground : background);
}

} // namespace tms
