// The character, block and sprite buttons driven through the window as a user would:
// clicks on the named buttons and presses on the views. The views are checked pixel
// by pixel against the document, read through the byte layout directly.
#include "kardo_window.h"
#include "pixel_view.h"
#include "scripted_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace tile;

namespace {

constexpr QRgb rgbOf(int r, int g, int b) { return QRgb((r << 16) | (g << 8) | b); }
const QRgb grey = rgbOf(64, 64, 64);     // colour 0
const QRgb black = rgbOf(0, 0, 0);       // colour 1
const QRgb darkBlue = rgbOf(84, 85, 237); // colour 4
const QRgb white = rgbOf(255, 255, 255); // colour 15
const QRgb frameGrey = rgbOf(102, 102, 102);

QRgb pixelOf(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

QRgb paletteRgb(const KardoWindow& window, int index)
{
    const tms::ColorValue v = window.palette()[index];
    return rgbOf(tms::redOf(v), tms::greenOf(v), tms::blueOf(v));
}

// The colour character pixel (r, c) must show: its row's foreground when set.
QRgb charPixelColor(const KardoWindow& window, const TileDocument& doc, int ch, int r, int c)
{
    const int color = doc.charColors[ch][r];
    const bool set = (doc.charPatterns[ch][r] >> (7 - c)) & 1;
    return paletteRgb(window, set ? color >> 4 : color & 15);
}

struct Harness {
    ScriptedDialogs dialogs;
    KardoWindow window;
    Harness()
    {
        window.setDialogs(&dialogs);
        window.setPrototypeListFile(QStringLiteral("no-such-prototype.txt"));
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
    // A right press in the pattern table chooses the character and sets a block marker.
    void markCharacter(int n)
    {
        const QPoint at(16 * (n / 8) + 8, 16 * (n % 8) + 8);
        QTest::mousePress(window.PATTERN, Qt::RightButton, {}, at);
        QTest::mouseRelease(window.PATTERN, Qt::RightButton, {}, at);
    }
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
            const QRgb expected = charPixelColor(h.window, doc, ch, r, c);
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

} // namespace

class TestOperationsWindow : public QObject {
    Q_OBJECT
private slots:
    void characterButtonsRedrawTheCharacterViews();
    void flipXOfSymmetricCharacterStaysClean();
    void characterScrollsAndPasteKeepTheFrame();
    void pasteButtonsFollowCopyAndClose();
    void blockCopyAndPasteThroughTheMarkers();
    void invalidBlockButtonsDoNothing();
    void spriteDrawingWithTheMouse();
    void spriteButtons();
    void spriteClearFillsTheViewAndKeepsCaption();
};

void TestOperationsWindow::characterButtonsRedrawTheCharacterViews()
{
    Harness h;
    QCOMPARE(h.doc().currentChar, 32);
    h.doc().charPatterns[32] = {0x80, 0, 0, 0, 0, 0, 0, 0};
    h.doc().charColors[32] = {0x41, 0xF1, 0x41, 0x41, 0x41, 0x41, 0x41, 0xE6};

    h.click("cmd_carac_rotate");
    QCOMPARE(h.doc().charPatterns[32], (CharRows{1, 0, 0, 0, 0, 0, 0, 0}));
    QVERIFY(h.doc().modified);
    verifyCharacterShown(h, 32);
    QCOMPARE(pixelOf(h.window.CARACTERE->buffer(), 75, 5), darkBlue);
    QCOMPARE(pixelOf(h.window.CARACTERE->buffer(), 5, 5), black);
    QCOMPARE(h.window.TextHEX->text(), QString("0100000000000000"));
    QVERIFY(frameAroundCell(h, 32));

    h.click("cmd_carac_flipy");
    QCOMPARE(h.doc().charPatterns[32], (CharRows{0, 0, 0, 0, 0, 0, 0, 1}));
    QCOMPARE(h.doc().charColors[32], (CharRows{0xE6, 0x41, 0x41, 0x41, 0x41, 0x41, 0xF1, 0x41}));
    verifyCharacterShown(h, 32);

    h.click("cmd_carac_flipx");
    QCOMPARE(h.doc().charPatterns[32][7], Byte(0x80));
    verifyCharacterShown(h, 32);

    h.click("cmd_carac_invert");
    QCOMPARE(h.doc().charPatterns[32][7], Byte(0x7F));
    QCOMPARE(h.doc().charPatterns[32][0], Byte(0xFF));
    verifyCharacterShown(h, 32);

    h.click("cmd_clear_car");
    QCOMPARE(h.doc().charPatterns[32], CharRows{});
    QCOMPARE(h.doc().charColors[32][0], Byte(0xE6)); // drawn in each row's own background
    verifyCharacterShown(h, 32);
    QCOMPARE(pixelOf(h.window.CARACTERE->buffer(), 40, 5), paletteRgb(h.window, 6));
}

void TestOperationsWindow::flipXOfSymmetricCharacterStaysClean()
{
    Harness h;
    h.doc().charPatterns[32] = {0x18, 0x24, 0x42, 0x81, 0x81, 0x42, 0x24, 0x18};
    h.click("cmd_carac_flipx");
    QVERIFY(!h.doc().modified);
    verifyCharacterShown(h, 32);
}

void TestOperationsWindow::characterScrollsAndPasteKeepTheFrame()
{
    Harness h;
    h.doc().charPatterns[32] = {0x80, 1, 0, 0, 0, 0, 0, 0};
    h.doc().charColors[32][0] = 0x2F;

    h.click("cmd3_scroll_left");
    QCOMPARE(h.doc().charPatterns[32], (CharRows{1, 2, 0, 0, 0, 0, 0, 0}));
    verifyCharacterShown(h, 32);
    QVERIFY(frameAroundCell(h, 32));

    h.click("cmd3_scroll_right");
    h.click("cmd3_scroll_right");
    QCOMPARE(h.doc().charPatterns[32], (CharRows{0x40, 0x80, 0, 0, 0, 0, 0, 0}));

    h.click("cmd3_scroll_up"); // row 0 and its colour go to the bottom
    QCOMPARE(h.doc().charPatterns[32][7], Byte(0x40));
    QCOMPARE(h.doc().charColors[32][7], Byte(0x2F));
    verifyCharacterShown(h, 32);
    h.click("cmd3_scroll_down");
    QCOMPARE(h.doc().charPatterns[32][0], Byte(0x40));
    QCOMPARE(h.doc().charColors[32][0], Byte(0x2F));

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

void TestOperationsWindow::pasteButtonsFollowCopyAndClose()
{
    Harness h;
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

    // A disabled Paste cannot be clicked.
    h.doc().charCopyPattern.fill(0xFF);
    h.click("cmd_paste_car");
    QCOMPARE(h.doc().charPatterns[32], CharRows{});
    QVERIFY(!h.doc().modified);

    // Copy of an invalid block leaves its Paste disabled.
    h.doc().markedBlock = {9, 8};
    h.click("cmd_copy_pattern");
    QVERIFY(!h.window.cmd_paste_pattern->isEnabled());
    QCOMPARE(h.dialogs.unexpected, 0);
}

void TestOperationsWindow::blockCopyAndPasteThroughTheMarkers()
{
    Harness h;
    for (int n = 10; n <= 12; ++n) {
        h.doc().charPatterns[n].fill(Byte(n));
        h.doc().charColors[n].fill(0x9C);
    }
    for (int n = 20; n <= 26; ++n) {
        h.doc().charPatterns[n].fill(0xF0);
        h.doc().charColors[n].fill(0x7E);
    }
    h.markCharacter(10);
    h.markCharacter(12);
    QCOMPARE(h.doc().markedBlock, (std::array<int, 2>{10, 12}));
    h.click("cmd_copy_pattern");
    h.markCharacter(20);
    h.markCharacter(25);
    h.click("cmd_paste_pattern");
    QVERIFY(h.doc().modified);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(h.doc().charPatterns[20 + k], h.doc().charPatterns[10 + k]);
        QCOMPARE(h.doc().charColors[20 + k], h.doc().charColors[10 + k]);
    }
    for (int n = 23; n <= 25; ++n) {
        QCOMPARE(h.doc().charPatterns[n], CharRows{});
        QCOMPARE(h.doc().charColors[n][0], Byte(65));
    }
    QCOMPARE(h.doc().charPatterns[26][0], Byte(0xF0));
    for (int n : {20, 23, 25, 26})
        verifyCharacterShown(h, n); // Refresh All repainted the whole pattern table
    QVERIFY(frameAroundCell(h, 25));

    h.click("cmd_clear_pattern"); // still 20..25
    for (int n = 20; n <= 25; ++n)
        QCOMPARE(h.doc().charColors[n][3], Byte(65));
    QCOMPARE(h.doc().charColors[26][3], Byte(0x7E));
    verifyCharacterShown(h, 20);
}

void TestOperationsWindow::invalidBlockButtonsDoNothing()
{
    Harness h;
    for (int n = 0; n < 256; ++n)
        h.doc().charPatterns[n].fill(Byte(n));
    h.click("cmd_copy_pattern"); // 0..255
    h.markCharacter(200);
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

void TestOperationsWindow::spriteDrawingWithTheMouse()
{
    Harness h;
    h.click("cmd_show_sprite");
    verifySpriteShown(h);

    QTest::mousePress(h.window.SPRITE, Qt::LeftButton, {}, QPoint(127, 127));
    QTest::mouseRelease(h.window.SPRITE, Qt::LeftButton, {}, QPoint(127, 127));
    SpriteBytes expected{};
    expected[31] = 1;
    QCOMPARE(h.doc().spritePatterns[0], expected);
    QVERIFY(h.doc().modified);
    QCOMPARE(pixelOf(h.window.SPRITE->shownImage(), 120, 120), white);
    QCOMPARE(pixelOf(h.window.SPRITE->shownImage(), 119, 127), grey);
    verifySpriteShown(h);

    QTest::mousePress(h.window.SPRITE, Qt::LeftButton, {}, QPoint(3, 60)); // pixel (7, 0)
    QTest::mouseRelease(h.window.SPRITE, Qt::LeftButton, {}, QPoint(3, 60));
    QCOMPARE(h.doc().spritePatterns[0][7], Byte(0x80));
    verifySpriteShown(h);

    QTest::mousePress(h.window.SPRITE, Qt::RightButton, {}, QPoint(124, 126));
    QTest::mouseRelease(h.window.SPRITE, Qt::RightButton, {}, QPoint(124, 126));
    QCOMPARE(h.doc().spritePatterns[0][31], Byte(0));
    verifySpriteShown(h);

    h.doc().modified = false;
    QTest::mousePress(h.window.SPRITE, Qt::RightButton, {}, QPoint(124, 126)); // already clear
    QTest::mouseRelease(h.window.SPRITE, Qt::RightButton, {}, QPoint(124, 126));
    QVERIFY(!h.doc().modified);

    // A drag past the edge draws the clamped edge pixel.
    h.window.SPRITE_MouseMove(1, 0, 500, -30);
    QCOMPARE(h.doc().spritePatterns[0][16], Byte(1));
    verifySpriteShown(h);
}

void TestOperationsWindow::spriteButtons()
{
    Harness h;
    h.click("cmd_show_sprite");
    h.click("cmd_sprite_previous");
    QCOMPARE(h.doc().currentSprite, 63);
    QCOMPARE(h.window.NOSPRITE->text(), QString("Sprite Pattern # 63"));
    h.click("cmd_sprite_next");
    QCOMPARE(h.window.NOSPRITE->text(), QString("Sprite Pattern # 0"));
    QVERIFY(!h.doc().modified);

    h.doc().spritePatterns[0][0] = 0x80;
    h.click("cmd_sprite_color");
    QCOMPARE(int(h.doc().spriteColors[0]), 1);
    QVERIFY(h.doc().modified);
    verifySpriteShown(h);
    QCOMPARE(pixelOf(h.window.SPRITE->shownImage(), 2, 2), black);

    h.click("cmd_sprite_rotate");
    QCOMPARE(h.doc().spritePatterns[0][16], Byte(1));
    QCOMPARE(h.doc().spritePatterns[0][0], Byte(0));
    verifySpriteShown(h);

    h.click("cmd2_scroll_right"); // pixel (0, 15) wraps to (0, 0)
    QCOMPARE(h.doc().spritePatterns[0][0], Byte(0x80));
    h.click("cmd2_scroll_up");
    QCOMPARE(h.doc().spritePatterns[0][15], Byte(0x80));
    h.click("cmd2_scroll_down");
    h.click("cmd2_scroll_left");
    QCOMPARE(h.doc().spritePatterns[0][16], Byte(1));
    h.click("cmd_sprite_flipx");
    QCOMPARE(h.doc().spritePatterns[0][0], Byte(0x80));
    h.click("cmd_sprite_flipy");
    QCOMPARE(h.doc().spritePatterns[0][15], Byte(0x80));
    verifySpriteShown(h);

    // Copy, go to the next sprite, paste: the pattern arrives, the colour stays.
    h.click("cmd_sprite_copy");
    h.click("cmd_sprite_next");
    h.doc().spriteColors[1] = 8;
    h.click("cmd_sprite_paste");
    QCOMPARE(h.doc().spritePatterns[1], h.doc().spritePatterns[0]);
    QCOMPARE(int(h.doc().spriteColors[1]), 8);
    verifySpriteShown(h);
}

void TestOperationsWindow::spriteClearFillsTheViewAndKeepsCaption()
{
    Harness h;
    h.click("cmd_show_sprite");
    h.click("cmd_sprite_next");
    h.doc().spritePatterns[1].fill(0xFF);
    h.doc().spriteColors[1] = 4;
    h.window.presentSprite();
    QCOMPARE(pixelOf(h.window.SPRITE->shownImage(), 64, 64), darkBlue);
    h.doc().modified = false;

    h.click("cmd_sprite_clean");
    QCOMPARE(h.doc().spritePatterns[1], SpriteBytes{});
    QCOMPARE(int(h.doc().spriteColors[1]), 4);
    QVERIFY(h.doc().modified);
    QCOMPARE(h.window.NOSPRITE->text(), QString("Sprite Pattern # 1"));
    const QImage view = h.window.SPRITE->shownImage();
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            QCOMPARE(pixelOf(view, x, y), grey);
}

QTEST_MAIN(TestOperationsWindow)
#include "test_operations_window.moc"
