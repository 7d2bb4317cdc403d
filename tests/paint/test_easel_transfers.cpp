// The paint window's file dialogs (Open, Save As, imports, exports): their checks and
// messages and what they return (the chooser's own rules are tested in
// test_file_chooser), what an import replaces, and that an export never changes the
// picture.
#include "easel_window_fixture.h"
#include "file_chooser.h"
#include "grp_file.h"
#include "paint_test_support.h"
#include "pp_file.h"
#include "pp_file_dialogs.h"
#include "source_export.h"
#include "spectrum_file.h"
#include "transfer_dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

// A picture whose export normalises it: rows with a hidden or transparent colour.
Picture pictureThatPacks()
{
    Picture p = randomPicture(31);
    for (int i = 0; i < 6144; i += 3) {
        p.bitmapPatterns[i] = i % 2 ? 0 : 255;
        p.bitmapColors[i] = std::uint8_t(0x40 + (i % 7));
    }
    return p;
}

} // namespace

class TestEaselTransfers : public QObject {
    Q_OBJECT
private slots:

    // An import is unsaved work without a name; a .mlt file inside a folder called
    // .scr is read by its own name.
    void importsReplaceThePicture()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.scr/pic.mlt");
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        const QByteArray content = randomBytes(12288, 14);
        writeFile(path, content);
        Picture expected;
        QVERIFY(decodeMLT(content, expected));

        EaselWindowFixture f;
        f->document().fileName = dir.filePath("old.pp");
        f.choices.enqueue({path, {}});
        f->onImportScrTriggered();
        QCOMPARE(f->document().picture, expected);
        QVERIFY(f->document().modified && f->document().fileName.isEmpty() && f.dialogs.shown.isEmpty());
        f.choices.enqueue({dir.filePath("saved.pp"), true});
        QVERIFY(f->onSaveTriggered()); // Save asks for a name, starting in the imported file's folder
        QCOMPARE(f.opened.last(), PaintDialog::SaveAsPicture);
        QCOMPARE(f.starts.last().path, path);
    }

    // Each import dialog refuses a bad file with its reader's check and stays open.
    void importDialogsCheckTheFile_data()
    {
        QTest::addColumn<TransferDialog>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QByteArray endAt37FF = encodeGRP(Picture{});
        endAt37FF[4] = char(55);
        QTest::newRow("scr") << TransferDialog::ImportSCRFile << "a.mlt" << QByteArray(6912, '\0') << notMltMessage();
        QTest::newRow("grp") << TransferDialog::ImportGRPFile << "a.grp" << endAt37FF << notGrpHeaderMessage();
        QTest::newRow("picture") << TransferDialog::ImportPictureFile << "a.png" << QByteArray("not a picture")
                                 << "Cannot read picture";
    }

    void importDialogsCheckTheFile()
    {
        QFETCH(TransferDialog, kind);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeFile(dir.filePath(file), content);
        ScriptedDialogs dialogs;
        const auto chooser = createTransferDialog(kind, dialogs, nullptr);
        chooser->submit(dir.filePath(file));
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY2(dialogs.shown[0].text.startsWith(message), qPrintable(dialogs.shown[0].text));
        QVERIFY(chooser->chosenPath().isEmpty() && !chooser->confirmedPath());
    }

    // The exports write the format chosen (the sources start at RLE, the stream they
    // always had, the raw tables plain), ask the table name again until it can name the
    // tables, tell a failed write, and never change the picture or its state.
    void exportsWriteTheChoiceAndLeaveThePicture()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        const Picture picture = pictureThatPacks();
        f->document().picture = picture;
        f->document().modified = true;
        f->document().fileName = dir.filePath("mine.pp");
        f.dialogs.textAnswers << QString("my pic") << QString("PIC") << QString() << QString("PIC");
        f.choices << DialogChoice{dir.filePath("a.c"), {}} << DialogChoice{dir.filePath("a.asm"), {}}
                  << DialogChoice{dir.filePath("a.grp"), {}} << DialogChoice{dir.filePath("missing/a.grp"), {}};
        f->onExportCTriggered();
        f->onExportAsmTriggered();
        f->onExportGrpTriggered();
        QCOMPARE(readFile(dir.filePath("a.c")), cSource(picture, "PIC"));
        QCOMPARE(readFile(dir.filePath("a.asm")), asmSource(picture, "IMAGE"));
        QCOMPARE(readFile(dir.filePath("a.grp")), encodeGRP(picture));
        QVERIFY(f.dialogs.shown[1].kind == "tell" && f.dialogs.shown[1].text.contains("\"my pic\" cannot name a table"));
        QCOMPARE(f.dialogs.shown.size(), 4);
        QCOMPARE(f->statusBar()->currentMessage(),
                 QStringLiteral("Wrote a.grp (%1 bytes)").arg(QFileInfo(dir.filePath("a.grp")).size()));
        f->onExportGrpTriggered();
        QVERIFY(f.dialogs.shown.size() == 5 && f.dialogs.shown[4].kind == "tell" && f.dialogs.shown[4].text.contains("a.grp"));

        QList<PaintDialogChoice> starts;
        f->showDialog = [&](PaintDialog dialog, const PaintDialogChoice& start) -> std::optional<PaintDialogChoice> {
            starts << start;
            PaintDialogChoice made = start;
            made.path = dir.filePath(dialog == PaintDialog::Export2BIN ? "pic.pat" : "pic.asm");
            made.exportFormat = {tms::AsmSyntax::Sdas, tms::CStyle::Stdint, tms::Compression::Pletter};
            return made;
        };
        f->onExportAsmTriggered();
        f->onExportBinTriggered();
        QVERIFY(starts[0].exportFormat.compression == tms::Compression::Rle);
        QVERIFY(starts[1].exportFormat.compression == tms::Compression::None);
        SourceOptions options;
        options.compression = tms::Compression::Pletter;
        options.syntax = tms::AsmSyntax::Sdas;
        QCOMPARE(readFile(dir.filePath("pic.asm")), asmSource(picture, "PIC", options));
        for (const char* name : {"pic.pat.plet", "pic.col.plet", "pic.nam.plet"})
            QVERIFY2(QFile::exists(dir.filePath(name)), name);
        QVERIFY(f->document().picture == picture && f->document().modified);
        QCOMPARE(f->document().fileName, dir.filePath("mine.pp"));
    }

    // The export dialog returns the format it was given (its controls are the shared
    // ones, tried with kardo) with the completed name.
    void exportDialogReturnsItsFormat()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        const tms::ExportFormat format{tms::AsmSyntax::Db, tms::CStyle::Coleco, tms::Compression::Zx0};
        const auto chooser = createExportDialog(TransferDialog::Export2ASM, format, dialogs, nullptr, dir.filePath("x.asm"));
        chooser->submit("pic");
        const std::optional<ExportChoice> chosen = exportDialogChoice(*chooser);
        QVERIFY(chosen && chosen->path.endsWith("pic.asm"));
        QVERIFY(chosen->format.syntax == tms::AsmSyntax::Db && chosen->format.compression == tms::Compression::Zx0);
    }

    void importPictureWithItsDialog()
    {
        QTemporaryDir dir;
        QImage image(320, 200, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 0));
        QVERIFY(image.save(dir.filePath("red.png")));

        // (The dialog itself is the shared one, tried in test_kardo_pictures.)
        EaselWindowFixture f;
        f->document().modified = true;
        f.dialogs.yesNoAnswers << false; // do not save the changes
        f.choices << DialogChoice{dir.filePath("red.png"), {}} << DialogChoice{};
        f->onImportPictureTriggered();
        QCOMPARE(f.opened, (QList<PaintDialog>{PaintDialog::ImportPictureFile, PaintDialog::ImportPictureOptions}));
        QCOMPARE(f.dialogs.shown[0].text, QString("Do you want to save the modification before closing?"));
        QVERIFY(f->document().modified); // unsaved work without a name
        QVERIFY(f->document().fileName.isEmpty());
        QVERIFY(pixelColor(f->document().picture, 8, 8) == 8 || pixelColor(f->document().picture, 8, 8) == 9); // a red

        // Cancelling the options leaves the picture.
        const Picture before = f->document().picture;
        f.choices << DialogChoice{dir.filePath("red.png"), {}};
        f->onImportPictureTriggered();
        QCOMPARE(f->document().picture, before);

        // A picture named on the command line is converted at the start.
        EaselWindowFixture started(dir.filePath("red.png"));
        QCOMPARE(started->document().picture, before);
        QCOMPARE(started->windowTitle(), QString("Mosaic Easel[*]"));
    }

    // The picture dialogs: their forms, and what they return.
    void pictureDialogsReturnTheirChoice()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("odd.pp"), QByteArray(10241, 'x'));
        writeFile(dir.filePath("good.pp"), QByteArray(40960, '\0'));
        ScriptedDialogs dialogs;
        const auto open = createOpenPPFile(dialogs, nullptr, dir.filePath("previous.pp"));
        QCOMPARE(open->directory().absolutePath(), QDir(dir.path()).absolutePath());
        open->submit(dir.filePath("odd.pp"));
        QVERIFY(!open->confirmedPath());
        open->submit(dir.filePath("good.pp"));
        QCOMPARE(open->confirmedPath(), std::optional<QString>(dir.filePath("good.pp")));
        QCOMPARE(dialogs.texts(), QStringList{notPowerPaintMessage()});

        const SaveAsPPFile save = createSaveAsPPFile(dialogs, nullptr, dir.filePath("x.pp"), true);
        QCOMPARE(save.chooser->findChild<QCheckBox*>("Check1"), save.Check1);
        QVERIFY(save.Check1->text() == "FullScreen 40K" && save.Check1->isChecked()); // shows the current size
        save.Check1->setChecked(false);
        save.chooser->submit("level1");
        const std::optional<SaveAsChoice> choice = saveAsPPFileChoice(save);
        QVERIFY(choice && !choice->fullScreen);
        QCOMPARE(choice->path, QDir(dir.path()).filePath("level1.pp"));
    }
};

QTEST_MAIN(TestEaselTransfers)
#include "test_easel_transfers.moc"
