#include "cell_merging.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tile {

namespace {

// Changed pixels in the high half, colour change in the low half: one comparison
// orders by both.
using Cost = std::uint64_t;
constexpr Cost noCost = std::numeric_limits<Cost>::max();

class Merger {
public:
    Merger(const std::vector<CellLook>& looks, const std::vector<int>& weights, const ColourDistances& distances)
        : m_looks(looks), m_weights(weights), m_distances(distances), m_kept(looks.size()),
          m_best(looks.size(), -1), m_bestCost(looks.size(), noCost)
    {
        for (std::size_t i = 0; i < looks.size(); ++i) {
            m_kept[i] = int(i);
            m_alive.push_back(int(i));
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
    Cost cost(int a, int b) const
    {
        const int lighter = std::min(m_weights[a], m_weights[b]);
        const std::uint64_t pixels = std::uint64_t(lighter) * differingPixels(m_looks[a], m_looks[b]);
        const std::uint64_t colour = std::uint64_t(lighter) * colourChange(m_looks[a], m_looks[b], m_distances);
        return (pixels << 32) | std::min<std::uint64_t>(colour, 0xFFFFFFFFULL);
    }

    // The order of candidate pairs: cost, then the earlier looks.
    static bool before(Cost c1, int partner1, int self1, Cost c2, int partner2, int self2)
    {
        if (c1 != c2)
            return c1 < c2;
        const auto key1 = std::minmax(self1, partner1), key2 = std::minmax(self2, partner2);
        return key1 < key2;
    }

    void findBestPartner(int i)
    {
        m_best[i] = -1;
        m_bestCost[i] = noCost;
        for (int j : m_alive)
            if (j != i)
                offer(i, j, cost(i, j));
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
        m_weights[keep] += m_weights[drop];
        m_kept[drop] = keep;
        m_alive.erase(std::find(m_alive.begin(), m_alive.end(), drop));
        findBestPartner(keep);
        for (int k : m_alive) {
            if (k == keep)
                continue;
            if (m_best[k] == drop || m_best[k] == keep)
                findBestPartner(k); // its partner is gone or now weighs more
            else
                offer(k, keep, cost(k, keep));
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
