// PowerPaint files as easel reads and writes them, compared byte for byte with a
// layout written out here from the format's description.
#include "paint_test_support.h"
#include "pp_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

class TestPaintIo : public QObject {
    Q_OBJECT
private slots:
    void savesTheLayoutAndLoadsItBack_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("10K") << false;
        QTest::newRow("40K") << true;
    }

    void savesTheLayoutAndLoadsItBack()
    {
        QFETCH(bool, full);
        QTemporaryDir dir;
        const Picture picture = randomPicture(full ? 4 : 3);
        const QString path = dir.filePath("a.pp");
        QVERIFY(savePPFile(path, picture, full));
        QCOMPARE(readFile(path), full ? expected40K(picture) : expected10K(picture));
        Picture loaded;
        ClearPicture(loaded);
        bool fullScreen = !full;
        QVERIFY(ChargePPFile(path, loaded, fullScreen));
        QCOMPARE(fullScreen, full);
        if (full)
            QCOMPARE(loaded, picture);
    }

    void tenKLoadKeepsTheRowsItDoesNotHold()
    {
        QTemporaryDir dir;
        const Picture small = randomPicture(6);
        QVERIFY(savePPFile(dir.filePath("small.pp"), small, false));
        const Picture before = randomPicture(8);
        Picture picture = before;
        bool fullScreen = true;
        QVERIFY(ChargePPFile(dir.filePath("small.pp"), picture, fullScreen));
        QVERIFY(!fullScreen);
        for (int row = 0; row < 24; ++row)
            for (int column = 0; column < 32; ++column)
                for (int line = 0; line < 8; ++line) {
                    const int i = tms::bitmapIndex(row, column, line);
                    const Picture& source = (row < 20 && column < 30) ? small : before;
                    QCOMPARE(picture.bitmapPatterns[i], source.bitmapPatterns[i]);
                    QCOMPARE(picture.bitmapColors[i], source.bitmapColors[i]);
                }
        // Saving it again as 10K drops them: the file equals the one loaded.
        QVERIFY(savePPFile(dir.filePath("again.pp"), picture, false));
        QCOMPARE(readFile(dir.filePath("again.pp")), readFile(dir.filePath("small.pp")));
    }

    void unusedBytesAreIgnoredOnRead()
    {
        QTemporaryDir dir;
        const Picture picture = randomPicture(10);
        QByteArray bytes = expected40K(picture);
        for (int block = 0; block < 8; ++block)
            for (int r = 0; r < 20; ++r)
                bytes[block * 5120 + r * 256 + 3] = char(0x5A);
        bytes[10240 + 100] = char(0x77);          // quadrant 1, beyond column 31
        bytes[20480 + 4 * 256 + 50] = char(0x66); // quadrant 2, block row 4
        writeFile(dir.filePath("noisy.pp"), bytes);
        Picture loaded;
        ClearPicture(loaded);
        bool fullScreen = false;
        QVERIFY(ChargePPFile(dir.filePath("noisy.pp"), loaded, fullScreen));
        QCOMPARE(loaded, picture);
    }

    // Missing files, folders and pipes are refused by the shared reader (test_common).
    void badFilesAreRefusedAndLeaveThePicture_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated 10K") << QByteArray(10239, 'x');
        QTest::newRow("between sizes") << QByteArray(20480, 'x');
        QTest::newRow("oversized") << QByteArray(40961, 'x');
        QTest::newRow("garbage text") << QByteArray("GIF89a this is not a picture");
    }

    void badFilesAreRefusedAndLeaveThePicture()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.pp");
        writeFile(path, content);
        const Picture before = randomPicture(13);
        Picture picture = before;
        bool fullScreen = true;
        const tms::FileResult result = ChargePPFile(path, picture, fullScreen);
        QVERIFY(!result.ok);
        QCOMPARE(result.error, notPowerPaintMessage());
        QCOMPARE(picture, before);
        QVERIFY(fullScreen);
    }

    void saveReplacesALongerFileWithExactlyItsSize()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.pp");
        writeFile(path, QByteArray(40960, char(0xEE)));
        const Picture picture = randomPicture(14);
        QVERIFY(savePPFile(path, picture, false));
        QCOMPARE(readFile(path), expected10K(picture));
    }
};

QTEST_APPLESS_MAIN(TestPaintIo)
#include "test_paint_io.moc"
