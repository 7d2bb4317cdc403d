#pragma once
// The input of easel's batch mode, read by its name with the rules of the window's
// dialogs: .scr and .mlt as the Spectrum import, .grp and .sc2 (MSX screen 2, 16391 or
// 14343 bytes) with their length and header,
// a picture file (PNG, BMP, GIF, JPEG) through the picture import, anything else as a
// PowerPaint file of 10K or 40K.

#include "picture.h"
#include "picture_import.h"

namespace paint {

struct BatchInput {
    Picture picture;
    bool full = false; // the size --save writes by default: an imported screen is whole
};

// Reads path into input. Returns the message for the user, naming the file, or an
// empty text; input is then untouched.
QString readBatchInput(const QString& path, const PictureImportSettings& pictureSettings, BatchInput& input);

} // namespace paint
