#pragma once
// Colour values as the window toolkit's colours (for swatches and brush boxes).

#include "palette.h"

#include <QColor>

namespace tms {

inline QColor toQColor(ColorValue v)
{
    return QColor(redOf(v), greenOf(v), blueOf(v));
}

} // namespace tms
