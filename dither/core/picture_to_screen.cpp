#include "picture_to_screen.h"

#include <QFileInfo>
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
    return conversion;
}

bool isPictureFileName(const QString& path)
{
    static const QStringList suffixes = {QStringLiteral("png"), QStringLiteral("bmp"), QStringLiteral("gif"),
                                         QStringLiteral("jpg"), QStringLiteral("jpeg")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

QString pictureFilePattern()
{
    return QStringLiteral("*.png;*.bmp;*.gif;*.jpg;*.jpeg");
}

std::optional<ConversionResult> convertPicture(const QImage& source, const PictureImportSettings& settings)
{
    return convert(fitToScreen(source, settings.resize, ResolutionMode::Full), settings.conversionSettings());
}

} // namespace dither
