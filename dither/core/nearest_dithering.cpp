// "Nearest": each segment's pair by the nearest-pair search, each pixel to the nearer
// colour of the pair. No error is carried.

#include "dithering_run.h"

namespace dither {

namespace {

[[gnu::always_inline]] inline void nearest(DitherRun& run)
{
    const int n = run.active.count;
    std::array<PixelDistances, 8> d;
    for (int y = 0; y < pictureHeight; ++y) {
        for (int s = 0; s < 32; ++s) {
            for (int k = 0; k < 8; ++k)
                run.distances.compute(run.adjusted[pixelIndex(8 * s + k, y)], d[k]);
            const ColourPair pair = nearestPairSearch(d.data(), 8, n);
            std::uint8_t pattern = 0;
            for (int k = 0; k < 8; ++k) {
                const bool second = nearerToSecond(d[k], pair);
                run.place(8 * s + k, y, second ? pair.c2 : pair.c1);
                if (second)
                    pattern |= tms::bitMask[k];
            }
            run.writeSegment(y, s, pattern, pair);
        }
        run.lineFinished(y);
    }
}

} // namespace

void ditherNearest(DitherRun& run)
{
    runInMethodBuild<nearest>(run);
}

} // namespace dither
