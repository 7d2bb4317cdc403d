// The picture without a window: the painting rule, scrolling, the block copy and
// rendering on the bare tables; Spectrum and MSX files in, GRP and C / assembler
// sources out, and the normalisation of the colour table.
#include "block_copy.h"
#include "grp_file.h"
#include "pack_colors.h"
#include "paint_test_support.h"
#include "painting_rule.h"
#include "picture.h"
#include "picture_render.h"
#include "scrolling.h"
#include "source_export.h"
#include "spectrum_file.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace paint;
using namespace paint_test;

namespace {

const tms::Palette palette = tms::standardPalette();

QRgb colour(int index)
{
    return tms::toQRgb(palette[index]);
}

// A picture of mixed rows (pattern 0x5A) with the given colour bytes from index 0 on.
Picture mixedRows(std::initializer_list<std::pair<std::uint8_t, std::uint8_t>> rows)
{
    Picture p;
    p.bitmapPatterns.fill(0x5A);
    p.bitmapColors.fill(0x1F);
    int i = 0;
    for (const auto& [pattern, color] : rows) {
        p.bitmapPatterns[i] = pattern;
        p.bitmapColors[i++] = color;
    }
    return p;
}

} // namespace

class TestPaintModel : public QObject {
    Q_OBJECT
private slots:
    void clearedPictureAndPixelAddressing()
    {
        Picture picture = randomPicture(1);
        clearPicture(picture);
        QVERIFY(std::ranges::all_of(picture.bitmapPatterns, [](auto b) { return b == 0; }));
        QVERIFY(std::ranges::all_of(picture.bitmapColors, [](auto b) { return b == 33; }));
        QCOMPARE(pixelColor(picture, 100, 100), 1);
        // Pixel (13, 21): column 1, row 2, line 5, bit 7 - 5.
        picture.bitmapPatterns[2 * 256 + 1 * 8 + 5] = 4;
        QVERIFY(pixelIsForeground(picture, 13, 21) && !pixelIsForeground(picture, 12, 21)
                && pixelColor(picture, 13, 21) == 2);
        QCOMPARE(intensity(palette[0]), 64); // transparent shows as 0,0,64
    }

    void paintingRule_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<int>("colours");
        QTest::addColumn<int>("pixel");
        QTest::addColumn<int>("brush");
        QTest::addColumn<int>("newPattern");
        QTest::addColumn<int>("newColours");
        QTest::newRow("white on the black row takes the latent foreground") << 0 << 33 << 3 << 15 << 16 << 241;
        QTest::newRow("medium red replaces the white foreground") << 15 << 0xF1 << 0 << 8 << 143 << 129;
        QTest::newRow("dark blue on a background pixel") << 240 << 0xF1 << 7 << 4 << 241 << 65;
        QTest::newRow("row colour sets the bit") << 15 << 0xF1 << 0 << 15 << 143 << 0xF1;
        QTest::newRow("row colour clears the bit") << 15 << 0xF1 << 7 << 1 << 14 << 0xF1;
        QTest::newRow("both colours the brush") << 0 << 0x55 << 2 << 5 << 32 << 0x55;
        QTest::newRow("the shown colour changes nothing") << 0x0F << 0xF1 << 6 << 15 << 0x0F << 0xF1;
        QTest::newRow("only background pixel") << 127 << 0xF1 << 0 << 8 << 127 << 0xF8;
        QTest::newRow("only foreground pixel") << 128 << 0xF1 << 0 << 4 << 128 << 0x41;
        QTest::newRow("all foreground") << 255 << 0xF1 << 2 << 4 << 255 - 32 << 0xF4;
    }

    void paintingRule()
    {
        QFETCH(int, pattern);
        QFETCH(int, colours);
        QFETCH(int, pixel);
        QFETCH(int, brush);
        const PaintedRow row = paintRowPixel(std::uint8_t(pattern), std::uint8_t(colours), pixel, brush, palette);
        QTEST(int(row.pattern), "newPattern");
        QTEST(int(row.color), "newColours");
    }

    void tiesReplaceTheBackground()
    {
        // No console colour lies exactly halfway between two others: a palette made for it.
        tms::Palette custom = palette;
        custom[5] = tms::rgbValue(100, 0, 0);
        custom[6] = tms::rgbValue(0, 0, 0);
        custom[7] = tms::rgbValue(200, 0, 0);
        // fg 7, bg 6, brush 5: on a background pixel the background goes...
        const PaintedRow onBackground = paintRowPixel(0x0F, 0x76, 0, 5, custom);
        QVERIFY(onBackground.color == 0x75 && onBackground.pattern == 0x0F);
        // ...and on a foreground pixel too, clearing the bit.
        const PaintedRow onForeground = paintRowPixel(0x0F, 0x76, 7, 5, custom);
        QVERIFY(onForeground.color == 0x75 && onForeground.pattern == 0x0E);
    }

    void scrollsRoundTripAndWrap()
    {
        const Picture original = randomPicture(7);
        Picture picture = original;
        for (int i = 0; i < 193; ++i) // a whole turn of lines and one back; one each way of the others
            scrollUpOneLine(picture);
        scrollDownOneLine(picture);
        scrollUpOneRow(picture);
        scrollDownOneRow(picture);
        scrollLeftOneColumn(picture);
        scrollRightOneColumn(picture);
        QCOMPARE(picture, original);

        auto at = [](const tms::BitmapTable& t, int row, int column, int line) {
            return t[tms::bitmapIndex(row, column, line)];
        };
        scrollUpOneLine(picture);
        for (int c = 0; c < 32; ++c) { // line 0 of row 0 wraps to line 7 of row 23; row 1 crosses into row 0
            QCOMPARE(at(picture.bitmapPatterns, 23, c, 7), at(original.bitmapPatterns, 0, c, 0));
            QCOMPARE(at(picture.bitmapColors, 23, c, 7), at(original.bitmapColors, 0, c, 0));
            QCOMPARE(at(picture.bitmapPatterns, 0, c, 7), at(original.bitmapPatterns, 1, c, 0));
        }
        picture = original;
        scrollDownOneRow(picture);
        QCOMPARE(at(picture.bitmapColors, 0, 5, 3), at(original.bitmapColors, 23, 5, 3));
        QCOMPARE(at(picture.bitmapPatterns, 10, 5, 3), at(original.bitmapPatterns, 9, 5, 3));
        picture = original;
        scrollLeftOneColumn(picture);
        QCOMPARE(at(picture.bitmapPatterns, 4, 31, 2), at(original.bitmapPatterns, 4, 0, 2));
        QCOMPARE(at(picture.bitmapColors, 4, 0, 2), at(original.bitmapColors, 4, 1, 2));
    }

    void putCopiesTheSnapshotAndStaysOnScreen()
    {
        const Picture original = randomPicture(11);
        Picture picture = original;
        // Destination overlaps the source: one column right and three lines down.
        putBlock(picture, original, Block{2, 5, 10, 40}, 3, 13);
        for (int sy = 10; sy <= 40; ++sy)
            for (int sc = 2; sc <= 5; ++sc) {
                QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(sc + 1, sy + 3)],
                         original.bitmapPatterns[rowIndexOfLine(sc, sy)]);
                QCOMPARE(picture.bitmapColors[rowIndexOfLine(sc + 1, sy + 3)],
                         original.bitmapColors[rowIndexOfLine(sc, sy)]);
            }
        for (auto [c, line] : {std::pair{2, 10}, {7, 20}, {4, 44}}) // outside the destination
            QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(c, line)], original.bitmapPatterns[rowIndexOfLine(c, line)]);

        picture = original;
        putBlock(picture, original, Block{0, 31, 0, 191}, 10, 100);
        QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(31, 191)], original.bitmapPatterns[rowIndexOfLine(21, 91)]);

        const Block block{0, 3, 0, 15}; // drag limits: 4 columns, 16 lines
        QVERIFY(blockColumnAt(block, -40) == 0 && blockColumnAt(block, 100) == 6 && blockColumnAt(block, 511) == 28);
        QVERIFY(blockLineAt(block, -9) == 0 && blockLineAt(block, 37) == 18 && blockLineAt(block, 383) == 191 - 15);
        QCOMPARE(blockLineAt(Block{5, 5, 0, 191}, 200), 0);
    }

    // (The normal view, two screen pixels a pixel, is checked through the window.)
    void renderingSmallAndZoomed()
    {
        Picture picture = cleared();
        picture.bitmapPatterns[tms::bitmapIndex(1, 2, 3)] = 0x81;
        picture.bitmapColors[tms::bitmapIndex(1, 2, 3)] = 0xF4;
        const QImage small = pictureImage(picture, palette);
        QVERIFY(small.size() == QSize(256, 192) && small.pixel(16, 11) == colour(15)
                && small.pixel(17, 11) == colour(4));

        // The zoom shows a quarter at four times.
        picture = cleared();
        picture.bitmapPatterns[tms::bitmapIndex(13, 17, 0)] = 0xFF;
        picture.bitmapColors[tms::bitmapIndex(13, 17, 0)] = 0x81;
        const ViewArea zoom = zoomView(16, 12);
        QImage image = makeViewImage(zoom);
        renderPicture(image, picture, palette, zoom);
        QVERIFY(image.pixel(32, 32) == colour(8) && image.pixel(63, 35) == colour(8)
                && image.pixel(63, 36) == colour(1));
        QVERIFY(!zoom.shows(15, 12));
    }

    void spectrumScreensInScreenOrder()
    {
        for (const bool multicolour : {false, true}) {
            QByteArray file = randomBytes(multicolour ? 12288 : 6912, 11);
            file[6144] = char(56);  // paper white, ink black: 30
            file[6145] = char(71);  // bright, paper black, ink white: 241
            file[6146] = char(199); // the same flashing: 241
            file[6147] = char(113); // bright blue on bright yellow: 91
            QTemporaryDir dir;
            const QString path = dir.filePath(multicolour ? "a.mlt" : "a.SCR");
            writeFile(path, file);
            QCOMPARE(checkSpectrumFile(path), QString());
            Picture p = cleared();
            QVERIFY(multicolour ? loadMltFile(path, p) : loadScrFile(path, p));
            QVERIFY(p.bitmapColors[0] == 30 && p.bitmapColors[8] == 241 && p.bitmapColors[16] == 241
                    && p.bitmapColors[24] == 91);
            for (int y = 0; y < 192; ++y)
                for (int x = 0; x < 32; ++x) {
                    const int index = (y / 8) * 256 + x * 8 + y % 8;
                    const int offset = (y / 64) * 2048 + (y % 8) * 256 + ((y / 8) % 8) * 32 + x;
                    QCOMPARE(p.bitmapPatterns[index], quint8(file[offset]));
                    const int attribute = multicolour ? 6144 + 32 * y + x : 6144 + (y / 8) * 32 + x;
                    QCOMPARE(p.bitmapColors[index], spectrumAttributeColor(quint8(file[attribute])));
                }
        }
    }

    void grpRoundTripAndLayout()
    {
        const Picture picture = randomPicture(21);
        const QByteArray file = encodeGRP(picture);
        QCOMPARE(file.size(), 16391);
        QCOMPARE(file.left(7), QByteArray("\xFE\x00\x00\xFF\x3F\x00\x00", 7));
        QCOMPARE(file.mid(7, 6144), QByteArray(reinterpret_cast<const char*>(picture.bitmapPatterns.data()), 6144));
        for (int i : {0, 255, 256, 767})
            QCOMPARE(quint8(file[6151 + i]), i % 256);
        QCOMPARE(quint8(file[6919]), 208);
        QCOMPARE(file.mid(6920, 1279), QByteArray(1279, '\0'));
        QCOMPARE(file.mid(8199, 6144), QByteArray(reinterpret_cast<const char*>(picture.bitmapColors.data()), 6144));
        QCOMPARE(file.mid(14343), QByteArray(2048, '\0'));
        Picture back;
        QCOMPARE(decodeGRP(file, back), QString());
        QCOMPARE(back, picture);
    }

    void packColorsKeepsThePixels_data()
    {
        QTest::addColumn<Picture>("picture");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("pattern");
        QTest::addColumn<int>("color");
        // Row 1 shows colour 4 only and follows a row of colours 1 and 4: it is inverted
        // and takes that row's colour byte.
        QTest::newRow("one colour inverted") << mixedRows({{0x5A, 20}, {255, 65}}) << 1 << 0 << 20;
        // A transparent background counts as unused and takes the neighbour's.
        QTest::newRow("transparent background") << mixedRows({{0x5A, 81}, {15, 80}}) << 1 << 15 << 81;
        QTest::newRow("swapped colours") << mixedRows({{0x5A, 31}, {0x3C, 241}}) << 1 << 0xC3 << 31;
        QTest::newRow("a random picture") << randomPicture(9) << -1 << 0 << 0;
    }

    void packColorsKeepsThePixels()
    {
        QFETCH(Picture, picture);
        QFETCH(int, row);
        QFETCH(int, pattern);
        QFETCH(int, color);
        Picture packed = picture;
        packColors(packed);
        if (row >= 0)
            QVERIFY(packed.bitmapPatterns[row] == pattern && packed.bitmapColors[row] == color);
        // Every pixel that showed a visible colour shows it still.
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x)
                if (pixelColor(picture, x, y) != 0)
                    QCOMPARE(pixelColor(packed, x, y), pixelColor(picture, x, y));
    }

    void sourcesOfAClearedPicture()
    {
        QCOMPARE(exportStream(cleared()).size(), size_t(198)); // the colour table's runs, then the patterns'
        const QList<QByteArray> c = cSource(cleared(), "IMAGE").split('\n');
        QCOMPARE(c.size(), 9 + 13 + 1); // banner, 12 full data lines and one of 6 values, then nothing
        QCOMPARE(c[2], QByteArray("/*  GRAPHICS TABLES  -  MOSAICEASEL v1.04   */\r"));
        QCOMPARE(c[6], QByteArray("#include <coleco.h>\r"));
        QCOMPARE(c[8], QByteArray("byte IMAGE[] = {\r"));
        QCOMPARE(c[9],
                 QByteArray(" 0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,\r"));
        QCOMPARE(c[21], QByteArray(" 0x00,0xFE,0x00,0xAF,0x00,0xFF};\r"));
        QCOMPARE(c[22], QByteArray());

        const QList<QByteArray> a = asmSource(cleared(), "pic").split('\n');
        QCOMPARE(a.size(), 10 + 13 + 1);
        QCOMPARE(a[9], QByteArray("Lpic:\r"));
        QCOMPARE(a[10], QByteArray("\t.byte $FE,$01,$FE,$01,$FE,$01,$FE,$01,$FE,$01,$FE,$01,$FE,$01,$FE,$01\r"));
        QCOMPARE(a[22], QByteArray("\t.byte $00,$FE,$00,$AF,$00,$FF\r"));
    }
};

QTEST_APPLESS_MAIN(TestPaintModel)
#include "test_paint_model.moc"
