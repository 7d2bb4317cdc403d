// The exports read back: the RLE tables are parsed from the text, decompressed with
// RleDecode and compared with the document. The exact layout of the lines is held by
// the golden files in tests/data, checked by eye against the format.
#include "asm_export.h"
#include "c_export.h"
#include "kardo_run.h"
#include "random_document.h"
#include "rle.h"
#include "test_files.h"

#include <QtTest>
#include <map>

using namespace tile;
using Tables = std::map<QString, std::vector<int>>;

namespace {

// "byte NAME[] = {" opens a table; data lines add their values, "0xhh" in hexadecimal,
// others in decimal.
Tables readTables(const QByteArray& text)
{
    Tables tables;
    QString current;
    for (QString line : QString::fromLatin1(text).split("\r\n")) {
        if (line.startsWith("byte "))
            current = line.section('[', 0, 0).remove("byte ");
        else if (line.startsWith("  "))
            for (const QString& v : line.remove("};").split(',', Qt::SkipEmptyParts))
                tables[current].push_back(v.trimmed().toInt(nullptr, 0));
    }
    return tables;
}

std::vector<int> decoded(const std::vector<int>& stream)
{
    const auto values = tms::RleDecode(std::vector<std::uint8_t>(stream.begin(), stream.end()));
    return values ? std::vector<int>(values->begin(), values->end()) : std::vector<int>{-1};
}

int lastDrawnSprite(const TileDocument& d)
{
    for (int s = 63; s >= 0; --s)
        if (d.spritePatterns[s] != SpriteBytes{})
            return s;
    return -1;
}

// Y, X, pattern number and colour of sprites 0..count-1.
std::vector<int> attributes(const TileDocument& d, int count, int y, int x)
{
    std::vector<int> v;
    for (int s = 0; s < count; ++s)
        v.insert(v.end(), {y, x, 4 * s, d.spriteColors[s]});
    return v;
}

std::vector<TileDocument> documents(Edition edition)
{
    const TileDocument blank{edition};
    std::vector<TileDocument> docs{blank, testdoc::randomDocument(8, true, edition)};
    docs.emplace_back(blank).spritePatterns[3][0] = 0x80;   // only sprite 3 drawn
    docs.emplace_back(blank).spritePatterns[63][31] = 0x01; // only the last pixel of the last sprite
    return docs;
}

// The document of the golden files: a letter, its colours, a few cells and sprite 3.
TileDocument goldenDocument(Edition edition = Edition::ScreenMode2)
{
    TileDocument doc{edition};
    doc.charPatterns[65] = {0x18, 0x24, 0x42, 0x7E, 0x42, 0x42, 0x42, 0x00};
    doc.charColors[65] = {0xF1, 0xF1, 0xE1, 0xE1, 0x71, 0x71, 0x51, 0x41};
    doc.groupColors[8] = 0xF1; // characters 64..71 in screen mode 1
    for (int column = 4; column < 12; ++column)
        doc.nameTable[column][5] = doc.nameTable[column][16] = 65;
    doc.spritePatterns[3] = {0x80, 0x40, 0x20, 0x10};
    doc.spritePatterns[3][31] = 0xFF;
    doc.spriteColors[3] = 0xF3; // a byte from a file: written as kept
    return doc;
}

QByteArray golden(const char* name)
{
    return readFile(QStringLiteral(TESTS_DATA_DIR "/") + name);
}

} // namespace

class TestExports : public QObject {
    Q_OBJECT
private slots:
    // The plain tables of random documents are held by the toolchain round trips (the
    // same table order, written as binary files and stdint C); here the RLE streams with
    // the rows asked for, a range out of order or outside the screen being corrected.
    void rleTablesReadBack_data() { editionRows(); }
    void rleTablesReadBack()
    {
        QFETCH(int, edition);
        const bool modeOne = edition == int(Edition::ScreenMode1); // 32 group colours, never compressed
        const std::array<int, 4> rows[] = {{0, 23, 0, 23}, {5, 5, 5, 5},    {3, 17, 3, 17}, {23, 23, 23, 23},
                                           {10, 4, 0, 23}, {-1, 30, 0, 23}, {24, 5, 0, 5},  {7, 99, 7, 23}};
        for (const TileDocument& d : documents(Edition(edition))) {
            const int last = lastDrawnSprite(d);
            for (auto [first, end, firstWritten, endWritten] : rows) {
                const QByteArray text = exportC(d, {true, first, end});
                const Tables rle = readTables(text);
                QCOMPARE(rle.size(), last < 0 ? 3u : 5u);
                QCOMPARE(decoded(rle.at("NAMERLE")), testdoc::names(d, firstWritten, endWritten));
                QCOMPARE(decoded(rle.at("PATTERNRLE")), testdoc::patterns(d));
                QCOMPARE(modeOne ? rle.at("COLOR") : decoded(rle.at("COLORRLE")), testdoc::colors(d));
                if (last >= 0) {
                    QCOMPARE(decoded(rle.at("SPATTERNRLE")), testdoc::sprites(d, last + 1));
                    QCOMPARE(rle.at("SPRITESINIT"), attributes(d, last + 1, 204, 0));
                    QVERIFY(text.contains(QString("\r\nint SPRITESINITSIZE = %1;\r\n").arg(4 * (last + 1)).toLatin1()));
                }
            }
        }
    }

    void goldenFiles()
    {
        const TileDocument doc = goldenDocument();
        QCOMPARE(exportAsm(doc), golden("tile_export.asm"));
        QCOMPARE(exportC(doc, {}), golden("tile_export.c"));
        QCOMPARE(exportC(doc, {true, 3, 17}), golden("tile_export_rle.c"));
        QCOMPARE(exportC(goldenDocument(Edition::ScreenMode1), {true, 3, 17}), golden("tile_export_mode1_rle.c"));
        QVERIFY(exportAsm(TileDocument(Edition::ScreenMode1))
                    .startsWith("; ********************************************\r\n; *                                 "
                                "         *\r\n"
                                "; *      GRAPHICS TABLES  GENERATED BY       *\r\n; *                                 "
                                "         *\r\n\r\n"));
        // A stream of exactly 15 values: one line, and nothing more.
        QVERIFY(exportC(TileDocument(), {true, 0, 23})
                    .contains("byte NAMERLE[] = {\r\n  0xFE, 0x20, 0xFE, 0x20, 0xFE, 0x20, 0xFE, 0x20, 0xFE, 0x20, "
                              "0xFE, 0x20, 0x85, 0x20, 0xFF};\r\n\r\nbyte PATTERNRLE[] = {\r\n"));
        QVERIFY(exportC(TileDocument(), {}).endsWith(", 0x41};\r\n")); // no sprite drawn: no sprite tables
        QVERIFY(exportAsm(TileDocument()).endsWith("$41\r\n\r\n\t.end\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestExports)
#include "test_exports.moc"
