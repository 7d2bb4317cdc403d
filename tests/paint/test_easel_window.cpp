// The main window: painting through the mouse handlers, the views, the block tool,
// undo, dropped files, the file commands with their prompts, and the file dialogs
// (the chooser's own rules are tested in test_file_chooser), played through scripted
// dialogs.
#include "block_copy.h"
#include "easel_window.h"
#include "file_chooser.h"
#include "file_drops.h"
#include "grp_file.h"
#include "paint_test_support.h"
#include "picture_decoding.h"
#include "pixel_view.h"
#include "pp_file.h"
#include "pp_file_dialogs.h"
#include "scripted_dialogs.h"
#include "source_export.h"
#include "spectrum_file.h"
#include "transfer_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QQueue>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

// A window with scripted message boxes and a scripted user at its file dialogs: a
// queued choice is confirmed, an empty queue closes the dialog without a choice.
struct DialogChoice {
    QString path;
    std::optional<bool> fullScreen; // Save As only: the "FullScreen 40K" box
};

struct EaselWindowFixture {
    ScriptedDialogs dialogs;
    std::unique_ptr<EaselWindow> window;
    QQueue<DialogChoice> choices;
    QList<PaintDialog> opened;
    QList<PaintDialogChoice> starts; // what each dialog started with

    explicit EaselWindowFixture(const QString& commandLine = {})
    {
        window = std::make_unique<EaselWindow>(commandLine, &dialogs);
        window->showDialog = [this](PaintDialog dialog,
                                    const PaintDialogChoice& start) -> std::optional<PaintDialogChoice> {
            opened << dialog;
            starts << start;
            if (dialog == PaintDialog::About || choices.isEmpty())
                return std::nullopt; // closed without a choice
            const DialogChoice choice = choices.dequeue();
            PaintDialogChoice made = start; // OK with the options shown
            if (dialog != PaintDialog::ImportPictureOptions)
                made.path = choice.path;
            made.fullScreen = choice.fullScreen.value_or(start.fullScreen);
            return made;
        };
        window->onActivated();
        window->allowPainting(); // painting allowed, as two seconds after start
    }

    EaselWindow& operator*() { return *window; }
    EaselWindow* operator->() { return window.get(); }
};

const QRgb grey = qRgb(128, 128, 128);

QRgb shown(EaselWindow& window, int x, int y)
{
    return window.findChild<tms::PixelView*>("ECRAN")->shownImage().pixel(x, y);
}

QRgb colour(int index)
{
    return tms::toQRgb(tms::standardPalette()[index]);
}

void click(EaselWindow& window, const char* name)
{
    window.findChild<QAbstractButton*>(name)->click();
}

int patternAt(EaselWindow& w, int row, int column, int line)
{
    return w.document().picture.bitmapPatterns[tms::bitmapIndex(row, column, line)];
}

// A move of the pointer with buttons held, delivered to view as the window system does.
void moveWith(QWidget* view, QPoint to, Qt::MouseButtons held)
{
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, held, {});
    QApplication::sendEvent(view, &move);
}

// Lifts the block of columns 2..3 and lines 10..25 of the picture (Get).
void liftBlock(EaselWindowFixture& f)
{
    click(*f, "chk_get");
    f->onScreenPressed(1, 0, 2 * 16 + 3, 10 * 2);
    f->onScreenPressed(1, 0, 3 * 16 + 3, 25 * 2);
    click(*f, "chk_get");
}

} // namespace

class TestEaselWindow : public QObject {
    Q_OBJECT
    QTemporaryDir settings;

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path()); }

    void paintsThroughTheMouse()
    {
        EaselWindowFixture f;
        f->onScreenPressed(1, 0, 6, 0); // pixel 3 of the black row
        QVERIFY(patternAt(*f, 0, 0, 0) == 16 && f->document().picture.bitmapColors[0] == 241 && f->document().modified);
        QVERIFY(shown(*f, 6, 0) == colour(15) && shown(*f, 7, 1) == colour(15) && shown(*f, 8, 0) == colour(1));

        // A real right button paints brush 0 (black) over it again.
        QTest::mousePress(f->findChild<QWidget*>("ECRAN"), Qt::RightButton, {}, QPoint(7, 1));
        QVERIFY(patternAt(*f, 0, 0, 0) == 0 && shown(*f, 6, 0) == colour(1));
        f->onSwatchesPressed(1, 0, 5, 8 * 12 + 3); // the colour strip sets the brushes
        f->onSwatchesPressed(2, 0, 5, 500);        // clamped to the last swatch
        QVERIFY(f->brushColors[1] == 8 && f->brushColors[0] == 15);
        QCOMPARE(f->findChild<tms::PixelView*>("Couleur_1")->shownImage().pixel(3, 3), colour(8));
    }

    void paintingNeedsTheTickAndOneButton()
    {
        EaselWindowFixture f;
        for (auto* menu : {f->findChild<QMenu*>("Fichier"), f->findChild<QMenu*>("Edit")}) {
            f->allowPainting();
            emit menu->aboutToShow(); // from the moment a menu opens...
            QVERIFY(!f->tick && !f->paintingDelay.isActive());
            f->onScreenPressed(1, 0, 0, 0);
            emit menu->aboutToHide(); // ...until it has closed, and a tick later
            QVERIFY(!f->tick && f->paintingDelay.isActive() && !f->document().modified);
        }
        f->allowPainting();
        f->onScreenPressed(3, 0, 0, 0);    // both buttons
        f->onScreenDragged(0, 0, 0, 0);    // no button
        f->onScreenDragged(1, 0, 600, 10); // outside the surface
        QVERIFY(!f->document().modified);
        f->onScreenDragged(1, 0, 511, 383);
        QCOMPARE(patternAt(*f, 23, 31, 7), 1);
        f->onAboutTriggered();
        QVERIFY(!f->tick && f.opened.last() == PaintDialog::About);
    }

    // Painting redraws the painted rows only: the view must show what a whole redraw
    // shows, with and without the grid, zoomed, and after a selection rectangle.
    void paintedRowsShowAsAWholeRedraw()
    {
        EaselWindowFixture f;
        click(*f, "chk_get"); // Get without a selection only leaves select mode
        click(*f, "chk_get");
        QVERIFY(!f->selecting && !f->document().modified);
        f->document().picture = randomPicture(24);
        f->showPicture();
        auto* view = f->findChild<tms::PixelView*>("ECRAN");
        const auto paintAndCompare = [&](int seed) {
            for (int i = 0; i < 40; ++i)
                f->onScreenPressed(1 + i % 2, 0, (i * 97 + seed) % 512, (i * 61 + seed) % 384);
            const QImage painted = view->shownImage();
            f->showPicture();
            QCOMPARE(painted, view->shownImage());
        };
        paintAndCompare(0);
        f->onGridClicked();
        QCOMPARE(shown(*f, 16, 16), grey);
        paintAndCompare(1);
        QCOMPARE(f->cleanView().pixel(16, 16), shown(*f, 17, 16)); // the clean view has no grid
        click(*f, "chk_zoom2x");
        QCOMPARE(shown(*f, 32, 40), grey);
        paintAndCompare(2);
        f->onGridClicked();
        paintAndCompare(3);
        click(*f, "chk_zoom2x");
        f->onGridClicked();
        click(*f, "chk_get"); // a rectangle of one cell row, then Get: the view without the grid
        const Picture before = f->document().picture;
        f->onScreenPressed(1, 0, 2 * 16 + 3, 10 * 2);
        QVERIFY(shown(*f, 2 * 16 + 5, 10 * 2) == grey && f->document().picture == before);
        click(*f, "chk_get");
        paintAndCompare(4);
        const Picture original = f->document().picture;
        click(*f, "cmd_scroll_right"); // column 31 comes back as column 0, on screen as well
        QCOMPARE(shown(*f, 1, 1), colour(pixelColor(original, 31 * 8, 0)));
        f.dialogs.yesNoAnswers.enqueue(false);
        f->onNewTriggered(); // New turns the grid off
        QVERIFY(!f->gridShown && shown(*f, 16, 16) == colour(1));
    }

    void zoomViewPaintsAndMovesWithinItsLimits()
    {
        EaselWindowFixture f;
        click(*f, "chk_zoom2x");
        for (int i = 0; i < 20; ++i) {
            f->onScrollRightClicked();
            f->onScrollDownRowClicked();
        }
        QVERIFY(f->zoomColumn == 16 && f->zoomRow == 12 && !f->document().modified); // moving the view is no change
        // Pixel 1 of line 2 of the zoom view's first cell is column 16, row 12.
        f->onScreenPressed(1, 0, 4 + 1, 8 + 1);
        QVERIFY(patternAt(*f, 12, 16, 2) == 64 && shown(*f, 7, 11) == colour(15));
        f->onScrollLeftClicked();
        f->onScrollUpRowClicked();
        QVERIFY(f->zoomColumn == 15 && f->zoomRow == 11);
        click(*f, "chk_get"); // Get stays unchecked while zoomed
        QVERIFY(!f->findChild<QCheckBox*>("chk_get")->isChecked() && !f->selecting);
    }

    // What the paint program plugs into the shared document life (tested once in
    // test_document_life): its .pp files, its title, its questions.
    void picturesLiveThroughTheSharedDocumentLife()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("pic.pp");
        EaselWindowFixture f;
        QTest::mouseClick(f->findChild<tms::PixelView*>("ECRAN"), Qt::LeftButton, {}, {6, 0}); // one step
        QVERIFY(f->windowTitle() == "Mosaic Easel[*]" && f->isWindowModified());
        f.choices.enqueue({path, false});
        QVERIFY(f->onSaveTriggered() && f.opened == QList<PaintDialog>{PaintDialog::SaveAsPicture}); // unnamed: Save As
        QCOMPARE(readFile(path), ppBytes(f->document().picture, false));
        QVERIFY(f->windowTitle() == "Mosaic Easel - " + path + "[*]" && !f->isWindowModified());

        // The end of the window asks its own question; Cancel keeps the window and the work.
        f->allowPainting();
        f->onScreenPressed(1, 0, 40, 0);
        f->show();
        f.dialogs.yesNoAnswers << tms::Answer::Cancel;
        QVERIFY(!f->close() && f->isVisible() && f->document().modified);
        QCOMPARE(f.dialogs.texts(), QStringList{"Do you want to save you works?"});
        QCOMPARE(f.dialogs.shown.last().title, QString("Warning! Unsaved modification!"));
    }

    void floatingBlockFollowsThePointerAndPutNeverPaints()
    {
        EaselWindowFixture f;
        f->document().picture = randomPicture(40);
        f->showPicture();
        liftBlock(f);
        auto* selection = f->findChild<QFrame*>("selection");
        auto* thePicture = f->findChild<tms::PixelView*>("the_picture");
        auto* screen = f->findChild<tms::PixelView*>("ECRAN");
        const Block block{2, 3, 10, 25};
        // The pointer travels over the picture; each event reaches the block where it is then.
        const auto onBlock = [&](QPoint onPicture) { return thePicture->mapFrom(screen, onPicture); };
        QTest::mousePress(thePicture, Qt::LeftButton, {}, onBlock({20, 20}));
        for (const QPoint pointer : {QPoint(60, 40), QPoint(200, 150), QPoint(120, 300), QPoint(420, 90),
                                     QPoint(2000, 2000), QPoint(64, 44)}) { // the last one overlaps the lifted block
            moveWith(thePicture, onBlock(pointer), Qt::LeftButton);
            const QPoint corner = pointer - QPoint(selection->width() / 2, selection->height() / 2);
            QCOMPARE(selection->pos(),
                     QPoint(blockColumnAt(block, corner.x()) * 16, blockLineAt(block, corner.y()) * 2));
        }
        QTest::mouseRelease(thePicture, Qt::LeftButton, {}, onBlock({64, 44}));

        // Put with the right button; the button still held over the picture paints nothing.
        const QPoint dropped = selection->pos();
        QTest::mousePress(thePicture, Qt::RightButton, {}, onBlock({64, 44}));
        Picture expected = randomPicture(40);
        putBlock(expected, randomPicture(40), block, dropped.x() / 16, dropped.y() / 2);
        QVERIFY(selection->isHidden() && f->document().picture == expected);
        moveWith(screen, {300, 300}, Qt::RightButton);
        QVERIFY(f->document().picture == expected);
        QTest::mouseRelease(screen, Qt::RightButton, {}, {310, 320});
        QTest::mouseClick(screen, Qt::RightButton, {}, {300, 300}); // a new click paints again
        QVERIFY(!(f->document().picture == expected));
    }

    void aDocumentChangePutsAwayTheLiftedBlock_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"new", "open", "import", "undo", "scroll"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    void aDocumentChangePutsAwayTheLiftedBlock()
    {
        QFETCH(QString, command);
        QTemporaryDir dir;
        QVERIFY(savePowerPaintFile(dir.filePath("other.pp"), randomPicture(41), true));
        writeFile(dir.filePath("other.grp"), encodeGRP(randomPicture(42)));
        EaselWindowFixture f;
        QTest::mouseClick(f->findChild<tms::PixelView*>("ECRAN"), Qt::LeftButton, {},
                          {100, 100}); // unsaved work, one step
        liftBlock(f);
        f.dialogs.yesNoAnswers.enqueue(tms::Answer::No);
        if (command == "new")
            f->onNewTriggered();
        else if (command == "open")
            f.choices.enqueue({dir.filePath("other.pp"), {}}), f->onOpenTriggered();
        else if (command == "import")
            f.choices.enqueue({dir.filePath("other.grp"), {}}), f->onImportGrpTriggered();
        else if (command == "undo")
            f->findChild<QAction*>("Undo")->trigger();
        else
            click(*f, "cmd_scroll_down_8");
        QVERIFY(f->findChild<QFrame*>("selection")->isHidden() && f->findChild<QCheckBox*>("chk_get")->text() == "Get");
        const Picture now = f->document().picture;
        f->onFloatingBlockPressed(2, 0, 10, 10); // a right click puts nothing of the old picture
        QCOMPARE(f->document().picture, now);
    }

    // A 10K file opened over a full picture leaves the rest; Save asks before a 10K file
    // leaves part of the picture out; Save As on the picture's own name writes nothing
    // yet chooses the size of the next Save.
    void tenKAndFortyKFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("small.PP");
        const Picture full = randomPicture(26), small = randomPicture(27);
        QVERIFY(savePowerPaintFile(dir.filePath("full.pp"), full, true) && savePowerPaintFile(path, small, false));
        EaselWindowFixture f;
        f.choices << DialogChoice{dir.filePath("full.pp"), {}} << DialogChoice{path, {}};
        f->onOpenTriggered();
        QVERIFY(f->document().picture == full && f->document().fullScreenFile);
        f->onOpenTriggered();
        QVERIFY(!f->document().fullScreenFile && !f->document().modified);
        const int x = 31 * 8, y = 21 * 8; // the rows a 10K file does not hold stay, on screen too
        QCOMPARE(shown(*f, 2 * x, 2 * y), colour(pixelColor(full, x, y)));

        f.dialogs.yesNoAnswers << tms::Answer::Cancel << tms::Answer::No << tms::Answer::Yes;
        f->allowPainting();
        f->onScreenPressed(1, 0, 2 * 250, 2 * 100); // column 31: outside what a 10K file holds
        QVERIFY(!f->onSaveTriggered());             // nothing written, nothing told but the question
        QCOMPARE(f.dialogs.texts(), QStringList{"Part of the picture lies outside the 240 x 160 pixels that a 10K "
                                                "file holds.\nSave it as FullScreen 40K instead?"});
        QVERIFY(readFile(path) == ppBytes(small, false) && f->document().modified);
        QVERIFY(f->onSaveTriggered() && readFile(path).size() == 10240); // No: 10K all the same, and the status says so
        QVERIFY(f->statusBar()->currentMessage().endsWith("the part outside 240 x 160 pixels was left out"));
        f->allowPainting();
        f->onScreenPressed(1, 0, 2 * 100, 2 * 180); // row 22
        QVERIFY(f->onSaveTriggered());              // Yes: 40K from now on
        QVERIFY(readFile(path).size() == 40960 && f->document().fullScreenFile);

        f.choices.enqueue({path, false});
        f->onSaveAsTriggered();
        QVERIFY(f.dialogs.texts().last() == "To save your work just select Save item in File menu"
                && readFile(path).size() == 40960);
        f->allowPainting();
        f->onScreenPressed(1, 0, 0, 0);
        QVERIFY(f->onSaveTriggered() && readFile(path).size() == 10240);
    }

    // A .pp name on the command line in any case is opened (the Open dialog then starts
    // in its folder); a wrong length is refused naming the file; another kind is left.
    void commandLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("refused");
        QTest::newRow("upper case") << "pic.PP" << ppBytes(randomPicture(28), true) << false;
        QTest::newRow("wrong length") << "odd.pp" << QByteArray(12000, 'x') << true;
        QTest::newRow("another kind") << "pic.scr" << QByteArray(10240, 'x') << false;
    }

    void commandLine()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        writeFile(path, content);
        EaselWindowFixture f(path);
        const bool opened = name.endsWith(".PP");
        QCOMPARE(f.dialogs.texts(),
                 refused ? QStringList{notPowerPaintMessage() + ": \"" + path + "\""} : QStringList());
        QCOMPARE(f->document().picture, opened ? randomPicture(28) : cleared());
        QCOMPARE(f->windowTitle(), opened ? "Mosaic Easel - " + path + "[*]" : QString("Mosaic Easel[*]"));
        QVERIFY(!f->document().modified);
        f->onOpenTriggered();
        QCOMPARE(f.starts.last().path, opened ? path : QString());
    }

    void everyCommandIsOneExactStep_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"stroke", "cmd_scroll_up", "cmd_scroll_down", "cmd_scroll_up_8", "cmd_scroll_down_8",
                                 "cmd_scroll_left", "cmd_scroll_right", "put"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void everyCommandIsOneExactStep()
    {
        QFETCH(QString, kind);
        EaselWindowFixture f;
        f->document().picture = randomPicture(25);
        f->showPicture();
        const Picture before = f->document().picture;
        if (kind == "stroke") {
            auto* view = f->findChild<tms::PixelView*>("ECRAN"); // a press, one fast move, a release
            QTest::mousePress(view, Qt::LeftButton, {}, {1, 1});
            moveWith(view, {301, 1}, Qt::LeftButton);
            QTest::mouseRelease(view, Qt::LeftButton, {}, {301, 1});
            for (int x = 0; x <= 150; ++x) // no gap on the way
                QCOMPARE(pixelColor(f->document().picture, x, 0), f->brushColors[1]);
        } else if (kind == "put") {
            liftBlock(f);
            QTest::mouseClick(f->findChild<tms::PixelView*>("the_picture"), Qt::RightButton, {}, {100, 100});
        } else {
            click(*f, qPrintable(kind));
        }
        const Picture after = f->document().picture;
        QVERIFY(!(after == before) && f->document().modified);
        QCOMPARE(f->findChild<QUndoStack*>("undoStack")->count(), 1);
        f->findChild<QAction*>("Undo")->trigger();
        QVERIFY(f->document().picture == before && !f->document().modified);
        f->findChild<QAction*>("Redo")->trigger();
        QVERIFY(f->document().picture == after && f->document().modified);
    }

    // Dropped files open by their kind: a .grp refused by the import's check without a
    // question, a .sc2 never read as a PowerPaint picture, a .pp after the question.
    void droppedFilesOpenByTheirKind()
    {
        EaselWindowFixture f;
        const QString pp = settings.filePath("a.pp"), grp = settings.filePath("b.grp"),
                      sc2 = settings.filePath("c.sc2");
        writeFile(pp, QByteArray(10240, '\x55'));
        writeFile(grp, QByteArray(100, 0));
        writeFile(sc2, QByteArray(10240, '\x55')); // the length of a PowerPaint file
        f->document().modified = true;
        QVERIFY(dropFile(f.window.get(), grp) && dropFile(f.window.get(), sc2) && f->document().modified);
        QVERIFY(f.dialogs.shown.size() == 2 && f.dialogs.shown[1].text == notSc2Message());
        f.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(dropFile(f.window.get(), pp));
        QVERIFY(f->document().fileName == pp && f->document().picture.bitmapPatterns[0] == 0x55);
        writeFile(sc2, encodeSC2(randomPicture(29)));
        QVERIFY(dropFile(f.window.get(), sc2));
        QCOMPARE(f->document().picture, randomPicture(29));

        auto* grid = f->findChild<QPushButton*>("cmd_grid"); // a wider window leaves the panel as it is
        f->show();
        const int panelWidth = grid->width();
        f->resize(f->width() + 300, 100);
        QCoreApplication::processEvents();
        QVERIFY(grid->width() == panelWidth && f->height() >= 384);
    }

    // An import is unsaved work without a name; a .mlt file inside a folder called
    // .scr is read by its own name.
    void importsReplaceThePicture()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.scr/pic.mlt");
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        writeFile(path, randomBytes(12288, 14));
        Picture expected;
        QVERIFY(decodeMLT(randomBytes(12288, 14), expected));

        EaselWindowFixture f;
        f->document().fileName = dir.filePath("old.pp");
        f.choices.enqueue({path, {}});
        f->onImportScrTriggered();
        QCOMPARE(f->document().picture, expected);
        QVERIFY(f->document().modified && f->document().fileName.isEmpty() && f.dialogs.shown.isEmpty());
        f.choices.enqueue({dir.filePath("saved.pp"), true});
        QVERIFY(f->onSaveTriggered()); // Save asks for a name, starting in the imported file's folder
        QVERIFY(f.opened.last() == PaintDialog::SaveAsPicture && f.starts.last().path == path);
    }

    // The exports write the format chosen (the sources start at RLE, the stream they
    // always had, the raw tables plain), ask the table name again until it can name the
    // tables, tell a failed write, and never change the picture or its state.
    void exportsWriteTheChoiceAndLeaveThePicture()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        Picture picture = randomPicture(31); // one whose export normalises it: rows with a hidden or transparent colour
        for (int i = 0; i < 6144; i += 3) {
            picture.bitmapPatterns[i] = i % 2 ? 0 : 255;
            picture.bitmapColors[i] = std::uint8_t(0x40 + (i % 7));
        }
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
        QVERIFY(f.dialogs.shown.size() == 4 && f.dialogs.shown[1].text.contains("\"my pic\" cannot name a table"));
        QCOMPARE(f->statusBar()->currentMessage(), QString("Wrote a.grp (16391 bytes)"));
        f->onExportGrpTriggered();
        QVERIFY(f.dialogs.shown.size() == 5 && f.dialogs.shown[4].kind == "tell"
                && f.dialogs.shown[4].text.contains("a.grp"));

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
        QVERIFY(starts[0].exportFormat.compression == tms::Compression::Rle
                && starts[1].exportFormat.compression == tms::Compression::None);
        const SourceOptions options{.compression = tms::Compression::Pletter, .syntax = tms::AsmSyntax::Sdas};
        QCOMPARE(readFile(dir.filePath("pic.asm")), asmSource(picture, "PIC", options));
        for (const char* name : {"pic.pat.plet", "pic.col.plet", "pic.nam.plet"})
            QVERIFY2(QFile::exists(dir.filePath(name)), name);
        QVERIFY(f->document().picture == picture && f->document().modified
                && f->document().fileName.endsWith("mine.pp"));
    }

    void importPictureWithItsDialog()
    {
        QTemporaryDir dir;
        QImage image(320, 200, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 0));
        QVERIFY(image.save(dir.filePath("red.png")));

        // (The dialog itself is the shared one, tried in test_kardo_pictures.)
        EaselWindowFixture f;
        f.choices << DialogChoice{dir.filePath("red.png"), {}} << DialogChoice{};
        f->onImportPictureTriggered();
        QCOMPARE(f.opened, (QList<PaintDialog>{PaintDialog::ImportPictureFile, PaintDialog::ImportPictureOptions}));
        QVERIFY(pixelColor(f->document().picture, 8, 8) == 8 || pixelColor(f->document().picture, 8, 8) == 9); // a red

        // Cancelling the options leaves the picture.
        const Picture before = f->document().picture;
        f.choices << DialogChoice{dir.filePath("red.png"), {}};
        f->onImportPictureTriggered();
        QCOMPARE(f->document().picture, before);

        // A picture named on the command line is converted at the start.
        EaselWindowFixture started(dir.filePath("red.png"));
        QVERIFY(started->document().picture == before && started->windowTitle() == "Mosaic Easel[*]");
    }

    // One import command reads its picture once (chooser, preview, import): an unchanged
    // file gives the picture already read; a rewritten file, or the next command, reads anew.
    void oneImportReadsThePictureOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("picture.png");
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(path));
        qint64 firstKey = 0;
        {
            const dither::DecodedPictureReuse readOnce;
            const tms::DecodedPicture first = dither::decodePictureFile(nullptr, path);
            const tms::DecodedPicture again = dither::decodePictureFile(nullptr, path);
            QVERIFY(first.image && again.image);
            QCOMPARE(again.image->cacheKey(), first.image->cacheKey());
            firstKey = first.image->cacheKey();
            image.fill(Qt::blue); // the same size and, within the clock's step, the same time
            QVERIFY(image.save(path));
            const tms::DecodedPicture rewritten = dither::decodePictureFile(nullptr, path);
            QCOMPARE(rewritten.image->pixel(0, 0), qRgb(0, 0, 255));
        }
        QVERIFY(dither::decodePictureFile(nullptr, path).image->cacheKey() != firstKey);
    }

    // The picture dialogs and the export dialog return what was chosen, the imports refuse
    // a bad file (the export's format controls are the shared ones, tried with kardo).
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
        QVERIFY(open->confirmedPath() == dir.filePath("good.pp")
                && dialogs.texts() == QStringList{notPowerPaintMessage()});
        for (const TransferDialog kind : {TransferDialog::ImportSCRFile, TransferDialog::ImportGRPFile,
                                          TransferDialog::ImportPictureFile}) { // each import checks its file too
            const auto chooser = createTransferDialog(kind, dialogs, nullptr);
            chooser->submit(dir.filePath("odd.pp"));
            QVERIFY(!chooser->confirmedPath());
        }

        const SaveAsPPFile save = createSaveAsPPFile(dialogs, nullptr, dir.filePath("x.pp"), true);
        QVERIFY(save.fullScreenBox->text() == "FullScreen 40K"
                && save.fullScreenBox->isChecked()); // shows the current size
        save.fullScreenBox->setChecked(false);
        save.chooser->submit("level1");
        const std::optional<SaveAsChoice> choice = saveAsPPFileChoice(save);
        QVERIFY(choice && !choice->fullScreen && choice->path == QDir(dir.path()).filePath("level1.pp"));

        const tms::ExportFormat format{tms::AsmSyntax::Db, tms::CStyle::Coleco, tms::Compression::Zx0};
        const auto chooser =
            createExportDialog(TransferDialog::Export2ASM, format, dialogs, nullptr, dir.filePath("x.asm"));
        chooser->submit("pic");
        const std::optional<ExportChoice> chosen = exportDialogChoice(*chooser);
        QVERIFY(chosen && chosen->path.endsWith("pic.asm") && chosen->format.syntax == tms::AsmSyntax::Db
                && chosen->format.compression == tms::Compression::Zx0);
    }
};

QTEST_MAIN(TestEaselWindow)
#include "test_easel_window.moc"
