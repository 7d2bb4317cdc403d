#include "atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tms {

FileResult writeWholeFile(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileResult::failure(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileResult::failure(QStringLiteral("Cannot write \"%1\": %2").arg(path, reason));
    }
    if (!file.commit())
        return FileResult::failure(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    return {};
}

std::optional<QByteArray> readWholeFile(const QString& path, qint64 maxBytes, QString* error)
{
    auto fail = [&](const QString& message) -> std::optional<QByteArray> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    QFile file(path);
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("Cannot read \"%1\": it is a folder").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    if (file.size() > maxBytes)
        return fail(QStringLiteral("Cannot read \"%1\": the file is too large (%2 bytes)").arg(path).arg(file.size()));
    QByteArray data = file.read(maxBytes + 1);
    if (data.size() > maxBytes) // grew while reading, or a device without a size
        return fail(QStringLiteral("Cannot read \"%1\": the file is too large").arg(path));
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    return data;
}

} // namespace tms
