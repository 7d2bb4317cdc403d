// Writing the mode 1 tables into a cartridge image behind its marker: the image keeps
// its length and every byte outside the 2848 written ones, the tables sit right behind
// the byte after the marker, the marker is still found where it was, and an image
// without room is refused whole.

#include "fuzz_check.h"
#include "prototype_scan.h"
#include "prototype_writer.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const tile::TileDocument doc = [] {
        tile::TileDocument d(tile::Edition::ScreenMode1);
        for (int c = 0; c < tile::charCount; ++c)
            for (int r = 0; r < 8; ++r)
                d.charPatterns[c][r] = tile::Byte(c ^ (r * 37));
        for (int g = 0; g < tile::colorGroupCount; ++g)
            d.groupColors[g] = tile::Byte(g * 7 + 1);
        return d;
    }();
    static const QByteArray tables = tile::prototypeTables(doc);
    FUZZ_CHECK(tables.size() == tile::prototypeTablesSize);

    // Images of cartridge size with the fuzzer's bytes at a place chosen by them.
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QByteArray image = bytes;
    if (size >= 2 && data[0] == 'C') {
        const int at = (data[1] * 131) % 8000;
        image = QByteArray(at, '\xAA') + bytes.mid(2);
        image = image.leftJustified(std::max<qsizetype>(image.size(), 8000), '\x55');
    }
    const std::optional<qint64> offset = tile::findPrototypeMarker(image);
    if (!offset)
        return 0;
    const QByteArray patched = tile::patchedPrototypeImage(image, *offset, doc);
    const qsizetype first = qsizetype(*offset - 1);
    if (first + tile::prototypeTablesSize > image.size()) {
        FUZZ_CHECK(patched.isEmpty());
        return 0;
    }
    FUZZ_CHECK(patched.size() == image.size());
    FUZZ_CHECK(patched.left(first) == image.left(first));
    FUZZ_CHECK(patched.mid(first, tile::prototypeTablesSize) == tables);
    FUZZ_CHECK(patched.mid(first + tile::prototypeTablesSize) == image.mid(first + tile::prototypeTablesSize));
    FUZZ_CHECK(tile::findPrototypeMarker(patched) == offset);
    // Writing again changes nothing more.
    FUZZ_CHECK(tile::patchedPrototypeImage(patched, *offset, doc) == patched);
    return 0;
}
