#pragma once
// A finished conversion as a PowerPaint file.

#include "conversion.h"

#include <QByteArray>

namespace dither {

// The tables as a PowerPaint file: FULL (40960 bytes) or 10K (10240 bytes).
QByteArray powerPaintFile(const ConversionResult& result, bool full);

} // namespace dither
