#include "prototype_scan.h"

#include "atomic_file.h"

#include <QFile>
#include <QFileInfo>

namespace tile {

QString readPrototypePath(const QString& listFile)
{
    // Read at start-up: a named pipe or a device in its place would block the window for
    // ever, so only a regular file is read.
    constexpr qint64 longestPath = 4096;
    const std::optional<QByteArray> start = tms::readFileStart(listFile, longestPath);
    if (!start)
        return {};
    QByteArray head = *start;
    const qsizetype lineEnd = head.indexOf('\n');
    if (lineEnd >= 0)
        head.truncate(lineEnd);
    head.replace("\r", "");
    return QString::fromLocal8Bit(head);
}

std::optional<qint64> scanPrototype(const QString& imagePath)
{
    if (imagePath.isEmpty())
        return std::nullopt;
    const QFileInfo info(imagePath);
    if (!info.isFile() || info.size() < prototypeMinimumSize || info.size() > prototypeMaximumSize)
        return std::nullopt;
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return findPrototypeMarker(file.read(prototypeMaximumSize));
}

std::optional<qint64> findPrototypeMarker(const QByteArray& image)
{
    // The marker must be followed by at least one byte: the window is tested only
    // after the byte beyond it has been read.
    const qsizetype at = image.left(image.size() - 1).indexOf("PROTOTYPE");
    if (at < 0)
        return std::nullopt;
    return at + 11;
}

} // namespace tile
