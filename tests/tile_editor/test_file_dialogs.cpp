#include "test_files.h"
#include "scripted_dialogs.h"
#include "tile_file_dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QComboBox>
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

        // Closed without a choice: nothing.
        auto closed = makeFileDialog(FileDialogKind::ExportC, {}, dialogs, nullptr);
        closed->findChild<CExportOptionsPanel*>()->m_startRowBar->setValue(20);
        closed->reject();
        QVERIFY(!fileDialogChoice(FileDialogKind::ExportC, *closed));
    }

    // The format controls: syntax, style and codec come back with the path; the RLE box
    // and the compression box show one choice.
    void exportFormatControls()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        auto asmDialog = makeFileDialog(FileDialogKind::ExportASM, {}, dialogs, nullptr);
        auto* syntax = asmDialog->findChild<QComboBox*>("cmb_asm_syntax");
        auto* codec = asmDialog->findChild<QComboBox*>("cmb_compression");
        QVERIFY(syntax && codec && syntax->currentIndex() == 0 && codec->currentIndex() == 0); // dot, none
        syntax->setCurrentIndex(int(tms::AsmSyntax::Sdas));
        codec->setCurrentIndex(int(tms::Compression::Pletter));
        asmDialog->submit(dir.filePath("game"));
        const std::optional<FileChoice> assembler = fileDialogChoice(FileDialogKind::ExportASM, *asmDialog);
        QVERIFY(assembler->asmExport.syntax == tms::AsmSyntax::Sdas);
        QVERIFY(assembler->asmExport.compression == tms::Compression::Pletter);

        auto c = makeFileDialog(FileDialogKind::ExportC, {}, dialogs, nullptr);
        auto* options = c->findChild<CExportOptionsPanel*>();
        auto* cCodec = c->findChild<QComboBox*>("cmb_compression");
        options->m_rleCheck->setChecked(true);
        QCOMPARE(cCodec->currentIndex(), int(tms::Compression::Rle));
        cCodec->setCurrentIndex(int(tms::Compression::Zx0));
        QVERIFY(!options->m_rleCheck->isChecked());
        c->findChild<QComboBox*>("cmb_c_style")->setCurrentIndex(int(tms::CStyle::Stdint));
        c->submit(dir.filePath("game"));
        const std::optional<FileChoice> cChoice = fileDialogChoice(FileDialogKind::ExportC, *c);
        QVERIFY(cChoice->cExport.style == tms::CStyle::Stdint && compressionOf(cChoice->cExport) == tms::Compression::Zx0);

        auto bin = makeFileDialog(FileDialogKind::ExportBIN, {}, dialogs, nullptr);
        QVERIFY(!bin->findChild<QComboBox*>("cmb_asm_syntax") && !bin->findChild<QComboBox*>("cmb_c_style"));
        bin->findChild<QComboBox*>("cmb_compression")->setCurrentIndex(int(tms::Compression::Zx0));
        bin->submit(dir.filePath("tiles"));
        const std::optional<FileChoice> binary = fileDialogChoice(FileDialogKind::ExportBIN, *bin);
        QCOMPARE(binary->path, dir.filePath("tiles.pat"));
        QVERIFY(binary->binaryCompression == tms::Compression::Zx0);
    }
};

QTEST_MAIN(TestFileDialogs)
#include "test_file_dialogs.moc"
