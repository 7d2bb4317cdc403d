// From a loaded picture to the source picture (fitToScreen), and from a result to
// PowerPaint files and picture files.

#include "colour_metrics.h"
#include "image_resize.h"
#include "result_output.h"
#include "test_pictures.h"

#include <QImage>
#include <QtTest>

using namespace dither;

namespace {

// Checks source(x, y) = picture(fx(x), fy(y)) inside the given area and black outside.
template <typename Fx, typename Fy>
void verifySampled(const Picture& source, int coveredWidth, int coveredHeight, Fx fx, Fy fy)
{
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) {
            const ColorValue expected =
                (x < coveredWidth && y < coveredHeight) ? dither_test::coordinateColour(fx(x), fy(y)) : 0;
            if (source[pixelIndex(x, y)] != expected)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
        }
}

} // namespace

class TestOutput : public QObject {
    Q_OBJECT
private slots:
    void largePicturesAreReduced()
    {
        const QImage big = dither_test::coordinateImage(512, 384);
        auto twice = [](int v) { return 2 * v; };
        auto same = [](int v) { return v; };
        for (ResizeMode mode : {ResizeMode::Stretch, ResizeMode::RespectAspectRatio})
            verifySampled(fitToScreen(big, mode, ResolutionMode::Full), 256, 192, twice, twice);
        // No resize: the top-left 256x192 pixels as they are.
        verifySampled(fitToScreen(big, ResizeMode::NoResize, ResolutionMode::Full), 256, 192, same, same);

        const QImage wide = dither_test::coordinateImage(512, 192);
        verifySampled(fitToScreen(wide, ResizeMode::RespectAspectRatio, ResolutionMode::Full), 256, 96, twice, twice);
        verifySampled(fitToScreen(wide, ResizeMode::Stretch, ResolutionMode::Full), 256, 192, twice, same);

        // 10K: reduced to fit 240x160, black beyond.
        const QImage tenK = dither_test::coordinateImage(480, 320);
        verifySampled(fitToScreen(tenK, ResizeMode::RespectAspectRatio, ResolutionMode::TenK), 240, 160, twice, twice);
    }

    void smallPicturesAreNeverEnlarged()
    {
        const QImage small = dither_test::coordinateImage(100, 50);
        auto same = [](int v) { return v; };
        for (ResolutionMode resolution : {ResolutionMode::Full, ResolutionMode::TenK})
            for (ResizeMode mode : {ResizeMode::NoResize, ResizeMode::Stretch, ResizeMode::RespectAspectRatio})
                verifySampled(fitToScreen(small, mode, resolution), 100, 50, same, same);
        verifySampled(fitToScreen(dither_test::coordinateImage(1, 1), ResizeMode::Stretch, ResolutionMode::Full), 1, 1,
                      same, same);
        verifySampled(fitToScreen(QImage(), ResizeMode::Stretch, ResolutionMode::Full), 0, 0, same, same);
    }

    void transparencyIsLaidOverBlack()
    {
        QCOMPARE(loadedColour(qRgba(255, 128, 10, 0)), RGB(0, 0, 0));
        QCOMPARE(loadedColour(qRgba(255, 128, 10, 255)), RGB(255, 128, 10));
        QCOMPARE(loadedColour(qRgba(255, 100, 0, 128)), RGB(128, 50, 0));
        // Every decoded format reads as QImage::pixel reads it, premultiplied ones included.
        QImage translucent = dither_test::coordinateImage(40, 30).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                translucent.setPixel(x, y, (translucent.pixel(x, y) & 0xffffff) | QRgb(8 * x) << 24);
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                      QImage::Format_Indexed8, QImage::Format_RGB888}) {
            const QImage loaded = translucent.convertToFormat(format);
            const Picture source = fitToScreen(loaded, ResizeMode::NoResize, ResolutionMode::Full);
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    QCOMPARE(source[pixelIndex(x, y)], loadedColour(loaded.pixel(x, y)));
        }
    }

    void resultPictureShowsTheResult()
    {
        const auto result = convert(dither_test::noisyPicture(21), {});
        const QImage image = resultImage(*result); // what every output format encodes
        for (const auto& [x, y] : {std::pair(0, 0), {255, 191}, {100, 50}})
            QCOMPARE(loadedColour(image.pixel(x, y)), result->picture[pixelIndex(x, y)]);
    }
};

QTEST_GUILESS_MAIN(TestOutput)
#include "test_output.moc"
