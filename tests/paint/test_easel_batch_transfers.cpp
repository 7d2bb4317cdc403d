// easel's batch mode with the imports and exports: every kind of input read by its
// name, the source and GRP outputs, and refused inputs that leave no output.
#include "batch_command.h"
#include "grp_file.h"
#include "paint_test_support.h"
#include "picture_import.h"
#include "program_run.h"
#include "source_export.h"
#include "spectrum_file.h"

#include <QDir>
#include <QImage>
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

class TestEaselBatchTransfers : public QObject {
    Q_OBJECT
private slots:
    void exportsFromEveryKindOfInput_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("pp") << "in.pp" << ppBytes(randomPicture(41), true);
        QTest::newRow("SCR") << "IN.SCR" << randomBytes(6912, 43);
        QTest::newRow("mlt") << "in.mlt" << randomBytes(12288, 44);
        QTest::newRow("grp") << "in.grp" << encodeGRP(randomPicture(45));
    }

    void exportsFromEveryKindOfInput()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        writeFile(input, content);
        Picture expected;
        ClearPicture(expected);
        const QString name = input.toLower();
        if (name.endsWith(".grp"))
            QCOMPARE(decodeGRP(content, expected), QString());
        else if (!name.endsWith(".pp"))
            QVERIFY(name.endsWith(".scr") ? decodeSCR(content, expected) : decodeMLT(content, expected));
        else
            expected = randomPicture(41);

        const ProgramRun run = easel({"--export-c", "a.c", "--export-asm", "a.asm", "--name", "PIC", "--export-grp",
                                      "a.grp", "--save", "a.pp", input});
        QCOMPARE(run.status, 0);
        QCOMPARE(readFile("a.c"), cSource(expected, "PIC"));
        QCOMPARE(readFile("a.asm"), asmSource(expected, "PIC"));
        QCOMPARE(readFile("a.grp"), encodeGRP(expected));
        // Exports do not change the picture; an imported screen is saved whole (40K).
        QCOMPARE(readFile("a.pp"), ppBytes(expected, true));
    }

    void refusedInputsWriteNothing_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("short scr") << "in.scr" << QByteArray(6000, '\1');
        QTest::newRow("empty grp") << "in.grp" << QByteArray();
        QTest::newRow("undecodable png") << "in.png" << QByteArray("\x89PNG\r\n\x1a\nbroken", 14);
    }

    void refusedInputsWriteNothing()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        writeFile(input, content);
        const ProgramRun run = easel({"--export-grp", "a.grp", "--save", "a.pp", input});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith("easel: ") && run.err.contains(input), qPrintable(run.err));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{input});
    }

    void picturesConvertWithTheChosenMethod()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QImage image(300, 100, QImage::Format_RGB32);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 300; ++x)
                image.setPixel(x, y, qRgb(x % 256, y * 2, 128));
        QVERIFY(image.save("in.png"));
        const ProgramRun run = easel({"--method", "ordered-9", "--save", "a.pp", "in.png"});
        QCOMPARE(run.status, 0);
        PictureImportSettings settings;
        settings.method = dither::Method::Ordered9;
        Picture expected;
        ClearPicture(expected);
        QVERIFY(importPictureFile("in.png", settings, expected));
        QCOMPARE(readFile("a.pp"), ppBytes(expected, true));
    }
};

QTEST_GUILESS_MAIN(TestEaselBatchTransfers)
#include "test_easel_batch_transfers.moc"
