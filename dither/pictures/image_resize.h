#pragma once
// fitToScreen for a picture decoded by Qt's readers.

#include "resize.h"

#include <QImage>

namespace dither {

// Reads only the pixels it samples, so a large loaded picture is never copied.
Picture fitToScreen(const QImage& loaded, ResizeMode resizeMode, ResolutionMode resolutionMode);

} // namespace dither
