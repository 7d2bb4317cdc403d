#pragma once
// Reading a picture file in a window: readPicture on a worker thread, the window kept
// responsive, with a busy cursor and a Cancel (see background_decode.h). The converter's
// window and the editors' Import Picture read through it.

#include "background_decode.h"

class QWidget;

namespace dither {

// The picture at path, or the reason it cannot be read (a picture within the size limit
// but beyond this machine's memory among them); cancelled when the user stopped it.
tms::DecodedPicture decodePictureFile(QWidget* owner, const QString& path);

} // namespace dither
