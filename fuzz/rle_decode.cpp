// The RLE stream reader and the encoder: any stream either decodes or is refused, a
// decoded stream encodes and decodes again to the same bytes, and any byte table
// survives encode then decode.

#include "fuzz_check.h"
#include "rle.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);

    if (const auto decoded = tms::RleDecode(bytes)) {
        const std::vector<std::uint8_t> again = tms::RleEncode(*decoded);
        FUZZ_CHECK(!again.empty() && again.back() == 255);
        FUZZ_CHECK(tms::RleDecode(again) == decoded);
    }

    const std::vector<std::uint8_t> encoded = tms::RleEncode(bytes);
    const auto roundTrip = tms::RleDecode(encoded);
    FUZZ_CHECK(roundTrip && std::equal(roundTrip->begin(), roundTrip->end(), bytes.begin(), bytes.end()));
    return 0;
}
