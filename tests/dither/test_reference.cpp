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

using namespace dither;

namespace {

float plainEcart(ColorValue a, ColorValue b)
{
    const int dr = rouge(a) - rouge(b), dg = vert(a) - vert(b), db = bleu(a) - bleu(b);
    return float(std::sqrt(double(dr * dr + dg * dg + db * db)));
}

class LiteralConverter {
public:
    LiteralConverter(const Picture& source, const ConversionSettings& s)
        : adjusted(calcul_adjusted_image(source, s.gamma, s.brightness))
        , factor(s.diffusion / 100.0)
    {
        const tms::Palette palette = init_palette(s.palette_mode);
        for (int c = 1; c <= 15; ++c)
            if (s.colours[c - 1]) {
                active.push_back(palette[c]);
                codes.push_back(c);
            }
        n = int(active.size());
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (i != j)
                    sq[i][j] = float(std::sqrt(double(plainEcart(active[i], active[j]))));
        errors.assign(3 * pictureSize, 0);
    }

    ConversionResult run(Method m, bool orderedError)
    {
        auto kernelOf = [](Method method) {
            switch (method) {
            case Method::Burkes: return KernelName::Burkes;
            case Method::Stucki: return KernelName::Stucki;
            case Method::Sierra: return KernelName::Sierra;
            case Method::JarvisJudiceNinke: return KernelName::JarvisJudiceNinke;
            case Method::StevensonArce: return KernelName::StevensonArce;
            case Method::DbSpecial: return KernelName::DbSpecial;
            case Method::TinySpecial: return KernelName::TinySpecial;
            default: return KernelName::FloydSteinberg;
            }
        };
        switch (m) {
        case Method::Nearest: nearest(); break;
        case Method::FloydSteinberg8x8: diffusion3(kernel(kernelOf(m))); break;
        case Method::FloydSteinbergFast:
        case Method::DbSpecial:
        case Method::TinySpecial: diffusion2(kernel(kernelOf(m))); break;
        case Method::Tritone: ordered(orderedMatrix(MatrixName::Tritone), orderedError); break;
        case Method::Ordered5: ordered(orderedMatrix(MatrixName::Level5), orderedError); break;
        case Method::Ordered9: ordered(orderedMatrix(MatrixName::Level9), orderedError); break;
        case Method::Ordered17: ordered(orderedMatrix(MatrixName::Level17), orderedError); break;
        case Method::Ordered17b: ordered(orderedMatrix(MatrixName::Level17b), orderedError); break;
        case Method::Ordered65: ordered(orderedMatrix(MatrixName::Level65), orderedError); break;
        case Method::Ordered257: ordered(orderedMatrix(MatrixName::Level257), orderedError); break;
        default: diffusion1(kernel(kernelOf(m))); break;
        }
        return out;
    }

private:
    Picture adjusted;
    double factor;
    std::vector<ColorValue> active;
    std::vector<int> codes;
    int n = 0;
    float sq[16][16] = {};
    std::vector<int> errors; // (y * 256 + x) * 3 + component
    ColorValue lineMap[256] = {};
    int current[3] = {};
    ConversionResult out;

    void mapErreur(int x, int y)
    {
        const ColorValue a = adjusted[pixelIndex(x, y)];
        const int* e = &errors[3 * pixelIndex(x, y)];
        lineMap[x] = RGB(std::clamp(rouge(a) + e[0], 0, 255), std::clamp(vert(a) + e[1], 0, 255),
                         std::clamp(bleu(a) + e[2], 0, 255));
    }
    void lerreur(ColorValue c, int x)
    {
        current[0] = int(std::nearbyint((rouge(lineMap[x]) - rouge(c)) * factor));
        current[1] = int(std::nearbyint((vert(lineMap[x]) - vert(c)) * factor));
        current[2] = int(std::nearbyint((bleu(lineMap[x]) - bleu(c)) * factor));
    }
    void erreurs(int x, int y, float pourcent)
    {
        if (x < 0 || x > 255 || y < 0 || y > 191)
            return;
        for (int c = 0; c < 3; ++c)
            errors[3 * pixelIndex(x, y) + c] += int(std::floor(double(pourcent) * double(current[c])));
    }
    void spread(const Kernel& k, int x, int y, int s, float scale)
    {
        const int half = (k.largeur - 1) / 2;
        for (int r = 0; r < k.hauteur; ++r)
            for (int j = -half; j <= half; ++j)
                if (!(r == 0 && j < 1))
                    erreurs(x + s * j, y + r, k.filter[j + half][r] * scale);
    }
    void write(int y, int s, int pattern, int c1, int c2)
    {
        const int index = (y & 248) * 32 + s * 8 + (y & 7);
        out.pattern_table[index] = std::uint8_t(pattern);
        out.colour_table[index] = std::uint8_t(codes[c2] * 16 + codes[c1]);
    }
    std::pair<int, int> fullSearch(const std::vector<ColorValue>& p)
    {
        float best = 520200.0f;
        std::pair<int, int> pair{0, 1};
        for (int i = 0; i < n - 1; ++i)
            for (int j = i + 1; j < n; ++j) {
                float acc = 0;
                for (ColorValue q : p)
                    acc = acc + (plainEcart(active[i], q) + plainEcart(active[j], q));
                const float v = acc / sq[i][j];
                if (best >= v) {
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
        const bool second = pourcentage(active[c1], active[c2], lineMap[x]) > 0.5f;
        const ColorValue colour = active[second ? c2 : c1];
        out.result_image[pixelIndex(x, y)] = colour;
        lerreur(colour, x);
        spread(k, x, y, s, scale);
        return second;
    }

    void nearest()
    {
        for (int y = 0; y < 192; ++y)
            for (int s = 0; s < 32; ++s) {
                float best = 60000.0f;
                int c1 = 0, c2 = 1;
                for (int i = 0; i < n - 1; ++i)
                    for (int j = i + 1; j < n; ++j) {
                        float v = 0;
                        for (int k = 0; k < 8; ++k) {
                            const ColorValue p = adjusted[pixelIndex(8 * s + k, y)];
                            v = v + std::min(plainEcart(active[i], p), plainEcart(active[j], p));
                        }
                        if (best >= v) {
                            best = v;
                            c1 = i;
                            c2 = j;
                        }
                    }
                int pattern = 0;
                for (int k = 0; k < 8; ++k) {
                    const ColorValue p = adjusted[pixelIndex(8 * s + k, y)];
                    const bool second = plainEcart(active[c1], p) >= plainEcart(active[c2], p);
                    out.result_image[pixelIndex(8 * s + k, y)] = active[second ? c2 : c1];
                    pattern |= second ? 128 >> k : 0;
                }
                write(y, s, pattern, c1, c2);
            }
    }

    void diffusion1(const Kernel& k)
    {
        for (int y = 0; y < 192; ++y) {
            const bool rtl = y % 2 == 0;
            const int step = rtl ? -1 : 1;
            for (int m = 0; m < 32; ++m) {
                const int s = rtl ? 31 - m : m;
                std::vector<ColorValue> p;
                for (int i = 0; i < 8; ++i) {
                    mapErreur(8 * s + i, y);
                    p.push_back(lineMap[8 * s + i]);
                }
                const auto [c1, c2] = fullSearch(p);
                int pattern = 0;
                for (int i = 0; i < 8; ++i) {
                    const int px = rtl ? 7 - i : i;
                    if (project(k, 8 * s + px, y, step, c1, c2, 1.0f))
                        pattern |= 128 >> px;
                }
                write(y, s, pattern, c1, c2);
            }
        }
    }

    void diffusion2(const Kernel& k)
    {
        for (int y = 0; y < 192; ++y) {
            const bool rtl = y % 2 == 0;
            const int step = rtl ? -1 : 1;
            for (int m = 0; m < 32; ++m) {
                const int s = rtl ? 31 - m : m;
                const int x0 = rtl ? 8 * s + 7 : 8 * s, x1 = x0 + step;
                mapErreur(x0, y);
                mapErreur(x1, y);
                float best = 520200.0f;
                int c1 = 0;
                for (int c = 0; c < n; ++c) {
                    const float v = 3 * plainEcart(active[c], lineMap[x0]) + plainEcart(active[c], lineMap[x1]);
                    if (v < best) {
                        best = v;
                        c1 = c;
                    }
                }
                out.result_image[pixelIndex(x0, y)] = active[c1];
                lerreur(active[c1], x0);
                spread(k, x0, y, step, 1.0f);
                for (int i = 1; i < 8; ++i)
                    mapErreur(x0 + step * i, y);
                best = 520200.0f;
                int c2 = 0;
                for (int c = 0; c < n; ++c) {
                    if (c == c1)
                        continue;
                    float acc = 0;
                    for (int i = 1; i < 8; ++i)
                        acc = acc + (plainEcart(active[c1], lineMap[x0 + step * i]) +
                                     plainEcart(active[c], lineMap[x0 + step * i]));
                    const float v = acc / sq[c1][c];
                    if (best >= v) {
                        best = v;
                        c2 = c;
                    }
                }
                int pattern = 0;
                for (int i = 1; i < 8; ++i) {
                    const int x = x0 + step * i;
                    if (project(k, x, y, step, c1, c2, 1.0f))
                        pattern |= 128 >> (x - 8 * s);
                }
                write(y, s, pattern, c1, c2);
            }
        }
    }

    void diffusion3(const Kernel& k)
    {
        for (int b = 0; b < 192; b += 8) {
            std::pair<int, int> pairs[32];
            for (int s = 0; s < 32; ++s) {
                std::vector<ColorValue> p;
                for (int i = 0; i < 8; ++i) {
                    mapErreur(8 * s + i, b);
                    p.push_back(lineMap[8 * s + i]);
                }
                for (int r = 1; r < 8; ++r)
                    for (int i = 0; i < 8; ++i)
                        p.push_back(adjusted[pixelIndex(8 * s + i, b + r)]);
                pairs[s] = fullSearch(p);
            }
            for (int r = 0; r < 8; ++r) {
                const int y = b + r;
                const bool rtl = r % 2 == 0;
                const int step = rtl ? -1 : 1;
                for (int m = 0; m < 32; ++m) {
                    const int s = rtl ? 31 - m : m;
                    int pattern = 0;
                    for (int i = 0; i < 8; ++i) {
                        const int px = rtl ? 7 - i : i;
                        if (project(k, 8 * s + px, y, step, pairs[s].first, pairs[s].second, 0.5f))
                            pattern |= 128 >> px;
                    }
                    write(y, s, pattern, pairs[s].first, pairs[s].second);
                }
            }
        }
    }

    void ordered(const OrderedMatrix& matrix, bool e)
    {
        const int size = matrix.size, mask = int(std::sqrt(double(size))) - 1;
        for (int y = 0; y < 192; ++y)
            for (int s = 0; s < 32; ++s) {
                std::vector<ColorValue> p;
                for (int k = 0; k < 8; ++k) {
                    const int x = 8 * s + k;
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
                    float level = (size + 1) * pourcentage(active[c1], active[c2], lineMap[x]);
                    if (!(level >= 0))
                        level = 0;
                    if (level > size)
                        level = float(size);
                    const bool second = !(matrix.at(x & mask, y & mask) > level);
                    const ColorValue colour = active[second ? c2 : c1];
                    out.result_image[pixelIndex(x, y)] = colour;
                    pattern |= second ? 128 >> k : 0;
                    if (e) {
                        lerreur(colour, x);
                        erreurs(x, y + 1, 1.0f);
                    }
                }
                write(y, s, pattern, c1, c2);
            }
    }
};

} // namespace

class TestReference : public QObject {
    Q_OBJECT
private slots:
    void sameBytesAsTheLiteralMethods_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("optionSet");
        for (int seed : {1, 2})
            for (int optionSet : {0, 1, 2})
                QTest::newRow(qPrintable(QStringLiteral("picture %1, options %2").arg(seed).arg(optionSet)))
                    << seed << optionSet;
    }

    void sameBytesAsTheLiteralMethods()
    {
        QFETCH(int, seed);
        QFETCH(int, optionSet);
        const Picture picture = dither_test::noisyPicture(unsigned(seed));
        ConversionSettings s;
        if (optionSet == 1) {
            s.colours = dither_test::colours({1, 2, 6, 11, 14, 15});
            s.palette_mode = 1;
            s.gamma = 80;
            s.brightness = 10;
            s.diffusion = 33;
        } else if (optionSet == 2) {
            s.colours = dither_test::colours({4, 9});
            s.gamma = 150;
            s.brightness = -30;
            s.diffusion = 100;
        }
        for (const MethodName& m : methodNames)
            for (bool orderedError : {false, true}) {
                if (orderedError && m.method < Method::Tritone)
                    continue;
                s.method = m.method;
                s.orderedError = orderedError;
                const auto fast = convert(picture, s);
                const ConversionResult literal = LiteralConverter(picture, s).run(m.method, orderedError);
                QVERIFY(fast);
                const QByteArray what = QByteArray(m.commandLineName) + (orderedError ? " with error" : "");
                QVERIFY2(fast->pattern_table == literal.pattern_table, what.constData());
                QVERIFY2(fast->colour_table == literal.colour_table, what.constData());
                QVERIFY2(fast->result_image == literal.result_image, what.constData());
            }
    }
};

QTEST_GUILESS_MAIN(TestReference)
#include "test_reference.moc"
