#pragma once
// A picture file (PNG, BMP, GIF, JPEG) imported into another program through the
// converter: the choices an import offers and the file names it reads (the conversion
// itself is in picture_conversion.h). The paint program and the tile editors share it.

#include "conversion.h"
#include "resize.h"

#include <QString>
#include <optional>

namespace dither {

struct PictureImportSettings {
    Method method = Method::FloydSteinberg;
    ColourChoice colours = allColours();
    ResizeMode resize = ResizeMode::RespectAspectRatio;
    int gamma = 100;                  // percent, 10..190
    int brightness = 0;               // -100..100
    int diffusion = diffusionDefault; // percent, 0..100
    bool linearLight = false;

    ConversionSettings conversionSettings() const;
};

// True for the names an import reads: .png, .bmp, .gif, .jpg, .jpeg (any case).
bool isPictureFileName(const QString& path);
// The chooser's file pattern for those names.
QString pictureFilePattern();

} // namespace dither
