#include "image_resize.h"

namespace dither {

Picture fitToScreen(const QImage& loaded, ResizeMode resizeMode, ResolutionMode resolutionMode)
{
    // The 32-bit formats are read from their lines, as QImage::pixel reads them
    // (RGB32 with its unused byte as opaque alpha); the others through QImage::pixel.
    const QImage::Format format = loaded.format();
    const bool direct = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                        || format == QImage::Format_ARGB32_Premultiplied;
    const ArgbPixel opaque = format == QImage::Format_RGB32 ? 0xff000000u : 0u;
    const int width = loaded.isNull() ? 0 : loaded.width();
    const int height = loaded.isNull() ? 0 : loaded.height();
    return fitToScreen(
        width, height,
        [&](int y, const int* columns, int count, ArgbPixel* out) {
        if (direct) {
            const QRgb* line = reinterpret_cast<const QRgb*>(loaded.constScanLine(y));
            for (int x = 0; x < count; ++x)
                out[x] = opaque | line[columns[x]];
        } else {
            for (int x = 0; x < count; ++x)
                out[x] = loaded.pixel(columns[x], y);
        }
        },
        resizeMode, resolutionMode);
}

} // namespace dither
