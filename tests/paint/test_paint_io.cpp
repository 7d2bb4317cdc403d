// PowerPaint files as easel reads and writes them.
#include "paint_test_support.h"
#include "powerpaint.h"
#include "pp_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

class TestPaintIo : public QObject {
    Q_OBJECT
private slots:
    // The layout itself is tested with the codec in common; here the file round trip.
    void savesAndLoadsBack_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("10K") << false;
        QTest::newRow("40K") << true;
    }

    void savesAndLoadsBack()
    {
        QFETCH(bool, full);
        QTemporaryDir dir;
        const Picture picture = randomPicture(full ? 4 : 3);
        const QString path = dir.filePath("a.pp");
        writeFile(path, QByteArray(50000, char(0xEE))); // a longer file is replaced whole
        QVERIFY(savePPFile(path, picture, full));
        QCOMPARE(readFile(path), tms::powerpaint::encode(picture.bitmapPatterns, picture.bitmapColors, full));
        const Picture before = randomPicture(8);
        Picture loaded = before;
        bool fullScreen = !full;
        QVERIFY(ChargePPFile(path, loaded, fullScreen));
        QCOMPARE(fullScreen, full);
        // A 10K file keeps the rows and columns it does not hold.
        for (int i = 0; i < 6144; ++i) {
            const Picture& source = (full || (i / 256 < 20 && i % 256 < 240)) ? picture : before;
            QCOMPARE(loaded.bitmapPatterns[i], source.bitmapPatterns[i]);
            QCOMPARE(loaded.bitmapColors[i], source.bitmapColors[i]);
        }
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
};

QTEST_APPLESS_MAIN(TestPaintIo)
#include "test_paint_io.moc"
