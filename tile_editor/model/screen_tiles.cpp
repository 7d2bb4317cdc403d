#include "screen_tiles.h"

#include "cell_merging.h"

#include <algorithm>
#include <unordered_map>

namespace tile {

namespace {

constexpr int cellCount = screenColumns * screenRows;
constexpr int groupsInModeOne = colorGroupCount;
constexpr int charsPerGroup = 8;

int firstByteOfCell(int cell)
{
    return tms::bitmapIndex(cell / screenColumns, cell % screenColumns, 0);
}

std::vector<CellLook> screenLooks(const tms::BitmapTable& patterns, const tms::BitmapTable& colors)
{
    std::vector<CellLook> looks(cellCount);
    for (int cell = 0; cell < cellCount; ++cell)
        looks[cell] = lookOfRows(&patterns[firstByteOfCell(cell)], &colors[firstByteOfCell(cell)]);
    return looks;
}

// The distinct looks in order of first use, with their weights, and each cell's look.
struct DistinctLooks {
    std::vector<CellLook> looks;
    std::vector<int> weights;
    std::vector<int> firstCell;
    std::vector<int> ofCell;
};

DistinctLooks distinctLooks(const std::vector<CellLook>& cellLooks)
{
    DistinctLooks d;
    std::unordered_map<CellLook, int, CellLookHash> index;
    d.ofCell.resize(cellLooks.size());
    for (std::size_t cell = 0; cell < cellLooks.size(); ++cell) {
        const auto [it, added] = index.try_emplace(cellLooks[cell], int(d.looks.size()));
        if (added) {
            d.looks.push_back(cellLooks[cell]);
            d.weights.push_back(0);
            d.firstCell.push_back(int(cell));
        }
        ++d.weights[it->second];
        d.ofCell[cell] = it->second;
    }
    return d;
}

// ---- screen mode 2 ----

ScreenTiles modeTwoTiles(const tms::BitmapTable& patterns, const tms::BitmapTable& colors,
                         const ColourDistances& distances)
{
    ScreenTiles tiles;
    for (auto& rows : tiles.colors)
        rows.fill(defaultRowColor);
    const std::vector<CellLook> cellLooks = screenLooks(patterns, colors);
    const DistinctLooks d = distinctLooks(cellLooks);
    const MergeOutcome merged = mergeLooks(d.looks, d.weights, charCount, distances);
    tiles.distinctCells = int(d.looks.size());
    tiles.merges = merged.merges;

    // Characters in order of first use; a kept look keeps the bytes of its first cell.
    std::vector<int> charOfLook(d.looks.size(), -1);
    for (int cell = 0; cell < cellCount; ++cell) {
        const int kept = merged.keptLook[d.ofCell[cell]];
        if (charOfLook[kept] < 0) {
            const int c = charOfLook[kept] = tiles.characters++;
            const int first = firstByteOfCell(d.firstCell[kept]);
            std::copy_n(&patterns[first], 8, tiles.patterns[c].begin());
            std::copy_n(&colors[first], 8, tiles.colors[c].begin());
        }
        tiles.nameTable[cell % screenColumns][cell / screenColumns] = Byte(charOfLook[kept]);
        tiles.changedPixels += differingPixels(cellLooks[cell], d.looks[kept]);
    }
    return tiles;
}

// ---- screen mode 1 ----

using Pair = ColourPair;

// A cell drawn with a pair: bit y * 8 + x set where the pixel shows the high colour.
using Mask = std::uint64_t;

CellLook lookOf(Pair pair, Mask mask)
{
    CellLook look;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            look.setPixel(x, y, (mask >> (y * 8 + x)) & 1 ? pair.high : pair.low);
    return look;
}

// The cell redrawn with the pair: every pixel takes the nearer of its two colours.
Mask maskIn(const CellLook& look, Pair pair, const ColourDistances& distances)
{
    Mask mask = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (pair.high != pair.low && nearestOf(look.pixel(x, y), pair, distances) == pair.high)
                mask |= Mask(1) << (y * 8 + x);
    return mask;
}

// The pair that draws the cell with the least colour change, among its own colours.
Pair bestPairOf(const CellLook& look, const ColourDistances& distances)
{
    std::array<int, 16> count{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ++count[look.pixel(x, y)];
    return fitColourPair(count, distances);
}

struct PairCells {
    Pair pair;
    std::vector<int> cells; // in screen order
    bool alive = true;

    bool holds(int colour) const { return pair.low == colour || pair.high == colour; }
    bool isOneColour() const { return pair.low == pair.high; }
};

class ModeOneFit {
public:
    ModeOneFit(const std::vector<CellLook>& cellLooks, const ColourDistances& distances)
        : m_looks(cellLooks), m_distances(distances), m_masks(cellCount)
    {
        for (int cell = 0; cell < cellCount; ++cell) {
            const Pair pair = bestPairOf(cellLooks[cell], distances);
            const auto it =
                std::find_if(m_pairs.begin(), m_pairs.end(), [&](const PairCells& p) { return p.pair == pair; });
            const int p = it != m_pairs.end() ? int(it - m_pairs.begin()) : int(m_pairs.size());
            if (p == int(m_pairs.size()))
                m_pairs.push_back({pair, {}});
            m_pairs[p].cells.push_back(cell);
            m_masks[cell] = maskIn(cellLooks[cell], pair, distances);
        }
    }

    ScreenTiles run()
    {
        foldOneColourCells();
        bool moved = false;
        while (livePairs() > groupsInModeOne) {
            moveCheapestPair();
            moved = true;
        }
        if (moved)
            refitToLivePairs();
        std::vector<int> groups = shareGroups();
        return layOut(groups);
    }

private:
    int livePairs() const
    {
        return int(std::count_if(m_pairs.begin(), m_pairs.end(), [](const PairCells& p) { return p.alive; }));
    }

    int distinctMasks(const PairCells& p) const
    {
        std::vector<Mask> masks;
        for (int cell : p.cells)
            masks.push_back(m_masks[cell]);
        std::sort(masks.begin(), masks.end());
        return int(std::unique(masks.begin(), masks.end()) - masks.begin());
    }

    void moveCells(int from, int to)
    {
        PairCells& source = m_pairs[from];
        PairCells& target = m_pairs[to];
        for (int cell : source.cells) {
            m_masks[cell] = maskIn(lookOf(source.pair, m_masks[cell]), target.pair, m_distances);
        }
        target.cells.insert(target.cells.end(), source.cells.begin(), source.cells.end());
        std::sort(target.cells.begin(), target.cells.end());
        source.cells.clear();
        source.alive = false;
    }

    // A cell of one colour c fits any group whose pair holds c. Such cells go where a
    // group has a free character (a matching of colours to free places, so that one
    // colour does not take the only place another could use), else to the most used
    // pair that holds their colour, else they keep a pair of their own.
    void foldOneColourCells()
    {
        std::vector<int> single; // the pairs of one colour
        std::vector<int> freePlaces(m_pairs.size(), 0);
        for (std::size_t p = 0; p < m_pairs.size(); ++p) {
            if (m_pairs[p].isOneColour())
                single.push_back(int(p));
            else
                freePlaces[p] = (charsPerGroup - distinctMasks(m_pairs[p]) % charsPerGroup) % charsPerGroup;
        }
        std::vector<std::vector<int>> candidates(m_pairs.size());
        for (int s : single) {
            for (std::size_t p = 0; p < m_pairs.size(); ++p)
                if (!m_pairs[p].isOneColour() && m_pairs[p].holds(m_pairs[s].pair.low))
                    candidates[s].push_back(int(p));
            std::stable_sort(candidates[s].begin(), candidates[s].end(),
                             [&](int a, int b) { return m_pairs[a].cells.size() > m_pairs[b].cells.size(); });
        }
        std::vector<std::vector<int>> placed(m_pairs.size());
        std::vector<int> placeOf(m_pairs.size(), -1);
        for (int s : single) {
            std::vector<bool> visited(m_pairs.size(), false);
            findPlace(s, candidates, freePlaces, placed, placeOf, visited);
        }
        for (int s : single) {
            int target = placeOf[s];
            if (target < 0 && !candidates[s].empty())
                target = candidates[s].front();
            if (target >= 0)
                moveCells(s, target);
        }
    }

    // Kuhn's augmenting path, with a pair's free characters as its capacity.
    bool findPlace(int s, const std::vector<std::vector<int>>& candidates, const std::vector<int>& freePlaces,
                   std::vector<std::vector<int>>& placed, std::vector<int>& placeOf, std::vector<bool>& visited)
    {
        for (int p : candidates[s]) {
            if (visited[p])
                continue;
            visited[p] = true;
            if (int(placed[p].size()) < freePlaces[p]) {
                placed[p].push_back(s);
                placeOf[s] = p;
                return true;
            }
            for (int& other : placed[p]) {
                if (findPlace(other, candidates, freePlaces, placed, placeOf, visited)) {
                    other = s;
                    placeOf[s] = p;
                    return true;
                }
            }
        }
        return false;
    }

    // The pair whose cells change least when drawn with another pair moves there.
    void moveCheapestPair()
    {
        std::vector<std::array<long, 16>> pixelsOf(m_pairs.size());
        for (std::size_t p = 0; p < m_pairs.size(); ++p) {
            pixelsOf[p].fill(0);
            for (int cell : m_pairs[p].cells) {
                const int high = std::popcount(m_masks[cell]);
                pixelsOf[p][m_pairs[p].pair.high] += high;
                pixelsOf[p][m_pairs[p].pair.low] += 64 - high;
            }
        }
        long bestCost = -1;
        int bestFrom = -1, bestTo = -1;
        for (std::size_t from = 0; from < m_pairs.size(); ++from) {
            if (!m_pairs[from].alive)
                continue;
            for (std::size_t to = 0; to < m_pairs.size(); ++to) {
                if (to == from || !m_pairs[to].alive)
                    continue;
                long cost = 0;
                for (int c = 0; c < 16; ++c)
                    if (pixelsOf[from][c])
                        cost += pixelsOf[from][c] * m_distances[c][nearestOf(c, m_pairs[to].pair, m_distances)];
                const bool better =
                    bestCost < 0 || cost < bestCost
                    || (cost == bestCost && m_pairs[from].cells.size() < m_pairs[bestFrom].cells.size());
                if (better) {
                    bestCost = cost;
                    bestFrom = int(from);
                    bestTo = int(to);
                }
            }
        }
        moveCells(bestFrom, bestTo);
    }

    // Once pairs have moved, a cell may be drawn better by another of the pairs left than
    // by the one its own pair moved into: every cell takes the pair that changes its
    // pixels least (the one it has on a tie).
    void refitToLivePairs()
    {
        std::vector<int> pairOfCell(cellCount, -1);
        for (std::size_t p = 0; p < m_pairs.size(); ++p)
            for (int cell : m_pairs[p].cells)
                pairOfCell[cell] = int(p);
        for (PairCells& p : m_pairs)
            p.cells.clear();
        for (int cell = 0; cell < cellCount; ++cell) {
            std::array<int, 16> count{};
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    ++count[m_looks[cell].pixel(x, y)];
            auto change = [&](const Pair& pair) {
                long sum = 0;
                for (int c = 0; c < 16; ++c)
                    if (count[c])
                        sum += long(count[c]) * m_distances[c][nearestOf(c, pair, m_distances)];
                return sum;
            };
            int best = pairOfCell[cell];
            long bestChange = change(m_pairs[best].pair);
            for (std::size_t p = 0; p < m_pairs.size(); ++p)
                if (m_pairs[p].alive && change(m_pairs[p].pair) < bestChange) {
                    best = int(p);
                    bestChange = change(m_pairs[p].pair);
                }
            m_pairs[best].cells.push_back(cell);
            m_masks[cell] = maskIn(m_looks[cell], m_pairs[best].pair, m_distances);
        }
        for (PairCells& p : m_pairs)
            if (p.alive && p.cells.empty())
                p.alive = false;
    }

    // One group for every pair, then the spare groups one by one to the pair that
    // lacks the most characters.
    std::vector<int> shareGroups()
    {
        std::vector<int> groups(m_pairs.size(), 0), need(m_pairs.size(), 0);
        int spare = groupsInModeOne;
        for (std::size_t p = 0; p < m_pairs.size(); ++p)
            if (m_pairs[p].alive) {
                groups[p] = 1;
                need[p] = distinctMasks(m_pairs[p]);
                --spare;
            }
        while (spare > 0) {
            int neediest = -1, lack = 0;
            for (std::size_t p = 0; p < m_pairs.size(); ++p) {
                const int l = need[p] - charsPerGroup * groups[p];
                if (l > lack) {
                    lack = l;
                    neediest = int(p);
                }
            }
            if (neediest < 0)
                break;
            ++groups[neediest];
            --spare;
        }
        return groups;
    }

    ScreenTiles layOut(const std::vector<int>& groups)
    {
        ScreenTiles tiles;
        tiles.groupColors.fill(defaultRowColor);
        for (auto& rows : tiles.colors)
            rows.fill(defaultRowColor);
        tiles.distinctCells = int(distinctLooks(m_looks).looks.size());

        // Pairs in order of their first cell.
        std::vector<int> order;
        for (std::size_t p = 0; p < m_pairs.size(); ++p)
            if (m_pairs[p].alive)
                order.push_back(int(p));
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return m_pairs[a].cells.front() < m_pairs[b].cells.front(); });

        int nextGroup = 0;
        for (int p : order) {
            const PairCells& pc = m_pairs[p];
            std::vector<CellLook> looks;
            std::vector<Mask> masks;
            std::vector<int> weights;
            std::vector<int> lookOfCell;
            for (int cell : pc.cells) {
                const int index = int(std::find(masks.begin(), masks.end(), m_masks[cell]) - masks.begin());
                if (index == int(masks.size())) {
                    masks.push_back(m_masks[cell]);
                    looks.push_back(lookOf(pc.pair, m_masks[cell]));
                    weights.push_back(0);
                }
                ++weights[index];
                lookOfCell.push_back(index);
            }
            const MergeOutcome merged = mergeLooks(looks, weights, charsPerGroup * groups[p], m_distances);

            std::vector<int> charOfLook(looks.size(), -1);
            int used = 0;
            const int firstChar = nextGroup * charsPerGroup;
            for (std::size_t i = 0; i < pc.cells.size(); ++i) {
                const int cell = pc.cells[i];
                const int kept = merged.keptLook[lookOfCell[i]];
                if (charOfLook[kept] < 0) {
                    const int c = charOfLook[kept] = firstChar + used++;
                    for (int y = 0; y < 8; ++y)
                        tiles.patterns[c][y] = rowPattern(masks[kept], y);
                }
                tiles.nameTable[cell % screenColumns][cell / screenColumns] = Byte(charOfLook[kept]);
                tiles.changedPixels += differingPixels(m_looks[cell], looks[kept]);
            }
            const int groupsUsed = (used + charsPerGroup - 1) / charsPerGroup;
            for (int g = 0; g < groupsUsed; ++g)
                tiles.groupColors[nextGroup + g] = tms::colorByte(pc.pair.high, pc.pair.low);
            nextGroup += groupsUsed;
            tiles.characters += used;
        }
        tiles.merges = tiles.distinctCells - tiles.characters;
        return tiles;
    }

    // Row y of a mask as a pattern byte (bit 7 the leftmost pixel).
    static Byte rowPattern(Mask mask, int y)
    {
        Byte b = 0;
        for (int x = 0; x < 8; ++x)
            if ((mask >> (y * 8 + x)) & 1)
                b |= tms::bitMask[x];
        return b;
    }

    const std::vector<CellLook>& m_looks;
    const ColourDistances& m_distances;
    std::vector<Mask> m_masks;
    std::vector<PairCells> m_pairs;
};

} // namespace

ScreenTiles tilesFromScreen(const tms::BitmapTable& patterns, const tms::BitmapTable& colors, Edition edition,
                            const tms::Palette& palette)
{
    const ColourDistances distances = colourDistances(palette);
    if (!editionTraits(edition).groupColors())
        return modeTwoTiles(patterns, colors, distances);
    return ModeOneFit(screenLooks(patterns, colors), distances).run();
}

void applyTiles(TileDocument& doc, const ScreenTiles& tiles)
{
    doc.charPatterns = tiles.patterns;
    if (doc.traits().groupColors())
        doc.groupColors = tiles.groupColors;
    else
        doc.charColors = tiles.colors;
    doc.nameTable = tiles.nameTable;
    doc.modified = true;
}

void screenOfDocument(const TileDocument& doc, tms::BitmapTable& patterns, tms::BitmapTable& colors)
{
    for (int row = 0; row < screenRows; ++row)
        for (int column = 0; column < screenColumns; ++column) {
            const int c = doc.nameTable[column][row];
            for (int y = 0; y < 8; ++y) {
                patterns[tms::bitmapIndex(row, column, y)] = doc.charPatterns[c][y];
                colors[tms::bitmapIndex(row, column, y)] = Byte(doc.rowColor(c, y));
            }
        }
}

} // namespace tile
