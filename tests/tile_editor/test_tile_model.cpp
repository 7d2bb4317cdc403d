// The tile document model: reset values, palette and screen editing, the views'
// rendering, the prototype scan, and arguments outside the tables. (Pixel drawing, the
// hex box, the views' geometry and the block markers are driven through the window in
// test_tile_editor_window.)
#include "character_editing.h"
#include "prototype_scan.h"
#include "random_document.h"
#include "screen_editing.h"
#include "table_order.h"
#include "table_rendering.h"
#include "test_files.h"
#include "tile_document.h"
#include "view_geometry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace tile;

namespace {

QRgb pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

class TestTileModel : public QObject {
    Q_OBJECT
private slots:
    // The reset values themselves are in every golden export (tests/data), made from
    // documents left mostly as constructed.
    void resetKeepsTheEditingState()
    {
        TileDocument doc = testdoc::randomDocument(3);
        doc.currentChar = 99;
        doc.markedBlock = {4, 5};
        doc.modified = true;
        doc.resetTables();
        QVERIFY(doc.sameTablesAs(TileDocument()) && !doc.modified);
        QVERIFY(doc.currentChar == 99 && doc.markedBlock[0] == 4); // the editing state survives a reset
    }

    void screenEditing()
    {
        TileDocument doc;
        QVERIFY(!placeChar(doc, 0, 0) && !doc.modified); // holds 32 already
        doc.currentChar = 65;
        QVERIFY(placeChar(doc, 31, 23));
        QCOMPARE(doc.nameTable[31][23], Byte(65));
        for (int column = 0; column < 32; ++column)
            for (int row = 0; row < 24; ++row)
                doc.nameTable[column][row] = Byte(column * 7 + row * 3);
        // Each cell takes the one beside it in the direction of the scroll, round the edges.
        for (auto [direction, dx, dy] : {std::tuple{Direction::Up, 0, 1},
                                         {Direction::Down, 0, 23},
                                         {Direction::Left, 1, 0},
                                         {Direction::Right, 31, 0}}) {
            TileDocument scrolled = doc;
            scrollScreen(scrolled, direction);
            for (int column = 0; column < 32; ++column)
                for (int row = 0; row < 24; ++row)
                    QCOMPARE(scrolled.nameTable[column][row], doc.nameTable[(column + dx) % 32][(row + dy) % 24]);
        }
    }

    void renderingUsesPaletteAndGeometry()
    {
        TileDocument doc;
        const tms::Palette palette = tms::tileEditorPalette();
        doc.charPatterns[10][2] = 0x81; // leftmost and rightmost pixels
        doc.charColors[10][2] = 0xF0;   // white on transparent
        QImage patternView = blankViewImage(patternViewWidth, patternViewHeight);
        drawPatternTable(patternView, doc, palette);
        // Character 10: column 1, row 2 -> cell at (16, 32); its row 2 at y = 36..37.
        QCOMPARE(pixel(patternView, 17, 37), 0xFFFFFFu);
        QCOMPARE(pixel(patternView, 18, 36), 0x404040u); // colour 0 is dark grey, never black
        QCOMPARE(pixel(patternView, 30, 36), 0xFFFFFFu);
        QCOMPARE(pixel(patternView, 16, 34), 0x000000u); // row 1: background 1 is black
        doc.nameTable[31][23] = 10;
        QImage screen = blankViewImage(screenViewWidth, screenViewHeight);
        drawScreen(screen, doc, palette);
        QCOMPARE(pixel(screen, 248, 186), 0xFFFFFFu);
        QCOMPARE(pixel(screen, 249, 186), 0x404040u);
        doc.spritePatterns[0][31] = 1; // rightmost pixel of the bottom row
        doc.spriteColors[0] = 0x26;    // a byte from a file: drawn with its low nibble
        QImage sprite = blankViewImage(spriteViewSize, spriteViewSize);
        drawSprite(sprite, doc, palette);
        QCOMPARE(pixel(sprite, 127, 127), tms::toQRgb(palette[6]) & 0xFFFFFF);
        QCOMPARE(pixel(sprite, 119, 127), 0x404040u);
    }

    void prototypeScan()
    {
        QTemporaryDir dir;
        auto image = [&](const QString& name, qsizetype size, qsizetype markerAt) {
            QByteArray data(size, 'x');
            if (markerAt >= 0)
                data.replace(markerAt, 9, "PROTOTYPE");
            writeFile(dir.filePath(name), data);
            return dir.filePath(name);
        };
        // (Where the marker is found: the fuzz harness prototype_scan and prototypeImages.)
        QCOMPARE(scanPrototype(image("a.rom", 8000, 0)), std::optional<qint64>(11));
        QCOMPARE(scanPrototype(image("d.rom", 32768, 0)), std::optional<qint64>(11)); // a standard 32 KB image
        QCOMPARE(scanPrototype(image("g.rom", 9000, 9000 - 10)), std::optional<qint64>(9001));
        for (const QString& path : {image("c.rom", 7999, 0), image("d2.rom", 32769, 0),
                                    image("f.rom", 9000, 9000 - 9), // nothing after the marker
                                    dir.filePath("missing.rom"), dir.path(), QString()})
            QVERIFY2(!scanPrototype(path), qPrintable(path));

        writeFile(dir.filePath("prototype.txt"), "  " + dir.filePath("a.rom").toLocal8Bit() + "\r\nsecond line\n");
        QCOMPARE(readPrototypePath(dir.filePath("prototype.txt")), "  " + dir.filePath("a.rom"));
        QVERIFY(readPrototypePath(dir.filePath("none.txt")).isEmpty());
        writeFile(dir.filePath("garbage.txt"), QByteArray(100000, '\x01'));
        const QString garbage = readPrototypePath(dir.filePath("garbage.txt"));
        QVERIFY(garbage.size() <= 4096 && !scanPrototype(garbage));

        // Read at start-up: a named pipe would block for ever, a folder holds no line.
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.txt")).constData(), 0600) == 0);
        QVERIFY(readPrototypePath(dir.filePath("pipe.txt")).isEmpty() && readPrototypePath(dir.path()).isEmpty());
    }

    // Functions that index the tables from their arguments keep them whole whatever
    // the caller passes.
    void argumentsOutsideTheTablesChangeNothing()
    {
        TileDocument doc;
        const TileDocument before = doc;
        for (int bad : {-1, 8, 1000})
            QVERIFY(!drawCharPixel(doc, 1, bad, 0) && !drawCharPixel(doc, 1, 0, bad));
        for (int colour : {-1, 16, 255})
            QVERIFY(!applyPaletteColor(doc, 17, colour));
        QVERIFY(!placeChar(doc, 32, 0) && !placeChar(doc, 0, 24) && !placeChar(doc, -1, -1));
        QVERIFY(doc.sameTablesAs(before) && !doc.modified);
        QCOMPARE(nameTableBytes(doc, -5, 40).size(), size_t(768)); // rows outside the screen left out
        QCOMPARE(nameTableBytes(doc, 30, 40).size(), size_t(0));
        QCOMPARE(spritePatternBytes(doc, 100).size(), size_t(64 * 32));
    }
};

QTEST_GUILESS_MAIN(TestTileModel)
#include "test_tile_model.moc"
