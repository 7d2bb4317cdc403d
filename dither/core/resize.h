#pragma once
// fitToScreen: builds the 256x192 source picture from a loaded picture of any size.
// Pictures are only ever reduced; what the picture does not cover is black.

#include "picture.h"

#include <QImage>

namespace dither {

enum class ResizeMode { NoResize = 0, Stretch = 1, RespectAspectRatio = 2 };
enum class ResolutionMode { Full = 0, TenK = 1 }; // 256x192 or 240x160

constexpr int modeWidth(ResolutionMode m)
{
    return m == ResolutionMode::Full ? 256 : 240;
}
constexpr int modeHeight(ResolutionMode m)
{
    return m == ResolutionMode::Full ? 192 : 160;
}

// Colour value of a loaded pixel; a partly transparent pixel is laid over black.
inline ColorValue loadedColour(QRgb pixel)
{
    const int alpha = qAlpha(pixel);
    if (alpha == 255)
        return tms::rgbValue(qRed(pixel), qGreen(pixel), qBlue(pixel));
    auto overBlack = [alpha](int c) { return (c * alpha + 127) / 255; };
    return tms::rgbValue(overBlack(qRed(pixel)), overBlack(qGreen(pixel)), overBlack(qBlue(pixel)));
}

// Reads only the pixels it samples, so a large loaded picture is never copied.
Picture fitToScreen(const QImage& loaded, ResizeMode resizeMode, ResolutionMode resolutionMode);

} // namespace dither
