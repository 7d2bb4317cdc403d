#include "pair_choice.h"

namespace dither {

DistanceCalculator::DistanceCalculator(const ActiveColours& active)
{
    for (int c = 0; c < active.count; ++c) {
        red_[c] = float(redPart(active.colours[c]));
        green_[c] = float(greenPart(active.colours[c]));
        blue_[c] = float(bluePart(active.colours[c]));
    }
}

} // namespace dither
