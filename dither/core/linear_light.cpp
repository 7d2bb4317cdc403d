// The three error-diffusion procedures in linear light: the same scans, kernels and pair
// searches as error_diffusion.cpp, with the error kept as floating-point light and the
// distances measured in the chosen space.

#include "linear_light.h"
#include "colour_vector.h"
#include "serpentine_scan.h"

#include <cmath>
#include <optional>

namespace dither {

namespace {

using Light = ColourVector;

float clampTo(float v, float low, float high)
{
    return v < low ? low : v > high ? high : v;
}
Light clampTo(Light l, float low, float high)
{
    return {clampTo(l.r, low, high), clampTo(l.g, low, high), clampTo(l.b, low, high)};
}

// How far beyond what can be shown a target may go. Cutting it at 0 and 1 would throw
// away the error that dark and light areas need to come back to their level (a grey of
// a fifth of white's light would get a quarter white pixels); not cutting it at all
// lets the error of a colour the palette cannot reach grow without end.
constexpr float targetReach = 0.5f;

// sRGB decoding of every display value, 0..1.
const std::array<float, 256>& decodingTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int v = 0; v < 256; ++v) {
            const double s = v / 255.0;
            t[std::size_t(v)] = float(s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

Light decoded(ColorValue c)
{
    const auto& t = decodingTable();
    return {t[std::size_t(redPart(c))], t[std::size_t(greenPart(c))], t[std::size_t(bluePart(c))]};
}

float encoded(float linear)
{
    return 255.0f * (linear <= 0.0031308f ? 12.92f * linear : 1.055f * std::pow(linear, 1.0f / 2.4f) - 0.055f);
}

// Where a light lies in the space the distances are measured in.
Light coordinates(Light target, PairDistance space)
{
    const Light l = clampTo(target, 0.0f, 1.0f);
    switch (space) {
    case PairDistance::Display: return {encoded(l.r), encoded(l.g), encoded(l.b)};
    case PairDistance::Linear: return l * 255.0f;
    case PairDistance::Oklab: break;
    }
    const float lc = std::cbrt(0.4122214708f * l.r + 0.5363325363f * l.g + 0.0514459929f * l.b);
    const float mc = std::cbrt(0.2119034982f * l.r + 0.6806995451f * l.g + 0.1073969566f * l.b);
    const float sc = std::cbrt(0.0883024619f * l.r + 0.2817188376f * l.g + 0.6299787005f * l.b);
    return Light{0.2104542553f * lc + 0.7936177850f * mc - 0.0040720468f * sc,
                 1.9779984951f * lc - 2.4285922050f * mc + 0.4505937099f * sc,
                 0.0259040371f * lc + 0.7827717662f * mc - 0.8086757660f * sc}
           * 255.0f;
}

float squaredDistance(Light a, Light b)
{
    const Light d = a - b;
    return d.r * d.r + d.g * d.g + d.b * d.b;
}

// The active colours in linear light and in the distance space, with their pair table.
class LightPalette {
public:
    LightPalette(const ActiveColours& active, PairDistance space) : m_space(space), m_count(active.count)
    {
        for (int c = 0; c < m_count; ++c) {
            m_light[c] = decoded(active.colours[c]);
            m_place[c] = coordinates(m_light[c], space);
        }
        for (int i = 0; i < m_count; ++i)
            for (int j = 0; j < m_count; ++j)
                m_roots[i][j] = std::sqrt(std::sqrt(squaredDistance(m_place[i], m_place[j])));
        m_pairRoots = pairRootsOf(m_roots, m_count);
    }

    Light light(int c) const { return m_light[c]; }
    const DistanceRootTable& roots() const { return m_roots; }
    const PairRootTable& pairRoots() const { return m_pairRoots; }
    Light place(Light target) const { return coordinates(target, m_space); }

    void distances(Light target, PixelDistances& out) const
    {
        const Light p = place(target);
        for (int c = 0; c < 16; ++c)
            out.to[c] = c < m_count ? std::sqrt(squaredDistance(p, m_place[c])) : 0.0f;
    }

    // The projection rule of the methods, in this space: c2 when it is the nearer.
    bool nearerToSecond(ColourPair pair, Light target) const
    {
        const Light p = place(target);
        return squaredDistance(m_place[pair.c1], p) > squaredDistance(m_place[pair.c2], p);
    }

private:
    PairDistance m_space;
    int m_count;
    std::array<Light, 16> m_light{}, m_place{};
    DistanceRootTable m_roots{};
    PairRootTable m_pairRoots;
};

struct LightTap {
    int dx, dy;
    float w;
};

// The error of every pixel in linear light, with a margin the kernels may write into.
class LightPlanes {
public:
    LightPlanes(const Picture& adjusted, int diffusionPercent)
        : m_adjusted(adjusted), m_factor(float(diffusionPercent) / 100.0f), m_cells((pictureHeight + margin) * stride)
    {
    }

    // The picture's light at (x, y) with the error so far, kept within targetReach.
    Light target(int x, int y) const
    {
        return clampTo(decoded(m_adjusted[pixelIndex(x, y)]) + m_cells[cellIndex(x, y)], -targetReach,
                       1.0f + targetReach);
    }

    Light source(int x, int y) const { return decoded(m_adjusted[pixelIndex(x, y)]); }

    void spread(const std::vector<LightTap>& taps, int x, int y, int s, Light error)
    {
        const Light scaled = error * m_factor;
        Light* origin = m_cells.data() + cellIndex(x, y);
        for (const LightTap& tap : taps) {
            Light& cell = origin[tap.dy * stride + s * tap.dx];
            cell = cell + scaled * tap.w;
        }
    }

private:
    static constexpr int margin = 3;
    static constexpr int stride = pictureWidth + 2 * margin;
    static constexpr int cellIndex(int x, int y) { return y * stride + x + margin; }

    const Picture& m_adjusted;
    float m_factor;
    std::vector<Light> m_cells;
};

std::vector<LightTap> lightTaps(const Kernel& kernel, float weightScale)
{
    std::vector<LightTap> taps;
    for (const Kernel::Tap& tap : kernel.taps())
        taps.push_back({tap.dx, tap.dy, tap.w * weightScale});
    return taps;
}

class LightDiffusion {
public:
    LightDiffusion(DitherRun& run, const Kernel& kernel, float weightScale, PairDistance space)
        : m_run(run), m_palette(run.active, space), m_planes(run.adjusted, run.diffusionPercent),
          m_taps(lightTaps(kernel, weightScale))
    {
    }

    // Every segment's pair by the full search over its eight pixels.
    void fullSearch()
    {
        std::array<PixelDistances, 8> d;
        for (int y = 0; y < pictureHeight; ++y) {
            const SerpentineScan scan(y);
            for (int n = 0; n < 32; ++n) {
                const int segment = scan.segment(n);
                for (int k = 0; k < 8; ++k)
                    m_palette.distances(m_planes.target(8 * segment + k, y), d[k]);
                placeSegment(scan, y, segment, fullPairSearch(d.data(), 8, count(), m_palette.pairRoots()));
            }
            m_run.lineFinished(y);
        }
    }

    // The fast choice: the first colour from the first two pixels in scan order, which
    // takes it outright, then the second from the other seven.
    void fastChoice()
    {
        PixelDistances d0, d1;
        std::array<PixelDistances, 7> rest;
        for (int y = 0; y < pictureHeight; ++y) {
            const SerpentineScan scan(y);
            const int s = scan.step;
            for (int m = 0; m < 32; ++m) {
                const int segment = scan.segment(m);
                const int x0 = 8 * segment + (scan.rightToLeft ? 7 : 0);
                const Light first = m_planes.target(x0, y);
                m_palette.distances(first, d0);
                m_palette.distances(m_planes.target(x0 + s, y), d1);
                const int c1 = firstColourChoice(d0, d1, count());
                m_run.place(x0, y, c1);
                m_planes.spread(m_taps, x0, y, s, first - m_palette.light(c1));

                for (int i = 1; i < 8; ++i)
                    m_palette.distances(m_planes.target(x0 + s * i, y), rest[i - 1]);
                const ColourPair pair{c1, secondColourChoice(rest.data(), 7, c1, count(), m_palette.roots())};
                std::uint8_t pattern = 0;
                for (int i = 1; i < 8; ++i) {
                    const int x = x0 + s * i;
                    if (placePixel(x, y, s, pair))
                        pattern |= tms::bitMask[x - 8 * segment];
                }
                m_run.writeSegment(y, segment, pattern, pair);
            }
            m_run.lineFinished(y);
        }
    }

    // One pair per 8x8 block: its first line with the error so far, the seven below as
    // they are.
    void blockSearch()
    {
        std::array<PixelDistances, 64> d;
        std::array<ColourPair, 32> pairs;
        for (int b = 0; b < pictureHeight; b += 8) {
            for (int segment = 0; segment < 32; ++segment) {
                for (int k = 0; k < 8; ++k)
                    m_palette.distances(m_planes.target(8 * segment + k, b), d[k]);
                for (int r = 1; r < 8; ++r)
                    for (int k = 0; k < 8; ++k)
                        m_palette.distances(m_planes.source(8 * segment + k, b + r), d[8 * r + k]);
                pairs[segment] = fullPairSearch(d.data(), 64, count(), m_palette.pairRoots());
                m_run.report(std::nullopt);
            }
            for (int r = 0; r < 8; ++r) {
                const SerpentineScan scan(b + r);
                for (int n = 0; n < 32; ++n)
                    placeSegment(scan, b + r, scan.segment(n), pairs[scan.segment(n)]);
            }
            m_run.report(b + 8);
        }
    }

private:
    int count() const { return m_run.active.count; }

    bool placePixel(int x, int y, int s, ColourPair pair)
    {
        const Light target = m_planes.target(x, y);
        const bool second = m_palette.nearerToSecond(pair, target);
        const int chosen = second ? pair.c2 : pair.c1;
        m_run.place(x, y, chosen);
        m_planes.spread(m_taps, x, y, s, target - m_palette.light(chosen));
        return second;
    }

    void placeSegment(const SerpentineScan& scan, int y, int segment, ColourPair pair)
    {
        std::uint8_t pattern = 0;
        for (int m = 0; m < 8; ++m) {
            const int k = scan.pixel(m);
            if (placePixel(8 * segment + k, y, scan.step, pair))
                pattern |= tms::bitMask[k];
        }
        m_run.writeSegment(y, segment, pattern, pair);
    }

    DitherRun& m_run;
    LightPalette m_palette;
    LightPlanes m_planes;
    std::vector<LightTap> m_taps;
};

} // namespace

std::optional<DiffusionMethod> diffusionOf(Method method)
{
    switch (method) {
    case Method::FloydSteinberg: return DiffusionMethod{Procedure::FullSearch, KernelName::FloydSteinberg};
    case Method::FloydSteinbergFast: return DiffusionMethod{Procedure::FastChoice, KernelName::FloydSteinberg};
    case Method::FloydSteinberg8x8: return DiffusionMethod{Procedure::BlockSearch, KernelName::FloydSteinberg};
    case Method::Burkes: return DiffusionMethod{Procedure::FullSearch, KernelName::Burkes};
    case Method::Stucki: return DiffusionMethod{Procedure::FullSearch, KernelName::Stucki};
    case Method::Sierra: return DiffusionMethod{Procedure::FullSearch, KernelName::Sierra};
    case Method::JarvisJudiceNinke: return DiffusionMethod{Procedure::FullSearch, KernelName::JarvisJudiceNinke};
    case Method::StevensonArce: return DiffusionMethod{Procedure::FullSearch, KernelName::StevensonArce};
    case Method::DbSpecial: return DiffusionMethod{Procedure::FastChoice, KernelName::DbSpecial};
    case Method::TinySpecial: return DiffusionMethod{Procedure::FastChoice, KernelName::TinySpecial};
    default: return std::nullopt;
    }
}

bool diffuseInLinearLight(DitherRun& run, Method method, PairDistance distance)
{
    const std::optional<DiffusionMethod> diffusion = diffusionOf(method);
    if (!diffusion)
        return false;
    // The 8x8 method halves every weight, as it does in display values.
    const float weightScale = diffusion->procedure == Procedure::BlockSearch ? 0.5f : 1.0f;
    LightDiffusion light(run, kernel(diffusion->kernel), weightScale, distance);
    switch (diffusion->procedure) {
    case Procedure::FullSearch: light.fullSearch(); break;
    case Procedure::FastChoice: light.fastChoice(); break;
    case Procedure::BlockSearch: light.blockSearch(); break;
    }
    return true;
}

} // namespace dither
