// dither: the batch converter, or the Palette Press window when no argument is an
// option. This program links Qt Core and libpng only, so that the common conversion (a
// PNG into PowerPaint files) starts in a few milliseconds: no display, no platform
// plugin, no graphics library. Everything else it hands over, arguments unchanged, to
// the full program beside it (dither-window, window_main.cpp): the window, the other
// picture formats, the BMP and PNG outputs, and any PNG its reader is not sure of.

#include "batch_command.h"
#include "png_codecs.h"
#include "program_hand_over.h"

int main(int argc, char** argv)
{
    if (dither::opensWindow(argc, argv))
        return tms::handOverToProgram(DITHER_FULL_PROGRAM, "window program", argv);
    const int status = dither::runBatchProgram(argc, argv, dither::pngPictureCodecs());
    if (status == dither::needsFullProgram)
        return tms::handOverToProgram(DITHER_FULL_PROGRAM, "full converter", argv);
    return status;
}
