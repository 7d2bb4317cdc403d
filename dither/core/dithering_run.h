#pragma once
// What every method shares while it runs: the adjusted picture, the active colours and
// their pair table, and the writing of each segment into the result.

#include "conversion.h"
#include "error_planes.h"
#include "kernels.h"
#include "ordered_matrices.h"
#include "pair_choice.h"

#include <utility>

namespace dither {

struct DitherRun {
    DitherRun(Picture adjustedPicture, const ActiveColours& activeColours, int diffusionPercent,
              const ProgressCallback& progressCallback);

    Picture adjusted;
    ActiveColours active;
    DistanceRootTable distanceRoots;
    PairRootTable pairRoots;
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

// The methods are built twice, for any CPU and, on x86-64, for CPUs with AVX2, with the
// searches and the per-pixel steps inlined into each build. Both builds do the same IEEE
// arithmetic in the same order (no fused multiply-adds, see CMakeLists.txt), so they give
// the same bytes; the build is chosen once, by what the CPU offers.
enum class MethodBuild { Portable, Avx2 };

MethodBuild methodBuild();
// Runs the methods in the given build from now on; false (and no change) when the CPU
// lacks it. Lets the two builds be compared.
bool useMethodBuild(MethodBuild build);

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define DITHER_AVX2_BUILD 1
template <auto method, typename... Args>
[[gnu::target("avx2")]] void runAvx2Build(Args&&... args)
{
    method(std::forward<Args>(args)...);
}
#else
#define DITHER_AVX2_BUILD 0
#endif

template <auto method, typename... Args>
void runPortableBuild(Args&&... args)
{
    method(std::forward<Args>(args)...);
}

// Runs `method` (an always-inline function, so each build gets its own code) in the build
// in use.
template <auto method, typename... Args>
void runInMethodBuild(Args&&... args)
{
#if DITHER_AVX2_BUILD
    if (methodBuild() == MethodBuild::Avx2)
        return runAvx2Build<method>(std::forward<Args>(args)...);
#endif
    runPortableBuild<method>(std::forward<Args>(args)...);
}

void ditherNearest(DitherRun& run);
void diffuseErrorPerSegment(DitherRun& run, const Kernel& kernel);
void diffuseErrorFast(DitherRun& run, const Kernel& kernel);
void diffuseErrorPerBlock(DitherRun& run, const Kernel& kernel);
void ditherOrdered(DitherRun& run, const OrderedMatrix& matrix, bool withErrorCarry);

} // namespace dither
