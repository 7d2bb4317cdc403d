#include "painting_rule.h"

#include <cstdlib>

namespace paint {

int intensity(tms::ColorValue colour)
{
    return tms::redOf(colour) + tms::greenOf(colour) + tms::blueOf(colour);
}

PaintedRow paintRowPixel(std::uint8_t pattern, std::uint8_t color, int pixel, int brush, const tms::Palette& palette)
{
    int foreground = tms::foregroundOf(color);
    int background = tms::backgroundOf(color);
    const std::uint8_t mask = tms::bitMask[pixel & 7];
    const int k = brush & 15;
    bool bitSet;

    // Setting a colour nibble recolours every pixel that showed the old colour, since
    // the pixels of a row only refer to "foreground" or "background".
    auto replaceBackground = [&] {
        background = k;
        bitSet = false;
    };
    auto replaceForeground = [&] {
        foreground = k;
        bitSet = true;
    };
    auto distance = [&](int c) { return std::abs(intensity(palette[c]) - intensity(palette[k])); };

    if (k == foreground) { // also when both colours are k
        bitSet = true;
    } else if (k == background) {
        bitSet = false;
    } else if (!(pattern & mask)) { // a background pixel gets a third colour
        if (pattern == 255 - mask)
            replaceBackground(); // the only background pixel: its colour can go
        else if (pattern == 0)
            replaceForeground(); // the latent foreground is unused: take it
        else if (distance(background) <= distance(foreground))
            replaceBackground(); // ties replace the background
        else
            replaceForeground();
    } else { // a foreground pixel gets a third colour
        if (pattern == mask)
            replaceForeground();
        else if (pattern == 255)
            replaceBackground();
        else if (distance(foreground) < distance(background))
            replaceForeground();
        else
            replaceBackground();
    }

    const std::uint8_t newPattern = std::uint8_t((pattern & ~mask) | (bitSet ? mask : 0));
    return {newPattern, tms::colorByte(foreground, background)};
}

} // namespace paint
