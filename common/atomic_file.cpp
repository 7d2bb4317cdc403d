#include "atomic_file.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace tms {

namespace {

QString cannotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot write \"%1\": %2").arg(path, reason);
}

QString cannotRead(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot read \"%1\": %2").arg(path, reason);
}

// The device's own words, but "disk full" for a full file system, and never the
// toolkit's "Unknown error" (what a write cut short by a full disk leaves behind).
QString writeErrorReason(const QFileDevice& file)
{
    if (file.error() == QFileDevice::ResourceError)
        return QStringLiteral("disk full");
    const QString text = file.errorString();
    if (file.error() == QFileDevice::NoError || text.isEmpty() || text == QLatin1String("Unknown error"))
        return {};
    return text;
}

std::optional<QByteArray> readBounded(const QString& path, qint64 maxBytes, bool refuseLonger, QString* error)
{
    auto fail = [&](const QString& reason) -> std::optional<QByteArray> {
        if (error)
            *error = cannotRead(path, reason);
        return std::nullopt;
    };
    // A named pipe or a device would block or never end: only regular files are read.
    if (const QString kind = nonRegularFileKind(path); !kind.isEmpty())
        return fail(QStringLiteral("it is %1, not a regular file").arg(kind));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const qint64 size = file.size();
    if (refuseLonger && size > maxBytes)
        return fail(QStringLiteral("the file is too large (%1 bytes)").arg(size));
    // Room for what the file holds, not for the most it may hold: a generous limit must
    // not reserve memory that a small file never needs.
    const qint64 expected = std::min(size, maxBytes);
    QByteArray data;
    try {
        data.resize(qsizetype(expected));
    } catch (const std::bad_alloc&) {
        return fail(QStringLiteral("not enough memory to read it (%1 bytes)").arg(expected));
    }
    qint64 filled = 0;
    while (filled < expected) {
        const qint64 n = file.read(data.data() + filled, expected - filled);
        if (n <= 0)
            break;
        filled += n;
    }
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    data.truncate(qsizetype(filled));
    char beyond = 0;
    if (refuseLonger && filled == expected && file.read(&beyond, 1) == 1) // grew while reading
        return fail(QStringLiteral("the file is too large"));
    return data;
}

} // namespace

QString nonRegularFileKind(const QString& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(QFile::encodeName(path).toStdString()), error);
    switch (status.type()) {
    case fs::file_type::regular:
    case fs::file_type::not_found:
    case fs::file_type::none: // could not be examined: opening it will say why
        return {};
    case fs::file_type::directory: return QStringLiteral("a folder");
    case fs::file_type::block:
    case fs::file_type::character: return QStringLiteral("a device");
    case fs::file_type::fifo: return QStringLiteral("a named pipe");
    case fs::file_type::socket: return QStringLiteral("a socket");
    default: return QStringLiteral("not a regular file");
    }
}

int syncToDevice(int descriptor)
{
    if (::fdatasync(descriptor) != 0)
        return errno;
    // The descriptor stays open for the commit; closing a duplicate runs the same flush
    // to the file system that reports a lost write at close (NFS, quotas).
    const int duplicate = ::dup(descriptor);
    if (duplicate < 0)
        return errno;
    if (::close(duplicate) != 0 && errno != EINTR) // after EINTR Linux has closed it
        return errno;
    return 0;
}

namespace {
DeviceSync currentDeviceSync = &syncToDevice;
} // namespace

DeviceSync replaceDeviceSync(DeviceSync sync)
{
    return std::exchange(currentDeviceSync, sync);
}

PendingWrite::PendingWrite(const QString& path) : m_path(path), m_file(path) {}

FileResult PendingWrite::failure(const QString& reason)
{
    m_file.cancelWriting();
    if (m_file.isOpen())
        m_file.commit(); // after cancelWriting this only closes and removes the temporary file
    m_written = false;
    return FileResult::failure(cannotWrite(m_path, reason));
}

FileResult PendingWrite::write(const QByteArray& data)
{
    // Replacing a device or a pipe would put a regular file in its place.
    if (const QString kind = nonRegularFileKind(m_path); !kind.isEmpty())
        return FileResult::failure(cannotWrite(m_path, QStringLiteral("it is %1, not a regular file").arg(kind)));
    // Unbuffered, so that every failure shows at the write itself rather than at a
    // final flush that the commit might not notice.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(m_file.errorString());
    qint64 done = 0;
    while (done < data.size()) {
        // A write cut short carries no error; the next one reports why.
        const qint64 n = m_file.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done < data.size()) {
        const QString reason = writeErrorReason(m_file);
        return failure(reason.isEmpty()
                           ? QStringLiteral("only %1 of %2 bytes could be written").arg(done).arg(data.size())
                           : reason);
    }
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError) {
        const QString reason = writeErrorReason(m_file);
        return failure(reason.isEmpty() ? QStringLiteral("the data could not be written whole") : reason);
    }
    if (m_file.size() != data.size())
        return failure(
            QStringLiteral("the written file holds %1 bytes instead of %2").arg(m_file.size()).arg(data.size()));
    // The toolkit's commit syncs too but ignores a failure, and would put data that may
    // never reach the disk in place of the old file.
    if (const int error = currentDeviceSync(m_file.handle()); error != 0)
        return failure(error == ENOSPC ? QStringLiteral("disk full") : QString::fromLocal8Bit(std::strerror(error)));
    m_written = true;
    return {};
}

FileResult PendingWrite::commit()
{
    if (!m_written)
        return failure(QStringLiteral("nothing was written"));
    m_written = false;
    if (!m_file.commit())
        return FileResult::failure(cannotWrite(m_path, m_file.errorString()));
    return {};
}

FileResult writeWholeFile(const QString& path, const QByteArray& data)
{
    PendingWrite pending(path);
    if (FileResult written = pending.write(data); !written)
        return written;
    return pending.commit();
}

std::optional<QByteArray> readWholeFile(const QString& path, qint64 maxBytes, QString* error)
{
    return readBounded(path, maxBytes, true, error);
}

std::optional<QByteArray> readFileStart(const QString& path, qint64 count, QString* error)
{
    return readBounded(path, count, false, error);
}

void ignoreFileSizeLimitSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

QString namingPath(const QString& message, const QString& path)
{
    const QString quoted = QLatin1Char('"') + path + QLatin1Char('"');
    return message.contains(quoted) ? message : QStringLiteral("%1: %2").arg(message, quoted);
}

} // namespace tms
