#pragma once
// Whole-file reads and writes with the guarantees every tool relies on: a write
// replaces the old file only once the new content is complete (QSaveFile), and a
// read never takes more than a stated number of bytes.

#include <QByteArray>
#include <QString>
#include <optional>

namespace tms {

struct FileResult {
    bool ok = true;
    QString error; // a sentence for the user when !ok
    explicit operator bool() const { return ok; }
    static FileResult failure(QString message) { return {false, std::move(message)}; }
};

// Writes data as the whole new content of path. On failure the old file is left intact.
FileResult writeWholeFile(const QString& path, const QByteArray& data);

// Reads the whole file when it is at most maxBytes long. Returns nullopt and sets
// error when the file cannot be read or is larger than maxBytes.
std::optional<QByteArray> readWholeFile(const QString& path, qint64 maxBytes, QString* error = nullptr);

} // namespace tms
