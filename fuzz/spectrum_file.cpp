// The Spectrum SCR and MLT readers: a refused file leaves the picture as it was; an
// accepted one replaces every byte of it, each pattern byte comes from the file's
// interleaved bitmap and each colour byte from its attribute through the colour map.

#include "spectrum_file.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <cstdint>

namespace {

paint::Picture filledPicture()
{
    paint::Picture picture;
    for (int i = 0; i < 6144; ++i) {
        picture.bitmapPatterns[i] = std::uint8_t(i * 3 + 1);
        picture.bitmapColors[i] = std::uint8_t(i * 5 + 2);
    }
    return picture;
}

// File offset of the bitmap byte of character row (third * 8 + cellRow), column, line.
int spectrumOffset(int charRow, int column, int line)
{
    return (charRow / 8) * 2048 + line * 256 + (charRow % 8) * 32 + column;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const paint::Picture before = filledPicture();
    // Short inputs are padded to one of the two lengths now and then, so that the
    // decoders themselves are reached and not only the length check.
    QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    if (size > 0 && data[0] == 'S')
        file = file.leftJustified(size % 2 ? paint::mltFileSize : paint::scrFileSize, '\0', true);

    for (const bool multicolour : {false, true}) {
        paint::Picture picture = before;
        const bool accepted = multicolour ? paint::decodeMLT(file, picture) : paint::decodeSCR(file, picture);
        FUZZ_CHECK(accepted == (file.size() == (multicolour ? paint::mltFileSize : paint::scrFileSize)));
        if (!accepted) {
            FUZZ_CHECK(picture == before);
            continue;
        }
        for (int row = 0; row < 24; ++row)
            for (int column = 0; column < 32; ++column)
                for (int line = 0; line < 8; ++line) {
                    const int i = tms::bitmapIndex(row, column, line);
                    FUZZ_CHECK(picture.bitmapPatterns[i] == std::uint8_t(file[spectrumOffset(row, column, line)]));
                    const int attributeAt =
                        multicolour ? 6144 + (row * 8 + line) * 32 + column : 6144 + row * 32 + column;
                    FUZZ_CHECK(picture.bitmapColors[i]
                               == paint::spectrumAttributeColor(std::uint8_t(file[attributeAt])));
                }
    }
    return 0;
}
