#include "resize.h"

#include "colour_metrics.h"

#include <algorithm>
#include <cmath>

namespace dither {

ColorValue loadedColour(QRgb pixel)
{
    const int alpha = qAlpha(pixel);
    auto overBlack = [alpha](int c) { return (c * alpha + 127) / 255; };
    return RGB(overBlack(qRed(pixel)), overBlack(qGreen(pixel)), overBlack(qBlue(pixel)));
}

Picture fitToScreen(const QImage& loaded, ResizeMode resizeMode, ResolutionMode resolutionMode)
{
    const int W = modeWidth(resolutionMode), H = modeHeight(resolutionMode);
    const int pw = loaded.isNull() ? 0 : loaded.width();
    const int ph = loaded.isNull() ? 0 : loaded.height();
    // Scale factors in single precision; the products below in double.
    float sx = pw > W ? float(pw) / float(W) : 1.0f;
    float sy = ph > H ? float(ph) / float(H) : 1.0f;
    switch (resizeMode) {
    case ResizeMode::NoResize: sx = sy = 1.0f; break;
    case ResizeMode::Stretch: break;
    case ResizeMode::RespectAspectRatio: sx = sy = std::max(sx, sy); break;
    }
    Picture source = blackPicture();
    for (int y = 0; y < pictureHeight; ++y) {
        const double v = std::floor(double(sy) * double(y));
        if (v >= ph)
            continue;
        for (int x = 0; x < pictureWidth; ++x) {
            const double u = std::floor(double(sx) * double(x));
            if (u < pw)
                source[pixelIndex(x, y)] = loadedColour(loaded.pixel(int(u), int(v)));
        }
    }
    return source;
}

} // namespace dither
