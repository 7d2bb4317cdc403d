// Every malformed PowerPaint, Spectrum and MSX file of the corpus: refused with the
// Open or import dialog's message, the picture and its size untouched, and the batch
// run writes nothing.

#include "batch_command.h"
#include "malformed_inputs.h"
#include "grp_file.h"
#include "pp_file.h"
#include "spectrum_file.h"

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
        const QString suffix = QFileInfo(path).suffix().toLower();
        const tms::FileResult loaded = suffix == "scr" ? ChargeSCRFile(path, picture)
                                     : suffix == "mlt" ? ChargeMLTFile(path, picture)
                                     : suffix == "grp" ? ChargeGRPFile(path, picture)
                                                       : ChargePPFile(path, picture, fullScreenFile);
        QVERIFY(!loaded);
        const QStringList messages{notPowerPaintMessage(), notScrMessage(), notMltMessage(), notGrpMessage(),
                                   notGrpHeaderMessage()};
        QVERIFY2(messages.contains(loaded.error), qPrintable(loaded.error));
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
