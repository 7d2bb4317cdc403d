// The paint window's file dialogs (Open, Save As, imports, exports): their checks and
// messages and what they return (the chooser's own rules are tested in
// test_file_chooser), what an import replaces, and that an export never changes the
// picture.
#include "easel_window_fixture.h"
#include "file_chooser.h"
#include "grp_file.h"
#include "import_picture_dialog.h"
#include "paint_test_support.h"
#include "pp_file.h"
#include "pp_file_dialogs.h"
#include "source_export.h"
#include "spectrum_file.h"
#include "transfer_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
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

    void importsReplaceThePicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("scr") << "screen.SCR" << randomBytes(6912, 13);
        QTest::newRow("grp") << "msx.grp" << encodeGRP(randomPicture(12));
        QTest::newRow("mlt in a folder called .scr") << "old.scr/pic.mlt" << randomBytes(12288, 14);
    }

    void importsReplaceThePicture()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        writeFile(path, content);
        Picture expected;
        QVERIFY(decodeSCR(content, expected) || decodeMLT(content, expected) || decodeGRP(content, expected).isEmpty());

        EaselWindowFixture f;
        f->document().fileName = dir.filePath("old.pp");
        f.choices.enqueue({path, {}});
        name.endsWith(".grp") ? f->onImportGrpTriggered() : f->onImportScrTriggered();
        QCOMPARE(f->document().picture, expected);
        QVERIFY(f->document().modified && f->document().fileName.isEmpty()); // unsaved work without a name
        QCOMPARE(f.dialogs.shown.size(), 0);
        f.choices.enqueue({dir.filePath("saved.pp"), true});
        QVERIFY(f->onSaveTriggered()); // Save asks for a name, starting in the imported file's folder
        QCOMPARE(f.opened.last(), PaintDialog::SaveAsPicture);
        QCOMPARE(f.starts.last().path, path);
    }

    // Each file dialog: its form, then an import refusing a bad file (the dialog stays
    // open, the import path empty) or an export completing the name and asking before
    // it takes a non-empty file.
    void transferDialogs_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QByteArray endAt37FF = encodeGRP(Picture{});
        endAt37FF[4] = char(55);
        QTest::newRow("scr") << int(TransferDialog::ImportSCRFile) << "Import Spectrum Image file" << "a.mlt"
                             << QByteArray(6912, '\0') << notMltMessage();
        QTest::newRow("grp") << int(TransferDialog::ImportGRPFile) << "Import MSX Mode 2 Image file" << "a.grp"
                             << endAt37FF << notGrpHeaderMessage();
        QTest::newRow("picture") << int(TransferDialog::ImportPictureFile) << "Import Picture file" << "a.png"
                                 << QByteArray("not a picture") << "Cannot read picture";
        QTest::newRow("C") << int(TransferDialog::Export2C) << "Export to C file" << "pic.c" << QByteArray("old")
                           << "Do you want to replace this C file";
        QTest::newRow("ASM") << int(TransferDialog::Export2ASM) << "Export to ASM file" << "pic.asm"
                             << QByteArray("old") << "Do you want to replace this ASM file";
        QTest::newRow("GRP") << int(TransferDialog::Export2GRP) << "Export to GRP file" << "pic.grp"
                             << QByteArray("old") << "Do you want to replace this GRP file";
    }

    void transferDialogs()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeFile(dir.filePath(file), content);
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers << false << true;
        const auto chooser = createTransferDialog(TransferDialog(kind), dialogs, nullptr);
        QCOMPARE(chooser->windowTitle(), caption);
        chooser->setDirectory(dir.path());
        const bool isImport = kind <= int(TransferDialog::ImportPictureFile);
        chooser->submit(isImport ? dir.filePath(file) : QString("pic"));
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].title, QString("Warning"));
        QVERIFY2(dialogs.shown[0].text.startsWith(message), qPrintable(dialogs.shown[0].text));
        QVERIFY(chooser->chosenPath().isEmpty());
        if (isImport) {
            QVERIFY(!chooser->confirmedPath()); // nothing chosen
        } else {
            chooser->submit("pic");
            QCOMPARE(chooser->chosenPath(), QDir(dir.path()).filePath(file));
            QCOMPARE(readFile(dir.filePath(file)), QByteArray("old")); // nothing deleted or written
        }
    }

    void exportsLeaveThePictureUnchanged()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        const Picture picture = pictureThatPacks();
        f->document().picture = picture;
        f->document().modified = true;
        f->document().fileName = dir.filePath("mine.pp");
        f.dialogs.textAnswers << QString() << QString("pic");
        f.choices << DialogChoice{dir.filePath("a.c"), {}} << DialogChoice{dir.filePath("a.asm"), {}}
                   << DialogChoice{dir.filePath("a.grp"), {}};
        f->onExportCTriggered();
        f->onExportAsmTriggered();
        f->onExportGrpTriggered();
        QCOMPARE(readFile(dir.filePath("a.c")), cSource(picture, "IMAGE"));
        QCOMPARE(readFile(dir.filePath("a.asm")), asmSource(picture, "pic"));
        QCOMPARE(readFile(dir.filePath("a.grp")), encodeGRP(picture));
        QCOMPARE(f.dialogs.shown[0].title, QString("Picture table name"));
        QCOMPARE(f.dialogs.shown[0].text, QString("table name"));
        QCOMPARE(f->document().picture, picture);
        QVERIFY(f->document().modified);
        QCOMPARE(f->document().fileName, dir.filePath("mine.pp"));
        QCOMPARE(f->statusBar()->currentMessage(),
                 QStringLiteral("Wrote a.grp (%1 bytes)").arg(QFileInfo(dir.filePath("a.grp")).size()));

        // A failed write is told.
        f.choices << DialogChoice{dir.filePath("missing/a.grp"), {}};
        f->onExportGrpTriggered();
        QCOMPARE(f.dialogs.shown.size(), 3);
        QVERIFY(f.dialogs.shown[2].kind == "tell" && f.dialogs.shown[2].text.contains("a.grp"));
    }

    // The export dialogs carry the format controls; the window starts the sources at
    // RLE (the stream they always had) and the raw tables plain, and writes the choice.
    void exportFormats()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        const auto chooser =
            createExportDialog(TransferDialog::Export2ASM, {tms::AsmSyntax::Dot, tms::CStyle::Coleco, tms::Compression::Rle},
                               dialogs, nullptr, dir.filePath("x.asm"));
        auto* syntax = chooser->findChild<QComboBox*>("cmb_asm_syntax");
        auto* codec = chooser->findChild<QComboBox*>("cmb_compression");
        QVERIFY(syntax && codec && !chooser->findChild<QComboBox*>("cmb_c_style"));
        QCOMPARE(codec->currentIndex(), int(tms::Compression::Rle));
        syntax->setCurrentIndex(int(tms::AsmSyntax::Db));
        codec->setCurrentIndex(int(tms::Compression::Zx0));
        chooser->submit("pic");
        const std::optional<ExportChoice> chosen = exportDialogChoice(*chooser);
        QVERIFY(chosen && chosen->path.endsWith("pic.asm"));
        QVERIFY(chosen->format.syntax == tms::AsmSyntax::Db && chosen->format.compression == tms::Compression::Zx0);

        EaselWindowFixture f;
        const Picture picture = pictureThatPacks();
        f->document().picture = picture;
        QList<PaintDialogChoice> starts;
        f->showDialog = [&](PaintDialog dialog, const PaintDialogChoice& start) -> std::optional<PaintDialogChoice> {
            starts << start;
            PaintDialogChoice made = start;
            made.path = dir.filePath(dialog == PaintDialog::Export2BIN ? "pic.pat"
                                     : dialog == PaintDialog::Export2C ? "pic.c"
                                                                       : "pic.asm");
            made.exportFormat = {tms::AsmSyntax::Sdas, tms::CStyle::Stdint, tms::Compression::Pletter};
            return made;
        };
        f.dialogs.textAnswers << QString("PIC") << QString("PIC");
        f->onExportAsmTriggered();
        f->onExportCTriggered();
        f->onExportBinTriggered();
        QCOMPARE(starts.size(), 3);
        QVERIFY(starts[0].exportFormat.compression == tms::Compression::Rle);
        QVERIFY(starts[2].exportFormat.compression == tms::Compression::None);
        SourceOptions options;
        options.compression = tms::Compression::Pletter;
        options.style = tms::CStyle::Stdint;
        options.syntax = tms::AsmSyntax::Sdas;
        QCOMPARE(readFile(dir.filePath("pic.asm")), asmSource(picture, "PIC", options));
        QCOMPARE(readFile(dir.filePath("pic.h")), cExportFiles(dir.filePath("pic.c"), picture, "PIC", options)[1].bytes);
        for (const char* name : {"pic.pat.plet", "pic.col.plet", "pic.nam.plet"})
            QVERIFY2(QFile::exists(dir.filePath(name)), name);
        QCOMPARE(f->document().picture, picture);
    }

    // A name that cannot name the tables is told and asked again.
    void tableNameIsAskedAgain()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        const Picture picture = pictureThatPacks();
        f->document().picture = picture;
        f.dialogs.textAnswers << QString("my pic") << QString("9lives") << QString("PIC");
        f.choices << DialogChoice{dir.filePath("a.c"), {}};
        f->onExportCTriggered();
        QCOMPARE(readFile(dir.filePath("a.c")), cSource(picture, "PIC"));
        QCOMPARE(f.dialogs.shown.size(), 5); // ask, tell, ask, tell, ask
        QVERIFY(f.dialogs.shown[1].kind == "tell" && f.dialogs.shown[1].text.contains("\"my pic\" cannot name a table"));
        QVERIFY(f.dialogs.shown[3].kind == "tell" && f.dialogs.shown[3].text.contains("\"9lives\""));
    }

    void importPictureWithItsDialog()
    {
        QTemporaryDir dir;
        QImage image(320, 200, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 0));
        QVERIFY(image.save(dir.filePath("red.png")));

        // (Fewer than two colours disable OK: the shared dialog, tried in test_kardo_pictures.)
        ImportPicture dialog(image, PictureImportSettings{});
        QVERIFY(dialog.previewImage().pixelColor(100, 100).red() > 150);

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
        QVERIFY(open->objectName() == "OpenPPFile" && open->windowTitle() == "Open PowerPaint file");
        QCOMPARE(open->directory().absolutePath(), QDir(dir.path()).absolutePath());
        open->submit(dir.filePath("odd.pp"));
        QVERIFY(!open->confirmedPath());
        open->submit(dir.filePath("good.pp"));
        QCOMPARE(open->confirmedPath(), std::optional<QString>(dir.filePath("good.pp")));
        QCOMPARE(dialogs.texts(), QStringList{notPowerPaintMessage()});

        const SaveAsPPFile save = createSaveAsPPFile(dialogs, nullptr, dir.filePath("x.pp"), true);
        QVERIFY(save.chooser->objectName() == "SaveAsPPFile" && save.chooser->windowTitle() == "Save As (PP File)");
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
