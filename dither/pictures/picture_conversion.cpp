#include "picture_conversion.h"

#include "image_resize.h"

namespace dither {

std::optional<ConversionResult> convertPicture(const QImage& source, const PictureImportSettings& settings)
{
    return convert(fitToScreen(source, settings.resize, ResolutionMode::Full), settings.conversionSettings());
}

} // namespace dither
