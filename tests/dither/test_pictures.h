#pragma once
// Pictures and colour choices the dither tests share.

#include "conversion.h"

#include <QImage>
#include <random>

namespace dither_test {

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
            p[dither::pixelIndex(x, y)] = tms::rgbValue(clamp(x + noise(random)), clamp(y + noise(random)),
                                                        clamp(255 - x + noise(random)));
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
