#include "result_output.h"

#include "image_bytes.h"

namespace dither {

QImage pictureImage(const Picture& picture)
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    // A fixed resolution (96 dpi): Qt's default follows the screen, so a picture file
    // written by the window would otherwise differ from the batch's in its header.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (int y = 0; y < pictureHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pictureWidth; ++x)
            line[x] = tms::toQRgb(picture[pixelIndex(x, y)]);
    }
    return image;
}

QImage resultImage(const ConversionResult& result)
{
    return pictureImage(result.picture);
}

QByteArray encodedResultImage(const ConversionResult& result, const char* format)
{
    return tms::encodeImage(resultImage(result), format).value_or(QByteArray());
}

} // namespace dither
