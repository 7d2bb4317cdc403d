#pragma once
// The Prototype button of the screen mode 1 edition: the tables go straight into the
// cartridge image named by "prototype.txt", right behind the byte that follows its
// "PROTOTYPE" marker. The patched image is built in memory and replaces the file
// whole, so the file keeps its length and a failed write leaves it as it was.

#include "atomic_file.h"
#include "tile_document.h"

#include <QByteArray>
#include <QString>

namespace tile {

constexpr int prototypeTablesSize = screenColumns * screenRows + charCount * 8 + colorGroupCount; // 2848

// The bytes written into the image: the name table row by row, the patterns
// character by character, then the 32 group colours.
QByteArray prototypeTables(const TileDocument& doc);

// The image with the tables in place of the bytes from the one-based position offset
// on; an empty array when they do not fit before the image's end.
QByteArray patchedPrototypeImage(const QByteArray& image, qint64 offset, const TileDocument& doc);

// Finds the marker in the image at imagePath by the rules of the start-up scan (an
// image of 8000 to 32767 bytes) and writes the tables behind it. Refuses, with the
// reason, an image without the marker or without room for the 2848 bytes.
tms::FileResult WritePrototype(const QString& imagePath, const TileDocument& doc);

} // namespace tile
