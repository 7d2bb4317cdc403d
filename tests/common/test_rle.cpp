#include "rle.h"

#include <QRandomGenerator>
#include <QtTest>

using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes encode(const Bytes& input) { return tms::RleEncode(input); }

// The pieces a run of `length` must be cut into, written out as the format's rule
// reads: 127s while 130 or more remain, then 125 for a rest of 127..129.
Bytes expectedRun(int length, std::uint8_t v)
{
    Bytes out;
    while (length >= 130) {
        out.insert(out.end(), {254, v});
        length -= 127;
    }
    if (length >= 127) {
        out.insert(out.end(), {252, v});
        length -= 125;
    }
    out.insert(out.end(), {std::uint8_t(length + 127), v});
    return out;
}

// Same for a literal of `values`: 128s while 131 or more remain, then 126 for 128..130.
Bytes expectedLiteral(const Bytes& values)
{
    Bytes out;
    std::size_t at = 0;
    auto piece = [&](std::size_t n) {
        out.push_back(std::uint8_t(n - 1));
        out.insert(out.end(), values.begin() + at, values.begin() + at + n);
        at += n;
    };
    while (values.size() - at >= 131)
        piece(128);
    if (values.size() - at >= 128)
        piece(126);
    if (values.size() > at)
        piece(values.size() - at);
    return out;
}

// Values where no two neighbours are equal.
Bytes distinctValues(int length, int first = 0)
{
    Bytes values;
    for (int i = 0; i < length; ++i)
        values.push_back(std::uint8_t((first + i) % 251));
    return values;
}

Bytes randomRunsAndLiterals(QRandomGenerator& random, int pieces)
{
    Bytes input;
    for (int p = 0; p < pieces; ++p) {
        const int length = random.bounded(1, 301);
        if (random.bounded(2) == 0) {
            input.insert(input.end(), std::size_t(length), std::uint8_t(random.bounded(256)));
        } else {
            for (int i = 0; i < length; ++i)
                input.push_back(std::uint8_t(random.bounded(256)));
        }
    }
    return input;
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

} // namespace

class TestRle : public QObject {
    Q_OBJECT
private slots:
    void documentedCases()
    {
        QCOMPARE(encode({5}), (Bytes{0, 5, 255}));
        QCOMPARE(encode({1, 1}), (Bytes{129, 1, 255}));
        QCOMPARE(encode({1, 2, 2, 3}), (Bytes{3, 1, 2, 2, 3, 255}));
        QCOMPARE(encode({1, 2, 2, 2, 3}), (Bytes{0, 1, 130, 2, 0, 3, 255}));
        QCOMPARE(encode({1, 2, 3, 3}), (Bytes{1, 1, 2, 129, 3, 255}));
        QCOMPARE(encode({1, 2, 3, 3, 3}), (Bytes{2, 1, 2, 3, 129, 3, 255}));
        QCOMPARE(encode({4, 4, 4, 5}), (Bytes{130, 4, 0, 5, 255}));
    }

    void blankNameTable()
    {
        const Bytes out = encode(Bytes(768, 0));
        QCOMPARE(out, (Bytes{254, 0, 254, 0, 254, 0, 254, 0, 254, 0, 254, 0, 133, 0, 255}));
    }

    void runOf256And127()
    {
        QCOMPARE(encode(Bytes(256, 9)), (Bytes{254, 9, 252, 9, 131, 9, 255}));
        QCOMPARE(encode(Bytes(127, 9)), (Bytes{252, 9, 129, 9, 255}));
        QCOMPARE(encode(Bytes(129, 9)), (Bytes{252, 9, 131, 9, 255}));
        QCOMPARE(encode(Bytes(130, 9)), (Bytes{254, 9, 130, 9, 255}));
    }

    void longLiterals()
    {
        const Bytes v128 = distinctValues(128);
        Bytes expected{125};
        expected.insert(expected.end(), v128.begin(), v128.begin() + 126);
        expected.insert(expected.end(), {1, v128[126], v128[127], 255});
        QCOMPARE(encode(v128), expected);
        QCOMPARE(expected.size(), std::size_t(131));

        const Bytes v131 = distinctValues(131);
        Bytes expected131{127};
        expected131.insert(expected131.end(), v131.begin(), v131.begin() + 128);
        expected131.insert(expected131.end(), {2, v131[128], v131[129], v131[130], 255});
        QCOMPARE(encode(v131), expected131);
    }

    void innerPairStaysLiteralButFinalPairIsRun()
    {
        // A pair in the middle of different values stays in the literal...
        QCOMPARE(encode({7, 8, 8, 9, 10}), (Bytes{4, 7, 8, 8, 9, 10, 255}));
        // ...a pair at the very start opens a run, as any repeat with no literal open.
        QCOMPARE(encode({8, 8, 9}), (Bytes{129, 8, 0, 9, 255}));
        // Three equal values closing the input: no cut at the second-to-last position,
        // so the first of them stays in the literal and the last two make the run.
        QCOMPARE(encode({1, 5, 5, 5}), (Bytes{1, 1, 5, 129, 5, 255}));
        // With one more value after them the three are cut out as a run.
        QCOMPARE(encode({1, 5, 5, 5, 6}), (Bytes{0, 1, 130, 5, 0, 6, 255}));
    }

    void everyRunLength()
    {
        for (int length = 1; length <= 300; ++length) {
            const Bytes out = encode(Bytes(std::size_t(length), 0xA5));
            const Bytes expected = length == 1 ? Bytes{0, 0xA5, 255} : concat({expectedRun(length, 0xA5), {255}});
            QVERIFY2(out == expected, qPrintable(QString("run of %1").arg(length)));
        }
    }

    void everyLiteralLength()
    {
        for (int length = 1; length <= 300; ++length) {
            const Bytes values = distinctValues(length, length);
            QVERIFY2(encode(values) == concat({expectedLiteral(values), {255}}),
                     qPrintable(QString("literal of %1").arg(length)));
        }
    }

    void runBetweenLiterals()
    {
        for (int length = 3; length <= 300; length += 7) {
            const Bytes head = distinctValues(5, 100);
            const Bytes tail = distinctValues(4, 1);
            const Bytes input = concat({head, Bytes(std::size_t(length), 0), tail});
            const Bytes expected = concat({expectedLiteral(head), expectedRun(length, 0), expectedLiteral(tail), {255}});
            QVERIFY2(encode(input) == expected, qPrintable(QString("run of %1 inside").arg(length)));
        }
    }

    void randomRoundTrips()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 2000; ++round) {
            const Bytes input = randomRunsAndLiterals(random, random.bounded(1, 12));
            const Bytes out = encode(input);
            QCOMPARE(out.back(), std::uint8_t(255));
            const auto decoded = tms::RleDecode(out);
            QVERIFY(decoded.has_value());
            QVERIFY(*decoded == input);
            // Never larger than the worst case the C export's buffer allows for.
            QVERIFY(out.size() <= input.size() + input.size() / 126 + 2);
        }
    }

    void fullTablesFitTheExportBuffer()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 200; ++round) {
            Bytes input(2048);
            for (auto& b : input)
                b = std::uint8_t(random.bounded(round % 2 ? 4 : 256)); // many short pairs, or noise
            QVERIFY(encode(input).size() <= 2101);
        }
    }

    void emptyInputIsEndCodeAlone() { QCOMPARE(encode({}), (Bytes{255})); }

    void decoderRefusesBrokenStreams()
    {
        QVERIFY(!tms::RleDecode(Bytes{}).has_value());
        QVERIFY(!tms::RleDecode(Bytes{0, 5}).has_value());      // no end code
        QVERIFY(!tms::RleDecode(Bytes{3, 1, 2, 255}).has_value()); // literal cut short
        QVERIFY(!tms::RleDecode(Bytes{130}).has_value());        // run without its value
        QVERIFY(!tms::RleDecode(Bytes{255, 0}).has_value());     // bytes after the end
        QCOMPARE(*tms::RleDecode(Bytes{130, 4, 0, 5, 255}), (Bytes{4, 4, 4, 5}));
    }
};

QTEST_GUILESS_MAIN(TestRle)
#include "test_rle.moc"
