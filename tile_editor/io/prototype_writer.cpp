#include "prototype_writer.h"

#include "prototype_scan.h"
#include "table_order.h"

#include <QFileInfo>

namespace tile {

QByteArray prototypeTables(const TileDocument& doc)
{
    QByteArray bytes;
    bytes.reserve(prototypeTablesSize);
    for (Byte b : nameTableBytes(doc))
        bytes.append(char(b));
    for (Byte b : patternBytes(doc))
        bytes.append(char(b));
    for (Byte b : doc.groupColors)
        bytes.append(char(b));
    return bytes;
}

QByteArray patchedPrototypeImage(const QByteArray& image, qint64 offset, const TileDocument& doc)
{
    const qint64 first = offset - 1; // zero-based
    if (first < 0 || first + prototypeTablesSize > image.size())
        return {};
    QByteArray patched = image;
    patched.replace(qsizetype(first), prototypeTablesSize, prototypeTables(doc));
    return patched;
}

std::optional<QByteArray> prototypeImageWithTables(const QString& imagePath, const TileDocument& doc, QString* error)
{
    auto fail = [&](const QString& message) -> std::optional<QByteArray> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (const QString kind = tms::nonRegularFileKind(imagePath); !kind.isEmpty())
        return fail(QStringLiteral("The cartridge image \"%1\" is %2, not a regular file.").arg(imagePath, kind));
    const QFileInfo info(imagePath);
    if (!info.isFile())
        return fail(QStringLiteral("The cartridge image \"%1\" does not exist.").arg(imagePath));
    if (info.size() < prototypeMinimumSize || info.size() > prototypeMaximumSize)
        return fail(QStringLiteral("\"%1\" is not a cartridge image for the prototype: it holds %2 bytes, where %3 "
                                   "to %4 are needed.")
                        .arg(imagePath)
                        .arg(info.size())
                        .arg(prototypeMinimumSize)
                        .arg(prototypeMaximumSize));
    const std::optional<QByteArray> image = tms::readWholeFile(imagePath, prototypeMaximumSize, error);
    if (!image)
        return std::nullopt;
    const std::optional<qint64> offset = findPrototypeMarker(*image);
    if (!offset)
        return fail(QStringLiteral("\"%1\" holds no \"PROTOTYPE\" marker followed by a byte.").arg(imagePath));
    QByteArray patched = patchedPrototypeImage(*image, *offset, doc);
    if (patched.isEmpty())
        return fail(QStringLiteral("The tables (%1 bytes) do not fit in \"%2\" behind its \"PROTOTYPE\" marker: "
                                   "only %3 bytes follow it there. The image was left as it was.")
                        .arg(prototypeTablesSize)
                        .arg(imagePath)
                        .arg(image->size() - (*offset - 1)));
    return patched;
}

tms::FileResult writePrototype(const QString& imagePath, const TileDocument& doc)
{
    QString error;
    const std::optional<QByteArray> patched = prototypeImageWithTables(imagePath, doc, &error);
    if (!patched)
        return tms::FileResult::failure(error);
    return tms::writeWholeFile(imagePath, *patched);
}

} // namespace tile
