#include "png_picture.h"

#include "atomic_file.h"
#include "picture_codecs.h"
#include "picture_signature.h"

#include <png.h>

#include <array>
#include <cstring>
#include <vector>

namespace dither {

namespace {

// The largest side accepted: larger pictures are rare enough to leave to Qt's reader,
// whose own limits then decide.
constexpr png_uint_32 largestSide = 32767;

struct FileInMemory {
    const QByteArray* bytes;
    qsizetype at = 0;
};

void readFromMemory(png_structp png, png_bytep data, size_t length)
{
    auto* file = static_cast<FileInMemory*>(png_get_io_ptr(png));
    if (qsizetype(length) > file->bytes->size() - file->at)
        png_error(png, "cut short");
    std::memcpy(data, file->bytes->constData() + file->at, length);
    file->at += qsizetype(length);
}

// Every libpng complaint makes the picture one this reader is not sure of: Qt's reader
// refuses a picture it warned about, and its errors end the decoding here.
void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}
void onWarning(png_structp png, png_const_charp)
{
    *static_cast<bool*>(png_get_error_ptr(png)) = true;
}

// The decoder's state, reached through a reference from the frame that calls setjmp,
// so that nothing there changes between setjmp and a longjmp.
struct Decoding {
    png_structp png = nullptr;
    png_infop info = nullptr;
    bool warned = false;
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    std::vector<png_byte> samples; // one byte per sample, rows of width * channels
    std::vector<png_bytep> rows;
    int channels = 0;
    ~Decoding() { png_destroy_read_struct(&png, &info, nullptr); }
};

// Reads the header, then the whole image as one byte per sample. False on any error.
bool readSamples(Decoding& d, FileInMemory& file)
{
    if (setjmp(png_jmpbuf(d.png)))
        return false;
    png_set_read_fn(d.png, &file, readFromMemory);
    png_read_info(d.png, d.info);
    int interlace = 0;
    png_get_IHDR(d.png, d.info, &d.width, &d.height, &d.bitDepth, &d.colourType, &interlace, nullptr, nullptr);
    if (d.bitDepth > 8 || d.width < 1 || d.height < 1 || d.width > largestSide || d.height > largestSide)
        return false;
    // Qt decodes into 32 bits per pixel at most: within the limit in that size, the
    // picture is within it in Qt's.
    if (std::uint64_t(d.width) * d.height * 4 > std::uint64_t(pictureAllocationLimitMB) << 20)
        return false;
    if (d.bitDepth < 8)
        png_set_packing(d.png); // one byte per sample, values unscaled
    png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    d.channels = png_get_channels(d.png, d.info);
    if (png_get_rowbytes(d.png, d.info) != std::size_t(d.width) * std::size_t(d.channels))
        return false;
    d.samples.resize(std::size_t(d.width) * d.height * std::size_t(d.channels));
    d.rows.resize(d.height);
    for (png_uint_32 y = 0; y < d.height; ++y)
        d.rows[y] = d.samples.data() + std::size_t(y) * d.width * std::size_t(d.channels);
    png_read_image(d.png, d.rows.data());
    png_read_end(d.png, nullptr); // the checksums and chunks after the image data too
    return true;
}

constexpr ArgbPixel argb(int alpha, int red, int green, int blue)
{
    return ArgbPixel(alpha) << 24 | ArgbPixel(red) << 16 | ArgbPixel(green) << 8 | ArgbPixel(blue);
}

// The samples as ARGB pixels, as Qt's reader gives them: grey of fewer bits spread over
// 0..255, the transparent grey or colour of a tRNS chunk with alpha 0, a palette entry
// with the alpha its tRNS entry gives (opaque beyond them). False when a value lies
// outside what the header allows.
bool toArgb(const Decoding& d, ArgbPicture& picture)
{
    png_color_16p transparent = nullptr;
    png_bytep paletteAlpha = nullptr;
    int transparentCount = 0;
    const bool hasTrns = png_get_tRNS(d.png, d.info, &paletteAlpha, &transparentCount, &transparent) != 0;
    const int maxGrey = (1 << d.bitDepth) - 1;

    std::array<ArgbPixel, 256> table{}; // the pixel of each grey level or palette index
    int entries = 0;
    if (d.colourType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        if (!png_get_PLTE(d.png, d.info, &palette, &entries))
            return false;
        for (int i = 0; i < entries; ++i) {
            const int alpha = hasTrns && i < transparentCount ? paletteAlpha[i] : 255;
            table[std::size_t(i)] = argb(alpha, palette[i].red, palette[i].green, palette[i].blue);
        }
    } else if (d.colourType == PNG_COLOR_TYPE_GRAY) {
        entries = maxGrey + 1;
        if (hasTrns && transparent->gray > maxGrey)
            return false;
        for (int i = 0; i < entries; ++i) {
            const int grey = i * 255 / maxGrey;
            const int alpha = hasTrns && i == transparent->gray ? 0 : 255;
            table[std::size_t(i)] = argb(alpha, grey, grey, grey);
        }
    }

    picture.width = int(d.width);
    picture.height = int(d.height);
    picture.pixels.resize(std::size_t(d.width) * d.height);
    const png_byte* s = d.samples.data();
    ArgbPixel* out = picture.pixels.data();
    const std::size_t count = picture.pixels.size();
    switch (d.colourType) {
    case PNG_COLOR_TYPE_PALETTE:
    case PNG_COLOR_TYPE_GRAY:
        for (std::size_t i = 0; i < count; ++i) {
            if (s[i] >= entries)
                return false;
            out[i] = table[s[i]];
        }
        return true;
    case PNG_COLOR_TYPE_RGB:
        for (std::size_t i = 0; i < count; ++i, s += 3) {
            const bool clear =
                hasTrns && s[0] == transparent->red && s[1] == transparent->green && s[2] == transparent->blue;
            out[i] = argb(clear ? 0 : 255, s[0], s[1], s[2]);
        }
        return true;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        for (std::size_t i = 0; i < count; ++i, s += 2)
            out[i] = argb(s[1], s[0], s[0], s[0]);
        return true;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        for (std::size_t i = 0; i < count; ++i, s += 4)
            out[i] = argb(s[3], s[0], s[1], s[2]);
        return true;
    default: return false;
    }
}

} // namespace

std::optional<ArgbPicture> decodePng(const QByteArray& bytes)
{
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.constData()), 0, 8) != 0)
        return std::nullopt;
    Decoding d;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d.warned, onError, onWarning);
    if (!d.png)
        return std::nullopt;
    d.info = png_create_info_struct(d.png);
    if (!d.info)
        return std::nullopt;
    FileInMemory file{&bytes};
    if (!readSamples(d, file) || d.warned)
        return std::nullopt;
    ArgbPicture picture;
    if (!toArgb(d, picture))
        return std::nullopt;
    return picture;
}

std::optional<ArgbPicture> readPngPicture(const QString& path)
{
    if (builtInFormatOf(path) != "png")
        return std::nullopt;
    // The file whole in memory, at most as large as the largest picture accepted could
    // be (its compressed data is never larger than that by much).
    const auto bytes = tms::readWholeFile(path, qint64(pictureAllocationLimitMB) << 21);
    if (!bytes)
        return std::nullopt;
    return decodePng(*bytes);
}

} // namespace dither
