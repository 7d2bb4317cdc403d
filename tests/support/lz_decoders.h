#pragma once
// Small decoders for the ZX0 (version 2) and Pletter 0.5 streams, written from the
// public descriptions of the formats and nothing else, to check the encoders by round
// trip. Each returns nullopt for a stream that is cut short or points before the start.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lz_test {

using Bytes = std::vector<std::uint8_t>;

class BitReader {
public:
    BitReader(std::span<const std::uint8_t> stream, std::size_t start = 0) : m_stream(stream), m_pos(start) {}
    bool ok() const { return m_ok; }
    std::size_t position() const { return m_pos; }
    std::uint8_t byte()
    {
        if (m_pos >= m_stream.size()) {
            m_ok = false;
            return 0;
        }
        return m_stream[m_pos++];
    }
    int bit()
    {
        if (m_pending >= 0) {
            const int b = m_pending;
            m_pending = -1;
            return b;
        }
        if (m_left == 0) {
            m_current = byte();
            m_left = 8;
        }
        --m_left;
        return (m_current >> m_left) & 1;
    }
    // The next bit() returns b (ZX0: the low bit of an offset byte).
    void pushBack(int b) { m_pending = b; }
    // A bit byte of which only the low `count` bits are still to be read (Pletter's first byte).
    void startInside(std::uint8_t current, int count)
    {
        m_current = current;
        m_left = count;
    }

private:
    std::span<const std::uint8_t> m_stream;
    std::size_t m_pos;
    std::uint8_t m_current = 0;
    int m_left = 0;
    int m_pending = -1;
    bool m_ok = true;
};

inline bool copyBack(Bytes& out, std::size_t offset, std::size_t length)
{
    if (offset == 0 || offset > out.size())
        return false;
    for (std::size_t i = 0; i < length; ++i)
        out.push_back(out[out.size() - offset]);
    return true;
}

inline std::optional<Bytes> zx0Decode(std::span<const std::uint8_t> stream, std::size_t limit = 1 << 20)
{
    Bytes out;
    if (stream.empty())
        return out;
    BitReader in(stream);
    auto gamma = [&](bool inverted) {
        unsigned value = 1;
        while (in.ok() && in.bit() == 0 && value < (1u << 20))
            value = value * 2 + unsigned(in.bit() ^ (inverted ? 1 : 0));
        return value;
    };
    std::size_t lastOffset = 1;
    enum { Literal, LastOffset, NewOffset } next = Literal;
    while (in.ok() && out.size() <= limit) {
        if (next == Literal) {
            const unsigned n = gamma(false);
            for (unsigned i = 0; i < n; ++i)
                out.push_back(in.byte());
            next = in.bit() ? NewOffset : LastOffset;
        } else if (next == LastOffset) {
            if (!copyBack(out, lastOffset, gamma(false)))
                return std::nullopt;
            next = in.bit() ? NewOffset : Literal;
        } else {
            const unsigned high = gamma(true);
            if (high == 256)
                return in.ok() ? std::optional<Bytes>(out) : std::nullopt;
            const std::uint8_t low = in.byte();
            lastOffset = std::size_t(high) * 128 - (low >> 1);
            in.pushBack(low & 1);
            if (!copyBack(out, lastOffset, gamma(false) + 1))
                return std::nullopt;
            next = in.bit() ? NewOffset : Literal;
        }
    }
    return std::nullopt;
}

inline std::optional<Bytes> pletterDecode(std::span<const std::uint8_t> stream, std::size_t limit = 1 << 20)
{
    Bytes out;
    if (stream.empty())
        return out;
    BitReader in(stream, 1);
    const int mode = stream[0] >> 5;
    in.startInside(stream[0], 5);
    out.push_back(in.byte());
    while (in.ok() && out.size() <= limit) {
        if (in.bit() == 0) {
            out.push_back(in.byte());
            continue;
        }
        unsigned value = 1;
        if (in.bit() == 1) {
            for (;;) {
                const int d = in.bit();
                if (value >= 0x8000)
                    return in.ok() ? std::optional<Bytes>(out) : std::nullopt;
                value = value * 2 + unsigned(d);
                if (in.bit() == 0 || !in.ok())
                    break;
            }
        }
        unsigned low = in.byte();
        unsigned high = 0;
        if ((low & 128) && mode > 0) {
            for (int i = 0; i < mode; ++i)
                high = high * 2 + unsigned(in.bit());
            if (in.bit() == 1) {
                ++high;
                low &= 127;
            }
        }
        if (!in.ok() || !copyBack(out, high * 256 + low + 1, value + 1))
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace lz_test
