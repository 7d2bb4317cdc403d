#include "pair_choice.h"

namespace dither {

DistanceCalculator::DistanceCalculator(const ActiveColours& active)
{
    for (int c = 0; c < active.count; ++c) {
        red_[c] = redPart(active.colours[c]);
        green_[c] = greenPart(active.colours[c]);
        blue_[c] = bluePart(active.colours[c]);
    }
}

} // namespace dither
