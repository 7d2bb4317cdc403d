#include "asm_export.h"
#include "c_export.h"
#include "random_document.h"
#include "rle.h"

#include <QtTest>

using namespace tile;
using testdoc::hex2;

namespace {

QByteArray lines(const QStringList& list) { return (list.join("\r\n") + "\r\n").toLatin1(); }

// --- assembler, written out plainly ---

QStringList asmData(const std::vector<int>& values)
{
    QStringList out;
    for (std::size_t at = 0; at < values.size(); at += 16) {
        QStringList items;
        for (std::size_t i = at; i < at + 16; ++i)
            items << "$" + hex2(values[i]);
        out << "\t.byte " + items.join(",");
    }
    return out;
}

QByteArray expectedAsm(const TileDocument& d, bool sprites)
{
    QStringList l{"; ********************************************", "; *                                          *",
                  "; *     GRAPHICS TABLES                      *", "; *                                          *",
                  "; *     GENERATED WITH                       *", "",
                  "; *                                          *", "; ********************************************", ""};
    l << "" << "NAME:" << asmData(testdoc::names(d));
    l << "" << "PATTERN:" << asmData(testdoc::patterns(d));
    l << "" << "COLOR:" << asmData(testdoc::colors(d));
    if (sprites) {
        l << "" << "SPATTERN:" << asmData(testdoc::sprites(d));
        l << "" << "SATTRIB:" << ";      Y , X , No, Color";
        for (int s = 0; s < 64; ++s)
            l << "\t.byte $D0,$00,$" + hex2(4 * s) + ",$" + hex2(d.spriteColors[s]);
    }
    l << "" << "\t.end";
    return lines(l);
}

// --- C, written out plainly ---

// Values 16 to a line; the first line of a compressed table holds 15.
QStringList cLines(const std::vector<int>& values, std::size_t firstWidth)
{
    QStringList out;
    for (std::size_t at = 0, width = firstWidth; at < values.size(); at += width, width = 16) {
        QString line = " ";
        for (std::size_t i = at; i < at + width && i < values.size(); ++i)
            line += " 0x" + hex2(values[i]) + (i + 1 == values.size() ? "};" : ",");
        out << line;
    }
    return out;
}

QStringList cCompressed(const std::vector<int>& values)
{
    const std::vector<std::uint8_t> stream = tms::RleEncode(std::vector<std::uint8_t>(values.begin(), values.end()));
    return cLines(std::vector<int>(stream.begin(), stream.end()), 15);
}

QByteArray expectedC(const TileDocument& d, bool rle, int first, int last)
{
    QStringList l{"/********************************************/", "/*                                          */",
                  "/*   GRAPHICS TABLES  -  WIN KARDO v3.00    */", "/*                                          */"};
    if (rle)
        l << "/*        WARNING : RLE COMPRESSION         */" << "/*                                          */";
    l << "/********************************************/" << "" << "#include <coleco.h>";
    auto block = [&](const QString& name, const std::vector<int>& values) {
        l << "" << QString("byte %1%2[] = {").arg(name, rle ? "RLE" : "");
        l << (rle ? cCompressed(values) : cLines(values, 16));
    };
    block("NAME", rle ? testdoc::names(d, first, last) : testdoc::names(d));
    block("PATTERN", testdoc::patterns(d));
    block("COLOR", testdoc::colors(d));
    int lastSprite = -1;
    for (int s = 0; s < 64; ++s)
        for (int b = 0; b < 32; ++b)
            if (d.spritePatterns[s][b])
                lastSprite = s;
    if (lastSprite >= 0) {
        block("SPATTERN", testdoc::sprites(d, rle ? lastSprite + 1 : 64));
        l << "" << QString("int SPRITESINITSIZE = %1;").arg(4 * (lastSprite + 1));
        l << "" << "byte SPRITESINIT[] = {";
        for (int s = 0; s <= lastSprite; ++s)
            l << QString("  204, 0, %1, %2%3").arg(4 * s).arg(d.spriteColors[s]).arg(s == lastSprite ? "};" : ",");
    }
    return lines(l);
}

QString sixteenC(const char* value, bool closing)
{
    QString line = " ";
    for (int i = 0; i < 16; ++i)
        line += QString(" %1").arg(value) + (closing && i == 15 ? "};" : ",");
    return line;
}

} // namespace

class TestExports : public QObject {
    Q_OBJECT
private slots:
    void asmOutputs()
    {
        QCOMPARE(ExportAsm(TileDocument()), expectedAsm(TileDocument(), false)); // no sprites: no sprite sections
        for (quint32 seed : {3u, 4u}) {
            const TileDocument doc = testdoc::randomDocument(seed);
            QCOMPARE(ExportAsm(doc), expectedAsm(doc, true));
        }
        TileDocument doc;
        doc.spritePatterns[63][31] = 1; // one pixel in the last sprite brings both sections
        QCOMPARE(ExportAsm(doc), expectedAsm(doc, true));
        // A few lines written out in full, to anchor the plain writing above.
        const QByteArray reset = ExportAsm(TileDocument());
        QVERIFY(reset.contains("\r\n\r\n\r\nNAME:\r\n\t.byte $20,$20,$20,$20,$20,$20,$20,$20,$20,$20,$20,$20,$20,$20,$20,$20\r\n"));
        QVERIFY(reset.endsWith("$41\r\n\r\n\t.end\r\n"));
        QVERIFY(ExportAsm(doc).contains("\t.byte $D0,$00,$10,$0F\r\n")); // sprite 4
        QVERIFY(ExportAsm(doc).contains("\t.byte $D0,$00,$FC,$0F\r\n\r\n\t.end\r\n"));
    }

    void cOutputs()
    {
        std::vector<TileDocument> docs{TileDocument(), testdoc::randomDocument(8)};
        docs.emplace_back().spritePatterns[3][0] = 0x80; // only sprite 3 drawn
        // Tables with long runs and short literals give streams of many lengths.
        for (quint32 seed = 40; seed < 60; ++seed) {
            TileDocument& doc = docs.emplace_back();
            QRandomGenerator random(seed);
            for (int c = 0; c < 256; ++c)
                if (random.bounded(4) == 0)
                    doc.charPatterns[c][random.bounded(8)] = Byte(random.bounded(256));
            doc.spritePatterns[random.bounded(64)][random.bounded(32)] = 0x18;
        }
        for (const TileDocument& doc : docs) {
            QCOMPARE(ExportC(doc, {false, 5, 9}), expectedC(doc, false, 0, 23)); // the range needs compression
            for (auto [first, last] : {std::pair(0, 23), std::pair(5, 5), std::pair(3, 17), std::pair(23, 23)})
                QCOMPARE(ExportC(doc, {true, first, last}), expectedC(doc, true, first, last));
        }
        const QByteArray reset = ExportC(TileDocument(), {});
        QVERIFY(reset.startsWith("/********************************************/\r\n"));
        QVERIFY(reset.contains("byte NAME[] = {\r\n" + sixteenC("0x20", false).toLatin1() + "\r\n"));
        QVERIFY(reset.endsWith(sixteenC("0x41", true).toLatin1() + "\r\n"));
        // Six runs of 127 and one of 6 in one line of 15 values, and nothing more.
        QVERIFY(ExportC(TileDocument(), {true, 0, 23})
                    .contains("/*        WARNING : RLE COMPRESSION         */\r\n"
                              "/*                                          */\r\n"));
        QVERIFY(ExportC(TileDocument(), {true, 0, 23})
                    .contains("byte NAMERLE[] = {\r\n  0xFE, 0x20, 0xFE, 0x20, 0xFE, 0x20, 0xFE, 0x20, 0xFE, 0x20, "
                              "0xFE, 0x20, 0x85, 0x20, 0xFF};\r\n\r\nbyte PATTERNRLE[] = {\r\n"));
        for (bool rle : {false, true})
            QVERIFY(ExportC(docs[2], {rle, 0, 23})
                        .endsWith("\r\nint SPRITESINITSIZE = 16;\r\n\r\nbyte SPRITESINIT[] = {\r\n  204, 0, 0, 15,\r\n"
                                  "  204, 0, 4, 15,\r\n  204, 0, 8, 15,\r\n  204, 0, 12, 15};\r\n"));
        // Plain: all 64 sprites. Lines that start with two zero values: 128 of the
        // patterns, 127 of the sprites (the line with sprite 3's first bytes has 0x80).
        QCOMPARE(ExportC(docs[2], {false, 0, 23}).count("\r\n  0x00, 0x00"), 128 + 127);
    }

    void rowRangeIsChecked()
    {
        const TileDocument doc = testdoc::randomDocument(12);
        const QByteArray all = expectedC(doc, true, 0, 23);
        QCOMPARE(ExportC(doc, {true, 10, 4}), all);
        QCOMPARE(ExportC(doc, {true, -1, 30}), all);
        QCOMPARE(ExportC(doc, {true, 24, 5}), expectedC(doc, true, 0, 5));
        QCOMPARE(ExportC(doc, {true, 7, 99}), expectedC(doc, true, 7, 23));
    }

    void spriteColourAbove15IsWrittenAsKept()
    {
        TileDocument doc;
        doc.spritePatterns[0][0] = 1;
        doc.spriteColors[0] = 0xF3;
        QVERIFY(ExportC(doc, {}).contains("  204, 0, 0, 243};\r\n"));
        QVERIFY(ExportAsm(doc).contains("\t.byte $D0,$00,$00,$F3\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestExports)
#include "test_exports.moc"
