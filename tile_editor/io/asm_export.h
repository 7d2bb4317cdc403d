#pragma once
// The assembler export: a banner, then the name table, the character patterns and the
// row colours under their labels; when any sprite is drawn, all 64 sprite patterns and
// an attribute table follow. The syntax (dot by default: ".byte $hh" lines and "\t.end")
// and an optional compression of the tables are the caller's choice.

#include "asm_tables.h"
#include "atomic_file.h"
#include "compression.h"
#include "tile_document.h"

#include <QByteArray>

namespace tile {

struct AsmExportOptions {
    tms::AsmSyntax syntax = tms::AsmSyntax::Dot;
    // Compressed tables take the codec's name after theirs (NAMEZX0); the group colours
    // of screen mode 1 and the sprite attributes stay plain.
    tms::Compression compression = tms::Compression::None;
};

QByteArray exportAsm(const TileDocument& doc, AsmExportOptions options = {});

tms::FileResult writeAsmExport(const QString& path, const TileDocument& doc, AsmExportOptions options = {});

} // namespace tile
