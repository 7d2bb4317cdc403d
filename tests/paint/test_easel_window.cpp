// The main window: painting through the mouse handlers, the views, the block tool
// and the file commands with their prompts, played through scripted dialogs.
#include "easel_window_fixture.h"

#include "drawing_surface.h"
#include "paint_test_support.h"
#include "pp_file.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace paint;
using namespace paint_test;

namespace {

const QString hint = QStringLiteral("To save your work just select Save item in File menu");
const QString closeQuestion = QStringLiteral("Do you want to save the modification before closing?");

// Pixel (x, y) of the picture on ECRAN at twice its size.
QPoint onScreen(int x, int y) { return {2 * x, 2 * y}; }

QRgb shown(Mosaic_Easel_Main& window, int x, int y)
{
    return window.findChild<DrawingSurface*>("ECRAN")->image().pixel(x, y);
}

QRgb colour(int index) { return tms::toQRgb(tms::standardPalette()[index]); }

} // namespace

class TestEaselWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithAClearedPictureAndNamedControls()
    {
        EaselWindowFixture f;
        QCOMPARE(f->windowTitle(), QString("Mosaic Easel"));
        QCOMPARE(f->objectName(), QString("Mosaic_Easel_Main"));
        QCOMPARE(f->brushColors[0], 1);
        QCOMPARE(f->brushColors[1], 15);
        QVERIFY(!f->modified);
        QCOMPARE(int(f->picture.bitmapColors[100]), 33);
        QCOMPARE(f->findChild<QWidget*>("ECRAN")->size(), QSize(512, 384));
        QCOMPARE(f->findChild<QWidget*>("COLOR")->size(), QSize(16, 192));
        for (const char* name : {"Couleur_0", "Couleur_1", "selection", "the_picture"})
            QVERIFY2(f->findChild<QWidget*>(name), name);
        QCOMPARE(f->findChild<QCheckBox*>("chk_get")->text(), QString("Get"));
        QCOMPARE(f->findChild<QCheckBox*>("chk_zoom2x")->text(), QString("Zoom"));
        QCOMPARE(f->findChild<QPushButton*>("cmd_grid")->text(), QString("grid"));
        QCOMPARE(f->findChild<QPushButton*>("cmd_scroll_up")->text(), QString("1"));
        QCOMPARE(f->findChild<QPushButton*>("cmd_scroll_right")->text(), QString("8"));
        QCOMPARE(f->Timer1.interval(), 2000);
        for (const char* name : {"ExporterC", "ExporterASM", "ExporterGRP", "ImporterSCR", "ImporterGRP"})
            QVERIFY2(!f->findChild<QAction*>(name)->isEnabled(), name);
        for (const char* name : {"Nouveau", "Ouvrir", "Sauver", "SauverSous", "Fermer", "Quitter", "Apropos"})
            QVERIFY2(f->findChild<QAction*>(name)->isEnabled(), name);
        QCOMPARE(shown(*f, 0, 0), colour(1));
    }

    void paintsTheBlackRowWhite()
    {
        EaselWindowFixture f;
        const QPoint p = onScreen(3, 0);
        f->ECRAN_MouseDown(1, 0, p.x(), p.y());
        QCOMPARE(int(f->picture.bitmapPatterns[0]), 16);
        QCOMPARE(int(f->picture.bitmapColors[0]), 241);
        QVERIFY(f->modified);
        QCOMPARE(shown(*f, 6, 0), colour(15));
        QCOMPARE(shown(*f, 7, 1), colour(15));
        QCOMPARE(shown(*f, 8, 0), colour(1));
    }

    void paintsThroughRealMouseEventsWithTheRightBrush()
    {
        EaselWindowFixture f;
        f->picture.bitmapPatterns[tms::bitmapIndex(2, 3, 4)] = 255;
        f->picture.bitmapColors[tms::bitmapIndex(2, 3, 4)] = 0xF1;
        f->RenderPicture();
        auto* ecran = f->findChild<QWidget*>("ECRAN");
        // Right button paints brush 0 (black) on pixel 5 of column 3, row 2, line 4.
        QTest::mousePress(ecran, Qt::RightButton, {}, QPoint(3 * 16 + 5 * 2 + 1, 2 * 16 + 4 * 2 + 1));
        QCOMPARE(int(f->picture.bitmapPatterns[tms::bitmapIndex(2, 3, 4)]), 255 - 4);
        QCOMPARE(int(f->picture.bitmapColors[tms::bitmapIndex(2, 3, 4)]), 0xF1);
    }

    void paintingNeedsTheTickAndOneButton()
    {
        EaselWindowFixture f;
        f->Fichier_Click(); // opening the File menu clears the tick
        QVERIFY(!f->tick);
        f->ECRAN_MouseDown(1, 0, 0, 0);
        QVERIFY(!f->modified);
        f->Timer1_Timer();
        f->ECRAN_MouseDown(3, 0, 0, 0); // both buttons
        f->ECRAN_MouseMove(0, 0, 0, 0); // no button
        QVERIFY(!f->modified);
        f->ECRAN_MouseMove(1, 0, 600, 10); // outside the surface
        QVERIFY(!f->modified);
        f->ECRAN_MouseMove(1, 0, 511, 383);
        QCOMPARE(int(f->picture.bitmapPatterns[tms::bitmapIndex(23, 31, 7)]), 1);
        f->Apropos_Click();
        QVERIFY(!f->tick);
        QCOMPARE(f.opened.last(), PaintDialog::About);
    }

    void paintingTheShownColourStillCountsAsAChange()
    {
        EaselWindowFixture f;
        f->ECRAN_MouseDown(2, 0, 40, 40); // black on black
        QCOMPARE(int(f->picture.bitmapPatterns[tms::bitmapIndex(2, 2, 4)]), 0);
        QCOMPARE(int(f->picture.bitmapColors[tms::bitmapIndex(2, 2, 4)]), 33);
        QVERIFY(f->modified);
    }

    void colourStripSetsTheBrushes()
    {
        EaselWindowFixture f;
        f->COLOR_MouseDown(1, 0, 5, 8 * 12 + 3);
        QCOMPARE(f->brushColors[1], 8);
        f->COLOR_MouseDown(2, 0, 5, 500); // clamped to the last swatch
        QCOMPARE(f->brushColors[0], 15);
        QCOMPARE(f->findChild<DrawingSurface*>("Couleur_1")->image().pixel(3, 3), colour(8));
        QCOMPARE(f->findChild<DrawingSurface*>("COLOR")->image().pixel(8, 12 * 4 + 6), colour(4));
        QCOMPARE(f->findChild<DrawingSurface*>("COLOR")->image().pixel(0, 0), colour(0));
        QCOMPARE(colour(0), qRgb(0, 0, 64));
    }

    void gridDotsAndZoomLines()
    {
        EaselWindowFixture f;
        f->cmd_grid_Click();
        const QRgb grey = qRgb(128, 128, 128);
        QCOMPARE(shown(*f, 0, 0), grey);
        QCOMPARE(shown(*f, 16, 32), grey);
        QCOMPARE(shown(*f, 17, 32), colour(1));
        // Painting keeps the grid on screen but out of the clean copy.
        f->ECRAN_MouseDown(1, 0, 0, 0);
        QCOMPARE(shown(*f, 0, 0), grey);
        QCOMPARE(f->ECRAN_BACKUP.pixel(0, 0), colour(15));
        auto* zoom = f->findChild<QCheckBox*>("chk_zoom2x");
        zoom->click();
        QVERIFY(f->zoomed);
        QCOMPARE(shown(*f, 64, 5), grey);  // vertical line
        QCOMPARE(shown(*f, 5, 96), grey);  // horizontal line
        QCOMPARE(shown(*f, 2, 2), colour(15)); // the painted pixel, 4x4 at the top-left
        QCOMPARE(shown(*f, 5, 2), colour(1));
        QCOMPARE(shown(*f, 5, 33), colour(1));
        f->cmd_grid_Click();
        QCOMPARE(shown(*f, 64, 5), colour(1));
    }

    void zoomViewPaintsAndMovesWithinItsLimits()
    {
        EaselWindowFixture f;
        f->findChild<QCheckBox*>("chk_zoom2x")->click();
        for (int i = 0; i < 20; ++i)
            f->cmd_scroll_right_Click();
        QCOMPARE(f->zoomColumn, 16);
        for (int i = 0; i < 20; ++i)
            f->cmd_scroll_down_8_Click();
        QCOMPARE(f->zoomRow, 12);
        QVERIFY(!f->modified); // moving the view is not a change
        const Picture before = f->picture;
        f->cmd_scroll_up_Click();
        f->cmd_scroll_down_Click();
        QCOMPARE(f->picture, before);
        // Pixel 1 of line 2 of the zoom view's first cell is column 16, row 12.
        f->ECRAN_MouseDown(1, 0, 4 + 1, 8 + 1);
        QCOMPARE(int(f->picture.bitmapPatterns[tms::bitmapIndex(12, 16, 2)]), 64);
        QCOMPARE(shown(*f, 4, 8), colour(15));
        QCOMPARE(shown(*f, 7, 11), colour(15));
        QCOMPARE(shown(*f, 8, 8), colour(1));
        f->cmd_scroll_left_Click();
        f->cmd_scroll_up_8_Click();
        QCOMPARE(f->zoomColumn, 15);
        QCOMPARE(f->zoomRow, 11);
        // Leaving and entering the zoom keeps its position.
        f->findChild<QCheckBox*>("chk_zoom2x")->click();
        QVERIFY(!f->zoomed);
        f->findChild<QCheckBox*>("chk_zoom2x")->click();
        QCOMPARE(f->zoomColumn, 15);
    }

    void scrollButtonsMoveThePictureAndRoundTrip()
    {
        EaselWindowFixture f;
        f->picture = randomPicture(21);
        const Picture original = f->picture;
        f->RenderPicture();
        f->findChild<QPushButton*>("cmd_scroll_up")->click();
        QVERIFY(f->modified);
        QCOMPARE(f->picture.bitmapPatterns[tms::bitmapIndex(23, 4, 7)], original.bitmapPatterns[tms::bitmapIndex(0, 4, 0)]);
        f->findChild<QPushButton*>("cmd_scroll_down")->click();
        f->findChild<QPushButton*>("cmd_scroll_left")->click();
        f->findChild<QPushButton*>("cmd_scroll_right")->click();
        f->findChild<QPushButton*>("cmd_scroll_up_8")->click();
        f->findChild<QPushButton*>("cmd_scroll_down_8")->click();
        QCOMPARE(f->picture, original);
        f->findChild<QPushButton*>("cmd_scroll_right")->click();
        // Column 31 came back as column 0 on screen as well.
        const bool set = original.bitmapPatterns[tms::bitmapIndex(0, 31, 0)] & 128;
        const int c = original.bitmapColors[tms::bitmapIndex(0, 31, 0)];
        QCOMPARE(shown(*f, 0, 0), colour(set ? c >> 4 : c & 15));
    }

    void blockToolSelectsGetsDragsAndPutsOverlapping()
    {
        EaselWindowFixture f;
        f->picture = randomPicture(22);
        const Picture original = f->picture;
        f->RenderPicture();
        auto* get = f->findChild<QCheckBox*>("chk_get");
        auto* selection = f->findChild<QFrame*>("selection");
        get->click();
        QVERIFY(f->selecting);
        QCOMPARE(get->text(), QString("Select"));
        // First click: column 2, line 10; second: column 5, line 40.
        f->ECRAN_MouseDown(1, 0, 2 * 16 + 3, 10 * 2);
        QCOMPARE(f->selLeft, 2);
        QCOMPARE(f->selTop, 10);
        f->ECRAN_MouseDown(1, 0, 5 * 16 + 3, 40 * 2 + 1);
        QCOMPARE(f->selRight, 5);
        QCOMPARE(f->selBottom, 40);
        QCOMPARE(shown(*f, 2 * 16, 10 * 2), qRgb(128, 128, 128)); // the rectangle
        QCOMPARE(f->picture, original); // selecting paints nothing
        get->click(); // Get
        QCOMPARE(get->text(), QString("Put"));
        QVERIFY(!selection->isHidden());
        QCOMPARE(selection->size(), QSize(4 * 16, 30 * 2 + 2));
        QCOMPARE(selection->pos(), QPoint(0, 0));

        // Drag: centre the block on the pointer; the corner lands on column 3, line 13.
        auto* thePicture = f->findChild<QWidget*>("the_picture");
        const QPoint wanted(3 * 16 + 32 + 4, 13 * 2 + 31);
        const QPoint local = wanted - selection->pos() - thePicture->pos();
        f->the_picture_MouseDown(1, 0, local.x(), local.y());
        QCOMPARE(selection->pos(), QPoint(3 * 16, 13 * 2));
        // Far right and far down: limited so that the block stays on screen.
        const QPoint far = QPoint(2000, 2000) - selection->pos() - thePicture->pos();
        f->the_picture_MouseMove(1, 0, far.x(), far.y());
        QCOMPARE(selection->pos(), QPoint((31 - 3) * 16, (191 - 30) * 2));
        const QPoint back = wanted - selection->pos() - thePicture->pos();
        f->the_picture_MouseMove(1, 0, back.x(), back.y());
        QCOMPARE(selection->pos(), QPoint(3 * 16, 13 * 2));

        f->the_picture_MouseDown(2, 0, 10, 10); // Put
        QVERIFY(selection->isHidden());
        QCOMPARE(get->text(), QString("Get"));
        QVERIFY(f->modified);
        for (int sy = 10; sy <= 40; ++sy)
            for (int sc = 2; sc <= 5; ++sc) {
                QCOMPARE(f->picture.bitmapPatterns[rowIndexOfLine(sc + 1, sy + 3)], original.bitmapPatterns[rowIndexOfLine(sc, sy)]);
                QCOMPARE(f->picture.bitmapColors[rowIndexOfLine(sc + 1, sy + 3)], original.bitmapColors[rowIndexOfLine(sc, sy)]);
            }
        QCOMPARE(f->picture.bitmapPatterns[rowIndexOfLine(2, 10)], original.bitmapPatterns[rowIndexOfLine(2, 10)]);
    }

    void getWithoutSelectionOnlyLeavesSelectMode()
    {
        EaselWindowFixture f;
        auto* get = f->findChild<QCheckBox*>("chk_get");
        get->click();
        get->click();
        QVERIFY(!f->selecting);
        QCOMPARE(get->text(), QString("Get"));
        QVERIFY(f->findChild<QFrame*>("selection")->isHidden());
        QVERIFY(!f->modified);
    }

    void selectingWithTheGridKeepsTheCleanCopyClean()
    {
        EaselWindowFixture f;
        f->cmd_grid_Click();
        auto* get = f->findChild<QCheckBox*>("chk_get");
        get->click();
        f->ECRAN_MouseDown(1, 0, 100, 100);
        get->click();
        f->cmd_grid_Click();
        QCOMPARE(f->ECRAN_BACKUP.pixel(16, 16), colour(1));
        QCOMPARE(shown(*f, 16, 16), colour(1));
    }

    void getStaysUncheckedWhileZoomed()
    {
        EaselWindowFixture f;
        f->findChild<QCheckBox*>("chk_zoom2x")->click();
        auto* get = f->findChild<QCheckBox*>("chk_get");
        get->click();
        QVERIFY(!get->isChecked());
        QVERIFY(!f->selecting);
        QCOMPARE(get->text(), QString("Get"));
    }

    void saveWithoutFileRunsSaveAsAndWrites10K()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        f->ECRAN_MouseDown(1, 0, 6, 0);
        f.choices.enqueue({dir.filePath("pic.pp"), false});
        f->Sauver_Click();
        QCOMPARE(f.opened, QList<PaintDialog>{PaintDialog::SaveAsPicture});
        QVERIFY(!f->modified);
        QCOMPARE(f->fileName, dir.filePath("pic.pp"));
        QCOMPARE(f->windowTitle(), "Mosaic Easel - " + dir.filePath("pic.pp"));
        const QByteArray bytes = readAll(dir.filePath("pic.pp"));
        QCOMPARE(bytes.size(), 10240);
        QCOMPARE(int(quint8(bytes[16])), 16);
        QCOMPARE(int(quint8(bytes[5120 + 16])), 241);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void saveOfAnUnchangedPictureDoesNothing()
    {
        EaselWindowFixture f;
        f->Sauver_Click();
        QVERIFY(f.opened.isEmpty());
        QVERIFY(f.dialogs.shown.isEmpty());
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
        const QByteArray before = readAll(path);

        f->SauverSous_Click(); // closed without a choice
        QCOMPARE(f.dialogs.texts(), QStringList{hint});
        f.choices.enqueue({path, true}); // own path, with the box now checked
        f->SauverSous_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{hint, hint}));
        QCOMPARE(readAll(path), before);
        QVERIFY(f->modified);
        // The next Save writes the newly chosen size.
        f->Sauver_Click();
        QCOMPARE(readAll(path).size(), 40960);
        QVERIFY(!f->modified);
    }

    void saveAsOverALongerFileYieldsExactlyTenK()
    {
        QTemporaryDir dir;
        const QString other = dir.filePath("other.pp");
        QVERIFY(writeRaw(other, QByteArray(40960, char(0x33))));
        EaselWindowFixture f;
        f->ECRAN_MouseDown(1, 0, 0, 0);
        f.choices.enqueue({other, false});
        f->SauverSous_Click();
        QCOMPARE(readAll(other).size(), 10240);
        QCOMPARE(f->fileName, other);
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
        // New and Quit keep it too.
        f.dialogs.yesNoAnswers.enqueue(true);
        f->Nouveau_Click();
        QCOMPARE(f->picture, painted);
        f.dialogs.yesNoAnswers.enqueue(true);
        f->Quitter_Click();
        QCOMPARE(f->picture, painted);
        // No discards.
        f.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(f->Fermer_Click());
        QCOMPARE(int(f->picture.bitmapPatterns[0]), 0);
        QVERIFY(!f->modified);
        QCOMPARE(f->windowTitle(), QString("Mosaic Easel"));
        QCOMPARE(f.dialogs.unexpected, 0);
    }

    void closeAnsweredYesSavesThenClears()
    {
        QTemporaryDir dir;
        EaselWindowFixture f;
        f->ECRAN_MouseDown(1, 0, 0, 0);
        f.dialogs.yesNoAnswers.enqueue(true);
        f.choices.enqueue({dir.filePath("kept.pp"), true});
        QVERIFY(f->Fermer_Click());
        QCOMPARE(readAll(dir.filePath("kept.pp")).size(), 40960);
        QVERIFY(f->fileName.isEmpty());
        QVERIFY(LIEN::lastPicturePath().isEmpty());
        QCOMPARE(int(f->picture.bitmapColors[0]), 33);
    }

    void failedWriteIsToldAndKeepsThePicture()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("taken.pp")); // a folder where the file should go
        EaselWindowFixture f;
        f->ECRAN_MouseDown(1, 0, 0, 0);
        f.choices.enqueue({dir.filePath("taken.pp"), false});
        f->SauverSous_Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown[0].text.contains("taken.pp"));
        QVERIFY(f->modified);
        QVERIFY(f->fileName.isEmpty()); // the picture keeps its old name
        QCOMPARE(f->windowTitle(), QString("Mosaic Easel"));
        QVERIFY(QFileInfo(dir.filePath("taken.pp")).isDir());
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
    }

    void openOverModifiedAsksAndYesWithoutSaveKeepsThePicture()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("b.pp");
        QVERIFY(savePPFile(path, randomPicture(25), false));
        EaselWindowFixture f;
        f->ECRAN_MouseDown(1, 0, 0, 0);
        const Picture edited = f->picture;
        f.dialogs.yesNoAnswers.enqueue(true); // save first, then Save As is closed
        f.choices.clear();
        f->Ouvrir_Click();
        QCOMPARE(f.opened, QList<PaintDialog>{PaintDialog::SaveAsPicture}); // the Open dialog never showed
        QCOMPARE(f->picture, edited);
        QVERIFY(f->modified);
    }

    void openLoadsTenKOverAFullPicture()
    {
        QTemporaryDir dir;
        const Picture full = randomPicture(26);
        const Picture small = randomPicture(27);
        QVERIFY(savePPFile(dir.filePath("full.pp"), full, true));
        QVERIFY(savePPFile(dir.filePath("small.PP"), small, false));
        EaselWindowFixture f;
        f.choices.enqueue({dir.filePath("full.pp"), {}});
        f->Ouvrir_Click();
        QCOMPARE(f->picture, full);
        QVERIFY(LIEN::fullScreenFile());
        f.choices.enqueue({dir.filePath("small.PP"), {}});
        f->Ouvrir_Click();
        QVERIFY(!LIEN::fullScreenFile());
        QCOMPARE(f->windowTitle(), "Mosaic Easel - " + dir.filePath("small.PP"));
        QCOMPARE(f->picture.bitmapPatterns[tms::bitmapIndex(21, 3, 1)], full.bitmapPatterns[tms::bitmapIndex(21, 3, 1)]);
        QCOMPARE(f->picture.bitmapColors[tms::bitmapIndex(5, 31, 1)], full.bitmapColors[tms::bitmapIndex(5, 31, 1)]);
        QCOMPARE(f->picture.bitmapPatterns[tms::bitmapIndex(5, 29, 1)], small.bitmapPatterns[tms::bitmapIndex(5, 29, 1)]);
        // The old rows show on screen too.
        const int x = 31 * 8, y = 21 * 8;
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
        QVERIFY(LIEN::lastPicturePath().isEmpty());
    }

    void commandLineLoadsAPictureInAnyCase()
    {
        QTemporaryDir dir;
        const Picture picture = randomPicture(28);
        QVERIFY(savePPFile(dir.filePath("pic.PP"), picture, true));
        EaselWindowFixture f(dir.filePath("pic.PP"));
        QCOMPARE(f->picture, picture);
        QCOMPARE(f->fileName, dir.filePath("pic.PP"));
        QCOMPARE(LIEN::lastPicturePath(), dir.filePath("pic.PP"));
        QCOMPARE(f->windowTitle(), "Mosaic Easel - " + dir.filePath("pic.PP"));
        QVERIFY(!f->modified);
        QVERIFY(!f->firstActivation);
    }

    void commandLineRefusesAWrongLength()
    {
        QTemporaryDir dir;
        QVERIFY(writeRaw(dir.filePath("odd.pp"), QByteArray(12000, 'x')));
        EaselWindowFixture f(dir.filePath("odd.pp"));
        QCOMPARE(f.dialogs.texts(), QStringList{notPowerPaintMessage()});
        QVERIFY(f->fileName.isEmpty());
        QCOMPARE(int(f->picture.bitmapColors[0]), 33);
        QCOMPARE(f->windowTitle(), QString("Mosaic Easel"));
    }

    void commandLineOfAnotherKindStartsCleared()
    {
        QTemporaryDir dir;
        QVERIFY(writeRaw(dir.filePath("pic.scr"), QByteArray(10240, 'x')));
        EaselWindowFixture f(dir.filePath("pic.scr"));
        QVERIFY(f.dialogs.shown.isEmpty());
        QVERIFY(f->fileName.isEmpty());
        QCOMPARE(int(f->picture.bitmapColors[0]), 33);
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
    }

    void quitAfterCloseEndsWithoutASecondQuestion()
    {
        EaselWindowFixture f;
        f->show();
        f->ECRAN_MouseDown(1, 0, 0, 0);
        f.dialogs.yesNoAnswers.enqueue(false);
        f->Quitter_Click();
        QVERIFY(!f->isVisible());
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].text, closeQuestion);
    }

    void newTurnsTheGridOff()
    {
        EaselWindowFixture f;
        f->cmd_grid_Click();
        f->Nouveau_Click();
        QVERIFY(!f->gridShown);
        QCOMPARE(shown(*f, 0, 0), colour(1));
    }
};

QTEST_MAIN(TestEaselWindow)
#include "test_easel_window.moc"
