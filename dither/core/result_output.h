#pragma once
// What a finished conversion hands on: PowerPaint files and the result as a picture.

#include "conversion.h"

#include <QByteArray>
#include <QImage>

namespace dither {

// A 256x192 picture as an opaque image.
QImage pictureImage(const Picture& picture);

// The result picture (256x192, opaque).
QImage resultImage(const ConversionResult& result);

// The result encoded as a picture file in the given Qt format ("BMP", "PNG"); empty
// when the format cannot be written.
QByteArray encodedResultImage(const ConversionResult& result, const char* format);

// The tables as a PowerPaint file: FULL (40960 bytes) or 10K (10240 bytes).
QByteArray powerPaintFile(const ConversionResult& result, bool full);

} // namespace dither
