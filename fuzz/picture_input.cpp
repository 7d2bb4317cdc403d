// The converter's picture input: Qt's readers with the cut-short checks, then
// fitToScreen. A refused picture gets a message; an accepted one is scaled exactly as
// the resize rule says. Whenever the command line's own PNG reader accepts the bytes,
// Qt's reader accepts them too and gives the same picture. The BMP size check is compared with a reference in 128-bit
// arithmetic, so that no header field can make it overflow or misjudge a file.

#include "fuzz_check.h"
#include "image_resize.h"
#include "picture_file.h"
#include "png_picture.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstdint>

namespace {

std::uint32_t le32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
std::uint16_t le16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// The rule of the BMP check without any bound on the numbers.
bool bmpCutShortReference(const QByteArray& head, __int128 fileSize)
{
    if (head.size() < 26 || !head.startsWith("BM"))
        return false;
    const __int128 pixelsAt = le32(head, 10);
    const std::uint32_t headerSize = le32(head, 14);
    __int128 width = 0, height = 0, bits = 0;
    if (headerSize == 12) {
        width = le16(head, 18);
        height = le16(head, 20);
        bits = le16(head, 24);
    } else if (headerSize >= 40 && head.size() >= 34) {
        width = std::int32_t(le32(head, 18));
        height = std::int32_t(le32(head, 22));
        if (height < 0)
            height = -height;
        bits = le16(head, 28);
        const std::uint32_t compression = le32(head, 30);
        if (compression != 0 && compression != 3)
            return false;
    } else {
        return false;
    }
    if (width <= 0 || bits <= 0)
        return false;
    return fileSize < pixelsAt + (width * bits + 31) / 32 * 4 * height;
}

// The bytes with the checksum of every PNG chunk made right, so that a mutation inside
// a chunk reaches both readers' decoding instead of their checksum test.
QByteArray withPngChecksumsFixed(QByteArray bytes)
{
    qsizetype at = 8;
    while (at + 12 <= bytes.size()) {
        const qsizetype length = qFromBigEndian<quint32>(bytes.constData() + at);
        if (length > bytes.size() - at - 12)
            break;
        std::uint32_t crc = 0xFFFFFFFF;
        for (qsizetype i = at + 4; i < at + 8 + length; ++i) {
            crc ^= std::uint8_t(bytes[i]);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
        qToBigEndian<quint32>(~crc, bytes.data() + at + 8 + length);
        at += 12 + length;
    }
    return bytes;
}

void checkResize(const QImage& image, int choice)
{
    const auto resize = dither::ResizeMode(choice % 3);
    const auto resolution = dither::ResolutionMode(choice / 3 % 2);
    const dither::Picture source = dither::fitToScreen(image, resize, resolution);
    FUZZ_CHECK(source.size() == std::size_t(dither::pictureSize));

    const int W = dither::modeWidth(resolution), H = dither::modeHeight(resolution);
    const int pw = image.width(), ph = image.height();
    float sx = pw > W ? float(pw) / float(W) : 1.0f;
    float sy = ph > H ? float(ph) / float(H) : 1.0f;
    if (resize == dither::ResizeMode::NoResize)
        sx = sy = 1.0f;
    else if (resize == dither::ResizeMode::RespectAspectRatio)
        sx = sy = std::max(sx, sy);
    for (int y = choice % 5; y < dither::pictureHeight; y += 5) {
        const double v = std::floor(double(sy) * y);
        for (int x = choice % 7; x < dither::pictureWidth; x += 7) {
            const double u = std::floor(double(sx) * x);
            const dither::ColorValue expected =
                u < pw && v < ph ? dither::loadedColour(image.pixel(int(u), int(v))) : 0;
            FUZZ_CHECK(source[dither::pixelIndex(x, y)] == expected);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // the image readers are plug-ins
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/picture_input_XXXXXX"));
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (size % 2 == 1 && bytes.startsWith("\x89PNG\r\n\x1a\n"))
        bytes = withPngChecksumsFixed(bytes);

    const char lastByte = bytes.isEmpty() ? 0 : bytes.back();
    FUZZ_CHECK(dither::isCutShort("bmp", bytes.left(64), lastByte, bytes.size())
               == bmpCutShortReference(bytes.left(64), bytes.size()));
    // The same header before a file of any announced length.
    const qint64 claimedSize =
        bytes.size() >= 8 ? qint64(qFromLittleEndian<quint64>(bytes.constData() + bytes.size() - 8) >> 1) : 0;
    FUZZ_CHECK(dither::isCutShort("bmp", bytes.left(64), lastByte, claimedSize)
               == bmpCutShortReference(bytes.left(64), claimedSize));

    // Through the reader as the program uses it, under each extension's name.
    static const char* const names[] = {"in.bmp", "in.gif", "in.jpg", "in.png", "in.ico", "in"};
    const QString path = folder.filePath(QString::fromLatin1(names[size % 6]));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    }
    QString error;
    const std::optional<QImage> image = dither::readPicture(path, &error);
    if (const auto light = dither::decodePng(bytes)) {
        FUZZ_CHECK(image.has_value());
        const auto resize = dither::ResizeMode(size % 3);
        const auto resolution = dither::ResolutionMode(size / 3 % 2);
        FUZZ_CHECK(dither::fitToScreen(*light, resize, resolution) == dither::fitToScreen(*image, resize, resolution));
    }
    if (!image) {
        FUZZ_CHECK(error.startsWith(QStringLiteral("Cannot read picture \"")) && error.size() > path.size() + 24);
        return 0;
    }
    FUZZ_CHECK(!image->isNull() && image->width() >= 1 && image->height() >= 1);
    checkResize(*image, int(size % 6));
    return 0;
}
