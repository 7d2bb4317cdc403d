#pragma once
// Error diffusion in linear light. The display values of a picture are sRGB encoded, so
// the mean of two display values is darker than the mean of the two lights the eye sees:
// diffusing the display values' error makes dithered mid-tones too bright. Here each
// pixel's target and error are kept in linear light (sRGB decoded), so the error carried
// on is the light that was really missing. Which two colours a segment takes, and which
// of the two a pixel takes, is judged by a distance measured in a space the eye finds
// even (Oklab by default): measured in linear light, dark segments pick pairs far apart
// and shadows turn into sparse bright dots.

#include "dithering_run.h"

#include <optional>

namespace dither {

enum class PairDistance {
    Display, // the display values, as the methods measure them otherwise
    Linear,  // linear light, scaled to 0..255
    Oklab,   // Oklab lightness and hues, scaled to about 0..255
};

// The distance the option uses, chosen by looking at photographs converted with each.
constexpr PairDistance linearLightDistance = PairDistance::Oklab;

// How an error-diffusion method chooses its pairs, and its kernel.
enum class Procedure { FullSearch, FastChoice, BlockSearch };

struct DiffusionMethod {
    Procedure procedure;
    KernelName kernel;
};

// nullopt for the methods that spread no error from pixel to pixel.
std::optional<DiffusionMethod> diffusionOf(Method method);

// Runs the error-diffusion method in linear light. Returns false, and does nothing, for
// the methods that spread no error from pixel to pixel (nearest and the ordered ones).
bool diffuseInLinearLight(DitherRun& run, Method method, PairDistance distance = linearLightDistance);

} // namespace dither
