#include "pair_choice.h"

namespace dither {

DistanceCalculator::DistanceCalculator(const ActiveColours& active)
{
    for (int c = 0; c < active.active_count; ++c) {
        red_[c] = rouge(active.active_palette[c]);
        green_[c] = vert(active.active_palette[c]);
        blue_[c] = bleu(active.active_palette[c]);
    }
}

} // namespace dither
