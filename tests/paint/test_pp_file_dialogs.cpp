// The picture dialogs: what they check, what they complete, and what they leave in
// LIEN for the main window.
#include "file_chooser.h"
#include "lien.h"
#include "paint_test_support.h"
#include "pp_file.h"
#include "pp_file_dialogs.h"
#include "scripted_dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

class TestPpFileDialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { LIEN::reset(); }

    void openRefusesOtherLengthsAndStaysOpen()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("odd.pp"), QByteArray(5000, 'x'));
        writeFile(dir.filePath("good.pp"), QByteArray(40960, '\0'));
        LIEN::setLastPicturePath(dir.filePath("previous.pp"));
        ScriptedDialogs dialogs;
        const auto chooser = createOpenPPFile(dialogs, nullptr);
        QCOMPARE(chooser->objectName(), QString("OpenPPFile"));
        QCOMPARE(chooser->windowTitle(), QString("Open PowerPaint file"));
        QCOMPARE(chooser->directory().absolutePath(), QDir(dir.path()).absolutePath());

        chooser->submit(dir.filePath("odd.pp"));
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].title, QString("Warning"));
        QCOMPARE(dialogs.shown[0].text, notPowerPaintMessage());
        QVERIFY(chooser->chosenPath().isEmpty());
        storeOpenPPFileChoice(*chooser);
        QCOMPARE(LIEN::lastPicturePath(), dir.filePath("previous.pp")); // nothing confirmed

        chooser->submit(dir.filePath("good.pp"));
        QCOMPARE(chooser->result(), int(QDialog::Accepted));
        storeOpenPPFileChoice(*chooser);
        QCOMPARE(LIEN::lastPicturePath(), dir.filePath("good.pp"));
    }

    void closedOpenDialogLeavesLien()
    {
        ScriptedDialogs dialogs;
        LIEN::setLastPicturePath("/somewhere/a.pp");
        const int writes = LIEN::lastPicturePathWrites();
        const auto chooser = createOpenPPFile(dialogs, nullptr);
        chooser->reject();
        storeOpenPPFileChoice(*chooser);
        QCOMPARE(LIEN::lastPicturePathWrites(), writes);
    }

    void saveAsCompletesTheNameAndStoresTheSize()
    {
        QTemporaryDir dir;
        LIEN::setLastPicturePath(dir.filePath("x.pp"));
        LIEN::setFullScreenFile(true);
        ScriptedDialogs dialogs;
        const SaveAsPPFile dialog = createSaveAsPPFile(dialogs, nullptr);
        QCOMPARE(dialog.chooser->objectName(), QString("SaveAsPPFile"));
        QCOMPARE(dialog.chooser->windowTitle(), QString("Save As (PP File)"));
        QCOMPARE(dialog.Check1->text(), QString("FullScreen 40K"));
        QCOMPARE(dialog.Check1->objectName(), QString("Check1"));
        QVERIFY(dialog.Check1->isChecked()); // shows the current size
        QCOMPARE(dialog.chooser->findChild<QCheckBox*>("Check1"), dialog.Check1);

        dialog.Check1->setChecked(false);
        dialog.chooser->submit("level1");
        storeSaveAsPPFileChoice(dialog);
        QCOMPARE(LIEN::lastPicturePath(), QDir(dir.path()).filePath("level1.pp"));
        QVERIFY(!LIEN::fullScreenFile());
        QVERIFY(!QFile::exists(LIEN::lastPicturePath())); // the dialog never writes or deletes
    }

    void saveAsAsksBeforeTakingANonEmptyFileAndNeverDeletesIt()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("taken.PP"), QByteArray(10240, 'x'));
        LIEN::setLastPicturePath(dir.filePath("x.pp"));
        ScriptedDialogs dialogs;
        const SaveAsPPFile dialog = createSaveAsPPFile(dialogs, nullptr);
        dialogs.yesNoAnswers.enqueue(false);
        dialog.chooser->submit("taken.PP");
        QCOMPARE(dialogs.texts(), QStringList{"Do you want to replace this file"});
        storeSaveAsPPFileChoice(dialog);
        QCOMPARE(LIEN::lastPicturePath(), dir.filePath("x.pp"));
        dialogs.yesNoAnswers.enqueue(true);
        dialog.chooser->submit("taken.PP");
        storeSaveAsPPFileChoice(dialog);
        QCOMPARE(LIEN::lastPicturePath(), QDir(dir.path()).filePath("taken.PP"));
        QCOMPARE(QFileInfo(dir.filePath("taken.PP")).size(), 10240); // still whole until the write
    }

    void checkAcceptsOnlyPowerPaintLengths()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.pp"), QByteArray(10240, 'x'));
        writeFile(dir.filePath("b.pp"), QByteArray(10241, 'x'));
        QVERIFY(checkPowerPaintLength(dir.filePath("a.pp")).isEmpty());
        QCOMPARE(checkPowerPaintLength(dir.filePath("b.pp")), notPowerPaintMessage());
        QCOMPARE(checkPowerPaintLength(dir.filePath("missing.pp")), notPowerPaintMessage());
    }
};

QTEST_MAIN(TestPpFileDialogs)
#include "test_pp_file_dialogs.moc"
