#pragma once
// Whole-file reads and writes with the guarantees every tool relies on: a write
// replaces the old file only once the new content is complete and checked on the
// device (QSaveFile, written unbuffered, its size verified), and a read never takes
// more than a stated number of bytes. Only regular files are read or replaced:
// a folder, a device or a named pipe is refused with a message that says what it is.

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <optional>

namespace tms {

struct FileResult {
    bool ok = true;
    QString error; // a sentence for the user when !ok
    explicit operator bool() const { return ok; }
    static FileResult failure(QString message) { return {false, std::move(message)}; }
};

// What path is when it exists but is not a regular file: "a folder", "a device",
// "a named pipe", "a socket" or "not a regular file". Empty for a regular file (also
// through a symbolic link) and for a path that does not exist.
QString nonRegularFileKind(const QString& path);

// The last step of a write before the new file may replace the old one: its data forced
// onto the device (fdatasync) and a close checked, where a failing disk, a quota or a
// network file system reports a write it has lost. Returns 0 or the system's error
// number. The toolkit's own sync at the commit ignores such a failure.
using DeviceSync = int (*)(int descriptor);
int syncToDevice(int descriptor);
// Puts another sync in place (tests inject a failure); returns the one it replaces.
DeviceSync replaceDeviceSync(DeviceSync sync);

// A new content for one file, written whole into a temporary file beside it, synced and
// checked before it may replace the file. Destroying it without commit() leaves the
// old file untouched.
class PendingWrite {
public:
    explicit PendingWrite(const QString& path);
    PendingWrite(const PendingWrite&) = delete;
    PendingWrite& operator=(const PendingWrite&) = delete;

    const QString& path() const { return m_path; }

    // Writes data into the temporary file, checks the device's error and the written
    // size, and syncs it to the device (syncToDevice). On failure the temporary file is removed and the message says why ("disk
    // full", or the system's own words).
    FileResult write(const QByteArray& data);

    // Replaces the file with the written content (only after a successful write()).
    FileResult commit();

private:
    FileResult failure(const QString& reason);

    QString m_path;
    QSaveFile m_file;
    bool m_written = false;
};

// Writes data as the whole new content of path. On failure the old file is left intact.
FileResult writeWholeFile(const QString& path, const QByteArray& data);

// Reads the whole file when it is at most maxBytes long. Returns nullopt and sets
// error when the file cannot be read, is not a regular file or is larger than maxBytes.
std::optional<QByteArray> readWholeFile(const QString& path, qint64 maxBytes, QString* error = nullptr);

// A reader's message that names no file ("Not a ... file") with the path put to it, as
// "<message>: \"<path>\""; one that names it (they quote it: "Cannot read \"<path>\": ...")
// as it is.
QString namingPath(const QString& message, const QString& path);

// Reads at most the first count bytes of a regular file (fewer when it is shorter).
std::optional<QByteArray> readFileStart(const QString& path, qint64 count, QString* error = nullptr);

// A process file-size limit (ulimit -f) kills a program that writes past it unless
// SIGXFSZ is ignored; ignored, the write fails and is reported like a full disk.
// Every program calls this first thing in main().
void ignoreFileSizeLimitSignal();

} // namespace tms
