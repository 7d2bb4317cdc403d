#include "pletter.h"

#include "bit_stream_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace tms::pletter {

namespace {

constexpr int modeCount = 7;
constexpr int longestMatch = 0x10000; // the length code holds at most 0xFFFF
constexpr int infinite = std::numeric_limits<int>::max() / 4;

// Mode m adds m + 1 offset bits to a byte whose top bit is set (m = 0 adds none).
constexpr int farthestOffset(int mode)
{
    return mode == 0 ? 256 : (1 << (mode + 8)) + 128;
}
constexpr int offsetBits(int mode, int offset)
{
    return offset <= 128 || mode == 0 ? 8 : 8 + mode + 1;
}
// The length code of a match of length >= 2 (value length - 1), as long as a gamma code.
int lengthBits(int length)
{
    return eliasGammaBits(unsigned(length - 1));
}

// The longest match at a position among the offsets up to a limit, and one offset that has it.
struct Match {
    int length = 0;
    int offset = 0;
};

// Limits: the offsets one byte can say in every mode (128), in mode 0 (256), then the
// farthest offset of modes 1 to 6.
constexpr std::array<int, modeCount + 1> offsetLimits{128,
                                                      256,
                                                      farthestOffset(1),
                                                      farthestOffset(2),
                                                      farthestOffset(3),
                                                      farthestOffset(4),
                                                      farthestOffset(5),
                                                      farthestOffset(6)};
using Matches = std::array<Match, modeCount + 1>;

std::vector<Matches> longestMatches(std::span<const std::uint8_t> in)
{
    const int n = int(in.size());
    const int widest = std::min(n, offsetLimits.back());
    std::vector<Matches> found(static_cast<std::size_t>(n));
    std::vector<int> run(std::size_t(widest) + 1, 0); // match length at the next position, per offset
    for (int i = n - 1; i >= 1; --i) {
        const std::uint8_t value = in[std::size_t(i)];
        const int limit = std::min(i, widest);
        Match best;
        std::size_t band = 0;
        Matches& here = found[std::size_t(i)];
        for (int o = 1; o <= limit; ++o) {
            int& length = run[std::size_t(o)];
            length = in[std::size_t(i - o)] == value ? std::min(length + 1, longestMatch) : 0;
            if (length > best.length)
                best = {length, o};
            while (band < offsetLimits.size() && o == offsetLimits[band])
                here[band++] = best;
        }
        while (band < offsetLimits.size())
            here[band++] = best;
    }
    return found;
}

struct Choice {
    int length = 1; // 1: a literal
    int offset = 0;
};

struct Parse {
    int bits = infinite;
    std::vector<Choice> choices;
};

// The cheapest parse of everything after the first byte in one mode. The cost of the
// rest never grows when the rest gets shorter, so within a band of lengths that share
// one length code the longest length is the best.
Parse parseInMode(int mode, const std::vector<Matches>& matches, int n)
{
    Parse parse;
    parse.choices.assign(std::size_t(n), {});
    std::vector<int> rest(std::size_t(n) + 1, 0);
    const std::size_t cheapBand = mode == 0 ? 1 : 0;
    const std::size_t farBand = std::size_t(mode == 0 ? 1 : mode + 1);
    for (int i = n - 1; i >= 1; --i) {
        int best = 9 + rest[std::size_t(i + 1)];
        Choice choice;
        auto tryMatch = [&](const Match& match) {
            if (match.length < 2)
                return;
            const int fixed = 1 + offsetBits(mode, match.offset);
            for (int top = 2;; top *= 2) {
                const int length = std::min(top, match.length);
                const int cost = fixed + lengthBits(length) + rest[std::size_t(i + length)];
                if (cost < best) {
                    best = cost;
                    choice = {length, match.offset};
                }
                if (length == match.length)
                    break;
            }
        };
        tryMatch(matches[std::size_t(i)][cheapBand]);
        if (farBand != cheapBand)
            tryMatch(matches[std::size_t(i)][farBand]);
        rest[std::size_t(i)] = best;
        parse.choices[std::size_t(i)] = choice;
    }
    parse.bits = 3 + 8 + (n > 1 ? rest[1] : 0) + 33;
    return parse;
}

void writeLength(BitStreamWriter& out, int length)
{
    const unsigned value = unsigned(length - 1);
    if (value == 1) {
        out.bit(false);
        return;
    }
    out.bit(true);
    for (int i = int(std::bit_width(value)) - 2; i >= 0; --i) {
        out.bit(((value >> i) & 1) != 0);
        out.bit(i > 0); // another bit follows
    }
}

void writeOffset(BitStreamWriter& out, int mode, int offset)
{
    const int distance = offset - 1;
    if (distance < 128 || mode == 0) {
        out.byte(std::uint8_t(distance));
        return;
    }
    const int beyond = distance - 128;
    out.byte(std::uint8_t((beyond & 127) | 128));
    const int high = beyond >> 7; // mode + 1 bits, most significant first
    for (int bit = mode; bit >= 0; --bit)
        out.bit(((high >> bit) & 1) != 0);
}

} // namespace

std::vector<std::uint8_t> encode(std::span<const std::uint8_t> input)
{
    if (input.empty())
        return {};
    const int n = int(input.size());
    const std::vector<Matches> matches = longestMatches(input);
    Parse best;
    int bestMode = 0;
    for (int mode = 0; mode < modeCount; ++mode) {
        if (mode > 0 && farthestOffset(mode - 1) >= n - 1)
            break; // a wider mode only costs more bits for the same matches
        Parse parse = parseInMode(mode, matches, n);
        if (parse.bits < best.bits) {
            best = std::move(parse);
            bestMode = mode;
        }
    }

    BitStreamWriter out;
    out.startWithHeader(std::uint8_t(bestMode << 5), 3);
    out.byte(input[0]);
    for (int i = 1; i < n;) {
        const Choice& choice = best.choices[std::size_t(i)];
        if (choice.length == 1) {
            out.bit(false);
            out.byte(input[std::size_t(i)]);
        } else {
            out.bit(true);
            writeLength(out, choice.length);
            writeOffset(out, bestMode, choice.offset);
        }
        i += choice.length;
    }
    // The end: a match whose length code runs on until its value reaches 0x8000.
    out.bit(true);
    out.bit(true);
    for (int i = 0; i < 15; ++i) {
        out.bit(false);
        out.bit(true);
    }
    out.bit(false);
    return out.take();
}

} // namespace tms::pletter
