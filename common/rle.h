#pragma once
// Run-length compression of byte tables for the console, which unpacks them at run
// time. The stream is a sequence of blocks closed by the code 255:
//   0..127    literal: the code, then code + 1 bytes copied as they are
//   128..254  run: the code, then one byte repeated code - 127 times
//   255       end of data
// The encoder's choices fix the sizes of the generated tables, so it is exact to the
// byte: one pass, looking no further ahead than the next value.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tms {

// Encodes input into a stream that ends with 255. An empty input gives the end code alone.
std::vector<std::uint8_t> RleEncode(std::span<const std::uint8_t> input);

// Unpacks a stream as the console does. nullopt when the stream is cut short or holds
// bytes after its end code.
std::optional<std::vector<std::uint8_t>> RleDecode(std::span<const std::uint8_t> stream);

} // namespace tms
