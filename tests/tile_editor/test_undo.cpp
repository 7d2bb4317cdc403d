// Undo and redo in the tile editor window: every command kind is one step that gives
// back the exact tables and modified flag, every button runs its model command and
// redraws, and fast strokes leave no gaps.
#include "character_operations.h"
#include "color_swatch.h"
#include "group_colors.h"
#include "pixel_view.h"
#include "random_document.h"
#include "screen_editing.h"
#include "sprite_editing.h"
#include "table_snapshot.h"
#include "window_harness.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QUndoStack>
#include <QtTest>

using namespace tile;

namespace {

// A press at from, one move to to (a fast drag), a release.
void drag(QWidget* view, QPoint from, QPoint to)
{
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

bool notInEdition = false; // set by a kind the window's edition lacks

void click(TileEditorWindow& w, const char* name)
{
    auto* button = w.findChild<QPushButton*>(name);
    if ((notInEdition = !button || button->isHidden()))
        return;
    QTest::mouseClick(button, Qt::LeftButton);
}

// The commands that are no plain button, run as a user does.
const char* const kindNames[] = {"pixel stroke",  "row colour", "hex entry",     "font",        "screen stroke",
                                 "sprite stroke", "paste char", "paste pattern", "sprite paste"};
constexpr int kindCount = int(std::size(kindNames));

void runKind(int kind, TileEditorWindow& w)
{
    switch (kind) {
    case 0: drag(w.m_charEditorView, {5, 5}, {75, 75}); break;
    case 1: // screen mode 1: the group colour from the strip
        if (w.m_colorStrip)
            QTest::mouseClick(w.m_colorStrip, Qt::LeftButton, {}, {4, 60});
        else
            QTest::mouseClick(w.m_paletteSwatches[5], Qt::LeftButton);
        break;
    case 2:
        if ((notInEdition = !w.m_hexEdit))
            return;
        w.m_hexEdit->setText(QStringLiteral("0102030405060708"));
        w.applyHexText();
        break;
    case 3: w.m_fontsMenu->findChild<QAction*>(QStringLiteral("font1"))->trigger(); break;
    case 4: w.onPaintTick(), drag(w.m_screenView, {4, 4}, {250, 100}); break;
    case 5: drag(w.m_spriteView, {4, 4}, {124, 60}); break;
    case 6:
        click(w, "cmd_copy_car");
        w.document().currentChar = 40;
        click(w, "cmd_paste_car");
        break;
    case 7:
        if ((notInEdition = w.m_colorStrip != nullptr))
            return;
        w.document().markedBlock = {0, 7};
        click(w, "cmd_copy_pattern");
        w.document().markedBlock = {100, 107};
        click(w, "cmd_paste_pattern");
        break;
    default: click(w, "cmd_sprite_copy"), click(w, "cmd_sprite_next"), click(w, "cmd_sprite_paste");
    }
}

// The buttons that run one command on the document, with that command.
struct Button {
    const char* name;
    std::function<void(TileDocument&)> command;
};

template <auto scroll>
auto scrolled(Direction d)
{
    return [d](TileDocument& doc) { scroll(doc, d); };
}

const Button buttons[] = {
    {"cmd_carac_flipx", [](TileDocument& d) { flipCharacterX(d); }},
    {"cmd_carac_flipy", flipCharacterY},
    {"cmd_carac_rotate", rotateCharacter},
    {"cmd_carac_invert", invertCharacter},
    {"cmd_clear_car", clearCharacter},
    {"cmd3_scroll_up", scrolled<scrollCharacter>(Direction::Up)},
    {"cmd3_scroll_down", scrolled<scrollCharacter>(Direction::Down)},
    {"cmd3_scroll_left", scrolled<scrollCharacter>(Direction::Left)},
    {"cmd3_scroll_right", scrolled<scrollCharacter>(Direction::Right)},
    {"cmd_clear_pattern",
     [](TileDocument& d) { d.edition == Edition::ScreenMode1 ? clearCharacterSet(d) : void(clearBlock(d)); }},
    {"cmd_scroll_up", scrolled<scrollScreen>(Direction::Up)},
    {"cmd_scroll_down", scrolled<scrollScreen>(Direction::Down)},
    {"cmd_scroll_left", scrolled<scrollScreen>(Direction::Left)},
    {"cmd_scroll_right", scrolled<scrollScreen>(Direction::Right)},
    {"cmd_sprite_color", cycleSpriteColor},
    {"cmd_sprite_flipx", [](TileDocument& d) { flipSpriteX(d); }},
    {"cmd_sprite_flipy", flipSpriteY},
    {"cmd_sprite_rotate", rotateSprite},
    {"cmd2_scroll_up", scrolled<scrollSprite>(Direction::Up)},
    {"cmd2_scroll_down", scrolled<scrollSprite>(Direction::Down)},
    {"cmd2_scroll_left", scrolled<scrollSprite>(Direction::Left)},
    {"cmd2_scroll_right", scrolled<scrollSprite>(Direction::Right)},
    {"cmd_sprite_clean", clearSprite}};

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void everyCommandIsOneExactStep_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Edition>("edition");
        for (int i = 0; i < kindCount + int(std::size(buttons)); ++i)
            for (Edition edition : {Edition::ScreenMode2, Edition::ScreenMode1})
                QTest::addRow("%s mode %d", i < kindCount ? kindNames[i] : buttons[i - kindCount].name,
                              edition == Edition::ScreenMode1 ? 1 : 2)
                    << i << edition;
    }
    void everyCommandIsOneExactStep()
    {
        QFETCH(int, kind);
        QFETCH(Edition, edition);
        WindowHarness h(false, QStringLiteral("no-such-prototype.txt"), edition);
        TileEditorWindow& w = h.window;
        TileDocument& doc = w.document();
        const TileDocument start = testdoc::randomDocument(5, true, edition);
        setTableBytes(doc, tableBytes(start));
        doc.currentChar = 32;
        w.onRefreshClicked();
        const QByteArray before = tableBytes(doc);
        TileDocument expected = doc;
        notInEdition = false;
        if (kind < kindCount) {
            runKind(kind, w);
        } else {
            click(w, buttons[kind - kindCount].name);
            buttons[kind - kindCount].command(expected);
            QVERIFY(notInEdition || doc.sameTablesAs(expected));
        }
        if (notInEdition)
            QSKIP("not in this edition");
        h.verifyViewsShowTheDocument();
        const QByteArray after = tableBytes(doc);
        QVERIFY(after != before && doc.modified); // every command, a font too, is work to save
        QCOMPARE(w.findChild<QUndoStack*>(QStringLiteral("undoStack"))->count(), 1);

        w.findChild<QAction*>(QStringLiteral("Undo"))->trigger();
        QVERIFY(tableBytes(doc) == before && !doc.modified);
        h.verifyViewsShowTheDocument();
        w.findChild<QAction*>(QStringLiteral("Redo"))->trigger();
        QVERIFY(tableBytes(doc) == after && doc.modified);
    }

    void fastStrokesLeaveNoGaps()
    {
        WindowHarness h;
        TileEditorWindow& w = h.window;
        drag(w.m_charEditorView, {5, 5}, {75, 75}); // pixel (0,0) to (7,7) in one move
        for (int row = 0; row < 8; ++row)
            QCOMPARE(int(w.document().charPatterns[32][row]), 0x80 >> row);
        w.document().currentChar = 65;
        w.onPaintTick();
        drag(w.m_screenView, {4, 4}, {252, 4}); // cell (0,0) to (31,0)
        for (int column = 0; column < 32; ++column)
            QCOMPARE(int(w.document().nameTable[column][0]), 65);
        QCOMPARE(w.findChild<QUndoStack*>(QStringLiteral("undoStack"))->count(), 2);
    }
};

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
