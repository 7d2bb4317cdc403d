#pragma once
// One conversion of a decoded picture into the full-screen tables, as the paint
// program and the tile editors import it.

#include "picture_to_screen.h"

#include <QImage>
#include <optional>

namespace dither {

// Resizes the decoded picture to the screen and converts it. nullopt when fewer than
// two colours are chosen (the caller says selectMoreColors).
std::optional<ConversionResult> convertPicture(const QImage& source, const PictureImportSettings& settings);

} // namespace dither
