// The rules of the one file chooser behind every file dialog of the editors; the
// dialogs of each program only add their names and what they return.
#include "file_chooser.h"
#include "scripted_dialogs.h"
#include "test_files.h"
#include "write_failures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tms;

class TestFileChooser : public QObject {
    Q_OBJECT
private slots:
    // In a folder holding full.dat (4 bytes), empty.dat, good.dat ("NAME..."), bad.dat
    // ("  NAME") and locked.dat (not readable): what a confirmation settles and what
    // the user is told or asked. A save chooser completes ".dat" and asks before taking
    // a non-empty file; an open chooser checks the "NAME" signature and stays open.
    void rules_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        const QString replace = QStringLiteral("Do you want to replace this DAT file");
        QTest::newRow("extension completed") << true << "level1" << false << "level1.dat"
                                             << "";
        QTest::newRow("extension in any case") << true << "LEVEL1.DAT" << false << "LEVEL1.DAT"
                                               << "";
        QTest::newRow("other extension kept") << true << "pic.txt" << false << "pic.txt.dat"
                                              << "";
        QTest::newRow("empty name") << true << "" << false << ""
                                    << "";
        QTest::newRow("replace refused") << true << "full" << false << "" << replace;
        QTest::newRow("replace accepted") << true << "full.dat" << true << "full.dat" << replace;
        QTest::newRow("empty file taken") << true << "empty.dat" << false << "empty.dat"
                                          << "";
        QTest::newRow("signature") << false << "good.dat" << false << "good.dat"
                                   << "";
        QTest::newRow("no signature") << false << "bad.dat" << false << ""
                                      << "Illegal DAT file";
        QTest::newRow("not readable") << false << "locked.dat" << false << ""
                                      << "Cannot read \"%1/locked.dat\": Permission denied";
    }

    void rules()
    {
        QFETCH(bool, save);
        QFETCH(QString, typed);
        QFETCH(bool, answer);
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const QString folder = QDir(dir.path()).absolutePath();
        writeFile(dir.filePath("full.dat"), "NAME");
        writeFile(dir.filePath("empty.dat"), "");
        writeFile(dir.filePath("good.dat"), "NAME and anything");
        writeFile(dir.filePath("bad.dat"), "  NAME");
        writeFile(dir.filePath("locked.dat"), "NAME");
        QFile::setPermissions(dir.filePath("locked.dat"), QFileDevice::WriteOwner);

        ChooserSetup setup;
        setup.objectName = "Chooser";
        setup.caption = "Choose";
        setup.pattern = "*.dat";
        setup.rememberedPath = dir.filePath("old.dat");
        if (save) {
            setup.kind = ChooserSetup::Kind::Save;
            setup.extension = ".dat";
            setup.replacePrompt = "Do you want to replace this DAT file";
        } else {
            setup.check = signatureCheck("NAME", "Illegal DAT file");
        }
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers.enqueue(answer);
        FileChooser chooser(setup, dialogs, nullptr);
        QCOMPARE(chooser.directory().absolutePath(), folder); // starts where the last file was
        {
            std::optional<write_failures::WithoutRootRights> unprivileged; // locked for root too
            if (typed == "locked.dat")
                unprivileged.emplace();
            chooser.submit(save || typed.isEmpty() ? typed : dir.filePath(typed));
        }
        QCOMPARE(chooser.chosenPath(), chosen.isEmpty() ? QString() : QDir(dir.path()).filePath(chosen));
        QCOMPARE(chooser.result(), int(chosen.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(dialogs.texts(), shown.isEmpty() ? QStringList() : QStringList{shown.arg(dir.path())});
        if (!dialogs.shown.isEmpty())
            QCOMPARE(dialogs.shown[0].title, QString("Warning"));
        QCOMPARE(QFileInfo(dir.filePath("full.dat")).size(), 4); // the chooser never writes,
        QVERIFY(!QFile::exists(dir.filePath("level1.dat")));     // creates or deletes
    }
};

QTEST_MAIN(TestFileChooser)
#include "test_file_chooser.moc"
