#include "asm_export.h"
#include "test_files.h"
#include "batch_command_line.h"
#include "c_export.h"
#include "program_run.h"
#include "project_file.h"
#include "random_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

namespace {

using Run = ProgramRun;

Run runKardo(const QStringList& arguments, const QString& folder)
{
    return runWithoutDisplay(QDir(QCoreApplication::applicationDirPath()).filePath("kardo3"), arguments, folder);
}

auto parse(const QStringList& args)
{
    return parseBatchArguments(QStringList{"kardo3"} + args);
}

} // namespace

class TestBatch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QFile::exists(QDir(QCoreApplication::applicationDirPath()).filePath("kardo3"))); }

    void outputsInOrderWithTheirOptions()
    {
        const BatchPlan p = std::get<BatchPlan>(parse({"--export-c", "a.c", "--save", "a.dat", "--export-c", "b.c",
                                                       "--rle", "--rows", "3:7", "--export-asm", "a.asm", "in.dat"}));
        QCOMPARE(p.input, QString("in.dat"));
        QCOMPARE(int(p.outputs.size()), 4);
        QCOMPARE(p.outputs[0].path, QString("a.c"));
        QVERIFY(!p.outputs[0].cOptions.rle);
        QVERIFY(p.outputs[1].kind == BatchOutput::Kind::Project);
        QVERIFY(p.outputs[2].cOptions.rle);
        QCOMPARE(p.outputs[2].cOptions.startLine, 3);
        QCOMPARE(p.outputs[2].cOptions.endLine, 7);
        QVERIFY(p.outputs[3].kind == BatchOutput::Kind::Asm);
        // Before any --export-c, the options go to the first one.
        const BatchPlan q = std::get<BatchPlan>(parse({"--rle", "--export-c", "x.c"}));
        QVERIFY(q.outputs.at(0).cOptions.rle);
        QCOMPARE(q.outputs.at(0).cOptions.endLine, 23);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("error");
        const QStringList c{"--export-c", "a.c", "--rows"};
        QTest::newRow("unknown") << QStringList{"--bogus"} << true;
        QTest::newRow("no save path") << QStringList{"--save"} << true;
        QTest::newRow("empty save path") << QStringList{"--save", ""} << true;
        QTest::newRow("rle alone") << QStringList{"--rle"} << true;
        QTest::newRow("two inputs") << QStringList{"--save", "a.dat", "one.dat", "two.dat"} << true;
        QTest::newRow("rows 5") << c + QStringList{"5"} << true;
        QTest::newRow("rows 1:2:3") << c + QStringList{"1:2:3"} << true;
        QTest::newRow("rows x") << c + QStringList{"x"} << true;
        QTest::newRow("rows 5:3, exported as 0:23") << c + QStringList{"5:3"} << false;
        QTest::newRow("rows 0:24") << c + QStringList{"0:24"} << false;
        QTest::newRow("help") << QStringList{"--help"} << false;
        QTest::newRow("version") << QStringList{"--version"} << false;
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, error);
        QCOMPARE(std::holds_alternative<BatchUsageError>(parse(args)), error);
    }

    void writesEveryOutputWithoutADisplay()
    {
        QTemporaryDir dir;
        const TileDocument doc = testdoc::randomDocument(77);
        writeFile(dir.filePath("in.dat"), testdoc::expectedProjectFile(doc));
        const Run run = runKardo({"--save", "out.dat", "--export-c", "plain.c", "--export-c", "rle.c", "--rle", "--rows",
                                  "4:9", "--export-asm", "out.asm", "in.dat"},
                                 dir.path());
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.isEmpty());
        QCOMPARE(readFile(dir.filePath("out.dat")), testdoc::expectedProjectFile(doc));
        QCOMPARE(readFile(dir.filePath("plain.c")), ExportC(doc, {}));
        QCOMPARE(readFile(dir.filePath("rle.c")), ExportC(doc, {true, 4, 9}));
        QCOMPARE(readFile(dir.filePath("out.asm")), ExportAsm(doc));
        // With no input: the reset document.
        QCOMPARE(runKardo({"--save", "reset.dat", "--export-asm", "reset.asm"}, dir.path()).status, 0);
        QCOMPARE(readFile(dir.filePath("reset.dat")), testdoc::expectedProjectFile(TileDocument()));
        QCOMPARE(readFile(dir.filePath("reset.asm")), ExportAsm(TileDocument()));
    }

    void helpVersionAndUsageErrorStatus()
    {
        QTemporaryDir dir;
        const Run help = runKardo({"--help"}, dir.path());
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains("--export-c OUT.c [--rle] [--rows START:END]"));
        const Run version = runKardo({"--version"}, dir.path());
        QCOMPARE(version.status, 0);
        QVERIFY(version.out.startsWith("kardo3 "));
        const Run run = runKardo({"--save", "a.dat", "--export-c", "b.c", "--rows", "9-2"}, dir.path());
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("--rows"));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // nothing written
    }

    void unreadableInputsFailWithStatus1()
    {
        QTemporaryDir dir;
        QByteArray lfOnly = testdoc::expectedProjectFile(TileDocument());
        lfOnly.replace("\r\n", "\n");
        writeFile(dir.filePath("empty.dat"), {});
        writeFile(dir.filePath("truncated.dat"), testdoc::expectedProjectFile(TileDocument()).left(81 * 200 + 30));
        writeFile(dir.filePath("lf.dat"), lfOnly);
        writeFile(dir.filePath("binary.dat"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11));
        writeFile(dir.filePath("novalues.dat"), QByteArray("NAME").leftJustified(79, ' ') + "\r\n");
        for (const char* input : {"missing.dat", "empty.dat", "truncated.dat", "lf.dat", "binary.dat", "novalues.dat"}) {
            const Run run = runKardo({"--save", "out.dat", "--export-c", "out.c", input}, dir.path());
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains(input), qPrintable(run.err));
            QVERIFY(!QFile::exists(dir.filePath("out.dat")));
            QVERIFY(!QFile::exists(dir.filePath("out.c")));
        }
    }

    void unwritableOutputLeavesNoOtherOutput()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("old.c"), "old content");
        QVERIFY(QDir(dir.path()).mkdir("folder.asm"));
        const Run run = runKardo({"--save", "new.dat", "--export-c", "old.c", "--export-asm", "folder.asm"}, dir.path());
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("folder.asm"));
        QVERIFY(!QFile::exists(dir.filePath("new.dat")));
        QCOMPARE(readFile(dir.filePath("old.c")), QByteArray("old content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.c"}); // no temporary files left
        QCOMPARE(runKardo({"--export-asm", "no/such/folder/x.asm"}, dir.path()).status, 1);
    }
};

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
