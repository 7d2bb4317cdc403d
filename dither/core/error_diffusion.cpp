// The three error-diffusion procedures. They share the error planes, the kernels and
// the serpentine scan (even lines right to left) and differ in how a segment's two
// colours are chosen.

#include "dithering_run.h"
#include "serpentine_scan.h"

namespace dither {

namespace {

// Recomputes lineMap(x) (it now holds the error of the pixels just placed), gives the
// pixel c1 or c2 by the projection rule, and spreads its error. Gives the segment's
// pattern bit `bit` when it took c2, else 0. `carried` holds the shares of the pixels
// placed just before for this one and the next, then with this pixel's shares added.
[[gnu::always_inline]] inline std::uint8_t placeByProjection(DitherRun& run, ErrorPlanes& planes,
                                                             const SpreadTaps& taps, int x, int y, ColourPair pair,
                                                             const ProjectionRule& rule, std::uint8_t bit,
                                                             CarriedShares& carried)
{
    const ScalarParts lineMap = planes.mappedScalars(run.adjusted[pixelIndex(x, y)], x, y, carried.next);
    const int second = -int(rule.takesSecond(lineMap)); // all ones or 0
    planes.spread(taps, x, rule.difference(lineMap, second), carried);
    run.place(x, y, pair.c1 + ((pair.c2 - pair.c1) & second));
    return std::uint8_t(bit & second);
}

[[gnu::always_inline]] inline void perSegment(DitherRun& run, const Kernel& kernel)
{
    ErrorPlanes planes(run.diffusionPercent);
    const SpreadTaps taps(kernel, 1.0f, run.diffusionPercent);
    std::array<PixelDistances, 8> d;
    for (int y = 0; y < pictureHeight; ++y) {
        const SerpentineScan scan(y);
        for (int n = 0; n < 32; ++n) {
            const int segment = scan.segment(n);
            for (int k = 0; k < 8; ++k)
                run.distances.compute(planes.mappedParts(run.adjusted, 8 * segment + k, y), d[k]);
            const ColourPair pair = fullPairSearch(d.data(), 8, run.active.count, run.pairRoots);
            const ProjectionRule rule(run.active, pair);
            std::uint8_t pattern = 0;
            CarriedShares carried;
            for (int m = 0; m < 8; ++m) {
                const int k = scan.pixel(m);
                pattern |=
                    placeByProjection(run, planes, taps, 8 * segment + k, y, pair, rule, tms::bitMask[k], carried);
            }
            planes.settle(8 * segment + scan.pixel(7) + scan.step, y, scan.step, carried);
            run.writeSegment(y, segment, pattern, pair);
        }
        planes.spreadBelow(taps, y, scan.step);
        run.lineFinished(y);
    }
}

[[gnu::always_inline]] inline void fast(DitherRun& run, const Kernel& kernel)
{
    ErrorPlanes planes(run.diffusionPercent);
    const SpreadTaps taps(kernel, 1.0f, run.diffusionPercent);
    const int n = run.active.count;
    PixelDistances d0, d1;
    std::array<PixelDistances, 7> rest;
    for (int y = 0; y < pictureHeight; ++y) {
        const SerpentineScan scan(y);
        const int s = scan.step;
        for (int m = 0; m < 32; ++m) {
            const int segment = scan.segment(m);
            const int x0 = 8 * segment + (scan.rightToLeft ? 7 : 0);
            const ColourParts lineMap0 = planes.mappedParts(run.adjusted, x0, y);
            run.distances.compute(lineMap0, d0);
            run.distances.compute(planes.mappedParts(run.adjusted, x0 + s, y), d1);
            const int c1 = firstColourChoice(d0, d1, n);

            // The first pixel takes c1 outright (bit 0).
            run.place(x0, y, c1);
            CarriedShares carried;
            const ColourParts difference0 = lineMap0 - partsOf(run.colour(c1));
            planes.spread(taps, x0, {difference0[0], difference0[1], difference0[2]}, carried);
            planes.settle(x0 + s, y, s, carried);

            for (int i = 1; i < 8; ++i)
                run.distances.compute(planes.mappedParts(run.adjusted, x0 + s * i, y), rest[i - 1]);
            const ColourPair pair{c1, secondColourChoice(rest.data(), 7, c1, n, run.distanceRoots)};

            const ProjectionRule rule(run.active, pair);
            std::uint8_t pattern = 0;
            for (int i = 1; i < 8; ++i) {
                const int x = x0 + s * i;
                pattern |=
                    placeByProjection(run, planes, taps, x, y, pair, rule, tms::bitMask[x - 8 * segment], carried);
            }
            planes.settle(x0 + 8 * s, y, s, carried);
            run.writeSegment(y, segment, pattern, pair);
        }
        planes.spreadBelow(taps, y, scan.step);
        run.lineFinished(y);
    }
}

[[gnu::always_inline]] inline void perBlock(DitherRun& run, const Kernel& kernel)
{
    ErrorPlanes planes(run.diffusionPercent);
    const SpreadTaps taps(kernel, 0.5f, run.diffusionPercent); // every weight halved
    std::array<PixelDistances, 64> d;
    std::array<ColourPair, 32> pairs;
    for (int b = 0; b < pictureHeight; b += 8) {
        // One pair per 8x8 block: line b with its error so far, the seven lines below
        // as adjusted, each line left to right.
        for (int segment = 0; segment < 32; ++segment) {
            for (int k = 0; k < 8; ++k)
                run.distances.compute(planes.mappedParts(run.adjusted, 8 * segment + k, b), d[k]);
            for (int r = 1; r < 8; ++r)
                for (int k = 0; k < 8; ++k)
                    run.distances.compute(run.adjusted[pixelIndex(8 * segment + k, b + r)], d[8 * r + k]);
            pairs[segment] = fullPairSearch(d.data(), 64, run.active.count, run.pairRoots);
            run.report(std::nullopt);
        }
        for (int r = 0; r < 8; ++r) {
            const int y = b + r;
            const SerpentineScan scan(y); // b is a multiple of 8, so the parity of y is that of r
            for (int n = 0; n < 32; ++n) {
                const int segment = scan.segment(n);
                const ProjectionRule rule(run.active, pairs[segment]);
                std::uint8_t pattern = 0;
                CarriedShares carried;
                for (int m = 0; m < 8; ++m) {
                    const int k = scan.pixel(m);
                    pattern |= placeByProjection(run, planes, taps, 8 * segment + k, y, pairs[segment], rule,
                                                 tms::bitMask[k], carried);
                }
                planes.settle(8 * segment + scan.pixel(7) + scan.step, y, scan.step, carried);
                run.writeSegment(y, segment, pattern, pairs[segment]);
            }
            planes.spreadBelow(taps, y, scan.step);
        }
        run.report(b + 8);
    }
}

} // namespace

void diffuseErrorPerSegment(DitherRun& run, const Kernel& kernel)
{
    runInMethodBuild<perSegment>(run, kernel);
}

void diffuseErrorFast(DitherRun& run, const Kernel& kernel)
{
    runInMethodBuild<fast>(run, kernel);
}

void diffuseErrorPerBlock(DitherRun& run, const Kernel& kernel)
{
    runInMethodBuild<perBlock>(run, kernel);
}

} // namespace dither
