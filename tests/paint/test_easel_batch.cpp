// easel's batch mode, run in-process: every kind of input read by its name with the
// screen 2 outputs, and every malformed file of the corpus refused by the reader and
// the run. (--help, --version, an unwritable output and a run without a display are
// tried for every program in tests/common.)
#include "batch_command.h"
#include "grp_file.h"
#include "malformed_inputs.h"
#include "paint_test_support.h"
#include "picture_import.h"
#include "pp_file.h"
#include "program_run.h"
#include "source_export.h"
#include "spectrum_file.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

ProgramRun easel(const QStringList& arguments)
{
    return runInProcess(QStringLiteral("easel"), runBatch, arguments);
}

} // namespace

class TestEaselBatch : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() // each test runs in a folder of its own
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
    }

    void savesBothSizesFromBothSizes_data()
    {
        QTest::addColumn<bool>("inputFull");
        QTest::addColumn<QString>("sizeOption");
        QTest::addColumn<bool>("outputFull");
        QTest::newRow("40K default") << true << QString() << true;
        QTest::newRow("10K to 40K") << false << QString("--full") << true;
        QTest::newRow("40K to 10K") << true << QString("--10k") << false;
    }

    void savesBothSizesFromBothSizes()
    {
        QFETCH(bool, inputFull);
        QFETCH(QString, sizeOption);
        QFETCH(bool, outputFull);
        const Picture source = randomPicture(inputFull ? 31 : 32);
        writeFile("in.pp", ppBytes(source, inputFull));
        // A single dash is read as two.
        const ProgramRun run =
            easel(QStringList{"-save", "out.pp", sizeOption, "in.pp"}.filter(QRegularExpression(".")));
        QVERIFY(run.status == 0 && run.err.isEmpty());
        // What a 10K input does not hold is black: pattern 0, colour 33.
        Picture expected = source;
        for (int i = 0; i < 6144 && !inputFull; ++i)
            if (i >= 20 * 256 || i % 256 >= 30 * 8) {
                expected.bitmapPatterns[i] = 0;
                expected.bitmapColors[i] = 33;
            }
        QCOMPARE(readFile("out.pp"), ppBytes(expected, outputFull));
    }

    void usageErrorsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("both sizes") << QStringList{"--save", "out.pp", "--full", "--10k", "in.pp"};
        QTest::newRow("size without save") << QStringList{"--full", "--png", "a.png", "in.pp"};
        QTest::newRow("nothing to do") << QStringList{"--10k"};
        QTest::newRow("name without source") << QStringList{"--name", "X", "--export-grp", "a.grp", "in.pp"};
        QTest::newRow("method on a screen") << QStringList{"--method", "nearest", "--save", "a.pp", "in.scr"};
        QTest::newRow("unknown method") << QStringList{"--method", "blur", "--save", "a.pp", "in.png"};
        QTest::newRow("table name a keyword") << QStringList{"--export-c", "a.c", "--name", "int", "in.pp"};
        QTest::newRow("table label an instruction") << QStringList{"--export-asm", "a.asm", "--name", "D", "in.pp"};
    }

    void usageErrorsExitWithTwo()
    {
        QFETCH(QStringList, arguments);
        writeFile("in.pp", QByteArray(10240, '\0'));
        const ProgramRun run = easel(arguments);
        QVERIFY(run.status == 2 && run.err.startsWith("easel: "));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{"in.pp"});
    }

    // A picture that does not decode is refused like the malformed files: path once, no output.
    void badPictureExitsWithOneAndWritesNothing()
    {
        writeFile("in.png", QByteArray("\x89PNG\r\n\x1a\nbroken", 14));
        const ProgramRun run = easel({"--export-grp", "a.grp", "--save", "a.pp", "in.png"});
        QVERIFY2(run.status == 1 && run.err.startsWith("easel: ") && run.err.count("in.png") == 1, qPrintable(run.err));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{"in.png"});
    }

    void exportsFromEveryKindOfInput_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("SCR") << "IN.SCR" << randomBytes(6912, 43);
        QTest::newRow("mlt") << "in.mlt" << randomBytes(12288, 44);
        QTest::newRow("grp") << "in.grp" << encodeGRP(randomPicture(45));
        // Both screen 2 layouts are read whatever their name says.
        QTest::newRow("sc2") << "in.sc2" << encodeSC2(randomPicture(46));
        QTest::newRow("grp named .sc2") << "in.sc2" << encodeGRP(randomPicture(47));
        QTest::newRow("sc2 named .grp") << "in.grp" << encodeSC2(randomPicture(48));
    }

    void exportsFromEveryKindOfInput()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, content);
        writeFile(input, content);
        Picture expected;
        QVERIFY(decodeGRP(content, expected).isEmpty() || decodeSCR(content, expected) || decodeMLT(content, expected));
        QCOMPARE(easel({"--export-sc2", "a.sc2", "--export-grp", "a.grp", "--save", "a.pp", input}).status, 0);
        QVERIFY(readFile("a.grp") == encodeGRP(expected) && readFile("a.sc2") == encodeSC2(expected));
        // Exports do not change the picture; an imported screen is saved whole (40K).
        QCOMPARE(readFile("a.pp"), ppBytes(expected, true));
    }

    void picturesConvertWithTheChosenMethod()
    {
        QImage image(300, 100, QImage::Format_RGB32);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 300; ++x)
                image.setPixel(x, y, qRgb(x % 256, y * 2, 128));
        QVERIFY(image.save("in.png"));
        QCOMPARE(easel({"--method", "ordered-9", "--save", "a.pp", "in.png"}).status, 0);
        PictureImportSettings settings;
        settings.method = dither::Method::Ordered9;
        Picture expected;
        QVERIFY(importPictureFile("in.png", settings, expected));
        QCOMPARE(readFile("a.pp"), ppBytes(expected, true));
    }

    void refused_data() { addMalformedRows(QStringLiteral("easel")); }

    void refused()
    {
        QFETCH(QString, path);
        Picture picture = cleared();
        picture.bitmapPatterns[100] = 0xA5;
        const Picture before = picture;
        bool fullScreenFile = true;
        const QString suffix = QFileInfo(path).suffix().toLower();
        const tms::FileResult loaded = suffix == "scr"   ? loadScrFile(path, picture)
                                       : suffix == "mlt" ? loadMltFile(path, picture)
                                       : suffix == "grp" ? loadGrpFile(path, picture)
                                                         : loadPowerPaintFile(path, picture, fullScreenFile);
        const QStringList messages{notPowerPaintMessage(), notScrMessage(), notMltMessage(), notGrpMessage(),
                                   notGrpHeaderMessage()};
        QVERIFY2(!loaded && messages.contains(loaded.error), qPrintable(loaded.error));
        QVERIFY(picture == before && fullScreenFile);

        QTemporaryDir out;
        const ProgramRun run = easel({"--save", out.filePath("out.pp"), "--png", out.filePath("out.png"), path});
        QVERIFY2(run.status == 1 && run.err.startsWith("easel: ") && run.err.contains(path), qPrintable(run.err));
        QVERIFY(folderIsEmpty(out.path()));
    }

    // The 14,343-byte SC2 layout: the GRP's header with the shorter end address, then
    // the GRP's screen (test_paint_model); a wrong header is refused clearly.
    void sc2Layout()
    {
        const QByteArray sc2 = encodeSC2(randomPicture(41));
        QCOMPARE(sc2.size(), 14343);
        QCOMPARE(sc2.left(7), QByteArray("\xFE\x00\x00\xFF\x37\x00\x00", 7));
        QCOMPARE(sc2.mid(7), encodeGRP(randomPicture(41)).mid(7, 14343 - 7));
        QByteArray wrongHeader = sc2;
        wrongHeader[4] = 0x3F; // the end address of the long layout
        writeFile("header.sc2", wrongHeader);
        const ProgramRun run = easel({"--save", "x.pp", "header.sc2"});
        QVERIFY2(run.status == 1 && run.err.contains("Not an authorized MSX Header file"), qPrintable(run.err));
        QVERIFY(!QFile::exists("x.pp"));
    }

    // The format options reach easel's exports; with none the sources are as they were.
    void formatOptionsReachTheExports()
    {
        const Picture picture = randomPicture(6);
        writeFile("in.pp", ppBytes(picture, true));
        const QStringList arguments{"--export-c", "a.c",    "--export-asm", "a.asm", "--export-c", "s.c",
                                    "--c-style",  "stdint", "--compress",   "zx0",   "in.pp"};
        QCOMPARE(easel(arguments).status, 0);
        QCOMPARE(readFile("a.c"), cSource(picture, "IMAGE"));
        QCOMPARE(readFile("a.asm"), asmSource(picture, "IMAGE"));
        const SourceOptions options{.compression = tms::Compression::Zx0, .style = tms::CStyle::Stdint};
        QCOMPARE(readFile("s.c"), cExportFiles("s.c", picture, "IMAGE", options)[0].bytes);
    }
};

QTEST_GUILESS_MAIN(TestEaselBatch)
#include "test_easel_batch.moc"
