// Pictures in the window: Import Picture with its preview (Cancel, the unsaved-work
// question, one undo step, a dropped picture, a file that cannot be read), and the
// sheets read and written through the File menu.
#include <QWidget>

#include "file_drops.h"
#include "image_bytes.h"
#include "kardo_window.h"
#include "picture_import_dialog.h"
#include "scripted_dialogs.h"
#include "tile_sheets.h"
#include "test_files.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

using namespace tile;

namespace {

struct Harness {
    ScriptedDialogs dialogs;
    KardoWindow window;
    QString path; // what every file dialog returns
    int previews = 0;
    // What the user does in Import Picture's dialog; by default pixel-art choices and OK.
    std::function<std::optional<dither::PictureImportSettings>(dither::PictureImportDialog&)> user =
        [](dither::PictureImportDialog& dialog) -> std::optional<dither::PictureImportSettings> {
        auto* method = dialog.findChild<QComboBox*>("cmb_method");
        method->setCurrentIndex(method->findText("Nearest"));
        auto* resize = dialog.findChild<QComboBox*>("cmb_resize");
        resize->setCurrentIndex(resize->findText("No resize"));
        return dialog.settings();
    };

    explicit Harness(Edition edition) : window(edition)
    {
        window.setDialogs(&dialogs);
        window.setPrototypeListFile(QStringLiteral("no-such-prototype.txt"));
        window.setFileDialogRunner([this](FileDialogKind) -> std::optional<FileChoice> {
            if (path.isEmpty())
                return std::nullopt;
            return FileChoice{path, {}};
        });
        window.setPictureImportRunner([this](dither::PictureImportDialog& dialog) {
            ++previews;
            return user(dialog);
        });
        window.Form_Load();
        window.Form_Activate();
    }
    TileDocument& doc() { return window.document(); }
};

// A picture that keeps the chip's rules: the screen of a document of colours 1..15.
QImage ruleKeepingPicture(Edition edition)
{
    TileDocument doc(edition);
    for (int c = 0; c < charCount; ++c) {
        for (int y = 0; y < 8; ++y) {
            doc.charPatterns[c][y] = Byte(c * 7 + y * 13);
            doc.charColors[c][y] = tms::colorByte(1 + (c + y) % 15, 1 + (c + y + 5) % 15);
        }
        doc.groupColors[c / 8] = tms::colorByte(1 + c / 8 % 15, 1 + (c / 8 + 3) % 15);
    }
    for (int cell = 0; cell < 768; ++cell)
        doc.nameTable[cell % 32][cell / 32] = Byte(cell * 5 % 256);
    return screenPicture(doc);
}

} // namespace

class TestKardoPictures : public QObject {
    Q_OBJECT
    QTemporaryDir folder;

private slots:
    void importPictureReplacesTheDocumentAsOneStep_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::newRow("kardo3") << Edition::ScreenMode2;
        QTest::newRow("kardo2") << Edition::ScreenMode1;
    }
    void importPictureReplacesTheDocumentAsOneStep()
    {
        QFETCH(Edition, edition);
        Harness h(edition);
        const QImage picture = ruleKeepingPicture(edition);
        h.path = folder.filePath("picture.png");
        QVERIFY(picture.save(h.path));
        h.doc().charPatterns[1][1] = 0x55;
        h.doc().modified = true;
        const TileDocument before = h.doc();

        // Cancel in the dialog: no question, nothing changes.
        h.user = [](dither::PictureImportDialog&) { return std::nullopt; };
        h.window.ImporterPicture_Click();
        QCOMPARE(h.previews, 1);
        QVERIFY(h.dialogs.shown.isEmpty());
        QVERIFY(h.doc().sameTablesAs(before));

        // The preview shows the screen and what it took; fewer than two colours disable OK.
        h.user = [](dither::PictureImportDialog& dialog) -> std::optional<dither::PictureImportSettings> {
            const QString status = dialog.findChild<QLabel*>("lbl_status")->text();
            if (!status.contains("distinct cells") || dialog.previewImage().size() != QSize(512, 384))
                return std::nullopt;
            for (int k = 2; k <= 15; ++k)
                dialog.findChild<QCheckBox*>(QString("chk_colour_%1").arg(k))->setChecked(false);
            if (dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled()
                || dialog.findChild<QLabel*>("lbl_status")->text() != "Select more colors")
                return std::nullopt;
            return std::nullopt;
        };
        h.window.ImporterPicture_Click();
        QVERIFY(h.doc().sameTablesAs(before));

        // OK, then Cancel at the question about unsaved work: nothing changes.
        h.user = Harness(edition).user;
        h.dialogs.yesNoAnswers.enqueue(tms::Answer::Cancel);
        h.window.ImporterPicture_Click();
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].text, QString("Do you want to save the modification before closing?"));
        QVERIFY(h.doc().sameTablesAs(before));

        // OK and No: the screen shows the picture, a new unsaved document, one undo step.
        h.dialogs.yesNoAnswers.enqueue(false);
        h.window.ImporterPicture_Click();
        QCOMPARE(screenPicture(h.doc()), picture.convertToFormat(QImage::Format_RGB32));
        QVERIFY(h.doc().modified);
        QVERIFY(h.doc().fileName.isEmpty());
        QCOMPARE(h.window.windowTitle(), QString("KARDO[*]"));
        QVERIFY(h.window.isWindowModified());
        auto* undo = h.window.findChild<QUndoStack*>("undoStack");
        QCOMPARE(undo->count(), 1);
        undo->undo();
        QVERIFY(h.doc().sameTablesAs(before));
    }

    void droppedAndUnreadablePictures()
    {
        Harness h(Edition::ScreenMode2);
        const QImage picture = ruleKeepingPicture(Edition::ScreenMode2);
        const QString png = folder.filePath("dropped.png");
        QVERIFY(picture.save(png));
        QVERIFY(dropFile(&h.window, png));
        QCOMPARE(h.previews, 1);
        QCOMPARE(screenPicture(h.doc()), picture.convertToFormat(QImage::Format_RGB32));

        // A file that does not decode: told, no dialog, the document as it was.
        const TileDocument before = h.doc();
        h.path = folder.filePath("junk.png");
        writeFile(h.path, "not a picture at all");
        h.window.ImporterPicture_Click();
        QCOMPARE(h.previews, 1);
        QCOMPARE(h.dialogs.shown.last().kind, QString("tell"));
        QVERIFY(h.doc().sameTablesAs(before));
    }

    void sheetsThroughTheFileMenu()
    {
        Harness h(Edition::ScreenMode2);
        QVERIFY(h.window.findChild<QAction*>("ImporterPicture"));
        QCOMPARE(h.window.ImporterSprites->associatedObjects().size(), 2); // File and Sprites menus
        h.doc().charPatterns[65].fill(0x3C);
        h.doc().spritePatterns[3].fill(0x81);

        for (auto [name, picture] : {std::pair{"tiles.png", tilesetPicture(h.doc())},
                                     std::pair{"sprites.png", spriteSheetPicture(h.doc())},
                                     std::pair{"screen.png", screenPicture(h.doc())}}) {
            h.path = folder.filePath(name);
            if (QString(name) == "tiles.png")
                h.window.ExporterTileset_Click();
            else if (QString(name) == "sprites.png")
                h.window.ExporterSprites_Click();
            else
                h.window.ExporterPNG_Click();
            QCOMPARE(readFile(h.path), *tms::encodeImage(picture, "PNG"));
        }

        // Read back into a new document: one undo step each.
        const QString tiles = folder.filePath("tiles.png"), sprites = folder.filePath("sprites.png");
        Harness other(Edition::ScreenMode2);
        other.path = tiles;
        other.window.ImporterTileset_Click();
        other.path = sprites;
        other.window.ImporterSprites_Click();
        QCOMPARE(other.doc().charPatterns[65], h.doc().charPatterns[65]);
        QCOMPARE(other.doc().spritePatterns[3], h.doc().spritePatterns[3]);
        QCOMPARE(other.window.findChild<QUndoStack*>("undoStack")->count(), 2);

        // A sheet of the wrong size: told, nothing changes.
        const TileDocument before = other.doc();
        other.path = folder.filePath("wrong.png");
        QVERIFY(QImage(100, 40, QImage::Format_RGB32).save(other.path));
        other.window.ImporterTileset_Click();
        other.window.ImporterSprites_Click();
        QCOMPARE(other.dialogs.shown.size(), 2);
        QVERIFY(other.dialogs.shown[0].text.contains("100x40"));
        QVERIFY(other.doc().sameTablesAs(before));
    }
};

QTEST_MAIN(TestKardoPictures)
#include "test_kardo_pictures.moc"
