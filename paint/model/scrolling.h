#pragma once
// Wrap-around scrolling of the whole picture: what leaves one edge comes back at the
// opposite one, and pattern and colour bytes always move together. There is no
// sideways scroll by one pixel because a colour byte belongs to 8 pixels.

#include "picture.h"

namespace paint {

void scrollUpOneLine(Picture& picture);      // line 0 becomes line 191
void scrollDownOneLine(Picture& picture);    // line 191 becomes line 0
void scrollUpOneRow(Picture& picture);       // character row 0 becomes row 23
void scrollDownOneRow(Picture& picture);     // row 23 becomes row 0
void scrollLeftOneColumn(Picture& picture);  // character column 0 becomes column 31
void scrollRightOneColumn(Picture& picture); // column 31 becomes column 0

} // namespace paint
