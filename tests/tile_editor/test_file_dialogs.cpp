#include "test_files.h"
#include "scripted_dialogs.h"
#include "tile_file_dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

// What the tile editor's file dialogs return (the chooser's own rules are tested in
// test_file_chooser).
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
        auto open = makeFileDialog(FileDialogKind::OpenDAT, {}, dialogs, nullptr);
        open->submit(dir.filePath("spaces.dat"));
        QCOMPARE(dialogs.texts(), QStringList{"Illegal DAT file"});
        QVERIFY(!fileDialogChoice(FileDialogKind::OpenDAT, *open));
        open->submit(dir.filePath("good.dat"));
        const std::optional<FileChoice> opened = fileDialogChoice(FileDialogKind::OpenDAT, *open);
        QVERIFY(opened);
        QCOMPARE(opened->path, dir.filePath("good.dat"));
        rememberFolder(FileDialogKind::OpenDAT, opened->path); // as the window does with a choice

        auto save = makeFileDialog(FileDialogKind::SaveAsDAT, {}, dialogs, nullptr); // starts in the folder of the last one
        QCOMPARE(save->directory().absolutePath(), QDir(dir.path()).absolutePath());
        dialogs.yesNoAnswers.enqueue(false);
        save->submit("good");
        QCOMPARE(dialogs.shown.last().text, QString("Do you want to replace this DAT file"));
        QVERIFY(!fileDialogChoice(FileDialogKind::SaveAsDAT, *save));

        auto asmDialog = makeFileDialog(FileDialogKind::ExportASM, {}, dialogs, nullptr);
        asmDialog->submit(dir.filePath("game"));
        QCOMPARE(fileDialogChoice(FileDialogKind::ExportASM, *asmDialog)->path, dir.filePath("game.asm"));
    }

    void exportCOptions()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        // The rows start as last chosen; the check box is still unchecked at opening.
        auto c = makeFileDialog(FileDialogKind::ExportC, {true, 4, 9}, dialogs, nullptr);
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
        const std::optional<FileChoice> choice = fileDialogChoice(FileDialogKind::ExportC, *c);
        QVERIFY(choice);
        QCOMPARE(choice->path, QDir(c->directory()).filePath("game.C"));
        QVERIFY(choice->cExport.rle);
        QCOMPARE(choice->cExport.startLine, 2);
        QCOMPARE(choice->cExport.endLine, 7);

        // Closed without a choice: nothing.
        auto closed = makeFileDialog(FileDialogKind::ExportC, {}, dialogs, nullptr);
        closed->findChild<Export2COptions*>()->HScroll1->setValue(20);
        closed->reject();
        QVERIFY(!fileDialogChoice(FileDialogKind::ExportC, *closed));
    }
};

QTEST_MAIN(TestFileDialogs)
#include "test_file_dialogs.moc"
