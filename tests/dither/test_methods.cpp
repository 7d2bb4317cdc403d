// Whole conversions: the two-colour rule, the tables, the tie rules on pictures built
// for them, a hand-worked serpentine example and the progress points.

#include "colour_metrics.h"
#include "conversion.h"
#include "dithering_run.h"
#include "method_names.h"
#include "ordered_matrices.h"
#include "test_pictures.h"

#include <QtTest>

using namespace dither;
using dither_test::colours;

namespace {

ConversionResult run(const Picture& picture, Method method, ColourChoice chosen = allColours(), int diffusion = 75,
                     bool orderedError = false)
{
    ConversionSettings s;
    std::tie(s.method, s.colours, s.diffusion, s.orderedError) = std::tuple(method, chosen, diffusion, orderedError);
    const auto result = convert(picture, s);
    return result ? *result : (qFatal("conversion refused"), ConversionResult{});
}

bool isFast(Method m)
{
    return m == Method::FloydSteinbergFast || m == Method::DbSpecial || m == Method::TinySpecial;
}

bool isOrdered(Method m) { return m >= Method::Tritone; }

// Every pixel shows the colour its pattern bit and colour byte give: so a segment has
// at most two colours and the tables describe the picture on screen.
void verifyTablesDescribePicture(const ConversionResult& r, const tms::Palette& palette, const QString& what)
{
    for (int y = 0; y < pictureHeight; ++y)
        for (int s = 0; s < 32; ++s) {
            const int index = segmentIndex(y, s);
            const std::uint8_t colourByte = r.colour_table[index];
            for (int k = 0; k < 8; ++k) {
                const bool set = r.pattern_table[index] & tms::bitMask[k];
                const int code = set ? tms::foregroundOf(colourByte) : tms::backgroundOf(colourByte);
                if (r.result_image[pixelIndex(8 * s + k, y)] != palette[code])
                    QFAIL(qPrintable(QStringLiteral("%1: pixel (%2, %3) differs from its tables")
                                         .arg(what).arg(8 * s + k).arg(y)));
            }
        }
}

const ColorValue halfWay = RGB(35, 101, 100); // as far from black as from colour 4

} // namespace

class TestMethods : public QObject {
    Q_OBJECT
private slots:
    void everyMethodKeepsTwoColoursPerSegment()
    {
        const Picture picture = dither_test::noisyPicture(5);
        const tms::Palette palette = init_palette(0);
        for (const ColourChoice& chosen : {allColours(), colours({1, 4, 6, 11, 15})})
            for (const MethodName& m : methodNames)
                for (bool orderedError : {false, true}) {
                    if (orderedError && !isOrdered(m.method))
                        continue;
                    const ConversionResult r = run(picture, m.method, chosen, 75, orderedError);
                    const QString what = QLatin1String(m.commandLineName) + (orderedError ? "+error" : "");
                    verifyTablesDescribePicture(r, palette, what);
                    for (std::uint8_t colourByte : r.colour_table) {
                        QVERIFY2(chosen[tms::foregroundOf(colourByte) - 1] && chosen[tms::backgroundOf(colourByte) - 1],
                                 qPrintable(what));
                        if (!isFast(m.method)) // c1 is the lower colour number
                            QVERIFY2(tms::foregroundOf(colourByte) > tms::backgroundOf(colourByte), qPrintable(what));
                    }
                }
    }

    void fewerThanTwoColoursConvertNothing()
    {
        ConversionSettings s;
        s.colours = {};
        QVERIFY(!convert(dither_test::noisyPicture(), s));
        s.colours = colours({7});
        for (const MethodName& m : methodNames) {
            s.method = m.method;
            QVERIFY(!convert(dither_test::noisyPicture(), s));
        }
        QCOMPARE(selectMoreColors, QStringLiteral("Select more colors"));
    }

    void twoColoursGiveOneColourByte()
    {
        const Picture picture = dither_test::noisyPicture(9);
        for (const MethodName& m : methodNames) {
            const ConversionResult r = run(picture, m.method, colours({1, 15}));
            for (std::uint8_t colourByte : r.colour_table) {
                // The fast methods put c1 (background) wherever their first choice falls.
                const bool expected = colourByte == 0xF1 || (isFast(m.method) && colourByte == 0x1F);
                QVERIFY2(expected, m.commandLineName);
            }
        }
    }

    void eightByEightGivesOnePairPerBlock()
    {
        const ConversionResult r = run(dither_test::noisyPicture(11), Method::FloydSteinberg8x8);
        int differentBlocks = 0;
        for (int row = 0; row < 24; ++row)
            for (int column = 0; column < 32; ++column) {
                const int first = tms::bitmapIndex(row, column, 0);
                for (int line = 1; line < 8; ++line)
                    QCOMPARE(r.colour_table[first + line], r.colour_table[first]);
                differentBlocks += column > 0 && r.colour_table[first] != r.colour_table[first - 8];
            }
        QVERIFY(differentBlocks > 0); // the blocks do choose their own pairs
        const ConversionResult perLine = run(dither_test::noisyPicture(11), Method::FloydSteinberg);
        QVERIFY(perLine.colour_table != r.colour_table);
    }

    void lineZeroRunsRightToLeft()
    {
        // Grey 128 between black and white, diffusion 75 %, worked by hand from the
        // right: 128 white (error -95), 86 black (64.5 -> 64), 156 white (-74), 95 black
        // (71), 159 white (-72), 96 black (72), 159 white, 96 black.
        const ConversionResult r = run(dither_test::uniformPicture(RGB(128, 128, 128)), Method::FloydSteinberg,
                                       colours({1, 15}));
        QCOMPARE(int(r.pattern_table[segmentIndex(0, 31)]), 0x55);
        QCOMPARE(int(r.colour_table[segmentIndex(0, 31)]), 0xF1);
        QCOMPARE(r.result_image[pixelIndex(255, 0)], RGB(255, 255, 255));
        QCOMPARE(r.result_image[pixelIndex(254, 0)], RGB(0, 0, 0));
    }

    void halfWayPixels()
    {
        const Picture picture = dither_test::uniformPicture(halfWay);
        const ColourChoice blackAndBlue = colours({1, 4});
        // Nearest: equal distances take c2. Error diffusion: t = 0.5 takes c1.
        const ConversionResult nearest = run(picture, Method::Nearest, blackAndBlue);
        const ConversionResult diffused = run(picture, Method::FloydSteinberg, blackAndBlue, 0);
        QVERIFY(std::all_of(nearest.pattern_table.begin(), nearest.pattern_table.end(), [](int p) { return p == 0xFF; }));
        QVERIFY(std::all_of(nearest.colour_table.begin(), nearest.colour_table.end(), [](int c) { return c == 0x41; }));
        QVERIFY(std::all_of(diffused.pattern_table.begin(), diffused.pattern_table.end(), [](int p) { return p == 0; }));
        // Level 2.5 with "Ordered level 5" and "Tritone": cells 1 and 2 take c2, the
        // top-right and bottom-left pixel of every 2x2 cell.
        for (Method m : {Method::Ordered5, Method::Tritone, Method::Ordered9}) {
            const ConversionResult r = run(picture, m, blackAndBlue);
            for (int y = 0; y < pictureHeight; ++y)
                for (int s = 0; s < 32; ++s)
                    QCOMPARE(int(r.pattern_table[segmentIndex(y, s)]), (y & 1) ? 0xAA : 0x55);
        }
        // The 16x16 matrix is anchored to picture columns, not to segments: segments 0
        // and 1 use its two halves.
        const OrderedMatrix& m = orderedMatrix(MatrixName::Level257);
        const ColorValue darkish = RGB(30, 30, 80); // level 87.66
        const float level = 257.0f * pourcentage(RGB(0, 0, 0), init_palette(0)[4], darkish);
        const ConversionResult r = run(dither_test::uniformPicture(darkish), Method::Ordered257, blackAndBlue);
        int differing = 0;
        for (int y = 0; y < 16; ++y) {
            for (int s : {0, 1, 2}) {
                int expected = 0;
                for (int k = 0; k < 8; ++k)
                    expected |= float(m.at((8 * s + k) & 15, y)) > level ? 0 : tms::bitMask[k];
                QCOMPARE(int(r.pattern_table[segmentIndex(y, s)]), expected);
            }
            differing += r.pattern_table[segmentIndex(y, 0)] != r.pattern_table[segmentIndex(y, 1)];
        }
        QVERIFY(differing > 0);
    }

    void orderedExtremesTakeOneColour()
    {
        for (const MethodName& m : methodNames) {
            if (!isOrdered(m.method))
                continue;
            // Black is c1 of its pair (t = 0), white is c2 (t = 1, level clamped to size).
            const ConversionResult black = run(dither_test::uniformPicture(RGB(0, 0, 0)), m.method);
            const ConversionResult white = run(dither_test::uniformPicture(RGB(255, 255, 255)), m.method);
            for (int i = 0; i < 6144; ++i) {
                QCOMPARE(int(black.pattern_table[i]), 0);
                QCOMPARE(tms::backgroundOf(black.colour_table[i]), 1);
                QCOMPARE(int(white.pattern_table[i]), 0xFF);
                QCOMPARE(tms::foregroundOf(white.colour_table[i]), 15);
            }
        }
    }

    void noDiffusionCarriesNoError()
    {
        const Picture picture = dither_test::noisyPicture(13);
        const ConversionResult fs = run(picture, Method::FloydSteinberg, allColours(), 0);
        for (Method m : {Method::Burkes, Method::StevensonArce, Method::Stucki}) {
            const ConversionResult other = run(picture, m, allColours(), 0);
            QVERIFY(other.pattern_table == fs.pattern_table);
            QVERIFY(other.colour_table == fs.colour_table);
        }
        QVERIFY(run(picture, Method::FloydSteinberg).pattern_table != fs.pattern_table);
        for (Method m : {Method::Ordered17, Method::Ordered65}) {
            const ConversionResult plain = run(picture, m, allColours(), 0, false);
            const ConversionResult carried = run(picture, m, allColours(), 0, true);
            QVERIFY(plain.pattern_table == carried.pattern_table);
            QVERIFY(plain.result_image == carried.result_image);
            QVERIFY(run(picture, m, allColours(), 75, true).pattern_table != plain.pattern_table);
        }
    }

    void nearestKeepsPaletteColoursAndTableIndex()
    {
        // A segment of one palette colour keeps that colour on every pixel.
        const tms::Palette palette = init_palette(0);
        QVERIFY(run(dither_test::uniformPicture(palette[6]), Method::Nearest).result_image == dither_test::uniformPicture(palette[6]));

        // Line 9, segment 3 is entry 1 * 256 + 24 + 1 = 281.
        QCOMPARE(segmentIndex(9, 3), 281);
        Picture picture = dither_test::uniformPicture(RGB(0, 0, 0));
        for (int x = 24; x < 32; ++x)
            picture[pixelIndex(x, 9)] = RGB(255, 255, 255);
        const ConversionResult r = run(picture, Method::Nearest, colours({1, 15}));
        for (int i = 0; i < 6144; ++i)
            QCOMPARE(int(r.pattern_table[i]), i == 281 ? 0xFF : 0);
    }

    void presetsGiveDifferentPictures()
    {
        ConversionSettings s;
        const auto one = convert(dither_test::noisyPicture(17), s);
        s.palette_mode = 1;
        QVERIFY(one->result_image != convert(dither_test::noisyPicture(17), s)->result_image);
    }

    void progressPoints()
    {
        QCOMPARE(lineStatusText(5), QStringLiteral("line# 5"));
        QCOMPARE(lineStatusText(192), QStringLiteral("line# 192"));

        QList<int> everyFourth;
        for (int y = 1; y < pictureHeight; y += 4)
            everyFourth << y;
        for (Method m : {Method::Nearest, Method::FloydSteinberg, Method::DbSpecial, Method::Ordered9}) {
            QList<int> lines;
            ConversionSettings s;
            s.method = m;
            convert(dither_test::noisyPicture(), s, [&](std::optional<int> line) { lines << line.value_or(-1); });
            QCOMPARE(lines, everyFourth);
        }

        // 8x8: events pass after each segment's block search; the status shows b + 8.
        QList<std::optional<int>> seen;
        ConversionSettings s;
        s.method = Method::FloydSteinberg8x8;
        convert(dither_test::noisyPicture(), s, [&](std::optional<int> line) { seen << line; });
        QCOMPARE(seen.size(), 24 * 33);
        for (int band = 0; band < 24; ++band) {
            for (int segment = 0; segment < 32; ++segment)
                QVERIFY(!seen[band * 33 + segment].has_value());
            QCOMPARE(seen[band * 33 + 32], std::optional<int>(8 * band + 8));
        }
    }
};

QTEST_GUILESS_MAIN(TestMethods)
#include "test_methods.moc"
