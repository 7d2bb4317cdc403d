// The ZX0 and Pletter encoders: every stream unpacks to its input through the small
// decoders of lz_decoders.h, and the streams are as short as an exhaustive search finds.

#include "lz_decoders.h"
#include "pletter.h"
#include "zx0.h"

#include <QRandomGenerator>
#include <QtTest>

#include <bit>
#include <map>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

int gammaBits(int value)
{
    return 2 * int(std::bit_width(unsigned(value))) - 1;
}

int matchLength(const Bytes& in, int position, int offset)
{
    int length = 0;
    while (position + length < int(in.size())
           && in[std::size_t(position + length)] == in[std::size_t(position + length - offset)])
        ++length;
    return length;
}

// The smallest ZX0 stream, by trying every element from every state (position, last
// offset, whether a literal block came last). Slow: for short inputs only.
std::size_t smallestZx0Size(const Bytes& in)
{
    const int n = int(in.size());
    enum Kind { AfterLiteral, AfterCopy, AtStart };
    using State = std::pair<int, int>; // offset, kind
    std::vector<std::map<State, int>> costs(std::size_t(n) + 1);
    costs[0][{1, AtStart}] = 0;
    auto offer = [&](int position, int offset, int kind, int cost) {
        auto [it, inserted] = costs[std::size_t(position)].try_emplace({offset, kind}, cost);
        if (!inserted && cost < it->second)
            it->second = cost;
    };
    for (int pos = 0; pos < n; ++pos) {
        for (const auto& [state, cost] : costs[std::size_t(pos)]) {
            const auto [offset, kind] = state;
            if (kind != AfterLiteral)
                for (int length = 1; pos + length <= n; ++length)
                    offer(pos + length, offset, AfterLiteral,
                          cost + (kind == AtStart ? 0 : 1) + gammaBits(length) + 8 * length);
            if (kind == AfterLiteral && offset <= pos)
                for (int length = 1; length <= matchLength(in, pos, offset); ++length)
                    offer(pos + length, offset, AfterCopy, cost + 1 + gammaBits(length));
            if (kind != AtStart)
                for (int o = 1; o <= pos; ++o)
                    for (int length = 2; length <= matchLength(in, pos, o); ++length)
                        offer(pos + length, o, AfterCopy,
                              cost + 1 + gammaBits(((o - 1) >> 7) + 1) + 7 + gammaBits(length - 1));
        }
    }
    int best = std::numeric_limits<int>::max();
    for (const auto& entry : costs[std::size_t(n)])
        best = std::min(best, entry.second + 1 + gammaBits(256));
    return std::size_t((best + 7) / 8);
}

// The smallest Pletter stream over all modes, trying every offset and length.
std::size_t smallestPletterSize(const Bytes& in)
{
    const int n = int(in.size());
    int best = std::numeric_limits<int>::max();
    for (int mode = 0; mode < 7; ++mode) {
        const int farthest = mode == 0 ? 256 : (1 << (mode + 8)) + 128;
        std::vector<int> rest(std::size_t(n) + 1, 0);
        for (int i = n - 1; i >= 1; --i) {
            int cost = 9 + rest[std::size_t(i + 1)];
            for (int o = 1; o <= std::min(i, farthest); ++o) {
                const int offsetBits = o <= 128 || mode == 0 ? 8 : 9 + mode;
                for (int length = 2; length <= matchLength(in, i, o); ++length)
                    cost = std::min(cost, 1 + gammaBits(length - 1) + offsetBits + rest[std::size_t(i + length)]);
            }
            rest[std::size_t(i)] = cost;
        }
        best = std::min(best, 3 + 8 + (n > 1 ? rest[1] : 0) + 33);
    }
    return std::size_t((best + 7) / 8);
}

Bytes randomBytes(QRandomGenerator& random, int length, int alphabet)
{
    Bytes bytes(static_cast<std::size_t>(length));
    for (std::uint8_t& b : bytes)
        b = std::uint8_t(random.bounded(alphabet));
    return bytes;
}

Bytes runs(QRandomGenerator& random, int length)
{
    Bytes bytes;
    while (int(bytes.size()) < length)
        bytes.insert(bytes.end(), std::size_t(random.bounded(1, 400)), std::uint8_t(random.bounded(4)));
    bytes.resize(std::size_t(length));
    return bytes;
}

} // namespace

class TestCodecs : public QObject {
    Q_OBJECT
private slots:
    void roundTrips_data()
    {
        QTest::addColumn<Bytes>("input");
        QRandomGenerator random(2026);
        QTest::newRow("empty") << Bytes{};
        QTest::newRow("one byte") << Bytes{0xA5};
        QTest::newRow("6144 zeros") << Bytes(6144, 0);
        QTest::newRow("6144 random") << randomBytes(random, 6144, 256);
        QTest::newRow("long runs") << runs(random, 6144);
        Bytes repeated = randomBytes(random, 300, 256);
        for (int copy = 0; copy < 40; ++copy) // far offsets of every size
            repeated.insert(repeated.end(), repeated.begin() + copy * 7, repeated.begin() + copy * 7 + 300);
        QTest::newRow("repeats at growing offsets") << repeated;
        Bytes farRepeat = randomBytes(random, 17000, 256);
        farRepeat.insert(farRepeat.end(), farRepeat.begin(), farRepeat.begin() + 500);
        QTest::newRow("repeat beyond the largest Pletter offset") << farRepeat;
    }

    void roundTrips()
    {
        QFETCH(Bytes, input);
        const Bytes zx0 = tms::zx0::encode(input);
        const std::optional<Bytes> fromZx0 = lz_test::zx0Decode(zx0, input.size() + 16);
        QVERIFY(fromZx0);
        QVERIFY(*fromZx0 == input);
        const Bytes pletter = tms::pletter::encode(input);
        const std::optional<Bytes> fromPletter = lz_test::pletterDecode(pletter, input.size() + 16);
        QVERIFY(fromPletter);
        QVERIFY(*fromPletter == input);
        QCOMPARE(zx0.empty(), input.empty());
        QCOMPARE(pletter.empty(), input.empty());
    }

    void knownStreams()
    {
        // One literal "1", the byte, then the end: flag 1 and 256 with inverted bits.
        QCOMPARE(tms::zx0::encode(Bytes{0x41}), (Bytes{0xD5, 0x41, 0x55, 0x60}));
        // Mode 0 and the first byte, then the end mark: 1, 1, fifteen times 0 1, then 0.
        QCOMPARE(tms::pletter::encode(Bytes{0x41}), (Bytes{0x1A, 0x41, 0xAA, 0xAA, 0xAA, 0xA0}));
    }

    // Against an exhaustive search on many short inputs: Pletter exactly, ZX0 within 1%.
    void streamsAreAsShortAsTheFormatAllows()
    {
        QRandomGenerator random(77);
        std::size_t zx0Total = 0, zx0Smallest = 0;
        for (int round = 0; round < 250; ++round) {
            const int length = random.bounded(1, 40);
            const Bytes input = randomBytes(random, length, round % 3 == 0 ? 2 : 4);
            zx0Total += tms::zx0::encode(input).size();
            zx0Smallest += smallestZx0Size(input);
            QCOMPARE(tms::pletter::encode(input).size(), smallestPletterSize(input));
        }
        QVERIFY2(zx0Total * 100 <= zx0Smallest * 101,
                 qPrintable(QStringLiteral("%1 bytes, smallest %2").arg(zx0Total).arg(zx0Smallest)));
    }
};

QTEST_GUILESS_MAIN(TestCodecs)
#include "test_codecs.moc"
