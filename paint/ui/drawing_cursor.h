#pragma once
// The cursor of the drawing surface while painting: a thin cross whose open centre
// leaves the pixel under it visible.

#include <QCursor>

namespace paint {

QCursor drawingCursor();

} // namespace paint
