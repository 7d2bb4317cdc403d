#pragma once
// A photograph into screen mode 1, fitted from the picture itself rather than from its
// converted screen. Screen mode 1 gives a colour pair to each group of eight characters:
// 32 pairs at most, 256 characters for the 768 cells. Moving the pixels of a converted
// screen into fewer pairs loses much of a photograph, so here:
//   1. every cell rates every pair of the chosen colours by how well dithering with it
//      can show the cell (the distance of each pixel from the line between the two
//      colours, plus the grain that mixing two far colours leaves after a blur);
//   2. a few pairs are chosen so that the cells' best ratings add up least (greedy, then
//      swaps), and the groups are shared out among them by how many cells use each;
//   3. the picture is dithered again with every cell held to its pair, so the error
//      still flows from cell to cell;
//   4. each pair's cells are clustered (k-means on the cells as the eye sees them, a
//      little blurred) down to the characters of its groups;
//   5. every cell then takes whichever of the 256 characters, in its group's colours,
//      shows the cell best.
// Several numbers of pairs are tried and the result closest to the picture is kept.

#include "conversion.h"
#include "screen_tiles.h"

#include <optional>

namespace tile {

struct ModeOnePicture {
    const dither::Picture& adjusted;     // 256x192, after gamma and brightness
    const dither::ActiveColours& active; // the colours chosen, with their console codes
    dither::Method method;
    int diffusion = dither::diffusionDefault; // percent
};

// nullopt for the methods that spread no error (nearest and the ordered ones): their
// screens are fitted as converted.
std::optional<ScreenTiles> modeOneFromPicture(const ModeOnePicture& picture);

// How far a screen drawn in the palette is from the picture after a 1-pixel blur (the
// eye blends the dithering): the sum of squared differences of the blurred components.
double blurredError(const tms::BitmapTable& patterns, const tms::BitmapTable& colors, const tms::Palette& palette,
                    const dither::Picture& picture);

} // namespace tile
