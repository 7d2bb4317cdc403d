// What the screen mode 1 edition does differently: one colour per group of eight
// characters, the whole-set pattern-table commands, and the tables written into a
// cartridge image. The file formats of both editions share their tests (edition rows).
#include "character_operations.h"
#include "group_colors.h"
#include "prototype_writer.h"
#include "random_document.h"
#include "table_rendering.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

class TestScreenMode1 : public QObject {
    Q_OBJECT
private slots:
    void groupColourColoursEightCharacters()
    {
        TileDocument doc(Edition::ScreenMode1);
        doc.currentChar = 9;
        QVERIFY(applyGroupColor(doc, ForegroundTarget, 6));
        QVERIFY(doc.modified);
        for (int c = 0; c < 16; ++c)
            for (int y = 0; y < 8; ++y)
                QCOMPARE(doc.lecolor(c, y), c >= 8 ? 0x61 : 0x41);
        QVERIFY(applyGroupColor(doc, BackgroundTarget, 0));
        QCOMPARE(int(doc.groupColors[1]), 0x60);

        // Every drawing takes the group's colours; colour 0 shows dark blue.
        const tms::Palette palette = editionPalette(Edition::ScreenMode1);
        QCOMPARE(palette[0], tms::rgbValue(0, 0, 64));
        QCOMPARE(editionPalette(Edition::ScreenMode2)[0], tms::rgbValue(64, 64, 64));
        doc.charPatterns[15][7] = 0x80;
        QImage patternView = blankViewImage(patternViewWidth, patternViewHeight);
        DrawPatternTable(patternView, doc, palette);
        // Character 15: column 1, row 7 -> cell at (16, 112); its row 7 at y = 126.
        QCOMPARE(patternView.pixel(16, 126) & 0xFFFFFF, tms::toQRgb(palette[6]) & 0xFFFFFF);
        QCOMPARE(patternView.pixel(18, 126) & 0xFFFFFF, 0x000040u);
        QCOMPARE(patternView.pixel(0, 0) & 0xFFFFFF, tms::toQRgb(palette[1]) & 0xFFFFFF); // character 0: 0x41
    }

    void sameColourAgainChangesNothing()
    {
        TileDocument doc(Edition::ScreenMode1);
        QVERIFY(!applyGroupColor(doc, ForegroundTarget, 4)); // 0x41 already
        QVERIFY(!applyGroupColor(doc, BackgroundTarget, 1));
        QVERIFY(!doc.modified);
        QCOMPARE(int(doc.groupColors[4]), 0x41);
    }

    void rowCommandsLeaveColoursWithTheGroup()
    {
        TileDocument doc = testdoc::randomDocument(3, false, Edition::ScreenMode1);
        doc.currentChar = 20;
        const auto groups = doc.groupColors;
        const CharRows rows = doc.charPatterns[20];
        flipCharacterY(doc);
        scrollCharacter(doc, Direction::Up);
        CopyBuffers copies;
        copyCharacter(doc, copies);
        doc.currentChar = 200;
        pasteCharacter(doc, copies);
        QCOMPARE(doc.charPatterns[200], (CharRows{rows[6], rows[5], rows[4], rows[3], rows[2], rows[1], rows[0], rows[7]}));
        QVERIFY(doc.groupColors == groups);
        for (int y = 0; y < 8; ++y)
            QCOMPARE(doc.lecolor(200, y), int(groups[25]));
    }

    void wholeSetCopyClearPaste()
    {
        const TileDocument source = testdoc::randomDocument(7, true, Edition::ScreenMode1);
        TileDocument doc = source;
        const CharacterSetCopy copy = copyCharacterSet(doc);
        QVERIFY(!doc.modified);
        clearCharacterSet(doc);
        QVERIFY(doc.modified);
        for (int c = 0; c < 256; ++c)
            QVERIFY(doc.charPatterns[c] == CharRows{});
        for (Byte g : doc.groupColors)
            QCOMPARE(int(g), 65);
        QVERIFY(doc.nameTable == source.nameTable && doc.spritePatterns == source.spritePatterns);
        pasteCharacterSet(doc, copy);
        QVERIFY(doc.sameTablesAs(source));
    }

    void prototypeImages_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("marker"); // first byte of the marker, counted from 1
        QTest::addColumn<QString>("refusal"); // empty: the tables are written
        QTest::newRow("8000, marker at 1001") << 8000 << 1001 << QString();
        QTest::newRow("marker at the start") << 8000 << 1 << QString();
        QTest::newRow("tables end the image") << 32767 << 32767 - 2857 << QString();
        QTest::newRow("one byte short") << 32767 << 32767 - 2856 << "do not fit";
        QTest::newRow("marker near the end") << 8000 << 7990 << "do not fit";
        QTest::newRow("no marker") << 9000 << 0 << "no \"PROTOTYPE\" marker";
        QTest::newRow("7999 bytes") << 7999 << 1 << "8000 to 32767";
        QTest::newRow("32768 bytes") << 32768 << 1 << "8000 to 32767";
    }

    void prototypeImages()
    {
        QFETCH(int, size);
        QFETCH(int, marker);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath("game.rom");
        QByteArray image(size, 0);
        for (int i = 0; i < size; ++i)
            image[i] = char(i * 7 + 3);
        if (marker > 0)
            image.replace(marker - 1, 9, "PROTOTYPE");
        writeFile(path, image);
        const TileDocument doc = testdoc::randomDocument(11, true, Edition::ScreenMode1);

        const tms::FileResult result = WritePrototype(path, doc);
        const QByteArray written = readFile(path);
        if (!refusal.isEmpty()) {
            QVERIFY(!result.ok);
            QVERIFY2(result.error.contains(refusal), qPrintable(result.error));
            QCOMPARE(written, image); // left byte for byte as it was
            return;
        }
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(written.size(), size);
        // Counted from 1: the marker, one byte kept, then the name table, the patterns and
        // the group colours (for the marker at 1001: 1011..1778, 1779..3826, 3827..3858).
        const int tables = marker + 10;
        QByteArray expected;
        for (const std::vector<int>& table : {testdoc::names(doc), testdoc::patterns(doc), testdoc::colors(doc)})
            for (int v : table)
                expected.append(char(v));
        QCOMPARE(expected.size(), 2848);
        QCOMPARE(written.mid(tables - 1, 2848), expected);
        QCOMPARE(written.left(tables - 1), image.left(tables - 1)); // marker and the byte after it included
        QCOMPARE(written.mid(tables - 1 + 2848), image.mid(tables - 1 + 2848));
    }

    void missingImageIsReported()
    {
        QTemporaryDir dir;
        const tms::FileResult result = WritePrototype(dir.filePath("none.rom"), TileDocument(Edition::ScreenMode1));
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains("none.rom"));
        QVERIFY(!QFile::exists(dir.filePath("none.rom")));
    }
};

QTEST_GUILESS_MAIN(TestScreenMode1)
#include "test_screen_mode1.moc"
