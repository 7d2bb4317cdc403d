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
        // Any length is defined: only the last seven digits count, never negative.
        QCOMPARE(HexValue(u"123456789"), 0x3456789);
        QCOMPARE(HexValue(QString(1000, u'F')), 0xFFFFFFF);
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

    void powerPaintTenKLayout()
    {
        BitmapTable patterns{}, colors{};
        for (int i = 0; i < 6144; ++i) {
            patterns[i] = std::uint8_t(i * 7);
            colors[i] = std::uint8_t(i * 13 + 1);
        }
        const QByteArray file = powerpaint::encode(patterns, colors, false);
        QCOMPARE(file.size(), 10240);
        for (int r = 0; r < 20; ++r) {
            for (int k = 0; k < 16; ++k) {
                QCOMPARE(file[r * 256 + k], '\0');
                QCOMPARE(file[5120 + r * 256 + k], '\0');
            }
            for (int k = 0; k < 240; ++k) {
                QCOMPARE(std::uint8_t(file[r * 256 + 16 + k]), patterns[r * 256 + k]);
                QCOMPARE(std::uint8_t(file[5120 + r * 256 + 16 + k]), colors[r * 256 + k]);
            }
        }
    }

    void powerPaintFullLayout()
    {
        BitmapTable patterns{}, colors{};
        std::mt19937 random(3);
        for (int i = 0; i < 6144; ++i) {
            patterns[i] = std::uint8_t(random());
            colors[i] = std::uint8_t(random());
        }
        const QByteArray file = powerpaint::encode(patterns, colors, true);
        QCOMPARE(file.size(), 40960);
        // Quadrant 0: colours first.
        QCOMPARE(std::uint8_t(file[16]), colors[0]);
        QCOMPARE(std::uint8_t(file[5120 + 16]), patterns[0]);
        // Quadrant 1, block row 3: 16 zeros, columns 30 and 31 of row 3, 224 zeros.
        const int row = 10240 + 3 * 256;
        for (int k = 0; k < 16; ++k)
            QCOMPARE(std::uint8_t(file[row + 16 + k]), colors[bitmapIndex(3, 30, 0) + k]);
        for (int k = 32; k < 256; ++k)
            QCOMPARE(file[row + k], '\0');
        // Quadrant 3 patterns: row 23, column 31, line 7; block rows 4..19 unused.
        QCOMPARE(std::uint8_t(file[35840 + 3 * 256 + 16 + 8 + 7]), patterns[bitmapIndex(23, 31, 7)]);
        for (int k = 35840 + 4 * 256; k < 40960; ++k)
            QCOMPARE(file[k], '\0');

        BitmapTable p2{}, c2{};
        bool full = false;
        QVERIFY(powerpaint::decode(file, p2, c2, &full));
        QVERIFY(full);
        QVERIFY(p2 == patterns);
        QVERIFY(c2 == colors);
    }

    void tenKLoadKeepsUnstoredAreaAndOtherSizesAreRefused()
    {
        BitmapTable patterns, colors;
        patterns.fill(0xAA);
        colors.fill(0x55);
        BitmapTable zero{};
        bool full = true;
        QVERIFY(powerpaint::decode(powerpaint::encode(zero, zero, false), patterns, colors, &full));
        QVERIFY(!full);
        QCOMPARE(patterns[bitmapIndex(19, 29, 7)], std::uint8_t(0));
        QCOMPARE(patterns[bitmapIndex(20, 0, 0)], std::uint8_t(0xAA));
        QCOMPARE(colors[bitmapIndex(0, 30, 0)], std::uint8_t(0x55));
        for (qsizetype size : {0, 10239, 10241, 20480, 40959, 40961}) {
            QVERIFY(!powerpaint::decode(QByteArray(size, '\x11'), patterns, colors));
            QCOMPARE(patterns[bitmapIndex(20, 0, 0)], std::uint8_t(0xAA));
        }
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "test_common.moc"
