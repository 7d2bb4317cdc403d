// Pictures in the window: Import Picture with its preview (Cancel, the unsaved-work
// question, one undo step, a dropped picture, a file that cannot be read), and the
// sheets read and written through the File menu.
#include <QWidget>

#include "file_drops.h"
#include "image_bytes.h"
#include "kardo_run.h"
#include "picture_import_dialog.h"
#include "random_document.h"
#include "test_files.h"
#include "tile_sheets.h"
#include "window_harness.h"

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

// The window with Import Picture's dialog answered by `importer`: by default pixel-art
// choices and OK.
struct Harness : WindowHarness {
    int previews = 0;
    std::function<std::optional<dither::PictureImportSettings>(dither::PictureImportDialog&)> importer =
        [](dither::PictureImportDialog& dialog) -> std::optional<dither::PictureImportSettings> {
        auto* method = dialog.findChild<QComboBox*>("cmb_method");
        method->setCurrentIndex(method->findText("Nearest"));
        auto* resize = dialog.findChild<QComboBox*>("cmb_resize");
        resize->setCurrentIndex(resize->findText("No resize"));
        return dialog.settings();
    };

    explicit Harness(Edition edition) : WindowHarness(false, QStringLiteral("no-such-prototype.txt"), edition)
    {
        window.setPictureImportRunner([this](dither::PictureImportDialog& dialog) {
            ++previews;
            return importer(dialog);
        });
    }
};

} // namespace

class TestWindowPictures : public QObject {
    Q_OBJECT
    QTemporaryDir folder;

private slots:
    // The linear-light box starts as the settings say and previews what it shows.
    void linearLightBoxIsAChoice()
    {
        QList<bool> previewed;
        dither::PictureImportSettings initial;
        initial.linearLight = true;
        dither::PictureImportDialog dialog(initial, [&](const dither::PictureImportSettings& s) {
            previewed << s.linearLight;
            return dither::PicturePreview{true, QImage(8, 8, QImage::Format_RGB32), QString()};
        });
        auto* box = dialog.findChild<QCheckBox*>("chk_linear_light");
        QVERIFY(box && box->isChecked());
        box->setChecked(false);
        QCOMPARE(previewed, (QList<bool>{true, false}));
        QVERIFY(!dialog.settings().linearLight);
    }

    void importPictureReplacesTheDocumentAsOneStep_data() { editionRows<Edition>(); }
    void importPictureReplacesTheDocumentAsOneStep()
    {
        QFETCH(Edition, edition);
        Harness h(edition);
        const QImage picture = screenPicture(testdoc::ruleKeepingDocument(7, edition));
        h.choose(folder.filePath("picture.png"));
        QVERIFY(picture.save(folder.filePath("picture.png")));
        h.doc().charPatterns[1][1] = 0x55;
        h.doc().modified = true;
        const TileDocument before = h.doc();

        QString status, fewColours;
        QSize preview;
        bool okEnabled = true;
        h.importer = [&](dither::PictureImportDialog& dialog) -> std::optional<dither::PictureImportSettings> {
            status = dialog.findChild<QLabel*>("lbl_status")->text();
            preview = dialog.previewImage().size();
            for (int k = 2; k <= 15; ++k)
                dialog.findChild<QCheckBox*>(QString("chk_colour_%1").arg(k))->setChecked(false);
            fewColours = dialog.findChild<QLabel*>("lbl_status")->text();
            okEnabled = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
            return std::nullopt;
        };
        h.window.onImportPictureTriggered();
        QVERIFY2(status.contains("distinct cells"), qPrintable(status));
        QVERIFY(preview == QSize(512, 384) && fewColours == "Select more colors" && !okEnabled);
        QVERIFY(h.dialogs.shown.isEmpty() && h.doc().sameTablesAs(before));

        // OK, then Cancel at the question about unsaved work: nothing changes.
        h.importer = Harness(edition).importer;
        h.dialogs.yesNoAnswers.enqueue(tms::Answer::Cancel);
        h.window.onImportPictureTriggered();
        QCOMPARE(h.dialogs.texts(), QStringList{"Do you want to save the modification before closing?"});
        QVERIFY(h.doc().sameTablesAs(before));

        // OK and No: the screen shows the picture, a new unsaved document, one undo step.
        h.dialogs.yesNoAnswers.enqueue(false);
        h.window.onImportPictureTriggered();
        QCOMPARE(screenPicture(h.doc()), picture.convertToFormat(QImage::Format_RGB32));
        QVERIFY(h.doc().modified && h.doc().fileName.isEmpty() && h.window.isWindowModified());
        auto* undo = h.window.findChild<QUndoStack*>("undoStack");
        QCOMPARE(undo->count(), 1);
        undo->undo();
        QVERIFY(h.doc().sameTablesAs(before));
    }

    void droppedAndUnreadablePictures()
    {
        Harness h(Edition::ScreenMode2);
        const QImage picture = screenPicture(testdoc::ruleKeepingDocument(7, Edition::ScreenMode2));
        const QString png = folder.filePath("dropped.png");
        QVERIFY(picture.save(png));
        QVERIFY(dropFile(&h.window, png));
        QCOMPARE(h.previews, 1);
        QCOMPARE(screenPicture(h.doc()), picture.convertToFormat(QImage::Format_RGB32));

        // A file that does not decode: told, no dialog, the document as it was.
        const TileDocument before = h.doc();
        h.choose(folder.filePath("junk.png"));
        writeFile(folder.filePath("junk.png"), "not a picture at all");
        h.window.onImportPictureTriggered();
        QVERIFY(h.previews == 1 && h.dialogs.shown.last().kind == "tell" && h.doc().sameTablesAs(before));
    }

    void sheetsThroughTheFileMenu()
    {
        Harness h(Edition::ScreenMode2);
        QVERIFY(h.window.findChild<QAction*>("ImporterPicture"));
        QCOMPARE(h.window.m_importSpritesAction->associatedObjects().size(), 2); // File and Sprites menus
        h.doc().charPatterns[65].fill(0x3C);
        h.doc().spritePatterns[3].fill(0x81);

        using Export = void (TileEditorWindow::*)();
        for (auto [name, picture, command] :
             {std::tuple{"tiles.png", tilesetPicture(h.doc()), Export(&TileEditorWindow::onExportTilesetTriggered)},
              {"sprites.png", spriteSheetPicture(h.doc()), &TileEditorWindow::onExportSpritesTriggered},
              {"screen.png", screenPicture(h.doc()), &TileEditorWindow::onExportScreenPngTriggered}}) {
            h.choose(folder.filePath(name));
            (h.window.*command)();
            QCOMPARE(readFile(folder.filePath(name)), *tms::encodeImage(picture, "PNG"));
        }

        // Read back into a new document: one undo step each.
        Harness other(Edition::ScreenMode2);
        other.choose(folder.filePath("tiles.png"));
        other.window.onImportTilesetTriggered();
        other.choose(folder.filePath("sprites.png"));
        other.window.onImportSpritesTriggered();
        QCOMPARE(other.doc().charPatterns[65], h.doc().charPatterns[65]);
        QCOMPARE(other.doc().spritePatterns[3], h.doc().spritePatterns[3]);
        QCOMPARE(other.window.findChild<QUndoStack*>("undoStack")->count(), 2);

        // A sheet of the wrong size: told, nothing changes.
        const TileDocument before = other.doc();
        other.choose(folder.filePath("wrong.png"));
        QVERIFY(QImage(100, 40, QImage::Format_RGB32).save(folder.filePath("wrong.png")));
        other.window.onImportTilesetTriggered();
        other.window.onImportSpritesTriggered();
        QVERIFY(other.dialogs.shown.size() == 2 && other.dialogs.shown[0].text.contains("100x40"));
        QVERIFY(other.doc().sameTablesAs(before));
    }
};

QTEST_MAIN(TestWindowPictures)
#include "test_window_pictures.moc"
