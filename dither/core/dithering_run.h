#pragma once
// What every method shares while it runs: the adjusted picture, the active colours and
// their pair table, and the writing of each segment into the result.

#include "conversion.h"
#include "error_planes.h"
#include "kernels.h"
#include "ordered_matrices.h"
#include "pair_choice.h"

namespace dither {

struct DitherRun {
    DitherRun(Picture adjustedPicture, const ActiveColours& activeColours, int diffusionPercent,
              const ProgressCallback& progressCallback);

    Picture adjusted;
    ActiveColours active;
    DistanceRootTable distanceRoots;
    DistanceCalculator distances;
    int diffusionPercent;
    const ProgressCallback& progress;
    ConversionResult result;

    ColorValue colour(int index) const { return active.colours[index]; }
    void place(int x, int y, int index) { result.picture[pixelIndex(x, y)] = colour(index); }
    // Stores the segment's pattern byte and colour byte (c2 in the high nibble).
    void writeSegment(int y, int segment, std::uint8_t pattern, ColourPair pair);
    // Progress after every line y with y And 3 = 1.
    void lineFinished(int y) const;
    void report(std::optional<int> line) const;
};

// The methods are built twice, for any x86-64 and for CPUs with AVX2 (chosen once at
// start-up by the loader), with the searches and the per-pixel steps inlined into each.
// Both builds do the same IEEE arithmetic in the same order (no fused multiply-adds, see
// CMakeLists.txt), so they give the same bytes.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define DITHER_METHOD_BUILDS __attribute__((target_clones("avx2", "default")))
#else
#define DITHER_METHOD_BUILDS
#endif

void ditherNearest(DitherRun& run);
void diffuseErrorPerSegment(DitherRun& run, const Kernel& kernel);
void diffuseErrorFast(DitherRun& run, const Kernel& kernel);
void diffuseErrorPerBlock(DitherRun& run, const Kernel& kernel);
void ditherOrdered(DitherRun& run, const OrderedMatrix& matrix, bool withErrorCarry);

} // namespace dither
