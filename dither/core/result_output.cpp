#include "result_output.h"

#include "colour_metrics.h"

#include "image_bytes.h"

namespace dither {

QImage resultImage(const ConversionResult& result)
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    for (int y = 0; y < pictureHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pictureWidth; ++x)
            line[x] = tms::toQRgb(result.result_image[pixelIndex(x, y)]);
    }
    return image;
}

QByteArray encodedResultImage(const ConversionResult& result, const char* format)
{
    return tms::encodeImage(resultImage(result), format).value_or(QByteArray());
}

QByteArray powerPaintFile(const ConversionResult& result, bool full)
{
    return tms::powerpaint::encode(result.pattern_table, result.colour_table, full);
}

} // namespace dither
