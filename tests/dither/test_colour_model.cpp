// Palettes, distances, picture adjustment, the pair and pixel rules, the matrices and
// the error arithmetic, on hand-worked values.

#include "adjustment.h"
#include "colour_metrics.h"
#include "error_planes.h"
#include "kernels.h"
#include "ordered_matrices.h"
#include "pair_choice.h"
#include "palettes.h"
#include "test_pictures.h"

#include <QtTest>

using namespace dither;

namespace {

PixelDistances distancesOf(std::initializer_list<float> values)
{
    PixelDistances d;
    int i = 0;
    for (float v : values)
        d.to[i++] = v;
    return d;
}

DistanceRootTable uniformRoots()
{
    DistanceRootTable t{};
    for (auto& row : t)
        row.fill(1.0f);
    return t;
}

std::pair<int, int> pairOf(ColourPair p)
{
    return {p.c1, p.c2};
}

} // namespace

class TestColourModel : public QObject {
    Q_OBJECT
private slots:
    void presetsAndActiveLists()
    {
        const tms::Palette one = presetPalette(0);
        QVERIFY(one == tms::standardPalette() && presetPalette(2) == one); // values checked in the common tests

        const ActiveColours active = chooseActiveColours(one, dither_test::colours({15, 1, 6}));
        QCOMPARE(active.count, 3);
        QCOMPARE(QList<int>({active.codes[0], active.codes[1], active.codes[2]}), QList<int>({1, 6, 15}));
        QCOMPARE(active.colours[2], RGB(255, 255, 255));
        // Black as background (c1) and white as foreground (c2): hex F1.
        QCOMPARE(int(segmentColourByte(active, 0, 2)), 241);
    }

    void distancesAndProjection()
    {
        QCOMPARE(colourDistance(RGB(1, 2, 3), RGB(4, 6, 3)), 5.0f);
        QCOMPARE(projectionRatio(RGB(0, 0, 0), RGB(0, 0, 100), RGB(0, 0, 150)), 1.5f); // beyond c2

        // The root taken in single precision equals the double root rounded to single
        // for every sum of squares that can occur.
        for (std::int32_t sum = 0; sum <= 3 * 255 * 255; ++sum)
            if (rootOfSum(sum) != float(std::sqrt(double(sum))))
                QFAIL(qPrintable(QStringLiteral("root differs at %1").arg(sum)));
    }

    void gammaAndBrightness()
    {
        const GammaLut identity = gammaCurve(100);
        for (int i = 0; i < 256; ++i)
            QCOMPARE(int(identity[i]), i);
        QCOMPARE(int(gammaCurve(50)[128]), 64); // 255 * (128/255)^2 + 0.5 = 64.75
        QCOMPARE(int(gammaCurve(190)[64]), 123);
        QCOMPARE(int(gammaCurve(190)[200]), 224);
        QCOMPARE(int(gammaCurve(10)[10]), 0);
        QCOMPARE(int(gammaCurve(10)[255]), 255);

        const Picture source = dither_test::noisyPicture();
        QVERIFY(adjustPicture(source, 100, 0) == source);
        const Picture dark = adjustPicture(Picture{RGB(100, 101, 200), RGB(255, 0, 7)}, 100, -100);
        QCOMPARE(dark[0], RGB(0, 1, 100));
        QCOMPARE(dark[1], RGB(155, 0, 0));
        // Gamma before brightness: 64 -> 123 -> 173.
        QCOMPARE(adjustPicture(Picture{RGB(64, 64, 64)}, 190, 50)[0], RGB(173, 173, 173));
    }

    void fullPairSearchTakesLastTieAndTracksBest()
    {
        // Sums per pair over two pixels: (0,1) = 10, (0,2) = 10, (1,2) = 12 -> the tie
        // goes to (0,2), the pair evaluated last.
        const std::array<PixelDistances, 2> tie = {distancesOf({1, 4, 4}), distancesOf({1, 4, 4})};
        QCOMPARE(pairOf(fullPairSearch(tie.data(), 2, 3, pairRootsOf(uniformRoots(), 3))), std::pair(0, 2));
        // (0,1) = 4, (0,2) = 8, (1,2) = 6: a later, worse pair must not replace the best.
        const std::array<PixelDistances, 2> best = {distancesOf({1, 1, 3}), distancesOf({1, 1, 3})};
        QCOMPARE(pairOf(fullPairSearch(best.data(), 2, 3, pairRootsOf(uniformRoots(), 3))), std::pair(0, 1));
        // The sum is divided by distanceRoots: a far pair wins despite a larger sum.
        DistanceRootTable roots = uniformRoots();
        roots[1][2] = roots[2][1] = 2.0f;
        QCOMPARE(pairOf(fullPairSearch(best.data(), 2, 3, pairRootsOf(roots, 3))),
                 std::pair(1, 2)); // 8 / 2 = 4 ties with (0,1), later
    }

    void fastMethodColourChoices()
    {
        // v = 3 * e(p0) + e(p1): colour 0 gives 3 + 9 = 12, colour 1 gives 12 + 0 = 12,
        // colour 2 gives 15: the tie goes to the lowest index.
        QCOMPARE(firstColourChoice(distancesOf({1, 4, 5}), distancesOf({9, 0, 0}), 3), 0);
        QCOMPARE(firstColourChoice(distancesOf({2, 1, 0}), distancesOf({0, 0, 4}), 3), 1);

        // Second colour against c1 = 1: c = 0 sums 2 + 2 = 4, c = 2 sums 4: the later
        // index wins the tie; c1 itself is never taken, and c2 may be below c1.
        const std::array<PixelDistances, 2> q = {distancesOf({1, 1, 1}), distancesOf({1, 1, 1})};
        QCOMPARE(secondColourChoice(q.data(), 2, 1, 3, uniformRoots()), 2);
        const std::array<PixelDistances, 2> low = {distancesOf({0, 1, 3}), distancesOf({0, 1, 3})};
        QCOMPARE(secondColourChoice(low.data(), 2, 1, 3, uniformRoots()), 0);
    }

    void nearestRules()
    {
        // Sum of the nearer distance: (0,1) = 2, (0,2) = 2, (1,2) = 6: the tie goes to (0,2).
        const std::array<PixelDistances, 2> pixels = {distancesOf({1, 5, 3}), distancesOf({1, 3, 5})};
        QCOMPARE(pairOf(nearestPairSearch(pixels.data(), 2, 3)), std::pair(0, 2));
        QVERIFY(nearerToSecond(distancesOf({2, 2}), {0, 1})); // equal distances give c2
        QVERIFY(!nearerToSecond(distancesOf({1, 2}), {0, 1}));
    }

    void generatedMatricesFollowTheRule()
    {
        const auto rows = [](const OrderedMatrix& m) {
            QList<int> cells;
            for (int y = 0; y < m.n; ++y)
                for (int x = 0; x < m.n; ++x)
                    cells << m.at(x, y);
            return cells;
        };
        QCOMPARE(rows(orderedMatrix(MatrixName::Level5)), (QList<int>{4, 2, 1, 3}));
        QCOMPARE(rows(orderedMatrix(MatrixName::Level17)),
                 (QList<int>{16, 8, 14, 6, 4, 12, 2, 10, 13, 5, 15, 7, 1, 9, 3, 11}));
        const QList<int> m257 = rows(orderedMatrix(MatrixName::Level257));
        QCOMPARE(m257.size(), 256);
        QCOMPARE(m257.mid(0, 8), (QList<int>{256, 128, 224, 96, 248, 120, 216, 88}));
        QCOMPARE(m257.mid(15 * 16, 4), (QList<int>{1, 129, 33, 161}));
        for (MatrixName name : {MatrixName::Level65, MatrixName::Level257}) {
            QList<int> sorted = rows(orderedMatrix(name));
            std::sort(sorted.begin(), sorted.end());
            for (int i = 0; i < sorted.size(); ++i)
                QCOMPARE(sorted[i], i + 1);
        }
        QCOMPARE(rows(orderedMatrix(MatrixName::Tritone)), (QList<int>{4, 2, 2, 4}));
        QCOMPARE(orderedMatrix(MatrixName::Level17b).at(3, 3), 1);
    }

    void kernelsAreNormalised()
    {
        for (int k = 0; k < 8; ++k) {
            double total = 0;
            for (const Kernel::Tap& tap : kernel(KernelName(k)).taps()) {
                QVERIFY(tap.dy > 0 || tap.dx > 0); // row 0 only ahead of the pixel
                total += tap.w;
            }
            QVERIFY2(std::abs(total - 1.0) < 1e-6, qPrintable(QString::number(k)));
        }
        const auto fs = kernel(KernelName::FloydSteinberg).taps();
        QCOMPARE(QList<float>({float(fs[1].dx), float(fs[1].dy), fs[1].w}), QList<float>({-1, 1, 3.0f / 16.0f}));
        QCOMPARE(kernel(KernelName::StevensonArce).taps()[0].dx, 2); // zero weight at +1 left out

        // The integer shares are floor(w * e) for every weight in use, halved for the 8x8
        // method, and the extremes a weight may take.
        QList<float> weights = {1.0f, float(smallestTapWeight)};
        for (int k = 0; k < 8; ++k)
            for (const Kernel::Tap& tap : kernel(KernelName(k)).taps())
                weights << tap.w << tap.w * 0.5f;
        for (float w : weights)
            for (int e = -maxError; e <= maxError; e += 8) {
                const Int8 errors = Int8{0, 1, 2, 3, 4, 5, 6, 7} + e;
                Int8 shares;
                floorShares(shares, IntegerWeight(w), errors);
                for (int lane = 0; lane < 8 && errors[lane] <= maxError; ++lane)
                    QCOMPARE(shares[lane], int(std::floor(double(w) * errors[lane])));
            }
    }
};

QTEST_GUILESS_MAIN(TestColourModel)
#include "test_colour_model.moc"
