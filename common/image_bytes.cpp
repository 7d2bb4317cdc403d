#include "image_bytes.h"

#include <QBuffer>

namespace tms {

std::optional<QByteArray> encodeImage(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format))
        return std::nullopt;
    return bytes;
}

} // namespace tms
