#pragma once
// What the ZX0 and Pletter harnesses share: the test-side decoder is fed any bytes
// (it must refuse or decode within its output bound, never read past the stream), and
// the encoder must give back its input through that decoder. A stream that decodes is
// a table the encoder must also handle, so it goes through the round trip as well.

#include "fuzz_check.h"
#include "lz_decoders.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fuzz_lz {

// Tables longer than this are not encoded: the optimal parse takes time that grows with
// the square of the length (about a second for 6 KB of three byte values, ten times that
// under the sanitizers), and a short stream can announce a megabyte. Long tables are
// tried by the codec tests.
constexpr std::size_t roundTripLimit = 2048;

using Decoder = std::optional<lz_test::Bytes> (*)(std::span<const std::uint8_t>, std::size_t);
using Encoder = std::vector<std::uint8_t> (*)(std::span<const std::uint8_t>);

inline void checkRoundTrip(std::span<const std::uint8_t> table, Decoder decode, Encoder encode)
{
    const std::vector<std::uint8_t> stream = encode(table);
    FUZZ_CHECK(stream.empty() == table.empty());
    const auto back = decode(stream, table.size() + 1);
    FUZZ_CHECK(back && std::equal(back->begin(), back->end(), table.begin(), table.end()));
}

inline void checkCodec(std::span<const std::uint8_t> bytes, Decoder decode, Encoder encode)
{
    // A stream that decodes: the encoder's stream for the same table decodes to it too.
    if (const auto decoded = decode(bytes, 1 << 16)) {
        FUZZ_CHECK(decoded->size() <= (1u << 16) + 1);
        if (decoded->size() <= roundTripLimit)
            checkRoundTrip(*decoded, decode, encode);
    }
    // Any bytes as a table.
    if (bytes.size() <= roundTripLimit)
        checkRoundTrip(bytes, decode, encode);
}

} // namespace fuzz_lz
