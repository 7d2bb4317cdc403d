#include "picture_import.h"

#include "picture_file.h"

#include <QFileInfo>
#include <new>

namespace paint {

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
    dither::ConversionSettings conversion;
    conversion.method = settings.method;
    conversion.colours = settings.colours;
    const auto result = dither::convert(dither::apply_resize(source, settings.resize, dither::ResolutionMode::Full),
                                        conversion);
    if (!result)
        return false;
    picture.bitmapPatterns = result->pattern_table;
    picture.bitmapColors = result->colour_table;
    return true;
}

tms::FileResult importPictureFile(const QString& path, const PictureImportSettings& settings, Picture& picture)
{
    QString error;
    try {
        const std::optional<QImage> source = readPictureFile(path, &error);
        if (!source)
            return tms::FileResult::failure(error);
        if (!convertPicture(*source, settings, picture))
            return tms::FileResult::failure(selectMoreColorsMessage());
    } catch (const std::bad_alloc&) { // within the size limit, but not within this machine's memory
        return tms::FileResult::failure(
            QStringLiteral("Cannot read picture \"%1\": not enough memory to load it").arg(path));
    }
    return {};
}

} // namespace paint
