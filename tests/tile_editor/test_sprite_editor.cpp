// The sprite commands on the document, checked against a plain 16x16 pixel grid built
// from the chip's byte order (left half in bytes 0..15, right half in 16..31).
#include "sprite_editing.h"

#include <QTest>

#include <array>
#include <random>

using namespace tile;

namespace {

using Grid = std::array<std::array<bool, 16>, 16>; // [row][column]

Grid gridOf(const SpriteBytes& bytes)
{
    Grid g{};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            g[r][c] = (bytes[c < 8 ? r : 16 + r] >> (7 - c % 8)) & 1;
    return g;
}

SpriteBytes bytesOf(const Grid& g)
{
    SpriteBytes bytes{};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            if (g[r][c])
                bytes[c < 8 ? r : 16 + r] |= Byte(1 << (7 - c % 8));
    return bytes;
}

Grid rotatedClockwise(const Grid& g)
{
    Grid t{}, out{};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            t[r][c] = g[c][r];
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            out[r][c] = t[r][15 - c];
    return out;
}

// Moves the content by (down, right) pixels with wrap-around.
Grid shifted(const Grid& g, int down, int right)
{
    Grid out{};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            out[(r + down + 16) % 16][(c + right + 16) % 16] = g[r][c];
    return out;
}

Grid mirrored(const Grid& g, bool leftRight)
{
    Grid out{};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            out[r][c] = leftRight ? g[r][15 - c] : g[15 - r][c];
    return out;
}

TileDocument documentWithRandomSprite(std::mt19937& rng, int sprite = 5)
{
    TileDocument doc;
    doc.currentSprite = sprite;
    for (Byte& b : doc.spritePatterns[sprite])
        b = Byte(rng() & 0xFF);
    doc.spriteColors[sprite] = 9;
    return doc;
}

} // namespace

class TestSpriteEditor : public QObject {
    Q_OBJECT
private slots:
    void leftPressAtBottomRightCornerSetsLastBit();
    void drawingSetsAndClearsOnePixel();
    void otherButtonsDrawNothing();
    void previousAndNextWrapWithoutModifying();
    void colorCycleSkipsTransparent();
    void rotateFourTimesGivesTheOriginal();
    void rotateMovesTopLeftToTopRight();
    void rotateMatchesATransposedGrid();
    void flipXMirrorsAcrossBothHalves();
    void flipXOfSymmetricSpriteLeavesDocumentClean();
    void flipYAlwaysModifies();
    void scrollLeftMovesColumnZeroToColumnFifteen();
    void scrollsMatchShiftedGrid();
    void pasteKeepsTheSpriteColor();
    void clearKeepsTheColor();
};

void TestSpriteEditor::leftPressAtBottomRightCornerSetsLastBit()
{
    TileDocument doc;
    QVERIFY(drawSpritePixel(doc, LeftButton, spritePixelAt(127, 127)));
    QCOMPARE(int(doc.spritePatterns[0][31]), 1);
    QVERIFY(doc.modified);
    SpriteBytes expected{};
    expected[31] = 1;
    QCOMPARE(doc.spritePatterns[0], expected);
}

void TestSpriteEditor::drawingSetsAndClearsOnePixel()
{
    TileDocument doc;
    doc.currentSprite = 3;
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            doc.spritePatterns[3] = {};
            doc.modified = false;
            QVERIFY(drawSpritePixel(doc, LeftButton, CellPos{c, r}));
            Grid expected{};
            expected[r][c] = true;
            QCOMPARE(gridOf(doc.spritePatterns[3]), expected);
            // Pressing again changes nothing and leaves the document as it is.
            doc.modified = false;
            QVERIFY(!drawSpritePixel(doc, LeftButton, CellPos{c, r}));
            QVERIFY(!doc.modified);
            QVERIFY(drawSpritePixel(doc, RightButton, CellPos{c, r}));
            QVERIFY(doc.modified);
            QCOMPARE(doc.spritePatterns[3], SpriteBytes{});
        }
    }
}

void TestSpriteEditor::otherButtonsDrawNothing()
{
    TileDocument doc;
    QVERIFY(!drawSpritePixel(doc, NoButton, CellPos{0, 0}));
    QVERIFY(!drawSpritePixel(doc, 3, CellPos{0, 0}));
    QCOMPARE(doc.spritePatterns[0], SpriteBytes{});
    QVERIFY(!doc.modified);
}

void TestSpriteEditor::previousAndNextWrapWithoutModifying()
{
    TileDocument doc;
    previousSprite(doc);
    QCOMPARE(doc.currentSprite, 63);
    nextSprite(doc);
    QCOMPARE(doc.currentSprite, 0);
    doc.currentSprite = 63;
    nextSprite(doc);
    QCOMPARE(doc.currentSprite, 0);
    QVERIFY(!doc.modified);
}

void TestSpriteEditor::colorCycleSkipsTransparent()
{
    TileDocument doc;
    QCOMPARE(int(doc.spriteColors[0]), 15);
    cycleSpriteColor(doc);
    QCOMPARE(int(doc.spriteColors[0]), 1);
    QVERIFY(doc.modified);
    for (int expected = 2; expected <= 15; ++expected) {
        cycleSpriteColor(doc);
        QCOMPARE(int(doc.spriteColors[0]), expected);
    }
    QCOMPARE(int(doc.spriteColors[1]), 15); // only the current sprite's colour moves
}

void TestSpriteEditor::rotateFourTimesGivesTheOriginal()
{
    std::mt19937 rng(29);
    for (int trial = 0; trial < 50; ++trial) {
        TileDocument doc = documentWithRandomSprite(rng);
        const SpriteBytes before = doc.spritePatterns[5];
        for (int k = 0; k < 4; ++k)
            rotateSprite(doc);
        QCOMPARE(doc.spritePatterns[5], before);
        QVERIFY(doc.modified);
    }
}

void TestSpriteEditor::rotateMovesTopLeftToTopRight()
{
    TileDocument doc;
    doc.spritePatterns[0][0] = 128;
    rotateSprite(doc);
    SpriteBytes expected{};
    expected[16] = 1;
    QCOMPARE(doc.spritePatterns[0], expected);
}

void TestSpriteEditor::rotateMatchesATransposedGrid()
{
    std::mt19937 rng(31);
    for (int trial = 0; trial < 100; ++trial) {
        TileDocument doc = documentWithRandomSprite(rng);
        const Grid expected = rotatedClockwise(gridOf(doc.spritePatterns[5]));
        rotateSprite(doc);
        QCOMPARE(doc.spritePatterns[5], bytesOf(expected));
        QCOMPARE(int(doc.spriteColors[5]), 9);
    }
}

void TestSpriteEditor::flipXMirrorsAcrossBothHalves()
{
    std::mt19937 rng(37);
    for (int trial = 0; trial < 50; ++trial) {
        TileDocument doc = documentWithRandomSprite(rng);
        doc.spritePatterns[5][0] = 0x80; // pixel (0, 0) alone on its row: not symmetric
        doc.spritePatterns[5][16] = 0;
        const Grid expected = mirrored(gridOf(doc.spritePatterns[5]), true);
        QVERIFY(flipSpriteX(doc));
        QVERIFY(doc.modified);
        QCOMPARE(doc.spritePatterns[5], bytesOf(expected));
    }
}

void TestSpriteEditor::flipXOfSymmetricSpriteLeavesDocumentClean()
{
    TileDocument doc;
    Grid g{};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c <= r % 8; ++c)
            g[r][c] = g[r][15 - c] = true;
    doc.spritePatterns[0] = bytesOf(g);
    const SpriteBytes before = doc.spritePatterns[0];
    QVERIFY(!flipSpriteX(doc));
    QVERIFY(!doc.modified);
    QCOMPARE(doc.spritePatterns[0], before);
}

void TestSpriteEditor::flipYAlwaysModifies()
{
    std::mt19937 rng(41);
    TileDocument doc = documentWithRandomSprite(rng);
    const Grid expected = mirrored(gridOf(doc.spritePatterns[5]), false);
    flipSpriteY(doc);
    QCOMPARE(doc.spritePatterns[5], bytesOf(expected));
    QVERIFY(doc.modified);

    TileDocument blank;
    flipSpriteY(blank);
    QCOMPARE(blank.spritePatterns[0], SpriteBytes{});
    QVERIFY(blank.modified);
}

void TestSpriteEditor::scrollLeftMovesColumnZeroToColumnFifteen()
{
    for (int r = 0; r < 16; ++r) {
        TileDocument doc;
        doc.spritePatterns[0][r] = 128;
        scrollSprite(doc, Direction::Left);
        SpriteBytes expected{};
        expected[16 + r] = 1;
        QCOMPARE(doc.spritePatterns[0], expected);
        QVERIFY(doc.modified);
        scrollSprite(doc, Direction::Right);
        expected = {};
        expected[r] = 128;
        QCOMPARE(doc.spritePatterns[0], expected);
    }
}

void TestSpriteEditor::scrollsMatchShiftedGrid()
{
    std::mt19937 rng(43);
    struct Case {
        Direction direction;
        int down, right;
    };
    const Case cases[] = {{Direction::Up, -1, 0}, {Direction::Down, 1, 0}, {Direction::Left, 0, -1},
                          {Direction::Right, 0, 1}};
    for (const Case& k : cases) {
        for (int trial = 0; trial < 30; ++trial) {
            TileDocument doc = documentWithRandomSprite(rng);
            const Grid start = gridOf(doc.spritePatterns[5]);
            scrollSprite(doc, k.direction);
            QCOMPARE(doc.spritePatterns[5], bytesOf(shifted(start, k.down, k.right)));
            for (int more = 1; more < 16; ++more)
                scrollSprite(doc, k.direction);
            QCOMPARE(doc.spritePatterns[5], bytesOf(start));
        }
    }
}

void TestSpriteEditor::pasteKeepsTheSpriteColor()
{
    std::mt19937 rng(47);
    TileDocument doc = documentWithRandomSprite(rng, 5);
    copySprite(doc);
    QVERIFY(!doc.modified);
    doc.currentSprite = 6;
    doc.spriteColors[6] = 3;
    pasteSprite(doc);
    QVERIFY(doc.modified);
    QCOMPARE(doc.spritePatterns[6], doc.spritePatterns[5]);
    QCOMPARE(int(doc.spriteColors[6]), 3);
}

void TestSpriteEditor::clearKeepsTheColor()
{
    std::mt19937 rng(53);
    TileDocument doc = documentWithRandomSprite(rng, 5);
    clearSprite(doc);
    QVERIFY(doc.modified);
    QCOMPARE(doc.spritePatterns[5], SpriteBytes{});
    QCOMPARE(int(doc.spriteColors[5]), 9);
}

QTEST_APPLESS_MAIN(TestSpriteEditor)
#include "test_sprite_editor.moc"
