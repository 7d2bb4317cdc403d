// The batch mode of both editions: the command line run in-process, every malformed
// project and font file of the corpus (the run fails naming the file and writes nothing;
// the loader leaves the document alone unless the file supplied values: a project cut
// short keeps what it holds and says what it lacks), and a name that is not valid text.
// (The program under a file-size limit: tests/common's batch basics.)
#include "asm_export.h"
#include "c_export.h"
#include "font_file.h"
#include "kardo_run.h"
#include "malformed_inputs.h"
#include "project_file.h"
#include "prototype_writer.h"
#include "random_document.h"
#include "test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

class TestBatch : public QObject {
    Q_OBJECT
private slots:
    void outputsInOrderWithTheirOptions_data() { editionRows(); }
    void outputsInOrderWithTheirOptions()
    {
        QFETCH(int, edition);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const TileDocument doc = testdoc::randomDocument(77, true, Edition(edition));
        const TileDocument reset{Edition(edition)};
        writeFile("in.dat", projectFileBytes(doc));
        ProgramRun run = kardo({"-export-c", "plain.c", "--save", "out.dat", "--export-c", "rle.c", "--rle", "--rows",
                                "4:9", "--export-asm", "out.asm", "in.dat"},
                               Edition(edition));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(readFile("out.dat"), projectFileBytes(doc));
        QCOMPARE(readFile("plain.c"), exportC(doc, {}));
        QCOMPARE(readFile("rle.c"), exportC(doc, {true, 4, 9}));
        QCOMPARE(readFile("out.asm"), exportAsm(doc));
        // Before any --export-c, the options go to the first one; no input: the reset document.
        QCOMPARE(kardo({"--rle", "--export-c", "first.c", "--export-c", "second.c"}, Edition(edition)).status, 0);
        QCOMPARE(readFile("first.c"), exportC(reset, {true, 0, 23}));
        QCOMPARE(readFile("second.c"), exportC(reset, {}));

        // The format options set the export given just before them; "--compress rle" is
        // --rle, "none" undoes it. (What the other formats hold: the toolchain round trips.)
        QCOMPARE(kardo({"--export-c", "same.c", "--c-style", "coleco", "--compress", "rle", "--export-c", "none.c",
                        "--rle", "--compress", "none", "--export-asm", "dot.asm", "--asm-syntax", "dot", "in.dat"},
                       Edition(edition))
                     .status,
                 0);
        QCOMPARE(readFile("same.c"), exportC(doc, {true, 0, 23}));
        QCOMPARE(readFile("none.c"), readFile("plain.c"));
        QCOMPARE(readFile("dot.asm"), readFile("out.asm"));
        QCOMPARE(kardo({"--help"}, Edition(edition)).out.contains("--write-prototype IMAGE"),
                 Edition(edition) == Edition::ScreenMode1);
    }

    // kardo2 writes its tables into a cartridge image with the other outputs, or writes
    // nothing; it refuses a kardo3 project.
    void kardo2PrototypeAndModeTwoInput()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const TileDocument doc = testdoc::randomDocument(78, true, Edition::ScreenMode1);
        writeFile("in.dat", projectFileBytes(doc));
        writeFile("mode2.dat", projectFileBytes(testdoc::randomDocument(79)));
        const QByteArray image = QByteArray(1000, 'x') + "PROTOTYPE" + QByteArray(6991, 'y');
        writeFile("game.rom", image);
        ProgramRun run =
            kardo({"--save", "out.dat", "--write-prototype", "game.rom", "mode2.dat"}, Edition::ScreenMode1);
        QVERIFY2(run.status == 1 && run.err.contains("screen mode 2 project") && run.err.contains("kardo3"),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists("out.dat") && readFile("game.rom") == image);
        QCOMPARE(kardo({"--write-prototype", "game.rom"}).status, 2); // a kardo2 option only
        QCOMPARE(kardo({"--save", "out.dat", "--write-prototype", "game.rom", "in.dat"}, Edition::ScreenMode1).status,
                 0);
        QCOMPARE(readFile("out.dat").size(), 25110);
        QCOMPARE(readFile("game.rom"), image.left(1010) + prototypeTables(doc) + image.mid(1010 + 2848));

        // What is no cartridge image is named for what it is (the kinds: tests/common).
        QVERIFY(QDir().mkdir("folder.rom"));
        run = kardo({"--save", "other.dat", "--write-prototype", "folder.rom", "in.dat"}, Edition::ScreenMode1);
        QCOMPARE(run.err, QString("kardo2: The cartridge image \"folder.rom\" is a folder, not a regular file.\n"));
        QVERIFY(run.status == 1 && !QFile::exists("other.dat"));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        const QStringList c{"--export-c", "a.c", "--rows"};
        QTest::newRow("unknown") << QStringList{"--bogus"} << 2;
        QTest::newRow("no save path") << QStringList{"--save"} << 2;
        QTest::newRow("empty save path") << QStringList{"--save", ""} << 2;
        QTest::newRow("rle alone") << QStringList{"--rle"} << 2;
        QTest::newRow("nothing to do") << QStringList{"in.dat"} << 2;
        QTest::newRow("two inputs") << QStringList{"--save", "a.dat", "one.dat", "two.dat"} << 2;
        QTest::newRow("rows 5") << c + QStringList{"5"} << 2;
        QTest::newRow("rows 1:2:3") << c + QStringList{"1:2:3"} << 2;
        QTest::newRow("rows 5:3, exported as 0:23") << c + QStringList{"5:3"} << 0;
        QTest::newRow("compress before any export") << QStringList{"--compress", "zx0", "--export-c", "a.c"} << 2;
        QTest::newRow("c-style after asm") << QStringList{"--export-asm", "a.asm", "--c-style", "stdint"} << 2;
        QTest::newRow("asm-syntax after c") << QStringList{"--export-c", "a.c", "--asm-syntax", "db"} << 2;
        QTest::newRow("unknown codec") << QStringList{"--export-bin", "t", "--compress", "lzma"} << 2;
        QTest::newRow("empty prefix") << QStringList{"--export-bin", ""} << 2;
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const ProgramRun run = kardo(args);
        QCOMPARE(run.status, status);
        if (status == 2) {
            QVERIFY2(run.err.startsWith("kardo3: ") && run.err.contains("try 'kardo3 --help'"), qPrintable(run.err));
            QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // nothing written
        }
    }

    // A name that is not valid UTF-8 is refused as given, never written under another.
    void refusesNamesThatAreNotValidText()
    {
        QTemporaryDir dir;
        const QString program = QDir(QCoreApplication::applicationDirPath()).filePath("kardo3");
        const ProgramRun run = runWithRawArguments(program, {"--save", "new\xe9.dat"}, dir.path());
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QString("kardo3: cannot take \"new\\xE9.dat\" from the command line: it is not valid "
                                  "in the system's character encoding; rename the file\n"));
        QVERIFY(folderIsEmpty(dir.path()));
    }

    void refused_data() { addMalformedRows(QStringLiteral("kardo3")); }

    void refused()
    {
        QFETCH(QString, path);
        TileDocument doc;
        doc.charPatterns[65].fill(0x5A);
        doc.modified = true;
        const TileDocument before = doc;
        const bool font = path.endsWith(QStringLiteral(".fcv"));
        if (font) {
            const FontLoad load = loadFontFile(path, doc);
            QVERIFY(!load.ok && !load.message.isEmpty());
            QVERIFY(doc.sameTablesAs(before) && doc.modified);
        } else {
            const ProjectLoad load = loadProjectFile(path, doc);
            QVERIFY(!load.ok() && !load.message.isEmpty());
            if (load.outcome == ProjectLoad::Outcome::Refused)
                QVERIFY(doc.sameTablesAs(before) && doc.modified);
        }

        QTemporaryDir out;
        tms::batch::CapturedConsole console(QStringLiteral("kardo3"));
        QStringList arguments{"kardo3", "--save",       out.filePath("out.dat"), "--export-c", out.filePath("out.c"),
                              "--rle",  "--export-asm", out.filePath("out.asm")};
        arguments.insert(font ? 1 : arguments.size(), path);
        if (font)
            arguments.insert(1, QStringLiteral("--font"));
        QCOMPARE(runBatch(arguments, console), 1);
        QVERIFY2(console.err.startsWith("kardo3: ") && console.err.contains(path), qPrintable(console.err));
        QVERIFY(folderIsEmpty(out.path()));
    }
};

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
