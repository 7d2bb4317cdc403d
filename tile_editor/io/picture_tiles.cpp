#include "picture_tiles.h"

#include "adjustment.h"
#include "edition.h"
#include "image_resize.h"
#include "linear_light.h"
#include "mode_one_picture.h"
#include "nearest_characters.h"
#include "picture_file.h"

#include <algorithm>
#include <set>

namespace tile {

namespace {

// The pixels in which two screens differ.
int differingPixels(const tms::BitmapTable& patterns, const tms::BitmapTable& colors, const ScreenTiles& tiles,
                    Edition edition)
{
    TileDocument doc(edition);
    applyTiles(doc, tiles);
    tms::BitmapTable shownPatterns{}, shownColors{};
    screenOfDocument(doc, shownPatterns, shownColors);
    int count = 0;
    for (std::size_t i = 0; i < patterns.size(); ++i)
        for (int x = 0; x < 8; ++x) {
            const bool a = patterns[i] & tms::bitMask[x], b = shownPatterns[i] & tms::bitMask[x];
            const int ca = a ? tms::foregroundOf(colors[i]) : tms::backgroundOf(colors[i]);
            const int cb = b ? tms::foregroundOf(shownColors[i]) : tms::backgroundOf(shownColors[i]);
            count += ca != cb;
        }
    return count;
}

double tilesError(const ScreenTiles& tiles, Edition edition, const dither::Picture& picture)
{
    TileDocument doc(edition);
    applyTiles(doc, tiles);
    tms::BitmapTable patterns{}, colors{};
    screenOfDocument(doc, patterns, colors);
    return blurredError(patterns, colors, editionPalette(edition), picture);
}

} // namespace

std::optional<PictureTiles> pictureToTiles(const QImage& picture, const dither::PictureImportSettings& settings,
                                           Edition edition)
{
    const dither::Picture source = dither::fitToScreen(picture, settings.resize, dither::ResolutionMode::Full);
    const dither::ConversionSettings conversion = settings.conversionSettings();
    const std::optional<dither::ConversionResult> screen = dither::convert(source, conversion);
    if (!screen)
        return std::nullopt;
    PictureTiles result;
    result.screenPatterns = screen->patternTable;
    result.screenColors = screen->colourTable;
    result.tiles = tilesFromScreen(screen->patternTable, screen->colourTable, edition, editionPalette(edition));
    if (edition == Edition::ScreenMode2 && result.tiles.merges > 0 && dither::diffusionOf(conversion.method)) {
        // A photograph: every cell takes the character that shows it best, and the
        // characters that leaves unused show the cells shown worst.
        refineCharacters(result.tiles, result.screenPatterns, result.screenColors, editionPalette(edition),
                         dither::adjustPicture(source, conversion.gamma, conversion.brightness));
        result.tiles.changedPixels = differingPixels(result.screenPatterns, result.screenColors, result.tiles, edition);
        std::set<int> used;
        for (const auto& column : result.tiles.nameTable)
            used.insert(column.begin(), column.end());
        result.tiles.characters = int(used.size());
        result.tiles.merges = result.tiles.distinctCells - result.tiles.characters;
    }
    if (edition == Edition::ScreenMode1 && result.tiles.changedPixels > 0) {
        // The converted screen did not fit the groups: fit the picture itself, and keep
        // whichever shows it better.
        const dither::Picture adjusted = dither::adjustPicture(source, conversion.gamma, conversion.brightness);
        const dither::ActiveColours active =
            dither::chooseActiveColours(dither::presetPalette(conversion.paletteMode), conversion.colours);
        std::optional<ScreenTiles> fitted =
            modeOneFromPicture({adjusted, active, conversion.method, conversion.diffusion});
        if (fitted && tilesError(*fitted, edition, adjusted) < tilesError(result.tiles, edition, adjusted)) {
            fitted->distinctCells = result.tiles.distinctCells;
            fitted->merges = std::max(0, fitted->distinctCells - fitted->characters);
            fitted->changedPixels = differingPixels(result.screenPatterns, result.screenColors, *fitted, edition);
            result.tiles = *fitted;
        }
    }
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
