// The picture dialogs: their names, their length check and what they leave in LIEN
// for the main window (the chooser's own rules are tested in test_file_chooser).
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

    void openStoresOnlyAPowerPaintFile()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("odd.pp"), QByteArray(10241, 'x'));
        writeFile(dir.filePath("good.pp"), QByteArray(40960, '\0'));
        LIEN::setLastPicturePath(dir.filePath("previous.pp"));
        ScriptedDialogs dialogs;
        const auto chooser = createOpenPPFile(dialogs, nullptr);
        QCOMPARE(chooser->objectName(), QString("OpenPPFile"));
        QCOMPARE(chooser->windowTitle(), QString("Open PowerPaint file"));
        QCOMPARE(chooser->directory().absolutePath(), QDir(dir.path()).absolutePath());
        const int writes = LIEN::lastPicturePathWrites();
        chooser->submit(dir.filePath("odd.pp"));
        QCOMPARE(dialogs.texts(), QStringList{notPowerPaintMessage()});
        storeOpenPPFileChoice(*chooser);
        QCOMPARE(LIEN::lastPicturePathWrites(), writes); // nothing confirmed, nothing written
        chooser->submit(dir.filePath("good.pp"));
        storeOpenPPFileChoice(*chooser);
        QCOMPARE(LIEN::lastPicturePath(), dir.filePath("good.pp"));
        QCOMPARE(checkPowerPaintLength(dir.filePath("missing.pp")), notPowerPaintMessage());
    }

    void saveAsStoresTheNameAndTheSize()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("taken.PP"), QByteArray(10240, 'x'));
        LIEN::setLastPicturePath(dir.filePath("x.pp"));
        LIEN::setFullScreenFile(true);
        ScriptedDialogs dialogs;
        const SaveAsPPFile dialog = createSaveAsPPFile(dialogs, nullptr);
        QCOMPARE(dialog.chooser->objectName(), QString("SaveAsPPFile"));
        QCOMPARE(dialog.chooser->windowTitle(), QString("Save As (PP File)"));
        QCOMPARE(dialog.Check1->text(), QString("FullScreen 40K"));
        QCOMPARE(dialog.chooser->findChild<QCheckBox*>("Check1"), dialog.Check1);
        QVERIFY(dialog.Check1->isChecked()); // shows the current size

        dialogs.yesNoAnswers.enqueue(false);
        dialog.chooser->submit("taken.PP");
        QCOMPARE(dialogs.texts(), QStringList{"Do you want to replace this file"});
        storeSaveAsPPFileChoice(dialog);
        QCOMPARE(LIEN::lastPicturePath(), dir.filePath("x.pp"));

        dialog.Check1->setChecked(false);
        dialog.chooser->submit("level1");
        storeSaveAsPPFileChoice(dialog);
        QCOMPARE(LIEN::lastPicturePath(), QDir(dir.path()).filePath("level1.pp"));
        QVERIFY(!LIEN::fullScreenFile());
    }
};

QTEST_MAIN(TestPpFileDialogs)
#include "test_pp_file_dialogs.moc"
