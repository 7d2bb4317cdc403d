// The main window driven as a user would: presses on the views, clicks on the named
// buttons, the menu and the dialogs. Button commands must change the document as
// their model command does; the views are checked pixel by pixel against the
// document, read through the byte layout directly.
#include "character_operations.h"
#include "color_swatch.h"
#include "kardo_window.h"
#include "lien.h"
#include "pixel_view.h"
#include "scripted_dialogs.h"
#include "sprite_editing.h"
#include "tile_file_dialogs.h"
#include "test_files.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace tile;

namespace {

constexpr QRgb grey = 0x404040; // colour 0
constexpr QRgb frameGrey = 0x666666;

QRgb pixelOf(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
QRgb shown(tms::PixelView* view, int x, int y) { return pixelOf(view->shownImage(), x, y); }

QRgb paletteRgb(const KardoWindow& window, int index) { return tms::toQRgb(window.palette()[index]) & 0xFFFFFF; }

struct Harness {
    ScriptedDialogs dialogs;
    KardoWindow window;
    explicit Harness(bool shown = false, const QString& prototypeList = QStringLiteral("no-such-prototype.txt"))
    {
        window.setDialogs(&dialogs);
        window.setPrototypeListFile(prototypeList);
        window.Form_Load();
        if (shown)
            window.show();
        window.Form_Activate();
    }
    TileDocument& doc() { return window.document(); }
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

// Every pixel of the character's pattern cell and of the screen cells that hold it
// shows the document, and so do the editor and the hex box when it is the current one.
void verifyCharacterShown(Harness& h, int ch)
{
    const TileDocument& doc = h.doc();
    const QImage editor = h.window.CARACTERE->buffer();
    const QImage pattern = h.window.PATTERN->buffer();
    const QImage screen = h.window.ECRAN->buffer();
    const bool current = ch == doc.currentChar;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const int color = doc.charColors[ch][r];
            const bool set = (doc.charPatterns[ch][r] >> (7 - c)) & 1;
            const QRgb expected = paletteRgb(h.window, set ? color >> 4 : color & 15);
            if (current)
                QCOMPARE(pixelOf(editor, 10 * c + 5, 10 * r + 5), expected);
            QCOMPARE(pixelOf(pattern, 16 * (ch / 8) + 2 * c + 1, 16 * (ch % 8) + 2 * r + 1), expected);
            for (int column = 0; column < 32; ++column)
                for (int row = 0; row < 24; ++row)
                    if (doc.nameTable[column][row] == ch)
                        QCOMPARE(pixelOf(screen, 8 * column + c, 8 * row + r), expected);
        }
    }
    if (!current)
        return;
    QString hex;
    for (Byte b : doc.charPatterns[ch])
        hex += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    QCOMPARE(h.window.TextHEX->text(), hex);
}

void verifySpriteShown(Harness& h)
{
    const TileDocument& doc = h.doc();
    const int s = doc.currentSprite;
    const QRgb on = paletteRgb(h.window, doc.spriteColors[s] & 15);
    const QImage view = h.window.SPRITE->shownImage();
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) {
            const bool set = (doc.spritePatterns[s][c < 8 ? r : 16 + r] >> (7 - c % 8)) & 1;
            QCOMPARE(pixelOf(view, 8 * c + 3, 8 * r + 4), set ? on : grey);
        }
}

bool frameAroundCell(Harness& h, int ch)
{
    const auto frame = h.window.PATTERN->frame();
    return frame && *frame == QRect(16 * (ch / 8), 16 * (ch % 8), 16, 16)
        && pixelOf(h.window.PATTERN->shownImage(), 16 * (ch / 8), 16 * (ch % 8)) == frameGrey;
}

struct Button {
    const char* name;
    std::function<void(TileDocument&)> command;
};

} // namespace

class TestKardoWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { forgetRememberedPaths(); }

    void saveOnAnUnnamedDocumentRunsSaveAs()
    {
        QTemporaryDir dir;
        Harness h;
        h.doc().charPatterns[65][0] = 0xFF;
        h.doc().modified = true;
        h.window.setFileDialogRunner([&](FileDialogKind) { LIEN().datFileName = dir.filePath("named.dat"); });
        QVERIFY(h.window.Sauver_Click());
        QCOMPARE(h.doc().fileName, dir.filePath("named.dat"));
        QVERIFY(!h.doc().modified);
        QVERIFY(QFile::exists(dir.filePath("named.dat")));
    }

    void viewsAndSpritePanel()
    {
        Harness h;
        const std::pair<const char*, QSize> views[] = {
            {"CARACTERE", {80, 80}}, {"PATTERN", {512, 128}}, {"ECRAN", {256, 192}}, {"SPRITE", {128, 128}}};
        for (const auto& [name, size] : views)
            QCOMPARE(h.window.findChild<tms::PixelView*>(name)->size(), size);
        QCOMPARE(h.window.windowTitle(), QString("KARDO"));
        QCOMPARE(h.window.COLOR[0]->fillColor(), QColor(64, 64, 64));
        QVERIFY(h.window.cmd_prototype->isHidden());
        QVERIFY(h.window.findChild<QAction*>("font1")->isEnabled());
        const int height = h.window.height();
        QCOMPARE(h.window.width(), KardoWindow::narrowWidth);
        h.window.cmd_show_sprite_Click();
        QCOMPARE(h.window.width(), KardoWindow::wideWidth);
        QVERIFY(h.window.cmd_show_sprite->isHidden());
        h.window.cmd_hide_sprite_Click();
        QCOMPARE(h.window.width(), KardoWindow::narrowWidth);
        QCOMPARE(h.window.height(), height);
    }

    void drawingShowsEverywhere()
    {
        Harness h;
        h.doc().nameTable[3][4] = 32;
        // Left press at (79.4, 0): bit 0 of row 0, in the foreground (4, dark blue).
        h.window.CARACTERE_MouseDown(1, 0, 79.4, 0);
        QCOMPARE(h.doc().charPatterns[32][0], Byte(1));
        QVERIFY(h.doc().modified);
        QCOMPARE(shown(h.window.CARACTERE, 75, 5), 0x5455EDu); // foreground 4, dark blue
        QCOMPARE(shown(h.window.CARACTERE, 65, 5), 0u);
        verifyCharacterShown(h, 32); // the editor, the pattern table, the screen and the hex box
        QVERIFY(frameAroundCell(h, 32));

        h.doc().modified = false;
        h.window.CARACTERE_MouseMove(1, 0, 75, 2); // drawing a set pixel again
        QVERIFY(!h.doc().modified);
        h.window.CARACTERE_MouseDown(3, 0, 10, 10); // both buttons
        QVERIFY(!h.doc().modified);
        h.window.CARACTERE_MouseMove(2, 0, 200, -50); // clamped to (7, 0): clears it
        QCOMPARE(h.doc().charPatterns[32][0], Byte(0));
        verifyCharacterShown(h, 32);
    }

    void choosingCharactersAndMarkers()
    {
        Harness h;
        h.window.PATTERN_MouseDown(1, 0, 20, 40);
        QCOMPARE(h.doc().currentChar, 10);
        QCOMPARE(h.window.NOCARACTERE->text(), QString("10 (0x0A)"));
        QCOMPARE(h.window.PATTERN->frame().value(), QRect(16, 32, 16, 16));
        QCOMPARE(h.doc().markedBlock, (std::array<int, 2>{0, 255}));

        h.window.PATTERN_MouseDown(0, 0, 100, 100); // no button
        QCOMPARE(h.doc().currentChar, 10);

        auto pick = [&](int n) { h.window.PATTERN_MouseDown(2, 0, 16 * (n / 8) + 3, 16 * (n % 8) + 3); };
        const QColor orange(255, 128, 0), yellow(255, 255, 0);
        pick(40);
        pick(30);
        QCOMPARE(h.window.BLOCKMARKER[0]->text(), QString("40 (0x28)"));
        QCOMPARE(h.window.BLOCKMARKER[1]->text(), QString("30 (0x1E)"));
        QCOMPARE(h.window.BLOCKMARKER[0]->palette().color(QPalette::WindowText), orange);
        pick(30); // the current character again: neither chosen nor marked
        pick(50);
        QCOMPARE(h.window.BLOCKMARKER[0]->text(), QString("50 (0x32)"));
        QCOMPARE(h.window.BLOCKMARKER[1]->palette().color(QPalette::WindowText), orange);
        pick(60);
        QCOMPARE(h.window.BLOCKMARKER[1]->text(), QString("60 (0x3C)"));
        QCOMPARE(h.window.BLOCKMARKER[1]->palette().color(QPalette::WindowText), yellow);
        QVERIFY(!h.doc().modified);
    }

    void paletteClicksAfterActivation()
    {
        Harness h;
        QCOMPARE(h.window.editing().selectedSwatch, 17);
        h.window.COLOR_Click(9);
        for (int y = 0; y < 8; ++y)
            QCOMPARE(h.doc().charColors[32][y], Byte(0x91));
        QCOMPARE(h.window.COL[1]->fillColor(), QColor(255, 121, 120));
        QVERIFY(h.doc().modified);

        h.doc().modified = false;
        h.window.COL_Click(4); // background of row 2
        h.window.COLOR_Click(1); // already black
        QVERIFY(!h.doc().modified);
        h.window.COLOR_Click(0);
        QCOMPARE(h.doc().charColors[32][2], Byte(0x90));
        QCOMPARE(h.window.COL[4]->fillColor(), QColor(64, 64, 64));

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
        QCOMPARE(h.doc().charPatterns[32][1], Byte(0));
        QVERIFY(h.doc().modified);
        QTest::keyClick(h.window.TextHEX, Qt::Key_Backspace);
        QCOMPARE(h.window.TextHEX->text(), QString("F1"));
    }

    void screenLabelsTickAndClamping()
    {
        Harness h;
        h.doc().currentChar = 65;
        h.window.ECRAN_MouseMove(0, 0, 255, 191);
        QCOMPARE(h.window.LACOORX->text(), QString("X=31"));
        QCOMPARE(h.window.LACOORY->text(), QString("Y=23"));
        QCOMPARE(h.window.LACARAC->text(), QString("C=32 (0x20)"));
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
        h.window.ECRAN_MouseDown(1, 0, 900, -40); // clamped to (31, 0)
        QCOMPARE(h.doc().nameTable[31][0], Byte(65));
        h.window.ECRAN_MouseMove(1, 0, 12, 12);
        QCOMPARE(h.window.LACARAC->text(), QString("C=65 (0x41)"));
    }

    void screenScrollButtons()
    {
        Harness h;
        h.doc().nameTable[0][0] = 7;
        QTest::mouseClick(h.window.findChild<QPushButton*>("cmd_scroll_left"), Qt::LeftButton);
        QCOMPARE(h.doc().nameTable[31][0], Byte(7));
        QVERIFY(h.doc().modified);
        QTest::mouseClick(h.window.findChild<QPushButton*>("cmd_scroll_up"), Qt::LeftButton);
        QCOMPARE(h.doc().nameTable[31][23], Byte(7));
    }

    void closeAskesAndResets()
    {
        Harness h;
        h.doc().currentChar = 40;
        h.window.CARACTERE_MouseDown(1, 0, 0, 0);
        h.window.cmd_paste_car->setEnabled(true);
        h.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(h.window.Fermer_Click());
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].title, QString("Warning"));
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

    void quitPromptYesOnAnUnsavedDocumentKeepsTheWork()
    {
        Harness h;
        h.window.setFileDialogRunner([](FileDialogKind) {}); // the user closes the Save As dialog
        h.window.CARACTERE_MouseDown(1, 0, 0, 0);
        h.dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(!h.window.Form_Terminate());
        QVERIFY(h.doc().modified);
        QCOMPARE(h.doc().charPatterns[32][0], Byte(128));
        QCOMPARE(h.dialogs.shown.first().title, QString("Warning! Unsaved modification!"));
        QCOMPARE(h.dialogs.shown.first().text, QString("Do you want to save you work?"));
        // The closed Save As dialog leaves its hint.
        QCOMPARE(h.dialogs.shown.last().text, QString("To save your work just select Save item in File menu"));
        h.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(h.window.Form_Terminate());
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
    }

    void commandLineOfAnotherKindIsIgnored()
    {
        ScriptedDialogs dialogs;
        KardoWindow window;
        window.setDialogs(&dialogs);
        window.setCommandLine("font.fcv");
        window.Form_Activate();
        QVERIFY(window.document().fileName.isEmpty());
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(window.windowTitle(), QString("KARDO"));
    }

    void characterButtonsRunTheirCommandAndRedraw()
    {
        Harness h(true);
        h.doc().charPatterns[32] = {0x80, 1, 0, 0x3C, 0, 0, 0, 0};
        h.doc().charColors[32] = {0x41, 0xF1, 0x2F, 0x41, 0x41, 0x41, 0x41, 0xE6};
        const Button buttons[] = {
            {"cmd_carac_rotate", rotateCharacter},
            {"cmd_carac_flipy", flipCharacterY},
            {"cmd_carac_flipx", [](TileDocument& d) { flipCharacterX(d); }},
            {"cmd_carac_invert", invertCharacter},
            {"cmd3_scroll_left", [](TileDocument& d) { scrollCharacter(d, Direction::Left); }},
            {"cmd3_scroll_right", [](TileDocument& d) { scrollCharacter(d, Direction::Right); }},
            {"cmd3_scroll_up", [](TileDocument& d) { scrollCharacter(d, Direction::Up); }},
            {"cmd3_scroll_down", [](TileDocument& d) { scrollCharacter(d, Direction::Down); }},
            {"cmd_clear_car", clearCharacter},
        };
        TileDocument expected = h.doc();
        for (const Button& b : buttons) {
            b.command(expected);
            h.click(b.name);
            QVERIFY2(h.doc().sameTablesAs(expected), b.name);
            QVERIFY(h.doc().modified);
            verifyCharacterShown(h, 32);
            QVERIFY(frameAroundCell(h, 32));
        }

        h.doc().charPatterns[32] = {1, 2, 3, 4, 5, 6, 7, 8};
        h.click("cmd_copy_car");
        h.markCharacter(65); // choose 65 (this also sets a marker; no matter here)
        QCOMPARE(h.doc().currentChar, 65);
        h.doc().modified = false;
        h.click("cmd_paste_car");
        QVERIFY(h.doc().modified);
        QCOMPARE(h.doc().charPatterns[65], h.doc().charPatterns[32]);
        QCOMPARE(h.doc().charColors[65], h.doc().charColors[32]);
        verifyCharacterShown(h, 65);
        QVERIFY(frameAroundCell(h, 65));
    }

    void pasteButtonsFollowCopyAndClose()
    {
        Harness h(true);
        QVERIFY(!h.window.cmd_paste_car->isEnabled());
        QVERIFY(!h.window.cmd_paste_pattern->isEnabled());
        QVERIFY(!h.window.cmd_sprite_paste->isEnabled());
        h.click("cmd_copy_car");
        QVERIFY(h.window.cmd_paste_car->isEnabled());
        QVERIFY(!h.window.cmd_paste_pattern->isEnabled());
        h.click("cmd_copy_pattern"); // markers 0..255: a valid block
        QVERIFY(h.window.cmd_paste_pattern->isEnabled());
        h.click("cmd_sprite_copy");
        QVERIFY(h.window.cmd_sprite_paste->isEnabled());
        QVERIFY(!h.doc().modified); // copies change no document data

        QVERIFY(h.window.Fermer_Click());
        QVERIFY(!h.window.cmd_paste_car->isEnabled());
        QVERIFY(!h.window.cmd_paste_pattern->isEnabled());
        QVERIFY(h.window.cmd_sprite_paste->isEnabled());
        h.window.editing().copies.charCopyPattern.fill(0xFF); // a disabled Paste cannot be clicked
        h.click("cmd_paste_car");
        QCOMPARE(h.doc().charPatterns[32], CharRows{});
        QVERIFY(!h.doc().modified);

        h.doc().markedBlock = {9, 8}; // copy of an invalid block leaves its Paste disabled
        h.click("cmd_copy_pattern");
        QVERIFY(!h.window.cmd_paste_pattern->isEnabled());
        QCOMPARE(h.dialogs.unexpected, 0);
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
        QCOMPARE(h.doc().markedBlock, (std::array<int, 2>{10, 12}));
        h.click("cmd_copy_pattern");
        h.markCharacter(20);
        h.markCharacter(25);
        TileDocument expected = h.doc();
        pasteBlock(expected, h.window.editing().copies); // the copied block 10..12
        h.click("cmd_paste_pattern");
        QVERIFY(h.doc().modified);
        QVERIFY(h.doc().sameTablesAs(expected));
        QCOMPARE(h.doc().charColors[23][0], Byte(65));
        for (int n : {20, 23, 25, 26})
            verifyCharacterShown(h, n); // Refresh All repainted the whole pattern table
        QVERIFY(frameAroundCell(h, 25));

        h.click("cmd_clear_pattern"); // still 20..25
        clearBlock(expected);
        QVERIFY(h.doc().sameTablesAs(expected));
        verifyCharacterShown(h, 20);

        h.markCharacter(200); // an invalid block: the three buttons change nothing
        h.markCharacter(100);
        QVERIFY(!h.doc().BlockIsValid());
        h.doc().modified = false;
        const TileDocument before = h.doc();
        h.click("cmd_paste_pattern");
        h.click("cmd_clear_pattern");
        h.click("cmd_copy_pattern");
        QVERIFY(!h.doc().modified);
        QVERIFY(h.doc().sameTablesAs(before));
    }

    void spriteDrawingWithTheMouse()
    {
        Harness h(true);
        h.click("cmd_show_sprite");
        h.press(h.window.SPRITE, Qt::LeftButton, {127, 127});
        SpriteBytes expected{};
        expected[31] = 1;
        QCOMPARE(h.doc().spritePatterns[0], expected);
        QVERIFY(h.doc().modified);
        QCOMPARE(pixelOf(h.window.SPRITE->shownImage(), 120, 120), 0xFFFFFFu);
        QCOMPARE(pixelOf(h.window.SPRITE->shownImage(), 119, 127), grey);
        h.press(h.window.SPRITE, Qt::LeftButton, {3, 60}); // pixel (7, 0)
        QCOMPARE(h.doc().spritePatterns[0][7], Byte(0x80));
        verifySpriteShown(h);
        h.press(h.window.SPRITE, Qt::RightButton, {124, 126});
        QCOMPARE(h.doc().spritePatterns[0][31], Byte(0));
        verifySpriteShown(h);
        h.window.SPRITE_MouseMove(1, 0, 500, -30); // a drag past the edge draws the edge pixel
        QCOMPARE(h.doc().spritePatterns[0][16], Byte(1));
        verifySpriteShown(h);
    }

    void spriteButtons()
    {
        Harness h(true);
        h.click("cmd_show_sprite");
        h.click("cmd_sprite_previous");
        QCOMPARE(h.doc().currentSprite, 63);
        QCOMPARE(h.window.NOSPRITE->text(), QString("Sprite Pattern # 63"));
        h.click("cmd_sprite_next");
        QCOMPARE(h.window.NOSPRITE->text(), QString("Sprite Pattern # 0"));
        QVERIFY(!h.doc().modified);
        h.doc().spritePatterns[0] = {0x80, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x3C};
        h.click("cmd_sprite_color");
        QCOMPARE(int(h.doc().spriteColors[0]), 1);
        QVERIFY(h.doc().modified);
        verifySpriteShown(h);

        const Button buttons[] = {
            {"cmd_sprite_rotate", rotateSprite},
            {"cmd2_scroll_right", [](TileDocument& d) { scrollSprite(d, Direction::Right); }},
            {"cmd2_scroll_up", [](TileDocument& d) { scrollSprite(d, Direction::Up); }},
            {"cmd2_scroll_down", [](TileDocument& d) { scrollSprite(d, Direction::Down); }},
            {"cmd2_scroll_left", [](TileDocument& d) { scrollSprite(d, Direction::Left); }},
            {"cmd_sprite_flipx", [](TileDocument& d) { flipSpriteX(d); }},
            {"cmd_sprite_flipy", flipSpriteY},
        };
        TileDocument expected = h.doc();
        for (const Button& b : buttons) {
            b.command(expected);
            h.click(b.name);
            QVERIFY2(h.doc().sameTablesAs(expected), b.name);
            verifySpriteShown(h);
        }
        // Copy, go to the next sprite, paste: the pattern arrives, the colour stays.
        h.click("cmd_sprite_copy");
        h.click("cmd_sprite_next");
        h.doc().spriteColors[1] = 8;
        h.click("cmd_sprite_paste");
        QCOMPARE(h.doc().spritePatterns[1], h.doc().spritePatterns[0]);
        QCOMPARE(int(h.doc().spriteColors[1]), 8);
        verifySpriteShown(h);
        h.click("cmd_sprite_clean");
        QCOMPARE(h.doc().spritePatterns[1], SpriteBytes{});
        QCOMPARE(h.window.NOSPRITE->text(), QString("Sprite Pattern # 1"));
        const QImage view = h.window.SPRITE->shownImage();
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                QCOMPARE(pixelOf(view, x, y), grey);
    }
};

QTEST_MAIN(TestKardoWindow)
#include "test_kardo_window.moc"
