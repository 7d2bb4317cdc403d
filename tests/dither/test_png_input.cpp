// The command line's own PNG reader against Qt's: for every kind of PNG it accepts, the
// picture the conversion starts from is the one Qt's reader gives, picture for
// picture; what it is not sure of (16-bit samples, damage, the malformed corpus) it
// leaves to the full program, which then gives today's message. The pictures come from
// Qt's writer where it can write them, from libpng's writer for the rest.

#include "batch_command.h"
#include "image_resize.h"
#include "malformed_inputs.h"
#include "picture_file.h"
#include "png_codecs.h"
#include "png_picture.h"
#include "qt_picture_codecs.h"
#include "test_files.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <png.h>
#include <random>

using namespace dither;

namespace {

// A PNG written by libpng, for what Qt's writer does not write: sample(x, y, c) gives
// channel c of pixel (x, y) at the file's bit depth.
struct PngLayout {
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    bool transparency = false; // tRNS: the colour of pixel (0, 0), or palette alphas
    double gamma = 0;          // gAMA, and the chunks Qt's reader might act on: sBIT, bKGD, cHRM
    int width = 37, height = 23;
    int paletteSize = 0; // 0: one entry per value
};

void appendToArray(png_structp png, png_bytep data, size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

QByteArray writePng(const PngLayout& layout, const std::function<int(int x, int y, int c)>& sample)
{
    QByteArray file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &file, appendToArray, nullptr);
    png_set_IHDR(png, info, png_uint_32(layout.width), png_uint_32(layout.height), layout.bitDepth, layout.colourType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, 0, 0);
    const int levels = 1 << std::min(layout.bitDepth, 8);
    std::vector<png_color> palette;
    const png_byte paletteAlpha[] = {0, 128, 255, 7};
    for (int i = 0;
         layout.colourType == PNG_COLOR_TYPE_PALETTE && i < (layout.paletteSize ? layout.paletteSize : levels); ++i)
        palette.push_back({png_byte(i * 7), png_byte(255 - i), png_byte(i * 3)});
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    png_color_16 first{0, png_uint_16(sample(0, 0, 0)), png_uint_16(sample(0, 0, 1)), png_uint_16(sample(0, 0, 2)),
                       png_uint_16(sample(0, 0, 0))};
    if (layout.transparency)
        png_set_tRNS(png, info, paletteAlpha, std::min(levels, 4), &first);
    png_color_8 significant{3, 4, 5, 2, 1};
    png_color_16 background{0, 10, 200, 30, 90};
    if (layout.gamma != 0) {
        png_set_gAMA(png, info, layout.gamma);
        png_set_sBIT(png, info, &significant);
        png_set_bKGD(png, info, &background);
        png_set_cHRM(png, info, 0.3127, 0.329, 0.64, 0.33, 0.3, 0.6, 0.15, 0.06);
    }
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    std::vector<std::vector<png_byte>> rows(std::size_t(layout.height),
                                            std::vector<png_byte>(png_get_rowbytes(png, info)));
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < layout.height; ++y) {
        for (int x = 0; x < layout.width; ++x)
            for (int c = 0; c < channels; ++c) {
                const int bit = (x * channels + c) * layout.bitDepth; // packed, leftmost in the high bits
                const int value = sample(x, y, c);
                if (layout.bitDepth == 16)
                    rows[std::size_t(y)][std::size_t(bit / 8) + 1] = png_byte(value); // and the high byte:
                rows[std::size_t(y)][std::size_t(bit / 8)] |=
                    png_byte(layout.bitDepth == 16 ? value >> 8 : value << (8 - layout.bitDepth - bit % 8));
            }
        rowPointers.push_back(rows[std::size_t(y)].data());
    }
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

QByteArray qtPng(const QImage& image)
{
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? file : QByteArray();
}

// Noise over the full range of each sample, with runs of equal pixels.
int noise(int x, int y, int c, int levels)
{
    std::minstd_rand random(unsigned(x / 3 * 7919 + y * 104729 + c * 31));
    return int(random() % unsigned(levels));
}

QImage noisyImage(QImage::Format format, int width = 41, int height = 29)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgba(noise(x, y, 0, 256), noise(x, y, 1, 256), noise(x, y, 2, 256),
                                 x % 5 == 0 ? noise(x, y, 3, 256) : 255));
    return image.convertToFormat(format);
}

} // namespace

class TestPngInput : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // Qt's picture of the file, as the full program fits it, against this reader's.
    void checkSamePicture(const QByteArray& file)
    {
        QVERIFY(!file.isEmpty());
        const auto light = decodePng(file);
        QVERIFY2(light, "the PNG reader left a PNG it should read to the full program");
        const QString path = dir.filePath(QStringLiteral("picture.png"));
        writeFile(path, file);
        QString error;
        const auto qt = readPicture(path, &error);
        QVERIFY2(qt, qPrintable(error));
        for (const ResizeMode resize : {ResizeMode::NoResize, ResizeMode::Stretch, ResizeMode::RespectAspectRatio})
            for (const ResolutionMode resolution : {ResolutionMode::Full, ResolutionMode::TenK})
                QVERIFY(fitToScreen(*light, resize, resolution) == fitToScreen(*qt, resize, resolution));
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void picturesReadAlike_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("rgb") << qtPng(noisyImage(QImage::Format_RGB32));
        QTest::newRow("rgba") << qtPng(noisyImage(QImage::Format_ARGB32));
        QTest::newRow("grey") << qtPng(noisyImage(QImage::Format_Grayscale8));
        QTest::newRow("larger than the screen") << qtPng(noisyImage(QImage::Format_RGB32, 700, 450));
        QTest::newRow("palette") << qtPng(noisyImage(QImage::Format_ARGB32).convertToFormat(QImage::Format_Indexed8));
        QTest::newRow("mono") << qtPng(noisyImage(QImage::Format_RGB32).convertToFormat(QImage::Format_Mono));
        for (const bool interlaced : {false, true})
            for (const bool transparency : {false, true})
                for (const auto& [type, depths] : {std::pair{PNG_COLOR_TYPE_GRAY, QList{1, 2, 4, 8}},
                                                   {PNG_COLOR_TYPE_PALETTE, QList{1, 2, 4, 8}},
                                                   {PNG_COLOR_TYPE_RGB, QList{8}},
                                                   {PNG_COLOR_TYPE_GRAY_ALPHA, QList{8}},
                                                   {PNG_COLOR_TYPE_RGB_ALPHA, QList{8}}})
                    for (const int depth : depths) {
                        if (transparency && (type & PNG_COLOR_MASK_ALPHA))
                            continue; // no tRNS beside an alpha channel
                        const PngLayout layout{type, depth, interlaced, transparency};
                        // Runs of one value; blue as red, so that pixel (0, 0)'s colour turns up again.
                        QTest::addRow("type %d, %d bits%s%s", type, depth, interlaced ? ", interlaced" : "",
                                      transparency ? ", tRNS" : "")
                            << writePng(layout, [depth](int x, int y, int c) {
                                   return noise(x / 4, y % 3, c % 2, 1 << depth);
                               });
                    }
        for (const double gamma : {0.45455, 1.0})
            QTest::addRow("gamma %g, sBIT, bKGD, cHRM", gamma) << writePng(
                {PNG_COLOR_TYPE_RGB, 8, false, false, gamma}, [](int x, int y, int c) { return noise(x, y, c, 256); });
    }

    void picturesReadAlike()
    {
        QFETCH(QByteArray, file);
        checkSamePicture(file);
    }

    // Left to the full program: it decides, with today's messages.
    void unsurePicturesAreLeftAlone()
    {
        const QByteArray sixteen =
            writePng({PNG_COLOR_TYPE_RGB, 16}, [](int x, int y, int c) { return x * 1000 + y * 10 + c; });
        QVERIFY(!sixteen.isEmpty() && !decodePng(sixteen));
        const QByteArray good = qtPng(noisyImage(QImage::Format_RGB32));
        QVERIFY(decodePng(good) && !decodePng(good.chopped(20)));
        QByteArray badChecksum = good;
        badChecksum[40] = char(badChecksum[40] ^ 1);
        QVERIFY(!decodePng(badChecksum));
        PngLayout shortPalette{PNG_COLOR_TYPE_PALETTE, 2};
        shortPalette.paletteSize = 3; // and indices up to 3
        const QByteArray beyond = writePng(shortPalette, [](int x, int, int) { return x % 4; });
        QVERIFY(!beyond.isEmpty() && !decodePng(beyond));
    }

    // The whole malformed corpus goes to the full program, with nothing written or said.
    void malformedPicturesGoToTheFullProgram_data() { addMalformedRows(QStringLiteral("dither")); }

    void malformedPicturesGoToTheFullProgram()
    {
        QFETCH(QString, path);
        QTemporaryDir out;
        tms::batch::CapturedConsole console(QStringLiteral("dither"));
        for (const QStringList& outputs :
             {QStringList{"--pp", out.filePath("a.pp")}, QStringList{"--pp10k", "--out-dir", out.filePath("folder")}}) {
            QCOMPARE(runBatch(QStringList{"dither"} + outputs + QStringList{path}, console, pngPictureCodecs()),
                     needsFullProgram);
            QCOMPARE(console.out + console.err, QString());
            QVERIFY(folderIsEmpty(out.path()));
        }
    }

    // Read by this reader, the files are the very ones the full program writes; one
    // picture it is not sure of sends a whole folder run over before anything is written.
    void sameFilesAndFolderRunsHandOverWhole()
    {
        const QString picture = dir.filePath(QStringLiteral("photo.png"));
        const QString deep = dir.filePath(QStringLiteral("deep.png"));
        QVERIFY(noisyImage(QImage::Format_ARGB32, 300, 200).save(picture));
        QVERIFY(noisyImage(QImage::Format_RGBA64, 30, 20).save(deep));
        for (const auto* codecs : {&pngPictureCodecs(), &qtPictureCodecs()}) {
            const QString folder = dir.filePath(codecs == &pngPictureCodecs() ? "light" : "full");
            tms::batch::CapturedConsole console(QStringLiteral("dither"));
            QCOMPARE(runBatch({"dither", "--method", "burkes", "--resize", "aspect", "--pp10k", "--out-dir", folder,
                               picture},
                              console, *codecs),
                     0);
            QCOMPARE(runBatch({"dither", "--pp", "--out-dir", folder + "-deep", picture, deep}, console, *codecs),
                     codecs == &pngPictureCodecs() ? needsFullProgram : 0);
        }
        QCOMPARE(readFile(dir.filePath("light/photo.pp")), readFile(dir.filePath("full/photo.pp")));
        QCOMPARE(readFile(dir.filePath("light/photo.pp")).size(), 10240);
        QVERIFY(!QFile::exists(dir.filePath("light-deep")));
        QVERIFY(QFile::exists(dir.filePath("full-deep/deep.pp")));
    }
};

QTEST_GUILESS_MAIN(TestPngInput)
#include "test_png_input.moc"
