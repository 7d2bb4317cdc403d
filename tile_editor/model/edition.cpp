#include "edition.h"

namespace tile {

namespace {

constexpr EditionTraits screenMode2Traits{
    .edition = Edition::ScreenMode2,
    .programName = "kardo3",
    .colorTable = ColorTableShape::PerPatternRow,
    .projectColorSection = "MCOLOR  DB      ",
    .colorTableCompressible = true,
    .cBannerTitle = "/*   GRAPHICS TABLES  -  WIN KARDO v3.00    */",
    .paintProgramAsmBanner = false,
    .writesPrototype = false,
    .fontMenu = screenMode2FontMenu,
    .rowSwatches = true,
    .hexBox = true,
    .blockMarkers = true,
    .patternCommandsOnWholeSet = false,
    .spritePanelAlwaysShown = false,
    .refreshButton = false,
    .aboutText = "Tile editor for the TMS9918A's screen mode 2: characters, screen and sprites, exported as "
                 "assembler or C tables.",
    .unsavedWorkQuestion = "Do you want to save you work?",
};

constexpr EditionTraits screenMode1Traits{
    .edition = Edition::ScreenMode1,
    .programName = "kardo2",
    .colorTable = ColorTableShape::PerCharacterGroup,
    .projectColorSection = "COLOR   DB      ",
    .colorTableCompressible = false,
    .cBannerTitle = "/*   GRAPHICS TABLES  -  WIN KARDO v2.80    */",
    .paintProgramAsmBanner = true,
    .writesPrototype = true,
    .fontMenu = screenMode1FontMenu,
    .rowSwatches = false,
    .hexBox = false,
    .blockMarkers = false,
    .patternCommandsOnWholeSet = true,
    .spritePanelAlwaysShown = true,
    .refreshButton = true,
    .aboutText = "Only Screen Mode 1 Graphics",
    .unsavedWorkQuestion = "Do you want to save you works?",
};

} // namespace

const EditionTraits& editionTraits(Edition edition)
{
    return edition == Edition::ScreenMode1 ? screenMode1Traits : screenMode2Traits;
}

tms::Palette EditionTraits::palette() const
{
    return groupColors() ? tms::standardPalette() : tms::tileEditorPalette();
}

} // namespace tile
