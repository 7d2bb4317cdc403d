#include "conversion.h"

#include "adjustment.h"
#include "dithering_run.h"
#include "linear_light.h"

namespace dither {

DitherRun::DitherRun(Picture adjustedPicture, const ActiveColours& activeColours, int diffusion,
                     const ProgressCallback& progressCallback)
    : adjusted(std::move(adjustedPicture)), active(activeColours), distanceRoots(makeDistanceRoots(activeColours)),
      pairRoots(pairRootsOf(distanceRoots, activeColours.count)), distances(activeColours), diffusionPercent(diffusion),
      progress(progressCallback)
{
}

void DitherRun::writeSegment(int y, int segment, std::uint8_t pattern, ColourPair pair)
{
    const int index = tms::bitmapIndex(y / 8, segment, y % 8);
    result.patternTable[index] = pattern;
    result.colourTable[index] = segmentColourByte(active, pair.c1, pair.c2);
}

void DitherRun::lineFinished(int y) const
{
    if ((y & 3) == 1)
        report(y);
}

void DitherRun::report(std::optional<int> line) const
{
    if (progress)
        progress(line);
}

QString lineStatusText(int line)
{
    return QStringLiteral("line#") + (line >= 0 ? QStringLiteral(" ") : QString()) + QString::number(line);
}

std::optional<ConversionResult> convert(const Picture& source, const ConversionSettings& settings,
                                        const ProgressCallback& progress)
{
    Picture adjusted = adjustPicture(source, settings.gamma, settings.brightness);
    const ActiveColours active = chooseActiveColours(presetPalette(settings.paletteMode), settings.colours);
    if (active.count < 2)
        return std::nullopt;

    DitherRun run(std::move(adjusted), active, settings.diffusion, progress);
    if (settings.linearLight && diffuseInLinearLight(run, settings.method))
        return std::move(run.result);
    auto ordered = [&](MatrixName m) { ditherOrdered(run, orderedMatrix(m), settings.orderedError); };
    switch (settings.method) {
    case Method::Nearest: ditherNearest(run); break;
    case Method::FloydSteinberg: diffuseErrorPerSegment(run, kernel(KernelName::FloydSteinberg)); break;
    case Method::FloydSteinbergFast: diffuseErrorFast(run, kernel(KernelName::FloydSteinberg)); break;
    case Method::FloydSteinberg8x8: diffuseErrorPerBlock(run, kernel(KernelName::FloydSteinberg)); break;
    case Method::Burkes: diffuseErrorPerSegment(run, kernel(KernelName::Burkes)); break;
    case Method::Stucki: diffuseErrorPerSegment(run, kernel(KernelName::Stucki)); break;
    case Method::Sierra: diffuseErrorPerSegment(run, kernel(KernelName::Sierra)); break;
    case Method::JarvisJudiceNinke: diffuseErrorPerSegment(run, kernel(KernelName::JarvisJudiceNinke)); break;
    case Method::StevensonArce: diffuseErrorPerSegment(run, kernel(KernelName::StevensonArce)); break;
    case Method::DbSpecial: diffuseErrorFast(run, kernel(KernelName::DbSpecial)); break;
    case Method::TinySpecial: diffuseErrorFast(run, kernel(KernelName::TinySpecial)); break;
    case Method::Tritone: ordered(MatrixName::Tritone); break;
    case Method::Ordered5: ordered(MatrixName::Level5); break;
    case Method::Ordered9: ordered(MatrixName::Level9); break;
    case Method::Ordered17: ordered(MatrixName::Level17); break;
    case Method::Ordered17b: ordered(MatrixName::Level17b); break;
    case Method::Ordered65: ordered(MatrixName::Level65); break;
    case Method::Ordered257: ordered(MatrixName::Level257); break;
    }
    return std::move(run.result);
}

} // namespace dither
