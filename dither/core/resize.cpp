#include "resize.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace dither {

Picture fitToScreen(int width, int height, const LineSampler& sampleLine, ResizeMode resizeMode,
                    ResolutionMode resolutionMode)
{
    const int W = modeWidth(resolutionMode), H = modeHeight(resolutionMode);
    const int pw = std::max(width, 0), ph = std::max(height, 0);
    // Scale factors in single precision; the products below in double.
    float sx = pw > W ? float(pw) / float(W) : 1.0f;
    float sy = ph > H ? float(ph) / float(H) : 1.0f;
    switch (resizeMode) {
    case ResizeMode::NoResize: sx = sy = 1.0f; break;
    case ResizeMode::Stretch: break;
    case ResizeMode::RespectAspectRatio: sx = sy = std::max(sx, sy); break;
    }
    // The columns read, worked out once for all lines.
    std::array<int, pictureWidth> columns;
    int usedColumns = 0;
    for (int x = 0; x < pictureWidth; ++x) {
        const double u = std::floor(double(sx) * double(x));
        if (u >= pw)
            break; // u grows with x
        columns[std::size_t(usedColumns++)] = int(u);
    }
    Picture source = blackPicture();
    if (usedColumns == 0)
        return source;
    std::array<ArgbPixel, pictureWidth> sampled;
    for (int y = 0; y < pictureHeight; ++y) {
        const double v = std::floor(double(sy) * double(y));
        if (v >= ph)
            continue;
        sampleLine(int(v), columns.data(), usedColumns, sampled.data());
        ColorValue* out = source.data() + pixelIndex(0, y);
        for (int x = 0; x < usedColumns; ++x)
            out[x] = loadedColour(sampled[std::size_t(x)]);
    }
    return source;
}

Picture fitToScreen(const ArgbPicture& loaded, ResizeMode resizeMode, ResolutionMode resolutionMode)
{
    return fitToScreen(
        loaded.width, loaded.height,
        [&loaded](int y, const int* columns, int count, ArgbPixel* out) {
        const ArgbPixel* line = loaded.pixels.data() + std::size_t(y) * std::size_t(loaded.width);
        for (int x = 0; x < count; ++x)
            out[x] = line[columns[x]];
        },
        resizeMode, resolutionMode);
}

} // namespace dither
