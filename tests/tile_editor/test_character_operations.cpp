// The whole-character commands and the block commands, checked against a plain 8x8
// pixel grid that is transformed the obvious way (transpose, reverse, shift).
#include "character_operations.h"

#include <QTest>

#include <array>
#include <random>

using namespace tile;

namespace {

using Grid = std::array<std::array<bool, 8>, 8>; // [row][column], column 0 leftmost

Grid gridOf(const CharRows& rows)
{
    Grid g{};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            g[r][c] = (rows[r] >> (7 - c)) & 1;
    return g;
}

CharRows rowsOf(const Grid& g)
{
    CharRows rows{};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if (g[r][c])
                rows[r] = Byte(rows[r] | (1 << (7 - c)));
    return rows;
}

// Clockwise: transpose, then read every row backwards.
Grid rotatedClockwise(const Grid& g)
{
    Grid t{}, out{};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            t[r][c] = g[c][r];
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            out[r][c] = t[r][7 - c];
    return out;
}

Grid mirroredLeftRight(const Grid& g)
{
    Grid out{};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            out[r][c] = g[r][7 - c];
    return out;
}

Grid shiftedColumns(const Grid& g, int by) // positive: content moves right
{
    Grid out{};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            out[r][(c + by + 8) % 8] = g[r][c];
    return out;
}

CharRows randomRows(std::mt19937& rng)
{
    CharRows rows{};
    for (Byte& b : rows)
        b = Byte(rng() & 0xFF);
    return rows;
}

// A document whose current character holds random rows and eight distinct colours.
TileDocument documentWithCharacter(std::mt19937& rng, int character = 65)
{
    TileDocument doc;
    doc.currentChar = character;
    doc.charPatterns[character] = randomRows(rng);
    doc.charColors[character] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF1};
    return doc;
}

CharRows blankColors()
{
    CharRows c;
    c.fill(0x41);
    return c;
}

} // namespace

class TestCharacterOperations : public QObject {
    Q_OBJECT
private slots:
    void rotateFourTimesGivesTheOriginal();
    void rotateMovesTopLeftToTopRight();
    void rotateMatchesATransposedGrid();
    void flipXMirrorsRowsAndKeepsColors();
    void flipXOfSymmetricCharacterLeavesDocumentClean();
    void flipYMovesColorsWithTheirRows();
    void invertAndClearKeepColors();
    void scrollLeftAndRightWrapTheEdgePixel();
    void horizontalScrollsMatchShiftedGrid();
    void verticalScrollsCarryRowColors();
    void copyAndPasteCharacter();
    void blockPasteIntoLongerBlockAddsBlankFillers();
    void blockPasteIntoShorterBlockTakesTheFirstCharacters();
    void clearBlockBlanksPatternsAndColors();
    void invalidBlockChangesNothing();
};

void TestCharacterOperations::rotateFourTimesGivesTheOriginal()
{
    std::mt19937 rng(7);
    for (int trial = 0; trial < 50; ++trial) {
        TileDocument doc = documentWithCharacter(rng);
        const TileDocument before = doc;
        for (int k = 0; k < 4; ++k)
            rotateCharacter(doc);
        QVERIFY(doc.sameTablesAs(before));
        QVERIFY(doc.modified);
    }
}

void TestCharacterOperations::rotateMovesTopLeftToTopRight()
{
    TileDocument doc;
    doc.currentChar = 0;
    doc.charPatterns[0] = {128, 0, 0, 0, 0, 0, 0, 0};
    rotateCharacter(doc);
    QCOMPARE(doc.charPatterns[0], (CharRows{1, 0, 0, 0, 0, 0, 0, 0}));
    rotateCharacter(doc); // top right goes on to the bottom right
    QCOMPARE(doc.charPatterns[0], (CharRows{0, 0, 0, 0, 0, 0, 0, 1}));
}

void TestCharacterOperations::rotateMatchesATransposedGrid()
{
    std::mt19937 rng(11);
    for (int trial = 0; trial < 100; ++trial) {
        TileDocument doc = documentWithCharacter(rng);
        const CharRows colors = doc.charColors[65];
        const Grid expected = rotatedClockwise(gridOf(doc.charPatterns[65]));
        rotateCharacter(doc);
        QCOMPARE(doc.charPatterns[65], rowsOf(expected));
        QCOMPARE(doc.charColors[65], colors);
    }
}

void TestCharacterOperations::flipXMirrorsRowsAndKeepsColors()
{
    std::mt19937 rng(3);
    TileDocument doc = documentWithCharacter(rng);
    doc.charPatterns[65][0] = 0x80; // certainly not symmetric
    const CharRows colors = doc.charColors[65];
    const Grid expected = mirroredLeftRight(gridOf(doc.charPatterns[65]));
    QVERIFY(flipCharacterX(doc));
    QVERIFY(doc.modified);
    QCOMPARE(doc.charPatterns[65], rowsOf(expected));
    QCOMPARE(doc.charColors[65], colors);
}

void TestCharacterOperations::flipXOfSymmetricCharacterLeavesDocumentClean()
{
    TileDocument doc;
    doc.currentChar = 1;
    doc.charPatterns[1] = {0x18, 0x3C, 0x66, 0xC3, 0xFF, 0x81, 0x00, 0x5A};
    const TileDocument before = doc;
    QVERIFY(!flipCharacterX(doc));
    QVERIFY(!doc.modified);
    QVERIFY(doc.sameTablesAs(before));
}

void TestCharacterOperations::flipYMovesColorsWithTheirRows()
{
    TileDocument doc;
    doc.currentChar = 200;
    doc.charPatterns[200] = {1, 2, 3, 4, 5, 6, 7, 8};
    doc.charColors[200] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80};
    flipCharacterY(doc);
    QCOMPARE(doc.charPatterns[200], (CharRows{8, 7, 6, 5, 4, 3, 2, 1}));
    QCOMPARE(doc.charColors[200], (CharRows{0x80, 0x70, 0x60, 0x50, 0x40, 0x30, 0x20, 0x10}));
    QVERIFY(doc.modified);
}

void TestCharacterOperations::invertAndClearKeepColors()
{
    std::mt19937 rng(5);
    TileDocument doc = documentWithCharacter(rng);
    const CharRows before = doc.charPatterns[65];
    const CharRows colors = doc.charColors[65];
    invertCharacter(doc);
    QVERIFY(doc.modified);
    for (int r = 0; r < 8; ++r)
        QCOMPARE(int(doc.charPatterns[65][r]), 255 - before[r]);
    QCOMPARE(doc.charColors[65], colors);

    doc.modified = false;
    clearCharacter(doc);
    QVERIFY(doc.modified);
    QCOMPARE(doc.charPatterns[65], CharRows{});
    QCOMPARE(doc.charColors[65], colors);
}

void TestCharacterOperations::scrollLeftAndRightWrapTheEdgePixel()
{
    TileDocument doc;
    doc.currentChar = 0;
    doc.charPatterns[0] = {128, 1, 0xC1, 0, 0, 0, 0, 0};
    scrollCharacter(doc, Direction::Left);
    QCOMPARE(doc.charPatterns[0], (CharRows{1, 2, 0x83, 0, 0, 0, 0, 0}));
    QVERIFY(doc.modified);

    doc.charPatterns[0] = {1, 128, 0x83, 0, 0, 0, 0, 0};
    scrollCharacter(doc, Direction::Right);
    QCOMPARE(doc.charPatterns[0], (CharRows{128, 64, 0xC1, 0, 0, 0, 0, 0}));
}

void TestCharacterOperations::horizontalScrollsMatchShiftedGrid()
{
    std::mt19937 rng(13);
    for (int trial = 0; trial < 50; ++trial) {
        TileDocument doc = documentWithCharacter(rng);
        const CharRows colors = doc.charColors[65];
        const Grid start = gridOf(doc.charPatterns[65]);
        scrollCharacter(doc, Direction::Left);
        QCOMPARE(doc.charPatterns[65], rowsOf(shiftedColumns(start, -1)));
        scrollCharacter(doc, Direction::Right);
        scrollCharacter(doc, Direction::Right);
        QCOMPARE(doc.charPatterns[65], rowsOf(shiftedColumns(start, 1)));
        QCOMPARE(doc.charColors[65], colors);
    }
}

void TestCharacterOperations::verticalScrollsCarryRowColors()
{
    TileDocument doc;
    doc.currentChar = 9;
    doc.charPatterns[9] = {10, 11, 12, 13, 14, 15, 16, 17};
    doc.charColors[9] = {0x1F, 0x2E, 0x3D, 0x4C, 0x5B, 0x6A, 0x79, 0x88};
    scrollCharacter(doc, Direction::Up);
    QCOMPARE(doc.charPatterns[9], (CharRows{11, 12, 13, 14, 15, 16, 17, 10}));
    QCOMPARE(doc.charColors[9], (CharRows{0x2E, 0x3D, 0x4C, 0x5B, 0x6A, 0x79, 0x88, 0x1F}));
    scrollCharacter(doc, Direction::Down);
    scrollCharacter(doc, Direction::Down);
    QCOMPARE(doc.charPatterns[9], (CharRows{17, 10, 11, 12, 13, 14, 15, 16}));
    QCOMPARE(doc.charColors[9], (CharRows{0x88, 0x1F, 0x2E, 0x3D, 0x4C, 0x5B, 0x6A, 0x79}));

    for (int k = 0; k < 7; ++k)
        scrollCharacter(doc, Direction::Down);
    QCOMPARE(doc.charPatterns[9], (CharRows{10, 11, 12, 13, 14, 15, 16, 17}));
}

void TestCharacterOperations::copyAndPasteCharacter()
{
    std::mt19937 rng(17);
    TileDocument doc = documentWithCharacter(rng, 65);
    copyCharacter(doc);
    QVERIFY(!doc.modified);
    QCOMPARE(doc.charCopyPattern, doc.charPatterns[65]);
    QCOMPARE(doc.charCopyColor, doc.charColors[65]);

    doc.currentChar = 66;
    pasteCharacter(doc);
    QVERIFY(doc.modified);
    QCOMPARE(doc.charPatterns[66], doc.charPatterns[65]);
    QCOMPARE(doc.charColors[66], doc.charColors[65]);
}

void TestCharacterOperations::blockPasteIntoLongerBlockAddsBlankFillers()
{
    TileDocument doc;
    for (int n = 0; n < charCount; ++n) {
        doc.charPatterns[n].fill(Byte(n));
        doc.charColors[n].fill(Byte(255 - n));
    }
    const TileDocument before = doc;
    doc.markedBlock = {10, 12};
    QVERIFY(copyBlock(doc));
    QVERIFY(!doc.modified);

    doc.markedBlock = {20, 25};
    QVERIFY(pasteBlock(doc));
    QVERIFY(doc.modified);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(doc.charPatterns[20 + k], before.charPatterns[10 + k]);
        QCOMPARE(doc.charColors[20 + k], before.charColors[10 + k]);
    }
    for (int n = 23; n <= 25; ++n) {
        QCOMPARE(doc.charPatterns[n], CharRows{});
        QCOMPARE(doc.charColors[n], blankColors());
    }
    // Nothing outside the target block moves.
    for (int n = 0; n < charCount; ++n)
        if (n < 20 || n > 25)
            QCOMPARE(doc.charPatterns[n], before.charPatterns[n]);
}

void TestCharacterOperations::blockPasteIntoShorterBlockTakesTheFirstCharacters()
{
    TileDocument doc;
    for (int n = 0; n < charCount; ++n)
        doc.charPatterns[n].fill(Byte(n));
    doc.markedBlock = {100, 109};
    copyBlock(doc);
    doc.markedBlock = {0, 1};
    pasteBlock(doc);
    QCOMPARE(int(doc.charPatterns[0][0]), 100);
    QCOMPARE(int(doc.charPatterns[1][0]), 101);
    QCOMPARE(int(doc.charPatterns[2][0]), 2);

    // The whole set copied and pasted elsewhere: the same again.
    doc.markedBlock = {0, 255};
    const TileDocument before = doc;
    copyBlock(doc);
    pasteBlock(doc);
    QVERIFY(doc.sameTablesAs(before));
}

void TestCharacterOperations::clearBlockBlanksPatternsAndColors()
{
    TileDocument doc;
    for (int n = 0; n < charCount; ++n) {
        doc.charPatterns[n].fill(0xAA);
        doc.charColors[n].fill(0x23);
    }
    doc.markedBlock = {5, 7};
    QVERIFY(clearBlock(doc));
    QVERIFY(doc.modified);
    for (int n = 0; n < 10; ++n) {
        const bool inside = n >= 5 && n <= 7;
        QCOMPARE(doc.charPatterns[n][3], Byte(inside ? 0 : 0xAA));
        QCOMPARE(doc.charColors[n][3], Byte(inside ? 0x41 : 0x23));
    }
}

void TestCharacterOperations::invalidBlockChangesNothing()
{
    std::mt19937 rng(23);
    TileDocument doc;
    for (int n = 0; n < charCount; ++n)
        doc.charPatterns[n] = randomRows(rng);
    doc.blockCopyPattern[0].fill(0x77);
    doc.markedBlock = {200, 100};
    const TileDocument before = doc;
    QVERIFY(!copyBlock(doc));
    QVERIFY(!pasteBlock(doc));
    QVERIFY(!clearBlock(doc));
    QVERIFY(!doc.modified);
    QVERIFY(doc.sameTablesAs(before));
    QCOMPARE(doc.blockCopyPattern, before.blockCopyPattern);
    QCOMPARE(doc.blockCopyColor, before.blockCopyColor);
}

QTEST_APPLESS_MAIN(TestCharacterOperations)
#include "test_character_operations.moc"
