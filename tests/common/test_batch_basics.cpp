// What the four programs' command lines do alike, each run as the program itself the
// way a build server runs it (no display): --help and --version, a full standard output,
// a file-size limit, and a run whose second output cannot be written, which leaves the
// first output as it was and nothing else behind.

#include "program_run.h"
#include "test_files.h"
#include "write_failures.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString first = QStringLiteral("first.out"), second = QStringLiteral("folder.out");

} // namespace

class TestBatchBasics : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // The program's arguments with FIRST and SECOND for the two outputs.
    static QStringList filled(QStringList arguments)
    {
        arguments.replaceInStrings(QStringLiteral("FIRST"), first);
        arguments.replaceInStrings(QStringLiteral("SECOND"), second);
        return arguments;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QImage photo(64, 48, QImage::Format_RGB32);
        photo.fill(qRgb(200, 90, 30));
        QVERIFY(photo.save(dir.filePath("photo.png")));
        QVERIFY(QFile::copy(EXAMPLES_DIR "/landscape.pp", dir.filePath("picture.pp")));
    }

    // Every test runs once for each program.
    void initTestCase_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("binary");
        QTest::addColumn<QStringList>("firstOutput");  // writes more than 1 KB
        QTest::addColumn<QStringList>("secondOutput"); // SECOND is made a folder
        QTest::addColumn<QString>("input");            // a file in the test folder, or none
        QTest::addColumn<QString>("helpMentions");
        const auto row = [](const char* program, const char* binary, const QStringList& firstOutput,
                            const QStringList& secondOutput, const char* input, const char* helpMentions) {
            QTest::newRow(program) << QString(program) << QString(binary) << firstOutput << secondOutput
                                   << QString(input) << QString(helpMentions);
        };
        row("kardo3", KARDO3_BINARY, {"--export-c", "FIRST"}, {"--export-asm", "SECOND"}, "", "--export-c OUT.c");
        row("kardo2", KARDO2_BINARY, {"--export-c", "FIRST"}, {"--export-asm", "SECOND"}, "", "--write-prototype");
        row("easel", EASEL_BINARY, {"--save", "FIRST", "--full"}, {"--png", "SECOND"}, "picture.pp", "--png");
        row("dither", DITHER_BINARY, {"--pp", "FIRST"}, {"--bmp", "SECOND"}, "photo.png", "jarvis-judice-ninke");
    }

    void init()
    {
        for (const QString& name : {first, second}) {
            QFile::remove(dir.filePath(name));
            QDir(dir.filePath(name)).removeRecursively();
        }
    }

    void helpAndVersion()
    {
        QFETCH_GLOBAL(QString, program);
        QFETCH_GLOBAL(QString, binary);
        QFETCH_GLOBAL(QString, helpMentions);
        const ProgramRun help = runWithoutDisplay(binary, {"--help"}, dir.path());
        QCOMPARE(help.status, 0);
        QVERIFY2(help.out.startsWith("Usage: ") && help.out.contains(helpMentions), qPrintable(help.out));
        const ProgramRun version = runWithoutDisplay(binary, {"--version"}, dir.path());
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, program + " " SUITE_VERSION "\n");
        for (const QByteArray option : {"--help", "--version"}) { // a failed write is no success
            const ProgramRun full = runWithRawArguments(binary, {option}, dir.path(), ">/dev/full");
            QCOMPARE(full.status, 1);
            QCOMPARE(full.err, program + ": cannot write to standard output: disk full\n");
        }
    }

    void unwritableOutputsKeepTheOldFiles()
    {
        QFETCH_GLOBAL(QString, program);
        QFETCH_GLOBAL(QString, binary);
        QFETCH_GLOBAL(QStringList, firstOutput);
        QFETCH_GLOBAL(QStringList, secondOutput);
        QFETCH_GLOBAL(QString, input);
        const QStringList inputs = input.isEmpty() ? QStringList() : QStringList{input};
        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
        writeFile(dir.filePath(first), "old");
        QVERIFY(QDir(dir.path()).mkdir(second));
        ProgramRun run = runWithoutDisplay(binary, filled(firstOutput + secondOutput) + inputs, dir.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith(QStringLiteral("%1: Cannot write \"%2\": ").arg(program, second)),
                 qPrintable(run.err));
        QCOMPARE(readFile(dir.filePath(first)), QByteArray("old"));
        QStringList filesAfter = filesBefore + QStringList{first};
        filesAfter.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), filesAfter);

        // A file-size limit (ulimit -f) makes the write fail instead of killing the program.
        run = runWithoutDisplay(binary, filled(firstOutput) + inputs, dir.path(),
                                write_failures::fileSizeLimitInChild(1024));
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("%1: Cannot write \"%2\": File too large\n").arg(program, first));
        QCOMPARE(readFile(dir.filePath(first)), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(TestBatchBasics)
#include "test_batch_basics.moc"
