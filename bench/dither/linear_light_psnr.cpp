// Not a benchmark: how diffusing in linear light compares with diffusing the display
// values, for judging by eye and by numbers. For every picture (resized to 256x192 with
// its aspect kept) and the methods below, prints the PSNR against the picture after a
// 1-pixel blur, blurred in display values and in linear light, and writes a strip
//   picture | display values | linear, display distance | linear, linear distance | linear, Oklab distance
// as OUTDIR/NAME-METHOD.png:
//   linear_light_psnr OUTDIR PICTURE...

#include "adjustment.h"
#include "image_resize.h"
#include "linear_light.h"
#include "method_names.h"
#include "picture_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>

namespace {

using namespace dither;

double decode(int v)
{
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double encode(double l)
{
    return 255.0 * (l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055);
}

// Every pixel the mean of its 3x3 neighbourhood (within the picture), per component, the
// mean taken of the display values or of the light.
std::vector<std::array<double, 3>> blurred(const Picture& p, bool inLight)
{
    std::vector<std::array<double, 3>> out(p.size());
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) {
            std::array<double, 3> sum{};
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= pictureWidth || sy >= pictureHeight)
                        continue;
                    const ColorValue c = p[pixelIndex(sx, sy)];
                    const int v[3] = {tms::redOf(c), tms::greenOf(c), tms::blueOf(c)};
                    for (int k = 0; k < 3; ++k)
                        sum[k] += inLight ? decode(v[k]) : v[k];
                    ++n;
                }
            for (int k = 0; k < 3; ++k)
                out[pixelIndex(x, y)][k] = inLight ? encode(sum[k] / n) : sum[k] / n;
        }
    return out;
}

double psnr(const Picture& result, const Picture& source, bool inLight)
{
    const auto b = blurred(result, inLight);
    double sum = 0;
    for (int i = 0; i < pictureSize; ++i) {
        const int v[3] = {tms::redOf(source[i]), tms::greenOf(source[i]), tms::blueOf(source[i])};
        for (int k = 0; k < 3; ++k)
            sum += (b[i][k] - v[k]) * (b[i][k] - v[k]);
    }
    return 10 * std::log10(255.0 * 255.0 / (sum / (pictureSize * 3.0)));
}

QImage imageOf(const Picture& p)
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x)
            image.setPixel(x, y, tms::toQRgb(p[pixelIndex(x, y)]));
    return image;
}

Picture converted(const Picture& source, Method method, std::optional<PairDistance> light)
{
    ConversionSettings settings;
    settings.method = method;
    if (!light)
        return convert(source, settings)->picture;
    DitherRun run(adjustPicture(source, settings.gamma, settings.brightness),
                  chooseActiveColours(presetPalette(0), allColours()), settings.diffusion, {});
    diffuseInLinearLight(run, method, *light);
    return run.result.picture;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: linear_light_psnr OUTDIR PICTURE...\n");
        return 2;
    }
    const QString outDir = arguments.first();
    const std::array<std::optional<PairDistance>, 4> variants = {std::nullopt, PairDistance::Display,
                                                                 PairDistance::Linear, PairDistance::Oklab};
    std::printf("| picture | method | display values | linear, display distance | linear, linear distance | "
                "linear, Oklab distance |\n|---|---|---|---|---|---|\n");
    for (const QString& path : arguments.mid(1)) {
        QString error;
        const auto image = readPicture(path, &error);
        if (!image) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const Picture source = fitToScreen(*image, ResizeMode::RespectAspectRatio, ResolutionMode::Full);
        for (Method method : {Method::FloydSteinberg, Method::Stucki, Method::FloydSteinbergFast}) {
            QImage strip(pictureWidth * 5, pictureHeight, QImage::Format_RGB32);
            QPainter painter(&strip);
            painter.drawImage(0, 0, imageOf(source));
            std::printf("| %s | %s |", qPrintable(QFileInfo(path).baseName()), qPrintable(commandLineName(method)));
            for (std::size_t v = 0; v < variants.size(); ++v) {
                const Picture result = converted(source, method, variants[v]);
                painter.drawImage(int(v + 1) * pictureWidth, 0, imageOf(result));
                std::printf(" %.2f / %.2f dB |", psnr(result, source, false), psnr(result, source, true));
            }
            std::printf("\n");
            painter.end();
            strip.save(QStringLiteral("%1/%2-%3.png").arg(outDir, QFileInfo(path).baseName(), commandLineName(method)));
        }
    }
    return 0;
}
