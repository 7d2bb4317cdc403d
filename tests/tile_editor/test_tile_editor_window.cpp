// The main window driven as a user would: views, buttons, menus and file dialogs, and
// what users of other editors expect: dropped projects, Open Recent, tooltips, a hex
// box that waits for a click, a window that keeps its layout.
#include "asm_export.h"
#include "c_export.h"
#include "character_editing.h"
#include "color_swatch.h"
#include "file_drops.h"
#include "kardo_run.h"
#include "pixel_view.h"
#include "project_file.h"
#include "random_document.h"
#include "recent_files.h"
#include "table_rendering.h"
#include "test_files.h"
#include "tile_file_dialogs.h"
#include "window_harness.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

using namespace tile;

namespace {

constexpr QRgb frameGrey = 0x666666;

QRgb pixelOf(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

using Harness = WindowHarness;

bool frameAroundCell(Harness& h, int ch)
{
    const auto frame = h.window.m_patternTableView->frame();
    return frame && *frame == QRect(16 * (ch / 8), 16 * (ch % 8), 16, 16)
           && pixelOf(h.window.m_patternTableView->shownImage(), 16 * (ch / 8), 16 * (ch % 8)) == frameGrey;
}

} // namespace

class TestTileEditorWindow : public QObject {
    Q_OBJECT
    QTemporaryDir settings;

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path()); }
    void init() { forgetRememberedPaths(); }

    void drawingShowsEverywhere()
    {
        Harness h;
        h.doc().nameTable[3][4] = 32;
        // Left press at (79.4, 0): bit 0 of row 0, in the foreground (4, dark blue).
        h.window.onCharEditorMousePressed(1, 0, 79.4, 0);
        QCOMPARE(h.doc().charPatterns[32][0], Byte(1));
        h.verifyViewsShowTheDocument();
        QVERIFY(frameAroundCell(h, 32));
        h.window.onCharEditorMouseMoved(2, 0, 200, -50); // a drag, clamped to (7, 0): clears it
        QCOMPARE(h.doc().charPatterns[32][0], Byte(0));
        h.verifyViewsShowTheDocument();
    }

    void choosingCharactersAndMarkers()
    {
        Harness h;
        h.window.onPatternTableMousePressed(1, 0, 20, 40);
        QCOMPARE(h.doc().currentChar, 10);
        QCOMPARE(h.window.m_charNumberLabel->text(), QString("10 (0x0A)"));
        QCOMPARE(h.window.m_patternTableView->frame().value(), QRect(16, 32, 16, 16));

        auto pick = [&](int n) { h.window.onPatternTableMousePressed(2, 0, 16 * (n / 8) + 3, 16 * (n % 8) + 3); };
        const QColor orange(255, 128, 0), yellow(255, 255, 0);
        pick(40);
        pick(30);
        QCOMPARE(h.window.m_blockMarkerLabels[0]->text(), QString("40 (0x28)"));
        QCOMPARE(h.window.m_blockMarkerLabels[0]->palette().color(QPalette::WindowText), orange);
        pick(30); // the current character again: neither chosen nor marked
        pick(50);
        QCOMPARE(h.window.m_blockMarkerLabels[1]->palette().color(QPalette::WindowText), orange);
        pick(60);
        QVERIFY(h.window.m_blockMarkerLabels[1]->palette().color(QPalette::WindowText) == yellow && !h.doc().modified);
    }

    void paletteClicksAfterActivation()
    {
        Harness h;
        h.window.onPaletteSwatchClicked(9);
        QCOMPARE(h.window.m_rowSwatches[1]->fillColor(), QColor(255, 121, 120));
        QVERIFY(h.doc().modified);

        h.window.onRowSwatchClicked(4); // background of row 2
        h.window.onPaletteSwatchClicked(0);
        QCOMPARE(h.doc().charColors[32][2], Byte(0x90));

        h.window.onActivated(); // back from a dialog: all-rows foreground again
        QCOMPARE(h.window.editing().selectedSwatch, 17);
    }

    void selectedSwatchBlinks()
    {
        Harness h;
        ColorSwatch* swatch = h.window.m_rowSwatches[17];
        const QColor fill = swatch->fillColor();
        h.window.onBlinkTick();
        QCOMPARE(swatch->drawColor(), QColor(255 - fill.red(), 255 - fill.green(), 255 - fill.blue()));
        h.window.onBlinkTick();
        QCOMPARE(swatch->drawColor(), fill);
        h.window.onBlinkTick();
        h.window.onRowSwatchClicked(3); // the old swatch loses its outline
        QCOMPARE(swatch->drawColor(), fill);
    }

    // The hex box takes hexadecimal digits only; undo and redo act on the document even
    // while it has the keyboard, and a visit of the box is one step however many digits it takes.
    void hexBoxEditsAreDocumentSteps()
    {
        Harness h(true);
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QLineEdit* box = h.window.m_hexEdit;
        auto* stack = h.window.findChild<QUndoStack*>("undoStack");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, "123456789abcdefg0"); // "g" is refused, lower case taken as upper
        const std::array<Byte, 8> typed{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
        QCOMPARE(h.doc().charPatterns[32], typed);
        QCOMPARE(stack->count(), 1);

        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(h.doc().charPatterns[32] == (std::array<Byte, 8>{}) && !h.doc().modified);
        QCOMPARE(box->text(), charHexText(h.doc())); // the box agrees with the character
        QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(h.doc().charPatterns[32] == typed && box->text() == "123456789ABCDEF0");

        box->end(false);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_7);
        QCOMPARE(h.doc().charPatterns[32][7], Byte(0xF7));
        QCOMPARE(stack->count(), 2); // a new visit, one more step
        box->selectAll();
        QTest::keyClick(box, Qt::Key_F);
        QCOMPARE(stack->count(), 2);
        QTest::keyClick(box, Qt::Key_Escape); // the box shows the character's digits again
        QCOMPARE(box->text(), QString("F000000000000000"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_5); // after Escape, a new step
        QCOMPARE(stack->count(), 3);
    }

    void screenLabelsTickAndClamping()
    {
        Harness h;
        h.doc().currentChar = 65;
        h.window.onScreenMouseMoved(0, 0, 255, 191);
        QCOMPARE(h.window.m_cursorColumnLabel->text(), QString("X=31"));
        h.window.onScreenMouseMoved(1, 0, 256, 100); // outside: nothing at all
        QCOMPARE(h.window.m_cursorColumnLabel->text(), QString("X=31"));

        for (QMenu* menu : {h.window.m_fileMenu, h.window.m_editMenu, h.window.m_fontsMenu}) {
            h.window.onPaintTick();
            emit menu->aboutToShow(); // from the moment a menu opens...
            QVERIFY(!h.window.editing().tick && !h.window.m_paintTimer->isActive());
            h.window.onScreenMousePressed(1, 0, 10, 10);
            emit menu->aboutToHide(); // ...until it has closed, and a tick later
            QVERIFY(!h.window.editing().tick && h.window.m_paintTimer->isActive() && !h.doc().modified);
        }
        QCOMPARE(h.doc().nameTable[1][1], Byte(32));

        h.window.onPaintTick();
        h.window.onScreenMousePressed(2, 0, 10, 10); // any button paints
        QVERIFY(h.doc().nameTable[1][1] == 65 && h.doc().modified);
        h.window.onScreenMouseMoved(1, 0, 12, 12);
        QCOMPARE(h.window.m_cursorCharLabel->text(), QString("C=65 (0x41)"));
    }

    // (The Prototype button, shown when the start-up scan finds the image, is tried with
    // kardo2 in test_screen_mode1; a named pipe as the list file, in test_tile_model.)
    void commandLineLoadsAnyCaseOfDatAndNothingElse()
    {
        QTemporaryDir dir;
        const TileDocument source = testdoc::randomDocument(5);
        writeFile(dir.filePath("LEVEL.DAT"), projectFileBytes(source));
        writeFile(dir.filePath("font.fcv"), projectFileBytes(source));
        for (const QString name : {"LEVEL.DAT", "font.fcv"}) {
            ScriptedDialogs dialogs;
            TileEditorWindow window;
            window.setDialogs(&dialogs);
            window.setCommandLine(dir.filePath(name));
            window.onActivated();
            const bool loaded = name.endsWith("DAT");
            QCOMPARE(window.document().sameTablesAs(source), loaded);
            QCOMPARE(window.windowTitle(), loaded ? "KARDO - " + dir.filePath(name) + "[*]" : QString("KARDO[*]"));
            QVERIFY(dialogs.shown.isEmpty());
            forgetRememberedPaths();
        }
    }

    void copyAndPasteButtons()
    {
        Harness h(true);
        h.click("cmd_show_sprite");
        QVERIFY(!h.window.m_charPasteButton->isEnabled());
        h.doc().charPatterns[32] = {1, 2, 3, 4, 5, 6, 7, 8};
        h.doc().charColors[32].fill(0x5C);
        h.click("cmd_copy_car");
        h.click("cmd_copy_pattern"); // markers 0..255: a valid block
        h.click("cmd_sprite_copy");
        QVERIFY(h.window.m_patternPasteButton->isEnabled() && h.window.m_spritePasteButton->isEnabled());
        // A right press in the pattern table chooses 65 (and sets a block marker, no matter here).
        QTest::mouseClick(h.window.m_patternTableView, Qt::RightButton, {}, {16 * 8 + 8, 16 * 1 + 8});
        h.click("cmd_paste_car");
        QVERIFY(h.doc().modified && h.doc().charPatterns[65] == h.doc().charPatterns[32]
                && h.doc().charColors[65] == h.doc().charColors[32]);
        h.verifyViewsShowTheDocument();
        QVERIFY(frameAroundCell(h, 65));

        QVERIFY(h.window.onCloseTriggered() && !h.window.m_charPasteButton->isEnabled()
                && h.window.m_spritePasteButton->isEnabled());
        h.window.editing().copies.charCopyPattern.fill(0xFF); // a disabled Paste cannot be clicked
        h.click("cmd_paste_car");
        QVERIFY(!h.doc().modified);

        h.doc().markedBlock = {9, 8}; // copy of an invalid block leaves its Paste disabled
        h.click("cmd_copy_pattern");
        QVERIFY(!h.window.m_patternPasteButton->isEnabled());
    }

    // What the tile editor plugs into the shared document life (tested once in
    // test_document_life): its project files, its title, its questions.
    void projectsLiveThroughTheSharedDocumentLife_data() { editionRows<Edition>(); }

    void projectsLiveThroughTheSharedDocumentLife()
    {
        QFETCH(Edition, edition);
        QTemporaryDir dir;
        const QString path = dir.filePath("level1.dat"), other = dir.filePath("other.dat");
        Harness h(true, QStringLiteral("no-such-prototype.txt"), edition);
        TileEditorWindow& window = h.window;
        ScriptedDialogs& dialogs = h.dialogs;
        TileDocument& doc = window.document();
        doc.nameTable[3][4] = 0x99;
        doc.modified = true;
        h.choose(path);
        QVERIFY(window.onSaveTriggered()); // unnamed: Save As
        QVERIFY(readFile(path) == projectFileBytes(doc) && window.windowTitle() == "KARDO - " + path + "[*]");
        const TileDocument source = testdoc::randomDocument(2, true, edition);
        writeFile(other, projectFileBytes(source));

        // Every question about unsaved work offers Cancel, and Cancel keeps the work:
        // New, Open, a dropped project, Close, Quit and the end of the window.
        doc.nameTable[0][0] = 7;
        doc.modified = true;
        const TileDocument edited = doc;
        h.choose(other);
        for (int command = 0; command < 6; ++command) {
            dialogs.yesNoAnswers.enqueue(tms::Answer::Cancel);
            switch (command) {
            case 0: window.onNewTriggered(); break;
            case 1: window.onOpenTriggered(); break;
            case 2: QVERIFY(dropFile(&window, other)); break;
            case 3: QVERIFY(!window.onCloseTriggered()); break;
            case 4: window.onQuitTriggered(); break;
            default: QVERIFY(!window.close());
            }
            QVERIFY(doc.sameTablesAs(edited) && doc.modified && window.isVisible());
            QCOMPARE(doc.fileName, path);
        }
        const QString question = QStringLiteral("Do you want to save the modification before closing?");
        QCOMPARE(dialogs.texts(), (QStringList{question, question, question, question, question,
                                               edition == Edition::ScreenMode1 ? "Do you want to save you works?"
                                                                               : "Do you want to save you work?"}));
        QCOMPARE(dialogs.shown.last().title, QString("Warning! Unsaved modification!"));

        dialogs.yesNoAnswers.enqueue(tms::Answer::No); // No discards, and Open goes on
        window.onOpenTriggered();
        QVERIFY(doc.sameTablesAs(source));
        writeFile(dir.filePath("junk.dat"), "not a project");
        QVERIFY(dropFile(&window, dir.filePath("junk.dat")));
        QCOMPARE(dialogs.texts().last(), QStringLiteral("Illegal DAT file"));
        QCOMPARE(window.recentFiles()->entries().first(), other);
        QCOMPARE(dialogs.unexpected, 0);
    }

    void malformedFilesAreToldAndRefused()
    {
        QTemporaryDir dir;
        Harness h;
        QByteArray lf = projectFileBytes(TileDocument());
        lf.replace("\r\n", "\n");
        writeFile(dir.filePath("lf.dat"), lf);
        h.doc().nameTable[2][2] = 5;
        h.doc().modified = true;
        h.dialogs.yesNoAnswers.enqueue(false); // the signature passes the dialog; the records fail
        h.choose(dir.filePath("lf.dat"));
        h.window.onOpenTriggered();
        QVERIFY(h.dialogs.shown.last().kind == "tell" && h.dialogs.shown.last().text.contains("lf.dat"));
        QVERIFY(h.doc().nameTable[2][2] == 5 && h.doc().fileName.isEmpty());

        // A file cut short loads as far as it goes and says so.
        QByteArray cut = projectFileBytes(testdoc::randomDocument(4));
        cut.truncate(81 * 300);
        writeFile(dir.filePath("cut.dat"), cut);
        h.dialogs.yesNoAnswers.enqueue(false);
        h.choose(dir.filePath("cut.dat"));
        h.window.onOpenTriggered();
        QVERIFY(h.dialogs.shown.last().text.contains("character colours"));
        QCOMPARE(h.doc().nameTable, testdoc::randomDocument(4).nameTable);
        QCOMPARE(h.doc().fileName, dir.filePath("cut.dat"));
    }

    void exportsWriteOnlyAConfirmedPath()
    {
        QTemporaryDir dir;
        Harness h;
        const QString c = dir.filePath("game.c");
        h.choose(c, {true, 5, 5});
        h.window.onExportCTriggered();
        QCOMPARE(readFile(c), exportC(h.doc(), {true, 5, 5}));

        const QString a = dir.filePath("game.asm");
        h.choose(a);
        h.window.onExportAsmTriggered();
        QCOMPARE(readFile(a), exportAsm(h.doc()));
        QCOMPARE(h.window.statusBar()->currentMessage(),
                 QStringLiteral("Wrote game.asm (%1 bytes)").arg(readFile(a).size()));

        // The formats chosen in the dialogs: the assembler syntax, the C style with its
        // header, the raw tables beside the chosen PREFIX.pat.
        FileChoice db(a);
        db.asmExport = {tms::AsmSyntax::Db, tms::Compression::Zx0};
        h.user = [db](FileDialogKind) { return std::optional<FileChoice>(db); };
        h.window.onExportAsmTriggered();
        QCOMPARE(readFile(a), exportAsm(h.doc(), db.asmExport));
        CExportOptions stdintOptions;
        stdintOptions.style = tms::CStyle::Stdint;
        h.choose(c, stdintOptions);
        h.window.onExportCTriggered();
        QCOMPARE(readFile(dir.filePath("game.h")), cExportFiles(c, h.doc(), stdintOptions)[1].bytes);
        FileChoice bin(dir.filePath("tiles.pat"));
        bin.binaryCompression = tms::Compression::Pletter;
        h.user = [bin](FileDialogKind) { return std::optional<FileChoice>(bin); };
        h.window.onExportTablesTriggered();
        for (const char* name :
             {"tiles.nam.plet", "tiles.pat.plet", "tiles.col.plet", "tiles.spr.plet", "tiles.spc.plet"})
            QVERIFY2(QFile::exists(dir.filePath(name)), name);
        QVERIFY(!QFile::exists(dir.filePath("tiles.pat")));

        // A write that fails is told.
        h.choose(dir.filePath("no/such/folder/x.asm"));
        h.window.onExportAsmTriggered();
        QVERIFY(h.dialogs.shown.last().kind == "tell" && h.dialogs.shown.last().text.contains("x.asm"));
    }

    void controlsHelpNewUsers_data() { editionRows<Edition>(); }

    void controlsHelpNewUsers()
    {
        QFETCH(Edition, edition);
        ScriptedDialogs dialogs;
        TileEditorWindow window(edition);
        window.setDialogs(&dialogs);
        for (QWidget* control : window.findChildren<QWidget*>()) // buttons without caption, swatches
            if ((qobject_cast<QPushButton*>(control) && static_cast<QPushButton*>(control)->text().isEmpty())
                || qobject_cast<ColorSwatch*>(control))
                QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
        window.startFresh(); // again, as a fresh start does: the outline stays
        if (window.m_colorStrip)
            QVERIFY(window.m_colorStrip->frame() && !window.m_colorStrip->toolTip().isEmpty());
        else
            QVERIFY(window.m_paletteSwatches[14]->drawColor() != window.m_paletteSwatches[14]->fillColor());
        QCOMPARE(window.minimumSize(), window.size());
        if (!window.m_hexEdit)
            return; // kardo2 has no hex box and always shows its sprites
        QVERIFY(!window.m_hexEdit->geometry().intersects(window.m_showSpritesButton->geometry()));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto before = window.document().charPatterns[32];
        QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : &window, QStringLiteral("F7"));
        QVERIFY(QApplication::focusWidget() != window.m_hexEdit && window.document().charPatterns[32] == before);
        window.m_showSpritesButton->click();
        QCOMPARE(window.minimumWidth(), TileEditorWindow::wideWidth); // the sprite panel stays whole
    }
};

QTEST_MAIN(TestTileEditorWindow)
#include "test_tile_editor_window.moc"
