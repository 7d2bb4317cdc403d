#include "cell_look.h"

#include <cmath>

namespace tile {

CellLook lookOfRows(const std::uint8_t* patterns, const std::uint8_t* colors)
{
    CellLook look;
    for (int y = 0; y < 8; ++y) {
        const int foreground = tms::foregroundOf(colors[y]);
        const int background = tms::backgroundOf(colors[y]);
        for (int x = 0; x < 8; ++x)
            look.setPixel(x, y, (patterns[y] & tms::bitMask[x]) ? foreground : background);
    }
    return look;
}

ColourDistances colourDistances(const tms::Palette& palette)
{
    ColourDistances distances{};
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 16; ++j) {
            const int dr = tms::redOf(palette[i]) - tms::redOf(palette[j]);
            const int dg = tms::greenOf(palette[i]) - tms::greenOf(palette[j]);
            const int db = tms::blueOf(palette[i]) - tms::blueOf(palette[j]);
            distances[i][j] = std::uint16_t(std::lround(std::sqrt(double(dr * dr + dg * dg + db * db))));
        }
    return distances;
}

int colourChange(const CellLook& a, const CellLook& b, const ColourDistances& distances)
{
    int sum = 0;
    for (int w = 0; w < 4; ++w) {
        const std::uint64_t d = a.words[w] ^ b.words[w];
        std::uint64_t nonZero = (d | (d >> 1) | (d >> 2) | (d >> 3)) & 0x1111111111111111ULL;
        while (nonZero) {
            const int shift = std::countr_zero(nonZero);
            sum += distances[(a.words[w] >> shift) & 15][(b.words[w] >> shift) & 15];
            nonZero &= nonZero - 1;
        }
    }
    return sum;
}

ColourPair fitColourPair(const std::array<int, 16>& count, const ColourDistances& distances)
{
    std::array<int, 16> present{};
    int presentCount = 0;
    for (int c = 0; c < 16; ++c)
        if (count[c])
            present[presentCount++] = c;
    if (presentCount <= 1)
        return {present[0], present[0]};
    ColourPair best;
    long bestChange = -1, bestPixels = 0;
    for (int i = 0; i < presentCount; ++i)
        for (int j = i + 1; j < presentCount; ++j) {
            const ColourPair pair{present[i], present[j]};
            long change = 0, pixels = 0;
            for (int k = 0; k < presentCount; ++k) {
                const int c = present[k];
                if (c != pair.low && c != pair.high) {
                    change += long(count[c]) * distances[c][nearestOf(c, pair, distances)];
                    pixels += count[c];
                }
            }
            if (bestChange < 0 || change < bestChange || (change == bestChange && pixels < bestPixels)) {
                best = pair;
                bestChange = change;
                bestPixels = pixels;
            }
        }
    return best;
}

} // namespace tile
