#pragma once
// The output of the LZ codecs whose depackers interleave bits and whole bytes: bits are
// gathered most significant first in a "bit byte" that takes its place in the stream
// when its first bit is written, so the reader, which fetches a new bit byte only when
// it needs a bit and the current one is used up, meets every byte where it expects it.

#include <bit>
#include <cstdint>
#include <vector>

namespace tms {

class BitStreamWriter {
public:
    void bit(bool value)
    {
        if (m_mask == 0) {
            m_bitByte = m_out.size();
            m_out.push_back(0);
            m_mask = 0x80;
        }
        if (value)
            m_out[m_bitByte] |= m_mask;
        m_mask >>= 1;
    }

    void byte(std::uint8_t value) { m_out.push_back(value); }

    // Starts the stream with a bit byte whose top bits hold header and whose remaining
    // low bits take the first bits written.
    void startWithHeader(std::uint8_t header, int headerBits)
    {
        m_bitByte = m_out.size();
        m_out.push_back(header);
        m_mask = std::uint8_t(0x80 >> headerBits);
    }

    std::vector<std::uint8_t> take() { return std::move(m_out); }

private:
    std::vector<std::uint8_t> m_out;
    std::size_t m_bitByte = 0;
    std::uint8_t m_mask = 0;
};

// Bits of the interlaced Elias gamma code of value (>= 1): one for the final 1 and two
// for each bit below the leading one.
constexpr int eliasGammaBits(unsigned value)
{
    return 2 * int(std::bit_width(value)) - 1;
}

} // namespace tms
