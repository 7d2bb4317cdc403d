// The imports and exports of the paint window: their dialogs' checks and messages,
// what an import replaces, and that an export never changes the picture.
#include "easel_window_fixture.h"
#include "grp_file.h"
#include "import_picture_dialog.h"
#include "paint_test_support.h"
#include "source_export.h"
#include "spectrum_file.h"
#include "transfer_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

// The user at the import and export dialogs: a queued path is confirmed as the real
// dialog does it; an empty queue closes the dialog.
void playTransferDialogs(EaselWindowFixture& f)
{
    f.window->showDialog = [&f](PaintDialog dialog) {
        f.opened << dialog;
        if (dialog == PaintDialog::ImportPictureOptions) {
            if (f.choices.isEmpty())
                LIEN::setImportPath(QString()); // cancelled
            else
                f.choices.dequeue(); // OK with the settings shown
            return;
        }
        if (f.choices.isEmpty())
            return;
        const QString path = f.choices.dequeue().path;
        switch (dialog) {
        case PaintDialog::Export2C: LIEN::setCExportPath(path); break;
        case PaintDialog::Export2ASM: LIEN::setAsmExportPath(path); break;
        case PaintDialog::Export2GRP: LIEN::setGrpExportPath(path); break;
        default:
            LIEN::setImportPath(path);
            LIEN::setLastPicturePath(path);
        }
    };
}

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
        QTest::addColumn<int>("size");
        QTest::newRow("scr") << "screen.SCR" << 6912;
        QTest::newRow("mlt") << "multi.mlt" << 12288;
        QTest::newRow("grp") << "msx.grp" << 16391;
    }

    void importsReplaceThePicture()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QByteArray content;
        if (size == 16391) {
            content = encodeGRP(randomPicture(12));
        } else {
            QRandomGenerator random(13);
            content.resize(size);
            for (char& b : content)
                b = char(random.bounded(256));
        }
        writeFile(path, content);
        Picture expected = randomPicture(3);
        QVERIFY(size == 6912 ? decodeSCR(content, expected)
                : size == 12288 ? decodeMLT(content, expected)
                                : decodeGRP(content, expected).isEmpty());

        EaselWindowFixture f;
        playTransferDialogs(f);
        f->picture = randomPicture(3);
        f->fileName = dir.filePath("old.pp");
        f.choices.enqueue({path, {}});
        size == 16391 ? f->ImporterGRP_Click() : f->ImporterSCR_Click();
        QCOMPARE(f->picture, expected);
        QVERIFY(!f->modified);
        QVERIFY(f->fileName.isEmpty());
        QCOMPARE(f->windowTitle(), QString("Mosaic Easel"));
        QCOMPARE(LIEN::lastPicturePath(), path);
        QCOMPARE(f.dialogs.shown.size(), 0);
    }

    void importDialogsCheckTheFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QByteArray wrongHeader = encodeGRP(Picture{});
        wrongHeader[3] = char(255);
        wrongHeader[4] = char(55);
        const int scr = int(TransferDialog::ImportSCRFile), grp = int(TransferDialog::ImportGRPFile);
        QTest::newRow("scr") << scr << "a.scr" << QByteArray(12288, '\0') << notScrMessage();
        QTest::newRow("mlt of 6912 bytes") << scr << "a.mlt" << QByteArray(6912, '\0') << notMltMessage();
        QTest::newRow("grp length") << grp << "a.grp" << QByteArray() << notGrpMessage();
        QTest::newRow("grp header") << grp << "a.grp" << wrongHeader << notGrpHeaderMessage();
        QTest::newRow("undecodable picture") << int(TransferDialog::ImportPictureFile) << "a.png"
                                             << QByteArray("not a picture") << QString();
    }

    void importDialogsCheckTheFile()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeFile(dir.filePath(name), content);
        LIEN::setImportPath("/earlier/choice");
        ScriptedDialogs dialogs;
        const auto chooser = createTransferDialog(TransferDialog(kind), dialogs, nullptr);
        QVERIFY(LIEN::importPath().isEmpty()); // emptied on opening
        chooser->submit(dir.filePath(name));
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].title, QString("Warning"));
        if (!message.isEmpty())
            QCOMPARE(dialogs.shown[0].text, message);
        QVERIFY(chooser->result() != QDialog::Accepted);
        storeTransferChoice(TransferDialog(kind), *chooser);
        QVERIFY(LIEN::importPath().isEmpty());
    }

    void exportDialogsCompleteTheNameAndAsk_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("C") << int(TransferDialog::Export2C) << "pic.c" << "Do you want to replace this C file";
        QTest::newRow("ASM") << int(TransferDialog::Export2ASM) << "pic.asm" << "Do you want to replace this ASM file";
        QTest::newRow("GRP") << int(TransferDialog::Export2GRP) << "pic.grp" << "Do you want to replace this GRP file";
    }

    void exportDialogsCompleteTheNameAndAsk()
    {
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(QString, prompt);
        QTemporaryDir dir;
        writeFile(dir.filePath(file), "old");
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers << false << true;
        const auto chooser = createTransferDialog(TransferDialog(kind), dialogs, nullptr);
        chooser->setDirectory(dir.path());
        chooser->submit("pic");
        QCOMPARE(dialogs.texts(), QStringList{prompt});
        QVERIFY(chooser->chosenPath().isEmpty()); // No: the dialog stays open
        chooser->submit("pic");
        QCOMPARE(chooser->chosenPath(), QDir(dir.path()).filePath(file));
        QCOMPARE(readFile(dir.filePath(file)), QByteArray("old")); // nothing deleted or written
    }

    void exportsLeaveThePictureUnchanged()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        playTransferDialogs(f);
        const Picture picture = pictureThatPacks();
        f->picture = picture;
        f->modified = true;
        f->fileName = dir.filePath("mine.pp");
        f.dialogs.textAnswers << QString() << QString("pic");
        f.choices << DialogChoice{dir.filePath("a.c"), {}} << DialogChoice{dir.filePath("a.asm"), {}}
                   << DialogChoice{dir.filePath("a.grp"), {}};
        f->ExporterC_Click();
        f->ExporterASM_Click();
        f->ExporterGRP_Click();
        QCOMPARE(readFile(dir.filePath("a.c")), cSource(picture, "IMAGE"));
        QCOMPARE(readFile(dir.filePath("a.asm")), asmSource(picture, "pic"));
        QCOMPARE(readFile(dir.filePath("a.grp")), encodeGRP(picture));
        QCOMPARE(f.dialogs.shown[0].title, QString("Picture table name"));
        QCOMPARE(f.dialogs.shown[0].text, QString("table name"));
        QCOMPARE(f->picture, picture);
        QVERIFY(f->modified);
        QCOMPARE(f->fileName, dir.filePath("mine.pp"));

        // Closing a dialog without a choice writes nothing, not even the file chosen before.
        writeFile(dir.filePath("a.c"), "kept");
        f->ExporterC_Click();
        QCOMPARE(readFile(dir.filePath("a.c")), QByteArray("kept"));
        QCOMPARE(f.dialogs.shown.size(), 2);
    }

    void failedExportIsTold()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        playTransferDialogs(f);
        f.choices << DialogChoice{dir.filePath("missing/a.grp"), {}};
        f->ExporterGRP_Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, QString("tell"));
        QVERIFY(f.dialogs.shown[0].text.contains("a.grp"));
    }

    void importPictureWithItsDialog()
    {
        QTemporaryDir dir;
        QImage image(320, 200, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 0));
        QVERIFY(image.save(dir.filePath("red.png")));

        ImportPicture dialog(image, PictureImportSettings{});
        QCOMPARE(dialog.windowTitle(), QString("Import Picture"));
        QCOMPARE(dialog.settings().method, dither::Method::FloydSteinberg);
        QCOMPARE(dialog.previewImage().size(), QSize(512, 384));
        QVERIFY(dialog.previewImage().pixelColor(100, 100).red() > 150);
        for (int k = 2; k <= 15; ++k)
            dialog.findChild<QCheckBox*>(QString("chk_colour_%1").arg(k))->setChecked(false);
        QCOMPARE(dialog.findChild<QLabel*>("lbl_status")->text(), QString("Select more colors"));
        QVERIFY(!dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());

        EaselWindowFixture f;
        playTransferDialogs(f);
        f->modified = true;
        f.dialogs.yesNoAnswers << false; // do not save the changes
        f.choices << DialogChoice{dir.filePath("red.png"), {}} << DialogChoice{};
        f->ImporterPicture_Click();
        QCOMPARE(f.opened, (QList<PaintDialog>{PaintDialog::ImportPictureFile, PaintDialog::ImportPictureOptions}));
        QCOMPARE(f.dialogs.shown[0].text, QString("Do you want to save the modification before closing?"));
        QVERIFY(!f->modified);
        QVERIFY(f->fileName.isEmpty());
        QVERIFY(pixelColor(f->picture, 8, 8) == 8 || pixelColor(f->picture, 8, 8) == 9); // a red

        // Cancelling the options leaves the picture.
        const Picture before = f->picture;
        f.choices << DialogChoice{dir.filePath("red.png"), {}};
        f->ImporterPicture_Click();
        QCOMPARE(f->picture, before);
    }
};

QTEST_MAIN(TestEaselTransfers)
#include "test_easel_transfers.moc"
