// The dither command line run in-process, and once as the program itself the way a
// build server runs it: no display, no platform plugin. Exit status, messages, outputs,
// every output file as it was after a failed run, every malformed picture of the
// corpus refused, and the BMP size check on header fields too large to multiply.

#include "batch_command.h"
#include "image_resize.h"
#include "malformed_inputs.h"
#include "picture_file.h"
#include "program_run.h"
#include "qt_picture_codecs.h"
#include "result_output.h"
#include "test_files.h"
#include "test_pictures.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace dither;

namespace {

using Run = ProgramRun;

// In-process, in the test folder.
Run runDither(const QStringList& arguments, const QString& folder)
{
    QDir::setCurrent(folder);
    return runInProcess(
        QStringLiteral("dither"),
        [](const QStringList& a, tms::batch::Console& c) { return runBatch(a, c, qtPictureCodecs()); }, arguments);
}

QImage photoLikeImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    const Picture noisy = dither_test::noisyPicture(4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, tms::toQRgb(noisy[pixelIndex(x % 256, y % 192)]));
    return image;
}

// A one-pixel GIF with its trailer.
const QByteArray smallGif("GIF89a\x01\0\x01\0\x80\0\0" // header, 2-colour table follows
                          "\0\0\0\xff\xff\xff"         // black, white
                          ",\0\0\0\0\x01\0\x01\0\0"    // image descriptor
                          "\x02\x02"
                          "D\x01"
                          "\0;", // pixel data, trailer
                          35);

} // namespace

class TestBatch : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(photoLikeImage(600, 400).save(path(QString("photo.png"))));
        QVERIFY(photoLikeImage(1, 1).save(path(QString("dot.bmp"))));
    }

    void convertsWithTheGivenOptions()
    {
        const Run run = runDither({"--method",
                                   "ordered-65",
                                   "--ordered-error",
                                   "--colors",
                                   "1,4,6,15",
                                   "--palette",
                                   "2",
                                   "--gamma",
                                   "120",
                                   "--brightness",
                                   "-20",
                                   "--diffusion",
                                   "40",
                                   "--resize",
                                   "aspect",
                                   "--resolution",
                                   "10k",
                                   "--pp",
                                   "full.pp",
                                   "--pp10k",
                                   "small.pp",
                                   "--bmp",
                                   "out.bmp",
                                   "--png",
                                   "out.png",
                                   "photo.png"},
                                  dir.path());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

        ConversionSettings s;
        s.method = Method::Ordered65;
        s.orderedError = true;
        s.colours = dither_test::colours({1, 4, 6, 15});
        s.paletteMode = 1;
        s.gamma = 120;
        s.brightness = -20;
        s.diffusion = 40;
        const auto expected =
            convert(fitToScreen(QImage(path("photo.png")), ResizeMode::RespectAspectRatio, ResolutionMode::TenK), s);
        QVERIFY(expected);
        QCOMPARE(readFile(path("full.pp")), powerPaintFile(*expected, true));
        QCOMPARE(readFile(path("small.pp")), powerPaintFile(*expected, false));
        for (const char* name : {"out.bmp", "out.png"})
            QCOMPARE(QImage(path(name)).convertToFormat(QImage::Format_RGB32), resultImage(*expected));
    }

    void defaultsAndTinyPictures()
    {
        Run run = runDither({"--pp", "dot.pp", "dot.bmp"}, dir.path());
        QCOMPARE(run.status, 0);
        QCOMPARE(QFileInfo(path("dot.pp")).size(), 40960);

        // Defaults: Floyd-Steinberg, every colour, palette 1, 100 %, 0, 75 %, no resize.
        run = runDither({"--pp10k", "default.pp", "photo.png"}, dir.path());
        QCOMPARE(run.status, 0);
        const auto expected =
            convert(fitToScreen(QImage(path("photo.png")), ResizeMode::NoResize, ResolutionMode::Full), {});
        QCOMPARE(readFile(path("default.pp")), powerPaintFile(*expected, false));

        run = runDither({"--linear-light", "--pp10k", "light.pp", "photo.png"}, dir.path());
        QCOMPARE(run.status, 0);
        ConversionSettings light;
        light.linearLight = true;
        const auto inLight =
            convert(fitToScreen(QImage(path("photo.png")), ResizeMode::NoResize, ResolutionMode::Full), light);
        QCOMPARE(readFile(path("light.pp")), powerPaintFile(*inLight, false));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("single dash") << QStringList{"-pp", "refused.pp", "-bogus", "photo.png"}
                                     << "Unknown option 'bogus'";
        QTest::newRow("no picture") << QStringList{"--pp", "refused.pp"} << "No picture";
        QTest::newRow("missing value") << QStringList{"photo.png", "--pp", "refused.pp", "--method"} << "Missing value";
        QTest::newRow("two pictures") << QStringList{"--pp", "refused.pp", "photo.png", "dot.bmp"} << "dither: ";
        const QStringList output{"--pp", "refused.pp", "photo.png"};
        QTest::newRow("method") << QStringList{"--method", "floyd"} + output << "Unknown method \"floyd\"";
        QTest::newRow("gamma low") << QStringList{"--gamma", "9"} + output << "--gamma";
        QTest::newRow("gamma high") << QStringList{"--gamma", "191"} + output << "--gamma";
        QTest::newRow("brightness") << QStringList{"--brightness", "-101"} + output << "--brightness";
        QTest::newRow("diffusion") << QStringList{"--diffusion", "half"} + output << "--diffusion";
        QTest::newRow("palette") << QStringList{"--palette", "3"} + output << "--palette";
        QTest::newRow("resize") << QStringList{"--resize", "fit"} + output << "--resize";
        QTest::newRow("resolution") << QStringList{"--resolution", "40k"} + output << "--resolution";
        QTest::newRow("colour out of range") << QStringList{"--colors", "0,1,2"} + output << "--colors";
        QTest::newRow("one colour") << QStringList{"--colors", "3"} + output << "Select more colors";
        QTest::newRow("one colour twice") << QStringList{"--colors", "3,3"} + output << "Select more colors";
        QTest::newRow("folder without outputs")
            << QStringList{"--out-dir", "refused", "photo.png"} << "--out-dir needs";
        QTest::newRow("folder, two outputs of one name")
            << QStringList{"--pp", "--pp10k", "--out-dir", "refused", "photo.png"} << "--pp and --pp10k";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run = runDither(arguments, dir.path());
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.err.startsWith("dither: "));
        QVERIFY(!QFile::exists(path("refused.pp")));
    }

    // Many pictures into one folder, each converted as a run of its own would convert it;
    // a refused picture (unreadable, or a second picture of the same name) stops no other.
    void manyPicturesIntoAFolder()
    {
        QVERIFY(QDir(dir.path()).mkpath("many"));
        QVERIFY(photoLikeImage(300, 200).save(path("many/first.bmp")));
        QVERIFY(photoLikeImage(256, 192).save(path("many/second.png")));
        QVERIFY(photoLikeImage(20, 20).save(path("many/first.png"))); // same name as first.bmp
        const QStringList pictures{"many/first.bmp", "many/missing.png", "many/second.png", "many/first.png"};
        const Run run = runDither(QStringList{"--method", "stucki", "--colors", "1,6,11,15", "--resize", "stretch",
                                              "-bmp", "--pp10k", "--bmp", "--out-dir", "made"}
                                      + pictures,
                                  dir.path());
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString("Converted 2 of 4 pictures into \"made\", refused 2\n"));
        const QStringList refusals = run.err.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(refusals.size(), 2);
        QVERIFY2(refusals[0].startsWith("dither: Cannot read picture \"many/missing.png\""), qPrintable(refusals[0]));
        QVERIFY2(refusals[1].contains("\"many/first.png\" would write") && refusals[1].contains("many/first.bmp"),
                 qPrintable(refusals[1]));
        QCOMPARE(QDir(path("made")).entryList(QDir::Files),
                 QStringList({"first.bmp", "first.pp", "second.bmp", "second.pp"}));

        ConversionSettings s;
        s.method = Method::Stucki;
        s.colours = dither_test::colours({1, 6, 11, 15});
        for (const QString name : {"first.bmp", "second.png"}) {
            const auto expected =
                convert(fitToScreen(QImage(path("many/" + name)), ResizeMode::Stretch, ResolutionMode::Full), s);
            const QString base = QFileInfo(name).completeBaseName();
            QCOMPARE(readFile(path("made/" + base + ".pp")), powerPaintFile(*expected, false));
            QCOMPARE(QImage(path("made/" + base + ".bmp")).convertToFormat(QImage::Format_RGB32),
                     resultImage(*expected));
        }

        // Every picture converted: status 0.
        const Run good = runDither({"--png", "--out-dir", "made2", "many/second.png"}, dir.path());
        QCOMPARE(good.status, 0);
        QVERIFY(QFile::exists(path("made2/second.png")));
    }

    // Whole GIF and JPEG pictures load through their plugins (cut ones are in the
    // malformed corpus); a window's Cancel stops a decode at its next read of the file.
    void wholeGifAndJpegLoadAndDecodesCancel()
    {
        writeFile(path("whole.gif"), smallGif);
        QVERIFY(photoLikeImage(64, 48).save(path("whole.jpg")));
        for (const char* name : {"whole.gif", "whole.jpg"}) { // as the program, which has loaded no plugin yet
            const Run run = runWithoutDisplay(DITHER_BINARY, {"--pp", "out.pp", name}, dir.path());
            QVERIFY2(run.status == 0, qPrintable(run.err));
        }
        const std::atomic<bool> cancelled = true;
        QString error;
        QVERIFY(!readPicture(path("whole.gif"), &error, &cancelled));
    }

    // The program hands a window invocation, arguments unchanged, to the window program
    // beside it, and says so when that is missing; an option keeps it a batch run.
    void windowInvocationsGoToTheWindowProgram()
    {
        QVERIFY(QDir().mkpath(path("alone")));
        QVERIFY(QFile::copy(DITHER_BINARY, path("alone/dither")));
        const Run missing = runWithoutDisplay(path("alone/dither"), {}, dir.path());
        QCOMPARE(missing.status, 1);
        QVERIFY2(missing.err.contains("cannot start the window program"), qPrintable(missing.err));
        writeFile(path("alone/dither-window"), "#!/bin/sh\nprintf '%s|' \"$@\" > started\n");
        QVERIFY(QFile::setPermissions(path("alone/dither-window"), QFile::ReadOwner | QFile::ExeOwner));
        QCOMPARE(runWithoutDisplay(path("alone/dither"), {"a picture.png"}, dir.path()).status, 0);
        QCOMPARE(readFile(path("started")), QByteArray("a picture.png|"));
        QCOMPARE(runWithoutDisplay(path("alone/dither"), {"--version"}, path("alone")).status, 0);
        QVERIFY(!QFile::exists(path("alone/started")));
    }

    // The program serves a PNG into PowerPaint files itself and hands every other run,
    // arguments unchanged and before anything is written, to the full program beside it.
    void otherRunsGoToTheFullProgram()
    {
        QVERIFY(QDir().mkpath(path("pair")));
        QVERIFY(QFile::copy(DITHER_BINARY, path("pair/dither")));
        writeFile(path("pair/dither-window"), "#!/bin/sh\nprintf '%s|' \"$@\" >> started\n");
        QVERIFY(QFile::setPermissions(path("pair/dither-window"), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(photoLikeImage(40, 30).convertToFormat(QImage::Format_RGBA64).save(path("pair/deep.png")));
        QVERIFY(photoLikeImage(40, 30).save(path("pair/whole.jpg")));
        QVERIFY(photoLikeImage(40, 30).save(path("pair/whole.png")));
        writeFile(path("pair/cut.png"), readFile(path("pair/whole.png")).chopped(30));
        const QStringList handedOver[] = {{"--pp", "a.pp", "deep.png"},
                                          {"--pp10k", "a.pp", "cut.png"},
                                          {"--pp", "a.pp", "whole.jpg"},
                                          {"--png", "a.png", "whole.png"},
                                          {"--pp", "--out-dir", "folder", "whole.png", "deep.png"}};
        QByteArray expected;
        for (const QStringList& arguments : handedOver) {
            const Run run = runWithoutDisplay(path("pair/dither"), arguments, path("pair"));
            QVERIFY2(run.status == 0 && run.err.isEmpty() && run.out.isEmpty(), qPrintable(run.err));
            expected += arguments.join('|').toUtf8() + '|';
        }
        QCOMPARE(readFile(path("pair/started")), expected);
        QCOMPARE(QDir(path("pair")).entryList({"a.*", "folder"}), QStringList());
        QCOMPARE(runWithoutDisplay(path("pair/dither"), {"--pp", "a.pp", "whole.png"}, path("pair")).status, 0);
        QCOMPARE(readFile(path("pair/started")), expected);
        QCOMPARE(readFile(path("pair/a.pp")).size(), 40960);

        // The real pair: the same files and messages as the full program gives in-process.
        for (const char* name : {"deep.png", "cut.png", "whole.png"}) {
            const QStringList arguments{"--pp", "real.pp", path(QString("pair/") + name)};
            const Run real = runWithoutDisplay(DITHER_BINARY, arguments, dir.path());
            const QByteArray realFile = readFile(path("real.pp"));
            QFile::remove(path("real.pp"));
            const Run inProcess = runDither(arguments, dir.path());
            QCOMPARE(real.status, inProcess.status);
            // (after what Qt's libpng prints itself, "libpng error: Read Error", as ever)
            QVERIFY2(real.err.endsWith(inProcess.err), qPrintable(real.err));
            QCOMPARE(realFile, readFile(path("real.pp")));
            QFile::remove(path("real.pp"));
        }
    }

    void picturesThatAreNoFiles()
    {
        QVERIFY(mkfifo(QFile::encodeName(path("pipe.png")).constData(), 0600) == 0);
        for (const auto& [name, reason] : {std::pair{"absent.png", "no such file"},
                                           {".", "it is a folder, not a regular file"},
                                           {"pipe.png", "it is a named pipe, not a regular file"}}) {
            const Run run = runDither({"--pp", "never.pp", name}, dir.path());
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err, QString("dither: Cannot read picture \"%1\": %2\n").arg(name, reason));
        }
        QVERIFY(!QFile::exists(path("never.pp")));
    }

    // Under an address-space limit (ulimit -v 600000) the old bytes of an output kept
    // for a restore are read at their own size, not at the largest size allowed.
    void runsUnderAnAddressSpaceLimit()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer needs far more address space than the limit");
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
        QSKIP("the address sanitizer needs far more address space than the limit");
#endif
#endif
        QTemporaryDir here;
        QVERIFY(QFile::copy(path("photo.png"), here.filePath("photo.png")));
        writeFile(here.filePath("a.pp"), "old a");
        const Run run =
            runWithoutDisplay(DITHER_BINARY, {"--pp", "a.pp", "--bmp", "b.bmp", "photo.png"}, here.path(), [] {
                const rlimit limited{600000 * 1024, 600000 * 1024};
                setrlimit(RLIMIT_AS, &limited);
            });
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(readFile(here.filePath("a.pp")).size(), 40960);
    }

    void refused_data()
    {
        addMalformedRows(QStringLiteral("dither"));
    }

    void refused()
    {
        QFETCH(QString, path);
        QString error;
        QVERIFY(!readPicture(path, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Cannot read picture \"%1\": ").arg(path)), qPrintable(error));

        QTemporaryDir out;
        tms::batch::CapturedConsole console(QStringLiteral("dither"));
        QCOMPARE(runBatch({"dither", "--pp", out.filePath("out.pp"), "--bmp", out.filePath("out.bmp"), path}, console,
                          qtPictureCodecs()),
                 1);
        QCOMPARE(console.err, QStringLiteral("dither: %1\n").arg(error));
        QVERIFY(folderIsEmpty(out.path()));
    }

    void bmpHeaderBeyondAnyFile()
    {
        // 2^31 - 1 pixels square at 32 bits: some 1.8e19 bytes of pixels.
        QByteArray head(54, '\0');
        head[0] = 'B';
        head[1] = 'M';
        qToLittleEndian<quint32>(54, head.data() + 10);
        qToLittleEndian<quint32>(40, head.data() + 14);
        qToLittleEndian<quint32>(0x7FFFFFFF, head.data() + 18);
        qToLittleEndian<quint32>(0x7FFFFFFF, head.data() + 22);
        qToLittleEndian<quint16>(32, head.data() + 28);
        QVERIFY(isCutShort("bmp", head, 0, 1000));
        QVERIFY(isCutShort("bmp", head, 0, std::numeric_limits<qint64>::max()));
        qToLittleEndian<quint32>(0xFFFFFFFF, head.data() + 10); // pixels placed at 4 GB
        qToLittleEndian<quint32>(1, head.data() + 18);
        qToLittleEndian<quint32>(1, head.data() + 22);
        QVERIFY(isCutShort("bmp", head, 0, 0xFFFFFFFFLL + 3));
        QVERIFY(!isCutShort("bmp", head, 0, 0xFFFFFFFFLL + 4));
    }
};

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
