#pragma once
// The two editions of the tile editor, built from one code base: kardo3 for screen
// mode 2 (a colour byte for every pattern row) and kardo2 for screen mode 1 (one colour
// byte for each group of eight characters). main() chooses the edition; the document
// and the window hold it. Everything that differs between the two is described here,
// in one EditionTraits per edition, and the model, the files, the exports and the
// window ask it instead of testing the edition themselves.

#include "palette.h"

#include <QString>
#include <array>
#include <span>

namespace tile {

enum class Edition {
    ScreenMode2, // kardo3
    ScreenMode1, // kardo2
};

// The shape of the document's colour table.
enum class ColorTableShape {
    PerPatternRow,     // 256 x 8 bytes: charColors
    PerCharacterGroup, // 32 bytes, one for each group of eight characters: groupColors
};

// The faces behind the items "Font #1", "Font #2"... of each edition's Fonts menu.
constexpr std::array<int, 6> screenMode2FontMenu = {0, 1, 2, 3, 4, 5};
// The mode 1 edition's "Font #8" is the mode 2 edition's "Font #4"; its "Font #4" and
// "Font #7" are faces of its own.
constexpr std::array<int, 8> screenMode1FontMenu = {0, 1, 2, 6, 4, 5, 7, 3};

struct EditionTraits {
    Edition edition;
    const char* programName; // "kardo3" or "kardo2"

    // --- The document and its files ---
    ColorTableShape colorTable;
    // The label of the colour section in a project file.
    const char* projectColorSection;
    // The colour table may be compressed in a source export (a group table is too short to gain).
    bool colorTableCompressible;
    // The title line of a C export's banner.
    const char* cBannerTitle;
    // The assembler export opens with the paint program's banner instead of its own.
    bool paintProgramAsmBanner;
    // The Prototype command (window button and --write-prototype) writes the tables
    // into a cartridge image; otherwise the button only shows that one was found.
    bool writesPrototype;
    // The Fonts menu, "Font #1" first.
    std::span<const int> fontMenu;

    // --- The window ---
    // Eight row swatches (foreground and background) beside the character editor, the
    // 16 palette swatches and a blinking outline on the selected swatch (with its
    // timer); otherwise the group's two swatches and the vertical colour strip.
    bool rowSwatches;
    bool hexBox;       // the hex box under the character editor
    bool blockMarkers; // a right click in the pattern table sets a block marker
    // Copy, Paste and Clear under the pattern table work on the whole character set
    // rather than on the marked block.
    bool patternCommandsOnWholeSet;
    // The sprite panel is always in view: no "Show Sprites"/"Hide Sprites" buttons.
    bool spritePanelAlwaysShown;
    bool refreshButton; // "Refresh All"; otherwise every change redraws by itself
    const char* aboutText;
    const char* unsavedWorkQuestion;

    bool groupColors() const { return colorTable == ColorTableShape::PerCharacterGroup; }
    QString program() const { return QString::fromLatin1(programName); }
    // The palette the edition draws with: colour 0 is grey in kardo3, dark blue in kardo2.
    tms::Palette palette() const;
};

const EditionTraits& editionTraits(Edition edition);

// Shorthands kept for the many callers that need only one value.
inline QString editionProgramName(Edition edition)
{
    return editionTraits(edition).program();
}
inline tms::Palette editionPalette(Edition edition)
{
    return editionTraits(edition).palette();
}

} // namespace tile
