#include "picture_signature.h"

#include "atomic_file.h"

#include <QFile>

namespace dither {

QByteArray builtInFormat(const QByteArray& head)
{
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    return {};
}

QByteArray builtInFormatOf(const QString& path)
{
    if (!tms::nonRegularFileKind(path).isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return builtInFormat(file.read(8));
}

} // namespace dither
