// The MSX screen 2 reader (GRP, 16391 bytes, and the shorter SC2 layout, 14343 bytes)
// and both writers: a refused file (length or header) leaves the picture as it was and
// says why; an accepted one takes the pattern and colour tables from their offsets,
// and the picture written again in either layout and read back is the same.

#include "grp_file.h"
#include "fuzz_check.h"

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
    // Reach past the length check now and then: 'G' makes a GRP file, 'S' an SC2 file,
    // each with its own header when the length is odd.
    if (size > 0 && (data[0] == 'G' || data[0] == 'S')) {
        const bool grp = data[0] == 'G';
        const QByteArray header = grp ? paint::grpHeader() : paint::sc2Header();
        file = (size % 2 ? header + file.mid(7) : file)
                   .leftJustified(grp ? paint::grpFileSize : paint::sc2FileSize, '\0', true);
    }

    paint::Picture picture = before;
    const QString refusal = paint::decodeGRP(file, picture);
    const bool screen2Size = file.size() == paint::grpFileSize || file.size() == paint::sc2FileSize;
    const bool wellFormed = (file.size() == paint::grpFileSize && file.startsWith(paint::grpHeader()))
                            || (file.size() == paint::sc2FileSize && file.startsWith(paint::sc2Header()));
    FUZZ_CHECK(refusal.isEmpty() == wellFormed);
    if (!wellFormed) {
        FUZZ_CHECK(picture == before);
        FUZZ_CHECK(refusal == (screen2Size ? paint::notGrpHeaderMessage() : paint::notGrpMessage()));
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
    const QByteArray shorter = paint::encodeSC2(picture);
    FUZZ_CHECK(shorter.size() == paint::sc2FileSize && shorter.startsWith(paint::sc2Header())
               && shorter.mid(7) == written.mid(7, paint::sc2FileSize - 7));
    paint::Picture fromShorter = other;
    FUZZ_CHECK(paint::decodeGRP(shorter, fromShorter).isEmpty() && fromShorter == picture);
    return 0;
}
