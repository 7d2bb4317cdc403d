// The painting rule, scrolling, the block copy and rendering, on the bare tables.
#include "block_copy.h"
#include "paint_test_support.h"
#include "painting_rule.h"
#include "picture.h"
#include "picture_render.h"
#include "scrolling.h"

#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

const tms::Palette palette = tms::standardPalette();

QRgb colour(int index) { return tms::toQRgb(palette[index]); }

Picture cleared()
{
    Picture picture;
    clearPicture(picture);
    return picture;
}

} // namespace

class TestPaintModel : public QObject {
    Q_OBJECT
private slots:
    void clearedPictureAndPixelAddressing()
    {
        Picture picture = randomPicture(1);
        clearPicture(picture);
        for (int i = 0; i < 6144; ++i) {
            QCOMPARE(int(picture.bitmapPatterns[i]), 0);
            QCOMPARE(int(picture.bitmapColors[i]), 33);
        }
        QCOMPARE(pixelColor(picture, 100, 100), 1);
        // Pixel (13, 21): column 1, row 2, line 5, bit 7 - 5.
        picture.bitmapPatterns[2 * 256 + 1 * 8 + 5] = 4;
        QVERIFY(pixelIsForeground(picture, 13, 21));
        QVERIFY(!pixelIsForeground(picture, 12, 21));
        QCOMPARE(pixelColor(picture, 13, 21), 2);
        QCOMPARE(intensite(palette[0]), 64); // transparent shows as 0,0,64
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
        QTest::newRow("grey replaces the white foreground") << 15 << 0xF1 << 0 << 14 << 143 << 225;
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
        QCOMPARE(int(onBackground.color), 0x75);
        QCOMPARE(int(onBackground.pattern), 0x0F);
        // ...and on a foreground pixel too, clearing the bit.
        const PaintedRow onForeground = paintRowPixel(0x0F, 0x76, 7, 5, custom);
        QCOMPARE(int(onForeground.color), 0x75);
        QCOMPARE(int(onForeground.pattern), 0x0E);
    }

    void scrollsRoundTripAndWrap()
    {
        const Picture original = randomPicture(7);
        Picture picture = original;
        for (int i = 0; i < 192; ++i)
            scrollUpOneLine(picture);
        for (int i = 0; i < 24; ++i)
            scrollDownOneRow(picture);
        for (int i = 0; i < 32; ++i)
            scrollRightOneColumn(picture);
        QCOMPARE(picture, original);
        scrollUpOneLine(picture);
        QVERIFY(picture != original);
        scrollDownOneLine(picture);
        scrollUpOneRow(picture);
        scrollDownOneRow(picture);
        scrollLeftOneColumn(picture);
        scrollRightOneColumn(picture);
        QCOMPARE(picture, original);

        auto at = [](const tms::BitmapTable& t, int row, int column, int line) { return t[tms::bitmapIndex(row, column, line)]; };
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
                QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(sc + 1, sy + 3)], original.bitmapPatterns[rowIndexOfLine(sc, sy)]);
                QCOMPARE(picture.bitmapColors[rowIndexOfLine(sc + 1, sy + 3)], original.bitmapColors[rowIndexOfLine(sc, sy)]);
            }
        for (auto [c, line] : {std::pair{2, 10}, {7, 20}, {4, 44}}) // outside the destination
            QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(c, line)], original.bitmapPatterns[rowIndexOfLine(c, line)]);

        picture = original;
        putBlock(picture, original, Block{0, 31, 0, 191}, 10, 100);
        QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(31, 191)], original.bitmapPatterns[rowIndexOfLine(21, 91)]);

        const Block block{0, 3, 0, 15}; // drag limits: 4 columns, 16 lines
        QCOMPARE(blockColumnAt(block, -40), 0);
        QCOMPARE(blockColumnAt(block, 100), 6);
        QCOMPARE(blockColumnAt(block, 511), 28);
        QCOMPARE(blockLineAt(block, -9), 0);
        QCOMPARE(blockLineAt(block, 37), 18);   // row 2, line 2
        QCOMPARE(blockLineAt(block, 383), 176); // 191 - 15
        QCOMPARE(blockLineAt(Block{5, 5, 0, 191}, 200), 0);
    }

    void renderingNormalAndZoomed()
    {
        Picture picture = cleared();
        picture.bitmapPatterns[tms::bitmapIndex(1, 2, 3)] = 0x81;
        picture.bitmapColors[tms::bitmapIndex(1, 2, 3)] = 0xF4;
        QImage image = makeViewImage(normalView());
        renderPicture(image, picture, palette, normalView());
        QCOMPARE(image.size(), QSize(512, 384));
        const int top = (8 + 3) * 2, left = 2 * 16; // 2x2 blocks
        QCOMPARE(image.pixel(left, top), colour(15));
        QCOMPARE(image.pixel(left + 1, top + 1), colour(15));
        QCOMPARE(image.pixel(left + 2, top), colour(4));
        QCOMPARE(image.pixel(left + 15, top + 1), colour(15));
        QCOMPARE(image.pixel(0, 0), colour(1));
        const QImage small = pictureImage(picture, palette);
        QCOMPARE(small.size(), QSize(256, 192));
        QCOMPARE(small.pixel(16, 11), colour(15));
        QCOMPARE(small.pixel(17, 11), colour(4));

        // The zoom shows a quarter at four times.
        picture = cleared();
        picture.bitmapPatterns[tms::bitmapIndex(13, 17, 0)] = 0xFF;
        picture.bitmapColors[tms::bitmapIndex(13, 17, 0)] = 0x81;
        const ViewArea zoom = zoomView(16, 12);
        image = makeViewImage(zoom);
        QCOMPARE(image.size(), QSize(512, 384));
        renderPicture(image, picture, palette, zoom);
        QCOMPARE(image.pixel(32, 32), colour(8));
        QCOMPARE(image.pixel(63, 35), colour(8));
        QCOMPARE(image.pixel(63, 36), colour(1));
        QVERIFY(!zoom.shows(15, 12));
    }
};

QTEST_APPLESS_MAIN(TestPaintModel)
#include "test_paint_model.moc"
