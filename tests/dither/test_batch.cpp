// The dither program run as a build server would: no display, no platform plugin.
// Exit status, messages on stderr, outputs, and no file left behind by a failed run.

#include "resize.h"
#include "result_output.h"
#include "test_pictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace dither;

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run runDither(const QStringList& arguments, const QString& workingDirectory)
{
    QProcess process;
    QProcessEnvironment environment; // no DISPLAY, no QT_QPA_PLATFORM
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(DITHER_BINARY), arguments);
    if (!process.waitForFinished(60000))
        qFatal("dither did not finish");
    Run run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
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

// A valid PNG announcing 60000 x 60000 pixels: some 14 GB once decoded.
QByteArray hugePng()
{
    auto crc32 = [](const QByteArray& bytes) {
        quint32 crc = 0xFFFFFFFFu;
        for (char c : bytes) {
            crc ^= quint8(c);
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return ~crc;
    };
    auto chunk = [&](const QByteArray& type, const QByteArray& body) {
        QByteArray out(4, '\0');
        qToBigEndian(quint32(body.size()), out.data());
        QByteArray crc(4, '\0');
        qToBigEndian(crc32(type + body), crc.data());
        return out + type + body + crc;
    };
    QByteArray header(13, '\0');
    qToBigEndian(quint32(60000), header.data());
    qToBigEndian(quint32(60000), header.data() + 4);
    header[8] = 8; // bits per sample
    header[9] = 2; // RGB
    const QByteArray rows = qCompress(QByteArray(20 * (60000 * 3 + 1), '\0')).mid(4); // zlib stream
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", rows) + chunk("IEND", {});
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestBatch : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(photoLikeImage(600, 400).save(path(QStringLiteral("photo.png"))));
        QVERIFY(photoLikeImage(1, 1).save(path(QStringLiteral("dot.bmp"))));
    }

    void convertsWithTheGivenOptions()
    {
        const Run run = runDither({"--method", "ordered-65", "--ordered-error", "--colors", "1,4,6,15", "--palette", "2",
                                   "--gamma", "120", "--brightness", "-20", "--diffusion", "40", "--resize", "aspect",
                                   "--resolution", "10k", "--pp", "full.pp", "--pp10k", "small.pp", "--bmp", "out.bmp",
                                   "--png", "out.png", "photo.png"},
                                  dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

        ConversionSettings s;
        s.method = Method::Ordered65;
        s.orderedError = true;
        s.colours = dither_test::colours({1, 4, 6, 15});
        s.palette_mode = 1;
        s.gamma = 120;
        s.brightness = -20;
        s.diffusion = 40;
        const QImage loaded(path(QStringLiteral("photo.png")));
        const auto expected =
            convert(apply_resize(loaded, ResizeMode::RespectAspectRatio, ResolutionMode::TenK), s);
        QVERIFY(expected);

        QFile full(path(QStringLiteral("full.pp"))), small(path(QStringLiteral("small.pp")));
        QVERIFY(full.open(QIODevice::ReadOnly) && small.open(QIODevice::ReadOnly));
        QCOMPARE(full.readAll(), powerPaintFile(*expected, true));
        QCOMPARE(small.readAll(), powerPaintFile(*expected, false));
        for (const char* name : {"out.bmp", "out.png"}) {
            const QImage picture(path(QLatin1String(name)));
            QCOMPARE(picture.convertToFormat(QImage::Format_RGB32), resultImage(*expected));
        }
    }

    void defaultsAndTinyPictures()
    {
        Run run = runDither({"--pp", "dot.pp", "dot.bmp"}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QFileInfo(path(QStringLiteral("dot.pp"))).size(), 40960);

        // Defaults: Floyd-Steinberg, every colour, palette 1, 100 %, 0, 75 %, no resize.
        run = runDither({"--pp10k", "default.pp", "photo.png"}, dir.path());
        QCOMPARE(run.exitCode, 0);
        const auto expected = convert(apply_resize(QImage(path(QStringLiteral("photo.png"))), ResizeMode::NoResize,
                                                   ResolutionMode::Full),
                                      ConversionSettings{});
        QFile file(path(QStringLiteral("default.pp")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), powerPaintFile(*expected, false));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("method") << QStringList{"--method", "floyd"} << "Unknown method \"floyd\"";
        QTest::newRow("gamma low") << QStringList{"--gamma", "9"} << "--gamma";
        QTest::newRow("gamma high") << QStringList{"--gamma", "191"} << "--gamma";
        QTest::newRow("brightness") << QStringList{"--brightness", "-101"} << "--brightness";
        QTest::newRow("diffusion") << QStringList{"--diffusion", "half"} << "--diffusion";
        QTest::newRow("palette") << QStringList{"--palette", "3"} << "--palette";
        QTest::newRow("resize") << QStringList{"--resize", "fit"} << "--resize";
        QTest::newRow("resolution") << QStringList{"--resolution", "40k"} << "--resolution";
        QTest::newRow("colour out of range") << QStringList{"--colors", "0,1,2"} << "--colors";
        QTest::newRow("one colour") << QStringList{"--colors", "3"} << "Select more colors";
        QTest::newRow("one colour twice") << QStringList{"--colors", "3,3"} << "Select more colors";
        QTest::newRow("unknown option") << QStringList{"--dither"} << "Unknown option";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run = runDither(arguments + QStringList{"--pp", "refused.pp", "photo.png"}, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.err.startsWith(QStringLiteral("dither: ")));
        QVERIFY(!QFile::exists(path(QStringLiteral("refused.pp"))));
    }

    void pictureArguments()
    {
        Run run = runDither({}, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("Usage:")));
        run = runDither({"--pp", "x.pp"}, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("No picture")));
        run = runDither({"photo.png", "--pp", "x.pp", "--method"}, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("Missing value")));
        run = runDither({"--pp", "x.pp", "photo.png", "dot.bmp"}, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!QFile::exists(path(QStringLiteral("x.pp"))));

        run = runDither({"--help"}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("--pp10k")));
        QVERIFY(run.out.contains(QStringLiteral("jarvis-judice-ninke")));
        run = runDither({"--version"}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("dither ")));
    }

    void unreadablePictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << "notes.png" << QByteArray("this is no picture\n");
        QTest::newRow("empty") << "empty.jpg" << QByteArray();
        QTest::newRow("truncated") << "cut.png" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
        QTest::newRow("huge") << "huge.png" << hugePng();
    }

    void unreadablePictures()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        writeFile(path(name), content);
        const Run run = runDither({"--pp", "never.pp", "--png", "never.png", name}, dir.path());
        QCOMPARE(run.exitCode, 1);
        // (the PNG library may add a line of its own before ours)
        QVERIFY2(run.err.contains(QStringLiteral("dither: Cannot read picture \"%1\"").arg(name)), qPrintable(run.err));
        QVERIFY(!QFile::exists(path(QStringLiteral("never.pp"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("never.png"))));

        const Run missing = runDither({"--pp", "never.pp", "absent.png"}, dir.path());
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.err.contains(QStringLiteral("absent.png")));
    }

    void unwritableOutputs()
    {
        // Outputs are written in the order given; the first failure stops the run and
        // leaves no partial file, while earlier outputs are complete.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder.pp")));
        const Run run = runDither({"--pp10k", "first.pp", "--pp", "no/such/dir/second.pp", "--bmp", "third.bmp",
                                   "photo.png"},
                                  dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("second.pp")), qPrintable(run.err));
        QCOMPARE(QFileInfo(path(QStringLiteral("first.pp"))).size(), 10240);
        QVERIFY(!QFile::exists(path(QStringLiteral("third.bmp"))));
        QCOMPARE(QDir(path(QStringLiteral("no"))).exists(), false);

        const Run onFolder = runDither({"--pp", "folder.pp", "photo.png"}, dir.path());
        QCOMPARE(onFolder.exitCode, 1);
        QVERIFY(QFileInfo(path(QStringLiteral("folder.pp"))).isDir());
    }
};

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
