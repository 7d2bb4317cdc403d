#include "picture_tiles.h"

#include "edition.h"
#include "picture_file.h"

namespace tile {

std::optional<PictureTiles> pictureToTiles(const QImage& picture, const dither::PictureImportSettings& settings,
                                           Edition edition)
{
    const std::optional<dither::ConversionResult> screen = dither::convertPicture(picture, settings);
    if (!screen)
        return std::nullopt;
    PictureTiles result;
    result.screenPatterns = screen->patternTable;
    result.screenColors = screen->colourTable;
    result.tiles = tilesFromScreen(screen->patternTable, screen->colourTable, edition, editionPalette(edition));
    return result;
}

QString tilesSummary(const ScreenTiles& tiles)
{
    const int pixels = tms::screenWidth * tms::screenHeight;
    return QStringLiteral("%1 distinct cells, %2 merges, %3 pixels changed (%4%)")
        .arg(tiles.distinctCells)
        .arg(tiles.merges)
        .arg(tiles.changedPixels)
        .arg(100.0 * tiles.changedPixels / pixels, 0, 'f', 1);
}

QString importPictureFile(const QString& path, const dither::PictureImportSettings& settings, TileDocument& doc)
{
    QString error;
    const std::optional<QImage> picture = dither::readPicture(path, &error);
    if (!picture)
        return error;
    const std::optional<PictureTiles> converted = pictureToTiles(*picture, settings, doc.edition);
    if (!converted)
        return dither::selectMoreColors;
    applyTiles(doc, converted->tiles);
    return {};
}

} // namespace tile
