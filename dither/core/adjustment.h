#pragma once
// Gamma and brightness: turn the source picture into the picture that is dithered.

#include "picture.h"

#include <array>
#include <cstdint>

namespace dither {

constexpr int gammaMin = 10, gammaMax = 190, gammaDefault = 100;
constexpr int brightnessMin = -100, brightnessMax = 100, brightnessDefault = 0;

using GammaLut = std::array<std::int16_t, 256>;

// The gamma curve for one component; the identity at 100 %.
GammaLut gammaCurve(int gammaPercent);

// Gamma first, then brightness added to each component, clamped to 0..255.
Picture adjustPicture(const Picture& source, int gammaPercent, int brightness);

} // namespace dither
