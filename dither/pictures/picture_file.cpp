#include "picture_file.h"

#include "atomic_file.h"
#include "picture_signature.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace dither {

namespace {

// Decoders say "corrupt data" or "premature end" only as warnings; catch them while
// one picture is decoded. The message handler is one for the whole process, so pictures
// are decoded one at a time (decodingLock) even when a batch converts on all cores.
// A window decodes on a worker thread: only the decoding thread's warnings count.
std::mutex decodingLock;
bool decoderComplained = false;
std::thread::id decodingThread;
QtMessageHandler previousHandler = nullptr;

void noteDecoderWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && context.category && QByteArray(context.category).startsWith("qt.gui.imageio")
        && std::this_thread::get_id() == decodingThread)
        decoderComplained = true;
    else if (previousHandler)
        previousHandler(type, context, message);
}

// The picture file as the decoder reads it: once cancelled, every further read fails,
// so that a long decode ends at its next read.
class CancellableFile : public QFile {
public:
    CancellableFile(const QString& path, const std::atomic<bool>* cancelled) : QFile(path), m_cancelled(cancelled) {}

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_cancelled && m_cancelled->load(std::memory_order_relaxed))
            return -1;
        return QFile::readData(data, maxSize);
    }

private:
    const std::atomic<bool>* m_cancelled;
};

quint32 le32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 le16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

bool bmpCutShort(const QByteArray& head, qint64 fileSize)
{
    if (head.size() < 26 || !head.startsWith("BM"))
        return false; // the reader itself refuses what has no complete header
    const qint64 pixelsAt = le32(head, 10);
    const quint32 headerSize = le32(head, 14);
    qint64 width = 0, height = 0, bitsPerPixel = 0;
    if (headerSize == 12) {
        width = le16(head, 18);
        height = le16(head, 20);
        bitsPerPixel = head.size() >= 26 ? le16(head, 24) : 0;
    } else if (headerSize >= 40 && head.size() >= 34) {
        width = qint32(le32(head, 18));
        height = std::abs(qint64(qint32(le32(head, 22))));
        bitsPerPixel = le16(head, 28);
        const quint32 compression = le32(head, 30);
        if (compression != 0 && compression != 3) // run-length rows have no fixed size
            return false;
    } else {
        return false;
    }
    if (width <= 0 || bitsPerPixel <= 0)
        return false;
    // Header fields are untrusted: width * bitsPerPixel fits (2^31 * 2^16), but the
    // pixel area may not. An area beyond any possible file is cut short by definition.
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    qint64 pixelBytes = 0, end = 0;
    if (__builtin_mul_overflow(rowBytes, height, &pixelBytes) || __builtin_add_overflow(pixelsAt, pixelBytes, &end))
        return true;
    return fileSize < end;
}

} // namespace

bool isCutShort(const QByteArray& format, const QByteArray& head, char lastByte, qint64 fileSize)
{
    if (format == "bmp")
        return bmpCutShort(head, fileSize);
    if (format == "gif")
        return lastByte != ';'; // every complete GIF ends with its trailer byte
    return false;
}

std::optional<QImage> readPicture(const QString& path, QString* error, const std::atomic<bool>* cancelled)
{
    auto fail = [&](const QString& reason) -> std::optional<QImage> {
        *error = QStringLiteral("Cannot read picture \"%1\": %2").arg(path, reason);
        return std::nullopt;
    };
    if (const QString kind = tms::nonRegularFileKind(path); !kind.isEmpty())
        return fail(QStringLiteral("it is %1, not a regular file").arg(kind));
    if (!QFileInfo::exists(path))
        return fail(QStringLiteral("no such file"));
    // The reader would only say "unknown format" for a file it may not open.
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        return fail(probe.errorString());
    const QByteArray builtIn = builtInFormat(probe.read(8));
    probe.close();

    std::unique_lock lock(decodingLock);
    QImageReader::setAllocationLimit(pictureAllocationLimitMB);
    CancellableFile file(path, cancelled);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    if (!builtIn.isEmpty()) {
        // Asking every format plugin whether it can read the file loads them all (a few
        // milliseconds of a one-picture run); BMP and PNG are read by Qt itself.
        reader.setFormat(builtIn);
        reader.setAutoDetectImageFormat(false);
    }
    const QByteArray format = reader.format();
    // The reader refuses a picture beyond the limit only as "Unable to read image data";
    // say what it is, from the size in its header, before anything is decoded.
    if (const QSize size = reader.size(); size.isValid()) {
        const QImage::Format decodedFormat = reader.imageFormat();
        const qint64 bitsPerPixel =
            decodedFormat == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(decodedFormat).bitsPerPixel();
        const qint64 decodedBytes = qint64(size.width()) * size.height() * bitsPerPixel / 8;
        if (decodedBytes > qint64(pictureAllocationLimitMB) << 20)
            return fail(QStringLiteral("too large: %1 x %2, %3 MB decoded; the limit is %4 MB")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(decodedBytes >> 20)
                            .arg(pictureAllocationLimitMB));
    }

    decoderComplained = false;
    decodingThread = std::this_thread::get_id();
    previousHandler = qInstallMessageHandler(noteDecoderWarnings);
    QImage image = reader.read();
    qInstallMessageHandler(previousHandler);
    const bool complained = decoderComplained;
    const QString readerError = reader.errorString();
    lock.unlock();

    if (cancelled && cancelled->load())
        return fail(QStringLiteral("cancelled"));
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return fail(readerError);
    if (complained)
        return fail(QStringLiteral("the file is damaged or cut short"));
    if (format == "bmp" || format == "gif") {
        if (!file.seek(0))
            return fail(file.errorString());
        const QByteArray head = file.read(64);
        char lastByte = 0;
        if (!file.seek(file.size() - 1) || !file.getChar(&lastByte))
            return fail(file.errorString());
        if (isCutShort(format, head, lastByte, file.size()))
            return fail(QStringLiteral("the file is cut short"));
    }
    return image;
}

} // namespace dither
