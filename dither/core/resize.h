#pragma once
// fitToScreen: builds the 256x192 source picture from a loaded picture of any size.
// Pictures are only ever reduced; what the picture does not cover is black.

#include "picture.h"

#include <cstdint>
#include <functional>
#include <vector>

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

// A loaded pixel as 32-bit ARGB: alpha in bits 24..31, red 16..23, green 8..15, blue
// 0..7 (the layout of Qt's QRgb, which the picture readers give).
using ArgbPixel = std::uint32_t;

// Colour value of a loaded pixel; a partly transparent pixel is laid over black.
constexpr ColorValue loadedColour(ArgbPixel pixel)
{
    const int alpha = int(pixel >> 24);
    const int red = int(pixel >> 16 & 0xFF), green = int(pixel >> 8 & 0xFF), blue = int(pixel & 0xFF);
    if (alpha == 255)
        return tms::rgbValue(red, green, blue);
    auto overBlack = [alpha](int c) { return (c * alpha + 127) / 255; };
    return tms::rgbValue(overBlack(red), overBlack(green), overBlack(blue));
}

// A decoded picture as rows of ARGB pixels, top line first.
struct ArgbPicture {
    int width = 0;
    int height = 0;
    std::vector<ArgbPixel> pixels; // width * height
};

// Reads line y of a loaded picture at count columns (ascending, each within the width)
// into out.
using LineSampler = std::function<void(int y, const int* columns, int count, ArgbPixel* out)>;

// Reads only the pixels it samples, so a large loaded picture is never copied. Every
// picture reader goes through this one rule.
Picture fitToScreen(int width, int height, const LineSampler& sampleLine, ResizeMode resizeMode,
                    ResolutionMode resolutionMode);
Picture fitToScreen(const ArgbPicture& loaded, ResizeMode resizeMode, ResolutionMode resolutionMode);

} // namespace dither
