#pragma once
// Normalisation of the picture before its tables are compressed for the console:
// colours that no pixel shows are dropped, and rows are inverted where that lets
// them take the colour byte of their neighbour, so that the colour table falls into
// longer runs while the pixels shown stay as they were (palette index 0, the
// transparent colour, counts as a colour no pixel shows).

#include "picture.h"

#include <cstdint>

namespace paint {

// The byte with its two nibbles exchanged.
constexpr std::uint8_t SwapNibbles(std::uint8_t b)
{
    return std::uint8_t((b * 16 + b / 16) % 256);
}

// Rewrites picture's tables in place. Exports run it on a copy, so that exporting
// never changes the user's picture.
void packColors(Picture& picture);

} // namespace paint
