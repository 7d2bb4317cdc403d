#include "picture_import.h"

#include "picture_conversion.h"
#include "picture_file.h"

#include <new>

namespace paint {

QString selectMoreColorsMessage()
{
    return dither::selectMoreColors;
}

std::optional<QImage> readPictureFile(const QString& path, QString* error)
{
    return dither::readPicture(path, error);
}

bool convertPicture(const QImage& source, const PictureImportSettings& settings, Picture& picture)
{
    const auto result = dither::convertPicture(source, settings);
    if (!result)
        return false;
    picture.bitmapPatterns = result->patternTable;
    picture.bitmapColors = result->colourTable;
    return true;
}

tms::FileResult convertPictureFile(const QString& path, const QImage& source, const PictureImportSettings& settings,
                                   Picture& picture)
{
    try {
        if (!convertPicture(source, settings, picture))
            return tms::FileResult::failure(selectMoreColorsMessage());
    } catch (const std::bad_alloc&) { // within the size limit, but not within this machine's memory
        return tms::FileResult::failure(
            QStringLiteral("Cannot read picture \"%1\": not enough memory to load it").arg(path));
    }
    return {};
}

tms::FileResult importPictureFile(const QString& path, const PictureImportSettings& settings, Picture& picture)
{
    QString error;
    try {
        const std::optional<QImage> source = readPictureFile(path, &error);
        if (!source)
            return tms::FileResult::failure(error);
        return convertPictureFile(path, *source, settings, picture);
    } catch (const std::bad_alloc&) { // within the size limit, but not within this machine's memory
        return tms::FileResult::failure(
            QStringLiteral("Cannot read picture \"%1\": not enough memory to load it").arg(path));
    }
}

} // namespace paint
