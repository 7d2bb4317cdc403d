// The paint program's imports and exports without a window: Spectrum and MSX files
// in, GRP and C / assembler sources out, and the normalisation of the colour table.
#include "grp_file.h"
#include "pack_colors.h"
#include "paint_test_support.h"
#include "rle.h"
#include "source_export.h"
#include "spectrum_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

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

class TestPaintTransfers : public QObject {
    Q_OBJECT
private slots:
    void spectrumScreensInScreenOrder_data()
    {
        QTest::addColumn<bool>("multicolour");
        QTest::newRow("scr") << false;
        QTest::newRow("mlt") << true;
    }

    void spectrumScreensInScreenOrder()
    {
        QFETCH(bool, multicolour);
        QByteArray file = randomBytes(multicolour ? 12288 : 6912, 11);
        file[6144] = char(56);  // paper white, ink black: 30
        file[6145] = char(71);  // bright, paper black, ink white: 241
        file[6146] = char(199); // the same flashing: 241
        file[6147] = char(113); // bright blue on bright yellow: 91
        QTemporaryDir dir;
        const QString path = dir.filePath(multicolour ? "a.mlt" : "a.SCR");
        writeFile(path, file);
        QCOMPARE(checkSpectrumFile(path), QString());
        Picture p;
        clearPicture(p);
        QVERIFY(multicolour ? loadMltFile(path, p) : loadScrFile(path, p));
        QCOMPARE(p.bitmapColors[0], 30);
        QCOMPARE(p.bitmapColors[8], 241);
        QCOMPARE(p.bitmapColors[16], 241);
        QCOMPARE(p.bitmapColors[24], 91);
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 32; ++x) {
                const int index = (y / 8) * 256 + x * 8 + y % 8;
                const int offset = (y / 64) * 2048 + (y % 8) * 256 + ((y / 8) % 8) * 32 + x;
                QCOMPARE(p.bitmapPatterns[index], quint8(file[offset]));
                const int attribute = multicolour ? 6144 + 32 * y + x : 6144 + (y / 8) * 32 + x;
                QCOMPARE(p.bitmapColors[index], spectrumAttributeColor(quint8(file[attribute])));
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
        if (row >= 0) {
            QCOMPARE(int(packed.bitmapPatterns[row]), pattern);
            QCOMPARE(int(packed.bitmapColors[row]), color);
        }
        // Every pixel that showed a visible colour shows it still.
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x)
                if (pixelColor(picture, x, y) != 0)
                    QCOMPARE(pixelColor(packed, x, y), pixelColor(picture, x, y));
    }

    void sourcesOfAClearedPicture()
    {
        Picture cleared;
        clearPicture(cleared);
        const std::vector<std::uint8_t> colours = tms::RleEncode(std::vector<std::uint8_t>(6144, 1));
        std::vector<std::uint8_t> expected = colours;
        const std::vector<std::uint8_t> patterns = tms::RleEncode(std::vector<std::uint8_t>(6144, 0));
        expected.insert(expected.end(), patterns.begin(), patterns.end());
        QCOMPARE(exportStream(cleared), expected);
        QCOMPARE(expected.size(), size_t(198));

        const QList<QByteArray> c = cSource(cleared, "IMAGE").split('\n');
        QCOMPARE(c.size(), 9 + 13 + 1); // banner, 12 full data lines and one of 6 values, then nothing
        QCOMPARE(c[2], QByteArray("/*  GRAPHICS TABLES  -  MOSAICEASEL v1.04   */\r"));
        QCOMPARE(c[6], QByteArray("#include <coleco.h>\r"));
        QCOMPARE(c[8], QByteArray("byte IMAGE[] = {\r"));
        QCOMPARE(c[9], QByteArray(" 0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,0xFE,0x01,\r"));
        QCOMPARE(c[21], QByteArray(" 0x00,0xFE,0x00,0xAF,0x00,0xFF};\r"));
        QCOMPARE(c[22], QByteArray());

        const QList<QByteArray> a = asmSource(cleared, "pic").split('\n');
        QCOMPARE(a.size(), 10 + 13 + 1);
        QCOMPARE(a[2], QByteArray("; *      GRAPHICS TABLES  GENERATED BY       *\r"));
        QCOMPARE(a[4] + a[7] + a[8], QByteArray("\r\r\r"));
        QCOMPARE(a[9], QByteArray("Lpic:\r"));
        QCOMPARE(a[10], QByteArray("\t.byte $FE,$01,$FE,$01,$FE,$01,$FE,$01,$FE,$01,$FE,$01,$FE,$01,$FE,$01\r"));
        QCOMPARE(a[22], QByteArray("\t.byte $00,$FE,$00,$AF,$00,$FF\r"));
    }
};

QTEST_GUILESS_MAIN(TestPaintTransfers)
#include "test_paint_transfers.moc"
