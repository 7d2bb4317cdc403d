#pragma once
// A picture encoded in memory, ready for one whole-file write or the clipboard.

#include <QByteArray>
#include <QImage>
#include <optional>

namespace tms {

// The image as the bytes of a "PNG" or "BMP" file; nullopt when it cannot be encoded.
std::optional<QByteArray> encodeImage(const QImage& image, const char* format);

} // namespace tms
