#pragma once
// Pletter 0.5 compression, the stream without a length header that the common Pletter
// depacker unpacks. The encoder parses optimally for each of the seven offset modes
// and keeps the smallest stream.

#include <cstdint>
#include <span>
#include <vector>

namespace tms::pletter {

// The stream for input, end mark included. An empty input gives an empty stream: the
// format always starts with one literal byte.
std::vector<std::uint8_t> encode(std::span<const std::uint8_t> input);

} // namespace tms::pletter
