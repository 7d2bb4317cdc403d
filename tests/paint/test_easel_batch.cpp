// easel's batch mode, run as a separate process with no display and no platform
// plugin configured, the way a build server runs it.
#include "paint_test_support.h"
#include "pp_file.h"
#include "program_run.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

using Run = ProgramRun;

Run runEasel(const QStringList& arguments, const QString& folder)
{
    return runWithoutDisplay(QStringLiteral(EASEL_PATH), arguments, folder);
}

} // namespace

class TestEaselBatch : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersion()
    {
        QTemporaryDir dir;
        const Run help = runEasel({"--help"}, dir.path());
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains("--save OUT.pp") && help.out.contains("--png OUT.png"));
        const Run version = runEasel({"--version"}, dir.path());
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out.trimmed(), QString("easel " SUITE_VERSION));
    }

    void savesBothSizesFromBothSizes_data()
    {
        QTest::addColumn<bool>("inputFull");
        QTest::addColumn<QString>("sizeOption");
        QTest::addColumn<bool>("outputFull");
        QTest::newRow("10K default") << false << QString() << false;
        QTest::newRow("40K default") << true << QString() << true;
        QTest::newRow("10K to 40K") << false << QString("--full") << true;
        QTest::newRow("40K to 10K") << true << QString("--10k") << false;
    }

    void savesBothSizesFromBothSizes()
    {
        QFETCH(bool, inputFull);
        QFETCH(QString, sizeOption);
        QFETCH(bool, outputFull);
        QTemporaryDir dir;
        const Picture source = randomPicture(inputFull ? 31 : 32);
        writeFile(dir.filePath("in.pp"), inputFull ? expected40K(source) : expected10K(source));
        const Run run = runEasel(QStringList{"--save", "out.pp", sizeOption, "in.pp"}.filter(QRegularExpression(".")), dir.path());
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.isEmpty());
        // What a 10K input does not hold is black: pattern 0, colour 33.
        Picture expected = source;
        for (int i = 0; i < 6144 && !inputFull; ++i)
            if (i >= 20 * 256 || i % 256 >= 30 * 8) {
                expected.bitmapPatterns[i] = 0;
                expected.bitmapColors[i] = 33;
            }
        QCOMPARE(readFile(dir.filePath("out.pp")), outputFull ? expected40K(expected) : expected10K(expected));
    }

    void writesThePictureAsPngAfterTheSave()
    {
        QTemporaryDir dir;
        Picture source;
        ClearPicture(source);
        source.bitmapPatterns[tms::bitmapIndex(1, 2, 3)] = 0x80;
        source.bitmapColors[tms::bitmapIndex(1, 2, 3)] = 0xF4;
        writeFile(dir.filePath("in.pp"), expected40K(source));
        const Run run = runEasel({"--png", "shot.png", "--save", "copy.pp", "in.pp"}, dir.path());
        QCOMPARE(run.status, 0);
        const QImage image(dir.filePath("shot.png"));
        QCOMPARE(image.size(), QSize(256, 192));
        QCOMPARE(image.pixel(16, 11), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(17, 11), qRgb(84, 85, 237));
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(readFile(dir.filePath("copy.pp")), expected40K(source));
    }

    void usageErrorsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{"--bogus", "in.pp"};
        QTest::newRow("no input") << QStringList{"--save", "out.pp"};
        QTest::newRow("two inputs") << QStringList{"--save", "out.pp", "in.pp", "in.pp"};
        QTest::newRow("missing value") << QStringList{"--png", "a.png", "in.pp", "--save"};
        QTest::newRow("both sizes") << QStringList{"--save", "out.pp", "--full", "--10k", "in.pp"};
        QTest::newRow("size without save") << QStringList{"--full", "--png", "a.png", "in.pp"};
        QTest::newRow("nothing to do") << QStringList{"--10k"};
    }

    void usageErrorsExitWithTwo()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        writeFile(dir.filePath("in.pp"), QByteArray(10240, '\0'));
        const Run run = runEasel(arguments, dir.path());
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.startsWith("easel: "));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"in.pp"});
    }

    void badInputsExitWithOneAndWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("truncated") << QByteArray(10000, 'x') << true;
        QTest::newRow("oversized") << QByteArray(40961, 'x') << true;
        QTest::newRow("garbage") << QByteArray("\x89PNG not a picture") << true;
    }

    void badInputsExitWithOneAndWriteNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        if (exists)
            writeFile(dir.filePath("in.pp"), content);
        const Run run = runEasel({"--save", "out.pp", "--png", "out.png", "in.pp"}, dir.path());
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("in.pp"));
        QVERIFY(!QFile::exists(dir.filePath("out.pp")));
        QVERIFY(!QFile::exists(dir.filePath("out.png")));
    }

    void unwritableOutputExitsWithOneAndKeepsTheOldFile()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("in.pp"), expected10K(randomPicture(33)));
        QVERIFY(QDir(dir.path()).mkdir("folder.pp"));
        const Run intoFolder = runEasel({"--save", "folder.pp", "in.pp"}, dir.path());
        QCOMPARE(intoFolder.status, 1);
        QVERIFY(intoFolder.err.contains("folder.pp"));
        QVERIFY(QFileInfo(dir.filePath("folder.pp")).isDir());
        const Run missingFolder = runEasel({"--png", "nowhere/out.png", "in.pp"}, dir.path());
        QCOMPARE(missingFolder.status, 1);
        QVERIFY(!QFile::exists(dir.filePath("nowhere/out.png")));
    }
};

QTEST_GUILESS_MAIN(TestEaselBatch)
#include "test_easel_batch.moc"
