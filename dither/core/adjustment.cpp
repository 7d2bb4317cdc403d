#include "adjustment.h"

#include "colour_metrics.h"

#include <algorithm>
#include <cmath>

namespace dither {

GammaLut gammaCurve(int gammaPercent)
{
    double g = gammaPercent / 100.0;
    if (g <= 0.01)
        g = 0.01;
    GammaLut lut{};
    for (int i = 0; i < 256; ++i) {
        const double v = std::floor(255.0 * std::pow(i / 255.0, 1.0 / g) + 0.5);
        lut[i] = std::int16_t(std::clamp(v, 0.0, 255.0));
    }
    return lut;
}

Picture adjustPicture(const Picture& source, int gammaPercent, int brightness)
{
    const GammaLut lut = gammaCurve(gammaPercent);
    auto adjust = [&](int component) { return std::clamp(lut[component] + brightness, 0, 255); };
    Picture adjusted(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const ColorValue c = source[i];
        adjusted[i] = RGB(adjust(redPart(c)), adjust(greenPart(c)), adjust(bluePart(c)));
    }
    return adjusted;
}

} // namespace dither
