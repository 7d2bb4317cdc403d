#pragma once
// A PNG reader built on libpng alone (no Qt Gui), for the command-line converter. It
// accepts only the PNGs whose picture it knows to be the very one Qt's reader gives
// (8-bit or fewer bits per sample, every colour type, interlaced or not, transparency
// laid over black by fitToScreen) and leaves every other file to Qt's reader: it never
// refuses a file itself, so every refusal and its message stay those of the full program.

#include "resize.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace dither {

// The picture in the file's bytes; nullopt when this reader is not sure of it (16-bit
// samples, damage, a libpng warning, beyond the allocation limit, a palette index
// beyond the palette...).
std::optional<ArgbPicture> decodePng(const QByteArray& file);

// decodePng of the regular file at path; nullopt also when it cannot be read.
std::optional<ArgbPicture> readPngPicture(const QString& path);

} // namespace dither
