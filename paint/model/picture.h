#pragma once
// The picture that easel edits: the full 256x192 screen of mode 2 as two flat tables,
// one pattern byte and one colour byte for every 8-pixel row of every character cell.

#include "powerpaint.h"
#include "screen_size.h"

#include <cstdint>

namespace paint {

using tms::screenColumns;
using tms::screenHeight;
using tms::screenRows;
using tms::screenWidth;

// Colour byte of a cleared row: foreground 2 (latent), background 1 (black).
constexpr std::uint8_t clearedColorByte = 33;

struct Picture {
    tms::BitmapTable bitmapPatterns{};
    tms::BitmapTable bitmapColors{};

    bool operator==(const Picture&) const = default;
};

// Every row black: pattern 0, colour byte 33.
void clearPicture(Picture& picture);

// Table index of the row that holds pixel line y (0..191) of character column (0..31).
constexpr int rowIndexOfLine(int column, int y)
{
    return tms::bitmapIndex(y / 8, column, y % 8);
}

// True when pixel (x, y) shows its row's foreground colour.
bool pixelIsForeground(const Picture& picture, int x, int y);

// The palette index that pixel (x, y) shows.
int pixelColor(const Picture& picture, int x, int y);

} // namespace paint
