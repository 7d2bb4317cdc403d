#include "palette.h"

namespace tms {

namespace {
constexpr Palette consoleColors = {
    rgbValue(64, 64, 64),    // 0 transparent
    rgbValue(0, 0, 0),       // 1 black
    rgbValue(33, 200, 66),   // 2 medium green
    rgbValue(94, 220, 120),  // 3 light green
    rgbValue(84, 85, 237),   // 4 dark blue
    rgbValue(125, 118, 252), // 5 light blue
    rgbValue(212, 82, 77),   // 6 dark red
    rgbValue(66, 235, 245),  // 7 cyan
    rgbValue(252, 85, 84),   // 8 medium red
    rgbValue(255, 121, 120), // 9 light red
    rgbValue(212, 193, 84),  // 10 dark yellow
    rgbValue(230, 206, 128), // 11 light yellow
    rgbValue(33, 176, 59),   // 12 dark green
    rgbValue(201, 91, 186),  // 13 magenta
    rgbValue(204, 204, 204), // 14 gray
    rgbValue(255, 255, 255), // 15 white
};
} // namespace

Palette tileEditorPalette()
{
    return consoleColors;
}

Palette standardPalette()
{
    Palette p = consoleColors;
    p[0] = rgbValue(0, 0, 64);
    return p;
}

const char* colourName(int index)
{
    static constexpr std::array<const char*, 16> names = {
        "transparent", "black",     "medium green", "light green",  "dark blue",  "light blue", "dark red", "cyan",
        "medium red",  "light red", "dark yellow",  "light yellow", "dark green", "magenta",    "gray",     "white"};
    return names[std::size_t(index & 15)];
}

} // namespace tms
