#include "pack_colors.h"

#include "palette.h"

namespace paint {

namespace {

bool hasZeroNibble(std::uint8_t color)
{
    return tms::foregroundOf(color) == 0 || tms::backgroundOf(color) == 0;
}

// One merge step of row i after a row whose colour byte is prev: a row that shows a
// single colour (the other nibble is 0) takes prev's colour byte when prev holds
// that colour, inverting its pattern when the colour is prev's other nibble.
// Returns true when the row changed.
bool mergeWithNeighbour(Picture& picture, int i, std::uint8_t prev)
{
    const std::uint8_t cur = picture.bitmapColors[i];
    const int shown = tms::backgroundOf(cur) == 0 ? tms::foregroundOf(cur) : tms::backgroundOf(cur);
    const int sameSide = tms::backgroundOf(cur) == 0 ? tms::foregroundOf(prev) : tms::backgroundOf(prev);
    const int otherSide = tms::backgroundOf(cur) == 0 ? tms::backgroundOf(prev) : tms::foregroundOf(prev);
    if (sameSide == shown) {
        picture.bitmapColors[i] = prev;
        return true;
    }
    if (otherSide == shown) {
        picture.bitmapPatterns[i] = std::uint8_t(255 - picture.bitmapPatterns[i]);
        picture.bitmapColors[i] = prev;
        return true;
    }
    return false;
}

struct PassOutcome {
    int zeroNibbles = 0; // rows met with a hidden colour
    bool changed = false;
};

// A merge pass from index first towards index last (either direction).
PassOutcome mergePass(Picture& picture, int first, int last)
{
    const int step = last > first ? 1 : -1;
    PassOutcome outcome;
    std::uint8_t prev = picture.bitmapColors[first];
    for (int i = first + step; i != last + step; i += step) {
        if (hasZeroNibble(picture.bitmapColors[i])) {
            ++outcome.zeroNibbles;
            if (!hasZeroNibble(prev) && mergeWithNeighbour(picture, i, prev))
                outcome.changed = true;
        }
        prev = picture.bitmapColors[i];
    }
    return outcome;
}

} // namespace

void packColors(Picture& picture)
{
    constexpr int last = int(tms::BitmapTable().size()) - 1;

    // Hidden colours: a row without 1-bits shows no foreground, one without 0-bits no background.
    for (int i = 0; i <= last; ++i) {
        std::uint8_t& color = picture.bitmapColors[i];
        if (picture.bitmapPatterns[i] == 0)
            color = std::uint8_t(color & 0x0F);
        else if (picture.bitmapPatterns[i] == 255)
            color = std::uint8_t(color & 0xF0);
    }

    // Merge rounds; each round that goes on changes at least one row for good (a row
    // with a hidden colour gets a full colour byte), so the repetition always ends.
    for (;;) {
        const PassOutcome forward = mergePass(picture, 0, last);
        const PassOutcome backward = mergePass(picture, last, 0);
        if (backward.zeroNibbles != forward.zeroNibbles || !(forward.changed || backward.changed))
            break;
    }

    // Swap pass: a row whose colours are its predecessor's swapped takes them in
    // order, with its pattern inverted.
    std::uint8_t prev = picture.bitmapColors[0];
    for (int i = 1; i <= last; ++i) {
        if (SwapNibbles(picture.bitmapColors[i]) == prev) {
            picture.bitmapColors[i] = prev;
            picture.bitmapPatterns[i] = std::uint8_t(255 - picture.bitmapPatterns[i]);
        } else {
            prev = picture.bitmapColors[i];
        }
    }
}

} // namespace paint
