#include "lien.h"
#include "test_files.h"
#include "scripted_dialogs.h"
#include "tile_file_dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

// What the tile editor's file dialogs store in LIEN (the chooser's own rules are
// tested in test_file_chooser).
class TestFileDialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { forgetRememberedPaths(); }

    void choicesAreStoredOnlyWhenTaken()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("good.dat"), "NAME and anything");
        writeFile(dir.filePath("spaces.dat"), "  NAME    DB      $20");
        ScriptedDialogs dialogs;
        auto open = makeFileDialog(FileDialogKind::OpenDAT, dialogs, nullptr);
        open->submit(dir.filePath("spaces.dat"));
        QCOMPARE(dialogs.texts(), QStringList{"Illegal DAT file"});
        QVERIFY(!storeFileDialogChoice(FileDialogKind::OpenDAT, *open));
        QVERIFY(LIEN().datFileName.isEmpty());
        open->submit(dir.filePath("good.dat"));
        QVERIFY(storeFileDialogChoice(FileDialogKind::OpenDAT, *open));
        QCOMPARE(LIEN().datFileName, dir.filePath("good.dat"));

        auto save = makeFileDialog(FileDialogKind::SaveAsDAT, dialogs, nullptr); // starts in the folder of the last one
        QCOMPARE(save->directory().absolutePath(), QDir(dir.path()).absolutePath());
        dialogs.yesNoAnswers.enqueue(false);
        save->submit("good");
        QCOMPARE(dialogs.shown.last().text, QString("Do you want to replace this DAT file"));
        QVERIFY(!storeFileDialogChoice(FileDialogKind::SaveAsDAT, *save));
        QCOMPARE(LIEN().datFileName, dir.filePath("good.dat"));

        auto asmDialog = makeFileDialog(FileDialogKind::ExportASM, dialogs, nullptr);
        asmDialog->submit(dir.filePath("game"));
        QVERIFY(storeFileDialogChoice(FileDialogKind::ExportASM, *asmDialog));
        QCOMPARE(LIEN().asmFileName, dir.filePath("game.asm"));
        LIEN().asmFileName.clear(); // the folder is remembered after the name is emptied
        auto again = makeFileDialog(FileDialogKind::ExportASM, dialogs, nullptr);
        QCOMPARE(again->directory().absolutePath(), QDir(dir.path()).absolutePath());
    }

    void exportCOptions()
    {
        QTemporaryDir dir;
        LIEN().rleFlag = true; // the check box is still unchecked at opening
        LIEN().startLine = 4;
        LIEN().endLine = 9;
        ScriptedDialogs dialogs;
        auto c = makeFileDialog(FileDialogKind::ExportC, dialogs, nullptr);
        auto* options = c->findChild<Export2COptions*>();
        QVERIFY(!options->RLE->isChecked());
        QCOMPARE(options->HScroll1->value(), 4);
        options->cmd_moreoptions_Click();
        QVERIFY(!options->cmd_moreoptions->isEnabled());
        QVERIFY(options->HScroll1->isVisibleTo(options));

        options->HScroll1->setValue(12); // pulls the end along
        QCOMPARE(options->HScroll2->value(), 12);
        options->HScroll2->setValue(2); // pulls the start along
        QCOMPARE(options->HScroll1->value(), 2);
        options->HScroll2->setValue(7);
        options->RLE->setChecked(true);

        c->submit("game.C"); // kept as typed
        QVERIFY(storeFileDialogChoice(FileDialogKind::ExportC, *c));
        QCOMPARE(LIEN().cFileName, QDir(c->directory()).filePath("game.C"));
        QVERIFY(LIEN().rleFlag);
        QCOMPARE(LIEN().startLine, 2);
        QCOMPARE(LIEN().endLine, 7);

        // Closed without a choice: the options stay as they were.
        auto closed = makeFileDialog(FileDialogKind::ExportC, dialogs, nullptr);
        closed->findChild<Export2COptions*>()->HScroll1->setValue(20);
        closed->reject();
        QVERIFY(!storeFileDialogChoice(FileDialogKind::ExportC, *closed));
        QCOMPARE(LIEN().startLine, 2);
    }
};

QTEST_MAIN(TestFileDialogs)
#include "test_file_dialogs.moc"
