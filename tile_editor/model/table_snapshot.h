#pragma once
// The tables of a tile document as one run of bytes (what an undo step compares and
// restores), in a fixed order and length.

#include "tile_document.h"

#include <QByteArray>

namespace tile {

QByteArray tableBytes(const TileDocument& document);
// Puts back tables taken by tableBytes; bytes of another length are ignored.
void setTableBytes(TileDocument& document, const QByteArray& bytes);

} // namespace tile
