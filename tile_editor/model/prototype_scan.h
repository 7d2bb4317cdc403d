#pragma once
// The optional link to a cartridge image: "prototype.txt" in the working folder names
// an image that holds the marker "PROTOTYPE".

#include <QByteArray>
#include <QString>
#include <optional>

namespace tile {

constexpr qint64 prototypeMinimumSize = 8000;
// A standard 32 KB cartridge image (32768 bytes) is the largest.
constexpr qint64 prototypeMaximumSize = 32768;

// First line of the file (bytes up to a line feed, carriage returns dropped); empty
// when the file is missing or empty. Reads only a short head of the file.
QString readPrototypePath(const QString& listFile);

// One-based position of the second byte after the marker in an image of 8000 to
// 32768 bytes, or nullopt for a missing file, a file of another size or no marker.
// A marker that ends the file is not found: the scan needs a byte beyond it.
std::optional<qint64> scanPrototype(const QString& imagePath);
// The same position for an image already in memory, whatever its size.
std::optional<qint64> findPrototypeMarker(const QByteArray& image);

} // namespace tile
