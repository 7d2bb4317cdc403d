#pragma once
// PowerPaint pictures (.pp): the full-screen bitmap stored as 5120-byte blocks of
// twenty 256-byte rows whose first 16 bytes are unused. A 10K file holds character
// columns 0..29 and rows 0..19, patterns first; a 40K file holds the whole screen
// as four quadrants, each a colour block followed by a pattern block.

#include "screen_size.h"

#include <QByteArray>
#include <array>
#include <cstdint>

namespace tms {

// Pattern or colour table of the 256x192 bitmap:
// index = character row * 256 + character column * 8 + pixel line.
using BitmapTable = std::array<std::uint8_t, bitmapTableSize>;

constexpr int bitmapIndex(int charRow, int charColumn, int line)
{
    return charRow * 256 + charColumn * 8 + line;
}

namespace powerpaint {

constexpr qsizetype tenKSize = 10240;
constexpr qsizetype fullSize = 40960;

QByteArray encode(const BitmapTable& patterns, const BitmapTable& colors, bool fullScreen);

// Copies the stored area of a 10K or 40K file into the tables; whatever a 10K file
// does not hold (rows 20..23, columns 30..31) keeps its value. Returns false and
// leaves the tables untouched when data has neither size.
bool decode(const QByteArray& data, BitmapTable& patterns, BitmapTable& colors, bool* fullScreen = nullptr);

} // namespace powerpaint
} // namespace tms
