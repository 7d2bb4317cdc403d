// Every export of kardo3, kardo2 and easel built by the real tools: pasmo and z80asm take
// the db syntax, sdasz80 and sdldz80 the sdas syntax (and sdcc links C against it), gcc
// and sdcc compile the stdint style without a warning. The bytes the tools produce are
// the tables the dot file lists, and the compressed tables (sources and binary files)
// unpack, through the independent decoders of the tests, to the raw tables.

#include "batch_command.h"
#include "kardo_run.h"
#include "lz_decoders.h"
#include "pack_colors.h"
#include "picture.h"
#include "powerpaint.h"
#include "project_file.h"
#include "random_document.h"
#include "rle.h"
#include "test_files.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using Bytes = std::vector<std::uint8_t>;

namespace {

enum class Program { Kardo3, Kardo2, Easel };

tile::Edition editionOf(Program program)
{
    return program == Program::Kardo3 ? tile::Edition::ScreenMode2 : tile::Edition::ScreenMode1;
}

ProgramRun runProgram(Program program, const QStringList& arguments)
{
    return program == Program::Easel ? runInProcess(QStringLiteral("easel"), paint::runBatch, arguments)
                                     : kardo(arguments, editionOf(program));
}

// A document with sprites 0..39 drawn, so that compressed sprite tables stop at 39.
tile::TileDocument tileDocument(tile::Edition edition)
{
    tile::TileDocument doc = testdoc::randomDocument(21, true, edition);
    for (int sprite = 40; sprite < tile::spriteCount; ++sprite)
        doc.spritePatterns[sprite] = {};
    for (int c = 0; c < 128; ++c) // half the characters blank: runs to compress
        doc.charPatterns[c] = {};
    return doc;
}

// Runs a tool of the toolchain in folder; fails the test when the tool is missing.
struct ToolRun {
    bool started = false;
    int status = -1;
    QByteArray out;
    QString err;
};

ToolRun tool(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    ToolRun run;
    run.started = process.waitForStarted(20000);
    if (!run.started)
        return run;
    process.waitForFinished(60000);
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

#define RUN_TOOL(run, program, arguments, folder)                                                                      \
    const ToolRun run = tool(program, arguments, folder);                                                              \
    QVERIFY2(run.started, qPrintable(QStringLiteral("%1 is missing: ./setup.sh --toolchain installs it (./test.sh "    \
                                                    "does)")                                                           \
                                         .arg(program)));                                                              \
    QVERIFY2(run.status == 0, qPrintable(QStringLiteral("%1 %2: %3%4")                                                 \
                                             .arg(program, QStringList(arguments).join(' '), run.err,                  \
                                                  QString::fromLocal8Bit(run.out))));

Bytes toBytes(const QByteArray& data)
{
    return Bytes(data.begin(), data.end());
}

// The values of the dot file's ".byte $hh" lines, in order.
Bytes dotFileBytes(const QByteArray& text)
{
    Bytes bytes;
    for (const QString& line : QString::fromLatin1(text).split(QStringLiteral("\r\n")))
        if (line.startsWith(QStringLiteral("\t.byte ")))
            for (const QString& value : line.mid(7).split(QLatin1Char(',')))
                bytes.push_back(std::uint8_t(value.mid(1).toInt(nullptr, 16)));
    return bytes;
}

// The data of an Intel hex file whose records run on from address 0.
Bytes intelHexBytes(const QByteArray& text)
{
    Bytes bytes;
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray record = line.trimmed();
        if (record.size() < 11 || record[0] != ':' || record.mid(7, 2) != "00")
            continue;
        const int count = record.mid(1, 2).toInt(nullptr, 16);
        const int address = record.mid(3, 4).toInt(nullptr, 16);
        if (address != int(bytes.size()))
            return {};
        for (int i = 0; i < count; ++i)
            bytes.push_back(std::uint8_t(record.mid(9 + 2 * i, 2).toInt(nullptr, 16)));
    }
    return bytes;
}

std::optional<Bytes> unpack(const QString& codec, const Bytes& stream)
{
    if (codec == QLatin1String("none"))
        return stream;
    if (codec == QLatin1String("rle"))
        return tms::RleDecode(stream);
    if (codec == QLatin1String("zx0"))
        return lz_test::zx0Decode(stream);
    return lz_test::pletterDecode(stream);
}

struct Fixture {
    QTemporaryDir dir;
    QString input; // the program's input file
    // What each source table must unpack to, by the table's name without the codec's suffix.
    std::map<QString, Bytes> expected;

    explicit Fixture(Program program)
    {
        if (program == Program::Easel) {
            input = QStringLiteral(EXAMPLES_DIR "/landscape.pp");
            paint::Picture picture;
            tms::powerpaint::decode(readFile(input), picture.bitmapPatterns, picture.bitmapColors);
            paint::packColors(picture); // the sources hold the normalised tables
            expected[QStringLiteral("LIMAGE_COLOR")] = Bytes(picture.bitmapColors.begin(), picture.bitmapColors.end());
            expected[QStringLiteral("LIMAGE_PATTERN")] =
                Bytes(picture.bitmapPatterns.begin(), picture.bitmapPatterns.end());
            return;
        }
        const tile::TileDocument doc = tileDocument(editionOf(program));
        input = dir.filePath(QStringLiteral("in.dat"));
        writeFile(input, tile::projectFileBytes(doc));
        const auto bytes = [](const std::vector<int>& values) { return Bytes(values.begin(), values.end()); };
        expected[QStringLiteral("NAME")] = bytes(testdoc::names(doc));
        expected[QStringLiteral("PATTERN")] = bytes(testdoc::patterns(doc));
        expected[QStringLiteral("COLOR")] = bytes(testdoc::colors(doc));
        expected[QStringLiteral("SPATTERN")] = bytes(testdoc::sprites(doc, 40)); // compressed: up to the last drawn
        Bytes attributes;
        for (int s = 0; s < 40; ++s)
            attributes.insert(attributes.end(), {204, 0, std::uint8_t(4 * s), doc.spriteColors[s]});
        expected[QStringLiteral("SPRITESINIT")] = attributes;
    }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

void programRows()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<QString>("codec");
    for (const char* codec : {"none", "rle", "zx0", "pletter"}) {
        QTest::newRow(qPrintable(QStringLiteral("kardo3 %1").arg(codec))) << int(Program::Kardo3) << codec;
        QTest::newRow(qPrintable(QStringLiteral("kardo2 %1").arg(codec))) << int(Program::Kardo2) << codec;
        QTest::newRow(qPrintable(QStringLiteral("easel %1").arg(codec))) << int(Program::Easel) << codec;
    }
}

} // namespace

class TestToolchain : public QObject {
    Q_OBJECT
private slots:
    void assemblersBuildEveryExport_data() { programRows(); }
    void assemblersBuildEveryExport()
    {
        QFETCH(int, program);
        QFETCH(QString, codec);
        const Fixture f{Program(program)};
        const ProgramRun run =
            runProgram(Program(program), {"--export-asm", f.path("dot.asm"), "--compress", codec, "--export-asm",
                                          f.path("db.asm"), "--asm-syntax", "db", "--compress", codec, "--export-asm",
                                          f.path("sdas.asm"), "--asm-syntax", "sdas", "--compress", codec, f.input});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const Bytes listed = dotFileBytes(readFile(f.path("dot.asm")));
        QVERIFY(!listed.empty());

        RUN_TOOL(pasmo, "pasmo", (QStringList{"db.asm", "pasmo.bin"}), f.dir.path());
        QVERIFY(toBytes(readFile(f.path("pasmo.bin"))) == listed);
        RUN_TOOL(z80asm, "z80asm", (QStringList{"-o", "z80asm.bin", "db.asm"}), f.dir.path());
        QVERIFY(toBytes(readFile(f.path("z80asm.bin"))) == listed);
        RUN_TOOL(sdas, "sdasz80", (QStringList{"-o", "sdas.rel", "sdas.asm"}), f.dir.path());
        RUN_TOOL(sdld, "sdldz80", (QStringList{"-i", "sdas.ihx", "sdas.rel"}), f.dir.path());
        QVERIFY(intelHexBytes(readFile(f.path("sdas.ihx"))) == listed);

        // C code reaches every table by its name: the link fails on any undefined one.
        QStringList names;
        for (const QString& line : QString::fromLatin1(readFile(f.path("sdas.asm"))).split(QStringLiteral("\r\n")))
            if (line.startsWith(QStringLiteral("\t.globl _")))
                names << line.mid(9);
        QVERIFY(names.size() >= 1);
        QByteArray main = "#include <stdint.h>\n";
        for (const QString& name : names)
            main += "extern const uint8_t " + name.toLatin1() + "[];\n";
        main += "uint8_t sum;\nvoid main(void) {\n";
        for (const QString& name : names)
            main += "    sum += " + name.toLatin1() + "[0];\n";
        main += "}\n";
        writeFile(f.path("main.c"), main);
        RUN_TOOL(sdccMain, "sdcc", (QStringList{"-mz80", "--no-std-crt0", "-c", "main.c"}), f.dir.path());
        RUN_TOOL(
            sdccLink, "sdcc",
            (QStringList{"-mz80", "--no-std-crt0", "--code-loc", "0x8000", "main.rel", "sdas.rel", "-o", "game.ihx"}),
            f.dir.path());
        QVERIFY2(!sdccLink.err.contains("Undefined"), qPrintable(sdccLink.err));
    }

    void compilersBuildTheStdintStyle_data() { programRows(); }
    void compilersBuildTheStdintStyle()
    {
        QFETCH(int, program);
        QFETCH(QString, codec);
        const Fixture f{Program(program)};
        const ProgramRun run =
            runProgram(Program(program),
                       {"--export-c", f.path("tables.c"), "--c-style", "stdint", "--compress", codec, "--export-bin",
                        f.path("raw"), "--export-bin", f.path("packed"), "--compress", codec, f.input});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(QFile::exists(f.path("tables.h")));

        // The raw tables beside their compressed forms, which unpack to them.
        const bool easel = Program(program) == Program::Easel;
        const QStringList extensions =
            easel ? QStringList{".pat", ".col", ".nam"} : QStringList{".nam", ".pat", ".col", ".spr", ".spc"};
        const QString suffix = codec == QLatin1String("none")      ? QString()
                               : codec == QLatin1String("pletter") ? QStringLiteral(".plet")
                                                                   : "." + codec;
        for (const QString& extension : extensions) {
            const Bytes raw = toBytes(readFile(f.path("raw") + extension));
            const std::optional<Bytes> unpacked =
                unpack(codec, toBytes(readFile(f.path("packed") + extension + suffix)));
            QVERIFY2(unpacked && *unpacked == raw, qPrintable(extension));
        }
        if (!easel) {
            QCOMPARE(QFileInfo(f.path("raw.col")).size(), Program(program) == Program::Kardo2 ? 32 : 2048);
            QCOMPARE(QFileInfo(f.path("raw.spr")).size(), 2048);
            QCOMPARE(QFileInfo(f.path("raw.spc")).size(), 64);
            for (auto [extension, table] : {std::pair{".nam", "NAME"}, {".pat", "PATTERN"}, {".col", "COLOR"}})
                QVERIFY2(toBytes(readFile(f.path("raw") + extension)) == f.expected.at(table), table);
        }

        RUN_TOOL(gcc, "gcc", (QStringList{"-std=c99", "-Wall", "-Wextra", "-Werror", "-c", "tables.c"}), f.dir.path());
        RUN_TOOL(sdcc, "sdcc", (QStringList{"-mz80", "-c", "tables.c"}), f.dir.path());
        QVERIFY2(!sdcc.err.contains("warning", Qt::CaseInsensitive), qPrintable(sdcc.err));

        // A program built against the header writes every table out, sized by its NAME_SIZE.
        static const QRegularExpression declaration(QStringLiteral("extern const uint8_t (\\w+)\\[(\\w+)\\];"));
        QStringList names;
        QByteArray dump = "#include <stdio.h>\n#include \"tables.h\"\nint main(void)\n{\n";
        for (const QRegularExpressionMatch& m :
             declaration.globalMatch(QString::fromLatin1(readFile(f.path("tables.h"))))) {
            names << m.captured(1);
            dump += QStringLiteral("    fwrite(%1, 1, %2, stdout);\n").arg(m.captured(1), m.captured(2)).toLatin1();
        }
        dump += "    return 0;\n}\n";
        writeFile(f.path("dump.c"), dump);
        RUN_TOOL(build, "gcc",
                 (QStringList{"-std=c99", "-Wall", "-Wextra", "-Werror", "-o", "dump", "dump.c", "tables.c"}),
                 f.dir.path());
        RUN_TOOL(dumped, f.path("dump"), QStringList(), f.dir.path());

        // Split the output by the sizes in the header and unpack each compressed table.
        const QString header = QString::fromLatin1(readFile(f.path("tables.h")));
        std::size_t at = 0;
        int checked = 0;
        for (const QString& name : names) {
            const QRegularExpressionMatch size =
                QRegularExpression(QStringLiteral("#define %1_SIZE (\\d+)").arg(name)).match(header);
            QVERIFY(size.hasMatch());
            const std::size_t length = size.captured(1).toUInt();
            QVERIFY(at + length <= std::size_t(dumped.out.size()));
            const Bytes stream(dumped.out.begin() + qsizetype(at), dumped.out.begin() + qsizetype(at + length));
            at += length;
            QString plainName = name;
            const bool compressed =
                !plainName.endsWith(QStringLiteral("SPRITESINIT")) && codec != QLatin1String("none");
            for (const char* suffix : {"RLE", "ZX0", "PLET"})
                if (plainName.endsWith(QLatin1String(suffix)) && !f.expected.count(plainName))
                    plainName.chop(int(qstrlen(suffix)));
            if (Program(program) == Program::Easel && codec == QLatin1String("rle")) {
                // One table: the colours, then the patterns, each closed by 255.
                const Bytes colors = f.expected.at(QStringLiteral("LIMAGE_COLOR"));
                const Bytes patterns = f.expected.at(QStringLiteral("LIMAGE_PATTERN"));
                Bytes both = tms::RleEncode(colors);
                const Bytes second = tms::RleEncode(patterns);
                both.insert(both.end(), second.begin(), second.end());
                QVERIFY(stream == both);
                ++checked;
                continue;
            }
            if (Program(program) == Program::Easel)
                plainName.prepend(QLatin1Char('L'));
            QVERIFY2(f.expected.count(plainName), qPrintable(name));
            const bool plainColors = Program(program) == Program::Kardo2 && plainName == QLatin1String("COLOR");
            const std::optional<Bytes> unpacked =
                unpack(compressed && !plainColors ? codec : QStringLiteral("none"), stream);
            Bytes wanted = f.expected.at(plainName);
            if (!compressed && plainName == QLatin1String("SPATTERN"))
                wanted.resize(2048, 0); // plain, all 64 sprites
            QVERIFY2(unpacked && *unpacked == wanted, qPrintable(name));
            ++checked;
        }
        QCOMPARE(at, std::size_t(dumped.out.size()));
        QVERIFY(checked >= (Program(program) == Program::Easel && codec == QLatin1String("rle") ? 1 : 2));
    }
};

QTEST_GUILESS_MAIN(TestToolchain)
#include "test_toolchain.moc"
