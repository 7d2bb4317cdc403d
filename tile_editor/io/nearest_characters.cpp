#include "nearest_characters.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>
#include <vector>

namespace tile {

namespace {

// A cell's 64 pixels, each the 3x3 mean within the cell, as red, green, blue.
using BlurredCell = std::array<float, 192>;

template <typename Colour>
BlurredCell blurred(Colour colourAt)
{
    BlurredCell out{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            float sum[3] = {0, 0, 0};
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx > 7 || sy > 7)
                        continue;
                    const tms::ColorValue c = colourAt(sx, sy);
                    sum[0] += float(tms::redOf(c));
                    sum[1] += float(tms::greenOf(c));
                    sum[2] += float(tms::blueOf(c));
                    ++n;
                }
            for (int k = 0; k < 3; ++k)
                out[std::size_t((y * 8 + x) * 3 + k)] = sum[k] / float(n);
        }
    return out;
}

// Eight running sums, so that the loop runs on vector lanes.
float distance(const BlurredCell& a, const BlurredCell& b)
{
    std::array<float, 8> sums{};
    for (std::size_t i = 0; i < a.size(); i += 8)
        for (std::size_t k = 0; k < 8; ++k) {
            const float d = a[i + k] - b[i + k];
            sums[k] += d * d;
        }
    return ((sums[0] + sums[1]) + (sums[2] + sums[3])) + ((sums[4] + sums[5]) + (sums[6] + sums[7]));
}

} // namespace

namespace {

class NearestCharacters {
public:
    NearestCharacters(ScreenTiles& tiles, Edition edition, const tms::Palette& palette, const dither::Picture& picture)
        : m_tiles(tiles), m_edition(edition), m_palette(palette)
    {
        for (int cell = 0; cell < cellCount; ++cell)
            m_source[std::size_t(cell)] = blurred([&](int x, int y) {
                return picture[std::size_t(dither::pixelIndex(8 * column(cell) + x, 8 * row(cell) + y))];
            });
    }

    // Every cell to the nearest of the characters in use.
    void repoint()
    {
        std::set<int> kept;
        for (const auto& names : m_tiles.nameTable)
            kept.insert(names.begin(), names.end());
        const std::vector<int> characters(kept.begin(), kept.end());
        std::vector<BlurredCell> shown;
        for (int c : characters)
            shown.push_back(shownCharacter(c));
        for (int cell = 0; cell < cellCount; ++cell) {
            Byte& name = nameOf(cell);
            const auto current = std::lower_bound(characters.begin(), characters.end(), int(name));
            float best = distance(shown[std::size_t(current - characters.begin())], m_source[std::size_t(cell)]);
            for (std::size_t i = 0; i < characters.size(); ++i) {
                const float d = distance(shown[i], m_source[std::size_t(cell)]);
                if (d < best) {
                    best = d;
                    name = Byte(characters[i]);
                }
            }
            m_error[std::size_t(cell)] = best;
        }
    }

    // Characters no cell uses take the looks of the cells shown worst (screen mode 2,
    // where a character has its own row colours). False when none was free.
    bool refill(const tms::BitmapTable& patterns, const tms::BitmapTable& colors)
    {
        std::vector<bool> used(charCount, false);
        for (const auto& names : m_tiles.nameTable)
            for (Byte n : names)
                used[n] = true;
        std::vector<int> order(cellCount);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return m_error[std::size_t(a)] > m_error[std::size_t(b)]; });
        int free = 0;
        bool refilled = false;
        for (int cell : order) {
            while (free < charCount && used[std::size_t(free)])
                ++free;
            if (free == charCount)
                break;
            const int first = tms::bitmapIndex(row(cell), column(cell), 0);
            std::copy_n(&patterns[std::size_t(first)], 8, m_tiles.patterns[std::size_t(free)].begin());
            std::copy_n(&colors[std::size_t(first)], 8, m_tiles.colors[std::size_t(free)].begin());
            used[std::size_t(free)] = true;
            nameOf(cell) = Byte(free);
            refilled = true;
        }
        return refilled;
    }

private:
    static int column(int cell) { return cell % screenColumns; }
    static int row(int cell) { return cell / screenColumns; }
    Byte& nameOf(int cell) { return m_tiles.nameTable[std::size_t(column(cell))][std::size_t(row(cell))]; }

    BlurredCell shownCharacter(int c) const
    {
        return blurred([&](int x, int y) {
            const Byte colour = m_edition == Edition::ScreenMode1 ? m_tiles.groupColors[std::size_t(c / 8)]
                                                                  : m_tiles.colors[std::size_t(c)][std::size_t(y)];
            const bool set = m_tiles.patterns[std::size_t(c)][std::size_t(y)] & tms::bitMask[x];
            return m_palette[std::size_t(set ? tms::foregroundOf(colour) : tms::backgroundOf(colour))];
        });
    }

    static constexpr int cellCount = screenColumns * screenRows;
    ScreenTiles& m_tiles;
    Edition m_edition;
    const tms::Palette& m_palette;
    std::array<BlurredCell, cellCount> m_source{};
    std::array<float, cellCount> m_error{};
};

} // namespace

void pointCellsAtNearestCharacters(ScreenTiles& tiles, Edition edition, const tms::Palette& palette,
                                   const dither::Picture& picture)
{
    NearestCharacters(tiles, edition, palette, picture).repoint();
}

void refineCharacters(ScreenTiles& tiles, const tms::BitmapTable& patterns, const tms::BitmapTable& colors,
                      const tms::Palette& palette, const dither::Picture& picture)
{
    NearestCharacters nearest(tiles, Edition::ScreenMode2, palette, picture);
    nearest.repoint();
    for (int round = 0; round < 2 && nearest.refill(patterns, colors); ++round)
        nearest.repoint();
}

} // namespace tile
