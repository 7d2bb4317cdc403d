// The fast core against a plain, literal transcription of the methods that computes
// every distance afresh, in the order and precision the methods define. The core's
// precomputed distances, vectorised sums, share tables and integer projection test
// must not change a single byte.

#include "adjustment.h"
#include "colour_metrics.h"
#include "conversion.h"
#include "kernels.h"
#include "method_names.h"
#include "ordered_matrices.h"
#include "palettes.h"
#include "test_pictures.h"

#include <QtTest>
#include <cmath>
#include <map>

using namespace dither;

namespace {

float plainDistance(ColorValue a, ColorValue b)
{
    const int dr = redPart(a) - redPart(b), dg = greenPart(a) - greenPart(b), db = bluePart(a) - bluePart(b);
    return float(std::sqrt(double(dr * dr + dg * dg + db * db)));
}

int part(ColorValue c, int k)
{
    return k == 0 ? redPart(c) : k == 1 ? greenPart(c) : bluePart(c);
}

class LiteralConverter {
public:
    LiteralConverter(const Picture& source, const ConversionSettings& s)
        : adjusted(adjustPicture(source, s.gamma, s.brightness)), factor(s.diffusion / 100.0)
    {
        const tms::Palette palette = presetPalette(s.paletteMode);
        for (int c = 1; c <= 15; ++c)
            if (s.colours[c - 1]) {
                active.push_back(palette[c]);
                codes.push_back(c);
            }
        n = int(active.size());
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (i != j)
                    sq[i][j] = float(std::sqrt(double(plainDistance(active[i], active[j]))));
    }

    ConversionResult run(Method m, bool orderedError)
    {
        static const std::map<Method, KernelName> kernels{{Method::Burkes, KernelName::Burkes},
                                                          {Method::Stucki, KernelName::Stucki},
                                                          {Method::Sierra, KernelName::Sierra},
                                                          {Method::JarvisJudiceNinke, KernelName::JarvisJudiceNinke},
                                                          {Method::StevensonArce, KernelName::StevensonArce},
                                                          {Method::DbSpecial, KernelName::DbSpecial},
                                                          {Method::TinySpecial, KernelName::TinySpecial}};
        static const std::map<Method, MatrixName> matrices{
            {Method::Tritone, MatrixName::Tritone},     {Method::Ordered5, MatrixName::Level5},
            {Method::Ordered9, MatrixName::Level9},     {Method::Ordered17, MatrixName::Level17},
            {Method::Ordered17b, MatrixName::Level17b}, {Method::Ordered65, MatrixName::Level65},
            {Method::Ordered257, MatrixName::Level257}};
        const Kernel& k = kernel(kernels.count(m) ? kernels.at(m) : KernelName::FloydSteinberg);
        if (m == Method::Nearest)
            nearest();
        else if (matrices.count(m))
            ordered(orderedMatrix(matrices.at(m)), orderedError);
        else if (m == Method::FloydSteinbergFast || m == Method::DbSpecial || m == Method::TinySpecial)
            twoStepDiffusion(k);
        else
            diffusion(k, m == Method::FloydSteinberg8x8 ? 8 : 1);
        return out;
    }

private:
    Picture adjusted;
    double factor;
    std::vector<ColorValue> active;
    std::vector<int> codes;
    int n = 0;
    float sq[16][16] = {};
    std::vector<int> errors = std::vector<int>(3 * pictureSize, 0); // (y * 256 + x) * 3 + component
    ColorValue lineMap[256] = {};
    int current[3] = {};
    ConversionResult out;

    void mapErreur(int x, int y)
    {
        const ColorValue a = adjusted[pixelIndex(x, y)];
        const int* e = &errors[3 * pixelIndex(x, y)];
        lineMap[x] = RGB(std::clamp(redPart(a) + e[0], 0, 255), std::clamp(greenPart(a) + e[1], 0, 255),
                         std::clamp(bluePart(a) + e[2], 0, 255));
    }
    void errorFor(ColorValue c, int x)
    {
        for (int k = 0; k < 3; ++k)
            current[k] = int(std::nearbyint((part(lineMap[x], k) - part(c, k)) * factor));
    }
    void spread(const Kernel& k, int x, int y, int s, float scale)
    {
        const int half = (k.largeur - 1) / 2;
        for (int r = 0; r < k.hauteur; ++r)
            for (int j = r == 0 ? 1 : -half; j <= half; ++j)
                addError(x + s * j, y + r, k.filter[j + half][r] * scale);
    }
    void addError(int x, int y, float weight)
    {
        if (x >= 0 && x <= 255 && y >= 0 && y <= 191)
            for (int c = 0; c < 3; ++c)
                errors[3 * pixelIndex(x, y) + c] += int(std::floor(double(weight) * double(current[c])));
    }
    void write(int y, int s, int pattern, int c1, int c2)
    {
        const int index = (y & 248) * 32 + s * 8 + (y & 7);
        out.patternTable[index] = std::uint8_t(pattern);
        out.colourTable[index] = std::uint8_t(codes[c2] * 16 + codes[c1]);
    }
    std::pair<int, int> fullSearch(const std::vector<ColorValue>& p)
    {
        float best = 520200.0f;
        std::pair<int, int> pair{0, 1};
        for (int i = 0; i < n - 1; ++i)
            for (int j = i + 1; j < n; ++j) {
                float acc = 0;
                for (ColorValue q : p)
                    acc = acc + (plainDistance(active[i], q) + plainDistance(active[j], q));
                if (const float v = acc / sq[i][j]; best >= v) {
                    best = v;
                    pair = {i, j};
                }
            }
        return pair;
    }
    // Places pixel x of line y by the projection rule and spreads its error.
    bool project(const Kernel& k, int x, int y, int s, int c1, int c2, float scale)
    {
        mapErreur(x, y);
        const bool second = projectionRatio(active[c1], active[c2], lineMap[x]) > 0.5f;
        const ColorValue colour = active[second ? c2 : c1];
        out.picture[pixelIndex(x, y)] = colour;
        errorFor(colour, x);
        spread(k, x, y, s, scale);
        return second;
    }

    void nearest()
    {
        for (int y = 0; y < 192; ++y)
            for (int s = 0; s < 32; ++s) {
                auto p = [&](int k) { return adjusted[pixelIndex(8 * s + k, y)]; };
                float best = 60000.0f;
                int c1 = 0, c2 = 1;
                for (int i = 0; i < n - 1; ++i)
                    for (int j = i + 1; j < n; ++j) {
                        float v = 0;
                        for (int k = 0; k < 8; ++k)
                            v = v + std::min(plainDistance(active[i], p(k)), plainDistance(active[j], p(k)));
                        if (best >= v) {
                            best = v;
                            c1 = i;
                            c2 = j;
                        }
                    }
                int pattern = 0;
                for (int k = 0; k < 8; ++k) {
                    const bool second = plainDistance(active[c1], p(k)) >= plainDistance(active[c2], p(k));
                    out.picture[pixelIndex(8 * s + k, y)] = active[second ? c2 : c1];
                    pattern |= second ? 128 >> k : 0;
                }
                write(y, s, pattern, c1, c2);
            }
    }

    // Serpentine lines. With bands of 8 lines each segment's pair is chosen once per band,
    // before any pixel of it, from its first line with errors and seven lines as adjusted.
    void diffusion(const Kernel& k, int band)
    {
        for (int b = 0; b < 192; b += band) {
            std::pair<int, int> pairs[32];
            auto search = [&](int s) {
                std::vector<ColorValue> p;
                for (int i = 0; i < 8; ++i) {
                    mapErreur(8 * s + i, b);
                    p.push_back(lineMap[8 * s + i]);
                }
                for (int r = 1; r < band; ++r)
                    for (int i = 0; i < 8; ++i)
                        p.push_back(adjusted[pixelIndex(8 * s + i, b + r)]);
                pairs[s] = fullSearch(p);
            };
            for (int s = 0; band == 8 && s < 32; ++s)
                search(s);
            for (int y = b; y < b + band; ++y) {
                const int step = y % 2 == 0 ? -1 : 1;
                for (int m = 0; m < 32; ++m) {
                    const int s = step < 0 ? 31 - m : m;
                    if (band == 1)
                        search(s);
                    int pattern = 0;
                    for (int i = 0; i < 8; ++i) {
                        const int px = step < 0 ? 7 - i : i;
                        if (project(k, 8 * s + px, y, step, pairs[s].first, pairs[s].second, band == 8 ? 0.5f : 1.0f))
                            pattern |= 128 >> px;
                    }
                    write(y, s, pattern, pairs[s].first, pairs[s].second);
                }
            }
        }
    }

    // The fast methods: c1 from the segment's first two pixels, c2 against c1 from the other seven.
    void twoStepDiffusion(const Kernel& k)
    {
        for (int y = 0; y < 192; ++y) {
            const int step = y % 2 == 0 ? -1 : 1;
            for (int m = 0; m < 32; ++m) {
                const int s = step < 0 ? 31 - m : m, x0 = step < 0 ? 8 * s + 7 : 8 * s;
                mapErreur(x0, y);
                mapErreur(x0 + step, y);
                float best = 520200.0f;
                int c1 = 0, c2 = 0;
                for (int c = 0; c < n; ++c)
                    if (const float v =
                            3 * plainDistance(active[c], lineMap[x0]) + plainDistance(active[c], lineMap[x0 + step]);
                        v < best) {
                        best = v;
                        c1 = c;
                    }
                // The first pixel takes c1 outright.
                out.picture[pixelIndex(x0, y)] = active[c1];
                errorFor(active[c1], x0);
                spread(k, x0, y, step, 1.0f);
                for (int i = 1; i < 8; ++i)
                    mapErreur(x0 + step * i, y);
                best = 520200.0f;
                for (int c = 0; c < n; ++c) {
                    if (c == c1)
                        continue;
                    float acc = 0;
                    for (int i = 1; i < 8; ++i)
                        acc = acc
                              + (plainDistance(active[c1], lineMap[x0 + step * i])
                                 + plainDistance(active[c], lineMap[x0 + step * i]));
                    if (const float v = acc / sq[c1][c]; best >= v) {
                        best = v;
                        c2 = c;
                    }
                }
                int pattern = 0;
                for (int i = 1; i < 8; ++i)
                    if (project(k, x0 + step * i, y, step, c1, c2, 1.0f))
                        pattern |= 128 >> (x0 + step * i - 8 * s);
                write(y, s, pattern, c1, c2);
            }
        }
    }

    void ordered(const OrderedMatrix& matrix, bool e)
    {
        const int size = matrix.size, mask = int(std::sqrt(double(size))) - 1;
        for (int y = 0; y < 192; ++y)
            for (int s = 0; s < 32; ++s) {
                std::vector<ColorValue> p;
                for (int x = 8 * s; x < 8 * s + 8; ++x) {
                    if (e)
                        mapErreur(x, y);
                    else
                        lineMap[x] = adjusted[pixelIndex(x, y)];
                    p.push_back(lineMap[x]);
                }
                const auto [c1, c2] = fullSearch(p);
                int pattern = 0;
                for (int k = 0; k < 8; ++k) {
                    const int x = 8 * s + k;
                    float level = (size + 1) * projectionRatio(active[c1], active[c2], lineMap[x]);
                    level = !(level >= 0) ? 0 : level > size ? float(size) : level;
                    const bool second = !(matrix.at(x & mask, y & mask) > level);
                    out.picture[pixelIndex(x, y)] = active[second ? c2 : c1];
                    pattern |= second ? 128 >> k : 0;
                    if (e) {
                        errorFor(active[second ? c2 : c1], x);
                        addError(x, y + 1, 1.0f);
                    }
                }
                write(y, s, pattern, c1, c2);
            }
    }
};

} // namespace

Q_DECLARE_METATYPE(dither::ConversionSettings)

class TestReference : public QObject {
    Q_OBJECT
private slots:
    void sameBytesAsTheLiteralMethods_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<ConversionSettings>("settings");
        ConversionSettings plain, many, two, still;
        many.colours = dither_test::colours({1, 2, 6, 11, 14, 15});
        many.paletteMode = 1;
        many.gamma = 80;
        many.brightness = 10;
        many.diffusion = 33;
        two.colours = dither_test::colours({4, 9});
        two.gamma = 150;
        two.brightness = -30;
        two.diffusion = 100;
        still.diffusion = 0; // no error carried, also by the ordered methods with error
        for (int seed : {1, 2}) {
            QTest::addRow("picture %d, defaults", seed) << seed << plain;
            QTest::addRow("picture %d, six colours", seed) << seed << many;
            QTest::addRow("picture %d, two colours", seed) << seed << two;
        }
        QTest::addRow("picture 3, no diffusion") << 3 << still;
    }

    void sameBytesAsTheLiteralMethods()
    {
        QFETCH(int, seed);
        QFETCH(ConversionSettings, settings);
        const Picture picture = dither_test::noisyPicture(unsigned(seed));
        for (const MethodName& m : methodNames)
            for (bool orderedError : {false, true}) {
                if (orderedError && m.method < Method::Tritone)
                    continue;
                settings.method = m.method;
                settings.orderedError = orderedError;
                const auto fast = convert(picture, settings);
                QVERIFY(fast);
                const ConversionResult literal = LiteralConverter(picture, settings).run(m.method, orderedError);
                const QByteArray what = QByteArray(m.commandLineName) + (orderedError ? " with error" : "");
                QVERIFY2(fast->patternTable == literal.patternTable, what.constData());
                QVERIFY2(fast->colourTable == literal.colourTable, what.constData());
                QVERIFY2(fast->picture == literal.picture, what.constData());
            }
    }
};

QTEST_GUILESS_MAIN(TestReference)
#include "test_reference.moc"
