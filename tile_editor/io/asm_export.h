#pragma once
// The assembler export: a banner, then the name table, the character patterns and the
// row colours as ".byte" lines of sixteen "$hh" values under their labels; when any
// sprite is drawn, all 64 sprite patterns and an attribute table follow.

#include "atomic_file.h"
#include "tile_document.h"

#include <QByteArray>

namespace tile {

QByteArray ExportAsm(const TileDocument& doc);

tms::FileResult writeAsmExport(const QString& path, const TileDocument& doc);

} // namespace tile
