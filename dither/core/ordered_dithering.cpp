// Ordered dithering: each segment's pair by the full pair search, then a threshold
// matrix anchored to picture coordinates picks c1 or c2 per pixel. Optionally the
// scaled error of each pixel is carried whole to the pixel below.

#include "colour_metrics.h"
#include "dithering_run.h"

namespace dither {

namespace {

// The pattern bits of a segment's eight pixels (lineMap) for the pair (first, second):
// level = (size + 1) * projectionRatio, clamped to 0..size (a ratio that is not a number
// gives 0), and a pixel takes c2 unless its threshold exceeds the level. All eight at once,
// each lane with the scalar rule's single-precision arithmetic in its order; the squared
// distances are integers below 2^24, exact in single precision.
[[gnu::always_inline]] inline std::uint8_t orderedPattern(const std::array<ColourParts, 8>& lineMap, ColorValue first,
                                                          ColorValue second, int size, const float* thresholds)
{
    using namespace lanes;
    alignas(32) float parts[3][8];
    for (int k = 0; k < 8; ++k)
        for (int c = 0; c < 3; ++c)
            parts[c][k] = float(lineMap[std::size_t(k)][c]);
    Float8 red, green, blue, threshold;
    loadOctet(red, parts[0], 0);
    loadOctet(green, parts[1], 0);
    loadOctet(blue, parts[2], 0);
    loadOctet(threshold, thresholds, 0);
    auto squaredDistanceTo = [&](ColorValue c, Float8& e) {
        const Float8 dr = red - float(redPart(c)), dg = green - float(greenPart(c)), db = blue - float(bluePart(c));
        e = dr * dr + dg * dg + db * db;
    };
    Float8 e1, e2;
    squaredDistanceTo(first, e1);
    squaredDistanceTo(second, e2);
    const float e12 = squaredDistance(first, second);
    const Float8 ratio = ((e12 + e1 - e2) / e12) / 2.0f;
    Float8 level = float(size + 1) * ratio;
    level = level >= 0.0f ? level : Float8{};
    level = level > float(size) ? Float8{} + float(size) : level;
    const Mask8 takesSecond = (threshold > level) == 0;
    const Mask8 bits = takesSecond & Mask8{128, 64, 32, 16, 8, 4, 2, 1};
    return std::uint8_t(bits[0] | bits[1] | bits[2] | bits[3] | bits[4] | bits[5] | bits[6] | bits[7]);
}

[[gnu::always_inline]] inline void ordered(DitherRun& run, const OrderedMatrix& matrix, bool withErrorCarry)
{
    ErrorPlanes planes(run.diffusionPercent);
    const int size = matrix.size;
    const int mask = matrix.n - 1;
    std::array<ColourParts, 8> lineMap;
    std::array<PixelDistances, 8> d;
    // The thresholds of columns 0..15 of the line; the matrix side divides 16, so segment
    // s starts at column 8 * (s & 1) of this row.
    alignas(32) std::array<float, 16> thresholds;
    for (int y = 0; y < pictureHeight; ++y) {
        for (int x = 0; x < 16; ++x)
            thresholds[std::size_t(x)] = float(matrix.at(x & mask, y & mask));
        for (int s = 0; s < 32; ++s) {
            for (int k = 0; k < 8; ++k) {
                const int x = 8 * s + k;
                lineMap[std::size_t(k)] =
                    withErrorCarry ? planes.mappedParts(run.adjusted, x, y) : partsOf(run.adjusted[pixelIndex(x, y)]);
                run.distances.compute(lineMap[std::size_t(k)], d[std::size_t(k)]);
            }
            const ColourPair pair = fullPairSearch(d.data(), 8, run.active.count, run.pairRoots);
            const std::uint8_t pattern = orderedPattern(lineMap, run.colour(pair.c1), run.colour(pair.c2), size,
                                                        thresholds.data() + 8 * (s & 1));
            for (int k = 0; k < 8; ++k) {
                const int x = 8 * s + k;
                const int chosen = pattern & tms::bitMask[std::size_t(k)] ? pair.c2 : pair.c1;
                run.place(x, y, chosen);
                if (withErrorCarry)
                    planes.add(x, y + 1, 1.0f, planes.errorFor(lineMap[std::size_t(k)], run.colour(chosen)));
            }
            run.writeSegment(y, s, pattern, pair);
        }
        planes.lineDone(y);
        run.lineFinished(y);
    }
}

} // namespace

void ditherOrdered(DitherRun& run, const OrderedMatrix& matrix, bool withErrorCarry)
{
    runInMethodBuild<ordered>(run, matrix, withErrorCarry);
}

} // namespace dither
