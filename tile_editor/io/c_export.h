#pragma once
// The C export: a banner comment, the include of the console library and byte arrays
// for the name table, the character patterns, the row colours and, when any sprite is
// drawn, the sprite patterns and the initial sprite attribute table. On request the
// tables are run-length compressed, and the name table then covers a range of rows.

#include "atomic_file.h"
#include "tile_document.h"

#include <QByteArray>

namespace tile {

struct CExportOptions {
    bool rle = false;
    int startLine = 0; // first and last screen row of a compressed name table
    int endLine = screenRows - 1;
};

// A start row outside 0..23 becomes 0, an end row outside 0..23 becomes 23, and a
// range whose start lies after its end becomes 0..23.
CExportOptions checkedRowRange(CExportOptions options);

QByteArray ExportC(const TileDocument& doc, CExportOptions options);

tms::FileResult writeCExport(const QString& path, const TileDocument& doc, CExportOptions options);

} // namespace tile
