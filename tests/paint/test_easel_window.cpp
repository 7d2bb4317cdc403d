// The main window: painting through the mouse handlers, the views, the block tool,
// undo, dropped files and the file commands with their prompts, played through
// scripted dialogs.
#include "easel_window_fixture.h"

#include "block_copy.h"
#include "file_drops.h"
#include "pixel_view.h"
#include "paint_test_support.h"
#include "pp_file.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

const QString hint = QStringLiteral("To save your work just select Save item in File menu");
const QString closeQuestion = QStringLiteral("Do you want to save the modification before closing?");
const QRgb grey = qRgb(128, 128, 128);

QRgb shown(Mosaic_Easel_Main& window, int x, int y)
{
    return window.findChild<tms::PixelView*>("ECRAN")->shownImage().pixel(x, y);
}

QRgb colour(int index) { return tms::toQRgb(tms::standardPalette()[index]); }

void click(Mosaic_Easel_Main& window, const char* name) { window.findChild<QAbstractButton*>(name)->click(); }

int patternAt(Mosaic_Easel_Main& w, int row, int column, int line) { return w.picture.bitmapPatterns[tms::bitmapIndex(row, column, line)]; }

// A press at from, one move to to (a fast drag), a release.
void drag(QWidget* view, QPoint from, QPoint to)
{
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
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
        QCOMPARE(shown(*f, 0, 0), colour(1)); // starts cleared
        f->ECRAN_MouseDown(1, 0, 6, 0); // pixel 3 of the black row
        QCOMPARE(int(f->picture.bitmapPatterns[0]), 16);
        QCOMPARE(int(f->picture.bitmapColors[0]), 241);
        QVERIFY(f->modified);
        QCOMPARE(shown(*f, 6, 0), colour(15));
        QCOMPARE(shown(*f, 7, 1), colour(15));
        QCOMPARE(shown(*f, 8, 0), colour(1));

        // A real right button paints brush 0 (black) over it again.
        QTest::mousePress(f->findChild<QWidget*>("ECRAN"), Qt::RightButton, {}, QPoint(7, 1));
        QCOMPARE(int(f->picture.bitmapPatterns[0]), 0);
        QCOMPARE(shown(*f, 6, 0), colour(1));
    }

    void paintingNeedsTheTickAndOneButton()
    {
        EaselWindowFixture f;
        f->Fichier_Click(); // opening the File menu clears the tick
        QVERIFY(!f->tick);
        f->ECRAN_MouseDown(1, 0, 0, 0);
        QVERIFY(!f->modified);
        f->Timer1_Timer();
        f->ECRAN_MouseDown(3, 0, 0, 0);     // both buttons
        f->ECRAN_MouseMove(0, 0, 0, 0);     // no button
        f->ECRAN_MouseMove(1, 0, 600, 10);  // outside the surface
        QVERIFY(!f->modified);
        f->ECRAN_MouseMove(1, 0, 511, 383);
        QCOMPARE(patternAt(*f, 23, 31, 7), 1);
        f->Apropos_Click();
        QVERIFY(!f->tick);
        QCOMPARE(f.opened.last(), PaintDialog::About);
    }

    void colourStripSetsTheBrushes()
    {
        EaselWindowFixture f;
        f->COLOR_MouseDown(1, 0, 5, 8 * 12 + 3);
        QCOMPARE(f->brushColors[1], 8);
        f->COLOR_MouseDown(2, 0, 5, 500); // clamped to the last swatch
        QCOMPARE(f->brushColors[0], 15);
        QCOMPARE(f->findChild<tms::PixelView*>("Couleur_1")->shownImage().pixel(3, 3), colour(8));
    }

    void gridZoomAndNew()
    {
        EaselWindowFixture f;
        f->cmd_grid_Click();
        QCOMPARE(shown(*f, 0, 0), grey);
        // Painting keeps the grid on screen but out of the clean copy.
        f->ECRAN_MouseDown(1, 0, 0, 0);
        QCOMPARE(shown(*f, 0, 0), grey);
        QCOMPARE(f->ECRAN_BACKUP.pixel(0, 0), colour(15));
        click(*f, "chk_zoom2x");
        QVERIFY(f->zoomed);
        QCOMPARE(shown(*f, 2, 2), colour(15)); // the painted pixel, 4x4 at the top-left
        f->cmd_grid_Click();
        click(*f, "chk_zoom2x");
        f->cmd_grid_Click();
        f.dialogs.yesNoAnswers.enqueue(false);
        f->Nouveau_Click(); // New turns the grid off
        QVERIFY(!f->gridShown);
        QCOMPARE(shown(*f, 0, 0), colour(1));
    }

    void zoomViewPaintsAndMovesWithinItsLimits()
    {
        EaselWindowFixture f;
        click(*f, "chk_zoom2x");
        for (int i = 0; i < 20; ++i) {
            f->cmd_scroll_right_Click();
            f->cmd_scroll_down_8_Click();
        }
        QCOMPARE(f->zoomColumn, 16);
        QCOMPARE(f->zoomRow, 12);
        QVERIFY(!f->modified); // moving the view is not a change
        // Pixel 1 of line 2 of the zoom view's first cell is column 16, row 12.
        f->ECRAN_MouseDown(1, 0, 4 + 1, 8 + 1);
        QCOMPARE(patternAt(*f, 12, 16, 2), 64);
        QCOMPARE(shown(*f, 7, 11), colour(15));
        f->cmd_scroll_left_Click();
        f->cmd_scroll_up_8_Click();
        QCOMPARE(f->zoomColumn, 15);
        QCOMPARE(f->zoomRow, 11);
        click(*f, "chk_get"); // Get stays unchecked while zoomed
        QVERIFY(!f->findChild<QCheckBox*>("chk_get")->isChecked());
        QVERIFY(!f->selecting);
    }

    void scrollButtonsMoveThePicture()
    {
        EaselWindowFixture f;
        f->picture = randomPicture(21);
        const Picture original = f->picture;
        f->RenderPicture();
        click(*f, "cmd_scroll_right");
        QVERIFY(f->modified); // column 31 comes back as column 0 on screen as well
        QCOMPARE(shown(*f, 0, 0), colour(pixelColor(original, 31 * 8, 0)));
    }

    void blockToolSelectsGetsDragsAndPutsOverlapping()
    {
        EaselWindowFixture f;
        f->picture = randomPicture(22);
        const Picture original = f->picture;
        f->RenderPicture();
        auto* get = f->findChild<QCheckBox*>("chk_get");
        auto* selection = f->findChild<QFrame*>("selection");
        auto* thePicture = f->findChild<QWidget*>("the_picture");
        get->click();
        QVERIFY(f->selecting);
        f->ECRAN_MouseDown(1, 0, 2 * 16 + 3, 10 * 2);     // column 2, line 10
        f->ECRAN_MouseDown(1, 0, 5 * 16 + 3, 40 * 2 + 1); // column 5, line 40
        QCOMPARE(shown(*f, 2 * 16, 10 * 2), grey); // the rectangle
        QCOMPARE(f->picture, original);           // selecting paints nothing
        get->click(); // Get
        QVERIFY(!selection->isHidden());

        // Drag centres the block on the pointer, limited so that it stays on screen.
        auto moveBlock = [&](QPoint to, bool press) {
            const QPoint local = to - selection->pos() - thePicture->pos();
            press ? f->the_picture_MouseDown(1, 0, local.x(), local.y()) : f->the_picture_MouseMove(1, 0, local.x(), local.y());
        };
        const QPoint wanted(3 * 16 + 32 + 4, 13 * 2 + 31); // corner on column 3, line 13
        moveBlock(wanted, true);
        QCOMPARE(selection->pos(), QPoint(3 * 16, 13 * 2));
        moveBlock({2000, 2000}, false);
        QCOMPARE(selection->pos(), QPoint((31 - 3) * 16, (191 - 30) * 2));
        moveBlock(wanted, false);
        f->the_picture_MouseDown(2, 0, 10, 10); // Put
        QVERIFY(selection->isHidden());
        QVERIFY(f->modified);
        Picture expected = original; // the block put where it was dragged to
        putBlock(expected, original, Block{2, 5, 10, 40}, 3, 13);
        QCOMPARE(f->picture, expected);
    }

    void getWithoutSelectionOnlyLeavesSelectMode()
    {
        EaselWindowFixture f;
        click(*f, "chk_get");
        click(*f, "chk_get");
        QVERIFY(!f->selecting);
        QVERIFY(!f->modified);

        EaselWindowFixture g; // selecting with the grid keeps the clean copy clean
        g->cmd_grid_Click();
        click(*g, "chk_get");
        g->ECRAN_MouseDown(1, 0, 100, 100);
        click(*g, "chk_get");
        g->cmd_grid_Click();
        QCOMPARE(g->ECRAN_BACKUP.pixel(16, 16), colour(1));
        QCOMPARE(shown(*g, 16, 16), colour(1));
    }

    // Save without a file runs Save As; a failed write is told and keeps the picture's state.
    void saveWithoutFileRunsSaveAs()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("pic.pp");
        QVERIFY(QDir(dir.path()).mkdir("taken.pp")); // a folder where the file should go
        EaselWindowFixture f;
        f->Sauver_Click(); // an unchanged picture: nothing to do
        QVERIFY(f.opened.isEmpty());
        f->ECRAN_MouseDown(1, 0, 6, 0);
        f.choices.enqueue({dir.filePath("taken.pp"), false});
        f->Sauver_Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown[0].text.contains("taken.pp"));
        QVERIFY(f->modified);
        QCOMPARE(f->windowTitle(), QString("Mosaic Easel")); // the picture keeps its old name
        QVERIFY(QFileInfo(dir.filePath("taken.pp")).isDir());
        f.choices.enqueue({path, false});
        f->Sauver_Click();
        QCOMPARE(f.opened, (QList<PaintDialog>{PaintDialog::SaveAsPicture, PaintDialog::SaveAsPicture}));
        QVERIFY(!f->modified);
        QCOMPARE(f->windowTitle(), "Mosaic Easel - " + path);
        QCOMPARE(readFile(path), ppBytes(f->picture, false));
        QCOMPARE(f.dialogs.shown.size(), 1);
    }

    void saveAsClosedOrOnItsOwnPathWritesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("own.pp");
        QVERIFY(savePPFile(path, randomPicture(23), false));
        EaselWindowFixture f;
        f.choices.enqueue({path, {}});
        f->Ouvrir_Click();
        QCOMPARE(f->fileName, path);
        QVERIFY(!f->tick); // the click that closed the dialog must not paint
        f->Timer1_Timer();
        f->ECRAN_MouseDown(1, 0, 0, 0);
        const QByteArray before = readFile(path);
        f->SauverSous_Click(); // closed without a choice
        QCOMPARE(f.dialogs.texts(), QStringList{hint});
        f.choices.enqueue({path, true}); // own path, with the box now checked
        f->SauverSous_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{hint, hint}));
        QCOMPARE(readFile(path), before);
        QVERIFY(f->modified);
        f->Sauver_Click(); // the next Save writes the newly chosen size
        QCOMPARE(readFile(path).size(), 40960);
        QVERIFY(!f->modified);
    }

    void closeAnsweredYesNeverDiscardsUnsavedWork()
    {
        EaselWindowFixture f;
        f->ECRAN_MouseDown(1, 0, 0, 0);
        const Picture painted = f->picture;
        f.dialogs.yesNoAnswers.enqueue(true); // save first: Save As opens and is closed
        QVERIFY(!f->Fermer_Click());
        QCOMPARE(f.dialogs.texts(), (QStringList{closeQuestion, hint}));
        QCOMPARE(f->picture, painted);
        QVERIFY(f->modified);
        f.dialogs.yesNoAnswers.enqueue(false); // No discards
        QVERIFY(f->Fermer_Click());
        QCOMPARE(int(f->picture.bitmapPatterns[0]), 0);
        QVERIFY(!f->modified);
        QCOMPARE(f.dialogs.unexpected, 0);

        QTemporaryDir dir; // Yes with a chosen file saves, then clears
        f->Timer1_Timer();
        f->ECRAN_MouseDown(1, 0, 0, 0);
        f.dialogs.yesNoAnswers.enqueue(true);
        f.choices.enqueue({dir.filePath("kept.pp"), true});
        QVERIFY(f->Fermer_Click());
        QCOMPARE(readFile(dir.filePath("kept.pp")).size(), 40960);
        QVERIFY(f->fileName.isEmpty());
        QCOMPARE(int(f->picture.bitmapColors[0]), 33);
    }

    void openClosedWithoutChoiceChangesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.pp");
        QVERIFY(savePPFile(path, randomPicture(24), true));
        EaselWindowFixture f;
        f.choices.enqueue({path, {}});
        f->Ouvrir_Click();
        f->Timer1_Timer();
        f->ECRAN_MouseDown(1, 0, 100, 100);
        const Picture edited = f->picture;
        f.dialogs.yesNoAnswers.enqueue(false); // do not save first
        f->Ouvrir_Click(); // closed without a choice
        QCOMPARE(f->picture, edited);
        QVERIFY(f->modified);
        QCOMPARE(f->fileName, path);
        QCOMPARE(f.dialogs.texts(), QStringList{closeQuestion});
        QVERIFY(f->Timer1.isActive());

        EaselWindowFixture g; // Yes, then Save As closed: the Open dialog never shows
        g->ECRAN_MouseDown(1, 0, 0, 0);
        g.dialogs.yesNoAnswers.enqueue(true);
        g->Ouvrir_Click();
        QCOMPARE(g.opened, QList<PaintDialog>{PaintDialog::SaveAsPicture});
        QCOMPARE(g->picture.bitmapPatterns[0], 128);
        QVERIFY(g->modified);
    }

    void openLoadsTenKOverAFullPicture()
    {
        QTemporaryDir dir;
        const Picture full = randomPicture(26), small = randomPicture(27);
        QVERIFY(savePPFile(dir.filePath("full.pp"), full, true));
        QVERIFY(savePPFile(dir.filePath("small.PP"), small, false));
        EaselWindowFixture f;
        f.choices.enqueue({dir.filePath("full.pp"), {}});
        f->Ouvrir_Click();
        QCOMPARE(f->picture, full);
        QVERIFY(f->fullScreenFile);
        f.choices.enqueue({dir.filePath("small.PP"), {}});
        f->Ouvrir_Click();
        QVERIFY(!f->fullScreenFile);
        QCOMPARE(patternAt(*f, 5, 29, 1), small.bitmapPatterns[tms::bitmapIndex(5, 29, 1)]);
        const int x = 31 * 8, y = 21 * 8; // the rows a 10K file does not hold stay, on screen too
        QCOMPARE(shown(*f, 2 * x, 2 * y), colour(pixelColor(full, x, y)));
        QVERIFY(!f->modified);
    }

    void openRefusesAFileThatCannotBeRead()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        f.choices.enqueue({dir.filePath("gone.pp"), {}});
        f->Ouvrir_Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f->fileName.isEmpty());
    }

    void commandLineLoadsAPictureInAnyCase()
    {
        QTemporaryDir dir;
        const Picture picture = randomPicture(28);
        QVERIFY(savePPFile(dir.filePath("pic.PP"), picture, true));
        EaselWindowFixture f(dir.filePath("pic.PP"));
        QCOMPARE(f->picture, picture);
        QCOMPARE(f->windowTitle(), "Mosaic Easel - " + dir.filePath("pic.PP"));
        QVERIFY(!f->modified);
        f->Ouvrir_Click(); // the Open dialog starts in the picture's folder
        QCOMPARE(f.starts.last().path, dir.filePath("pic.PP"));
    }

    void commandLineRefusesWrongLengthsAndOtherKinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("refused");
        QTest::newRow("wrong length") << "odd.pp" << 12000 << true;
        QTest::newRow("another kind") << "pic.scr" << 10240 << false;
    }

    void commandLineRefusesWrongLengthsAndOtherKinds()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QTemporaryDir dir;
        writeFile(dir.filePath(name), QByteArray(size, 'x'));
        QFETCH(bool, refused);
        EaselWindowFixture f(dir.filePath(name));
        // The refusal names the file, which the user may not have seen.
        QCOMPARE(f.dialogs.texts(), refused ? QStringList{notPowerPaintMessage() + ": \"" + dir.filePath(name) + "\""}
                                            : QStringList());
        QCOMPARE(int(f->picture.bitmapColors[0]), 33);
        QCOMPARE(f->windowTitle(), QString("Mosaic Easel"));
    }

    void endOfWindowAsksAndKeepsTheWindowWhenNothingWasSaved()
    {
        EaselWindowFixture f;
        f->show();
        f->ECRAN_MouseDown(1, 0, 0, 0);
        f.dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(!f->close());
        QCOMPARE(f.dialogs.shown[0].title, QString("Warning! Unsaved modification!"));
        QCOMPARE(f.dialogs.shown[0].text, QString("Do you want to save you works?"));
        QVERIFY(f->isVisible());
        f.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(f->close());

        EaselWindowFixture g; // Quit after Close ends without a second question
        g->show();
        g->ECRAN_MouseDown(1, 0, 0, 0);
        g.dialogs.yesNoAnswers.enqueue(false);
        g->Quitter_Click();
        QVERIFY(!g->isVisible());
        QCOMPARE(g.dialogs.texts(), QStringList{closeQuestion});
    }

    void everyCommandIsOneExactStep_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"stroke", "cmd_scroll_up", "cmd_scroll_down", "cmd_scroll_up_8", "cmd_scroll_down_8",
                                 "cmd_scroll_left", "cmd_scroll_right", "put", "import"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void everyCommandIsOneExactStep()
    {
        QFETCH(QString, kind);
        EaselWindowFixture f;
        QTemporaryDir dir;
        for (int i = 0; i < int(f->picture.bitmapPatterns.size()); ++i) // a picture with something in every row
            f->picture.bitmapPatterns[i] = std::uint8_t((i * 2654435761u) >> 24);
        f->RenderPicture();
        const Picture before = f->picture;
        if (kind == QLatin1String("stroke")) {
            drag(f->findChild<tms::PixelView*>(QStringLiteral("ECRAN")), {1, 1}, {301, 1});
            for (int x = 0; x <= 150; ++x) // no gap on the way
                QCOMPARE(pixelColor(f->picture, x, 0), f->brushColors[1]);
        } else if (kind == QLatin1String("put")) {
            auto* get = f->findChild<QAbstractButton*>(QStringLiteral("chk_get"));
            get->click();
            f->ECRAN_MouseDown(1, 0, 100, 100);
            get->click();
            QTest::mouseClick(f->findChild<tms::PixelView*>(QStringLiteral("the_picture")), Qt::RightButton, {}, {100, 100});
        } else if (kind == QLatin1String("import")) {
            QImage image(256, 192, QImage::Format_RGB32);
            image.fill(Qt::white);
            QVERIFY(image.save(dir.filePath(QStringLiteral("white.png"))));
            QVERIFY(f->importPicture(dir.filePath(QStringLiteral("white.png"))));
        } else {
            f->findChild<QAbstractButton*>(kind)->click();
        }
        const Picture after = f->picture;
        QVERIFY(!(after == before));
        const bool modifiedAfter = f->modified;
        QCOMPARE(f->findChild<QUndoStack*>(QStringLiteral("undoStack"))->count(), 1);
        f->findChild<QAction*>(QStringLiteral("Undo"))->trigger();
        QVERIFY(f->picture == before);
        QCOMPARE(f->modified, false);
        f->findChild<QAction*>(QStringLiteral("Redo"))->trigger();
        QVERIFY(f->picture == after);
        QCOMPARE(f->modified, modifiedAfter);
    }

    void droppedFilesOpenAndGridAndPanel()
    {
        EaselWindowFixture f;
        const QString pp = settings.filePath(QStringLiteral("a.pp")), grp = settings.filePath(QStringLiteral("b.grp"));
        writeFile(pp, QByteArray(10240, '\x55'));
        writeFile(grp, QByteArray(100, 0));
        f->modified = true;
        QVERIFY(dropFile(f.window.get(), grp) && f->modified); // refused by the import's check, no question
        f.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(dropFile(f.window.get(), pp));
        QVERIFY(f->fileName == pp && f->picture.bitmapPatterns[0] == 0x55 && f.dialogs.shown.size() == 2);

        auto* grid = f->findChild<QPushButton*>(QStringLiteral("cmd_grid"));
        grid->click();
        QVERIFY(grid->isChecked() && f->gridShown);
        f->Nouveau_Click();
        QVERIFY(!grid->isChecked());
        f->show();
        const int panelWidth = grid->width();
        f->resize(f->width() + 300, 100);
        QCoreApplication::processEvents();
        QVERIFY(grid->width() == panelWidth && f->height() >= 384);
    }
};

QTEST_MAIN(TestEaselWindow)
#include "test_easel_window.moc"
