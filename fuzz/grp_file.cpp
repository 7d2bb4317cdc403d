// The MSX GRP reader and writer: a refused file (length or header) leaves the picture
// as it was and says why; an accepted one takes the pattern and colour tables from
// their offsets, and the picture written again and read back is the same.

#include "fuzz_check.h"
#include "grp_file.h"

#include <QByteArray>
#include <cstdint>

namespace {

paint::Picture filledPicture(int seed)
{
    paint::Picture picture;
    for (int i = 0; i < 6144; ++i) {
        picture.bitmapPatterns[i] = std::uint8_t(i * seed + 1);
        picture.bitmapColors[i] = std::uint8_t(i * (seed + 2) + 2);
    }
    return picture;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const paint::Picture before = filledPicture(3);
    static const paint::Picture other = filledPicture(7);
    QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    if (size > 0 && data[0] == 'G') // reach past the length check now and then
        file = (size % 2 ? paint::grpHeader() + file.mid(7) : file).leftJustified(paint::grpFileSize, '\0', true);

    paint::Picture picture = before;
    const QString refusal = paint::decodeGRP(file, picture);
    const bool wellFormed = file.size() == paint::grpFileSize && file.startsWith(paint::grpHeader());
    FUZZ_CHECK(refusal.isEmpty() == wellFormed);
    if (!wellFormed) {
        FUZZ_CHECK(picture == before);
        FUZZ_CHECK(refusal == (file.size() == paint::grpFileSize ? paint::notGrpHeaderMessage() : paint::notGrpMessage()));
        return 0;
    }
    for (int i = 0; i < 6144; ++i) {
        FUZZ_CHECK(picture.bitmapPatterns[i] == std::uint8_t(file[7 + i]));
        FUZZ_CHECK(picture.bitmapColors[i] == std::uint8_t(file[8199 + i]));
    }
    const QByteArray written = paint::encodeGRP(picture);
    FUZZ_CHECK(written.size() == paint::grpFileSize && written.mid(7, 6144) == file.mid(7, 6144)
               && written.mid(8199, 6144) == file.mid(8199, 6144));
    paint::Picture again = other;
    FUZZ_CHECK(paint::decodeGRP(written, again).isEmpty() && again == picture);
    FUZZ_CHECK(paint::encodeGRP(again) == written);
    return 0;
}
