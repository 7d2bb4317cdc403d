#pragma once
// The Prototype button of the screen mode 1 edition: the tables go straight into the
// cartridge image named by "prototype.txt", right behind the byte that follows its
// "PROTOTYPE" marker. The patched image is built in memory and replaces the file
// whole, so the file keeps its length and a failed write leaves it as it was.

#include "atomic_file.h"
#include "tile_document.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tile {

constexpr int prototypeTablesSize = screenColumns * screenRows + charCount * 8 + colorGroupCount; // 2848

// The bytes written into the image: the name table row by row, the patterns
// character by character, then the 32 group colours.
QByteArray prototypeTables(const TileDocument& doc);

// The image with the tables in place of the bytes from the one-based position offset
// on; an empty array when they do not fit before the image's end.
QByteArray patchedPrototypeImage(const QByteArray& image, qint64 offset, const TileDocument& doc);

// Reads the image at imagePath, finds its marker by the rules of the start-up scan
// (an image of 8000 to 32768 bytes) and returns the image with the tables behind it.
// Returns nullopt and sets error for an image that cannot be read, that has no marker
// or that has no room for the 2848 bytes behind it.
std::optional<QByteArray> prototypeImageWithTables(const QString& imagePath, const TileDocument& doc, QString* error);

// prototypeImageWithTables, then the image is replaced whole.
tms::FileResult writePrototype(const QString& imagePath, const TileDocument& doc);

} // namespace tile
