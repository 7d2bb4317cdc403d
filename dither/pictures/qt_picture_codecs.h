#pragma once
// The pictures of the window program: every format through Qt's readers (readPicture),
// BMP and PNG outputs through Qt's writers.

#include "picture_codecs.h"

namespace dither {

const PictureCodecs& qtPictureCodecs();

} // namespace dither
