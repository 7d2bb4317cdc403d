// Pictures as tiles: which looks merge first and that the budget holds, inverse cells
// sharing a character, screens that keep the rules coming back exactly (both
// editions, drawn from generated documents), and the character and sprite sheets.
#include "cell_merging.h"
#include "image_resize.h"
#include "mode_one_picture.h"
#include "picture_tiles.h"
#include "random_document.h"
#include "screen_tiles.h"
#include "tile_sheets.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <set>

using namespace tile;

namespace {

CellLook plainLook(int colour)
{
    CellLook look;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            look.setPixel(x, y, colour);
    return look;
}

CellLook withPixels(CellLook look, std::initializer_list<std::pair<int, int>> pixels, int colour)
{
    for (auto [x, y] : pixels)
        look.setPixel(x, y, colour);
    return look;
}

TileDocument importedInto(Edition edition, const ScreenTiles& tiles)
{
    TileDocument doc(edition);
    applyTiles(doc, tiles);
    return doc;
}

// The screen pixels whose colour differs between the tables and the document's screen.
int changedScreenPixels(const tms::BitmapTable& patterns, const tms::BitmapTable& colors, const TileDocument& doc)
{
    tms::BitmapTable p{}, c{};
    screenOfDocument(doc, p, c);
    const auto shown = [](const tms::BitmapTable& pt, const tms::BitmapTable& ct, int i, int x) {
        return pt[i] & tms::bitMask[x] ? tms::foregroundOf(ct[i]) : tms::backgroundOf(ct[i]);
    };
    int count = 0;
    for (int i = 0; i < 6144; ++i)
        for (int x = 0; x < 8; ++x)
            count += shown(patterns, colors, i, x) != shown(p, c, i, x);
    return count;
}

// The tiles use as many characters as they count, and merged the looks they did not keep.
void verifyCharacterCount(const ScreenTiles& tiles, const TileDocument& imported)
{
    std::set<int> used;
    for (const auto& column : imported.nameTable)
        used.insert(column.begin(), column.end());
    QCOMPARE(int(used.size()), tiles.characters);
    QCOMPARE(tiles.merges, tiles.distinctCells - tiles.characters);
}

dither::PictureImportSettings pixelArtSettings()
{
    dither::PictureImportSettings settings;
    settings.method = dither::Method::Nearest;
    settings.resize = dither::ResizeMode::NoResize;
    return settings;
}

} // namespace

class TestPictureTiles : public QObject {
    Q_OBJECT
private slots:
    void mergeOrder()
    {
        const ColourDistances distances = colourDistances(tms::standardPalette());
        // The cheapest merge moves the fewest pixels times the lighter weight: one pixel
        // of a look used once goes before ten pixels, whatever the other weights.
        const CellLook black = plainLook(1);
        std::vector<CellLook> looks{black, withPixels(black, {{0, 0}}, 15),
                                    withPixels(black, {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}, 15)};
        MergeOutcome outcome = mergeLooks(looks, {5, 1, 1}, 2, distances);
        QCOMPARE(outcome.keptLook, (std::vector<int>{0, 0, 2}));
        QCOMPARE(outcome.merges, 1);
        // The heavier look stays, even when it comes later.
        outcome = mergeLooks(looks, {1, 4, 9}, 2, distances);
        QCOMPARE(outcome.keptLook, (std::vector<int>{1, 1, 2}));

        // Equal pixel counts: the smaller colour change merges first (grey 14 and white 15
        // are nearer each other than either is to black).
        looks = {black, withPixels(black, {{3, 3}}, 14), withPixels(black, {{3, 3}}, 15)};
        outcome = mergeLooks(looks, {1, 1, 1}, 2, distances);
        QCOMPARE(outcome.keptLook, (std::vector<int>{0, 1, 1}));

        // Within budget nothing merges.
        outcome = mergeLooks(looks, {1, 1, 1}, 3, distances);
        QCOMPARE(outcome.keptLook, (std::vector<int>{0, 1, 2}));
        QCOMPARE(outcome.merges, 0);
    }

    void inverseCellsShareAndChangesAreCounted()
    {
        // Cell 0 and cell 1 look the same: the pattern inverted and the colours swapped.
        tms::BitmapTable patterns{}, colors{};
        colors.fill(tms::colorByte(6, 6));
        for (int y = 0; y < 8; ++y) {
            patterns[tms::bitmapIndex(0, 0, y)] = Byte(0x3C + y);
            colors[tms::bitmapIndex(0, 0, y)] = tms::colorByte(15, 1);
            patterns[tms::bitmapIndex(0, 1, y)] = Byte(~(0x3C + y));
            colors[tms::bitmapIndex(0, 1, y)] = tms::colorByte(1, 15);
        }
        ScreenTiles tiles = tilesFromScreen(patterns, colors, Edition::ScreenMode2, tms::tileEditorPalette());
        QVERIFY(tiles.distinctCells == 2 && tiles.characters == 2 && tiles.changedPixels == 0);
        QCOMPARE(tiles.nameTable[0][0], tiles.nameTable[1][0]);

        // 768 different cells merge down to the 256 characters.
        TileDocument busy = testdoc::ruleKeepingDocument(5, Edition::ScreenMode2);
        for (int cell = 0; cell < 768; ++cell) // every cell its own character, drawn apart
            busy.nameTable[cell % 32][cell / 32] = Byte(cell % 256);
        tms::BitmapTable p{}, c{};
        screenOfDocument(busy, p, c);
        for (int cell = 256; cell < 768; ++cell) // the second and third copies differ
            p[tms::bitmapIndex(cell / 32, cell % 32, cell / 256 * 2)] ^= 0x81;
        tiles = tilesFromScreen(p, c, Edition::ScreenMode2, tms::tileEditorPalette());
        QVERIFY(tiles.distinctCells == 768 && tiles.characters == 256 && tiles.merges == 512);
        // In both editions (in screen mode 1, far more pairs of colours than 32 groups
        // hold) the changed pixels counted are those the screen shows changed.
        for (Edition edition : {Edition::ScreenMode2, Edition::ScreenMode1}) {
            tiles = tilesFromScreen(p, c, edition, editionPalette(edition));
            const TileDocument imported = importedInto(edition, tiles);
            verifyCharacterCount(tiles, imported);
            QVERIFY(tiles.changedPixels > 0);
            QCOMPARE(changedScreenPixels(p, c, imported), tiles.changedPixels);
        }
    }

    // Draw a document, import the picture, draw again: the same pixels.
    void roundTripKeepsRuleKeepingScreens_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<int>("charactersUsed");
        for (int used : {256, 40})
            for (Edition e : {Edition::ScreenMode2, Edition::ScreenMode1})
                QTest::addRow("%s, %d characters", qPrintable(editionProgramName(e)), used) << int(e) << used;
    }
    void roundTripKeepsRuleKeepingScreens()
    {
        QFETCH(int, edition);
        QFETCH(int, charactersUsed);
        for (quint32 seed = 1; seed <= 3; ++seed) {
            TileDocument doc = testdoc::ruleKeepingDocument(seed, Edition(edition), charactersUsed);
            if (seed == 2) { // cells of one colour too, which fit any group holding it
                doc.charPatterns[3].fill(0);
                doc.charPatterns[12].fill(255);
            }
            const QImage shown = screenPicture(doc);
            const std::optional<PictureTiles> converted = pictureToTiles(shown, pixelArtSettings(), Edition(edition));
            QVERIFY(converted && converted->tiles.changedPixels == 0 && converted->tiles.merges == 0);
            const TileDocument imported = importedInto(Edition(edition), converted->tiles);
            QVERIFY(imported.modified);
            QCOMPARE(screenPicture(imported), shown);
        }
    }

    // A photograph, with far more distinct cells than characters (and in screen mode 1
    // than 32 pairs hold): within the budget, its statistics true to what the screen
    // shows, and after a blur within 1 dB of the plain bitmap conversion (moving the
    // converted screen's pixels into the budget lost 1.5 to 1.7 dB here).
    void photoStaysCloseToTheBitmap()
    {
        QImage photo(256, 192, QImage::Format_RGB32);
        QRandomGenerator random(5);
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x) {
                const int hill = int(60 * std::sin(x / 23.0) + 40 * std::cos(y / 17.0 + x / 41.0));
                const int grain = random.bounded(-20, 21);
                photo.setPixel(x, y,
                               qRgb(std::clamp(y * 4 / 5 + hill + grain, 0, 255), std::clamp(120 + hill, 0, 255),
                                    std::clamp(255 - y + grain, 0, 255)));
            }
        dither::PictureImportSettings settings;
        settings.resize = dither::ResizeMode::NoResize;
        const dither::Picture source = dither::fitToScreen(photo, settings.resize, dither::ResolutionMode::Full);
        for (Edition edition : {Edition::ScreenMode2, Edition::ScreenMode1}) {
            const std::optional<PictureTiles> converted = pictureToTiles(photo, settings, edition);
            const ScreenTiles& tiles = converted->tiles;
            const TileDocument imported = importedInto(edition, tiles);
            verifyCharacterCount(tiles, imported);
            QVERIFY(tiles.merges > 0);

            const tms::Palette palette = editionPalette(edition);
            tms::BitmapTable p{}, c{};
            screenOfDocument(imported, p, c);
            const double tilesError = blurredError(p, c, palette, source);
            const double bitmapError =
                blurredError(converted->screenPatterns, converted->screenColors, palette, source);
            QVERIFY2(tilesError <= 1.26 * bitmapError, qPrintable(QString::number(tilesError / bitmapError)));
            QCOMPARE(changedScreenPixels(converted->screenPatterns, converted->screenColors, imported),
                     tiles.changedPixels);
        }
    }

    void tilesetLayoutAndReading()
    {
        for (Edition edition : {Edition::ScreenMode2, Edition::ScreenMode1}) {
            const TileDocument doc = testdoc::ruleKeepingDocument(21, edition);
            const QImage sheet = tilesetPicture(doc);
            QCOMPARE(sheet.size(), QSize(128, 128));
            const tms::Palette palette = editionPalette(edition);
            for (int n : {0, 17, 255}) // character n at column n % 16, row n / 16
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x) {
                        const int colour = doc.charPatterns[n][y] & tms::bitMask[x]
                                               ? tms::foregroundOf(doc.rowColor(n, y))
                                               : tms::backgroundOf(doc.rowColor(n, y));
                        QCOMPARE(sheet.pixel(8 * (n % 16) + x, 8 * (n / 16) + y), tms::toQRgb(palette[colour]));
                    }
            // Read back into a reset document: the same sheet; the name table untouched.
            TileDocument readBack(edition);
            QCOMPARE(importTileset(sheet, readBack), QString());
            QCOMPARE(tilesetPicture(readBack), sheet);
            QVERIFY(readBack.nameTable == TileDocument(edition).nameTable && readBack.modified);

            // A smaller sheet fills the first characters only.
            TileDocument partly = testdoc::ruleKeepingDocument(22, edition);
            const TileDocument before = partly;
            QCOMPARE(importTileset(sheet.copy(0, 0, 64, 32), partly), QString()); // 8 x 4 cells
            // Character 9 is column 1, row 1 of the small sheet: character 17 of the big one.
            QCOMPARE(tilesetPicture(partly).copy(72, 0, 8, 8), sheet.copy(8, 8, 8, 8));
            QCOMPARE(partly.charPatterns[32], before.charPatterns[32]);
        }
        // Sizes that are not whole cells, or more than 256 cells, change nothing.
        TileDocument doc(Edition::ScreenMode2);
        for (QSize size : {QSize(100, 100), QSize(136, 136), QSize(0, 0)}) {
            QImage wrong(size, QImage::Format_RGB32);
            wrong.fill(Qt::white);
            QVERIFY(importTileset(wrong, doc).contains("128x128"));
            QVERIFY(doc.sameTablesAs(TileDocument(Edition::ScreenMode2)) && !doc.modified);
        }
    }

    void tilesetRowsFitTwoColours()
    {
        // A row of three colours becomes the pair that changes it least.
        QImage sheet(8, 8, QImage::Format_RGB32);
        const tms::Palette palette = tms::tileEditorPalette();
        sheet.fill(tms::toQRgb(palette[1]));
        sheet.setPixel(0, 0, tms::toQRgb(palette[15]));
        sheet.setPixel(1, 0, tms::toQRgb(palette[14]));
        sheet.setPixel(2, 0, qRgb(250, 250, 250)); // near white
        TileDocument doc(Edition::ScreenMode2);
        QCOMPARE(importTileset(sheet, doc), QString());
        QCOMPARE(doc.charColors[0][0], tms::colorByte(15, 1));
        QCOMPARE(doc.charPatterns[0][0], Byte(0xE0));
        // One colour: the row keeps its old colour byte when it holds the colour.
        QCOMPARE(doc.charColors[0][1], defaultRowColor);
        QCOMPARE(doc.charPatterns[0][1], Byte(0));
    }

    void spriteSheetLayoutAndReading()
    {
        TileDocument doc(Edition::ScreenMode2);
        QRandomGenerator random(31);
        for (int s = 0; s < spriteCount; ++s) {
            for (Byte& b : doc.spritePatterns[s])
                b = Byte(random.bounded(256));
            doc.spriteColors[s] = Byte(1 + random.bounded(15));
        }
        doc.spritePatterns[5].fill(0);
        doc.spriteColors[9] = 0; // invisible on the chip, grey on the sheet, and back to 0
        const QImage sheet = spriteSheetPicture(doc);
        QCOMPARE(sheet.size(), QSize(128, 128));
        // Sprite 9 sits at column 1, row 1; its clear pixels are transparent.
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 16; ++c) {
                const bool set = doc.spritePatterns[9][16 * (c / 8) + r] & tms::bitMask[c % 8];
                const QRgb pixel = sheet.pixel(16 + c, 16 + r);
                QCOMPARE(qAlpha(pixel) != 0, set);
                if (set)
                    QCOMPARE(pixel, tms::toQRgb(tms::tileEditorPalette()[doc.spriteColors[9]]));
            }
        TileDocument readBack(Edition::ScreenMode2);
        readBack.spriteColors[5] = 7;
        QCOMPARE(importSpriteSheet(sheet, readBack), QString());
        QCOMPARE(readBack.spritePatterns, doc.spritePatterns);
        for (int s = 0; s < spriteCount; ++s)
            QCOMPARE(readBack.spriteColors[s], s == 5 ? Byte(7) : doc.spriteColors[s]); // empty: keeps its colour

        // An opaque sheet: the ground is clear, the most common other colour is the
        // sprite's, and any other opaque colour is set too.
        QImage opaque(128, 128, QImage::Format_RGB32);
        opaque.fill(qRgb(0, 0, 0));
        for (int x = 0; x < 5; ++x)
            opaque.setPixel(16 + x, 0, qRgb(255, 0, 0));
        opaque.setPixel(16, 1, qRgb(255, 255, 255));
        TileDocument fromOpaque(Edition::ScreenMode2);
        QCOMPARE(importSpriteSheet(opaque, fromOpaque), QString());
        QVERIFY(fromOpaque.spritePatterns[1][0] == 0xF8 && fromOpaque.spritePatterns[1][1] == 0x80);
        QCOMPARE(fromOpaque.spriteColors[1], Byte(8)); // medium red, the nearest
        QCOMPARE(fromOpaque.spritePatterns[0], SpriteBytes{});

        // (Another size changes nothing: tried through the window, test_kardo_pictures.)
    }
};

QTEST_GUILESS_MAIN(TestPictureTiles)
#include "test_picture_tiles.moc"
