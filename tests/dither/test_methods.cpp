// Whole conversions: the tie rules on pictures built for them, hand-worked examples and
// the progress points. The bytes of every method against a literal transcription (and
// so the two-colour rule and the tables) are in test_reference.

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

const ColorValue halfWay = RGB(35, 101, 100); // as far from black as from colour 4

bool allEqual(const tms::BitmapTable& table, int value)
{
    return std::all_of(table.begin(), table.end(), [value](int b) { return b == value; });
}

} // namespace

class TestMethods : public QObject {
    Q_OBJECT
private slots:
    void fewerThanTwoColoursConvertNothing()
    {
        ConversionSettings s;
        for (const ColourChoice& chosen : {ColourChoice{}, colours({7})})
            for (const MethodName& m : methodNames) {
                std::tie(s.colours, s.method) = std::pair(chosen, m.method);
                QVERIFY(!convert(dither_test::noisyPicture(), s));
            }
    }

    void halfWayPixels()
    {
        const Picture picture = dither_test::uniformPicture(halfWay);
        const ColourChoice blackAndBlue = colours({1, 4});
        // Nearest: equal distances take c2. Error diffusion: t = 0.5 takes c1.
        const ConversionResult nearest = run(picture, Method::Nearest, blackAndBlue);
        const ConversionResult diffused = run(picture, Method::FloydSteinberg, blackAndBlue, 0);
        QVERIFY(allEqual(nearest.patternTable, 0xFF) && allEqual(nearest.colourTable, 0x41));
        QVERIFY(allEqual(diffused.patternTable, 0));
        // Level 2.5 with "Ordered level 5" and "Tritone": cells 1 and 2 take c2, the
        // top-right and bottom-left pixel of every 2x2 cell.
        for (Method m : {Method::Ordered5, Method::Tritone, Method::Ordered9}) {
            const ConversionResult r = run(picture, m, blackAndBlue);
            for (int y = 0; y < pictureHeight; ++y)
                for (int s = 0; s < 32; ++s)
                    QCOMPARE(int(r.patternTable[tms::bitmapIndex(y / 8, s, y % 8)]), (y & 1) ? 0xAA : 0x55);
        }
    }

    void orderedExtremesTakeOneColour()
    {
        for (const MethodName& m : methodNames) {
            if (m.method < Method::Tritone)
                continue;
            // Black is c1 of its pair (t = 0), white is c2 (t = 1, level clamped to size).
            const ConversionResult black = run(dither_test::uniformPicture(RGB(0, 0, 0)), m.method);
            const ConversionResult white = run(dither_test::uniformPicture(RGB(255, 255, 255)), m.method);
            QVERIFY(allEqual(black.patternTable, 0) && allEqual(white.patternTable, 0xFF));
            for (int i = 0; i < 6144; ++i)
                QVERIFY(tms::backgroundOf(black.colourTable[i]) == 1 && tms::foregroundOf(white.colourTable[i]) == 15);
        }
    }

    // In linear light a grey of display value 128 is 21.6 % of white's light, so about
    // that share of pixels turn white (half of them with the display values). Every result
    // keeps the chip's rules (its picture is what its tables show); the methods without
    // error diffusion do not change.
    void linearLight()
    {
        const ConversionResult grey =
            run(dither_test::uniformPicture(RGB(128, 128, 128)), Method::FloydSteinberg, colours({1, 15}), 100);
        ConversionSettings s;
        std::tie(s.method, s.colours, s.diffusion, s.linearLight) =
            std::tuple(Method::FloydSteinberg, colours({1, 15}), 100, true);
        const ConversionResult light = *convert(dither_test::uniformPicture(RGB(128, 128, 128)), s);
        auto whiteShare = [](const ConversionResult& r) {
            return double(std::count(r.picture.begin(), r.picture.end(), RGB(255, 255, 255))) / pictureSize;
        };
        QVERIFY(std::abs(whiteShare(grey) - 0.5) < 0.02);
        QVERIFY2(std::abs(whiteShare(light) - 0.216) < 0.02, qPrintable(QString::number(whiteShare(light))));

        const tms::Palette palette = presetPalette(0);
        for (const MethodName& m : methodNames) {
            s = ConversionSettings{};
            s.method = m.method;
            const ConversionResult plain = *convert(dither_test::noisyPicture(), s);
            s.linearLight = true;
            const ConversionResult r = *convert(dither_test::noisyPicture(), s);
            const bool diffuses = m.method != Method::Nearest && m.method < Method::Tritone;
            QCOMPARE(r.picture != plain.picture, diffuses);
            for (int y = 0; y < pictureHeight; ++y)
                for (int x = 0; x < pictureWidth; ++x) {
                    const int i = tms::bitmapIndex(y / 8, x / 8, y % 8);
                    const bool set = r.patternTable[i] & tms::bitMask[x % 8];
                    const int c = set ? tms::foregroundOf(r.colourTable[i]) : tms::backgroundOf(r.colourTable[i]);
                    QCOMPARE(r.picture[pixelIndex(x, y)], palette[c]);
                }
        }
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

    // The AVX2 build and the portable build give the same bytes for every method and
    // setting (the literal reference test checks the build this CPU runs by default).
    void bothBuildsGiveTheSameBytes()
    {
        const MethodBuild original = methodBuild();
        if (!useMethodBuild(MethodBuild::Avx2))
            QSKIP("this CPU runs the portable build only");
        struct Restore {
            MethodBuild build;
            ~Restore() { useMethodBuild(build); }
        } restore{original};

        // Noise over the whole range carries the largest errors; the gradient has ties.
        std::mt19937 random(5);
        Picture noise = blackPicture();
        for (ColorValue& c : noise)
            c = RGB(int(random() % 256), int(random() % 256), int(random() % 256));
        ConversionSettings s;
        for (const Picture& picture : {noise, dither_test::noisyPicture(3)})
            for (const MethodName& m : methodNames)
                for (int variant = 0; variant < 3; ++variant) {
                    s = ConversionSettings{};
                    s.method = m.method;
                    if (variant == 1)
                        std::tie(s.orderedError, s.diffusion, s.paletteMode, s.gamma, s.brightness) =
                            std::tuple(true, 100, 1, 60, 20);
                    if (variant == 2)
                        std::tie(s.colours, s.diffusion, s.linearLight) =
                            std::tuple(colours({1, 4, 6, 11, 15}), 33, true);
                    useMethodBuild(MethodBuild::Avx2);
                    const ConversionResult fast = *convert(picture, s);
                    useMethodBuild(MethodBuild::Portable);
                    const ConversionResult portable = *convert(picture, s);
                    QVERIFY2(fast.picture == portable.picture && fast.patternTable == portable.patternTable
                                 && fast.colourTable == portable.colourTable,
                             m.commandLineName);
                }
    }
};

QTEST_GUILESS_MAIN(TestMethods)
#include "test_methods.moc"
