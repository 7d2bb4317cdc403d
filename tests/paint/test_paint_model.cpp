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

} // namespace

class TestPaintModel : public QObject {
    Q_OBJECT
private slots:
    void clearedPictureIsBlackWithLatentGreen()
    {
        Picture picture = randomPicture(1);
        ClearPicture(picture);
        for (int i = 0; i < 6144; ++i) {
            QCOMPARE(int(picture.bitmapPatterns[i]), 0);
            QCOMPARE(int(picture.bitmapColors[i]), 33);
        }
        QCOMPARE(pixelColor(picture, 100, 100), 1);
    }

    void pixelAddressing()
    {
        Picture picture;
        ClearPicture(picture);
        // Pixel (13, 21): column 1, row 2, line 5, bit 7 - 5.
        picture.bitmapPatterns[2 * 256 + 1 * 8 + 5] = 4;
        QVERIFY(pixelIsForeground(picture, 13, 21));
        QVERIFY(!pixelIsForeground(picture, 12, 21));
        QCOMPARE(pixelColor(picture, 13, 21), 2);
    }

    void intensiteIsTheSumOfTheChannels()
    {
        QCOMPARE(intensite(palette[0]), 64); // transparent shows as 0,0,64
        QCOMPARE(intensite(palette[1]), 0);
        QCOMPARE(intensite(palette[4]), 406);
        QCOMPARE(intensite(palette[8]), 421);
        QCOMPARE(intensite(palette[14]), 612);
        QCOMPARE(intensite(palette[15]), 765);
    }

    void paintWhiteOnBlackRowTakesTheLatentForeground()
    {
        const PaintedRow row = paintRowPixel(0, 33, 3, 15, palette);
        QCOMPARE(int(row.pattern), 16);
        QCOMPARE(int(row.color), 241);
    }

    void paintMediumRedReplacesTheWhiteForeground()
    {
        const PaintedRow row = paintRowPixel(15, 0xF1, 0, 8, palette);
        QCOMPARE(int(row.pattern), 143);
        QCOMPARE(int(row.color), 129);
    }

    void paintGreyReplacesTheWhiteForeground()
    {
        const PaintedRow row = paintRowPixel(15, 0xF1, 0, 14, palette);
        QCOMPARE(int(row.pattern), 143);
        QCOMPARE(int(row.color), 225);
    }

    void paintDarkBlueOnBackgroundPixelTakesTheForeground()
    {
        const PaintedRow row = paintRowPixel(240, 0xF1, 7, 4, palette);
        QCOMPARE(int(row.pattern), 241);
        QCOMPARE(int(row.color), 65);
    }

    void paintWithARowColourOnlySetsTheBit()
    {
        QCOMPARE(int(paintRowPixel(15, 0xF1, 0, 15, palette).pattern), 143);
        QCOMPARE(int(paintRowPixel(15, 0xF1, 7, 1, palette).pattern), 14);
        QCOMPARE(int(paintRowPixel(15, 0xF1, 7, 1, palette).color), 0xF1);
        // Both colours equal to the brush: the pixel becomes foreground.
        const PaintedRow same = paintRowPixel(0, 0x55, 2, 5, palette);
        QCOMPARE(int(same.pattern), 32);
        QCOMPARE(int(same.color), 0x55);
        // Painting the colour a pixel already shows changes nothing.
        const PaintedRow unchanged = paintRowPixel(0x0F, 0xF1, 6, 15, palette);
        QCOMPARE(int(unchanged.pattern), 0x0F);
        QCOMPARE(int(unchanged.color), 0xF1);
    }

    void onlyBackgroundPixelReplacesTheBackground()
    {
        // Pixel 0 is the only background pixel: background becomes the brush, bit stays 0.
        const PaintedRow row = paintRowPixel(127, 0xF1, 0, 8, palette);
        QCOMPARE(int(row.pattern), 127);
        QCOMPARE(int(row.color), 0xF8);
    }

    void onlyAndAllForegroundCases()
    {
        // The only foreground pixel: the foreground colour goes.
        const PaintedRow only = paintRowPixel(128, 0xF1, 0, 4, palette);
        QCOMPARE(int(only.pattern), 128);
        QCOMPARE(int(only.color), 0x41);
        // All foreground: the unused background takes the brush, the pixel clears.
        const PaintedRow all = paintRowPixel(255, 0xF1, 2, 4, palette);
        QCOMPARE(int(all.pattern), 255 - 32);
        QCOMPARE(int(all.color), 0xF4);
    }

    void tiesReplaceTheBackground()
    {
        // No colour of the console lies exactly halfway between two others, so the
        // tie uses a palette made for it.
        tms::Palette custom = palette;
        custom[5] = tms::rgbValue(100, 0, 0);
        custom[6] = tms::rgbValue(0, 0, 0);
        custom[7] = tms::rgbValue(200, 0, 0);
        // Background pixel (pattern 0x0F, pixel 0), fg 7, bg 6, brush 5: tie -> background.
        const PaintedRow onBackground = paintRowPixel(0x0F, 0x76, 0, 5, custom);
        QCOMPARE(int(onBackground.color), 0x75);
        QCOMPARE(int(onBackground.pattern), 0x0F);
        // Foreground pixel (pixel 7): a tie also replaces the background and clears the bit.
        const PaintedRow onForeground = paintRowPixel(0x0F, 0x76, 7, 5, custom);
        QCOMPARE(int(onForeground.color), 0x75);
        QCOMPARE(int(onForeground.pattern), 0x0E);
    }

    void scrollRoundTrips()
    {
        const Picture original = randomPicture(7);
        Picture picture = original;
        for (int i = 0; i < 192; ++i)
            scrollUpOneLine(picture);
        QCOMPARE(picture, original);
        for (int i = 0; i < 24; ++i)
            scrollDownOneRow(picture);
        QCOMPARE(picture, original);
        for (int i = 0; i < 32; ++i)
            scrollRightOneColumn(picture);
        QCOMPARE(picture, original);

        scrollUpOneLine(picture);
        QVERIFY(picture != original);
        scrollDownOneLine(picture);
        QCOMPARE(picture, original);
        scrollUpOneRow(picture);
        scrollDownOneRow(picture);
        QCOMPARE(picture, original);
        scrollLeftOneColumn(picture);
        scrollRightOneColumn(picture);
        QCOMPARE(picture, original);
    }

    void scrollsWrapAtTheEdges()
    {
        const Picture original = randomPicture(9);
        Picture picture = original;
        scrollUpOneLine(picture);
        // Line 0 of row 0 comes back as line 7 of row 23, in every column.
        for (int c = 0; c < 32; ++c) {
            QCOMPARE(picture.bitmapPatterns[tms::bitmapIndex(23, c, 7)], original.bitmapPatterns[tms::bitmapIndex(0, c, 0)]);
            QCOMPARE(picture.bitmapColors[tms::bitmapIndex(23, c, 7)], original.bitmapColors[tms::bitmapIndex(0, c, 0)]);
            // Line 0 of row 1 moved up across the cell boundary to line 7 of row 0.
            QCOMPARE(picture.bitmapPatterns[tms::bitmapIndex(0, c, 7)], original.bitmapPatterns[tms::bitmapIndex(1, c, 0)]);
        }
        picture = original;
        scrollDownOneRow(picture);
        QCOMPARE(picture.bitmapColors[tms::bitmapIndex(0, 5, 3)], original.bitmapColors[tms::bitmapIndex(23, 5, 3)]);
        QCOMPARE(picture.bitmapPatterns[tms::bitmapIndex(10, 5, 3)], original.bitmapPatterns[tms::bitmapIndex(9, 5, 3)]);
        picture = original;
        scrollLeftOneColumn(picture);
        QCOMPARE(picture.bitmapPatterns[tms::bitmapIndex(4, 31, 2)], original.bitmapPatterns[tms::bitmapIndex(4, 0, 2)]);
        QCOMPARE(picture.bitmapColors[tms::bitmapIndex(4, 0, 2)], original.bitmapColors[tms::bitmapIndex(4, 1, 2)]);
    }

    void overlappingPutCopiesTheSnapshot()
    {
        const Picture original = randomPicture(11);
        Picture picture = original;
        const Block block{2, 5, 10, 40}; // 4 columns, 31 lines
        // Destination overlaps the source: one column right and three lines down.
        putBlock(picture, original, block, 3, 13);
        for (int sy = 10; sy <= 40; ++sy)
            for (int sc = 2; sc <= 5; ++sc) {
                const int to = rowIndexOfLine(sc + 1, sy + 3);
                const int from = rowIndexOfLine(sc, sy);
                QCOMPARE(picture.bitmapPatterns[to], original.bitmapPatterns[from]);
                QCOMPARE(picture.bitmapColors[to], original.bitmapColors[from]);
            }
        // Outside the destination nothing changed.
        QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(2, 10)], original.bitmapPatterns[rowIndexOfLine(2, 10)]);
        QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(7, 20)], original.bitmapPatterns[rowIndexOfLine(7, 20)]);
        QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(4, 44)], original.bitmapPatterns[rowIndexOfLine(4, 44)]);
    }

    void putNeverWritesOutsideTheScreen()
    {
        const Picture original = randomPicture(12);
        Picture picture = original;
        putBlock(picture, original, Block{0, 31, 0, 191}, 10, 100);
        QCOMPARE(picture.bitmapPatterns[rowIndexOfLine(31, 191)], original.bitmapPatterns[rowIndexOfLine(21, 91)]);
    }

    void dragLimitsKeepTheBlockOnScreen()
    {
        const Block block{0, 3, 0, 15}; // 4 columns, 16 lines
        QCOMPARE(blockColumnAt(block, -40), 0);
        QCOMPARE(blockColumnAt(block, 100), 6);
        QCOMPARE(blockColumnAt(block, 511), 28);
        QCOMPARE(blockLineAt(block, -9), 0);
        QCOMPARE(blockLineAt(block, 37), 18);  // row 2, line 2
        QCOMPARE(blockLineAt(block, 383), 176); // 191 - 15
        const Block tall{5, 5, 0, 191};
        QCOMPARE(blockLineAt(tall, 200), 0);
    }

    void renderingDrawsTwoByTwoBlocks()
    {
        Picture picture;
        ClearPicture(picture);
        picture.bitmapPatterns[tms::bitmapIndex(1, 2, 3)] = 0x81;
        picture.bitmapColors[tms::bitmapIndex(1, 2, 3)] = 0xF4;
        QImage image = makeViewImage(normalView());
        renderPicture(image, picture, palette, normalView());
        QCOMPARE(image.size(), QSize(512, 384));
        const int top = (8 + 3) * 2, left = 2 * 16;
        QCOMPARE(image.pixel(left, top), tms::toQRgb(palette[15]));
        QCOMPARE(image.pixel(left + 1, top + 1), tms::toQRgb(palette[15]));
        QCOMPARE(image.pixel(left + 2, top), tms::toQRgb(palette[4]));
        QCOMPARE(image.pixel(left + 15, top + 1), tms::toQRgb(palette[15]));
        QCOMPARE(image.pixel(0, 0), tms::toQRgb(palette[1]));
        const QImage small = pictureImage(picture, palette);
        QCOMPARE(small.size(), QSize(256, 192));
        QCOMPARE(small.pixel(16, 11), tms::toQRgb(palette[15]));
        QCOMPARE(small.pixel(17, 11), tms::toQRgb(palette[4]));
    }

    void zoomViewShowsAQuarterAtFourTimes()
    {
        Picture picture;
        ClearPicture(picture);
        picture.bitmapPatterns[tms::bitmapIndex(13, 17, 0)] = 0xFF;
        picture.bitmapColors[tms::bitmapIndex(13, 17, 0)] = 0x81;
        const ViewArea zoom = zoomView(16, 12);
        QImage image = makeViewImage(zoom);
        QCOMPARE(image.size(), QSize(512, 384));
        renderPicture(image, picture, palette, zoom);
        QCOMPARE(image.pixel(32, 32), tms::toQRgb(palette[8]));
        QCOMPARE(image.pixel(63, 35), tms::toQRgb(palette[8]));
        QCOMPARE(image.pixel(63, 36), tms::toQRgb(palette[1]));
        QVERIFY(!zoom.shows(15, 12));
    }
};

QTEST_APPLESS_MAIN(TestPaintModel)
#include "test_paint_model.moc"
