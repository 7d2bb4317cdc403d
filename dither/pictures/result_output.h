#pragma once
// What a finished conversion hands on: the result as a picture (and, through
// powerpaint_output.h, as a PowerPaint file).

#include "conversion.h"
#include "powerpaint_output.h"

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

} // namespace dither
