#pragma once
// The pictures of the command-line converter: PNG through libpng (png_picture.h), no
// picture outputs; every other run is left to the full program.

#include "picture_codecs.h"

namespace dither {

const PictureCodecs& pngPictureCodecs();

} // namespace dither
