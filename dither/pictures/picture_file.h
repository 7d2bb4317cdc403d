#pragma once
// Reading the picture to convert with Qt's image readers, refusing what they would
// only half decode: a file cut short must not turn silently into a picture with a
// missing bottom part.

#include "picture_codecs.h"
#include "picture_signature.h"

#include <QImage>
#include <QString>
#include <atomic>
#include <optional>

namespace dither {

// With cancelled, a decode stops at its next read of the file once *cancelled is true
// (a window's Cancel while a large picture is decoded); it then gives no picture.
std::optional<QImage> readPicture(const QString& path, QString* error, const std::atomic<bool>* cancelled = nullptr);

// True when a BMP or GIF file holds less than it announces: a BMP fewer bytes than its
// header's pixel rows, a GIF no closing trailer. Other formats report damage while
// decoding. head is the start of the file, lastByte its final byte.
bool isCutShort(const QByteArray& format, const QByteArray& head, char lastByte, qint64 fileSize);

} // namespace dither
