#include "tile_sheets.h"

#include "cell_look.h"
#include "picture_file.h"
#include "pixel_rows.h"
#include "table_rendering.h"

#include <QHash>
#include <optional>

namespace tile {

namespace {

// The palette index of a pixel: the edition's own colour when it is one exactly (so a
// sheet the editor wrote comes back as it was, a sprite of the transparent colour 0
// included), else the nearest of colours 1..15.
int paletteIndexOf(QRgb pixel, const tms::Palette& palette)
{
    const tms::ColorValue value = tms::rgbValue(qRed(pixel), qGreen(pixel), qBlue(pixel));
    for (int c = 0; c < 16; ++c)
        if (palette[c] == value)
            return c;
    int best = 1;
    long bestDistance = -1;
    for (int c = 1; c < 16; ++c) {
        const long dr = qRed(pixel) - tms::redOf(palette[c]);
        const long dg = qGreen(pixel) - tms::greenOf(palette[c]);
        const long db = qBlue(pixel) - tms::blueOf(palette[c]);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}

// The colour byte of a fitted pair. A row of one colour keeps the colour byte it had
// when that byte holds the colour, else the foreground it had, so that drawing in it
// still shows.
Byte colorOfPair(ColourPair pair, Byte previous)
{
    if (pair.low != pair.high)
        return tms::colorByte(pair.high, pair.low);
    if (tms::backgroundOf(previous) == pair.low || tms::foregroundOf(previous) == pair.low)
        return previous;
    return tms::colorByte(tms::foregroundOf(previous), pair.low);
}

Byte patternOf(const int* indices, ColourPair pair, Byte color, const ColourDistances& distances)
{
    Byte pattern = 0;
    for (int x = 0; x < 8; ++x)
        if (nearestOf(indices[x], pair, distances) == tms::foregroundOf(color)
            && nearestOf(indices[x], pair, distances) != tms::backgroundOf(color))
            pattern |= tms::bitMask[x];
    return pattern;
}

std::optional<QImage> readSheet(const QString& path, QString* error)
{
    std::optional<QImage> sheet = dither::readPicture(path, error);
    if (sheet)
        *sheet = sheet->convertToFormat(QImage::Format_ARGB32);
    return sheet;
}

} // namespace

QImage screenPicture(const TileDocument& doc)
{
    QImage image = blankViewImage(tms::screenWidth, tms::screenHeight);
    drawScreen(image, doc, editionPalette(doc.edition));
    return image;
}

QImage tilesetPicture(const TileDocument& doc)
{
    QImage image = blankViewImage(tilesetSize, tilesetSize);
    const tms::Palette palette = editionPalette(doc.edition);
    for (int n = 0; n < charCount; ++n)
        paintCharacter(image, doc, palette, n, 8 * (n % tilesetColumns), 8 * (n / tilesetColumns), 1);
    return image;
}

QString importTileset(const QImage& picture, TileDocument& doc)
{
    const int columns = picture.width() / 8, rows = picture.height() / 8;
    if (picture.isNull() || picture.width() % 8 || picture.height() % 8 || columns * rows > charCount)
        return QStringLiteral("A tile sheet is 128x128 pixels, or any size in whole 8x8 cells with at most 256 "
                              "cells; this one is %1x%2")
            .arg(picture.width())
            .arg(picture.height());
    const QImage sheet = picture.convertToFormat(QImage::Format_ARGB32);
    const tms::Palette palette = editionPalette(doc.edition);
    const ColourDistances distances = colourDistances(palette);
    const int cells = columns * rows;

    // The palette index of every pixel, cell by cell.
    std::vector<std::array<int, 64>> indices(cells);
    for (int n = 0; n < cells; ++n)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                indices[n][y * 8 + x] =
                    paletteIndexOf(sheet.pixel(8 * (n % columns) + x, 8 * (n / columns) + y), palette);

    if (doc.traits().groupColors()) {
        // One pair for each group of eight characters, fitted to all of their pixels.
        for (int group = 0; group * 8 < cells; ++group) {
            std::array<int, 16> count{};
            for (int n = group * 8; n < std::min(cells, group * 8 + 8); ++n)
                for (int i : indices[n])
                    ++count[i];
            const Byte color = colorOfPair(fitColourPair(count, distances), doc.groupColors[group]);
            const ColourPair pair{tms::backgroundOf(color), tms::foregroundOf(color)};
            doc.groupColors[group] = color;
            for (int n = group * 8; n < std::min(cells, group * 8 + 8); ++n)
                for (int y = 0; y < 8; ++y)
                    doc.charPatterns[n][y] = patternOf(&indices[n][y * 8], pair, color, distances);
        }
    } else {
        for (int n = 0; n < cells; ++n)
            for (int y = 0; y < 8; ++y) {
                std::array<int, 16> count{};
                for (int x = 0; x < 8; ++x)
                    ++count[indices[n][y * 8 + x]];
                const ColourPair pair = fitColourPair(count, distances);
                const Byte color = colorOfPair(pair, doc.charColors[n][y]);
                doc.charColors[n][y] = color;
                doc.charPatterns[n][y] = patternOf(&indices[n][y * 8], pair, color, distances);
            }
    }
    doc.modified = true;
    return {};
}

QImage spriteSheetPicture(const TileDocument& doc)
{
    QImage image(spriteSheetSize, spriteSheetSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const tms::Palette palette = editionPalette(doc.edition);
    for (int s = 0; s < spriteCount; ++s) {
        const QRgb color = tms::toQRgb(spriteDisplayColor(doc, palette, s));
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 16; ++c)
                if (doc.spritePatterns[s][16 * (c / 8) + r] & tms::bitMask[c % 8])
                    image.setPixel(16 * (s % spriteSheetColumns) + c, 16 * (s / spriteSheetColumns) + r, color);
    }
    return image;
}

QString importSpriteSheet(const QImage& picture, TileDocument& doc)
{
    if (picture.isNull() || picture.width() != spriteSheetSize || picture.height() != spriteSheetSize)
        return QStringLiteral("A sprite sheet is 128x128 pixels (64 sprites of 16x16, 8 per row); this one is %1x%2")
            .arg(picture.width())
            .arg(picture.height());
    const QImage sheet = picture.convertToFormat(QImage::Format_ARGB32);
    auto opaque = [](QRgb p) { return qAlpha(p) >= 128; };
    auto rgbOf = [](QRgb p) { return p & 0xFFFFFF; };

    // A sheet without transparency has a ground: the colour of most of its pixels.
    std::optional<QRgb> ground;
    QHash<QRgb, int> sheetCount;
    bool transparent = false;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            const QRgb p = sheet.pixel(x, y);
            if (opaque(p))
                ++sheetCount[rgbOf(p)];
            else
                transparent = true;
        }
    if (!transparent)
        for (auto it = sheetCount.cbegin(); it != sheetCount.cend(); ++it)
            if (!ground || it.value() > sheetCount.value(*ground)
                || (it.value() == sheetCount.value(*ground) && it.key() < *ground))
                ground = it.key();
    auto isSet = [&](QRgb p) { return opaque(p) && (!ground || rgbOf(p) != *ground); };

    const tms::Palette palette = editionPalette(doc.edition);
    for (int s = 0; s < spriteCount; ++s) {
        const int left = 16 * (s % spriteSheetColumns), top = 16 * (s / spriteSheetColumns);
        SpriteBytes bytes{};
        QHash<QRgb, int> count;
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 16; ++c) {
                const QRgb p = sheet.pixel(left + c, top + r);
                if (!isSet(p))
                    continue;
                bytes[16 * (c / 8) + r] |= tms::bitMask[c % 8];
                ++count[rgbOf(p)];
            }
        doc.spritePatterns[s] = bytes;
        std::optional<QRgb> common;
        for (auto it = count.cbegin(); it != count.cend(); ++it)
            if (!common || it.value() > count.value(*common)
                || (it.value() == count.value(*common) && it.key() < *common))
                common = it.key();
        if (common)
            doc.spriteColors[s] = Byte(paletteIndexOf(*common, palette));
    }
    doc.modified = true;
    return {};
}

QString importTilesetFile(const QString& path, TileDocument& doc)
{
    QString error;
    const std::optional<QImage> sheet = readSheet(path, &error);
    return sheet ? importTileset(*sheet, doc) : error;
}

QString importSpriteSheetFile(const QString& path, TileDocument& doc)
{
    QString error;
    const std::optional<QImage> sheet = readSheet(path, &error);
    return sheet ? importSpriteSheet(*sheet, doc) : error;
}

} // namespace tile
