#include "picture_to_screen.h"

#include "file_extension.h"

#include <QStringList>

namespace dither {

ConversionSettings PictureImportSettings::conversionSettings() const
{
    ConversionSettings conversion;
    conversion.method = method;
    conversion.colours = colours;
    conversion.gamma = gamma;
    conversion.brightness = brightness;
    conversion.diffusion = diffusion;
    conversion.linearLight = linearLight;
    return conversion;
}

bool isPictureFileName(const QString& path)
{
    static const QStringList extensions = {QStringLiteral(".png"), QStringLiteral(".bmp"), QStringLiteral(".gif"),
                                           QStringLiteral(".jpg"), QStringLiteral(".jpeg")};
    return tms::hasExtension(path, extensions);
}

QString pictureFilePattern()
{
    return QStringLiteral("*.png;*.bmp;*.gif;*.jpg;*.jpeg");
}

} // namespace dither
