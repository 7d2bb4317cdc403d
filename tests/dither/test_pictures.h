#pragma once
// Pictures and colour choices the dither tests share.

#include "conversion.h"

#include <QByteArray>
#include <QImage>
#include <QtEndian>
#include <random>

namespace dither_test {

// The start of a PNG of width x height RGB pixels, up to its first (empty) data chunk:
// all a reader needs to tell the size, nothing to decode.
inline QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    auto chunk = [](const QByteArray& typeAndData) {
        quint32 crc = 0xFFFFFFFF;
        for (const char c : typeAndData) {
            crc ^= quint8(c);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
        }
        QByteArray bytes(4, '\0');
        qToBigEndian<quint32>(quint32(typeAndData.size() - 4), bytes.data());
        bytes += typeAndData + QByteArray(4, '\0');
        qToBigEndian<quint32>(~crc, bytes.data() + bytes.size() - 4);
        return bytes;
    };
    QByteArray header("IHDR");
    header.append(QByteArray(8, '\0')).append("\x08\x02\0\0\0", 5); // 8-bit RGB
    qToBigEndian<quint32>(width, header.data() + 4);
    qToBigEndian<quint32>(height, header.data() + 8);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk(header) + chunk("IDAT");
}

inline dither::Picture uniformPicture(tms::ColorValue colour)
{
    return dither::Picture(dither::pictureSize, colour);
}

// Gradients with noise: every method has real choices to make on it.
inline dither::Picture noisyPicture(unsigned seed = 1)
{
    dither::Picture p = dither::blackPicture();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-40, 40);
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    for (int y = 0; y < dither::pictureHeight; ++y)
        for (int x = 0; x < dither::pictureWidth; ++x)
            p[dither::pixelIndex(x, y)] =
                tms::rgbValue(clamp(x + noise(random)), clamp(y + noise(random)), clamp(255 - x + noise(random)));
    return p;
}

// Every pixel tells its own coordinates: red and green the low bytes of x and y, blue
// their high bits; so a scaled picture shows which pixel landed where.
inline tms::ColorValue coordinateColour(int x, int y)
{
    return tms::rgbValue(x & 255, y & 255, 1 + (x >> 8) + 8 * (y >> 8));
}

inline QImage coordinateImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, tms::toQRgb(coordinateColour(x, y)));
    return image;
}

inline dither::ColourChoice colours(std::initializer_list<int> list)
{
    dither::ColourChoice choice{};
    for (int c : list)
        choice[c - 1] = true;
    return choice;
}

} // namespace dither_test
