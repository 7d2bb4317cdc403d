// The character and sprite commands on the document, checked against plain pixel
// grids transformed the obvious way (transpose, reverse, shift); the commands that move
// a character's rows move their colours with them. A character is 8x8,
// one byte a row; a sprite is 16x16 in the chip's byte order (left half in bytes
// 0..15, right half in 16..31).
#include "character_operations.h"
#include "sprite_editing.h"

#include <QTest>

#include <array>
#include <functional>
#include <random>

using namespace tile;

namespace {

template <int N>
using Grid = std::array<std::array<bool, N>, N>; // [row][column], column 0 leftmost

constexpr int byteOf(int r, int c)
{
    return c < 8 ? r : 16 + r;
}

template <int N, typename Bytes>
Grid<N> gridOf(const Bytes& bytes)
{
    Grid<N> g{};
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            g[r][c] = (bytes[byteOf(r, c)] >> (7 - c % 8)) & 1;
    return g;
}

template <int N, typename Bytes>
Bytes bytesOf(const Grid<N>& g)
{
    Bytes bytes{};
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            if (g[r][c])
                bytes[byteOf(r, c)] = Byte(bytes[byteOf(r, c)] | (1 << (7 - c % 8)));
    return bytes;
}

using At = std::function<bool(int, int)>; // a pixel of the grid before the command

// A command and the pixel (r, c) it must leave in an n x n grid.
struct PixelCommand {
    const char* name;
    bool sprite;
    std::function<void(TileDocument&)> run;
    std::function<bool(const At&, int, int, int)> pixel;
    bool movesRows = false; // a character's rows, with their colours
};

const auto rotate = [](const At& at, int n, int r, int c) { return at(n - 1 - c, r); };
const auto mirrorX = [](const At& at, int n, int r, int c) { return at(r, n - 1 - c); };
const auto left = [](const At& at, int n, int r, int c) { return at(r, (c + 1) % n); };
const auto right = [](const At& at, int n, int r, int c) { return at(r, (c + n - 1) % n); };
const auto blank = [](const At&, int, int, int) { return false; };
template <auto scroll>
auto scrolled(Direction d)
{
    return [d](TileDocument& doc) { scroll(doc, d); };
}
constexpr auto charScroll = scrolled<scrollCharacter>;
constexpr auto spriteScroll = scrolled<scrollSprite>;

const PixelCommand commands[] = {
    {"char rotate", false, rotateCharacter, rotate},
    {"char flipX", false, [](TileDocument& d) { flipCharacterX(d); }, mirrorX},
    {"char invert", false, invertCharacter, [](const At& at, int, int r, int c) { return !at(r, c); }},
    {"char clear", false, clearCharacter, blank},
    {"char scrollLeft", false, charScroll(Direction::Left), left},
    {"char scrollRight", false, charScroll(Direction::Right), right},
    {"char flipY", false, flipCharacterY, [](const At& at, int n, int r, int c) { return at(n - 1 - r, c); }, true},
    {"char scrollUp", false, charScroll(Direction::Up),
     [](const At& at, int n, int r, int c) { return at((r + 1) % n, c); }, true},
    {"char scrollDown", false, charScroll(Direction::Down),
     [](const At& at, int n, int r, int c) { return at((r + n - 1) % n, c); }, true},
    {"sprite rotate", true, rotateSprite, rotate},
    {"sprite flipX", true, [](TileDocument& d) { flipSpriteX(d); }, mirrorX},
    {"sprite flipY", true, flipSpriteY, [](const At& at, int n, int r, int c) { return at(n - 1 - r, c); }},
    {"sprite clear", true, clearSprite, blank},
    {"sprite scrollUp", true, spriteScroll(Direction::Up),
     [](const At& at, int n, int r, int c) { return at((r + 1) % n, c); }},
    {"sprite scrollDown", true, spriteScroll(Direction::Down),
     [](const At& at, int n, int r, int c) { return at((r + n - 1) % n, c); }},
    {"sprite scrollLeft", true, spriteScroll(Direction::Left), left},
    {"sprite scrollRight", true, spriteScroll(Direction::Right), right},
};

template <int N, typename Bytes>
Bytes expectedAfter(const PixelCommand& command, const Bytes& before)
{
    const Grid<N> start = gridOf<N>(before);
    const At at = [&](int r, int c) { return start[r][c]; };
    Grid<N> out{};
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            out[r][c] = command.pixel(at, N, r, c);
    return bytesOf<N, Bytes>(out);
}

// The row a command that moves rows brings to row r of a character.
int sourceRow(const PixelCommand& command, int r)
{
    int from = 0;
    while (!command.pixel([from](int row, int) { return row == from; }, 8, r, 0))
        ++from;
    return from;
}

// Character 65 and sprite 5 current and random, neither of them symmetric; every
// row of the character in its own colours.
TileDocument randomDocument(std::mt19937& rng)
{
    TileDocument doc;
    doc.currentChar = 65;
    doc.currentSprite = 5;
    for (Byte& b : doc.charPatterns[65])
        b = Byte(rng() & 0xFF);
    for (Byte& b : doc.spritePatterns[5])
        b = Byte(rng() & 0xFF);
    doc.charPatterns[65][0] = Byte((doc.charPatterns[65][0] | 0x80) & 0xFE);
    doc.spritePatterns[5][0] = 0x80; // pixel (0, 0) alone on its row
    doc.spritePatterns[5][16] = 0;
    doc.charColors[65] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF1};
    doc.spriteColors[5] = 9;
    return doc;
}

TileDocument numberedCharacters()
{
    TileDocument doc;
    for (int n = 0; n < charCount; ++n) {
        doc.charPatterns[n].fill(Byte(n));
        doc.charColors[n].fill(Byte(255 - n));
    }
    return doc;
}

} // namespace

class TestPixelCommands : public QObject {
    Q_OBJECT
private slots:
    void commandsMatchTheGridAndKeepColors_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(commands)); ++i)
            QTest::newRow(commands[i].name) << i;
    }

    void commandsMatchTheGridAndKeepColors()
    {
        QFETCH(int, index);
        const PixelCommand& command = commands[index];
        std::mt19937 rng(7 + index);
        for (int trial = 0; trial < 50; ++trial) {
            const TileDocument before = randomDocument(rng);
            TileDocument doc = before;
            command.run(doc);
            QVERIFY(doc.modified);
            if (command.sprite) {
                QCOMPARE(doc.spritePatterns[5], expectedAfter<16>(command, before.spritePatterns[5]));
                doc.spritePatterns[5] = before.spritePatterns[5];
            } else { // a row keeps its colours wherever it goes
                QCOMPARE(doc.charPatterns[65], expectedAfter<8>(command, before.charPatterns[65]));
                for (int r = 0; r < 8; ++r)
                    QCOMPARE(doc.charColors[65][r],
                             before.charColors[65][command.movesRows ? sourceRow(command, r) : r]);
                doc.charPatterns[65] = before.charPatterns[65];
                doc.charColors[65] = before.charColors[65];
            }
            QVERIFY(doc.sameTablesAs(before)); // colours and all else as they were
        }
    }

    void symmetricFlipsLeaveDocumentClean()
    {
        TileDocument doc;
        doc.charPatterns[32] = {0x18, 0x3C, 0x66, 0xC3, 0xFF, 0x81, 0x00, 0x5A};
        Grid<16> g{};
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c <= r % 8; ++c)
                g[r][c] = g[r][15 - c] = true;
        doc.spritePatterns[0] = bytesOf<16, SpriteBytes>(g);
        const TileDocument before = doc;
        QVERIFY(!flipCharacterX(doc) && !flipSpriteX(doc));
        QVERIFY(!doc.modified && doc.sameTablesAs(before));
        TileDocument blank;
        flipSpriteY(blank); // flip Y always counts as a change
        QVERIFY(blank.modified);
    }

    void spriteDrawing()
    {
        TileDocument doc; // a left press at (127, 127) sets bit 0 of byte 31
        QVERIFY(drawSpritePixel(doc, LeftButton, spritePixelAt(127, 127)));
        QCOMPARE(int(doc.spritePatterns[0][31]), 1);
        doc.modified = false;
        QVERIFY(!drawSpritePixel(doc, NoButton, CellPos{0, 0}) && !drawSpritePixel(doc, 3, CellPos{0, 0}));
        QVERIFY(!drawSpritePixel(doc, LeftButton, CellPos{15, 15})); // already set
        QVERIFY(!doc.modified);
        doc.currentSprite = 3;
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 16; ++c) {
                QVERIFY(drawSpritePixel(doc, LeftButton, CellPos{c, r}));
                Grid<16> one{};
                one[r][c] = true;
                QCOMPARE(doc.spritePatterns[3], (bytesOf<16, SpriteBytes>(one)));
                QVERIFY(drawSpritePixel(doc, RightButton, CellPos{c, r}));
                QCOMPARE(doc.spritePatterns[3], SpriteBytes{});
            }
    }

    void choosingSpriteAndColor()
    {
        TileDocument doc;
        previousSprite(doc);
        QCOMPARE(doc.currentSprite, 63);
        nextSprite(doc);
        QCOMPARE(doc.currentSprite, 0);
        QVERIFY(!doc.modified);
        for (int expected = 1; expected <= 15; ++expected) { // 15 -> 1: transparent is skipped
            cycleSpriteColor(doc);
            QCOMPARE(int(doc.spriteColors[0]), expected);
        }
        QVERIFY(doc.modified);
        QCOMPARE(int(doc.spriteColors[1]), 15); // only the current sprite's colour moves
    }

    // Character n holds rows of n and colours of 255 - n. A paste fills a longer block
    // with blank characters (colours 0x41), as Clear does, and stops at a shorter one.
    void blockCopyPasteAndClear()
    {
        struct Case {
            std::array<int, 2> copied, target;
        };
        const TileDocument numbered = numberedCharacters();
        for (const Case& c : {Case{{10, 12}, {20, 25}}, Case{{100, 109}, {0, 1}}, Case{{0, 255}, {0, 255}},
                              Case{{-1, -1}, {5, 7}}}) { // no copy: Clear
            TileDocument doc = numbered;
            CopyBuffers copies;
            const bool clear = c.copied[0] < 0;
            if (!clear) {
                doc.markedBlock = c.copied;
                QVERIFY(copyBlock(doc, copies) && !doc.modified);
            }
            doc.markedBlock = c.target;
            QVERIFY((clear ? clearBlock(doc) : pasteBlock(doc, copies)) && doc.modified);
            for (int n = 0; n < charCount; ++n) {
                const int offset = n - c.target[0];
                const bool inside = n <= c.target[1] && offset >= 0;
                const int from = !inside ? n : clear || offset > c.copied[1] - c.copied[0] ? -1 : c.copied[0] + offset;
                QCOMPARE(doc.charPatterns[n], from < 0 ? CharRows{} : numbered.charPatterns[from]);
                QCOMPARE(doc.charColors[n][5], Byte(from < 0 ? 0x41 : 255 - from));
            }
        }
    }

    void invalidBlockChangesNothing()
    {
        TileDocument doc = numberedCharacters();
        CopyBuffers copies;
        copies.blockCopyPattern[0].fill(0x77);
        doc.markedBlock = {200, 100};
        const TileDocument before = doc;
        QVERIFY(!copyBlock(doc, copies) && !pasteBlock(doc, copies) && !clearBlock(doc));
        QVERIFY(!doc.modified && doc.sameTablesAs(before));
        QVERIFY(copies.blockCopyPattern[0][0] == 0x77 && copies.blockCopyColor[0][0] == 0); // the copy kept
    }
};

QTEST_APPLESS_MAIN(TestPixelCommands)
#include "test_pixel_commands.moc"
