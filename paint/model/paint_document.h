#pragma once
// The paint program's document: the picture and what its file life keeps with it.
// The window owns one and shows it; it holds no widgets.

#include "picture.h"

#include <QString>

namespace paint {

struct PaintDocument {
    Picture picture;
    bool modified = false;
    QString fileName;            // empty until the picture was opened or saved under a name
    bool fullScreenFile = false; // Save writes 40K (true) or 10K; set by Open and Save As
};

} // namespace paint
