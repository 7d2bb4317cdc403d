#pragma once
// Telling a picture file's format by its first bytes, for the formats Qt reads without
// a plugin (PNG, BMP), without decoding anything.

#include <QByteArray>
#include <QString>

namespace dither {

// "png" or "bmp" for a file that begins with head; empty for any other.
QByteArray builtInFormat(const QByteArray& head);

// The format of the regular file at path by its first 8 bytes ("png", "bmp"); empty for
// other formats and for anything that is not a readable regular file (opening a named
// pipe would wait for a writer).
QByteArray builtInFormatOf(const QString& path);

// True when the file is a PNG or BMP picture by its first bytes: Qt reads (and writes)
// these itself, without an image plugin.
inline bool isBuiltInPicture(const QString& path)
{
    return !builtInFormatOf(path).isEmpty();
}

} // namespace dither
