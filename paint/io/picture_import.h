#pragma once
// Ordinary pictures (PNG, BMP, GIF, JPEG) into the paint picture through the dither
// converter: resized to the screen, mapped onto the chosen console colours with the
// chosen method, two colours per 8-pixel row.

#include "atomic_file.h"
#include "picture.h"
#include "picture_to_screen.h"

#include <QImage>

namespace paint {

// The choices and file names are the converter's, shared with the tile editors.
using dither::isPictureFileName;
using dither::pictureFilePattern;
using dither::PictureImportSettings;

// The refusal of a choice of fewer than two colours.
QString selectMoreColorsMessage();

// Reads a picture file; a file that cannot be decoded or is cut short is refused.
std::optional<QImage> readPictureFile(const QString& path, QString* error);

// Converts a decoded picture. False, the picture untouched, when fewer than two
// colours are chosen.
bool convertPicture(const QImage& source, const PictureImportSettings& settings, Picture& picture);

// Converts the decoded picture of the file at path, as importPictureFile does once it
// has read it: fewer than two colours or too little memory is refused, with a message.
tms::FileResult convertPictureFile(const QString& path, const QImage& source, const PictureImportSettings& settings,
                                   Picture& picture);

// Reads and converts a picture file; a refused file leaves the picture as it was.
tms::FileResult importPictureFile(const QString& path, const PictureImportSettings& settings, Picture& picture);

} // namespace paint
