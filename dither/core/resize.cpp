#include "resize.h"

#include "colour_metrics.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace dither {

Picture fitToScreen(const QImage& loaded, ResizeMode resizeMode, ResolutionMode resolutionMode)
{
    const int W = modeWidth(resolutionMode), H = modeHeight(resolutionMode);
    const int pw = loaded.isNull() ? 0 : loaded.width();
    const int ph = loaded.isNull() ? 0 : loaded.height();
    // Scale factors in single precision; the products below in double.
    float sx = pw > W ? float(pw) / float(W) : 1.0f;
    float sy = ph > H ? float(ph) / float(H) : 1.0f;
    switch (resizeMode) {
    case ResizeMode::NoResize: sx = sy = 1.0f; break;
    case ResizeMode::Stretch: break;
    case ResizeMode::RespectAspectRatio: sx = sy = std::max(sx, sy); break;
    }
    // The columns read, worked out once for all lines.
    std::array<int, pictureWidth> columns;
    int usedColumns = 0;
    for (int x = 0; x < pictureWidth; ++x) {
        const double u = std::floor(double(sx) * double(x));
        if (u >= pw)
            break; // u grows with x
        columns[std::size_t(usedColumns++)] = int(u);
    }
    // The 32-bit formats are read from their lines, as QImage::pixel reads them
    // (RGB32 with its unused byte as opaque alpha); the others through QImage::pixel.
    const QImage::Format format = loaded.format();
    const bool direct = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                        || format == QImage::Format_ARGB32_Premultiplied;
    const QRgb opaque = format == QImage::Format_RGB32 ? 0xff000000u : 0u;
    Picture source = blackPicture();
    for (int y = 0; y < pictureHeight; ++y) {
        const double v = std::floor(double(sy) * double(y));
        if (v >= ph)
            continue;
        ColorValue* out = source.data() + pixelIndex(0, y);
        if (direct) {
            const QRgb* line = reinterpret_cast<const QRgb*>(loaded.constScanLine(int(v)));
            for (int x = 0; x < usedColumns; ++x)
                out[x] = loadedColour(opaque | line[columns[std::size_t(x)]]);
        } else {
            for (int x = 0; x < usedColumns; ++x)
                out[x] = loadedColour(loaded.pixel(columns[std::size_t(x)], int(v)));
        }
    }
    return source;
}

} // namespace dither
