#include "rle.h"

#include <QtTest>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

Bytes encode(const Bytes& input)
{
    return tms::RleEncode(input);
}

// Values where no two neighbours are equal.
Bytes distinctValues(int length, int first = 0)
{
    Bytes values;
    for (int i = 0; i < length; ++i)
        values.push_back(std::uint8_t((first + i) % 251));
    return values;
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
    void knownStreams_data()
    {
        QTest::addColumn<Bytes>("input");
        QTest::addColumn<Bytes>("expected");
        QTest::newRow("empty: end code alone") << Bytes{} << Bytes{255};
        QTest::newRow("one value") << Bytes{5} << Bytes{0, 5, 255};
        QTest::newRow("pair") << Bytes{1, 1} << Bytes{129, 1, 255};
        QTest::newRow("inner pair stays literal") << Bytes{1, 2, 2, 3} << Bytes{3, 1, 2, 2, 3, 255};
        QTest::newRow("pair at the start is a run") << Bytes{8, 8, 9} << Bytes{129, 8, 0, 9, 255};
        QTest::newRow("inner three") << Bytes{1, 2, 2, 2, 3} << Bytes{0, 1, 130, 2, 0, 3, 255};
        QTest::newRow("final pair is a run") << Bytes{1, 2, 3, 3} << Bytes{1, 1, 2, 129, 3, 255};
        // Three equal values closing the input: no cut at the second-to-last position.
        QTest::newRow("final three") << Bytes{1, 2, 3, 3, 3} << Bytes{2, 1, 2, 3, 129, 3, 255};
        QTest::newRow("leading three") << Bytes{4, 4, 4, 5} << Bytes{130, 4, 0, 5, 255};
        QTest::newRow("blank name table")
            << Bytes(768, 0) << Bytes{254, 0, 254, 0, 254, 0, 254, 0, 254, 0, 254, 0, 133, 0, 255};
        QTest::newRow("run 256") << Bytes(256, 9) << Bytes{254, 9, 252, 9, 131, 9, 255};
        QTest::newRow("run 127") << Bytes(127, 9) << Bytes{252, 9, 129, 9, 255};
        QTest::newRow("run 129") << Bytes(129, 9) << Bytes{252, 9, 131, 9, 255};
        QTest::newRow("run 130") << Bytes(130, 9) << Bytes{254, 9, 130, 9, 255};
        QTest::newRow("run 257") << Bytes(257, 9) << Bytes{254, 9, 254, 9, 130, 9, 255};
        const Bytes v = distinctValues(131);
        QTest::newRow("literal 128") << Bytes(v.begin(), v.begin() + 128)
                                     << concat({{125}, Bytes(v.begin(), v.begin() + 126), {1, v[126], v[127], 255}});
        QTest::newRow("literal 130") << Bytes(v.begin(), v.begin() + 130)
                                     << concat({{125},
                                                Bytes(v.begin(), v.begin() + 126),
                                                {3, v[126], v[127], v[128], v[129], 255}});
        QTest::newRow("literal 131")
            << v << concat({{127}, Bytes(v.begin(), v.begin() + 128), {2, v[128], v[129], v[130], 255}});
    }

    void knownStreams()
    {
        QFETCH(Bytes, input);
        QFETCH(Bytes, expected);
        QCOMPARE(encode(input), expected);
        QCOMPARE(tms::RleDecode(expected).value(), input);
    }

    // Every length of run and literal, alone and between literals, decodes back.
    void everyRunAndLiteralLength()
    {
        const Bytes head = distinctValues(5, 100), tail = distinctValues(4, 1);
        for (int length = 1; length <= 300; ++length)
            for (const Bytes& input : {Bytes(std::size_t(length), 0xA5), distinctValues(length, length),
                                       concat({head, Bytes(std::size_t(length), 0), tail})}) {
                const Bytes out = encode(input);
                QVERIFY2(tms::RleDecode(out).value() == input, qPrintable(QString::number(length)));
                // Never larger than the worst case the C export's buffer allows for.
                QVERIFY(out.size() <= input.size() + input.size() / 126 + 2);
            }
    }
};

QTEST_GUILESS_MAIN(TestRle)
#include "test_rle.moc"
