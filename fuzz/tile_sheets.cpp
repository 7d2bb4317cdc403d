// The tile-sheet and sprite-sheet imports, in both editions, on pictures of any size
// and any pixels: a sheet of the wrong size is refused and changes nothing; an accepted
// one changes only what it covers; a row (screen mode 2) whose pixels are at most two
// of the edition's colours comes back exactly as drawn; and a sheet the editor
// pictures from what it imported is imported again without a visible change.
//
// Input: byte 0 chooses the sheet (bit 0), the edition (bit 1) and whether bytes 1
// and 2 give any size or a size in whole cells (bit 2); the rest are the pixels,
// repeated to fill the picture.

#include "tile_sheets.h"
#include "edition.h"
#include "fuzz_check.h"
#include "random_document.h"

#include <QImage>
#include <QSet>
#include <cstdint>

namespace {

using tile::Edition;

// A pixel from one byte: mostly the edition's colours exactly, else a transparent one
// or any colour with any alpha.
QRgb pixelOf(std::uint8_t b, const tms::Palette& palette)
{
    if (b < 128)
        return tms::toQRgb(palette[b % 16]) | 0xFF000000u;
    if (b < 144)
        return qRgba(0, 0, 0, 0);
    return qRgba(b * 37, b * 91, b * 53, b & 1 ? 255 : b);
}

QImage sheetOf(const std::uint8_t* data, std::size_t size, int width, int height, const tms::Palette& palette)
{
    QImage sheet(width, height, QImage::Format_ARGB32);
    if (sheet.isNull())
        return sheet;
    std::size_t at = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, at = size ? (at + 1) % size : 0)
            sheet.setPixel(x, y, size ? pixelOf(data[at], palette) : qRgb(0, 0, 0));
    return sheet;
}

bool isPaletteColour(QRgb pixel, const tms::Palette& palette)
{
    for (const tms::ColorValue value : palette)
        if ((tms::toQRgb(value) & 0xFFFFFF) == (pixel & 0xFFFFFF))
            return true;
    return false;
}

void checkTileset(const QImage& sheet, const QString& refusal, const tile::TileDocument& before,
                  const tile::TileDocument& doc)
{
    const int columns = sheet.width() / 8, cells = columns * (sheet.height() / 8);
    const bool fits = !sheet.isNull() && sheet.width() % 8 == 0 && sheet.height() % 8 == 0 && cells <= tile::charCount;
    FUZZ_CHECK(refusal.isEmpty() == fits);
    if (!fits)
        return;
    FUZZ_CHECK(doc.nameTable == before.nameTable && doc.spritePatterns == before.spritePatterns
               && doc.spriteColors == before.spriteColors);
    for (int n = cells; n < tile::charCount; ++n)
        FUZZ_CHECK(doc.charPatterns[n] == before.charPatterns[n] && doc.charColors[n] == before.charColors[n]);
    for (int group = (cells + 7) / 8; group < tile::colorGroupCount; ++group)
        FUZZ_CHECK(doc.groupColors[group] == before.groupColors[group]);
    if (doc.edition != Edition::ScreenMode2)
        return;
    const tms::Palette palette = tile::editionPalette(doc.edition);
    const QImage drawn = tile::tilesetPicture(doc);
    for (int n = 0; n < cells; ++n)
        for (int y = 0; y < 8; ++y) {
            const int left = 8 * (n % columns), top = 8 * (n / columns) + y;
            QSet<QRgb> colours;
            for (int x = 0; x < 8; ++x)
                colours.insert(sheet.pixel(left + x, top) & 0xFFFFFF);
            bool exact = colours.size() <= 2;
            for (QRgb c : colours)
                exact = exact && isPaletteColour(c, palette);
            for (int x = 0; exact && x < 8; ++x)
                FUZZ_CHECK(
                    (drawn.pixel(8 * (n % tile::tilesetColumns) + x, 8 * (n / tile::tilesetColumns) + y) & 0xFFFFFF)
                    == (sheet.pixel(left + x, top) & 0xFFFFFF));
        }
}

void checkSpriteSheet(const QImage& sheet, const QString& refusal, const tile::TileDocument& before,
                      const tile::TileDocument& doc)
{
    const bool fits = sheet.width() == tile::spriteSheetSize && sheet.height() == tile::spriteSheetSize;
    FUZZ_CHECK(refusal.isEmpty() == fits);
    if (!fits)
        return;
    FUZZ_CHECK(doc.charPatterns == before.charPatterns && doc.charColors == before.charColors
               && doc.groupColors == before.groupColors && doc.nameTable == before.nameTable);
    bool transparent = false;
    for (int y = 0; y < sheet.height() && !transparent; ++y)
        for (int x = 0; x < sheet.width() && !transparent; ++x)
            transparent = qAlpha(sheet.pixel(x, y)) < 128;
    for (int s = 0; s < tile::spriteCount; ++s) {
        bool anySet = false;
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 16; ++c) {
                const bool set = doc.spritePatterns[s][16 * (c / 8) + r] & (0x80 >> (c % 8));
                anySet = anySet || set;
                if (transparent) // then exactly the opaque pixels are set
                    FUZZ_CHECK(set == (qAlpha(sheet.pixel(16 * (s % 8) + c, 16 * (s / 8) + r)) >= 128));
            }
        FUZZ_CHECK(anySet ? doc.spriteColors[s] <= 15 : doc.spriteColors[s] == before.spriteColors[s]);
    }
}

// What the editor pictures from a document it imported into comes back unchanged.
void checkPicturesAreStable(const tile::TileDocument& doc)
{
    tile::TileDocument again = doc;
    const QImage tileset = tile::tilesetPicture(doc);
    FUZZ_CHECK(tile::importTileset(tileset, again).isEmpty());
    FUZZ_CHECK(tile::tilesetPicture(again) == tileset);
    const QImage sprites = tile::spriteSheetPicture(doc);
    FUZZ_CHECK(tile::importSpriteSheet(sprites, again).isEmpty());
    FUZZ_CHECK(tile::spriteSheetPicture(again) == sprites);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const bool spriteSheet = data[0] & 1;
    const Edition edition = data[0] & 2 ? Edition::ScreenMode1 : Edition::ScreenMode2;
    int width = data[1], height = data[2];
    if (!(data[0] & 4)) {
        width = spriteSheet ? tile::spriteSheetSize : 8 * (1 + data[1] % 32);
        height = spriteSheet ? tile::spriteSheetSize : 8 * (1 + data[2] % 32);
    }
    static const tile::TileDocument befores[] = {testdoc::randomDocument(1, true, Edition::ScreenMode2),
                                                 testdoc::randomDocument(1, true, Edition::ScreenMode1)};
    const tile::TileDocument& before = befores[edition == Edition::ScreenMode1];
    const QImage sheet = sheetOf(data + 3, size - 3, width, height, tile::editionPalette(edition));

    tile::TileDocument doc = before;
    doc.modified = false;
    const QString refusal = spriteSheet ? tile::importSpriteSheet(sheet, doc) : tile::importTileset(sheet, doc);
    if (!refusal.isEmpty()) {
        FUZZ_CHECK(doc.sameTablesAs(before) && !doc.modified);
        FUZZ_CHECK(refusal.contains(QStringLiteral("%1x%2").arg(sheet.width()).arg(sheet.height())));
    } else {
        FUZZ_CHECK(doc.modified);
    }
    if (spriteSheet)
        checkSpriteSheet(sheet, refusal, before, doc);
    else
        checkTileset(sheet, refusal, before, doc);
    if (refusal.isEmpty())
        checkPicturesAreStable(doc);
    return 0;
}
