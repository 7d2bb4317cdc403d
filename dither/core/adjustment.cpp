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
    std::array<ColorValue, 256> adjust;
    bool identity = true;
    for (int c = 0; c < 256; ++c) {
        adjust[c] = ColorValue(std::clamp(lut[c] + brightness, 0, 255));
        identity = identity && adjust[c] == ColorValue(c);
    }
    Picture adjusted(source.size());
    // The usual settings change nothing but the unused top byte; this runs before every
    // conversion, live previews included.
    if (identity) {
        for (std::size_t i = 0; i < source.size(); ++i)
            adjusted[i] = source[i] & 0xFFFFFF;
        return adjusted;
    }
    for (std::size_t i = 0; i < source.size(); ++i) {
        const ColorValue c = source[i];
        adjusted[i] = adjust[c & 255] + adjust[(c >> 8) & 255] * 256 + adjust[(c >> 16) & 255] * 65536;
    }
    return adjusted;
}

} // namespace dither
