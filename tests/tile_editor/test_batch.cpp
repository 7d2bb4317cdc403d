#include "asm_export.h"
#include "test_files.h"
#include "batch_command_line.h"
#include "c_export.h"
#include "project_file.h"
#include "random_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built program with no display of any kind in its environment.
Run runKardo(const QStringList& arguments, const QString& folder)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QDir(QCoreApplication::applicationDirPath()).filePath("kardo3"), arguments);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

BatchPlan plan(const QStringList& args)
{
    const auto parsed = parseBatchArguments(QStringList{"kardo3"} + args);
    return std::holds_alternative<BatchPlan>(parsed) ? std::get<BatchPlan>(parsed) : BatchPlan{};
}

bool isUsageError(const QStringList& args)
{
    return std::holds_alternative<BatchUsageError>(parseBatchArguments(QStringList{"kardo3"} + args));
}

} // namespace

class TestBatch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QFile::exists(QDir(QCoreApplication::applicationDirPath()).filePath("kardo3"))); }

    void outputsInOrderWithTheirOptions()
    {
        const BatchPlan p = plan({"--export-c", "a.c", "--save", "a.dat", "--export-c", "b.c", "--rle", "--rows",
                                  "3:7", "--export-asm", "a.asm", "in.dat"});
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
        const BatchPlan q = plan({"--rle", "--export-c", "x.c"});
        QVERIFY(q.outputs.at(0).cOptions.rle);
        QCOMPARE(q.outputs.at(0).cOptions.endLine, 23);
    }

    void usageErrors()
    {
        QVERIFY(isUsageError({"--bogus"}));
        QVERIFY(isUsageError({"--save"}));
        QVERIFY(!isUsageError({"--export-c", "a.c", "--rows", "5:3"})); // exported as 0:23
        QVERIFY(!isUsageError({"--export-c", "a.c", "--rows", "0:24"}));
        QVERIFY(isUsageError({"--export-c", "a.c", "--rows", "5"}));
        QVERIFY(isUsageError({"--export-c", "a.c", "--rows", "1:2:3"}));
        QVERIFY(isUsageError({"--export-c", "a.c", "--rows", "x"}));
        QVERIFY(isUsageError({"--rle"}));
        QVERIFY(isUsageError({"--save", "a.dat", "one.dat", "two.dat"}));
        QVERIFY(isUsageError({"--save", ""}));
        QVERIFY(!isUsageError({"--help"}));
        QVERIFY(!isUsageError({"--version"}));
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
    }

    void resetDocumentWhenNoInput()
    {
        QTemporaryDir dir;
        QCOMPARE(runKardo({"--save", "reset.dat", "--export-asm", "reset.asm"}, dir.path()).status, 0);
        QCOMPARE(readFile(dir.filePath("reset.dat")), testdoc::expectedProjectFile(TileDocument()));
        QCOMPARE(readFile(dir.filePath("reset.asm")), ExportAsm(TileDocument()));
    }

    void helpAndVersion()
    {
        QTemporaryDir dir;
        const Run help = runKardo({"--help"}, dir.path());
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains("--export-c OUT.c [--rle] [--rows START:END]"));
        const Run version = runKardo({"--version"}, dir.path());
        QCOMPARE(version.status, 0);
        QVERIFY(version.out.startsWith("kardo3 "));
    }

    void usageErrorWritesNothing()
    {
        QTemporaryDir dir;
        const Run run = runKardo({"--save", "a.dat", "--export-c", "b.c", "--rows", "9-2"}, dir.path());
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("--rows"));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void unreadableInputsFailWithStatus1()
    {
        QTemporaryDir dir;
        QByteArray truncated = testdoc::expectedProjectFile(TileDocument());
        truncated.truncate(81 * 200 + 30);
        QByteArray lfOnly = testdoc::expectedProjectFile(TileDocument());
        lfOnly.replace("\r\n", "\n");
        writeFile(dir.filePath("empty.dat"), {});
        writeFile(dir.filePath("truncated.dat"), truncated);
        writeFile(dir.filePath("lf.dat"), lfOnly);
        writeFile(dir.filePath("binary.dat"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11));
        writeFile(dir.filePath("novalues.dat"), QByteArray("NAME").leftJustified(79, ' ') + "\r\n");
        for (const char* input : {"missing.dat", "empty.dat", "truncated.dat", "lf.dat", "binary.dat", "novalues.dat"}) {
            const Run run = runKardo({"--save", "out.dat", "--export-c", "out.c", input}, dir.path());
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains(input), run.err.constData());
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
        const Run nowhere = runKardo({"--export-asm", "no/such/folder/x.asm"}, dir.path());
        QCOMPARE(nowhere.status, 1);
    }

    void modeOneInputConverts()
    {
        QTemporaryDir dir;
        QByteArray text = testdoc::projectSection("NAME    DB      ", testdoc::names(TileDocument()))
            + testdoc::projectSection("PATTERN DB      ", testdoc::patterns(TileDocument()))
            + testdoc::projectSection("COLOR   DB      ", std::vector<int>(32, 0xF4))
            + testdoc::projectSection("SPATT   DB      ", testdoc::sprites(TileDocument()))
            + testdoc::projectSection("SCOLOR  DB      ", testdoc::spriteColors(TileDocument()));
        writeFile(dir.filePath("mode1.dat"), text);
        QCOMPARE(runKardo({"--save", "mode2.dat", "mode1.dat"}, dir.path()).status, 0);
        TileDocument expected;
        for (auto& rows : expected.charColors)
            rows.fill(0xF4);
        QCOMPARE(readFile(dir.filePath("mode2.dat")), testdoc::expectedProjectFile(expected));
    }
};

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
