// The cartridge marker scan against the scan as the start-up describes it: a nine-byte
// window moved one byte at a time, tested after each byte read, the position reached
// (one-based, of the next byte to read) being the result.

#include "prototype_scan.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <cstdint>
#include <cstring>

namespace {

std::optional<qint64> windowScan(const QByteArray& image)
{
    if (image.size() < 9)
        return std::nullopt;
    char window[9];
    std::memcpy(window, image.constData(), 9);
    for (qsizetype position = 9; position < image.size(); ++position) {
        const char next = image[position]; // read before the test
        if (std::memcmp(window, "PROTOTYPE", 9) == 0)
            return position + 2; // one-based position of the next byte to read
        std::memmove(window, window + 1, 8);
        window[8] = next;
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray image(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<qint64> found = tile::findPrototypeMarker(image);
    FUZZ_CHECK(found == windowScan(image));
    if (found)
        FUZZ_CHECK(*found >= 11 && *found <= image.size() + 1 && image.mid(*found - 11, 9) == "PROTOTYPE");
    return 0;
}
