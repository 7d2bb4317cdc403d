// Ordered dithering: each segment's pair by the full pair search, then a threshold
// matrix anchored to picture coordinates picks c1 or c2 per pixel. Optionally the
// scaled error of each pixel is carried whole to the pixel below.

#include "colour_metrics.h"
#include "dithering_run.h"

namespace dither {

namespace {

[[gnu::always_inline]] inline void ordered(DitherRun& run, const OrderedMatrix& matrix, bool withErrorCarry)
{
    ErrorPlanes planes(run.diffusionPercent);
    const int size = matrix.size;
    const int mask = matrix.n - 1;
    std::array<ColorValue, 8> lineMap;
    std::array<PixelDistances, 8> d;
    for (int y = 0; y < pictureHeight; ++y) {
        for (int s = 0; s < 32; ++s) {
            for (int k = 0; k < 8; ++k) {
                const int x = 8 * s + k;
                lineMap[k] = withErrorCarry ? planes.mapped(run.adjusted, x, y) : run.adjusted[pixelIndex(x, y)];
                run.distances.compute(lineMap[k], d[k]);
            }
            const ColourPair pair = fullPairSearch(d.data(), 8, run.active.count, run.distanceRoots);
            const ColorValue first = run.colour(pair.c1), second = run.colour(pair.c2);
            std::uint8_t pattern = 0;
            for (int k = 0; k < 8; ++k) {
                const int x = 8 * s + k;
                float level = float(size + 1) * projectionRatio(first, second, lineMap[k]);
                if (!(level >= 0.0f)) // also a t that is not a number
                    level = 0.0f;
                if (level > float(size))
                    level = float(size);
                const bool takesSecond = !(float(matrix.at(x & mask, y & mask)) > level);
                const int chosen = takesSecond ? pair.c2 : pair.c1;
                run.place(x, y, chosen);
                if (takesSecond)
                    pattern |= tms::bitMask[k];
                if (withErrorCarry)
                    planes.add(x, y + 1, 1.0f, planes.errorFor(lineMap[k], run.colour(chosen)));
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
