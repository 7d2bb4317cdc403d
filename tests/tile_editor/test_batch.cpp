// kardo3's batch mode: the command line run in-process, and once as the program itself
// without a display.
#include "asm_export.h"
#include "batch_command_line.h"
#include "c_export.h"
#include "program_run.h"
#include "project_file.h"
#include "random_document.h"
#include "test_files.h"
#include "write_failures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace tile;

namespace {

ProgramRun kardo(const QStringList& arguments)
{
    return runInProcess(QStringLiteral("kardo3"), runBatch, arguments);
}

} // namespace

class TestBatch : public QObject {
    Q_OBJECT
private slots:
    void outputsInOrderWithTheirOptions()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const TileDocument doc = testdoc::randomDocument(77);
        writeFile("in.dat", projectFileBytes(doc));
        ProgramRun run = kardo({"-export-c", "plain.c", "--save", "out.dat", "--export-c", "rle.c", "--rle", "--rows",
                                "4:9", "--export-asm", "out.asm", "in.dat"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(readFile("out.dat"), projectFileBytes(doc));
        QCOMPARE(readFile("plain.c"), ExportC(doc, {}));
        QCOMPARE(readFile("rle.c"), ExportC(doc, {true, 4, 9}));
        QCOMPARE(readFile("out.asm"), ExportAsm(doc));
        // Before any --export-c, the options go to the first one; no input: the reset document.
        QCOMPARE(kardo({"--rle", "--export-c", "first.c", "--export-c", "second.c"}).status, 0);
        QCOMPARE(readFile("first.c"), ExportC(TileDocument(), {true, 0, 23}));
        QCOMPARE(readFile("second.c"), ExportC(TileDocument(), {}));
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
        QTest::newRow("rows 9-2") << c + QStringList{"9-2"} << 2;
        QTest::newRow("rows 5:3, exported as 0:23") << c + QStringList{"5:3"} << 0;
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("version") << QStringList{"--version"} << 0;
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
            QVERIFY(run.err.startsWith("kardo3: "));
            QVERIFY(run.err.contains("try 'kardo3 --help'"));
            QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // nothing written
        }
    }

    // Malformed projects are refused with the corpus; here a path that is no regular file.
    void namedPipeInputWritesNothing()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QVERIFY(mkfifo("pipe.dat", 0600) == 0);
        const ProgramRun run = kardo({"--save", "out.dat", "--export-c", "out.c", dir.filePath("pipe.dat")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("it is a named pipe, not a regular file") && run.err.count("pipe.dat") == 1,
                 qPrintable(run.err));
        QVERIFY(QDir().entryList(QDir::Files).isEmpty());
    }

    // A run whose second output cannot be written leaves the first as it was.
    void unwritableOutputLeavesEveryOutputAsItWas_data()
    {
        QTest::addColumn<QString>("second");
        QTest::newRow("missing folder") << "no/such/folder/x.asm";
        QTest::newRow("folder") << "folder.asm";
        QTest::newRow("named pipe") << "pipe.asm";
    }

    void unwritableOutputLeavesEveryOutputAsItWas()
    {
        QFETCH(QString, second);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        writeFile("old.c", "old content");
        QVERIFY(QDir().mkdir("folder.asm"));
        QVERIFY(mkfifo("pipe.asm", 0600) == 0);
        const ProgramRun run = kardo({"--export-c", "old.c", "--export-asm", second, "--save", "new.dat"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith(QString("kardo3: Cannot write \"%1\": ").arg(second)), qPrintable(run.err));
        QCOMPARE(readFile("old.c"), QByteArray("old content"));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{"old.c"}); // no temporary files left
    }

    // The program itself, as a build server runs it: no display, and a file-size limit
    // (ulimit -f) that makes a write fail instead of killing the program.
    void runsWithoutADisplayAndReportsAFileSizeLimit()
    {
        QTemporaryDir dir;
        const QString program = QDir(QCoreApplication::applicationDirPath()).filePath("kardo3");
        const ProgramRun help = runWithoutDisplay(program, {"--help"}, dir.path());
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains("--export-c OUT.c [--rle] [--rows START:END]"));
        writeFile(dir.filePath("old.dat"), "old");
        const ProgramRun limited = runWithoutDisplay(program, {"--export-c", "small.c", "--rle", "--save", "old.dat"}, dir.path(),
                                                     write_failures::fileSizeLimitInChild(8192));
        QCOMPARE(limited.status, 1);
        QCOMPARE(limited.err, QString("kardo3: Cannot write \"old.dat\": File too large\n"));
        QCOMPARE(readFile(dir.filePath("old.dat")), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.dat"});
    }
};

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
