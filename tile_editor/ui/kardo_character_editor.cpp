// The character editor: the enlarged character, the pattern table as chooser, the
// row swatches with the palette, and the hex box.
#include "kardo_window.h"

#include "character_editing.h"
#include "color_swatch.h"
#include "hex.h"
#include "pixel_rows.h"
#include "pixel_view.h"
#include "screen_editing.h"
#include "snapshot_undo.h"
#include "table_rendering.h"
#include "view_geometry.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tile {

namespace {
const QColor frameGrey(102, 102, 102);

bool isUndoOrRedo(const QKeyEvent* key)
{
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
        || key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)
        || key->keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

// Feeds the hex box's key presses and releases through the window's handlers. Undo
// and redo go to the document, never to the box's own text; Backspace edits the box
// and Escape gives it back the character's digits.
class HexKeyFilter : public QObject {
public:
    explicit HexKeyFilter(KardoWindow* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Only key events matter; the watched box may be half destroyed by the time
        // other events arrive, so it is looked at only for a key press, and checked.
        if (event->type() == QEvent::ShortcutOverride && isUndoOrRedo(static_cast<QKeyEvent*>(event))) {
            event->ignore(); // the window's Undo and Redo take the keys
            return true;
        }
        if (event->type() == QEvent::FocusOut)
            m_window->endHexEntry();
        if (event->type() == QEvent::KeyPress) {
            auto* box = qobject_cast<QLineEdit*>(watched);
            if (!box)
                return false;
            auto* key = static_cast<QKeyEvent*>(event);
            if (isUndoOrRedo(key))
                return true; // reached here only without the window's actions: nothing
            if (key->key() == Qt::Key_Escape) {
                m_window->endHexEntry();
                m_window->showCharHex();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                m_window->endHexEntry();
                return true;
            }
            if (key->key() == Qt::Key_Backspace)
                return false; // the box deletes; the release applies what is left
            const QString text = key->text();
            const bool typesCharacter = text.size() == 1 && text[0].isPrint();
            if (!typesCharacter || (key->modifiers() & Qt::ControlModifier))
                return false; // Delete, arrows, selection and shortcuts work as usual
            const QChar received = m_window->TextHEX_KeyPress(text[0]);
            if (!received.isNull())
                box->insert(QString(received));
            return true;
        }
        if (event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat())
                m_window->TextHEX_KeyUp(key->key(), 0);
        }
        return false;
    }

private:
    KardoWindow* m_window;
};
} // namespace

void KardoWindow::buildCharacterEditor(QWidget* area)
{
    CARACTERE = new tms::PixelView(QStringLiteral("CARACTERE"), {charViewSize, charViewSize}, area);
    CARACTERE->move(44, 44);
    trackStroke(CARACTERE, QStringLiteral("Drawing"), charViewScale);
    connect(CARACTERE, &tms::PixelView::mouseDown, this, &KardoWindow::CARACTERE_MouseDown);
    connect(CARACTERE, &tms::PixelView::mouseMove, this, &KardoWindow::CARACTERE_MouseMove);

    if (isModeOne())
        buildModeOneColors(area);
    else
        buildRowColors(area);

    addButton(area, QStringLiteral("cmd3_scroll_up"), QString(), {44, 32, 80, 9}, &KardoWindow::cmd3_scroll_up_Click);
    addButton(area, QStringLiteral("cmd3_scroll_down"), QString(), {44, 127, 80, 9},
              &KardoWindow::cmd3_scroll_down_Click);
    addButton(area, QStringLiteral("cmd3_scroll_left"), QString(), {34, 44, 8, 80},
              &KardoWindow::cmd3_scroll_left_Click);
    addButton(area, QStringLiteral("cmd3_scroll_right"), QString(), {126, 44, 8, 80},
              &KardoWindow::cmd3_scroll_right_Click);

    if (!isModeOne()) {
        TextHEX = new QLineEdit(QStringLiteral("0000000000000000"), area);
        TextHEX->setObjectName(QStringLiteral("TextHEX"));
        TextHEX->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        TextHEX->setGeometry(6, 142, 132, 22); // clear of "Show Sprites" beside it
        // Only a click gives it the keyboard: a stray key at start must not change a character.
        TextHEX->setFocusPolicy(Qt::ClickFocus);
        TextHEX->installEventFilter(new HexKeyFilter(this));
    }
    NOCARACTERE = new QLabel(area);
    NOCARACTERE->setObjectName(QStringLiteral("NOCARACTERE"));
    NOCARACTERE->setGeometry(44, 168, 100, 18);

    buildCharacterButtons(area);
}

void KardoWindow::buildRowColors(QWidget* area)
{
    // Row swatches: the foreground of row y left of its background.
    for (int y = 0; y < 8; ++y) {
        for (int part = 0; part < 2; ++part) {
            const int index = 2 * y + part;
            COL[index] = new ColorSwatch(QStringLiteral("COL"), index, area);
            COL[index]->setGeometry(part == 1 ? 6 : 20, 44 + 10 * y, 13, 10);
        }
    }
    COL[allRowsForegroundSwatch] = new ColorSwatch(QStringLiteral("COL"), allRowsForegroundSwatch, area);
    COL[allRowsForegroundSwatch]->setGeometry(44, 12, 38, 14);
    COL[allRowsForegroundSwatch]->setToolTip(QStringLiteral("Foreground of all rows"));
    COL[allRowsBackgroundSwatch] = new ColorSwatch(QStringLiteral("COL"), allRowsBackgroundSwatch, area);
    COL[allRowsBackgroundSwatch]->setGeometry(86, 12, 38, 14);
    COL[allRowsBackgroundSwatch]->setToolTip(QStringLiteral("Background of all rows"));
    COL[allRowsForegroundSwatch]->setFillColor(Qt::white);
    COL[allRowsBackgroundSwatch]->setFillColor(Qt::black);
    for (ColorSwatch* swatch : COL)
        connect(swatch, &ColorSwatch::clicked, this, &KardoWindow::COL_Click);

    for (int i = 0; i < 16; ++i) {
        COLOR[i] = new ColorSwatch(QStringLiteral("COLOR"), i, area);
        COLOR[i]->setGeometry(240, 8 + 11 * i, 16, 11);
        connect(COLOR[i], &ColorSwatch::clicked, this, [this](int index) { recordStep(QStringLiteral("Colour"), [&] { COLOR_Click(index); }); });
    }
}

void KardoWindow::buildCharacterButtons(QWidget* area)
{
    const int left = 142, width = 44, height = 24;
    auto at = [&](int column, int row) { return QRect(left + column * (width + 4), 12 + row * (height + 4), width, height); };
    addButton(area, QStringLiteral("cmd_carac_flipx"), QStringLiteral("FlipX"), at(0, 0),
              &KardoWindow::cmd_carac_flipx_Click);
    addButton(area, QStringLiteral("cmd_carac_flipy"), QStringLiteral("FlipY"), at(1, 0),
              &KardoWindow::cmd_carac_flipy_Click);
    addButton(area, QStringLiteral("cmd_carac_rotate"), QStringLiteral("Rotate"), at(0, 1),
              &KardoWindow::cmd_carac_rotate_Click);
    addButton(area, QStringLiteral("cmd_carac_invert"), QStringLiteral("Invert"), at(1, 1),
              &KardoWindow::cmd_carac_invert_Click);
    addButton(area, QStringLiteral("cmd_copy_car"), QStringLiteral("Copy"), at(0, 2),
              &KardoWindow::cmd_copy_car_Click);
    cmd_paste_car = addButton(area, QStringLiteral("cmd_paste_car"), QStringLiteral("Paste"), at(1, 2),
                              &KardoWindow::cmd_paste_car_Click);
    addButton(area, QStringLiteral("cmd_clear_car"), QStringLiteral("Clear"), at(0, 3),
              &KardoWindow::cmd_clear_car_Click);
    cmd_Refresh = addButton(area, QStringLiteral("cmd_Refresh"), QStringLiteral("Refresh All"), at(1, 3),
                            &KardoWindow::cmd_Refresh_Click);
    // kardo3 refreshes by itself and hides the button; kardo2 shows it, and its sprite
    // panel is always in view.
    cmd_Refresh->setVisible(isModeOne());
    if (isModeOne())
        cmd_Refresh->setGeometry(142, 140, 92, 24); // where kardo3 has "Show Sprites"
    if (!isModeOne())
        cmd_show_sprite = addButton(area, QStringLiteral("cmd_show_sprite"), QStringLiteral("Show Sprites"),
                                    {142, 140, 92, 24}, &KardoWindow::cmd_show_sprite_Click);
    cmd_prototype = addButton(area, QStringLiteral("cmd_prototype"), QStringLiteral("Prototype"), {142, 166, 92, 22},
                              &KardoWindow::cmd_prototype_Click);
    cmd_prototype->hide();
}

void KardoWindow::drawCurrentCharView()
{
    DrawCurrentChar(CARACTERE->buffer(), m_doc, m_palette);
    if (isModeOne())
        showGroupColors();
    for (int y = 0; y < 8 && !isModeOne(); ++y) {
        const Byte color = m_doc.charColors[m_doc.currentChar][y];
        COL[2 * y]->setFillColor(tms::toQColor(m_palette[tms::backgroundOf(color)]));
        COL[2 * y + 1]->setFillColor(tms::toQColor(m_palette[tms::foregroundOf(color)]));
    }
    NOCARACTERE->setText(tms::decimalHexLabel(m_doc.currentChar));
    CARACTERE->present();
}

void KardoWindow::showCharHex()
{
    if (TextHEX) {
        undo().endJoining(); // the box shows the character again: a new entry begins
        TextHEX->setText(charHexText(m_doc));
    }
}

void KardoWindow::markCurrentChar()
{
    PATTERN->setFrame({patternCellLeft(m_doc.currentChar), patternCellTop(m_doc.currentChar), patternCellSize,
                       patternCellSize},
                      frameGrey);
}

void KardoWindow::drawCharacterViews()
{
    drawCurrentCharEverywhere();
    showCharHex();
}

void KardoWindow::drawCurrentCharEverywhere()
{
    drawCurrentCharView();
    DrawPatternCell(PATTERN->buffer(), m_doc, m_palette, m_doc.currentChar);
    PATTERN->present();
    markCurrentChar();
    DrawScreen(ECRAN->buffer(), m_doc, m_palette);
    ECRAN->present();
}

void KardoWindow::CARACTERE_MouseDown(int Button, int, double X, double Y)
{
    drawCharPixelAt(Button, X, Y);
}

void KardoWindow::CARACTERE_MouseMove(int Button, int, double X, double Y)
{
    drawCharPixelAt(Button, X, Y);
}

void KardoWindow::drawCharPixelAt(int button, double x, double y)
{
    const CellPos pixel = charPixelAt(x, y);
    if (!drawCharPixel(m_doc, button, pixel.column, pixel.row))
        return;
    const Byte rowColor = Byte(m_doc.lecolor(m_doc.currentChar, pixel.row));
    const tms::ColorValue color =
        m_palette[button == LeftButton ? tms::foregroundOf(rowColor) : tms::backgroundOf(rowColor)];
    tms::fillBlock(CARACTERE->buffer(), charViewScale * pixel.column, charViewScale * pixel.row, charViewScale,
                   charViewScale, color);
    CARACTERE->present();
    const int n = m_doc.currentChar;
    tms::fillBlock(PATTERN->buffer(), patternCellLeft(n) + patternViewScale * pixel.column,
                   patternCellTop(n) + patternViewScale * pixel.row, patternViewScale, patternViewScale, color);
    PATTERN->present();
    markCurrentChar();
    drawPixelEverywhere(pixel.column, pixel.row, color);
    showCharHex();
}

void KardoWindow::drawPixelEverywhere(int px, int py, tms::ColorValue color)
{
    for (int column = 0; column < screenColumns; ++column)
        for (int row = 0; row < screenRows; ++row)
            if (m_doc.nameTable[column][row] == m_doc.currentChar)
                tms::fillBlock(ECRAN->buffer(), 8 * column + px, 8 * row + py, 1, 1, color);
    ECRAN->present();
}

void KardoWindow::PATTERN_MouseDown(int Button, int, double X, double Y)
{
    chooseCharacter(Button, X, Y);
}

void KardoWindow::PATTERN_MouseMove(int Button, int, double X, double Y)
{
    chooseCharacter(Button, X, Y);
}

void KardoWindow::chooseCharacter(int button, double x, double y)
{
    if (button == NoButton)
        return;
    const int n = patternCharAt(x, y);
    if (n == m_doc.currentChar)
        return;
    PATTERN->present();
    m_doc.currentChar = n;
    markCurrentChar();
    drawCurrentCharView();
    showCharHex();
    if (button == RightButton && !isModeOne()) { // kardo2 has no block markers
        SetBlockMarker(m_doc);
        showBlockMarkers();
    }
}

void KardoWindow::COL_Click(int Index)
{
    if (isModeOne()) {
        m_colorTarget = Index == BackgroundTarget ? BackgroundTarget : ForegroundTarget;
        markColorTarget();
        return;
    }
    ColorSwatch* previous = COL[m_editing.selectedSwatch];
    previous->drawOutline(previous->fillColor());
    m_editing.selectedSwatch = Index;
}

void KardoWindow::COLOR_Click(int Index)
{
    if (applyPaletteColor(m_doc, m_editing.selectedSwatch, Index))
        cmd_Refresh_Click();
}

QChar KardoWindow::TextHEX_KeyPress(QChar KeyAscii)
{
    return filterHexKey(KeyAscii);
}

void KardoWindow::TextHEX_KeyUp(int KeyCode, int)
{
    if (KeyCode == Qt::Key_Backspace || (KeyCode > 0 && KeyCode < 0x10000 && !filterHexKey(QChar(KeyCode)).isNull()))
        ApplyHex();
}

void KardoWindow::ApplyHex()
{
    // The digits typed in one visit of the box are one undo step.
    undo().recordJoined(QStringLiteral("Hex Entry"), [this] { applyHex(m_doc, TextHEX->text()); });
    drawCurrentCharEverywhere(); // the hex box keeps what was typed
}

void KardoWindow::endHexEntry()
{
    undo().endJoining();
}

} // namespace tile
