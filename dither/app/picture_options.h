#pragma once
// The command-line options that set how a picture is converted (--method, --colors,
// --resize, --gamma, --brightness, --diffusion, --linear-light): one reader each, shared by dither's
// batch mode and the tile editors' --import-picture, so the values and their usage
// errors are the same everywhere.

#include "picture_to_screen.h"

#include <QString>
#include <array>

namespace dither {

struct PictureOption {
    const char* name;      // without the dashes
    const char* valueName; // as the help shows it
    // Reads the option's text into the settings; returns a usage error, or an empty text.
    QString (*read)(const QString& text, PictureImportSettings& settings);
};

const std::array<PictureOption, 6>& pictureOptions();

// The conversion options that take no value: given, they switch a setting on.
struct PictureFlag {
    const char* name;        // without the dashes
    const char* description; // as the help shows it
    bool PictureImportSettings::*setting;
};

const std::array<PictureFlag, 1>& pictureFlags();

// The methods' command-line names, separated by commas.
QString methodList();

} // namespace dither
