#pragma once
// The one test picture of the benchmarks: a photograph-like card of smooth gradients
// with noise, so that hardly two cells are alike and the pair searches, the error
// planes and the merging of tiles all have their full work to do. The same seed gives
// the same picture, so runs compare.

#include <QImage>
#include <random>

namespace bench {

// Calls put(x, y, red, green, blue) for every pixel, row by row from the top.
template <typename Put>
void paintPhotoLike(int width, int height, Put put)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-24, 24);
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(x, y, clamp(x + noise(random)), clamp(y * 4 / 3 + noise(random)),
                clamp(255 - (x + y) / 2 + noise(random)));
}

// The same as a picture, 256x192 unless told otherwise.
inline QImage photoLikeImage(int width = 256, int height = 192)
{
    QImage image(width, height, QImage::Format_RGB32);
    paintPhotoLike(width, height, [&](int x, int y, int r, int g, int b) { image.setPixel(x, y, qRgb(r, g, b)); });
    return image;
}

} // namespace bench
