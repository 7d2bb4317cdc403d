#include "edition.h"

namespace tile {

QString editionProgramName(Edition edition)
{
    return edition == Edition::ScreenMode1 ? QStringLiteral("kardo2") : QStringLiteral("kardo3");
}

tms::Palette editionPalette(Edition edition)
{
    return edition == Edition::ScreenMode1 ? tms::standardPalette() : tms::tileEditorPalette();
}

} // namespace tile
