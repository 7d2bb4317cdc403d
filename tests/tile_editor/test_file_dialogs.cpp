#include "scripted_dialogs.h"
#include "test_files.h"
#include "tile_file_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
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

        auto save =
            makeFileDialog(FileDialogKind::SaveAsDAT, {}, dialogs, nullptr); // starts in the folder of the last one
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
        ScriptedDialogs dialogs;
        // The rows start as last chosen; the check box is still unchecked at opening.
        auto c = makeFileDialog(FileDialogKind::ExportC, {true, 4, 9}, dialogs, nullptr);
        auto* options = c->findChild<CExportOptionsPanel*>();
        QVERIFY(!options->m_rleCheck->isChecked());
        QCOMPARE(options->m_startRowBar->value(), 4);
        options->onMoreOptionsClicked();
        QVERIFY(!options->m_moreOptionsButton->isEnabled());
        QVERIFY(options->m_startRowBar->isVisibleTo(options));

        options->m_startRowBar->setValue(12); // pulls the end along
        QCOMPARE(options->m_endRowBar->value(), 12);
        options->m_endRowBar->setValue(2); // pulls the start along
        QCOMPARE(options->m_startRowBar->value(), 2);
        options->m_endRowBar->setValue(7);
        options->m_rleCheck->setChecked(true);

        c->submit("game.C"); // kept as typed
        const std::optional<FileChoice> choice = fileDialogChoice(FileDialogKind::ExportC, *c);
        QVERIFY(choice);
        QCOMPARE(choice->path, QDir(c->directory()).filePath("game.C"));
        QVERIFY(choice->cExport.rle);
        QCOMPARE(choice->cExport.startLine, 2);
        QCOMPARE(choice->cExport.endLine, 7);
    }

    // The format controls come back with the path (the window passes them on in
    // exportsWriteOnlyAConfirmedPath); the RLE box and the compression box show one choice.
    void formatChoices()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        auto asmDialog = makeFileDialog(FileDialogKind::ExportASM, {}, dialogs, nullptr);
        auto* syntax = asmDialog->findChild<QComboBox*>("cmb_asm_syntax");
        syntax->setCurrentIndex(syntax->findText("sdas: SDCC's assembler"));
        auto* asmCodec = asmDialog->findChild<QComboBox*>("cmb_compression");
        asmCodec->setCurrentIndex(asmCodec->findText("Pletter"));
        asmDialog->submit(dir.filePath("game"));
        const AsmExportOptions chosen = fileDialogChoice(FileDialogKind::ExportASM, *asmDialog)->asmExport;
        QVERIFY(chosen.syntax == tms::AsmSyntax::Sdas && chosen.compression == tms::Compression::Pletter);

        auto c = makeFileDialog(FileDialogKind::ExportC, {}, dialogs, nullptr);
        auto* options = c->findChild<CExportOptionsPanel*>();
        auto* codec = c->findChild<QComboBox*>("cmb_compression");
        options->m_rleCheck->setChecked(true);
        QCOMPARE(codec->currentText(), QString("RLE"));
        codec->setCurrentIndex(codec->findText("ZX0"));
        QVERIFY(!options->m_rleCheck->isChecked());
        c->submit(dir.filePath("game"));
        QCOMPARE(compressionOf(fileDialogChoice(FileDialogKind::ExportC, *c)->cExport), tms::Compression::Zx0);
    }
};

QTEST_MAIN(TestFileDialogs)
#include "test_file_dialogs.moc"
