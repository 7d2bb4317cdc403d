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

// A PNG written by libpng: sample(x, y, c) gives channel c of pixel (x, y) at the
// file's bit depth; the optional chunks as given.
struct PngSpec {
    int width = 37, height = 23;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;      // tRNS of a palette
    std::optional<png_color_16> transparent; // tRNS of grey or RGB
    double gamma = 0;                        // gAMA when not 0
};

void appendToArray(png_structp png, png_bytep data, size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

QByteArray writePng(const PngSpec& spec, const std::function<int(int x, int y, int c)>& sample)
{
    QByteArray file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &file, appendToArray, nullptr);
    png_set_IHDR(png, info, png_uint_32(spec.width), png_uint_32(spec.height), spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(png, info, spec.palette.data(), int(spec.palette.size()));
    if (!spec.paletteAlpha.empty())
        png_set_tRNS(png, info, spec.paletteAlpha.data(), int(spec.paletteAlpha.size()), nullptr);
    if (spec.transparent) {
        png_color_16 colour = *spec.transparent;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    if (spec.gamma != 0)
        png_set_gAMA(png, info, spec.gamma);
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const int rowBytes = int(png_get_rowbytes(png, info));
    std::vector<std::vector<png_byte>> rows(std::size_t(spec.height), std::vector<png_byte>(std::size_t(rowBytes)));
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < spec.height; ++y) {
        for (int x = 0; x < spec.width; ++x)
            for (int c = 0; c < channels; ++c) {
                const int value = sample(x, y, c);
                if (spec.bitDepth == 16) {
                    rows[std::size_t(y)][std::size_t(2 * (x * channels + c))] = png_byte(value >> 8);
                    rows[std::size_t(y)][std::size_t(2 * (x * channels + c) + 1)] = png_byte(value);
                } else {
                    const int bit = (x * channels + c) * spec.bitDepth; // packed, leftmost in the high bits
                    rows[std::size_t(y)][std::size_t(bit / 8)] |= png_byte(value << (8 - spec.bitDepth - bit % 8));
                }
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

    void qtWrittenPicturesReadAlike_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::newRow("rgb") << noisyImage(QImage::Format_RGB32);
        QTest::newRow("rgba") << noisyImage(QImage::Format_ARGB32);
        QTest::newRow("grey") << noisyImage(QImage::Format_Grayscale8);
        QTest::newRow("larger than the screen") << noisyImage(QImage::Format_RGB32, 700, 450);
        QImage palette = noisyImage(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8);
        QTest::newRow("palette") << palette;
        QList<QRgb> colours = palette.colorTable();
        for (int i = 0; i < colours.size(); i += 3)
            colours[i] = qRgba(qRed(colours[i]), qGreen(colours[i]), qBlue(colours[i]), i % 256);
        palette.setColorTable(colours);
        QTest::newRow("palette with alpha") << palette;
        for (const int count : {2, 4, 16}) { // written with 1, 2 and 4 bits per pixel
            QImage few(19, 13, QImage::Format_Indexed8);
            few.setColorCount(count);
            for (int i = 0; i < count; ++i)
                few.setColor(i, qRgba(i * 40, 255 - i * 9, i * 13, i == 1 ? 0 : 255));
            for (int y = 0; y < few.height(); ++y)
                for (int x = 0; x < few.width(); ++x)
                    few.setPixel(x, y, uint(noise(x, y, 0, count)));
            QTest::newRow(qPrintable(QStringLiteral("palette of %1").arg(count))) << few;
        }
        QTest::newRow("mono") << noisyImage(QImage::Format_RGB32).convertToFormat(QImage::Format_Mono);
    }

    void qtWrittenPicturesReadAlike()
    {
        QFETCH(QImage, image);
        checkSamePicture(qtPng(image));
    }

    void libpngWrittenPicturesReadAlike_data()
    {
        QTest::addColumn<int>("colourType");
        QTest::addColumn<int>("bitDepth");
        QTest::addColumn<bool>("interlaced");
        QTest::addColumn<bool>("transparency");
        QTest::addColumn<double>("gamma");
        for (const bool interlaced : {false, true})
            for (const bool transparency : {false, true}) {
                const char* how = interlaced     ? (transparency ? "interlaced, tRNS" : "interlaced")
                                  : transparency ? "tRNS"
                                                 : "";
                for (const int depth : {1, 2, 4, 8}) {
                    QTest::addRow("grey %d %s", depth, how)
                        << int(PNG_COLOR_TYPE_GRAY) << depth << interlaced << transparency << 0.0;
                    QTest::addRow("palette %d %s", depth, how)
                        << int(PNG_COLOR_TYPE_PALETTE) << depth << interlaced << transparency << 0.0;
                }
                QTest::addRow("rgb %s", how) << int(PNG_COLOR_TYPE_RGB) << 8 << interlaced << transparency << 0.0;
                if (!transparency) {
                    QTest::addRow("grey+alpha %s", how)
                        << int(PNG_COLOR_TYPE_GRAY_ALPHA) << 8 << interlaced << false << 0.0;
                    QTest::addRow("rgba %s", how) << int(PNG_COLOR_TYPE_RGB_ALPHA) << 8 << interlaced << false << 0.0;
                }
            }
        QTest::newRow("rgb with a gamma") << int(PNG_COLOR_TYPE_RGB) << 8 << false << false << 0.45455;
        QTest::newRow("grey with another gamma") << int(PNG_COLOR_TYPE_GRAY) << 4 << false << false << 1.0;
    }

    void libpngWrittenPicturesReadAlike()
    {
        QFETCH(int, colourType);
        QFETCH(int, bitDepth);
        QFETCH(bool, interlaced);
        QFETCH(bool, transparency);
        QFETCH(double, gamma);
        PngSpec spec;
        spec.colourType = colourType;
        spec.bitDepth = bitDepth;
        spec.interlaced = interlaced;
        spec.gamma = gamma;
        const int levels = 1 << bitDepth;
        if (colourType == PNG_COLOR_TYPE_PALETTE) {
            for (int i = 0; i < levels; ++i)
                spec.palette.push_back({png_byte(i * 7), png_byte(255 - i), png_byte(i * 3)});
            if (transparency)
                spec.paletteAlpha = {0, 128, 255, 7}; // fewer entries than the palette when it has more
            spec.paletteAlpha.resize(std::min<std::size_t>(spec.paletteAlpha.size(), std::size_t(levels)));
        } else if (transparency) { // the colour of the top-left pixel
            const auto first = png_uint_16(noise(0, 0, 0, levels)), second = png_uint_16(noise(0, 0, 1, levels));
            spec.transparent = png_color_16{0, first, second, first, first};
        }
        // Runs of one value; blue as red, so that the transparent colour turns up again.
        checkSamePicture(writePng(spec, [&](int x, int y, int c) { return noise(x / 4, y % 3, c % 2, levels); }));
    }

    // Left to the full program: it decides, with today's messages.
    void unsurePicturesAreLeftAlone()
    {
        PngSpec deep;
        deep.bitDepth = 16;
        const QByteArray sixteen = writePng(deep, [](int x, int y, int c) { return x * 1000 + y * 10 + c; });
        QVERIFY(!sixteen.isEmpty() && !decodePng(sixteen));
        const QByteArray good = qtPng(noisyImage(QImage::Format_RGB32));
        QVERIFY(decodePng(good));
        QVERIFY(!decodePng(good.left(good.size() - 20)));
        QByteArray badChecksum = good;
        badChecksum[40] = char(badChecksum[40] ^ 1);
        QVERIFY(!decodePng(badChecksum));
        PngSpec indices; // a palette of 2 entries, indices up to 3
        indices.colourType = PNG_COLOR_TYPE_PALETTE;
        indices.bitDepth = 2;
        indices.palette = {{1, 2, 3}, {4, 5, 6}};
        QVERIFY(!decodePng(writePng(indices, [](int x, int, int) { return x % 4; })));
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
