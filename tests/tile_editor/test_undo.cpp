// Undo and redo in the tile editor window: every command kind is one step that gives
// back the exact tables and modified flag, and fast strokes leave no gaps.
#include "color_swatch.h"
#include "kardo_window.h"
#include "pixel_view.h"
#include "random_document.h"
#include "scripted_dialogs.h"
#include "table_snapshot.h"

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

void click(KardoWindow& w, const char* name)
{
    auto* button = w.findChild<QPushButton*>(name);
    if ((notInEdition = !button || button->isHidden()))
        return;
    QTest::mouseClick(button, Qt::LeftButton);
}

const std::vector<std::pair<const char*, std::function<void(KardoWindow&)>>>& kinds()
{
    static const std::vector<std::pair<const char*, std::function<void(KardoWindow&)>>> all = {
        {"pixel stroke", [](KardoWindow& w) { drag(w.CARACTERE, {5, 5}, {75, 75}); }},
        {"row colour", [](KardoWindow& w) {
             if (w.colorStrip) // screen mode 1: the group colour from the strip
                 QTest::mouseClick(w.colorStrip, Qt::LeftButton, {}, {4, 60});
             else
                 QTest::mouseClick(w.COLOR[5], Qt::LeftButton);
         }},
        {"hex entry", [](KardoWindow& w) { if ((notInEdition = !w.TextHEX)) return; w.TextHEX->setText(QStringLiteral("0102030405060708")); w.ApplyHex(); }},
        {"font", [](KardoWindow& w) { w.Polices->findChild<QAction*>(QStringLiteral("font1"))->trigger(); }},
        {"screen stroke", [](KardoWindow& w) { w.Timer1_Timer(); drag(w.ECRAN, {4, 4}, {250, 100}); }},
        {"sprite stroke", [](KardoWindow& w) { drag(w.SPRITE, {4, 4}, {124, 60}); }},
        {"paste char", [](KardoWindow& w) { click(w, "cmd_copy_car"); w.document().currentChar = 40; click(w, "cmd_paste_car"); }},
        {"paste pattern", [](KardoWindow& w) { if ((notInEdition = w.colorStrip != nullptr)) return; w.document().markedBlock = {0, 7}; click(w, "cmd_copy_pattern"); w.document().markedBlock = {100, 107}; click(w, "cmd_paste_pattern"); }},
        {"sprite paste", [](KardoWindow& w) { click(w, "cmd_sprite_copy"); click(w, "cmd_sprite_next"); click(w, "cmd_sprite_paste"); }},
    };
    return all;
}

const char* const buttons[] = {"cmd_carac_flipx", "cmd_carac_flipy", "cmd_carac_rotate", "cmd_carac_invert",
                               "cmd_clear_car", "cmd3_scroll_up", "cmd3_scroll_down", "cmd3_scroll_left",
                               "cmd3_scroll_right", "cmd_clear_pattern", "cmd_scroll_up", "cmd_scroll_down",
                               "cmd_scroll_left", "cmd_scroll_right", "cmd_sprite_color", "cmd_sprite_flipx",
                               "cmd_sprite_flipy", "cmd_sprite_rotate", "cmd2_scroll_up", "cmd2_scroll_down",
                               "cmd2_scroll_left", "cmd2_scroll_right", "cmd_sprite_clean"};

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void everyCommandIsOneExactStep_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("modifiedBefore");
        QTest::addColumn<Edition>("edition");
        for (int i = 0; i < int(kinds().size()) + int(std::size(buttons)); ++i)
            for (bool modified : {false, true})
                for (Edition edition : {Edition::ScreenMode2, Edition::ScreenMode1}) {
                    const char* name = i < int(kinds().size()) ? kinds()[i].first : buttons[i - kinds().size()];
                    QTest::addRow("%s %s mode %d", name, modified ? "modified" : "saved",
                                  edition == Edition::ScreenMode1 ? 1 : 2)
                        << i << modified << edition;
                }
    }
    void everyCommandIsOneExactStep()
    {
        QFETCH(int, kind);
        QFETCH(bool, modifiedBefore);
        QFETCH(Edition, edition);
        ScriptedDialogs dialogs;
        KardoWindow w(edition);
        w.setDialogs(&dialogs);
        TileDocument& doc = w.document();
        const TileDocument start = testdoc::randomDocument(5, true, edition);
        setTableBytes(doc, tableBytes(start));
        doc.currentChar = 32;
        doc.modified = modifiedBefore;
        const QByteArray before = tableBytes(doc);
        notInEdition = false;
        if (kind < int(kinds().size()))
            kinds()[kind].second(w);
        else
            click(w, buttons[kind - kinds().size()]);
        if (notInEdition)
            QSKIP("not in this edition");
        const QByteArray after = tableBytes(doc);
        const bool modifiedAfter = doc.modified;
        QVERIFY(after != before);
        QCOMPARE(modifiedAfter, kind == 3 ? modifiedBefore : true); // a font leaves modified alone
        auto* stack = w.findChild<QUndoStack*>(QStringLiteral("undoStack"));
        QCOMPARE(stack->count(), 1);

        w.findChild<QAction*>(QStringLiteral("Undo"))->trigger();
        QVERIFY(tableBytes(doc) == before);
        QCOMPARE(doc.modified, modifiedBefore);
        const QImage shownAfterUndo = w.ECRAN->shownImage();
        w.cmd_Refresh_Click();
        QCOMPARE(shownAfterUndo, w.ECRAN->shownImage()); // the views were redrawn from the tables
        w.findChild<QAction*>(QStringLiteral("Redo"))->trigger();
        QVERIFY(tableBytes(doc) == after);
        QCOMPARE(doc.modified, modifiedAfter);
    }

    void fastStrokesLeaveNoGaps()
    {
        ScriptedDialogs dialogs;
        KardoWindow w;
        w.setDialogs(&dialogs);
        drag(w.CARACTERE, {5, 5}, {75, 75}); // pixel (0,0) to (7,7) in one move
        for (int row = 0; row < 8; ++row)
            QCOMPARE(int(w.document().charPatterns[32][row]), 0x80 >> row);
        w.document().currentChar = 65;
        w.Timer1_Timer();
        drag(w.ECRAN, {4, 4}, {252, 4}); // cell (0,0) to (31,0)
        for (int column = 0; column < 32; ++column)
            QCOMPARE(int(w.document().nameTable[column][0]), 65);
        QCOMPARE(w.findChild<QUndoStack*>(QStringLiteral("undoStack"))->count(), 2);
    }
};

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
