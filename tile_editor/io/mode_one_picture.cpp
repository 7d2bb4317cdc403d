#include "mode_one_picture.h"

#include "colour_vector.h"
#include "linear_light.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

namespace tile {

namespace {

using dither::pictureHeight;
using dither::pictureWidth;

constexpr int cellCount = screenColumns * screenRows;
constexpr int charsPerGroup = 8;
constexpr int groupCount = colorGroupCount;

// How much of the grain of mixing two colours a 1-pixel blur leaves: the share of its
// variance t(1 - t)|c2 - c1|^2 that still shows. Error diffusion puts the grain in the
// finest detail, which the blur mostly removes.
constexpr float grainWeight = 0.12f;

using Rgb = dither::ColourVector;

Rgb rgbOf(tms::ColorValue c)
{
    return {float(tms::redOf(c)), float(tms::greenOf(c)), float(tms::blueOf(c))};
}

float clamp255(float v)
{
    return v < 0.0f ? 0.0f : v > 255.0f ? 255.0f : v;
}

// Two of the chosen colours (indices into the active colours, a < b); a pixel whose
// mask bit is set shows b.
struct Pair {
    int a = 0, b = 0;
};

// A cell's pixel y * 8 + x.
using Mask = std::uint64_t;
using CellPixels = std::array<Rgb, 64>;

int cellColumn(int cell)
{
    return cell % screenColumns;
}
int cellRow(int cell)
{
    return cell / screenColumns;
}

// The 3x3 mean of every pixel within the cell: how the cell looks to the eye.
template <typename Value>
std::array<Value, 64> blurredInCell(const std::array<Value, 64>& in)
{
    std::array<Value, 64> out{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            Value sum{};
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx > 7 || sy > 7)
                        continue;
                    sum = sum + in[std::size_t(sy * 8 + sx)];
                    ++n;
                }
            out[std::size_t(y * 8 + x)] = sum * (1.0f / float(n));
        }
    return out;
}

using BlurredMask = std::array<float, 64>;

BlurredMask blurredMask(Mask mask)
{
    std::array<float, 64> bits{};
    for (int i = 0; i < 64; ++i)
        bits[std::size_t(i)] = float((mask >> i) & 1);
    return blurredInCell(bits);
}

// Eight running sums, so that the loop runs on vector lanes.
float squaredDistance(const BlurredMask& p, const BlurredMask& q)
{
    std::array<float, 8> sums{};
    for (std::size_t i = 0; i < 64; i += 8)
        for (std::size_t k = 0; k < 8; ++k) {
            const float d = p[i + k] - q[i + k];
            sums[k] += d * d;
        }
    return ((sums[0] + sums[1]) + (sums[2] + sums[3])) + ((sums[4] + sums[5]) + (sums[6] + sums[7]));
}

// One fit: the pair of every cell and its pattern, and the characters.
struct Fit {
    std::vector<int> pairOfCell;  // index into the chosen pairs
    std::vector<Mask> maskOfCell; // as dithered again
    std::vector<int> charOfCell;  // 0..255
    std::vector<Mask> charMask;   // per character
    std::vector<int> charPair;    // per character: its group's pair
    std::vector<Pair> pairs;      // the chosen pairs
    std::vector<int> groupsOfPair;
};

class PhotoFit {
public:
    PhotoFit(const ModeOnePicture& picture, dither::KernelName kernelName)
        : m_picture(picture), m_taps(dither::kernel(kernelName).taps()), m_factor(float(picture.diffusion) / 100.0f)
    {
        for (int c = 0; c < picture.active.count; ++c)
            m_colour[std::size_t(c)] = rgbOf(picture.active.colours[std::size_t(c)]);
        for (int a = 0; a < picture.active.count; ++a)
            for (int b = a + 1; b < picture.active.count; ++b)
                m_candidates.push_back({a, b});
        for (int cell = 0; cell < cellCount; ++cell) {
            CellPixels pixels;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    pixels[std::size_t(y * 8 + x)] = rgbOf(picture.adjusted[std::size_t(
                        dither::pixelIndex(8 * cellColumn(cell) + x, 8 * cellRow(cell) + y))]);
            m_sourceBlurred.push_back(blurredInCell(pixels));
        }
        rateCandidates();
    }

    ScreenTiles best()
    {
        const int most = std::min<int>(groupCount, int(m_candidates.size()));
        std::optional<Fit> bestFit;
        double bestError = 0;
        std::vector<int> tries;
        for (int k : {8, 12, 16})
            if (tries.empty() || std::min(k, most) != tries.back())
                tries.push_back(std::min(k, most));
        for (int k : tries) {
            Fit fit = fitWith(choosePairs(k));
            const double error = fitError(fit);
            if (!bestFit || error < bestError) {
                bestFit = std::move(fit);
                bestError = error;
            }
        }
        pickBestCharacters(*bestFit);
        return layOut(*bestFit);
    }

private:
    // The cost of showing each cell with each candidate pair, summed over its pixels.
    void rateCandidates()
    {
        const std::size_t n = m_candidates.size();
        m_rating.assign(std::size_t(cellCount) * n, 0.0f);
        for (int cell = 0; cell < cellCount; ++cell) {
            const CellPixels& pixels = m_sourceBlurred[std::size_t(cell)];
            for (std::size_t p = 0; p < n; ++p) {
                const Rgb first = m_colour[std::size_t(m_candidates[p].a)];
                const Rgb span = m_colour[std::size_t(m_candidates[p].b)] - first;
                const float length = dot(span, span);
                float sum = 0;
                for (const Rgb& pixel : pixels) {
                    const Rgb v = pixel - first;
                    float t = dot(v, span) / length;
                    t = t < 0.0f ? 0.0f : t > 1.0f ? 1.0f : t;
                    const Rgb off = v - span * t;
                    sum += dot(off, off) + grainWeight * t * (1.0f - t) * length;
                }
                m_rating[std::size_t(cell) * n + p] = sum;
            }
        }
    }

    float rating(int cell, int candidate) const
    {
        return m_rating[std::size_t(cell) * m_candidates.size() + std::size_t(candidate)];
    }

    // k candidates whose best ratings over the cells add up least: greedy, then swaps of
    // one chosen pair for another while that helps.
    std::vector<int> choosePairs(int k) const
    {
        const int n = int(m_candidates.size());
        std::vector<int> chosen;
        std::vector<float> best(cellCount, 3.0e38f);
        std::vector<bool> taken(std::size_t(n), false);
        while (int(chosen.size()) < k) {
            int pick = -1;
            double pickGain = -1;
            for (int q = 0; q < n; ++q) {
                if (taken[std::size_t(q)])
                    continue;
                double gain = 0;
                for (int cell = 0; cell < cellCount; ++cell)
                    gain += std::max(0.0f, best[std::size_t(cell)] - rating(cell, q));
                if (gain > pickGain) {
                    pickGain = gain;
                    pick = q;
                }
            }
            chosen.push_back(pick);
            taken[std::size_t(pick)] = true;
            for (int cell = 0; cell < cellCount; ++cell)
                best[std::size_t(cell)] = std::min(best[std::size_t(cell)], rating(cell, pick));
        }
        for (int pass = 0; pass < 2; ++pass) {
            bool changed = false;
            for (std::size_t i = 0; i < chosen.size(); ++i) {
                // Each cell's best without chosen[i].
                std::vector<float> without(cellCount, 3.0e38f);
                for (int cell = 0; cell < cellCount; ++cell)
                    for (std::size_t j = 0; j < chosen.size(); ++j)
                        if (j != i)
                            without[std::size_t(cell)] = std::min(without[std::size_t(cell)], rating(cell, chosen[j]));
                double current = 0;
                for (int cell = 0; cell < cellCount; ++cell)
                    current += std::min(without[std::size_t(cell)], rating(cell, chosen[i]));
                for (int q = 0; q < n; ++q) {
                    if (taken[std::size_t(q)])
                        continue;
                    double total = 0;
                    for (int cell = 0; cell < cellCount; ++cell)
                        total += std::min(without[std::size_t(cell)], rating(cell, q));
                    if (total < current * 0.9999) {
                        taken[std::size_t(chosen[i])] = false;
                        chosen[i] = q;
                        taken[std::size_t(q)] = true;
                        current = total;
                        changed = true;
                    }
                }
            }
            if (!changed)
                break;
        }
        return chosen;
    }

    Fit fitWith(const std::vector<int>& chosen)
    {
        Fit fit;
        for (int q : chosen)
            fit.pairs.push_back(m_candidates[std::size_t(q)]);
        fit.pairOfCell.resize(cellCount);
        for (int cell = 0; cell < cellCount; ++cell) {
            int best = 0;
            for (std::size_t i = 1; i < chosen.size(); ++i)
                if (rating(cell, chosen[i]) < rating(cell, chosen[std::size_t(best)]))
                    best = int(i);
            fit.pairOfCell[std::size_t(cell)] = best;
        }
        fit.maskOfCell = ditherWithPairs(fit);
        shareGroups(fit);
        clusterCharacters(fit);
        return fit;
    }

    // The picture dithered again, serpentine as the methods scan, every pixel the nearer
    // of its cell's two colours, the error spread by the method's kernel.
    std::vector<Mask> ditherWithPairs(const Fit& fit) const
    {
        constexpr int margin = 3, stride = pictureWidth + 2 * margin;
        std::vector<Rgb> error(std::size_t((pictureHeight + margin) * stride));
        std::vector<Mask> masks(cellCount, 0);
        for (int y = 0; y < pictureHeight; ++y) {
            const bool rightToLeft = (y & 1) == 0;
            const int s = rightToLeft ? -1 : 1;
            for (int n = 0; n < pictureWidth; ++n) {
                const int x = rightToLeft ? pictureWidth - 1 - n : n;
                const int cell = (y / 8) * screenColumns + x / 8;
                const Pair pair = fit.pairs[std::size_t(fit.pairOfCell[std::size_t(cell)])];
                Rgb& carried = error[std::size_t(y * stride + x + margin)];
                const Rgb source = rgbOf(m_picture.adjusted[std::size_t(dither::pixelIndex(x, y))]);
                const Rgb target{clamp255(source.r + carried.r), clamp255(source.g + carried.g),
                                 clamp255(source.b + carried.b)};
                const Rgb toA = target - m_colour[std::size_t(pair.a)], toB = target - m_colour[std::size_t(pair.b)];
                const bool second = dot(toA, toA) > dot(toB, toB);
                if (second)
                    masks[std::size_t(cell)] |= Mask(1) << ((y % 8) * 8 + x % 8);
                const Rgb e = (second ? toB : toA) * m_factor;
                for (const dither::Kernel::Tap& tap : m_taps) {
                    Rgb& to = error[std::size_t((y + tap.dy) * stride + x + s * tap.dx + margin)];
                    to = to + e * tap.w;
                }
            }
        }
        return masks;
    }

    // One group for every pair used, the rest one by one to the pair with the most cells
    // for each of its characters.
    void shareGroups(Fit& fit) const
    {
        std::vector<int> cells(fit.pairs.size(), 0);
        for (int p : fit.pairOfCell)
            ++cells[std::size_t(p)];
        fit.groupsOfPair.assign(fit.pairs.size(), 0);
        int spare = groupCount;
        for (std::size_t p = 0; p < fit.pairs.size(); ++p)
            if (cells[p] > 0) {
                fit.groupsOfPair[p] = 1;
                --spare;
            }
        while (spare > 0) {
            int neediest = -1;
            double most = 1.0; // no more groups than cells need
            for (std::size_t p = 0; p < fit.pairs.size(); ++p) {
                const int places = charsPerGroup * fit.groupsOfPair[p];
                if (places == 0)
                    continue;
                const double crowd = double(cells[p]) / places;
                if (crowd > most) {
                    most = crowd;
                    neediest = int(p);
                }
            }
            if (neediest < 0)
                break;
            ++fit.groupsOfPair[std::size_t(neediest)];
            --spare;
        }
    }

    // Each pair's cells clustered down to its characters: k-means on the blurred masks
    // from a k-means++ start (a fixed seed, so an import always gives the same tables);
    // each character is the cell pattern nearest its cluster's mean.
    void clusterCharacters(Fit& fit) const
    {
        fit.charOfCell.assign(cellCount, -1);
        std::mt19937 random(1);
        auto uniform = [&random] { return double(random()) / 4294967296.0; };
        for (std::size_t p = 0; p < fit.pairs.size(); ++p) {
            const int places = charsPerGroup * fit.groupsOfPair[p];
            if (places == 0)
                continue;
            std::vector<int> cells;
            for (int cell = 0; cell < cellCount; ++cell)
                if (fit.pairOfCell[std::size_t(cell)] == int(p))
                    cells.push_back(cell);
            // Distinct patterns with their weights.
            std::vector<Mask> patterns;
            std::vector<int> weight, patternOfCell;
            for (int cell : cells) {
                const Mask m = fit.maskOfCell[std::size_t(cell)];
                const auto it = std::find(patterns.begin(), patterns.end(), m);
                const int index = int(it - patterns.begin());
                if (it == patterns.end()) {
                    patterns.push_back(m);
                    weight.push_back(0);
                }
                ++weight[std::size_t(index)];
                patternOfCell.push_back(index);
            }
            std::vector<Mask> chars;
            std::vector<int> charOfPattern(patterns.size());
            if (int(patterns.size()) <= places) {
                chars = patterns;
                std::iota(charOfPattern.begin(), charOfPattern.end(), 0);
            } else {
                std::vector<BlurredMask> blurred;
                for (Mask m : patterns)
                    blurred.push_back(blurredMask(m));
                charOfPattern = kMeans(blurred, weight, places, uniform);
                chars = representatives(patterns, blurred, weight, charOfPattern, places);
            }
            const int first = int(fit.charMask.size());
            for (Mask m : chars) {
                fit.charMask.push_back(m);
                fit.charPair.push_back(int(p));
            }
            for (std::size_t i = 0; i < cells.size(); ++i)
                fit.charOfCell[std::size_t(cells[i])] = first + charOfPattern[std::size_t(patternOfCell[i])];
        }
    }

    template <typename Uniform>
    static std::vector<int> kMeans(const std::vector<BlurredMask>& points, const std::vector<int>& weight, int k,
                                   Uniform& uniform)
    {
        const std::size_t n = points.size();
        std::vector<BlurredMask> centres;
        std::vector<float> nearest(n, 3.0e38f);
        centres.push_back(points[std::size_t(std::max_element(weight.begin(), weight.end()) - weight.begin())]);
        while (int(centres.size()) < k) {
            double total = 0;
            for (std::size_t i = 0; i < n; ++i) {
                nearest[i] = std::min(nearest[i], squaredDistance(points[i], centres.back()));
                total += double(nearest[i]) * weight[i];
            }
            if (total <= 0)
                break;
            double at = uniform() * total;
            std::size_t pick = n - 1;
            for (std::size_t i = 0; i < n; ++i) {
                at -= double(nearest[i]) * weight[i];
                if (at < 0) {
                    pick = i;
                    break;
                }
            }
            centres.push_back(points[pick]);
        }
        std::vector<int> label(n, 0);
        std::vector<BlurredMask> sum(centres.size());
        std::vector<int> count(centres.size());
        for (int round = 0; round < 6; ++round) {
            bool moved = false;
            for (std::size_t i = 0; i < n; ++i) {
                int best = 0;
                float bestDistance = 3.0e38f;
                for (std::size_t c = 0; c < centres.size(); ++c) {
                    const float d = squaredDistance(points[i], centres[c]);
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = int(c);
                    }
                }
                moved = moved || label[i] != best;
                label[i] = best;
            }
            if (!moved && round > 0)
                break;
            std::fill(sum.begin(), sum.end(), BlurredMask{});
            std::fill(count.begin(), count.end(), 0);
            for (std::size_t i = 0; i < n; ++i) {
                for (int j = 0; j < 64; ++j)
                    sum[std::size_t(label[i])][std::size_t(j)] += points[i][std::size_t(j)] * float(weight[i]);
                count[std::size_t(label[i])] += weight[i];
            }
            for (std::size_t c = 0; c < centres.size(); ++c)
                if (count[c] > 0)
                    for (int j = 0; j < 64; ++j)
                        centres[c][std::size_t(j)] = sum[c][std::size_t(j)] / float(count[c]);
        }
        return label;
    }

    // For every cluster the member nearest its mean, as a character; every pattern then
    // takes the nearest character.
    static std::vector<Mask> representatives(const std::vector<Mask>& patterns, const std::vector<BlurredMask>& points,
                                             const std::vector<int>& weight, std::vector<int>& label, int k)
    {
        std::vector<BlurredMask> mean(std::size_t(k), BlurredMask{});
        std::vector<int> count(std::size_t(k), 0);
        for (std::size_t i = 0; i < points.size(); ++i) {
            for (int j = 0; j < 64; ++j)
                mean[std::size_t(label[i])][std::size_t(j)] += points[i][std::size_t(j)] * float(weight[i]);
            count[std::size_t(label[i])] += weight[i];
        }
        std::vector<int> member(std::size_t(k), -1);
        std::vector<float> memberDistance(std::size_t(k), 3.0e38f);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::size_t c = std::size_t(label[i]);
            BlurredMask m = mean[c];
            for (float& v : m)
                v /= float(count[c]);
            const float d = squaredDistance(points[i], m);
            if (d < memberDistance[c]) {
                memberDistance[c] = d;
                member[c] = int(i);
            }
        }
        std::vector<Mask> chars;
        std::vector<BlurredMask> charPoints;
        for (int c = 0; c < k; ++c)
            if (member[std::size_t(c)] >= 0) {
                chars.push_back(patterns[std::size_t(member[std::size_t(c)])]);
                charPoints.push_back(points[std::size_t(member[std::size_t(c)])]);
            }
        for (std::size_t i = 0; i < points.size(); ++i) {
            int best = 0;
            float bestDistance = 3.0e38f;
            for (std::size_t c = 0; c < chars.size(); ++c) {
                const float d = squaredDistance(points[i], charPoints[c]);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = int(c);
                }
            }
            label[i] = best;
        }
        return chars;
    }

    // The blurred cell of a character in its pair's colours.
    CellPixels shownCell(Mask mask, Pair pair) const
    {
        CellPixels pixels;
        for (int i = 0; i < 64; ++i)
            pixels[std::size_t(i)] = m_colour[std::size_t((mask >> i) & 1 ? pair.b : pair.a)];
        return blurredInCell(pixels);
    }

    static float cellError(const CellPixels& shown, const CellPixels& source)
    {
        std::array<float, 8> sums{};
        for (std::size_t i = 0; i < 64; i += 8)
            for (std::size_t k = 0; k < 8; ++k) {
                const Rgb d = shown[i + k] - source[i + k];
                sums[k] += dot(d, d);
            }
        return ((sums[0] + sums[1]) + (sums[2] + sums[3])) + ((sums[4] + sums[5]) + (sums[6] + sums[7]));
    }

    double fitError(const Fit& fit) const
    {
        double sum = 0;
        for (int cell = 0; cell < cellCount; ++cell) {
            const int c = fit.charOfCell[std::size_t(cell)];
            sum +=
                cellError(shownCell(fit.charMask[std::size_t(c)], fit.pairs[std::size_t(fit.charPair[std::size_t(c)])]),
                          m_sourceBlurred[std::size_t(cell)]);
        }
        return sum;
    }

    // Every cell takes the character, of any pair, that shows it best.
    void pickBestCharacters(Fit& fit) const
    {
        std::vector<CellPixels> shown;
        for (std::size_t c = 0; c < fit.charMask.size(); ++c)
            shown.push_back(shownCell(fit.charMask[c], fit.pairs[std::size_t(fit.charPair[c])]));
        for (int cell = 0; cell < cellCount; ++cell) {
            int& current = fit.charOfCell[std::size_t(cell)];
            float best = cellError(shown[std::size_t(current)], m_sourceBlurred[std::size_t(cell)]);
            for (std::size_t c = 0; c < shown.size(); ++c) {
                const float e = cellError(shown[c], m_sourceBlurred[std::size_t(cell)]);
                if (e < best) {
                    best = e;
                    current = int(c);
                }
            }
        }
    }

    ScreenTiles layOut(const Fit& fit) const
    {
        ScreenTiles tiles;
        tiles.groupColors.fill(defaultRowColor);
        for (auto& rows : tiles.colors)
            rows.fill(defaultRowColor);
        std::vector<int> used(fit.charMask.size(), 0);
        for (int c : fit.charOfCell)
            ++used[std::size_t(c)];
        std::vector<int> placeOf(fit.charMask.size(), -1);
        int nextGroup = 0;
        for (std::size_t p = 0; p < fit.pairs.size(); ++p) {
            int count = 0;
            const int first = nextGroup * charsPerGroup;
            for (std::size_t c = 0; c < fit.charMask.size(); ++c)
                if (fit.charPair[c] == int(p) && used[c] > 0) {
                    const int place = placeOf[c] = first + count++;
                    for (int y = 0; y < 8; ++y) {
                        Byte row = 0;
                        for (int x = 0; x < 8; ++x)
                            if ((fit.charMask[c] >> (y * 8 + x)) & 1)
                                row |= tms::bitMask[x];
                        tiles.patterns[std::size_t(place)][std::size_t(y)] = row;
                    }
                }
            const int groups = (count + charsPerGroup - 1) / charsPerGroup;
            const Pair pair = fit.pairs[p];
            for (int g = 0; g < groups; ++g)
                tiles.groupColors[std::size_t(nextGroup + g)] = tms::colorByte(
                    m_picture.active.codes[std::size_t(pair.b)], m_picture.active.codes[std::size_t(pair.a)]);
            nextGroup += groups;
            tiles.characters += count;
        }
        for (int cell = 0; cell < cellCount; ++cell)
            tiles.nameTable[std::size_t(cellColumn(cell))][std::size_t(cellRow(cell))] =
                Byte(placeOf[std::size_t(fit.charOfCell[std::size_t(cell)])]);
        return tiles;
    }

    const ModeOnePicture& m_picture;
    std::vector<dither::Kernel::Tap> m_taps;
    float m_factor;
    std::array<Rgb, 16> m_colour{};
    std::vector<Pair> m_candidates;
    std::vector<CellPixels> m_sourceBlurred;
    std::vector<float> m_rating;
};

} // namespace

std::optional<ScreenTiles> modeOneFromPicture(const ModeOnePicture& picture)
{
    const std::optional<dither::DiffusionMethod> diffusion = dither::diffusionOf(picture.method);
    if (!diffusion || picture.active.count < 2)
        return std::nullopt;
    return PhotoFit(picture, diffusion->kernel).best();
}

double blurredError(const tms::BitmapTable& patterns, const tms::BitmapTable& colors, const tms::Palette& palette,
                    const dither::Picture& picture)
{
    std::vector<Rgb> shown(std::size_t(pictureWidth * pictureHeight));
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) {
            const int i = tms::bitmapIndex(y / 8, x / 8, y % 8);
            const int c = patterns[std::size_t(i)] & tms::bitMask[x % 8] ? tms::foregroundOf(colors[std::size_t(i)])
                                                                         : tms::backgroundOf(colors[std::size_t(i)]);
            shown[std::size_t(dither::pixelIndex(x, y))] = rgbOf(palette[std::size_t(c)]);
        }
    double sum = 0;
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) {
            Rgb mean;
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx >= 0 && sy >= 0 && sx < pictureWidth && sy < pictureHeight) {
                        mean = mean + shown[std::size_t(dither::pixelIndex(sx, sy))];
                        ++n;
                    }
                }
            const Rgb d = mean * (1.0f / float(n)) - rgbOf(picture[std::size_t(dither::pixelIndex(x, y))]);
            sum += dot(d, d);
        }
    return sum;
}

} // namespace tile
