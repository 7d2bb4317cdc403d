#pragma once
// Merging distinct cell looks down to a budget of characters. Each look is used by a
// number of screen cells (its weight). Merging two looks keeps the one used more (the
// earlier one on a tie) and redraws the other's cells with it, so a merge changes
// min(weight) x differing pixels: the pair with the fewest changed pixels merges first,
// ties broken by the smaller change in colour distance, then by the earlier looks.
//
// Every look keeps its best partner and that cost; a merge recomputes the partners of
// the merged looks only, so merging n looks costs about n^2 comparisons, not n^3.

#include "cell_look.h"

#include <vector>

namespace tile {

struct MergeOutcome {
    // For each look, the look that now draws its cells (itself when it was kept).
    std::vector<int> keptLook;
    int merges = 0;
};

// weights[i] > 0 is how many cells use looks[i]; the looks are distinct. Returns with
// at most budget looks kept (all of them when there are no more than budget).
MergeOutcome mergeLooks(const std::vector<CellLook>& looks, const std::vector<int>& weights, int budget,
                        const ColourDistances& distances);

} // namespace tile
