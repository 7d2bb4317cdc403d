// How much the import as tiles costs against the plain bitmap conversion of the same
// picture: PSNR of each screen, after a 1-pixel blur (the eye blends dithering), against
// the picture as converted (resized to 256x192). Prints one row per picture:
//   picture_tiles_psnr [PICTURE...]
// Without arguments it makes five photograph-like pictures of its own.

#include "image_resize.h"
#include "picture_file.h"
#include "picture_tiles.h"
#include "tile_sheets.h"

#include <QCoreApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

namespace {

int clamp255(double v)
{
    return int(v < 0 ? 0 : v > 255 ? 255 : v);
}

QImage makePicture(int width, int height, const std::function<QRgb(double x, double y, std::mt19937&)>& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(width * 31 + height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colour(double(x) / width, double(y) / height, random));
    return image;
}

// Smooth value noise of a few octaves, 0..1.
double smoothNoise(double x, double y, int seed)
{
    auto hash = [seed](int i, int j) {
        std::uint32_t h = std::uint32_t(i * 374761393 + j * 668265263 + seed * 144665);
        h = (h ^ (h >> 13)) * 1274126177u;
        return double(h & 0xFFFF) / 65535.0;
    };
    double sum = 0, amplitude = 0.5;
    for (int octave = 0; octave < 5; ++octave) {
        const double fx = x * (4 << octave), fy = y * (4 << octave);
        const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
        const double tx = fx - ix, ty = fy - iy;
        const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
        const double top = hash(ix, iy) * (1 - sx) + hash(ix + 1, iy) * sx;
        const double bottom = hash(ix, iy + 1) * (1 - sx) + hash(ix + 1, iy + 1) * sx;
        sum += amplitude * (top * (1 - sy) + bottom * sy);
        amplitude /= 2;
    }
    return sum / 0.97;
}

std::vector<std::pair<QString, QImage>> generatedPhotos()
{
    std::vector<std::pair<QString, QImage>> photos;
    photos.emplace_back("landscape", makePicture(640, 480, [](double x, double y, std::mt19937& r) {
                            std::normal_distribution<double> grain(0, 6);
                            const double hill = 0.55 + 0.12 * std::sin(x * 7) + 0.08 * smoothNoise(x, 0.3, 1);
                            if (y < hill) // sky with clouds
                                return qRgb(clamp255(90 + 120 * y + 90 * smoothNoise(x * 2, y * 3, 2) + grain(r)),
                                            clamp255(140 + 100 * y + 80 * smoothNoise(x * 2, y * 3, 2) + grain(r)),
                                            clamp255(230 - 40 * y + grain(r)));
                            const double field = smoothNoise(x * 3, y * 3, 3);
                            return qRgb(clamp255(60 + 90 * field + grain(r)),
                                        clamp255(110 + 80 * field - 60 * (y - hill) + grain(r)),
                                        clamp255(40 + 30 * field + grain(r)));
                        }));
    photos.emplace_back("portrait", makePicture(480, 640, [](double x, double y, std::mt19937& r) {
                            std::normal_distribution<double> grain(0, 4);
                            const double dx = (x - 0.5) / 0.28, dy = (y - 0.42) / 0.34;
                            const double face = std::exp(-(dx * dx + dy * dy) * 1.4);
                            const double hair =
                                std::exp(-((x - 0.5) * (x - 0.5) / 0.12 + (y - 0.2) * (y - 0.2) / 0.03));
                            const double backdrop = 0.3 + 0.4 * smoothNoise(x, y, 4);
                            return qRgb(clamp255(70 * backdrop + 220 * face - 120 * hair + 40 + grain(r)),
                                        clamp255(90 * backdrop + 170 * face - 110 * hair + 30 + grain(r)),
                                        clamp255(140 * backdrop + 140 * face - 90 * hair + 30 + grain(r)));
                        }));
    photos.emplace_back("marble", makePicture(512, 384, [](double x, double y, std::mt19937& r) {
                            std::normal_distribution<double> grain(0, 3);
                            const double vein = 0.5 + 0.5 * std::sin(12 * x + 9 * smoothNoise(x, y, 5));
                            return qRgb(clamp255(200 * vein + 40 + grain(r)), clamp255(180 * vein + 50 + grain(r)),
                                        clamp255(150 * vein + 70 + grain(r)));
                        }));
    photos.emplace_back("bokeh", makePicture(800, 600,
                                             [](double x, double y, std::mt19937& r) {
        std::normal_distribution<double> grain(0, 5);
        double red = 30 + 40 * y, green = 20 + 30 * x, blue = 50 + 60 * (1 - y);
        for (int i = 0; i < 14; ++i) {
            const double cx = 0.07 * i + 0.05, cy = 0.5 + 0.35 * std::sin(i * 1.7), radius = 0.05 + 0.02 * (i % 4);
            const double d = std::hypot(x - cx, (y - cy) * 0.75) / radius;
            const double light = d < 1 ? 1 - 0.3 * d * d : std::exp(-(d - 1) * 6);
            red += light * (120 + 100 * std::sin(i));
            green += light * (100 + 90 * std::cos(i * 2));
            blue += light * (110 + 80 * std::sin(i * 3));
        }
        return qRgb(clamp255(red + grain(r)), clamp255(green + grain(r)), clamp255(blue + grain(r)));
                        }));
    photos.emplace_back("street", makePicture(640, 480,
                                              [](double x, double y, std::mt19937& r) {
        std::normal_distribution<double> grain(0, 7);
        // Facades of windows in perspective, a road, sky: edges and flat areas as in a city.
        const double horizon = 0.45;
        if (y > horizon + 0.1 * std::abs(x - 0.5))
            return qRgb(clamp255(80 + 40 * smoothNoise(x * 4, y * 4, 6) + grain(r)),
                        clamp255(80 + 40 * smoothNoise(x * 4, y * 4, 6) + grain(r)),
                        clamp255(90 + 40 * smoothNoise(x * 4, y * 4, 6) + grain(r)));
        const int building = int(x * 6);
        if (y > 0.15 + 0.1 * (building % 3)) {
            const bool window = std::fmod(x * 48, 1.0) < 0.5 && std::fmod(y * 30, 1.0) < 0.55;
            const double tone = 0.6 + 0.4 * std::sin(building * 2.1);
            return window ? qRgb(clamp255(230 + grain(r)), clamp255(200 + grain(r)), clamp255(120 + grain(r)))
                          : qRgb(clamp255(150 * tone + grain(r)), clamp255(100 * tone + grain(r)),
                                 clamp255(80 * tone + grain(r)));
        }
        return qRgb(clamp255(250 - 100 * y + grain(r)), clamp255(170 - 60 * y + grain(r)), clamp255(120 + grain(r)));
                        }));
    return photos;
}

// The picture's pixels with every pixel the mean of its 3x3 neighbourhood.
QImage blurred(const QImage& image)
{
    QImage out(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= image.width() || sy >= image.height())
                        continue;
                    const QRgb p = image.pixel(sx, sy);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                    ++n;
                }
            out.setPixel(x, y, qRgb(r / n, g / n, b / n));
        }
    return out;
}

double psnr(const QImage& a, const dither::Picture& reference)
{
    double sum = 0;
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb p = a.pixel(x, y);
            const tms::ColorValue q = reference[dither::pixelIndex(x, y)];
            const double dr = qRed(p) - tms::redOf(q), dg = qGreen(p) - tms::greenOf(q), db = qBlue(p) - tms::blueOf(q);
            sum += dr * dr + dg * dg + db * db;
        }
    const double mse = sum / (256.0 * 192 * 3);
    return 10 * std::log10(255.0 * 255.0 / mse);
}

QImage bitmapScreen(const tms::BitmapTable& patterns, const tms::BitmapTable& colors, const tms::Palette& palette)
{
    QImage image(256, 192, QImage::Format_RGB32);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x) {
            const int i = tms::bitmapIndex(y / 8, x / 8, y % 8);
            const int c =
                patterns[i] & tms::bitMask[x % 8] ? tms::foregroundOf(colors[i]) : tms::backgroundOf(colors[i]);
            image.setPixel(x, y, tms::toQRgb(palette[c]));
        }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::pair<QString, QImage>> pictures;
    for (const QString& path : app.arguments().mid(1)) {
        QString error;
        const auto image = dither::readPicture(path, &error);
        if (!image) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        pictures.emplace_back(path, *image);
    }
    if (pictures.empty())
        pictures = generatedPhotos();

    const dither::PictureImportSettings settings; // Floyd-Steinberg, all colours, aspect kept
    std::printf("| picture | bitmap | kardo3 tiles | loss | kardo2 tiles | loss | kardo3 merges | kardo2 merges |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const auto& [name, image] : pictures) {
        const dither::Picture source = dither::fitToScreen(image, settings.resize, dither::ResolutionMode::Full);
        const tms::Palette palette = tms::standardPalette();
        const auto mode2 = tile::pictureToTiles(image, settings, tile::Edition::ScreenMode2);
        const auto mode1 = tile::pictureToTiles(image, settings, tile::Edition::ScreenMode1);
        tile::TileDocument doc2(tile::Edition::ScreenMode2), doc1(tile::Edition::ScreenMode1);
        tile::applyTiles(doc2, mode2->tiles);
        tile::applyTiles(doc1, mode1->tiles);
        const double bitmap = psnr(blurred(bitmapScreen(mode2->screenPatterns, mode2->screenColors, palette)), source);
        const double tiles2 = psnr(blurred(tile::screenPicture(doc2)), source);
        const double tiles1 = psnr(blurred(tile::screenPicture(doc1)), source);
        std::printf("| %s | %.2f dB | %.2f dB | %.2f dB | %.2f dB | %.2f dB | %d of %d | %d of %d |\n",
                    qPrintable(name), bitmap, tiles2, bitmap - tiles2, tiles1, bitmap - tiles1, mode2->tiles.merges,
                    mode2->tiles.distinctCells, mode1->tiles.merges, mode1->tiles.distinctCells);
    }
    return 0;
}
