// Every malformed PowerPaint file of the corpus: refused with the Open dialog's
// message, the picture and its size untouched, and the batch run writes nothing.

#include "batch_command.h"
#include "malformed_inputs.h"
#include "pp_file.h"

#include <QTemporaryDir>

using namespace paint;

class TestMalformedPowerPaint : public QObject {
    Q_OBJECT
private slots:
    void refused_data() { addMalformedRows(QStringLiteral("easel")); }

    void refused()
    {
        QFETCH(QString, path);
        Picture picture;
        ClearPicture(picture);
        picture.bitmapPatterns[100] = 0xA5;
        const Picture before = picture;
        bool fullScreenFile = true;
        const tms::FileResult loaded = ChargePPFile(path, picture, fullScreenFile);
        QVERIFY(!loaded);
        QCOMPARE(loaded.error, notPowerPaintMessage());
        QVERIFY(picture == before && fullScreenFile);

        QTemporaryDir out;
        tms::batch::CapturedConsole console(QStringLiteral("easel"));
        QCOMPARE(runBatch({"easel", "--save", out.filePath("out.pp"), "--png", out.filePath("out.png"), path}, console), 1);
        QVERIFY2(console.err.startsWith("easel: ") && console.err.contains(path), qPrintable(console.err));
        QVERIFY(folderIsEmpty(out.path()));
    }
};

QTEST_GUILESS_MAIN(TestMalformedPowerPaint)
#include "test_malformed_pp.moc"
