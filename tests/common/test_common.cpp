#include "atomic_file.h"
#include "hex.h"
#include "palette.h"
#include "powerpaint.h"
#include "text_writer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

using namespace tms;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void palettesDifferOnlyInTransparent()
    {
        const Palette tile = tileEditorPalette();
        const Palette standard = standardPalette();
        QCOMPARE(tile[0], rgbValue(64, 64, 64));
        QCOMPARE(standard[0], ColorValue(0x400000)); // (0, 0, 64): red in the low byte
        for (int i = 1; i < 16; ++i)
            QCOMPARE(tile[i], standard[i]);
        QCOMPARE(toQRgb(tile[2]), 0xFF21C842u);
        QCOMPARE(redOf(tile[6]), 212);
        QCOMPARE(blueOf(tile[6]), 77);
        QCOMPARE(tile[6], rgbValue(212, 82, 77));
        QCOMPARE(int(bitMask[0]), 128); // the leftmost pixel is the high bit
        QCOMPARE(int(bitMask[7]), 1);
    }

    void hexAndText()
    {
        QCOMPARE(Hex2(10), QStringLiteral("0A"));
        QCOMPARE(Hex2(255), QStringLiteral("FF"));
        QCOMPARE(decimalHexLabel(32), QStringLiteral("32 (0x20)"));
        QCOMPARE(HexValue(u"ff"), 255);
        QCOMPARE(HexValue(u"G1"), 1); // lenient: a non-digit counts 0
        QCOMPARE(HexValue(u",0"), 0);
        QCOMPARE(HexValue(u""), 0);
        CrLfText t;
        t.add("A").line("B").line();
        QCOMPARE(t.bytes(), QByteArray("AB\r\n\r\n"));
    }

    void wholeFileWriteAndBoundedRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("f.bin");
        QVERIFY(writeWholeFile(path, QByteArray(100, 'x')));
        QVERIFY(writeWholeFile(path, QByteArray(10, 'y'))); // shorter content replaces the whole file
        QCOMPARE(QFileInfo(path).size(), 10);
        QString error;
        QVERIFY(!readWholeFile(path, 9, &error));
        QVERIFY(error.contains("too large"));
        QCOMPARE(readWholeFile(path, 10).value(), QByteArray(10, 'y'));
        QVERIFY(!readWholeFile(dir.filePath("missing"), 10, &error));
        QVERIFY(!readWholeFile(dir.path(), 10, &error));
    }

    void failedWriteKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("keep.bin");
        QVERIFY(writeWholeFile(path, "old"));
        QVERIFY(!writeWholeFile(dir.filePath("no/such/folder/x.bin"), "new").error.isEmpty());
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        const FileResult readOnly = writeWholeFile(path, "new");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!readOnly) // root may write anyway
            QCOMPARE(readWholeFile(path, 100).value(), QByteArray("old"));
    }

    // The one test of the PowerPaint layout: 5120-byte blocks of twenty 256-byte rows,
    // 16 unused bytes then 8 bytes per column of the block's screen area. 10K: patterns
    // then colours of columns 0..29, rows 0..19. 40K: four quadrants, colours first.
    void powerPaintLayouts_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("10K") << false;
        QTest::newRow("40K") << true;
    }

    void powerPaintLayouts()
    {
        QFETCH(bool, full);
        std::mt19937 random(full ? 3 : 4);
        BitmapTable patterns{}, colors{};
        for (int i = 0; i < 6144; ++i)
            std::tie(patterns[i], colors[i]) = std::pair(std::uint8_t(random()), std::uint8_t(random()));
        struct Area { int row, rows, column, columns; };
        const Area quadrants[] = {{0, 20, 0, 30}, {0, 20, 30, 2}, {20, 4, 0, 30}, {20, 4, 30, 2}};
        QByteArray expected, noisy; // noisy: 0x5A in every byte the layout leaves unused
        BitmapTable loadedPatterns, loadedColors; // what a decode over 0xAA and 0x55 must give
        loadedPatterns.fill(0xAA);
        loadedColors.fill(0x55);
        for (int q = 0; q < (full ? 4 : 1); ++q)
            for (bool colourBlock : {full, !full}) {
                const Area& a = quadrants[q];
                QByteArray block(5120, '\0'), noisyBlock(5120, '\x5A');
                for (int r = 0; r < a.rows; ++r)
                    for (int c = 0; c < a.columns; ++c)
                        for (int line = 0; line < 8; ++line) {
                            const int index = (a.row + r) * 256 + (a.column + c) * 8 + line;
                            const BitmapTable& source = colourBlock ? colors : patterns;
                            block[r * 256 + 16 + c * 8 + line] = noisyBlock[r * 256 + 16 + c * 8 + line] = char(source[index]);
                            (colourBlock ? loadedColors : loadedPatterns)[index] = source[index];
                        }
                expected += block;
                noisy += noisyBlock;
            }
        QCOMPARE(powerpaint::encode(patterns, colors, full), expected);

        // Decoding ignores the unused bytes and keeps what a 10K file does not hold.
        BitmapTable p2, c2;
        p2.fill(0xAA);
        c2.fill(0x55);
        bool fullScreen = !full;
        QVERIFY(powerpaint::decode(noisy, p2, c2, &fullScreen));
        QCOMPARE(fullScreen, full);
        QVERIFY(p2 == loadedPatterns);
        QVERIFY(c2 == loadedColors);
        if (full)
            QVERIFY(p2 == patterns && c2 == colors);

        for (qsizetype size : {0, 10239, 10241, 20480, 40959, 40961}) {
            QVERIFY(!powerpaint::decode(QByteArray(size, '\x11'), p2, c2));
            QVERIFY(p2 == loadedPatterns && c2 == loadedColors);
        }
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "test_common.moc"
