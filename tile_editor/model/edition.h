#pragma once
// The two editions of the tile editor, built from one code base: kardo3 for screen
// mode 2 (a colour byte for every pattern row) and kardo2 for screen mode 1 (one colour
// byte for each group of eight characters). main() chooses the edition; the document
// and the window hold it, and the mode 1 differences sit beside the code they replace.

#include "palette.h"

#include <QString>

namespace tile {

enum class Edition {
    ScreenMode2, // kardo3
    ScreenMode1, // kardo2
};

// "kardo3" or "kardo2".
QString editionProgramName(Edition edition);

// The palette the edition draws with: colour 0 is grey in kardo3, dark blue in kardo2.
tms::Palette editionPalette(Edition edition);

} // namespace tile
