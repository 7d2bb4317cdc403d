#pragma once
// The console's sixteen colours and the byte conventions shared by every program.
//
// A colour value is a 32-bit integer with red in bits 0..7, green in 8..15 and
// blue in 16..23. A colour byte holds the foreground index in its high nibble and
// the background index in its low nibble. In a pattern byte bit 7 is the leftmost pixel.

#include <array>
#include <cstdint>

namespace tms {

using ColorValue = std::uint32_t;
using Palette = std::array<ColorValue, 16>;

constexpr ColorValue rgbValue(int red, int green, int blue)
{
    return ColorValue(red) | (ColorValue(green) << 8) | (ColorValue(blue) << 16);
}
constexpr int redOf(ColorValue v)
{
    return int(v & 0xFF);
}
constexpr int greenOf(ColorValue v)
{
    return int((v >> 8) & 0xFF);
}
constexpr int blueOf(ColorValue v)
{
    return int((v >> 16) & 0xFF);
}

// Tile editor palette: the transparent colour 0 is shown as dark grey.
Palette tileEditorPalette();
// Palette of the mode 1 tile editor, the paint program and the dither tool:
// colour 0 is shown as dark blue.
Palette standardPalette();

// The chip's own name of colour 0..15 ("transparent", "black", "medium green"...).
const char* colourName(int index);

// 0xAARRGGBB form for QImage pixels.
constexpr unsigned int toQRgb(ColorValue v)
{
    return 0xFF000000u | (unsigned(redOf(v)) << 16) | (unsigned(greenOf(v)) << 8) | unsigned(blueOf(v));
}

// Mask of pixel column x (0 = leftmost) within a pattern byte.
constexpr std::array<std::uint8_t, 8> bitMask = {128, 64, 32, 16, 8, 4, 2, 1};

constexpr int foregroundOf(std::uint8_t colorByte)
{
    return colorByte >> 4;
}
constexpr int backgroundOf(std::uint8_t colorByte)
{
    return colorByte & 0x0F;
}
constexpr std::uint8_t colorByte(int foreground, int background)
{
    return std::uint8_t(((foreground & 15) << 4) | (background & 15));
}

} // namespace tms
