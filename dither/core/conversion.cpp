#include "conversion.h"

#include "adjustment.h"
#include "dithering_run.h"
#include "linear_light.h"

namespace dither {

DitherRun::DitherRun(Picture adjustedPicture, const ActiveColours& activeColours, int diffusion,
                     const ProgressCallback& progressCallback)
    : adjusted(std::move(adjustedPicture))
    , active(activeColours)
    , sqrt_ecart(init_sqrt_ecart(activeColours))
    , distances(activeColours)
    , diffusionPercent(diffusion)
    , progress(progressCallback)
{
}

void DitherRun::writeSegment(int y, int segment, std::uint8_t pattern, ColourPair pair)
{
    const int index = segmentIndex(y, segment);
    result.pattern_table[index] = pattern;
    result.colour_table[index] = segmentColourByte(active, pair.c1, pair.c2);
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
    Picture adjusted = calcul_adjusted_image(source, settings.gamma, settings.brightness);
    const ActiveColours active = optimize_color_palette(init_palette(settings.palette_mode), settings.colours);
    if (active.active_count < 2)
        return std::nullopt;

    DitherRun run(std::move(adjusted), active, settings.diffusion, progress);
    if (settings.linearLight && diffuseInLinearLight(run, settings.method))
        return std::move(run.result);
    auto ordered = [&](MatrixName m) { ordered_dithering(run, orderedMatrix(m), settings.orderedError); };
    switch (settings.method) {
    case Method::Nearest: nearest_dithering(run); break;
    case Method::FloydSteinberg: error_diffusion(run, kernel(KernelName::FloydSteinberg)); break;
    case Method::FloydSteinbergFast: error_diffusion_2(run, kernel(KernelName::FloydSteinberg)); break;
    case Method::FloydSteinberg8x8: error_diffusion_3(run, kernel(KernelName::FloydSteinberg)); break;
    case Method::Burkes: error_diffusion(run, kernel(KernelName::Burkes)); break;
    case Method::Stucki: error_diffusion(run, kernel(KernelName::Stucki)); break;
    case Method::Sierra: error_diffusion(run, kernel(KernelName::Sierra)); break;
    case Method::JarvisJudiceNinke: error_diffusion(run, kernel(KernelName::JarvisJudiceNinke)); break;
    case Method::StevensonArce: error_diffusion(run, kernel(KernelName::StevensonArce)); break;
    case Method::DbSpecial: error_diffusion_2(run, kernel(KernelName::DbSpecial)); break;
    case Method::TinySpecial: error_diffusion_2(run, kernel(KernelName::TinySpecial)); break;
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
