#include "file_chooser.h"
#include "test_files.h"
#include "scripted_dialogs.h"
#include "write_failures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tms;

namespace {

ChooserSetup saveSetup(const QString& folder)
{
    ChooserSetup setup;
    setup.objectName = "SaveAsDATFile";
    setup.caption = "Save As DAT File";
    setup.pattern = "*.dat";
    setup.kind = ChooserSetup::Kind::Save;
    setup.submitText = "Save";
    setup.extension = ".dat";
    setup.replacePrompt = "Do you want to replace this DAT file";
    setup.rememberedPath = folder + "/old.dat";
    return setup;
}

} // namespace

class TestFileChooser : public QObject {
    Q_OBJECT
private slots:
    void extensionCompletion()
    {
        QCOMPARE(completeExtension("level1", ".dat"), QString("level1.dat"));
        QCOMPARE(completeExtension("LEVEL1.DAT", ".dat"), QString("LEVEL1.DAT"));
        QCOMPARE(completeExtension("game.C", ".c"), QString("game.C"));
        QCOMPARE(completeExtension("game", ".c"), QString("game.c"));
        QCOMPARE(completeExtension("pic.txt", ".pp"), QString("pic.txt.pp"));
    }

    void saveCompletesNameAndAsksBeforeReplacing()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("full.dat"), "NAME");
        writeFile(dir.filePath("empty.dat"), "");
        ScriptedDialogs dialogs;
        FileChooser chooser(saveSetup(dir.path()), dialogs, nullptr);
        QCOMPARE(chooser.directory().absolutePath(), QDir(dir.path()).absolutePath());
        QCOMPARE(chooser.objectName(), QString("SaveAsDATFile"));
        QCOMPARE(chooser.windowTitle(), QString("Save As DAT File"));
        chooser.submit("");
        QVERIFY(chooser.chosenPath().isEmpty());
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        dialogs.yesNoAnswers.enqueue(false);
        chooser.submit("full");
        QVERIFY(chooser.chosenPath().isEmpty());
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].title, QString("Warning"));
        QCOMPARE(dialogs.shown[0].text, QString("Do you want to replace this DAT file"));
        QCOMPARE(QFileInfo(dir.filePath("full.dat")).size(), 4); // untouched
        chooser.submit("empty.dat"); // an empty file is taken without a question
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(chooser.chosenPath(), QDir(dir.path()).filePath("empty.dat"));
        dialogs.yesNoAnswers.enqueue(true);
        chooser.submit("full.dat");
        QCOMPARE(chooser.chosenPath(), QDir(dir.path()).filePath("full.dat"));
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        chooser.submit("level1");
        QCOMPARE(chooser.chosenPath(), QDir(dir.path()).filePath("level1.dat"));
        QVERIFY(!QFile::exists(chooser.chosenPath())); // the chooser never creates or deletes
        QCOMPARE(dialogs.shown.size(), 2);
        QCOMPARE(dialogs.unexpected, 0);
    }

    void openChecksSignatureAndStaysOpen()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("good.dat"), "NAME and anything");
        writeFile(dir.filePath("bad.dat"), "  NAME");
        ScriptedDialogs dialogs;
        ChooserSetup setup;
        setup.objectName = "OpenDATFile";
        setup.caption = "Open DAT file";
        setup.pattern = "*.dat";
        setup.check = signatureCheck("NAME", "Illegal DAT file");
        setup.rememberedPath = dir.filePath("x.dat");
        FileChooser chooser(setup, dialogs, nullptr);

        chooser.submit(dir.filePath("bad.dat"));
        QVERIFY(chooser.chosenPath().isEmpty());
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        QCOMPARE(dialogs.texts(), QStringList{"Illegal DAT file"});

        // A file that may not be read is told as such, not as a file of the wrong kind.
        writeFile(dir.filePath("locked.dat"), "NAME");
        QFile::setPermissions(dir.filePath("locked.dat"), QFileDevice::WriteOwner);
        {
            write_failures::WithoutRootRights unprivileged;
            chooser.submit(dir.filePath("locked.dat"));
        }
        QCOMPARE(dialogs.texts().last(), QString("Cannot read \"%1\": Permission denied").arg(dir.filePath("locked.dat")));

        chooser.submit(dir.filePath("good.dat"));
        QCOMPARE(chooser.chosenPath(), dir.filePath("good.dat"));
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestFileChooser)
#include "test_file_chooser.moc"
