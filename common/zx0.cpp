#include "zx0.h"

#include "bit_stream_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <deque>
#include <limits>

namespace tms::zx0 {

namespace {

constexpr int infinite = std::numeric_limits<int>::max() / 4;

// Costs in bits. Every element but the first carries the flag bit that announces it.
int literalBits(int length)
{
    return 1 + eliasGammaBits(unsigned(length)) + 8 * length;
}
int repeatCopyBits(int length)
{
    return 1 + eliasGammaBits(unsigned(length));
}
int offsetHigh(int offset)
{
    return ((offset - 1) >> 7) + 1;
}
// Flag, high part, the offset byte (whose low bit is the length code's first bit) and
// the rest of the length code.
int newOffsetBits(int offset)
{
    return 1 + eliasGammaBits(unsigned(offsetHigh(offset))) + 7;
}
int newCopyLengthBits(int length)
{
    return eliasGammaBits(unsigned(length - 1));
}

enum class Kind : std::uint8_t { Start, Literal, RepeatCopy, NewCopy };

// One element of a parse, linked to the element before it.
struct Node {
    int previous; // -1 before the start
    int end;      // input position after the element
    int offset;   // the offset of a copy
    Kind kind;
};

// A way to have just finished a copy with a given offset, kept so that a later literal
// block can be followed by a copy from that same offset.
struct CopyEnd {
    int cost = infinite;
    int node = -1;
    int end = 0;
};

struct Candidates {
    CopyEnd latest;   // the end of the latest run of matches
    CopyEnd cheapest; // the end with the lowest cost - 8 * end: the best start of a long literal
};

// Offsets share the bits of their high part in bands of 128.
constexpr int bandWidth = 128;

class Parser {
public:
    explicit Parser(std::span<const std::uint8_t> input) : m_in(input), m_n(int(input.size())) {}

    int run()
    {
        const int offsets = std::min(m_n, maxOffset);
        const std::size_t offsetSlots = std::size_t(offsets) + 1, positionSlots = std::size_t(m_n) + 1;
        m_run.assign(offsetSlots, 0);
        m_candidates.assign(offsetSlots, {});
        m_repeatCost.assign(offsetSlots, infinite);
        m_repeatFrom.assign(offsetSlots, -1);
        m_newOffsetBits.resize(offsetSlots);
        for (int o = 1; o <= offsets; ++o)
            m_newOffsetBits[std::size_t(o)] = newOffsetBits(o);
        m_bands.resize(std::size_t(offsets / bandWidth) + 1);
        m_copyCost.assign(positionSlots, infinite);
        m_copyNode.assign(positionSlots, -1);
        m_bestCost.assign(positionSlots, infinite);
        m_bestNode.assign(positionSlots, -1);
        m_repeatBits.resize(positionSlots + 1);
        m_lengthBits.resize(positionSlots + 1);
        for (std::size_t l = 1; l < m_repeatBits.size(); ++l) {
            m_repeatBits[l] = repeatCopyBits(int(l));
            m_lengthBits[l] = l >= 2 ? newCopyLengthBits(int(l)) : 0;
        }
        for (Table& table : m_tables) {
            table.cost.assign(positionSlots + 1, infinite);
            table.from.assign(positionSlots + 1, 0);
        }
        m_nodes.reserve(positionSlots * 3 + 16);

        // The start acts as a copy with offset 1 whose following literal needs no flag.
        const int root = addNode({-1, 0, 1, Kind::Start});
        m_copyCost[0] = -1;
        m_copyNode[0] = root;
        if (offsets >= 1)
            m_candidates[1].latest = m_candidates[1].cheapest = {-1, root, 0};
        m_literalWindows.resize(std::size_t(std::bit_width(unsigned(m_n))));

        for (int m = 1; m <= m_n; ++m) {
            copiesEndingAt(m);
            literalEndingAt(m);
        }
        return m_bestNode[std::size_t(m_n)];
    }

    const std::vector<Node>& nodes() const { return m_nodes; }

private:
    // For the position m being reached: the cheapest way to reach m - length for every
    // length from 2 on, plus the length code of a new-offset copy of that length.
    struct Table {
        std::vector<int> cost, from;
        int length = 1;
    };

    int addNode(Node node)
    {
        m_nodes.push_back(node);
        return int(m_nodes.size()) - 1;
    }

    void extendTable(Table& table, int m, int length)
    {
        int* cost = table.cost.data();
        int* from = table.from.data();
        const int* best = m_bestCost.data();
        const int* bits = m_lengthBits.data();
        for (int l = table.length + 1; l <= length; ++l) {
            // Costs at or above infinite stay unusable: infinite leaves room for the bits added.
            const int here = best[m - l] + bits[l];
            const bool better = l == 2 || here < cost[l - 1];
            cost[l] = better ? here : cost[l - 1];
            from[l] = better ? m - l : from[l - 1];
        }
        table.length = std::max(table.length, length);
    }

    // A run of matches at this offset starts at start: the cheapest literal block up to
    // it after a copy with the same offset, from which a copy from the last offset can go on.
    void startRun(int offset, int start)
    {
        int cost = infinite, from = -1;
        const Candidates& c = m_candidates[std::size_t(offset)];
        for (const CopyEnd& end : {c.latest, c.cheapest}) {
            if (end.cost >= infinite || end.end >= start)
                continue;
            if (const int here = end.cost + literalBits(start - end.end); here < cost) {
                cost = here;
                from = end.node;
            }
        }
        m_repeatCost[std::size_t(offset)] = cost;
        m_repeatFrom[std::size_t(offset)] = from;
    }

    int repeatNodes(int end, int offset, int length)
    {
        const int literal = addNode({m_repeatFrom[std::size_t(offset)], end - length, offset, Kind::Literal});
        return addNode({literal, end, offset, Kind::RepeatCopy});
    }

    // The run at this offset ended at end with the given length: the copy that ends there
    // becomes a start for literal blocks that a copy from the same offset may follow.
    void finishRun(int offset, int end, int length, const Table& table)
    {
        const int repeat = m_repeatCost[std::size_t(offset)] >= infinite
                               ? infinite
                               : m_repeatCost[std::size_t(offset)] + m_repeatBits[std::size_t(length)];
        const int fresh = table.cost[std::size_t(length)] >= infinite
                              ? infinite
                              : table.cost[std::size_t(length)] + m_newOffsetBits[std::size_t(offset)];
        if (repeat >= infinite && fresh >= infinite)
            return;
        const int node =
            repeat <= fresh
                ? repeatNodes(end, offset, length)
                : addNode({m_bestNode[std::size_t(table.from[std::size_t(length)])], end, offset, Kind::NewCopy});
        const CopyEnd copy{std::min(repeat, fresh), node, end};
        Candidates& c = m_candidates[std::size_t(offset)];
        c.latest = copy;
        if (c.cheapest.cost >= infinite || copy.cost - 8 * copy.end <= c.cheapest.cost - 8 * c.cheapest.end)
            c.cheapest = copy;
    }

    void copiesEndingAt(int m)
    {
        Table& table = m_tables[std::size_t(m & 1)];
        const Table& previous = m_tables[std::size_t((m & 1) ^ 1)]; // the table of m - 1
        table.length = 1;
        const std::uint8_t value = m_in[std::size_t(m - 1)];
        const std::uint8_t* back = m_in.data() + (m - 1);
        const int limit = std::min(m - 1, maxOffset);

        int repeatBest = infinite, repeatOffset = 0;
        int longest = 0;
        for (int first = 1, band = 0; first <= limit; first += bandWidth, ++band) {
            const int last = std::min(first + bandWidth - 1, limit);
            int bandLongest = 0, bandOffset = 0;
            for (int o = first; o <= last; ++o) {
                int length = m_run[std::size_t(o)];
                if (back[-o] == value) {
                    if (++length == 1)
                        startRun(o, m - 1);
                    if (const int repeat = m_repeatCost[std::size_t(o)]; repeat < infinite) {
                        if (const int cost = repeat + m_repeatBits[std::size_t(length)]; cost < repeatBest) {
                            repeatBest = cost;
                            repeatOffset = o;
                        }
                    }
                    if (length > bandLongest) {
                        bandLongest = length;
                        bandOffset = o;
                    }
                } else if (length > 0) {
                    finishRun(o, m - 1, length, previous);
                    length = 0;
                }
                m_run[std::size_t(o)] = length;
            }
            m_bands[std::size_t(band)] = {bandLongest, bandOffset};
            longest = std::max(longest, bandLongest);
        }

        // A new offset costs the same in a whole band, and a longer match there reaches
        // back to every start a shorter one does: the longest match of each band decides.
        extendTable(table, m, longest);
        int bestCost = repeatBest, bestOffset = repeatOffset;
        bool bestRepeat = true;
        for (int band = 0; band * bandWidth + 1 <= limit; ++band) {
            const auto [length, offset] = m_bands[std::size_t(band)];
            if (length < 2 || table.cost[std::size_t(length)] >= infinite)
                continue;
            if (const int cost = table.cost[std::size_t(length)] + m_newOffsetBits[std::size_t(offset)];
                cost < bestCost) {
                bestCost = cost;
                bestOffset = offset;
                bestRepeat = false;
            }
        }
        if (bestCost >= infinite)
            return;
        const int length = m_run[std::size_t(bestOffset)];
        const int node =
            bestRepeat
                ? repeatNodes(m, bestOffset, length)
                : addNode({m_bestNode[std::size_t(table.from[std::size_t(length)])], m, bestOffset, Kind::NewCopy});
        m_copyCost[std::size_t(m)] = bestCost;
        m_copyNode[std::size_t(m)] = node;
        m_bestCost[std::size_t(m)] = bestCost;
        m_bestNode[std::size_t(m)] = node;
    }

    // The cheapest literal block ending at m after any copy: the length code grows by two
    // bits at each power of two, so the copies ending 2^b..2^(b+1)-1 bytes before m share
    // one code length and a sliding window keeps the cheapest of each such band.
    void literalEndingAt(int m)
    {
        int bestCost = infinite, bestFrom = -1;
        for (std::size_t band = 0; band < m_literalWindows.size(); ++band) {
            std::deque<int>& window = m_literalWindows[band];
            const int nearest = m - (1 << band);
            const int farthest = m - (2 << band) + 1;
            if (nearest >= 0) {
                const int key = keyOf(nearest);
                while (!window.empty() && keyOf(window.back()) >= key)
                    window.pop_back();
                window.push_back(nearest);
            }
            while (!window.empty() && window.front() < farthest)
                window.pop_front();
            if (window.empty() || m_copyCost[std::size_t(window.front())] >= infinite)
                continue;
            const int from = window.front();
            const int cost = m_copyCost[std::size_t(from)] + literalBits(m - from);
            if (cost < bestCost) {
                bestCost = cost;
                bestFrom = from;
            }
        }
        if (bestCost < m_bestCost[std::size_t(m)]) {
            m_bestCost[std::size_t(m)] = bestCost;
            m_bestNode[std::size_t(m)] = addNode({m_copyNode[std::size_t(bestFrom)], m, 0, Kind::Literal});
        }
    }

    int keyOf(int position) const
    {
        const int cost = m_copyCost[std::size_t(position)];
        return cost >= infinite ? infinite : cost - 8 * position;
    }

    std::span<const std::uint8_t> m_in;
    int m_n;
    // Per offset: the length of the run of matches ending at the current position, the
    // copy ends that literal blocks may start from, and the literal block before the run.
    std::vector<int> m_run;
    std::vector<Candidates> m_candidates;
    std::vector<int> m_repeatCost, m_repeatFrom;
    std::vector<int> m_newOffsetBits;
    std::vector<std::pair<int, int>> m_bands; // longest match and its offset, per band
    std::vector<int> m_repeatBits, m_lengthBits;
    std::vector<int> m_copyCost, m_copyNode; // cheapest way to reach a position ending with a copy
    std::vector<int> m_bestCost, m_bestNode; // cheapest way to reach a position at all
    std::array<Table, 2> m_tables;
    std::vector<std::deque<int>> m_literalWindows;
    std::vector<Node> m_nodes;
};

// The interlaced Elias gamma code; the offset's high part has its data bits inverted.
// skipFirst leaves out the first bit, which the offset byte already carries.
void writeGamma(BitStreamWriter& out, unsigned value, bool invert, bool skipFirst = false)
{
    bool skip = skipFirst;
    auto put = [&](bool bit) {
        if (skip)
            skip = false;
        else
            out.bit(bit);
    };
    for (int i = int(std::bit_width(value)) - 2; i >= 0; --i) {
        put(false);
        put((((value >> i) & 1) != 0) != invert);
    }
    put(true);
}

} // namespace

std::vector<std::uint8_t> encode(std::span<const std::uint8_t> input)
{
    if (input.empty())
        return {};
    Parser parser(input);
    std::vector<Node> path;
    for (int node = parser.run(); node >= 0 && parser.nodes()[std::size_t(node)].kind != Kind::Start;
         node = parser.nodes()[std::size_t(node)].previous)
        path.push_back(parser.nodes()[std::size_t(node)]);
    std::reverse(path.begin(), path.end());

    BitStreamWriter out;
    int position = 0;
    bool first = true;
    for (const Node& element : path) {
        const int length = element.end - position;
        switch (element.kind) {
        case Kind::Literal:
            if (!first)
                out.bit(false);
            writeGamma(out, unsigned(length), false);
            for (int i = position; i < element.end; ++i)
                out.byte(input[std::size_t(i)]);
            break;
        case Kind::RepeatCopy:
            out.bit(false);
            writeGamma(out, unsigned(length), false);
            break;
        case Kind::NewCopy: {
            out.bit(true);
            writeGamma(out, unsigned(offsetHigh(element.offset)), true);
            const int low = 127 - ((element.offset - 1) & 127);
            out.byte(std::uint8_t((low << 1) | (length - 1 == 1 ? 1 : 0)));
            writeGamma(out, unsigned(length - 1), false, true);
            break;
        }
        case Kind::Start: break;
        }
        position = element.end;
        first = false;
    }
    out.bit(true);              // a new offset...
    writeGamma(out, 256, true); // ...whose high part 256 ends the stream
    return out.take();
}

} // namespace tms::zx0
