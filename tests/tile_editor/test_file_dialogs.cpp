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

        // The assembler's format controls come back with the path (the window passes them
        // on in exportsWriteOnlyAConfirmedPath).
        auto asmDialog = makeFileDialog(FileDialogKind::ExportASM, {}, dialogs, nullptr);
        auto* syntax = asmDialog->findChild<QComboBox*>("cmb_asm_syntax");
        syntax->setCurrentIndex(syntax->findText("sdas: SDCC's assembler"));
        auto* codec = asmDialog->findChild<QComboBox*>("cmb_compression");
        codec->setCurrentIndex(codec->findText("Pletter"));
        asmDialog->submit(dir.filePath("game"));
        const std::optional<FileChoice> exported = fileDialogChoice(FileDialogKind::ExportASM, *asmDialog);
        QVERIFY(exported && exported->path == dir.filePath("game.asm"));
        QVERIFY(exported->asmExport.syntax == tms::AsmSyntax::Sdas
                && exported->asmExport.compression == tms::Compression::Pletter);
    }

    // The rows start as last chosen, the RLE box unchecked at opening; the rows pull each
    // other along; the RLE box and the compression box show one choice.
    void exportCOptions()
    {
        ScriptedDialogs dialogs;
        auto c = makeFileDialog(FileDialogKind::ExportC, {true, 4, 9}, dialogs, nullptr);
        auto* options = c->findChild<CExportOptionsPanel*>();
        auto* codec = c->findChild<QComboBox*>("cmb_compression");
        QVERIFY(!options->m_rleCheck->isChecked() && options->m_startRowBar->value() == 4);
        options->onMoreOptionsClicked();
        QVERIFY(!options->m_moreOptionsButton->isEnabled() && options->m_startRowBar->isVisibleTo(options));
        options->m_startRowBar->setValue(12); // pulls the end along
        QCOMPARE(options->m_endRowBar->value(), 12);
        options->m_endRowBar->setValue(2); // pulls the start along
        QCOMPARE(options->m_startRowBar->value(), 2);
        options->m_endRowBar->setValue(7);
        codec->setCurrentIndex(codec->findText("ZX0"));
        options->m_rleCheck->setChecked(true);
        QCOMPARE(codec->currentText(), QString("RLE"));

        c->submit("game.C"); // kept as typed
        std::optional<FileChoice> choice = fileDialogChoice(FileDialogKind::ExportC, *c);
        QVERIFY(choice && choice->path == QDir(c->directory()).filePath("game.C"));
        QVERIFY(choice->cExport.rle && choice->cExport.startLine == 2 && choice->cExport.endLine == 7);
        codec->setCurrentIndex(codec->findText("ZX0"));
        QVERIFY(!options->m_rleCheck->isChecked());
        choice = fileDialogChoice(FileDialogKind::ExportC, *c);
        QCOMPARE(compressionOf(choice->cExport), tms::Compression::Zx0);
    }
};

QTEST_MAIN(TestFileDialogs)
#include "test_file_dialogs.moc"
