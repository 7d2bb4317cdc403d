#pragma once
// The raw tables as files for games that load them as they are (or unpack them):
// PREFIX.nam (768), PREFIX.pat (2048), PREFIX.col (2048, or the 32 group colours of
// screen mode 1), PREFIX.spr (2048 sprite pattern bytes) and PREFIX.spc (64 sprite
// colours); compressed, each name gets the codec's suffix (PREFIX.pat.zx0).

#include "binary_tables.h"
#include "tile_document.h"

namespace tile {

std::vector<tms::BinaryTable> binaryTables(const TileDocument& doc);

tms::batch::Outputs binaryExportFiles(const QString& prefix, const TileDocument& doc, tms::Compression compression);

} // namespace tile
