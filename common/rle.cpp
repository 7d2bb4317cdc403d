#include "rle.h"

namespace tms {

namespace {

constexpr std::uint8_t endCode = 255;

class RleWriter {
public:
    explicit RleWriter(std::span<const std::uint8_t> input) : m_input(input)
    {
        m_out.reserve(input.size() + input.size() / 64 + 8);
    }

    // Runs are cut into pieces of 127 while at least 130 remain; a rest of 127..129 is
    // split into 125 and 2..4, so that no piece is ever a lone value.
    void run(std::uint8_t value, std::size_t length)
    {
        if (length >= 127) {
            while (length >= 130) {
                emit(254, value);
                length -= 127;
            }
            if (length >= 127) {
                emit(252, value);
                length -= 125;
            }
        }
        if (length > 0)
            emit(std::uint8_t(length + 127), value);
    }

    // Literals are cut into pieces of 128 while at least 131 remain; a rest of 128..130
    // is split into 126 and 2..4.
    void literal(std::size_t start, std::size_t length)
    {
        if (length >= 128) {
            while (length >= 131) {
                copy(start, 128);
                start += 128;
                length -= 128;
            }
            if (length >= 128) {
                copy(start, 126);
                start += 126;
                length -= 126;
            }
        }
        if (length > 0)
            copy(start, length);
    }

    std::vector<std::uint8_t> finish()
    {
        m_out.push_back(endCode);
        return std::move(m_out);
    }

private:
    void emit(std::uint8_t code, std::uint8_t value)
    {
        m_out.push_back(code);
        m_out.push_back(value);
    }

    void copy(std::size_t start, std::size_t length)
    {
        m_out.push_back(std::uint8_t(length - 1));
        m_out.insert(m_out.end(), m_input.begin() + start, m_input.begin() + start + length);
    }

    std::span<const std::uint8_t> m_input;
    std::vector<std::uint8_t> m_out;
};

enum class Segment { None, Run, Literal };

} // namespace

std::vector<std::uint8_t> RleEncode(std::span<const std::uint8_t> input)
{
    RleWriter out(input);
    const std::size_t n = input.size();
    if (n == 0)
        return out.finish();

    std::size_t i = 1;
    std::uint8_t cur = input[0];
    std::size_t start = 0;
    Segment mode = Segment::None;
    while (i <= n - 1) {
        const std::uint8_t x = input[i];
        if (mode == Segment::None) {
            start = i - 1;
            mode = x == cur ? Segment::Run : Segment::Literal;
        }
        if (mode == Segment::Run && x != cur) {
            out.run(cur, i - start);
            mode = Segment::None;
            cur = x;
        }
        if (mode == Segment::Literal && x == cur) {
            // A pair of equal values stays inside a literal unless a third follows it
            // or it ends the input; the value just before the last one never cuts.
            bool cut;
            if (i + 1 < n - 1)
                cut = input[i + 1] == cur;
            else if (i + 1 == n - 1)
                cut = false;
            else
                cut = true;
            if (cut) {
                --i; // the repeated values open a run at the next step
                out.literal(start, i - start);
                mode = Segment::None;
            }
        }
        cur = input[i];
        ++i;
    }
    if (mode == Segment::None)
        start = n - 1;
    if (mode == Segment::Run)
        out.run(input[start], n - start);
    else
        out.literal(start, n - start);
    return out.finish();
}

std::optional<std::vector<std::uint8_t>> RleDecode(std::span<const std::uint8_t> stream)
{
    std::vector<std::uint8_t> out;
    std::size_t at = 0;
    while (at < stream.size()) {
        const std::uint8_t code = stream[at++];
        if (code == endCode)
            return at == stream.size() ? std::optional(std::move(out)) : std::nullopt;
        if (code < 128) {
            const std::size_t length = std::size_t(code) + 1;
            if (stream.size() - at < length)
                return std::nullopt;
            out.insert(out.end(), stream.begin() + at, stream.begin() + at + length);
            at += length;
        } else {
            if (at >= stream.size())
                return std::nullopt;
            out.insert(out.end(), std::size_t(code) - 127, stream[at++]);
        }
    }
    return std::nullopt; // no end code
}

} // namespace tms
