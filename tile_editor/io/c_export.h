#pragma once
// The C export: a banner comment, the include of the console library and byte arrays
// for the name table, the character patterns, the row colours and, when any sprite is
// drawn, the sprite patterns and the initial sprite attribute table. On request the
// tables are run-length compressed, and the name table then covers a range of rows.

#include "atomic_file.h"
#include "batch_outputs.h"
#include "c_tables.h"
#include "compression.h"
#include "tile_document.h"

#include <QByteArray>

namespace tile {

struct CExportOptions {
    bool rle = false;
    int startLine = 0; // first and last screen row of a compressed name table
    int endLine = screenRows - 1;
    // coleco: today's file for the console's library; stdint: const uint8_t arrays and
    // a header beside the source.
    tms::CStyle style = tms::CStyle::Coleco;
    // A codec other than run-length; when None, rle decides.
    tms::Compression compression = tms::Compression::None;
};

tms::Compression compressionOf(const CExportOptions& options);

// A start row outside 0..23 becomes 0, an end row outside 0..23 becomes 23, and a
// range whose start lies after its end becomes 0..23.
CExportOptions checkedRowRange(CExportOptions options);

// The coleco style's source (the stdint style's source without its header).
QByteArray exportC(const TileDocument& doc, CExportOptions options);

// The files of a C export to path: the source, and in the stdint style its header.
tms::batch::Outputs cExportFiles(const QString& path, const TileDocument& doc, CExportOptions options);

// Writes the files of cExportFiles: all of them, or none.
tms::FileResult writeCExport(const QString& path, const TileDocument& doc, CExportOptions options);

} // namespace tile
