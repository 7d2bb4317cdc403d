// The character editor: the enlarged character, the pattern table as chooser, the
// row swatches with the palette, and the hex box.
#include "tile_editor_window.h"

#include "character_editing.h"
#include "color_swatch.h"
#include "hex.h"
#include "palette_colors.h"
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
    explicit HexKeyFilter(TileEditorWindow* window) : QObject(window), m_window(window) {}

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
            const QChar received = m_window->onHexKeyTyped(text[0]);
            if (!received.isNull())
                box->insert(QString(received));
            return true;
        }
        if (event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat())
                m_window->onHexKeyReleased(key->key(), 0);
        }
        return false;
    }

private:
    TileEditorWindow* m_window;
};
} // namespace

void TileEditorWindow::buildCharacterEditor(QWidget* area)
{
    m_charEditorView = new tms::PixelView(QStringLiteral("CARACTERE"), {charViewSize, charViewSize}, area);
    m_charEditorView->move(44, 44);
    trackStroke(m_charEditorView, QStringLiteral("Drawing"), charViewScale);
    connect(m_charEditorView, &tms::PixelView::mouseDown, this, &TileEditorWindow::onCharEditorMousePressed);
    connect(m_charEditorView, &tms::PixelView::mouseMove, this, &TileEditorWindow::onCharEditorMouseMoved);

    if (traits().rowSwatches)
        buildRowColors(area);
    else
        buildModeOneColors(area);

    addButton(area, QStringLiteral("cmd3_scroll_up"), QString(), {44, 32, 80, 9},
              &TileEditorWindow::onCharScrollUpClicked);
    addButton(area, QStringLiteral("cmd3_scroll_down"), QString(), {44, 127, 80, 9},
              &TileEditorWindow::onCharScrollDownClicked);
    addButton(area, QStringLiteral("cmd3_scroll_left"), QString(), {34, 44, 8, 80},
              &TileEditorWindow::onCharScrollLeftClicked);
    addButton(area, QStringLiteral("cmd3_scroll_right"), QString(), {126, 44, 8, 80},
              &TileEditorWindow::onCharScrollRightClicked);

    if (traits().hexBox) {
        m_hexEdit = new QLineEdit(QStringLiteral("0000000000000000"), area);
        m_hexEdit->setObjectName(QStringLiteral("TextHEX"));
        m_hexEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        m_hexEdit->setGeometry(6, 142, 132, 22); // clear of "Show Sprites" beside it
        // Only a click gives it the keyboard: a stray key at start must not change a character.
        m_hexEdit->setFocusPolicy(Qt::ClickFocus);
        m_hexKeyFilter = new HexKeyFilter(this);
        m_hexEdit->installEventFilter(m_hexKeyFilter);
    }
    m_charNumberLabel = new QLabel(area);
    m_charNumberLabel->setObjectName(QStringLiteral("NOCARACTERE"));
    m_charNumberLabel->setGeometry(44, 168, 100, 18);

    buildCharacterButtons(area);
}

void TileEditorWindow::buildRowColors(QWidget* area)
{
    // Row swatches: the foreground of row y left of its background.
    for (int y = 0; y < 8; ++y) {
        for (int part = 0; part < 2; ++part) {
            const int index = 2 * y + part;
            m_rowSwatches[index] = new ColorSwatch(QStringLiteral("COL"), index, area);
            m_rowSwatches[index]->setGeometry(part == 1 ? 6 : 20, 44 + 10 * y, 13, 10);
        }
    }
    m_rowSwatches[allRowsForegroundSwatch] = new ColorSwatch(QStringLiteral("COL"), allRowsForegroundSwatch, area);
    m_rowSwatches[allRowsForegroundSwatch]->setGeometry(44, 12, 38, 14);
    m_rowSwatches[allRowsForegroundSwatch]->setToolTip(QStringLiteral("Foreground of all rows"));
    m_rowSwatches[allRowsBackgroundSwatch] = new ColorSwatch(QStringLiteral("COL"), allRowsBackgroundSwatch, area);
    m_rowSwatches[allRowsBackgroundSwatch]->setGeometry(86, 12, 38, 14);
    m_rowSwatches[allRowsBackgroundSwatch]->setToolTip(QStringLiteral("Background of all rows"));
    m_rowSwatches[allRowsForegroundSwatch]->setFillColor(Qt::white);
    m_rowSwatches[allRowsBackgroundSwatch]->setFillColor(Qt::black);
    for (ColorSwatch* swatch : m_rowSwatches)
        connect(swatch, &ColorSwatch::clicked, this, &TileEditorWindow::onRowSwatchClicked);

    for (int i = 0; i < 16; ++i) {
        m_paletteSwatches[i] = new ColorSwatch(QStringLiteral("COLOR"), i, area);
        m_paletteSwatches[i]->setGeometry(240, 8 + 11 * i, 16, 11);
        connect(m_paletteSwatches[i], &ColorSwatch::clicked, this,
                [this](int index) { recordStep(QStringLiteral("Colour"), [&] { onPaletteSwatchClicked(index); }); });
    }
}

void TileEditorWindow::buildCharacterButtons(QWidget* area)
{
    const int left = 142, width = 44, height = 24;
    auto at = [&](int column, int row) {
        return QRect(left + column * (width + 4), 12 + row * (height + 4), width, height);
    };
    addButton(area, QStringLiteral("cmd_carac_flipx"), QStringLiteral("FlipX"), at(0, 0),
              &TileEditorWindow::onCharFlipXClicked);
    addButton(area, QStringLiteral("cmd_carac_flipy"), QStringLiteral("FlipY"), at(1, 0),
              &TileEditorWindow::onCharFlipYClicked);
    addButton(area, QStringLiteral("cmd_carac_rotate"), QStringLiteral("Rotate"), at(0, 1),
              &TileEditorWindow::onCharRotateClicked);
    addButton(area, QStringLiteral("cmd_carac_invert"), QStringLiteral("Invert"), at(1, 1),
              &TileEditorWindow::onCharInvertClicked);
    addButton(area, QStringLiteral("cmd_copy_car"), QStringLiteral("Copy"), at(0, 2),
              &TileEditorWindow::onCharCopyClicked);
    m_charPasteButton = addButton(area, QStringLiteral("cmd_paste_car"), QStringLiteral("Paste"), at(1, 2),
                                  &TileEditorWindow::onCharPasteClicked);
    addButton(area, QStringLiteral("cmd_clear_car"), QStringLiteral("Clear"), at(0, 3),
              &TileEditorWindow::onCharClearClicked);
    m_refreshButton = addButton(area, QStringLiteral("cmd_Refresh"), QStringLiteral("Refresh All"), at(1, 3),
                                &TileEditorWindow::onRefreshClicked);
    // kardo3 refreshes by itself and hides the button; kardo2 shows it, and its sprite
    // panel is always in view.
    m_refreshButton->setVisible(traits().refreshButton);
    if (traits().refreshButton)
        m_refreshButton->setGeometry(142, 140, 92, 24); // where kardo3 has "Show Sprites"
    if (!traits().spritePanelAlwaysShown)
        m_showSpritesButton = addButton(area, QStringLiteral("cmd_show_sprite"), QStringLiteral("Show Sprites"),
                                        {142, 140, 92, 24}, &TileEditorWindow::onShowSpritesClicked);
    m_prototypeButton = addButton(area, QStringLiteral("cmd_prototype"), QStringLiteral("Prototype"),
                                  {142, 166, 92, 22}, &TileEditorWindow::onPrototypeClicked);
    m_prototypeButton->hide();
}

void TileEditorWindow::drawCurrentCharView()
{
    drawCurrentChar(m_charEditorView->buffer(), m_doc, m_palette);
    if (!traits().rowSwatches)
        showGroupColors();
    for (int y = 0; y < 8 && traits().rowSwatches; ++y) {
        const Byte color = m_doc.charColors[m_doc.currentChar][y];
        m_rowSwatches[2 * y]->setFillColor(tms::toQColor(m_palette[tms::backgroundOf(color)]));
        m_rowSwatches[2 * y + 1]->setFillColor(tms::toQColor(m_palette[tms::foregroundOf(color)]));
    }
    m_charNumberLabel->setText(tms::decimalHexLabel(m_doc.currentChar));
    m_charEditorView->present();
}

void TileEditorWindow::showCharHex()
{
    if (m_hexEdit) {
        undo().endJoining(); // the box shows the character again: a new entry begins
        m_hexEdit->setText(charHexText(m_doc));
    }
}

void TileEditorWindow::markCurrentChar()
{
    m_patternTableView->setFrame(
        {patternCellLeft(m_doc.currentChar), patternCellTop(m_doc.currentChar), patternCellSize, patternCellSize},
        frameGrey);
}

void TileEditorWindow::drawCharacterViews()
{
    drawCurrentCharEverywhere();
    showCharHex();
}

void TileEditorWindow::drawCurrentCharEverywhere()
{
    drawCurrentCharView();
    drawPatternCell(m_patternTableView->buffer(), m_doc, m_palette, m_doc.currentChar);
    m_patternTableView->present();
    markCurrentChar();
    drawScreen(m_screenView->buffer(), m_doc, m_palette);
    m_screenView->present();
}

void TileEditorWindow::onCharEditorMousePressed(int button, int, double x, double y)
{
    drawCharPixelAt(button, x, y);
}

void TileEditorWindow::onCharEditorMouseMoved(int button, int, double x, double y)
{
    drawCharPixelAt(button, x, y);
}

void TileEditorWindow::drawCharPixelAt(int button, double x, double y)
{
    const CellPos pixel = charPixelAt(x, y);
    if (!drawCharPixel(m_doc, button, pixel.column, pixel.row))
        return;
    const Byte rowColor = Byte(m_doc.rowColor(m_doc.currentChar, pixel.row));
    const tms::ColorValue color =
        m_palette[button == LeftButton ? tms::foregroundOf(rowColor) : tms::backgroundOf(rowColor)];
    tms::fillBlock(m_charEditorView->buffer(), charViewScale * pixel.column, charViewScale * pixel.row, charViewScale,
                   charViewScale, color);
    m_charEditorView->present();
    const int n = m_doc.currentChar;
    tms::fillBlock(m_patternTableView->buffer(), patternCellLeft(n) + patternViewScale * pixel.column,
                   patternCellTop(n) + patternViewScale * pixel.row, patternViewScale, patternViewScale, color);
    m_patternTableView->present();
    markCurrentChar();
    drawPixelEverywhere(pixel.column, pixel.row, color);
    showCharHex();
}

void TileEditorWindow::drawPixelEverywhere(int px, int py, tms::ColorValue color)
{
    for (int column = 0; column < screenColumns; ++column)
        for (int row = 0; row < screenRows; ++row)
            if (m_doc.nameTable[column][row] == m_doc.currentChar)
                tms::fillBlock(m_screenView->buffer(), 8 * column + px, 8 * row + py, 1, 1, color);
    m_screenView->present();
}

void TileEditorWindow::onPatternTableMousePressed(int button, int, double x, double y)
{
    chooseCharacter(button, x, y);
}

void TileEditorWindow::onPatternTableMouseMoved(int button, int, double x, double y)
{
    chooseCharacter(button, x, y);
}

void TileEditorWindow::chooseCharacter(int button, double x, double y)
{
    if (button == NoButton)
        return;
    const int n = patternCharAt(x, y);
    if (n == m_doc.currentChar)
        return;
    m_patternTableView->present();
    m_doc.currentChar = n;
    markCurrentChar();
    drawCurrentCharView();
    showCharHex();
    if (button == RightButton && traits().blockMarkers) {
        setBlockMarker(m_doc);
        showBlockMarkers();
    }
}

void TileEditorWindow::onRowSwatchClicked(int index)
{
    if (!traits().rowSwatches) {
        m_colorTarget = index == BackgroundTarget ? BackgroundTarget : ForegroundTarget;
        markColorTarget();
        return;
    }
    ColorSwatch* previous = m_rowSwatches[m_editing.selectedSwatch];
    previous->drawOutline(previous->fillColor());
    m_editing.selectedSwatch = index;
}

void TileEditorWindow::onPaletteSwatchClicked(int index)
{
    if (applyPaletteColor(m_doc, m_editing.selectedSwatch, index))
        onRefreshClicked();
}

QChar TileEditorWindow::onHexKeyTyped(QChar key)
{
    return filterHexKey(key);
}

void TileEditorWindow::onHexKeyReleased(int keyCode, int)
{
    if (keyCode == Qt::Key_Backspace || (keyCode > 0 && keyCode < 0x10000 && !filterHexKey(QChar(keyCode)).isNull()))
        applyHexText();
}

void TileEditorWindow::applyHexText()
{
    // The digits typed in one visit of the box are one undo step.
    undo().recordJoined(QStringLiteral("Hex Entry"), [this] { applyHex(m_doc, m_hexEdit->text()); });
    drawCurrentCharEverywhere(); // the hex box keeps what was typed
}

void TileEditorWindow::endHexEntry()
{
    undo().endJoining();
}

} // namespace tile
