// The main window driven as a user would: views, buttons, menus and file dialogs, and
// what users of other editors expect: dropped projects, Open Recent, tooltips, a hex
// box that waits for a click, a window that keeps its layout.
#include "asm_export.h"
#include "c_export.h"
#include "character_editing.h"
#include "character_operations.h"
#include "color_swatch.h"
#include "file_drops.h"
#include "kardo_window.h"
#include "lien.h"
#include "pixel_view.h"
#include "project_file.h"
#include "random_document.h"
#include "recent_files.h"
#include "scripted_dialogs.h"
#include "table_rendering.h"
#include "tile_file_dialogs.h"
#include "test_files.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#include <functional>

using namespace tile;

namespace {

constexpr QRgb frameGrey = 0x666666;

QRgb pixelOf(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

struct Harness {
    ScriptedDialogs dialogs;
    KardoWindow window;
    QList<FileDialogKind> shownDialogs;
    std::function<void(FileDialogKind)> user = [](FileDialogKind) {}; // closes every dialog
    explicit Harness(bool shown = false, const QString& prototypeList = QStringLiteral("no-such-prototype.txt"))
    {
        window.setDialogs(&dialogs);
        window.setPrototypeListFile(prototypeList);
        window.setFileDialogRunner([this](FileDialogKind kind) {
            shownDialogs << kind;
            user(kind);
        });
        window.Form_Load();
        if (shown)
            window.show();
        window.Form_Activate();
    }
    TileDocument& doc() { return window.document(); }
    // The user picks path in the next dialogs.
    void choose(const QString& path)
    {
        user = [path](FileDialogKind kind) {
            QString* value[] = {&LIEN().datFileName, &LIEN().datFileName, &LIEN().asmFileName, // in the order
                                &LIEN().cFileName, &LIEN().fcvFileName, &LIEN().fcvFileName}; // of the kinds
            *value[int(kind)] = path;
        };
    }
    void closeDialogs() { user = [](FileDialogKind) {}; }
    void click(const char* name)
    {
        auto* button = window.findChild<QPushButton*>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void press(QWidget* view, Qt::MouseButton button, QPoint at)
    {
        QTest::mousePress(view, button, {}, at);
        QTest::mouseRelease(view, button, {}, at);
    }
    // A right press in the pattern table chooses the character and sets a block marker.
    void markCharacter(int n) { press(window.PATTERN, Qt::RightButton, {16 * (n / 8) + 8, 16 * (n % 8) + 8}); }
};

QImage rendered(const QImage& like, const TileDocument& doc, const tms::Palette& palette,
                void (*draw)(QImage&, const TileDocument&, const tms::Palette&))
{
    QImage image = blankViewImage(like.width(), like.height());
    draw(image, doc, palette);
    return image.convertToFormat(QImage::Format_RGB32);
}

// Every view and the hex box show the document as the model renders it.
void verifyViewsShowTheDocument(Harness& h)
{
    const TileDocument& doc = h.doc();
    const tms::Palette& palette = h.window.palette();
    for (auto [view, draw] : {std::pair{h.window.CARACTERE, &DrawCurrentChar}, {h.window.PATTERN, &DrawPatternTable},
                              {h.window.ECRAN, &DrawScreen}, {h.window.SPRITE, &DrawSprite}}) {
        const QImage shown = view->buffer().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(shown == rendered(shown, doc, palette, draw), qPrintable(view->objectName()));
    }
    QCOMPARE(h.window.TextHEX->text(), charHexText(doc));
}

bool frameAroundCell(Harness& h, int ch)
{
    const auto frame = h.window.PATTERN->frame();
    return frame && *frame == QRect(16 * (ch / 8), 16 * (ch % 8), 16, 16)
        && pixelOf(h.window.PATTERN->shownImage(), 16 * (ch / 8), 16 * (ch % 8)) == frameGrey;
}

} // namespace

class TestKardoWindow : public QObject {
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
        h.window.CARACTERE_MouseDown(1, 0, 79.4, 0);
        QCOMPARE(h.doc().charPatterns[32][0], Byte(1));
        verifyViewsShowTheDocument(h);
        QVERIFY(frameAroundCell(h, 32));
        h.window.CARACTERE_MouseMove(2, 0, 200, -50); // a drag, clamped to (7, 0): clears it
        QCOMPARE(h.doc().charPatterns[32][0], Byte(0));
        verifyViewsShowTheDocument(h);
    }

    void choosingCharactersAndMarkers()
    {
        Harness h;
        h.window.PATTERN_MouseDown(1, 0, 20, 40);
        QCOMPARE(h.doc().currentChar, 10);
        QCOMPARE(h.window.NOCARACTERE->text(), QString("10 (0x0A)"));
        QCOMPARE(h.window.PATTERN->frame().value(), QRect(16, 32, 16, 16));

        auto pick = [&](int n) { h.window.PATTERN_MouseDown(2, 0, 16 * (n / 8) + 3, 16 * (n % 8) + 3); };
        const QColor orange(255, 128, 0), yellow(255, 255, 0);
        pick(40);
        pick(30);
        QCOMPARE(h.window.BLOCKMARKER[0]->text(), QString("40 (0x28)"));
        QCOMPARE(h.window.BLOCKMARKER[0]->palette().color(QPalette::WindowText), orange);
        pick(30); // the current character again: neither chosen nor marked
        pick(50);
        QCOMPARE(h.window.BLOCKMARKER[1]->palette().color(QPalette::WindowText), orange);
        pick(60);
        QCOMPARE(h.window.BLOCKMARKER[1]->palette().color(QPalette::WindowText), yellow);
        QVERIFY(!h.doc().modified);
    }

    void paletteClicksAfterActivation()
    {
        Harness h;
        h.window.COLOR_Click(9);
        QCOMPARE(h.window.COL[1]->fillColor(), QColor(255, 121, 120));
        QVERIFY(h.doc().modified);

        h.window.COL_Click(4); // background of row 2
        h.window.COLOR_Click(0);
        QCOMPARE(h.doc().charColors[32][2], Byte(0x90));

        h.window.Form_Activate(); // back from a dialog: all-rows foreground again
        QCOMPARE(h.window.editing().selectedSwatch, 17);
    }

    void selectedSwatchBlinks()
    {
        Harness h;
        ColorSwatch* swatch = h.window.COL[17];
        const QColor fill = swatch->fillColor();
        h.window.Timer2_Timer();
        QCOMPARE(swatch->drawColor(), QColor(255 - fill.red(), 255 - fill.green(), 255 - fill.blue()));
        h.window.Timer2_Timer();
        QCOMPARE(swatch->drawColor(), fill);
        h.window.Timer2_Timer();
        h.window.COL_Click(3); // the old swatch loses its outline
        QCOMPARE(swatch->drawColor(), fill);
    }

    void hexBoxTyping()
    {
        Harness h;
        h.window.TextHEX->clear();
        QTest::keyClicks(h.window.TextHEX, "fg1");
        QCOMPARE(h.window.TextHEX->text(), QString("F1"));
        QCOMPARE(h.doc().charPatterns[32][0], Byte(0xF1));
        QTest::keyClick(h.window.TextHEX, Qt::Key_Backspace);
        QCOMPARE(h.window.TextHEX->text(), QString("F1"));
    }

    void screenLabelsTickAndClamping()
    {
        Harness h;
        h.doc().currentChar = 65;
        h.window.ECRAN_MouseMove(0, 0, 255, 191);
        QCOMPARE(h.window.LACOORX->text(), QString("X=31"));
        h.window.ECRAN_MouseMove(1, 0, 256, 100); // outside: nothing at all
        QCOMPARE(h.window.LACOORX->text(), QString("X=31"));

        h.window.Fichier_Click(); // opening a menu clears tick
        h.window.ECRAN_MouseDown(1, 0, 10, 10);
        QCOMPARE(h.doc().nameTable[1][1], Byte(32));
        QVERIFY(!h.doc().modified);

        h.window.Timer1_Timer();
        h.window.ECRAN_MouseDown(2, 0, 10, 10); // any button paints
        QCOMPARE(h.doc().nameTable[1][1], Byte(65));
        QVERIFY(h.doc().modified);
        h.window.ECRAN_MouseMove(1, 0, 12, 12);
        QCOMPARE(h.window.LACARAC->text(), QString("C=65 (0x41)"));
    }

    void closeAskesAndResets()
    {
        Harness h;
        h.doc().currentChar = 40;
        h.window.CARACTERE_MouseDown(1, 0, 0, 0);
        h.window.cmd_paste_car->setEnabled(true);
        h.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(h.window.Fermer_Click());
        QCOMPARE(h.dialogs.shown[0].text, QString("Do you want to save the modification before closing?"));
        QCOMPARE(h.doc().charPatterns[40][0], Byte(0));
        QVERIFY(!h.doc().modified);
        QCOMPARE(h.window.windowTitle(), QString("KARDO"));
        QVERIFY(!h.window.cmd_paste_car->isEnabled());
        QCOMPARE(h.doc().currentChar, 40); // the editing state stays

        QVERIFY(h.window.Fermer_Click()); // clean: no question
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.unexpected, 0);
    }

    void prototypeButtonFollowsTheImage()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("game.rom"), QByteArray("PROTOTYPE").leftJustified(8000, '\0'));
        writeFile(dir.filePath("prototype.txt"), dir.filePath("game.rom").toLocal8Bit() + "\r\n");
        Harness h(false, dir.filePath("prototype.txt"));
        QVERIFY(!h.window.cmd_prototype->isHidden());
        QCOMPARE(h.window.prototypeOffset(), std::optional<qint64>(11));
        QVERIFY(h.dialogs.shown.isEmpty());

        // A named pipe in its place would block the window's start for ever: not read.
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.txt")).constData(), 0600) == 0);
        Harness piped(false, dir.filePath("pipe.txt"));
        QVERIFY(piped.window.cmd_prototype->isHidden());
        QVERIFY(piped.dialogs.shown.isEmpty());
    }

    void commandLineLoadsAnyCaseOfDatAndNothingElse()
    {
        QTemporaryDir dir;
        TileDocument source = testdoc::randomDocument(5);
        source.spriteColors[0] = 0xF3; // drawn with its low nibble, kept as read
        source.spritePatterns[0].fill(0xFF);
        writeFile(dir.filePath("LEVEL.DAT"), projectFileBytes(source));
        writeFile(dir.filePath("font.fcv"), projectFileBytes(source));
        for (const QString name : {"LEVEL.DAT", "font.fcv"}) {
            ScriptedDialogs dialogs;
            KardoWindow window;
            window.setDialogs(&dialogs);
            window.setCommandLine(dir.filePath(name));
            window.Form_Activate();
            const bool loaded = name.endsWith("DAT");
            QCOMPARE(window.document().sameTablesAs(source), loaded);
            QCOMPARE(window.windowTitle(), loaded ? "KARDO - " + dir.filePath(name) : QString("KARDO"));
            QCOMPARE(LIEN().datFileName, loaded ? dir.filePath(name) : QString());
            QVERIFY(dialogs.shown.isEmpty());
            if (loaded)
                QCOMPARE(QColor(window.SPRITE->shownImage().pixel(1, 1)), tms::toQColor(window.palette()[3]));
            forgetRememberedPaths();
        }
    }

    void copyAndPasteButtons()
    {
        Harness h(true);
        h.click("cmd_show_sprite");
        QVERIFY(!h.window.cmd_paste_car->isEnabled());
        h.doc().charPatterns[32] = {1, 2, 3, 4, 5, 6, 7, 8};
        h.click("cmd_copy_car");
        h.click("cmd_copy_pattern"); // markers 0..255: a valid block
        h.click("cmd_sprite_copy");
        QVERIFY(h.window.cmd_paste_pattern->isEnabled() && h.window.cmd_sprite_paste->isEnabled());
        h.markCharacter(65); // choose 65 (this also sets a marker; no matter here)
        h.click("cmd_paste_car");
        QVERIFY(h.doc().modified);
        QCOMPARE(h.doc().charPatterns[65], h.doc().charPatterns[32]);
        verifyViewsShowTheDocument(h);
        QVERIFY(frameAroundCell(h, 65));

        QVERIFY(h.window.Fermer_Click());
        QVERIFY(!h.window.cmd_paste_car->isEnabled());
        QVERIFY(h.window.cmd_sprite_paste->isEnabled());
        h.window.editing().copies.charCopyPattern.fill(0xFF); // a disabled Paste cannot be clicked
        h.click("cmd_paste_car");
        QVERIFY(!h.doc().modified);

        h.doc().markedBlock = {9, 8}; // copy of an invalid block leaves its Paste disabled
        h.click("cmd_copy_pattern");
        QVERIFY(!h.window.cmd_paste_pattern->isEnabled());
    }

    void blockButtonsThroughTheMarkers()
    {
        Harness h(true);
        for (int n = 10; n <= 26; ++n) {
            h.doc().charPatterns[n].fill(n <= 12 ? Byte(n) : 0xF0);
            h.doc().charColors[n].fill(n <= 12 ? 0x9C : 0x7E);
        }
        h.markCharacter(10);
        h.markCharacter(12);
        h.click("cmd_copy_pattern");
        h.markCharacter(20);
        h.markCharacter(25);
        TileDocument expected = h.doc();
        pasteBlock(expected, h.window.editing().copies); // the copied block 10..12
        h.click("cmd_paste_pattern");
        QVERIFY(h.doc().sameTablesAs(expected));
        verifyViewsShowTheDocument(h); // Refresh All repainted the whole pattern table
        QVERIFY(frameAroundCell(h, 25));

        h.click("cmd_clear_pattern"); // still 20..25
        clearBlock(expected);
        QVERIFY(h.doc().sameTablesAs(expected));
        verifyViewsShowTheDocument(h);
    }

    void spriteDrawingWithTheMouse()
    {
        Harness h(true);
        h.click("cmd_show_sprite"); // where a press lands is tested with the model
        h.window.SPRITE_MouseMove(1, 0, 500, -30); // a drag past the edge draws the edge pixel
        QCOMPARE(h.doc().spritePatterns[0][16], Byte(1));
        verifyViewsShowTheDocument(h);
    }

    void spriteButtons()
    {
        Harness h(true);
        h.click("cmd_show_sprite");
        h.click("cmd_sprite_previous");
        QCOMPARE(h.window.NOSPRITE->text(), QString("Sprite Pattern # 63"));
        h.click("cmd_sprite_next");
        h.doc().spritePatterns[0][3] = 7;

        // Copy, go to the next sprite, paste: the pattern arrives, the colour stays.
        h.click("cmd_sprite_copy");
        h.click("cmd_sprite_next");
        h.doc().spriteColors[1] = 8;
        h.click("cmd_sprite_paste");
        QCOMPARE(h.doc().spritePatterns[1], h.doc().spritePatterns[0]);
        QCOMPARE(int(h.doc().spriteColors[1]), 8);
        verifyViewsShowTheDocument(h);
    }

    void saveAsThenSave()
    {
        QTemporaryDir dir;
        Harness h;
        const QString path = dir.filePath("level1.dat");
        h.doc().nameTable[3][4] = 0x99;
        h.doc().modified = true;
        h.choose(path);
        QVERIFY(h.window.Sauver_Click()); // a document without a name: Save runs Save As
        QCOMPARE(h.shownDialogs, QList<FileDialogKind>{FileDialogKind::SaveAsDAT});
        QVERIFY(!h.doc().modified);
        QCOMPARE(readFile(path), projectFileBytes(h.doc()));

        // Save with nothing modified writes nothing.
        QVERIFY(QFile::remove(path));
        QVERIFY(!h.window.Sauver_Click());
        QVERIFY(!QFile::exists(path));
        h.doc().modified = true;
        QVERIFY(h.window.Sauver_Click());
        QVERIFY(QFile::exists(path));

        // Save As with the document's own name: only the hint.
        h.doc().modified = true;
        QVERIFY(!h.window.SauverSous_Click());
        QCOMPARE(h.dialogs.shown.last().text, QString("To save your work just select Save item in File menu"));
        QVERIFY(h.doc().modified);
    }

    void promptYesOnUnnamedDocumentRunsSaveAs()
    {
        QTemporaryDir dir;
        Harness h;
        h.doc().charPatterns[65][0] = 0xFF;
        h.doc().modified = true;
        h.dialogs.yesNoAnswers.enqueue(true);
        h.closeDialogs();
        QVERIFY(!h.window.Fermer_Click()); // nothing written: the work stays
        QCOMPARE(h.shownDialogs, QList<FileDialogKind>{FileDialogKind::SaveAsDAT});
        QVERIFY(h.doc().modified);

        const QString path = dir.filePath("kept.dat");
        h.choose(path);
        h.dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(h.window.Fermer_Click());
        TileDocument saved;
        QVERIFY(loadProjectFile(path, saved).ok());
        QCOMPARE(int(saved.charPatterns[65][0]), 0xFF);

        // Quitting: Yes with the Save As closed keeps the window and the work.
        h.closeDialogs();
        h.doc().modified = true;
        h.dialogs.yesNoAnswers.enqueue(true);
        h.doc().fileName.clear();
        QVERIFY(!h.window.Form_Terminate());
        QVERIFY(h.doc().modified);
        QCOMPARE(h.dialogs.shown.last().text, QString("To save your work just select Save item in File menu"));
    }

    void openAsksFirstAndClosedChangesNothing()
    {
        QTemporaryDir dir;
        Harness h;
        const QString path = dir.filePath("a.dat"), other = dir.filePath("other.dat");
        writeFile(path, projectFileBytes(testdoc::randomDocument(1)));
        writeFile(other, projectFileBytes(testdoc::randomDocument(2)));
        h.choose(path);
        h.window.Ouvrir_Click();
        QVERIFY(h.doc().sameTablesAs(testdoc::randomDocument(1)));
        h.doc().nameTable[0][0] = 7; // unsaved work
        h.doc().modified = true;
        h.dialogs.yesNoAnswers.enqueue(false);
        h.closeDialogs();
        h.window.Ouvrir_Click(); // closed without a choice
        QCOMPARE(int(h.doc().nameTable[0][0]), 7);
        QCOMPARE(h.doc().fileName, path);
        QVERIFY(h.dialogs.shown.isEmpty());

        h.choose(other);
        h.window.Ouvrir_Click(); // over the modified document: asked first, then discarded
        QCOMPARE(h.dialogs.texts(), QStringList{"Do you want to save the modification before closing?"});
        QVERIFY(h.doc().sameTablesAs(testdoc::randomDocument(2)));
        QCOMPARE(h.window.windowTitle(), "KARDO - " + other);

        // Yes on an unnamed document whose Save As is closed: no open, the work stays.
        Harness g;
        g.doc().nameTable[1][1] = 1;
        g.doc().modified = true;
        g.user = [&](FileDialogKind kind) {
            if (kind == FileDialogKind::OpenDAT)
                LIEN().datFileName = other;
        };
        g.dialogs.yesNoAnswers.enqueue(true);
        g.window.Ouvrir_Click();
        QCOMPARE(g.shownDialogs, (QList<FileDialogKind>{FileDialogKind::OpenDAT, FileDialogKind::SaveAsDAT}));
        QVERIFY(g.doc().modified);
    }

    void malformedFilesAreToldAndRefused()
    {
        QTemporaryDir dir;
        Harness h;
        QByteArray lf = projectFileBytes(TileDocument());
        lf.replace("\r\n", "\n");
        writeFile(dir.filePath("lf.dat"), lf);
        writeFile(dir.filePath("empty.dat"), {});
        h.doc().nameTable[2][2] = 5;
        h.doc().modified = true;
        for (const char* name : {"lf.dat", "empty.dat", "missing.dat"}) {
            h.dialogs.shown.clear();
            h.dialogs.yesNoAnswers.enqueue(false);
            h.choose(dir.filePath(name));
            h.window.Ouvrir_Click();
            QCOMPARE(h.dialogs.shown.last().kind, QString("tell"));
            QVERIFY(h.dialogs.shown.last().text.contains(name));
            QCOMPARE(int(h.doc().nameTable[2][2]), 5);
            QVERIFY(h.doc().fileName.isEmpty());
        }

        // A file cut short loads as far as it goes and says so.
        QByteArray cut = projectFileBytes(testdoc::randomDocument(4));
        cut.truncate(81 * 300);
        writeFile(dir.filePath("cut.dat"), cut);
        h.dialogs.yesNoAnswers.enqueue(false);
        h.choose(dir.filePath("cut.dat"));
        h.window.Ouvrir_Click();
        QVERIFY(h.dialogs.shown.last().text.contains("character colours"));
        QCOMPARE(h.doc().nameTable, testdoc::randomDocument(4).nameTable);
        QCOMPARE(h.doc().fileName, dir.filePath("cut.dat"));
    }

    void exportsWriteOnlyAConfirmedPath()
    {
        QTemporaryDir dir;
        Harness h;
        const QString c = dir.filePath("game.c");
        h.choose(c);
        LIEN().rleFlag = true;
        LIEN().startLine = 5;
        LIEN().endLine = 5;
        h.window.ExporterC_Click();
        QCOMPARE(readFile(c), ExportC(h.doc(), {true, 5, 5}));
        QVERIFY(QFile::remove(c));
        h.closeDialogs();
        h.window.ExporterC_Click(); // closed: nothing, also after an earlier export
        QVERIFY(!QFile::exists(c));

        const QString a = dir.filePath("game.asm");
        h.choose(a);
        h.window.ExporterASM_Click();
        QCOMPARE(readFile(a), ExportAsm(h.doc()));

        // A write that fails is told.
        h.choose(dir.filePath("no/such/folder/x.asm"));
        h.window.ExporterASM_Click();
        QCOMPARE(h.dialogs.shown.last().kind, QString("tell"));
        QVERIFY(h.dialogs.shown.last().text.contains("x.asm"));
    }

    void droppedOrRecentProjectOpensAsOpenDoes()
    {
        ScriptedDialogs dialogs;
        KardoWindow window;
        window.setDialogs(&dialogs);
        TileDocument saved;
        saved.ResetTables();
        saved.charPatterns[65][0] = 0x81;
        const QString project = settings.filePath(QStringLiteral("level.dat"));
        QVERIFY(writeProjectFile(project, saved).ok);
        writeFile(settings.filePath(QStringLiteral("junk.dat")), "not a project");

        window.document().modified = true;
        QVERIFY(dropFile(&window, settings.filePath(QStringLiteral("junk.dat"))));
        QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("Illegal DAT file")});
        QVERIFY(window.document().modified); // refused before any question

        dialogs.yesNoAnswers.enqueue(false); // do not save the unsaved work
        QVERIFY(dropFile(&window, project));
        QCOMPARE(dialogs.shown.last().text, QStringLiteral("Do you want to save the modification before closing?"));
        QCOMPARE(window.document().charPatterns[65][0], 0x81);
        QCOMPARE(window.recentFiles()->entries(), QStringList{project});
    }

    void controlsHelpNewUsers_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::newRow("kardo3") << Edition::ScreenMode2;
        QTest::newRow("kardo2") << Edition::ScreenMode1;
    }

    void controlsHelpNewUsers()
    {
        QFETCH(Edition, edition);
        ScriptedDialogs dialogs;
        KardoWindow window(edition);
        window.setDialogs(&dialogs);
        for (QWidget* control : window.findChildren<QWidget*>()) // buttons without caption, swatches
            if ((qobject_cast<QPushButton*>(control) && static_cast<QPushButton*>(control)->text().isEmpty())
                || qobject_cast<ColorSwatch*>(control))
                QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
        window.Form_Load(); // again, as a fresh start does: the outline stays
        if (window.colorStrip)
            QVERIFY(window.colorStrip->frame() && !window.colorStrip->toolTip().isEmpty());
        else
            QVERIFY(window.COLOR[14]->drawColor() != window.COLOR[14]->fillColor());
        QCOMPARE(window.minimumSize(), window.size());
        if (!window.TextHEX)
            return; // kardo2 has no hex box and always shows its sprites
        QVERIFY(!window.TextHEX->geometry().intersects(window.cmd_show_sprite->geometry()));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto before = window.document().charPatterns[32];
        QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : &window, QStringLiteral("F7"));
        QVERIFY(QApplication::focusWidget() != window.TextHEX && window.document().charPatterns[32] == before);
        window.cmd_show_sprite->click();
        QCOMPARE(window.minimumWidth(), KardoWindow::wideWidth); // the sprite panel stays whole
    }
};

QTEST_MAIN(TestKardoWindow)
#include "test_kardo_window.moc"
