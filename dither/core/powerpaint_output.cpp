#include "powerpaint_output.h"

#include "powerpaint.h"

namespace dither {

QByteArray powerPaintFile(const ConversionResult& result, bool full)
{
    return tms::powerpaint::encode(result.patternTable, result.colourTable, full);
}

} // namespace dither
