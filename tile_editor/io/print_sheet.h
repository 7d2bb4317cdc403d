#pragma once
// The printed character sheet: four pages of 64 characters, each with its hexadecimal
// number, its pattern enlarged in its colours, and a ruled line for notes. The layout
// assumes a Letter page of 8.5 x 11 inches stretched over the printable area of any
// paper. Painted on any paged device: a printer or a PDF writer.

#include "palette.h"
#include "tile_document.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <optional>

class QPagedPaintDevice;

namespace tile {

// What the sheet prints: the document's characters in their colours (in the screen
// mode 1 edition every row of a character has its group's colours), in the palette.
struct SheetSource {
    const TileDocument* doc;
    tms::Palette palette;
};

// The document's patterns and row colours in the given palette.
SheetSource sheetSourceOf(const TileDocument& doc, const tms::Palette& palette);

// The papers of the print dialog, with the printer codes they stand for.
enum class SheetPaper { Letter = 1, A4 = 9, B5 = 13 };
QPageSize pageSizeOf(SheetPaper paper); // B5 is JIS B5, 182 x 257 mm
// "letter", "a4", "b5" (any case); nullopt for another name.
std::optional<SheetPaper> paperNamed(const QString& name);

// Paints the four pages on a device that is ready for its first page; false when the
// device cannot be painted on.
bool paintCharacterSheet(QPagedPaintDevice& device, const SheetSource& source);

// The sheet as the bytes of a PDF file on the given paper; empty when it cannot be made.
QByteArray characterSheetPdf(const SheetSource& source, SheetPaper paper);

} // namespace tile
