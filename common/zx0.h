#pragma once
// ZX0 compression (version 2 stream), the format that the common Z80 depackers
// (dzx0_standard and its faster kin) unpack. The encoder finds the smallest stream by
// dynamic programming over input positions with the last offset as state, so that
// tables that ship in a cartridge take as few bytes as the format allows.

#include <cstdint>
#include <span>
#include <vector>

namespace tms::zx0 {

// The largest offset a stream can express.
constexpr int maxOffset = 32640;

// The stream for input, end marker included. An empty input gives an empty stream: the
// format has no way to say "nothing" (every stream starts with at least one literal).
std::vector<std::uint8_t> encode(std::span<const std::uint8_t> input);

} // namespace tms::zx0
