#include "cell_merging.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tile {

namespace {

// Changed pixels in the high half, colour change in the low half: one comparison
// orders by both. The colour change is worked out only where the pixels tie.
using Cost = std::uint64_t;
constexpr Cost noCost = std::numeric_limits<Cost>::max();
constexpr Cost pixelPartMask = ~Cost(0xFFFFFFFFULL);

class Merger {
public:
    Merger(const std::vector<CellLook>& looks, const std::vector<int>& weights, const ColourDistances& distances)
        : m_looks(looks), m_weights(weights), m_distances(distances), m_count(int(looks.size())),
          m_differing(std::size_t(m_count) * m_count), m_kept(looks.size()), m_best(looks.size(), -1),
          m_bestCost(looks.size(), noCost)
    {
        // Looks never change (a merge keeps one of the two), so their differences are
        // counted once.
        for (int i = 0; i < m_count; ++i) {
            m_differing[std::size_t(i) * m_count + i] = 0;
            for (int j = i + 1; j < m_count; ++j)
                m_differing[std::size_t(i) * m_count + j] = m_differing[std::size_t(j) * m_count + i] =
                    std::uint8_t(differingPixels(looks[i], looks[j]));
        }
        for (int i = 0; i < m_count; ++i) {
            m_kept[i] = i;
            m_alive.push_back(i);
        }
        for (int i : m_alive)
            findBestPartner(i);
    }

    int run(int budget)
    {
        int merges = 0;
        while (int(m_alive.size()) > std::max(budget, 1)) {
            int first = m_alive.front();
            for (int i : m_alive)
                if (before(m_bestCost[i], m_best[i], i, m_bestCost[first], m_best[first], first))
                    first = i;
            merge(first, m_best[first]);
            ++merges;
        }
        return merges;
    }

    std::vector<int> keptLooks()
    {
        std::vector<int> result(m_kept.size());
        for (std::size_t i = 0; i < m_kept.size(); ++i)
            result[i] = root(int(i));
        return result;
    }

private:
    Cost pixelCost(int a, int b) const
    {
        const std::uint64_t lighter = std::uint64_t(std::min(m_weights[a], m_weights[b]));
        return (lighter * m_differing[std::size_t(a) * m_count + b]) << 32;
    }

    Cost fullCost(int a, int b) const
    {
        const std::uint64_t lighter = std::uint64_t(std::min(m_weights[a], m_weights[b]));
        const std::uint64_t colour = lighter * colourChange(m_looks[a], m_looks[b], m_distances);
        return pixelCost(a, b) | std::min<std::uint64_t>(colour, 0xFFFFFFFFULL);
    }

    // The order of candidate pairs: cost, then the earlier looks.
    static bool before(Cost c1, int partner1, int self1, Cost c2, int partner2, int self2)
    {
        if (c1 != c2)
            return c1 < c2;
        const auto key1 = std::minmax(self1, partner1), key2 = std::minmax(self2, partner2);
        return key1 < key2;
    }

    // The fewest changed pixels first; the colour change only among those that tie.
    void findBestPartner(int i)
    {
        Cost fewest = noCost;
        for (int j : m_alive)
            if (j != i)
                fewest = std::min(fewest, pixelCost(i, j));
        m_best[i] = -1;
        m_bestCost[i] = noCost;
        for (int j : m_alive)
            if (j != i && pixelCost(i, j) == fewest)
                offer(i, j, fullCost(i, j));
    }

    void offer(int i, int j, Cost c)
    {
        if (m_best[i] < 0 || c < m_bestCost[i] || (c == m_bestCost[i] && j < m_best[i])) {
            m_best[i] = j;
            m_bestCost[i] = c;
        }
    }

    void merge(int a, int b)
    {
        // The look used more stays; on a tie the earlier one.
        const bool keepA = m_weights[a] > m_weights[b] || (m_weights[a] == m_weights[b] && a < b);
        const int keep = keepA ? a : b, drop = keepA ? b : a;
        const int keptWeight = m_weights[keep];
        m_weights[keep] += m_weights[drop];
        m_kept[drop] = keep;
        m_alive.erase(std::find(m_alive.begin(), m_alive.end(), drop));
        findBestPartner(keep);
        for (int k : m_alive) {
            if (k == keep)
                continue;
            if (m_best[k] == drop || (m_best[k] == keep && m_weights[k] > keptWeight)) {
                findBestPartner(k); // its partner is gone, or the pair now costs more
            } else if (m_best[k] != keep) {
                const Cost pixels = pixelCost(k, keep);
                if (pixels <= (m_bestCost[k] & pixelPartMask))
                    offer(k, keep, fullCost(k, keep));
            }
            // A partner that weighed more than k already still costs k's weight.
        }
    }

    int root(int i)
    {
        while (m_kept[i] != i)
            i = m_kept[i] = m_kept[m_kept[i]];
        return i;
    }

    const std::vector<CellLook>& m_looks;
    std::vector<int> m_weights;
    const ColourDistances& m_distances;
    int m_count = 0;
    std::vector<std::uint8_t> m_differing; // differing pixels of looks i and j at i * count + j
    std::vector<int> m_kept;
    std::vector<int> m_alive;
    std::vector<int> m_best;
    std::vector<Cost> m_bestCost;
};

} // namespace

MergeOutcome mergeLooks(const std::vector<CellLook>& looks, const std::vector<int>& weights, int budget,
                        const ColourDistances& distances)
{
    MergeOutcome outcome;
    if (int(looks.size()) <= budget) {
        for (std::size_t i = 0; i < looks.size(); ++i)
            outcome.keptLook.push_back(int(i));
        return outcome;
    }
    Merger merger(looks, weights, distances);
    outcome.merges = merger.run(budget);
    outcome.keptLook = merger.keptLooks();
    return outcome;
}

} // namespace tile
